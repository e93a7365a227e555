// Rules behind the lists: progress counts, image roles, navigation and search.
#include "client/core/list_rules.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

class ListRulesTest : public ::testing::Test {
protected:
  void SetUp() override {
    Project = TRef<TWordList>(new TWordList);
    Add("A", "x", "TC", "Open", "Abrir");
    Add("A", "x", "TH", "Opens a file", "[~]Abre");
    Add("A", "y", "TC", "Save", "[?]Guardar");
    Add("A", "y", "_CN", "TButton", "");
    Add("B", "z", "MG", "Gone", "[!]");
    Add("C", "w", "_AID", "x", "");
  }
  TWordObj *Add(const char *section, const char *name, const char *kind, const char *source,
                const char *trans) {
    TWordObj *e = Project->AddEntry(section, name, kind, source);
    e->Translation = trans;
    return e;
  }
  std::vector<TWordObj *> Rows() const { return Project->Items.Raw(); }
  TRef<TWordList> Project;
};

TEST_F(ListRulesTest, SectionProgressCountsVisibleEntriesAndTranslatedState) {
  const auto stats = CountSectionProgress(*Project, {"[ALL]", "A", "B", "C", "Missing"});
  ASSERT_EQ(stats.size(), 5u);
  EXPECT_EQ(FormatSectionStats(stats[0]), "3 / 4"); // "[!]" alone is a translated entry with empty text
  EXPECT_EQ(FormatSectionStats(stats[1]), "2 / 3"); // the auto translation does not count
  EXPECT_EQ(FormatSectionStats(stats[2]), "1 / 1");
  EXPECT_EQ(FormatSectionStats(stats[3]), "0 / 0"); // only hidden entries
  EXPECT_EQ(FormatSectionStats(stats[4]), "0 / 0");
}

TEST(SectionStats, PackingCapsEachHalf) {
  EXPECT_EQ(StatsTranslated(PackSectionStats(12, 40)), 12);
  EXPECT_EQ(StatsTotal(PackSectionStats(12, 40)), 40);
  EXPECT_EQ(StatsTotal(PackSectionStats(1, 70000)), 65535);
  EXPECT_EQ(StatsTranslated(PackSectionStats(70000, 70000)), 65535);
  EXPECT_EQ(FormatSectionStats(PackSectionStats(12, 40)), "12 / 40");
}

TEST(SearchMethod, TextMethodsNeedText) {
  EXPECT_EQ(EffectiveFilterMode(false, TFilterMode::Contains, false), TFilterMode::None);
  EXPECT_EQ(EffectiveFilterMode(true, TFilterMode::Contains, true), TFilterMode::None);
  EXPECT_EQ(EffectiveFilterMode(true, TFilterMode::Contains, false), TFilterMode::Contains);
  EXPECT_EQ(EffectiveFilterMode(true, TFilterMode::MoreWords, true),
            TFilterMode::MoreWords); // no text needed
  EXPECT_TRUE(IsTextFilter(TFilterMode::FullMatch));
  EXPECT_FALSE(IsTextFilter(TFilterMode::AtMostWords));
  EXPECT_EQ(TextMatchOf(TFilterMode::StartsWith), TTextMatch::StartsWith);
  EXPECT_EQ(TextMatchOf(TFilterMode::FullMatch), TTextMatch::FullMatch);
}

TEST(Images, SectionNameRules) {
  EXPECT_EQ(SectionImage("anything", true), image::AllSections);
  EXPECT_EQ(SectionImage("TID_MainMenu0", false), image::MainMenuSection);
  EXPECT_EQ(SectionImage("TID_MainMenu01", false), image::FormSection);
  EXPECT_EQ(SectionImage("xTID_Form", false), image::FormSection);
  EXPECT_EQ(SectionImage("Zt4_Actions", false), image::ActionsSection);
  EXPECT_EQ(SectionImage("Main_Properties", false), image::PropertiesSection);
  EXPECT_EQ(SectionImage("Messages", false), image::OtherSection);
  EXPECT_EQ(KindImage("THF"), image::KindHintPair);
  EXPECT_EQ(KindImage("TF"), image::KindLongHint);
  EXPECT_EQ(KindImage("IT"), image::KindListItems);
  EXPECT_EQ(KindImage("MG"), image::None);
}

TEST_F(ListRulesTest, StatusImagePrefersCurrentThenWarningNeedsWorkQuery) {
  TWordObj *e = Project->Items[0];
  EXPECT_EQ(StatusImage(*e, false), image::StatusPlain);
  e->SetFlags(efQuery | efNeedsWork);
  EXPECT_EQ(StatusImage(*e, false), image::StatusNeedsWork);
  e->SetFlags(efQuery | efNeedsWork | efWarning);
  EXPECT_EQ(StatusImage(*e, false), image::StatusWarning);
  EXPECT_EQ(StatusImage(*e, true), image::StatusCurrent);
}

TEST_F(ListRulesTest, NavigationWalksWithoutWrapping) {
  const auto rows = Rows();
  // Untranslated stops at everything not esTranslated: the auto one and the hidden ones.
  EXPECT_EQ(FindNavigationRow(rows, 0, +1, 0), 1);
  EXPECT_EQ(FindNavigationRow(rows, -1, +1, 1), 0);
  EXPECT_EQ(FindNavigationRow(rows, -1, -1, 1), 5);
  EXPECT_EQ(FindNavigationRow(rows, 5, +1, 1), -1);
  EXPECT_EQ(FindNavigationRow(rows, 0, -1, 1), -1);
  EXPECT_EQ(FindNavigationRow(rows, 0, +1, 2), 2); // query
  EXPECT_EQ(FindNavigationRow(rows, 2, +1, 2), -1);
  EXPECT_EQ(FindNavigationRow(rows, 0, +1, 3), 1); // auto
  EXPECT_EQ(FindNavigationRow(rows, 0, +1, 4), 4); // warning
  EXPECT_EQ(FindNavigationRow(rows, 4, -1, 4), -1);
  EXPECT_EQ(FindNavigationRow({}, -1, +1, 1), -1);
}

TEST_F(ListRulesTest, IncrementalSearchIgnoresCaseAndWraps) {
  const auto rows = Rows();
  EXPECT_EQ(IncrementalSearchRow(rows, 0, u"open"), 0);
  EXPECT_EQ(IncrementalSearchRow(rows, 1, u"OPEN"), 1); // "Opens a file"
  EXPECT_EQ(IncrementalSearchRow(rows, 2, u"open"), 0); // wraps around
  EXPECT_EQ(IncrementalSearchRow(rows, 0, u"sav"), 2);
  EXPECT_EQ(IncrementalSearchRow(rows, 0, u"nothing"), -1);
  EXPECT_EQ(IncrementalSearchRow(rows, 0, u""), -1);
}

} // namespace
} // namespace vt
