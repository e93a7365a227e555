// The main window as a keyboard and screen-reader user meets it: what the accessibility interfaces
// report, where the focus goes, and which keys reach which pane.
#include "window_fixture.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <vector>

namespace vt::test {

namespace {

QString CellDescription(TVirtualTree *list, int row, int column) {
  QAccessibleInterface *view = QAccessible::queryAccessibleInterface(list);
  QAccessibleTableInterface *table = view ? view->tableInterface() : nullptr;
  // The view lays out its rows a moment after a rebuild; until then it has no cells to offer.
  QAccessibleInterface *cell = nullptr;
  if (!QTest::qWaitFor([&] { return table && (cell = table->cellAt(row, column)) != nullptr; }, 2000))
    return QStringLiteral("(no cell)");
  return cell ? cell->text(QAccessible::Description) : QStringLiteral("(no cell)");
}

} // namespace

class AccessTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    OpenThroughMenu();
  }
  TVirtualTree *List(const char *name) const { return Child<TVirtualTree>(*W, name); }
  QPlainTextEdit *Translation() const { return Child<QPlainTextEdit>(*W, "TntMemoLng"); }
  void FocusAndWait(QWidget *widget) {
    widget->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return widget->hasFocus(); }, 2000));
  }
};

TEST_F(AccessTest, SearchMethodBoxBrowsesWithArrowsAndAsksOnlyOnACommittedChoice) {
  ClickSection(QStringLiteral("[ALL]"));
  QTest::mouseClick(Child<QCheckBox>(*W, "cTextfilt"), Qt::LeftButton);
  auto *box = Child<QComboBox>(*W, "cbSearchMethod");
  ASSERT_TRUE(box->isVisible());
  EXPECT_TRUE(Asker->Prompts.isEmpty()); // "All Items" asks nothing

  // The box has a visible label of its own, as the other boxes of the bar have.
  const QLabel *label = nullptr;
  for (const QLabel *l : W->findChildren<QLabel *>())
    if (l->buddy() == box) label = l;
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), QStringLiteral("Search Method"));

  FocusAndWait(box);
  PressKey(box, Qt::Key_Down);
  PressKey(box, Qt::Key_Down);
  EXPECT_EQ(box->currentText(), QStringLiteral("Contains"));
  PressKey(box, Qt::Key_Up);
  PressKey(box, Qt::Key_End);
  PressKey(box, Qt::Key_Home);
  PressKey(box, Qt::Key_C); // typing a letter browses too
  EXPECT_EQ(box->currentText(), QStringLiteral("Contains"));
  EXPECT_TRUE(Asker->Prompts.isEmpty()) << Asker->Prompts.join(QLatin1Char(',')).toStdString();
  EXPECT_EQ(List("vt1")->model()->rowCount(), 8); // nothing filtered while browsing

  Asker->Inputs = {QStringLiteral("o")};
  PressKey(box, Qt::Key_Return);
  EXPECT_EQ(Asker->Prompts, QStringList{QStringLiteral("Apply Filter:Contains")});
  EXPECT_LT(List("vt1")->model()->rowCount(), 8);

  // Unticking the text filter hides the label with its box.
  QTest::mouseClick(Child<QCheckBox>(*W, "cTextfilt"), Qt::LeftButton);
  EXPECT_FALSE(label->isVisible());
}

