// Section choice, filters, sorting and navigation, driven through the real lists and boxes.
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>

namespace vt::test {

class ViewsTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    OpenThroughMenu();
  }
  void Choose(QComboBox *box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  QStringList Keys() const {
    QStringList keys;
    for (int row = 0; row < Child<TVirtualTree>(*W, "vt1")->model()->rowCount(); ++row)
      keys << CellText(Child<TVirtualTree>(*W, "vt1"), row, 0);
    return keys;
  }
};

TEST_F(ViewsTest, PickingASectionFillsTheEntryListAndTheSummary) {
  ClickSection(QStringLiteral("TID_Form1"));
  EXPECT_EQ(Keys(), (QStringList{QStringLiteral("btnOk.TC"), QStringLiteral("btnOk.TH"),
                                 QStringLiteral("btnCancel.TC"), QStringLiteral("lblName.TC"),
                                 QStringLiteral("lblAge.TC")}));
  // 4 of 5 have a stored translation (the auto one counts here, not in the section's status).
  EXPECT_EQ(Child<QLabel>(*W, "StatusPanel0")->text(), QStringLiteral("TID_Form1 ,  5  ,  80.0%"));
  EXPECT_TRUE(
      CellText(Child<TVirtualTree>(*W, "vt1"), 0, TEntryListModel::colId).endsWith(QStringLiteral(" - 0")));
  ClickSection(QStringLiteral("[ALL]"));
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 8);
  EXPECT_FALSE(Child<QPlainTextEdit>(*W, "TntMemoLng")->isEnabled()); // no entry is current after a rebuild
}

TEST_F(ViewsTest, StatusAndTypeFiltersNarrowTheList) {
  ClickSection(QStringLiteral("[ALL]"));
  Choose(Child<QComboBox>(*W, "cbStatus"), 1); // Untranslated: also the auto translations
  EXPECT_EQ(Keys(), (QStringList{QStringLiteral("btnOk.TH"), QStringLiteral("btnCancel.TC"),
                                 QStringLiteral("btnOk.TC"), QStringLiteral("lblHello.TC"),
                                 QStringLiteral("msgMissing.MG")}));
  Choose(Child<QComboBox>(*W, "cbStatus"), 3); // Query
  EXPECT_EQ(Keys(), QStringList{QStringLiteral("lblName.TC")});
  Choose(Child<QComboBox>(*W, "cbStatus"), 0);
  Choose(Child<QComboBox>(*W, "cbTypes"), 4); // Messages
  EXPECT_EQ(Keys(), QStringList{QStringLiteral("msgMissing.MG")});
  Choose(Child<QComboBox>(*W, "cbStatus"), 5); // Warnings among messages: none
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 0);
  EXPECT_EQ(Child<QLabel>(*W, "StatusPanel0")->text(), QStringLiteral("[ALL] ,  (Empty)"));
  Child<TStaticHotBtn>(*W, "stFilter")->click(); // View All clears every filter
  EXPECT_EQ(Child<QComboBox>(*W, "cbStatus")->currentIndex(), 0);
  EXPECT_EQ(Child<QComboBox>(*W, "cbTypes")->currentIndex(), 0);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 8);
}

TEST_F(ViewsTest, TextFilterAsksForTheTextAndDuplicatesHide) {
  ClickSection(QStringLiteral("[ALL]"));
  QTest::mouseClick(Child<QLabel>(*W, "Label7"), Qt::LeftButton); // the label toggles its box
  EXPECT_TRUE(Child<QCheckBox>(*W, "cTextfilt")->isChecked());
  EXPECT_TRUE(Child<QComboBox>(*W, "cbSearchMethod")->isVisible());
  Asker->Inputs = {QStringLiteral("ok")};
  Choose(Child<QComboBox>(*W, "cbSearchMethod"), 3); // Full Match, case ignored
  EXPECT_EQ(Keys(), (QStringList{QStringLiteral("btnOk.TC"), QStringLiteral("btnOk.TC")}));
  EXPECT_TRUE(Asker->Prompts.contains(QStringLiteral("Apply Filter:Full Match")));
  Asker->Inputs = {QStringLiteral("not a number")};
  Choose(Child<QComboBox>(*W, "cbSearchMethod"), 4); // No. Words >: a bad answer changes nothing
  EXPECT_EQ(Child<QSpinBox>(*W, "rxWordCount")->value(), 1);
  Asker->Inputs = {QStringLiteral("1")};
  Child<QAction>(*W, "Filter1")->trigger();
  EXPECT_EQ(Keys(), (QStringList{QStringLiteral("lblHello.TC"), QStringLiteral("msgMissing.MG")}));
  Asker->Inputs = {QStringLiteral("-5")};
  Child<QAction>(*W, "Filter1")->trigger();
  EXPECT_EQ(Child<QSpinBox>(*W, "rxWordCount")->value(), 1);
  QTest::mouseClick(Child<QLabel>(*W, "Label7"), Qt::LeftButton); // off again: no text filter
  EXPECT_FALSE(Child<QComboBox>(*W, "cbSearchMethod")->isVisible());
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 8);
  QTest::mouseClick(Child<QCheckBox>(*W, "cDeDup"), Qt::LeftButton);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 7); // "OK" and "ok" are one source
}

