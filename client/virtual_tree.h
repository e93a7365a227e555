#pragma once
// A flat list over a virtual list model: uniform rows, light grid lines, whole-row selection, and
// an incremental search that the window may take over. It is a table underneath: a table lays out
// only its row count, where a tree walks every row on each reset (a million rows took a tenth of a
// second every time the list was filled).
#include <QColor>
#include <QHeaderView>
#include <QTableView>
#include <functional>

namespace vt {

class TVirtualTree : public QTableView {
  Q_OBJECT
public:
  explicit TVirtualTree(QWidget *parent = nullptr);
  // The column headers.
  QHeaderView *header() const { return horizontalHeader(); }
  // Selection colours for the focused and the unfocused list.
  void SetSelectionColors(const QColor &focused, const QColor &unfocused);
  // Takes over incremental search: text typed so far, row to start from; returns the row or -1.
  std::function<int(const QString &text, int startRow)> SearchRow;
  int FocusedRow() const;
  // Makes a row current and selected; its current cell is the column that speaks for the row.
  void FocusRow(int row, bool scrollTo);
  // The column whose cell is current on every row (screen readers announce the current cell), or -1
  // for the first visible column. A hidden column never holds the current cell.
  void SetSpeakingColumn(int column) { FSpeakingColumn = column; }
  int SpeakingColumn() const;

  void keyboardSearch(const QString &search) override;

signals:
  // A mouse press on a row (also on the row that is already focused).
  void RowPressed(int row, bool wasFocused);

protected:
  void mousePressEvent(QMouseEvent *event) override;
  // Moving the focus into the list leaves its rows alone: a list without a current row gets none,
  // so Tab never picks a row; the arrow keys do.
  void focusInEvent(QFocusEvent *event) override;
  void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
  // Keys move between rows as in a list: Home and End go to the first and last row, Left and Right
  // scroll sideways.
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void paintEvent(QPaintEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  // The height of every row: a line of text beside an icon, as the style draws an item.
  void FitRowHeight();

  QString FSearch;
  int FSpeakingColumn = -1;
  qint64 FLastKey = 0;
};

} // namespace vt
