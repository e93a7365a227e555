// Editing the current entry: typing, Update Current, Undo, the status boxes and the comment.
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace vt::test {

class EditTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    OpenThroughMenu();
    ClickSection(QStringLiteral("[ALL]"));
  }
  void Pick(const char *fullId) {
    const QString id = QLatin1String(fullId);
    const QString key = id.mid(id.indexOf(QLatin1Char('/')) + 1);
    for (int row = 0; row < Child<TVirtualTree>(*W, "vt1")->model()->rowCount(); ++row)
      if (Child<TEntryListModel>(*W, "vt1Model")->Entry(row) == Entry(fullId))
        return ClickRow(Child<TVirtualTree>(*W, "vt1"), row);
    FAIL() << "not listed: " << fullId << key.toStdString();
  }
  void TypeAtEnd(const QString &text) {
    Child<QPlainTextEdit>(*W, "TntMemoLng")->setFocus();
    QTest::keyClick(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(Child<QPlainTextEdit>(*W, "TntMemoLng"), text);
  }
};

TEST_F(EditTest, PickingAnEntryFillsTheEditors) {
  Pick("TID_Form1/lblName.TC");
  EXPECT_EQ(Child<QPlainTextEdit>(*W, "TntMemoSrc")->toPlainText(), QStringLiteral("&Name"));
  EXPECT_EQ(Child<QLabel>(*W, "TntLabel1")->text(), QStringLiteral("&Name"));
  EXPECT_EQ(Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText(), QStringLiteral("&Nombre"));
  EXPECT_EQ(Child<QLineEdit>(*W, "editQuery")->text(), QStringLiteral("Which name?"));
  EXPECT_TRUE(Child<QCheckBox>(*W, "cFuzzy")->isChecked());
  EXPECT_TRUE(Child<QAction>(*W, "Queried1")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(*W, "cWarning")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(*W, "cIsAuto")->isEnabled());
  EXPECT_FALSE(Child<QCheckBox>(*W, "cIsAuto")->isChecked());
  EXPECT_FALSE(W->CurrentProject().Modified); // loading is no edit
  Pick("Messages/msgMissing.MG");
  EXPECT_FALSE(Child<QCheckBox>(*W, "cIsAuto")->isEnabled()); // untranslated
}

TEST_F(EditTest, TypingIntoAnAutoTranslationMakesItOrdinaryAndKeepsFlags) {
  Entry("TID_Form1/btnCancel.TC")->SetFlags(efQuery);
  Pick("TID_Form1/btnCancel.TC");
  ASSERT_TRUE(Child<QCheckBox>(*W, "cIsAuto")->isChecked());
  TypeAtEnd(QStringLiteral("s"));
  TWordObj *e = Entry("TID_Form1/btnCancel.TC");
  EXPECT_EQ(e->Translation, "[?]Cancelars");
  EXPECT_EQ(e->State(), esTranslated);
  EXPECT_TRUE(e->Changed);
  EXPECT_TRUE(W->CurrentProject().Modified);
  EXPECT_FALSE(Child<QCheckBox>(*W, "cIsAuto")->isChecked());
  EXPECT_TRUE(Child<QTimer>(*W, "TimerBU")->isActive());
}

TEST_F(EditTest, ClearingAQueriedTranslationKeepsThePrefix) {
  Pick("TID_Form1/lblName.TC");
  Child<QAction>(*W, "ClearTranslation1")->trigger();
  EXPECT_EQ(Entry("TID_Form1/lblName.TC")->Translation, "[?]");
  EXPECT_EQ(Entry("TID_Form1/lblName.TC")->State(), esTranslated);
}

TEST_F(EditTest, UpdateCurrentWithReplaceAllOverwritesSameSourceEntries) {
  Entry("TID_Form2/btnOk.TC")->Translation = "Vale";
  Pick("TID_Form1/btnOk.TC");
  ASSERT_TRUE(Child<QCheckBox>(*W, "cReplaceAuto")->isChecked());
  PressKey(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_F5);
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->Translation, "Aceptar");
  EXPECT_TRUE(W->CurrentProject().Modified);
}