TEST_F(ViewsTest, HeaderClickSortsAndKeepsTheFocusedEntryCurrent) {
  ClickSection(QStringLiteral("TID_Form1"));
  ClickRow(Child<TVirtualTree>(*W, "vt1"),
           RowOf(Child<TVirtualTree>(*W, "vt1"), QStringLiteral("lblAge.TC")));
  TWordObj *picked = W->Current();
  ASSERT_NE(picked, nullptr);
  QHeaderView *header = Child<TVirtualTree>(*W, "vt1")->header();
  const int x = header->sectionViewportPosition(TEntryListModel::colOriginal) + 10;
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  EXPECT_EQ(W->SortColumnValue(), TSortColumn::Original);
  EXPECT_EQ(W->SortSignValue(), +1);
  EXPECT_EQ(Keys(), (QStringList{QStringLiteral("lblName.TC"), QStringLiteral("lblAge.TC"),
                                 QStringLiteral("btnCancel.TC"), QStringLiteral("btnOk.TH"),
                                 QStringLiteral("btnOk.TC")}));
  EXPECT_EQ(W->Current(), picked);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->FocusedRow(), 1);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  EXPECT_EQ(W->SortSignValue(), -1);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->FocusedRow(), 3);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
  // The next rebuild keeps the last sort setting.
  ClickSection(QStringLiteral("TID_Form2"));
  EXPECT_EQ(Keys(), (QStringList{QStringLiteral("btnOk.TC"), QStringLiteral("lblHello.TC")}));
}

TEST_F(ViewsTest, NextAndPreviousFollowTheNavigationMethod) {
  ClickSection(QStringLiteral("[ALL]"));
  ASSERT_EQ(Child<TVirtualTree>(*W, "vt1")->FocusedRow(), -1);
  PressKey(Child<TVirtualTree>(*W, "vtList"), Qt::Key_F4); // no focused row: Next starts at the first
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->FocusedRow(), 0);
  EXPECT_EQ(W->Current(), Entry("TID_Form1/btnOk.TC"));
  PressKey(Child<TVirtualTree>(*W, "vt1"), Qt::Key_F4);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->FocusedRow(), 1);
  PressKey(Child<TVirtualTree>(*W, "vt1"), Qt::Key_F3);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->FocusedRow(), 0);
  PressKey(Child<TVirtualTree>(*W, "vt1"), Qt::Key_F3); // nothing before the first row: no wrap
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->FocusedRow(), 0);

  Child<QComboBox>(*W, "cbNavMethod")->setCurrentIndex(0); // Untranslated: not esTranslated
  Child<TStaticHotBtn>(*W, "stNext")->click();
  EXPECT_EQ(W->Current(), Entry("TID_Form1/btnOk.TH"));
  Child<TStaticHotBtn>(*W, "stNext")->click();
  EXPECT_EQ(W->Current(), Entry("TID_Form1/btnCancel.TC"));
  Child<QComboBox>(*W, "cbNavMethod")->setCurrentIndex(4); // Warning
  Child<TStaticHotBtn>(*W, "stNext")->click();
  EXPECT_EQ(W->Current(), Entry("TID_Form1/lblAge.TC"));
  Child<QComboBox>(*W, "cbNavMethod")->setCurrentIndex(2); // Query: none after lblAge
  Child<TStaticHotBtn>(*W, "stNext")->click();
  EXPECT_EQ(W->Current(), Entry("TID_Form1/lblAge.TC"));
  Child<TStaticHotBtn>(*W, "stPrev")->click();
  EXPECT_EQ(W->Current(), Entry("TID_Form1/lblName.TC"));
  Child<QComboBox>(*W, "cbNavMethod")
      ->setCurrentIndex(3); // Auto Translated, typed with the keyboard in the editor
  Child<QPlainTextEdit>(*W, "TntMemoLng")->setFocus();
  PressKey(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_F4);
  EXPECT_EQ(W->Current(), Entry("TID_Form2/lblHello.TC"));
}

TEST_F(ViewsTest, KeyboardOnlySectionAndEntryChoice) {
  Child<TVirtualTree>(*W, "vtList")->setFocus(); // the focus alone picks nothing
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 0);
  PressKey(Child<TVirtualTree>(*W, "vtList"), Qt::Key_Down); // the arrows do: [ALL] first
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 8);
  PressKey(Child<TVirtualTree>(*W, "vtList"), Qt::Key_Down);
  EXPECT_EQ(Child<TVirtualTree>(*W, "vt1")->model()->rowCount(), 5);
  PressKey(Child<TVirtualTree>(*W, "vtList"), Qt::Key_Return); // on to the entry list
  EXPECT_TRUE(Child<TVirtualTree>(*W, "vt1")->hasFocus());
  PressKey(Child<TVirtualTree>(*W, "vt1"), Qt::Key_Down);
  ASSERT_NE(W->Current(), nullptr);
  PressKey(Child<TVirtualTree>(*W, "vt1"), Qt::Key_Return); // on to the translation
  EXPECT_TRUE(Child<QPlainTextEdit>(*W, "TntMemoLng")->hasFocus());
  PressKey(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_Escape); // back to the list
  EXPECT_TRUE(Child<TVirtualTree>(*W, "vt1")->hasFocus());
}

