#include "virtual_tree.h"

#include <QApplication>
#include <QDateTime>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

namespace vt {

TVirtualTree::TVirtualTree(QWidget *parent) : QTreeView(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAlternatingRowColors(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setIconSize(QSize(16, 16));
  header()->setHighlightSections(false);
}

void TVirtualTree::SetSelectionColors(const QColor &focused, const QColor &unfocused) {
  QPalette p = palette();
  p.setColor(QPalette::Active, QPalette::Highlight, focused);
  p.setColor(QPalette::Inactive, QPalette::Highlight, unfocused);
  p.setColor(QPalette::Active, QPalette::HighlightedText, Qt::black);
  p.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
  setPalette(p);
}

int TVirtualTree::FocusedRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : -1;
}

int TVirtualTree::SpeakingColumn() const {
  if (!model()) return -1;
  if (FSpeakingColumn >= 0 && FSpeakingColumn < model()->columnCount() && !isColumnHidden(FSpeakingColumn))
    return FSpeakingColumn;
  for (int visual = 0; visual < header()->count(); ++visual) {
    const int column = header()->logicalIndex(visual);
    if (!isColumnHidden(column)) return column;
  }
  return 0;
}

void TVirtualTree::FocusRow(int row, bool scrollTo) {
  if (!model() || row < 0 || row >= model()->rowCount()) return;
  const QModelIndex index = model()->index(row, SpeakingColumn());
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  if (scrollTo) this->scrollTo(index);
}

void TVirtualTree::keyboardSearch(const QString &search) {
  if (!SearchRow) {
    QTreeView::keyboardSearch(search);
    return;
  }
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  const bool fresh = now - FLastKey > QApplication::keyboardInputInterval();
  FLastKey = now;
  FSearch = fresh ? search : FSearch + search;
  const int start = std::max(0, FocusedRow() + (fresh ? 1 : 0));
  const int row = SearchRow(FSearch, start);
  if (row >= 0) FocusRow(row, true);
}

void TVirtualTree::mousePressEvent(QMouseEvent *event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  const bool wasFocused = index.isValid() && index.row() == FocusedRow();
  QTreeView::mousePressEvent(event);
  if (index.isValid()) emit RowPressed(index.row(), wasFocused);
}

void TVirtualTree::focusInEvent(QFocusEvent *event) {
  if (currentIndex().isValid()) {
    QTreeView::focusInEvent(event);
    return;
  }
  // The item view would make the first row current here, which picks it.
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TVirtualTree::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
  const int speaking = SpeakingColumn();
  if (current.isValid() && current.column() != speaking) {
    // Same row, the speaking cell: the view follows this nested change instead.
    selectionModel()->setCurrentIndex(current.siblingAtColumn(speaking), QItemSelectionModel::NoUpdate);
    viewport()->update(); // the row that lost the focus is repainted too
    return;
  }
  QTreeView::currentChanged(current, previous);
}

void TVirtualTree::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const {
  // A row background from the model (same object as the current entry) spans the whole row.
  const QVariant background = model()->data(model()->index(index.row(), 0), Qt::BackgroundRole);
  if (background.isValid()) painter->fillRect(option.rect, background.value<QBrush>());
  QTreeView::drawRow(painter, option, index);
  // Grid lines.
  painter->save();
  painter->setPen(QColor(226, 226, 226));
  painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
  for (int section = 0; section < header()->count(); ++section) {
    if (header()->isSectionHidden(section)) continue;
    const int x = columnViewportPosition(section) + columnWidth(section) - 1;
    painter->drawLine(x, option.rect.top(), x, option.rect.bottom());
  }
  painter->restore();
}

} // namespace vt