TEST_F(EditTest, UpdateCurrentWithoutReplaceAllFillsOnlyEmptyOnes) {
  Entry("TID_Form2/btnOk.TC")->Translation = "Vale";
  QTest::mouseClick(Child<QCheckBox>(*W, "cReplaceAuto"), Qt::LeftButton);
  ASSERT_FALSE(Child<QCheckBox>(*W, "cReplaceAuto")->isChecked());
  Pick("TID_Form1/btnOk.TC");
  Child<TStaticHotBtn>(*W, "StaticHotBtn2")->click();
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->Translation, "Vale");
  Entry("TID_Form2/btnOk.TC")->Translation.clear();
  Child<TStaticHotBtn>(*W, "stUpdate")->click();
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->Translation, "Aceptar");
}

TEST_F(EditTest, UpdateCurrentWithEmptyMemoOnlyDropsTheAutoMark) {
  Entry("TID_Form1/btnCancel.TC")->Translation = "[~?]";
  Pick("TID_Form1/btnCancel.TC");
  Child<QAction>(*W, "Update1")->trigger();
  EXPECT_EQ(Entry("TID_Form1/btnCancel.TC")->Translation, "[?]");
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->Translation, "");
}

TEST_F(EditTest, UndoRestoresTheStateOfTheLastTimeTheEntryBecameCurrent) {
  Pick("TID_Form1/btnOk.TC");
  TypeAtEnd(QStringLiteral("1"));
  Pick("TID_Form1/lblAge.TC");
  Pick("TID_Form1/btnOk.TC");
  TypeAtEnd(QStringLiteral("2"));
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "Aceptar12");
  Child<QPlainTextEdit>(*W, "TntMemoLng")->setFocus();
  PressKey(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_Z,
           Qt::ControlModifier); // the window command, not the editor's undo
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "Aceptar1");
  EXPECT_EQ(Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText(), QStringLiteral("Aceptar1"));
  Child<TStaticHotBtn>(*W, "stUndo")->click(); // repeatable
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "Aceptar1");
}

TEST_F(EditTest, SectionCountsFollowTypedTranslationsOnTheNextPick) {
  auto *sections = Child<TVirtualTree>(*W, "vtList");
  const auto form1Count = [&] {
    for (int row = 0; row < sections->model()->rowCount(); ++row)
      if (CellText(sections, row, 0) == QStringLiteral("TID_Form1")) return CellText(sections, row, 1);
    return QString();
  };
  EXPECT_EQ(form1Count(), QStringLiteral("3 / 5"));
  ClickSection(QStringLiteral("TID_Form2")); // nothing changed: the counts stand
  EXPECT_EQ(form1Count(), QStringLiteral("3 / 5"));
  ClickSection(QStringLiteral("TID_Form1"));
  Pick("TID_Form1/btnOk.TH");
  TypeAtEnd(QStringLiteral("Confirmar"));
  ClickSection(QStringLiteral("Messages"));
  EXPECT_EQ(form1Count(), QStringLiteral("4 / 5"));
}

TEST_F(EditTest, QueryCheckedThenMovingAwayCopiesToSameSource) {
  Pick("TID_Form1/btnOk.TC");
  PressKey(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_TRUE(Child<QCheckBox>(*W, "cFuzzy")->isChecked());
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "[?]Aceptar");
  EXPECT_FALSE(W->CurrentProject().Modified); // settled when the entry stops being current
  Pick("TID_Form1/lblAge.TC");
  EXPECT_TRUE(Entry("TID_Form1/btnOk.TC")->Changed);
  EXPECT_TRUE(W->CurrentProject().Modified);
  EXPECT_EQ(Entry("TID_Form2/btnOk.TC")->TranslationText(), u"Aceptar");
}

TEST_F(EditTest, StatusMenuItemsDoNothingWithoutACurrentEntry) {
  ASSERT_EQ(W->Current(), nullptr);
  Child<QAction>(*W, "Warning1")->trigger();
  EXPECT_FALSE(Child<QCheckBox>(*W, "cWarning")->isChecked());
  EXPECT_FALSE(Child<QAction>(*W, "Warning1")->isChecked());
}

