// The suggestion band: the debounce, the cells of the suggestion list, taking a suggestion, the
// double-click fill, the same-source list that holds still, "Apply to Similar" and F6.
#include "band_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>

namespace vt::test {

namespace {
QColor Foreground(TVirtualTree *list, int row, int column) {
  return list->model()->index(row, column).data(Qt::ForegroundRole).value<QBrush>().color();
}
bool Bold(TVirtualTree *list, int row, int column) {
  return list->model()->index(row, column).data(Qt::FontRole).value<QFont>().bold();
}
} // namespace

TEST_F(BandTest, ListsAreBuiltOnlyForTheEntryWhereTheUserStops) {
  QElapsedTimer clock;
  clock.start();
  Pick("TID_A/btnOpen.TC");
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt2")->model()->rowCount(), 0);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1a")->model()->rowCount(), 0);
  Pick("TID_C/btnOpen.TC"); // moved on before the countdown ran out
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt2")->model()->rowCount(), 0);
  WaitForSuggestions();
  EXPECT_GE(clock.elapsed(), 40);
  ASSERT_GT(Child<TVirtualTree>(*W, "vt2")->model()->rowCount(), 0);
  ASSERT_GT(Child<TVirtualTree>(*W, "vt1a")->model()->rowCount(), 0);
  // C has no translation of its own, so no "Current" row; the others offer theirs.
  for (int row = 0; row < Child<TVirtualTree>(*W, "vt2")->model()->rowCount(); ++row)
    EXPECT_FALSE(CellText(Child<TVirtualTree>(*W, "vt2"), row, 1).startsWith(QStringLiteral("Current")))
        << row;
  EXPECT_GE(SuggestionRowOf("TID_A"), 0);
  EXPECT_GE(SuggestionRowOf("TID_D"), 0);
  // Without a current entry the lists stay empty.
  ClickSection(QStringLiteral("TID_Main"));
  QTest::qWait(100);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt2")->model()->rowCount(), 0);
}

TEST_F(BandTest, SuggestionCellsShowTextSourceWeightAndColour) {
  PickAndSettle("TID_A/btnOpen.TC");
  ASSERT_EQ(CellText(Child<TVirtualTree>(*W, "vt2"), 0, 1), QStringLiteral("Current (TID_A)"));
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vt2"), 0, 0), QStringLiteral("Abrir"));
  EXPECT_TRUE(Bold(Child<TVirtualTree>(*W, "vt2"), 0, 0));
  EXPECT_EQ(Foreground(Child<TVirtualTree>(*W, "vt2"), 0, 0), QColor(0, 128, 255)); // own row, not focused
  EXPECT_EQ(Foreground(Child<TVirtualTree>(*W, "vt2"), 0, 1), QColor(128, 128, 128));

  const int autoRow = SuggestionRowOf("TID_B");
  ASSERT_GE(autoRow, 0);
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vt2"), autoRow, 0), QStringLiteral("Abrir auto"));
  EXPECT_EQ(Foreground(Child<TVirtualTree>(*W, "vt2"), autoRow, 0), QColor(192, 192, 192));
  EXPECT_FALSE(Bold(Child<TVirtualTree>(*W, "vt2"), autoRow, 0));
  const int plainRow = SuggestionRowOf("TID_D");
  ASSERT_GE(plainRow, 0);
  EXPECT_EQ(Foreground(Child<TVirtualTree>(*W, "vt2"), plainRow, 0), QColor(0, 0, 0));
  EXPECT_EQ(CellText(Child<TVirtualTree>(*W, "vt2"), plainRow, 1), QStringLiteral("TID_D"));
}

TEST_F(BandTest, FocusingASuggestionMakesItTheTranslationAsAnEdit) {
  PickAndSettle("TID_C/btnOpen.TC");
  const int row = SuggestionRowOf("TID_D");
  ASSERT_GE(row, 0);
  ClickRow(Child<TVirtualTree>(*W, "vt2"), row, 0);
  EXPECT_EQ(Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText(), QStringLiteral("Abrir archivo"));
  TWordObj *c = Entry("TID_C/btnOpen.TC");
  EXPECT_EQ(c->Translation, "Abrir archivo");
  EXPECT_EQ(c->State(), esTranslated); // no "~"
  EXPECT_TRUE(c->Changed);
  EXPECT_TRUE(W->CurrentProject().Modified);
  // An automatic translation offered as a suggestion comes over as an ordinary edit too.
  ClickRow(Child<TVirtualTree>(*W, "vt2"), SuggestionRowOf("TID_B"), 0);
  EXPECT_EQ(c->Translation, "Abrir auto");
}

