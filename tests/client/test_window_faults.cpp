// Window behaviour around faults once met: the status line's rounding, the open dialog's filter, the
// right-hand buttons of the translation editor, a browser that is made only when needed, the
// editor's line breaks on their way to the machine translators and a batch change.
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace vt::test {

TEST_F(WindowTest, StatusLineRoundsHalvesAwayFromZero) {
  // 16 entries, one translated: 6.25% shows as 6.3%.
  QByteArray source = "[S]\n", translation = "[S]\ne0.TC=Uno\n";
  for (int i = 0; i < 16; ++i)
    source += "e" + QByteArray::number(i) + ".TC=Text " + QByteArray::number(i) + "\n";
  WriteTestFile(Dir.path() + QStringLiteral("/R.SrcLng"), source);
  WriteTestFile(Dir.path() + QStringLiteral("/R.kxLng"), translation);
  Asker->OpenFiles.push_back(Dir.path() + QStringLiteral("/R.kxLng"));
  Child<QAction>(*W, "OpenFile1")->trigger();
  ClickSection(QStringLiteral("S"));
  EXPECT_EQ(Child<QLabel>(*W, "StatusPanel0")->text(), QStringLiteral("S ,  16  ,  6.3%"));
}

TEST_F(WindowTest, OpenDialogOffersTheAutoTranslationFile) {
  WriteTestFile(PathOf(QStringLiteral("AutoLng")), "[TID_Form1]\nbtnOk.TH=Confirmar\n");
  OpenThroughMenu(QStringLiteral("AutoLng"));
  ASSERT_EQ(Asker->Filters.size(), 1);
  EXPECT_TRUE(Asker->Filters[0].contains(QStringLiteral("*.AutoLng"))) << Asker->Filters[0].toStdString();
  EXPECT_FALSE(Asker->Filters[0].contains(QStringLiteral("kxAuto")));
  EXPECT_TRUE(Asker->Errors.isEmpty());
  ASSERT_NE(Entry("TID_Form1/btnOk.TH"), nullptr);
  EXPECT_EQ(Entry("TID_Form1/btnOk.TH")->AutoText, "Confirmar");
}

TEST_F(WindowTest, RightHandButtonsHideEachByItsOwnEdge) {
  auto *panel = Child<QWidget>(*W, "pnl_trans_right");
  auto *bevel = Child<QWidget>(*W, "BevelRight");
  const char *rightToLeft[] = {"stUpdate",        "stMoveDown",        "Bevel8",
                               "stAutoTranslate", "stGoogleTranslate", "stApplyToSimilar"};
  const auto visible = [&](const char *name) { return Child<QWidget>(*W, name)->isVisibleTo(panel); };
  // Wide: all six show.
  panel->resize(bevel->geometry().right() + 600, panel->height());
  for (const char *name : rightToLeft) EXPECT_TRUE(visible(name)) << name;
  // Room for the two rightmost only: those stay, the other four give way.
  const int two = Child<QWidget>(*W, "stUpdate")->width() + Child<QWidget>(*W, "stMoveDown")->width() + 2;
  panel->resize(bevel->geometry().right() + 1 + two + 1, panel->height());
  EXPECT_TRUE(visible("stUpdate"));
  EXPECT_TRUE(visible("stMoveDown"));
  for (const char *name : {"Bevel8", "stAutoTranslate", "stGoogleTranslate", "stApplyToSimilar"})
    EXPECT_FALSE(visible(name)) << name;
  // Every shown control lies right of the bevel and none overlaps the next.
  for (const char *name : rightToLeft) {
    if (visible(name)) {
      EXPECT_GT(Child<QWidget>(*W, name)->geometry().left(), bevel->geometry().right()) << name;
    }
  }
  EXPECT_LT(Child<QWidget>(*W, "stMoveDown")->geometry().right(),
            Child<QWidget>(*W, "stUpdate")->geometry().left());
}

TEST_F(WindowTest, TheBrowserIsMadeOnlyWhenACommandNeedsIt) {
  OpenThroughMenu();
  ClickSection(QStringLiteral("TID_Form1"));
  ClickRow(Child<TVirtualTree>(*W, "vt1"), RowOf(Child<TVirtualTree>(*W, "vt1"), QStringLiteral("btnOk.TC")));
  EXPECT_EQ(W->BrowserDialog(), nullptr);
  EXPECT_TRUE(Child<QAction>(*W, "GoogleTranslate1")->isEnabled());
  EXPECT_TRUE(Child<QAction>(*W, "GoogleReverseTranslation1")->isEnabled());
}

TEST_F(WindowTest, EditsThroughTheWindowSettleWhenTheEntryChanges) {
  OpenThroughMenu();
  ClickSection(QStringLiteral("[ALL]"));
  auto *list = Child<TVirtualTree>(*W, "vt1");
  auto *memo = Child<QPlainTextEdit>(*W, "TntMemoLng");
  ClickRow(list, RowOf(list, QStringLiteral("btnOk.TC")));
  ASSERT_EQ(W->Current(), Entry("TID_Form1/btnOk.TC"));
  memo->selectAll();
  QTest::keyClicks(memo, QStringLiteral("Vale"));
  // Form2's "ok" has the same source apart from case; it takes the text when the entry is left.
  EXPECT_TRUE(Entry("TID_Form2/btnOk.TC")->Translation.empty());
  ClickRow(list, RowOf(list, QStringLiteral("lblAge.TC")));
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->TranslationText(), u"Vale");
  EXPECT_TRUE(Entry("TID_Form1/btnOk.TC")->Changed);
  // A comment queries the entry and ticks the box.
  auto *query = Child<QCheckBox>(*W, "cFuzzy");
  ClickRow(list, RowOf(list, QStringLiteral("btnOk.TC")));
  ASSERT_FALSE(query->isChecked());
  QTest::keyClicks(Child<QLineEdit>(*W, "editQuery"), QStringLiteral("Formal?"));
  EXPECT_TRUE(query->isChecked());
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Comment, "Formal?");
  EXPECT_NE(Entry("TID_Form1/btnOk.TC")->Flags() & efQuery, 0);
}

TEST_F(WindowTest, ABatchChangeReloadsTheEditorsAndUndoGoesBackToItsResult) {
  OpenThroughMenu();
  ClickSection(QStringLiteral("TID_Form1"));
  auto *list = Child<TVirtualTree>(*W, "vt1");
  auto *memo = Child<QPlainTextEdit>(*W, "TntMemoLng");
  ClickRow(list, RowOf(list, QStringLiteral("btnOk.TC")));
  memo->selectAll();
  QTest::keyClicks(memo, QStringLiteral("Vale"));
  W->BeginBatchChange();
  // Settled first: the typed text went to the same-source entry before the batch works.
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->TranslationText(), u"Vale");
  TWordObj *ok = Entry("TID_Form1/btnOk.TC");
  ok->SetTranslationText(u"De acuerdo");
  ok->SetFlags(efWarning);
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("Vale")); // not yet reloaded
  W->EndBatchChange();
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("De acuerdo"));
  EXPECT_TRUE(Child<QCheckBox>(*W, "cWarning")->isChecked());
  EXPECT_EQ(W->UpdateDepthValue(), 0);
  // The reload was no edit; Undo goes back to the batch's result, not to the typed text.
  QTest::keyClicks(memo, QStringLiteral("!"));
  Child<QAction>(*W, "Undo1")->trigger();
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("De acuerdo"));
  EXPECT_EQ(ok->Translation, "[!]De acuerdo");
}

} // namespace vt::test