TEST_F(EditTest, AutoBoxTogglesBetweenTranslatedAndAuto) {
  Pick("TID_Form1/btnOk.TC");
  QTest::mouseClick(Child<QCheckBox>(*W, "cIsAuto"), Qt::LeftButton);
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->State(), esAutoTranslated);
  EXPECT_TRUE(Child<QAction>(*W, "AutoTranslated1")->isChecked());
  Child<QAction>(*W, "AutoTranslated1")->trigger();
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "Aceptar");
}

TEST_F(EditTest, ACommentChecksQueryAndTheClearItemUnchecksIt) {
  Pick("TID_Form1/lblAge.TC");
  ASSERT_FALSE(Child<QCheckBox>(*W, "cFuzzy")->isChecked());
  Child<QLineEdit>(*W, "editQuery")->setFocus();
  QTest::keyClicks(Child<QLineEdit>(*W, "editQuery"), QStringLiteral("Edad?"));
  TWordObj *e = Entry("TID_Form1/lblAge.TC");
  EXPECT_EQ(e->Comment, "Edad?");
  EXPECT_TRUE(Child<QCheckBox>(*W, "cFuzzy")->isChecked());
  EXPECT_TRUE(e->Flags() & efQuery);
  EXPECT_TRUE(W->CurrentProject().Modified);
  Child<QLineEdit>(*W, "editQuery")->selectAll();
  QTest::keyClick(Child<QLineEdit>(*W, "editQuery"), Qt::Key_Delete);
  EXPECT_EQ(e->Comment, "");
  EXPECT_TRUE(Child<QCheckBox>(*W, "cFuzzy")->isChecked()); // clearing by hand leaves Query
  Child<QAction>(*W, "NotSureaboutmeaning1")->trigger();
  EXPECT_EQ(e->Comment, "Not Sure about meaning");
  Child<QAction>(*W, "Clear1")->trigger();
  EXPECT_EQ(e->Comment, "");
  EXPECT_FALSE(Child<QCheckBox>(*W, "cFuzzy")->isChecked());
  EXPECT_FALSE(e->Flags() & efQuery);
}

TEST_F(EditTest, CommentKeepsWindows1252Characters) {
  Pick("TID_Form1/lblAge.TC");
  Child<QLineEdit>(*W, "editQuery")->setText(QString::fromUtf8("¿Año?"));
  EXPECT_EQ(Entry("TID_Form1/lblAge.TC")->Comment, "\xBF"
                                                   "A\xF1o?");
}

TEST_F(EditTest, ClipboardCommands) {
  Pick("TID_Form1/btnOk.TC");
  Child<QAction>(*W, "CopyOriginaltoClipboard1")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("OK"));
  QApplication::clipboard()->setText(QStringLiteral("Vale"));
  Child<TVirtualTree>(*W, "vt1")->setFocus();
  Child<QAction>(*W, "PastefromClipboard1")->trigger(); // the memo has no focus: replaces the whole text
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "Vale");
  Child<QPlainTextEdit>(*W, "TntMemoLng")->setFocus();
  QTest::keyClick(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_Home, Qt::ControlModifier);
  Child<QAction>(*W, "PastefromClipboard1")->trigger(); // with the focus: inserts at the caret
  EXPECT_EQ(Entry("TID_Form1/btnOk.TC")->Translation, "ValeVale");
  Child<QAction>(*W, "CopyTranslationtoClipboard1")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ValeVale"));
}

TEST_F(EditTest, MoveDownUpdatesAndGoesOn) {
  Pick("TID_Form1/btnCancel.TC");
  Child<TStaticHotBtn>(*W, "stMoveDown")->click();
  EXPECT_EQ(Entry("TID_Form1/btnCancel.TC")->Translation, "Cancelar");
  EXPECT_EQ(W->Current(), Entry("TID_Form1/lblName.TC"));
}

TEST_F(EditTest, SwapButtonExchangesCommentAndTranslation) {
  Pick("TID_Form1/lblName.TC");
  Child<QToolButton>(*W, "SpeedButton2")->click();
  TWordObj *e = Entry("TID_Form1/lblName.TC");
  EXPECT_EQ(e->Comment, "&Nombre");
  EXPECT_EQ(e->TranslationText(), u"Which name?");
  EXPECT_FALSE(Child<QCheckBox>(*W, "cFuzzy")->isChecked());
}

} // namespace vt::test
