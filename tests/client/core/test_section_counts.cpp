// Section progress keeps full counts: sections and "[ALL]" of more than 65535 entries.
#include "client/core/list_rules.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(SectionCounts, CountsBeyondSixteenBitsStayWhole) {
  TRef<TWordList> project(new TWordList);
  for (int i = 0; i < 70000; ++i) {
    TWordObj *e = project->AddEntry("Big", "k" + std::to_string(i), "TC", "Text");
    if (i % 3 == 0) e->Translation = "Texto";
    if (i % 7 == 0) project->AddEntry("Big", "k" + std::to_string(i), "_CN", "TButton"); // hidden
  }
  for (int i = 0; i < 66000; ++i)
    project->AddEntry("Other", "o" + std::to_string(i), "VC", "Other")->Translation = "x";
  const auto counts = CountSectionProgress(*project, {"[ALL]", "Big", "Other"});
  ASSERT_EQ(counts.size(), 3u);
  EXPECT_EQ(counts[0].Total, 136000u);
  EXPECT_EQ(counts[0].Translated, 23334u + 66000u);
  EXPECT_EQ(counts[1].Total, 70000u);
  EXPECT_EQ(counts[1].Translated, 23334u);
  EXPECT_EQ(counts[2].Total, 66000u);
  EXPECT_EQ(FormatSectionStats(counts[0]), "89334 / 136000");
  EXPECT_EQ(FormatSectionStats(counts[2]), "66000 / 66000");
}

} // namespace
} // namespace vt
