// Status in words (what screen readers read from the rows) and the section holder.
#include "client/core/section_lines.h"
#include "client/core/status_words.h"

#include <gtest/gtest.h>
#include <set>

namespace vt {
namespace {

TEST(StatusWords, StateThenFlagsThenChangedFromTheStoredTranslation) {
  TRef<TWordList> project(new TWordList);
  TWordObj *e = project->AddEntry("A", "x", "TC", "Open");
  EXPECT_EQ(EntryStatusWords(*e), "untranslated");
  e->Translation = "[~]Abrir";
  EXPECT_EQ(EntryStatusWords(*e), "auto translated");
  e->Translation = "[?!]Abrir";
  EXPECT_EQ(EntryStatusWords(*e), "translated, query, warning");
  e->Changed = true;
  e->Translation = "[+]Abrir";
  EXPECT_EQ(EntryStatusWords(*e), "translated, needs work, changed");
  // Every combination reads differently, so no status change goes unheard.
  std::set<std::string> seen;
  for (int state = 0; state < 3; ++state)
    for (int flags = 0; flags < 8; ++flags)
      for (bool changed : {false, true})
        seen.insert(
            EntryStatusWords(static_cast<TEntryState>(state), static_cast<TEntryFlags>(flags), changed));
  EXPECT_EQ(seen.size(), 3u * 8u * 2u);
  EXPECT_EQ(StatusChangeWords("Query", true), "Query on");
  EXPECT_EQ(StatusChangeWords("Needs Work", false), "Needs Work off");
}

TEST(SectionLines, AllLineFirstNothingChosenAndBoundsChecked) {
  TSectionLines lines;
  EXPECT_EQ(lines.Count(), 0);
  EXPECT_EQ(lines.Name(0), "");
  lines.Fill({"TID_Form1", "Messages"});
  ASSERT_EQ(lines.Count(), 3);
  EXPECT_EQ(lines.Name(0), "[ALL]");
  EXPECT_EQ(lines.Name(2), "Messages");
  EXPECT_EQ(lines.Name(3), "");
  EXPECT_EQ(lines.Name(-1), "");
  EXPECT_EQ(lines.Chosen(), -1);
  EXPECT_EQ(lines.Find("Messages"), 2);
  EXPECT_EQ(lines.Find("messages"), -1);

  EXPECT_FALSE(lines.SetStats({1, 2}));
  EXPECT_TRUE(lines.SetStats({PackSectionStats(3, 4), PackSectionStats(1, 3), PackSectionStats(2, 1)}));
  EXPECT_EQ(FormatSectionStats(lines.Stats(1)), "1 / 3");
  EXPECT_EQ(lines.Stats(7), 0u);

  lines.Choose(1);
  EXPECT_EQ(lines.Chosen(), 1);
  lines.Choose(5);
  EXPECT_EQ(lines.Chosen(), -1);
  lines.Choose(2);
  lines.Fill({"Other"}); // a new project chooses nothing and forgets the counts
  EXPECT_EQ(lines.Chosen(), -1);
  EXPECT_EQ(lines.Stats(1), 0u);
  lines.Clear();
  EXPECT_EQ(lines.Count(), 0);
}

} // namespace
} // namespace vt