TEST_F(ViewsTest, ListKeysMoveByRowsAndTabLeavesTheList) {
  ClickSection(QStringLiteral("[ALL]"));
  auto *list = Child<TVirtualTree>(*W, "vt1");
  list->setFocus();
  PressKey(list, Qt::Key_Down);
  const int speaking = list->currentIndex().column();
  // End and Home go to the last and first row; the sideways keys leave the row and its cell.
  PressKey(list, Qt::Key_End);
  EXPECT_EQ(list->FocusedRow(), list->model()->rowCount() - 1);
  EXPECT_EQ(W->Current(), Entry("Messages/msgMissing.MG"));
  PressKey(list, Qt::Key_Right);
  PressKey(list, Qt::Key_Left);
  PressKey(list, Qt::Key_Left);
  EXPECT_EQ(list->FocusedRow(), list->model()->rowCount() - 1);
  EXPECT_EQ(list->currentIndex().column(), speaking);
  PressKey(list, Qt::Key_Home);
  EXPECT_EQ(list->FocusedRow(), 0);
  EXPECT_EQ(list->currentIndex().column(), speaking);
  // Tab moves on to the next control instead of along the row's cells.
  PressKey(list, Qt::Key_Tab);
  EXPECT_FALSE(list->hasFocus());
  EXPECT_EQ(list->FocusedRow(), 0);
}

TEST_F(ViewsTest, IncrementalSearchFindsBySourceIgnoringCase) {
  ClickSection(QStringLiteral("[ALL]"));
  Child<TVirtualTree>(*W, "vt1")->setFocus();
  QTest::keyClicks(Child<TVirtualTree>(*W, "vt1"), QStringLiteral("hel"));
  EXPECT_EQ(W->Current(), Entry("TID_Form2/lblHello.TC"));
}

TEST_F(ViewsTest, ColumnChoiceShowsAndHidesColumns) {
  EXPECT_TRUE(Child<TVirtualTree>(*W, "vt1")->isColumnHidden(TEntryListModel::colName));
  QAction *itemName = nullptr;
  for (QAction *a : Child<QMenu>(*W, "PopupMenu1")->actions())
    if (a->text() == QStringLiteral("Item Name")) itemName = a;
  ASSERT_NE(itemName, nullptr);
  EXPECT_FALSE(itemName->isChecked());
  itemName->trigger();
  EXPECT_FALSE(Child<TVirtualTree>(*W, "vt1")->isColumnHidden(TEntryListModel::colName));
  itemName->trigger();
  EXPECT_TRUE(Child<TVirtualTree>(*W, "vt1")->isColumnHidden(TEntryListModel::colName));
}

TEST_F(ViewsTest, CellColoursAndImagesFollowTheEntry) {
  ClickSection(QStringLiteral("TID_Form1"));
  const auto color = [&](const char *key, int column) {
    return Child<TVirtualTree>(*W, "vt1")
        ->model()
        ->index(RowOf(Child<TVirtualTree>(*W, "vt1"), QLatin1String(key)), column)
        .data(Qt::ForegroundRole)
        .value<QBrush>()
        .color();
  };
  EXPECT_EQ(color("lblAge.TC", 1), QColor(200, 0, 0));        // warning
  EXPECT_EQ(color("lblName.TC", 1), QColor(0, 128, 0));       // query
  EXPECT_EQ(color("btnCancel.TC", 2), QColor(128, 128, 128)); // auto translated
  EXPECT_EQ(color("btnOk.TC", 2), QColor(0, 128, 255));
  EXPECT_EQ(color("btnOk.TH", 1), QColor(128, 128, 128)); // untranslated
  ClickRow(Child<TVirtualTree>(*W, "vt1"), 0);
  // The caption's hint belongs to the same object and is marked.
  EXPECT_TRUE(Child<TVirtualTree>(*W, "vt1")
                  ->model()
                  ->index(RowOf(Child<TVirtualTree>(*W, "vt1"), QStringLiteral("btnOk.TH")), 1)
                  .data(Qt::BackgroundRole)
                  .isValid());
  EXPECT_FALSE(Child<TVirtualTree>(*W, "vt1")
                   ->model()
                   ->index(RowOf(Child<TVirtualTree>(*W, "vt1"), QStringLiteral("lblAge.TC")), 1)
                   .data(Qt::BackgroundRole)
                   .isValid());
}

} // namespace vt::test