TEST_F(AccessTest, RowsAndTheEditorSayTheStatusInWordsAndAStatusKeySaysWhatChanged) {
  ClickSection(QStringLiteral("TID_Form1"));
  TVirtualTree *vt1 = List("vt1");
  const int cancel = RowOf(vt1, QStringLiteral("btnCancel.TC"));
  const int name = RowOf(vt1, QStringLiteral("lblName.TC"));
  const int ok = RowOf(vt1, QStringLiteral("btnOk.TC"));
  EXPECT_EQ(CellDescription(vt1, cancel, TEntryListModel::colOriginal), QStringLiteral("auto translated"));
  EXPECT_EQ(CellDescription(vt1, name, TEntryListModel::colTranslated), QStringLiteral("translated, query"));
  EXPECT_EQ(CellDescription(vt1, ok, TEntryListModel::colOriginal), QStringLiteral("translated"));

  ClickRow(vt1, ok);
  ASSERT_EQ(W->Current(), Entry("TID_Form1/btnOk.TC"));
  EXPECT_EQ(Translation()->accessibleDescription(), QStringLiteral("Status: translated"));
  FocusAndWait(Translation());
  PressKey(Translation(), Qt::Key_Q, Qt::ControlModifier);
  // The row reads differently after Ctrl+Q, the editor says so, and so does the status line.
  EXPECT_EQ(CellDescription(vt1, ok, TEntryListModel::colOriginal), QStringLiteral("translated, query"));
  EXPECT_EQ(Translation()->accessibleDescription(), QStringLiteral("Status: translated, query"));
  EXPECT_EQ(W->statusBar()->currentMessage(), QStringLiteral("Query on"));
  PressKey(Translation(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(W->statusBar()->currentMessage(), QStringLiteral("Warning on"));
  PressKey(Translation(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(W->statusBar()->currentMessage(), QStringLiteral("Query off"));
  EXPECT_EQ(Translation()->accessibleDescription(), QStringLiteral("Status: translated, warning"));
  // Typing marks the entry changed; the row says that too.
  QTest::keyClicks(Translation(), QStringLiteral("!"));
  EXPECT_EQ(CellDescription(vt1, ok, TEntryListModel::colTranslated),
            QStringLiteral("translated, warning, changed"));
}

TEST_F(AccessTest, SectionHolderIsNoWidgetAndSectionChangesSendNoStrayFocus) {
  EXPECT_EQ(W->findChild<QListWidget *>(), nullptr);
  EXPECT_EQ(W->findChild<QWidget *>(QStringLiteral("ListboxSections")), nullptr);
  ClickSection(QStringLiteral("TID_Form2"));
  EXPECT_EQ(List("vt1")->model()->rowCount(), 2);
  ClickSection(QStringLiteral("Messages"));
  EXPECT_EQ(List("vt1")->model()->rowCount(), 1);
}

TEST_F(AccessTest, NextKeepsTheKeyboardInTheEditorAndMakesAVisibleCellCurrent) {
  ClickSection(QStringLiteral("TID_Form1"));
  TVirtualTree *vt1 = List("vt1");
  ClickRow(vt1, 0, TEntryListModel::colId);
  // A click on the ID cell still makes the original text the current cell.
  EXPECT_EQ(vt1->currentIndex().column(), TEntryListModel::colOriginal);
  FocusAndWait(Translation());

  PressKey(Translation(), Qt::Key_F4);
  PressKey(Translation(), Qt::Key_F4);
  PressKey(Translation(), Qt::Key_F3);
  EXPECT_EQ(vt1->FocusedRow(), 1);
  EXPECT_EQ(W->Current(), W->CurrentProject().Selection[1]);
  EXPECT_TRUE(Translation()->hasFocus());
  EXPECT_FALSE(vt1->isColumnHidden(vt1->currentIndex().column()));
  EXPECT_EQ(vt1->currentIndex().column(), TEntryListModel::colOriginal);
  // The list's own idea of its focus follows the keyboard: the cell is current, not focused.
  QAccessibleInterface *view = QAccessible::queryAccessibleInterface(vt1);
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->state().focused);
}

TEST_F(AccessTest, EnteringTheEntryListAnnouncesTheOriginalText) {
  ClickSection(QStringLiteral("TID_Form1"));
  TVirtualTree *vt1 = List("vt1");
  const int ok = RowOf(vt1, QStringLiteral("btnOk.TC"));
  ClickRow(vt1, ok);
  FocusAndWait(Translation());
  FocusAndWait(vt1);
  QAccessibleInterface *view = QAccessible::queryAccessibleInterface(vt1);
  ASSERT_NE(view, nullptr);
  QAccessibleInterface *focused = view->focusChild();
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused->text(QAccessible::Name), QStringLiteral("OK"));
  PressKey(vt1, Qt::Key_Down);
  focused = view->focusChild();
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused->text(QAccessible::Name), CellText(vt1, ok + 1, TEntryListModel::colOriginal));
}

TEST_F(AccessTest, TabIntoTheListsChangesNoSelection) {
  TVirtualTree *vtList = List("vtList");
  QWidget *before = Child<QWidget>(*W, "StaticHotBtn2");
  FocusAndWait(before);
  PressKey(before, Qt::Key_Tab);
  ASSERT_TRUE(vtList->hasFocus());
  EXPECT_EQ(vtList->FocusedRow(), -1);
  EXPECT_TRUE(vtList->selectionModel()->selectedRows().isEmpty());
  EXPECT_EQ(List("vt1")->model()->rowCount(), 0); // no section was picked

  PressKey(vtList, Qt::Key_Tab); // on into the empty entry list, and back
  PressKey(QApplication::focusWidget(), Qt::Key_Backtab);
  ASSERT_TRUE(vtList->hasFocus());
  PressKey(vtList, Qt::Key_Down); // the arrows pick
  EXPECT_EQ(vtList->FocusedRow(), 0);
  EXPECT_EQ(List("vt1")->model()->rowCount(), 8);

  PressKey(vtList, Qt::Key_Tab);
  ASSERT_TRUE(List("vt1")->hasFocus());
  EXPECT_EQ(W->Current(), nullptr); // focus alone makes no entry current
  PressKey(List("vt1"), Qt::Key_Down);
  EXPECT_NE(W->Current(), nullptr);
}

TEST_F(AccessTest, OneKeyReachesEachMainPane) {
  ClickSection(QStringLiteral("TID_Form1"));
  ClickRow(List("vt1"), 0);
  FocusAndWait(Child<QComboBox>(*W, "cbStatus"));
  PressKey(QApplication::focusWidget(), Qt::Key_3, Qt::ControlModifier);
  EXPECT_TRUE(Translation()->hasFocus());
  PressKey(Translation(), Qt::Key_1, Qt::ControlModifier);
  EXPECT_TRUE(List("vtList")->hasFocus());
  PressKey(List("vtList"), Qt::Key_2, Qt::ControlModifier);
  EXPECT_TRUE(List("vt1")->hasFocus());
  EXPECT_EQ(W->Current(), Entry("TID_Form1/btnOk.TC")); // reaching a pane picks nothing

  // A section list dragged shut opens again for its key.
  auto *splitter = Child<QSplitter>(*W, "RxSplitter3");
  splitter->setSizes({0, 1000});
  List("vtList")->hide();
  PressKey(List("vt1"), Qt::Key_1, Qt::ControlModifier);
  EXPECT_TRUE(List("vtList")->isVisible());
  EXPECT_TRUE(List("vtList")->hasFocus());
}

TEST_F(AccessTest, TabWalksTheWindowInReadingOrder) {
  ClickSection(QStringLiteral("TID_Form1"));
  ClickRow(List("vt1"), 0);
  W->ShowAdvancedTools(true);
  QApplication::processEvents();
  // The panes in reading order; Tab visits each once, and within a pane goes line by line.
  const char *panes[] = {"PanelTop", "pnl_client", "Panel1", "pnl_rawleft", "pnl_trans_right"};
  const auto paneOf = [&](QWidget *w) {
    for (int i = 0; i < static_cast<int>(std::size(panes)); ++i)
      if (Child<QWidget>(*W, panes[i])->isAncestorOf(w)) return i;
    return -1;
  };
  QWidget *start = Child<QWidget>(*W, "StaticHotBtn18");
  FocusAndWait(start);
  std::vector<QWidget *> stops{start};
  for (int i = 0; i < 100; ++i) {
    PressKey(QApplication::focusWidget(), Qt::Key_Tab);
    if (QApplication::focusWidget() == start) break;
    stops.push_back(QApplication::focusWidget());
  }
  ASSERT_EQ(QApplication::focusWidget(), start) << "Tab does not come round";
  EXPECT_LE(stops.size(), 40u);
  int pane = 0;
  for (std::size_t i = 0; i < stops.size(); ++i) {
    QWidget *w = stops[i];
    const int p = paneOf(w);
    ASSERT_GE(p, pane) << w->objectName().toStdString() << " is out of reading order";
    if (p == pane && i > 0) {
      const QRect a(stops[i - 1]->mapTo(W.get(), QPoint()), stops[i - 1]->size());
      const QRect b(w->mapTo(W.get(), QPoint()), w->size());
      // On along the line, down to the next line, or up to the top of the next column to the right.
      const bool onward = b.left() >= a.left() - 4 && b.top() < a.bottom();
      const bool nextLine = b.top() >= a.bottom() - 4;
      const bool nextColumn = b.left() >= a.right() - 4;
      EXPECT_TRUE(onward || nextLine || nextColumn)
          << stops[i - 1]->objectName().toStdString() << " then " << w->objectName().toStdString();
    }
    pane = p;
  }
  // The section list is no longer eleven stops away: one key, and close in the Tab order too.
  const auto at = [&](const char *name) {
    return std::find(stops.begin(), stops.end(), Child<QWidget>(*W, name)) - stops.begin();
  };
  EXPECT_LT(at("vtList"), at("vt1"));
  EXPECT_LT(at("vt1"), at("TntMemoLng"));
  EXPECT_LT(at("SpeedButton2"), at("editQuery"));
}

} // namespace vt::test
