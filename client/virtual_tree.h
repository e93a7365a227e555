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
  void FocusRow(int row, bool scrollTo);

  void keyboardSearch(const QString &search) override;

signals:
  // A mouse press on a row (also on the row that is already focused).
  void RowPressed(int row, bool wasFocused);

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
  QString FSearch;
  qint64 FLastKey = 0;
};

} // namespace vt
