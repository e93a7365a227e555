#pragma once
// A flat tree view over a virtual list model: uniform rows, grid lines, whole-row selection, and an
// incremental search that the window may take over.
#include <QColor>
#include <QTreeView>
#include <functional>

namespace vt {

class TVirtualTree : public QTreeView {
  Q_OBJECT
public:
  explicit TVirtualTree(QWidget *parent = nullptr);
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
  void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
  QString FSearch;
  int FSpeakingColumn = -1;
  qint64 FLastKey = 0;
};

} // namespace vt