TEST_F(BandTest, PickingTheOwnRowBringsTheTranslationBack) {
  PickAndSettle("TID_A/btnOpen.TC");
  Child<QPlainTextEdit>(*W, "TntMemoLng")->setFocus();
  QTest::keyClick(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(Child<QPlainTextEdit>(*W, "TntMemoLng"), QStringLiteral("xx"));
  ASSERT_EQ(Entry("TID_A/btnOpen.TC")->Translation, "Abrirxx");
  ClickRow(Child<TVirtualTree>(*W, "vt2"), 0, 0); // "Current (TID_A)"
  EXPECT_EQ(Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText(), QStringLiteral("Abrir"));
  EXPECT_EQ(Entry("TID_A/btnOpen.TC")->Translation, "Abrir");
  EXPECT_EQ(Foreground(Child<TVirtualTree>(*W, "vt2"), 0, 0), QColor(0, 0, 128)); // own row, focused
}

TEST_F(BandTest, DoubleClickFillsUnconfirmedSameSourceEntriesOnly) {
  PickAndSettle("TID_C/btnOpen.TC");
  const int row = SuggestionRowOf("TID_D");
  ASSERT_GE(row, 0);
  const QRect rect =
      Child<TVirtualTree>(*W, "vt2")->visualRect(Child<TVirtualTree>(*W, "vt2")->model()->index(row, 0));
  QTest::mouseClick(Child<TVirtualTree>(*W, "vt2")->viewport(), Qt::LeftButton, {}, rect.center());
  QTest::mouseDClick(Child<TVirtualTree>(*W, "vt2")->viewport(), Qt::LeftButton, {}, rect.center());
  EXPECT_EQ(Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText(), QStringLiteral("Abrir archivo"));
  // Auto and untranslated entries take the text as automatic translations, unconfirmed.
  EXPECT_EQ(Entry("TID_B/btnOpen.TC")->Translation, "[~]Abrir archivo");
  EXPECT_EQ(Entry("TID_E/btnOpen.TC")->Translation, "[~]Abrir archivo");
  EXPECT_FALSE(Entry("TID_B/btnOpen.TC")->Changed);
  EXPECT_FALSE(Entry("TID_E/btnOpen.TC")->Changed);
  // Ordinary translations are left alone.
  EXPECT_EQ(Entry("TID_A/btnOpen.TC")->Translation, "Abrir");
  EXPECT_EQ(Entry("TID_D/btnOpen.TC")->Translation, "Abrir archivo");
  // A close must ask before dropping the filled entries.
  EXPECT_TRUE(W->CurrentProject().Modified);
}

TEST_F(BandTest, SameSourceListHoldsStillAndApplyToSimilarCopiesTheMainListEntry) {
  PickAndSettle("TID_A/btnOpen.TC");
  const int rows = Child<TVirtualTree>(*W, "vt1a")->model()->rowCount();
  ASSERT_GT(rows, 1);
  std::vector<TWordObj *> before;
  for (int r = 0; r < rows; ++r) before.push_back(Child<TEntryListModel>(*W, "vt1aModel")->Entry(r));
  int rowC = -1;
  for (int r = 0; r < rows; ++r)
    if (before[static_cast<std::size_t>(r)] == Entry("TID_C/btnOpen.TC")) rowC = r;
  ASSERT_GE(rowC, 0);
  ClickRow(Child<TVirtualTree>(*W, "vt1a"), rowC);
  ASSERT_EQ(W->Current(), Entry("TID_C/btnOpen.TC"));
  EXPECT_TRUE(Child<TStaticHotBtn>(*W, "stApplyToSimilar")->isEnabled());
  EXPECT_TRUE(Child<QAction>(*W, "ApplytoSimilar1")->isEnabled());
  WaitForSuggestions();
  ASSERT_EQ(Child<TVirtualTree>(*W, "vt1a")->model()->rowCount(), rows);
  for (int r = 0; r < rows; ++r)
    EXPECT_EQ(Child<TEntryListModel>(*W, "vt1aModel")->Entry(r), before[static_cast<std::size_t>(r)]);
  EXPECT_GT(Child<TVirtualTree>(*W, "vt2")->model()->rowCount(), 0); // the suggestions follow the new entry
  PressKey(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText(), QStringLiteral("Abrir"));
  EXPECT_EQ(Entry("TID_C/btnOpen.TC")->Translation, "Abrir");
}

TEST_F(BandTest, ApplyAutoTranslationConfirmsOnlyAutomaticTranslations) {
  Pick("TID_B/btnOpen.TC");
  ASSERT_TRUE(Child<QCheckBox>(*W, "cIsAuto")->isChecked());
  PressKey(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_F6);
  EXPECT_EQ(Entry("TID_B/btnOpen.TC")->State(), esTranslated);
  EXPECT_FALSE(Child<QCheckBox>(*W, "cIsAuto")->isChecked());
  Pick("TID_A/btnOpen.TC"); // moving away settles the change
  EXPECT_TRUE(Entry("TID_B/btnOpen.TC")->Changed);
  EXPECT_TRUE(W->CurrentProject().Modified);
  PressKey(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_F6);
  EXPECT_EQ(Entry("TID_A/btnOpen.TC")->Translation, "Abrir");
}

} // namespace vt::test
