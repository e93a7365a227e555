#include "virtual_tree.h"

#include <QApplication>
#include <QDateTime>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace vt {

TVirtualTree::TVirtualTree(QWidget *parent) : QTableView(parent) {
  setShowGrid(false); // drawn lighter in paintEvent
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setTabKeyNavigation(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAlternatingRowColors(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setIconSize(QSize(16, 16));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  FitRowHeight();
}

void TVirtualTree::FitRowHeight() {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
  option.text = QStringLiteral("Xg");
  option.decorationSize = iconSize();
  const int height = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
  // A new size walks every row's section: only when it changes.
  if (verticalHeader()->defaultSectionSize() != height) verticalHeader()->setDefaultSectionSize(height);
}

void TVirtualTree::changeEvent(QEvent *event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitRowHeight();
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
    QTableView::keyboardSearch(search);
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
  QTableView::mousePressEvent(event);
  if (index.isValid()) emit RowPressed(index.row(), wasFocused);
}

void TVirtualTree::focusInEvent(QFocusEvent *event) {
  if (currentIndex().isValid()) {
    QTableView::focusInEvent(event);
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
  QTableView::currentChanged(current, previous);
}

QModelIndex TVirtualTree::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  switch (action) {
  case MoveHome:
  case MoveEnd:
    return QTableView::moveCursor(action, modifiers | Qt::ControlModifier);
  case MoveLeft:
  case MoveRight:
    horizontalScrollBar()->triggerAction(action == MoveLeft ? QAbstractSlider::SliderSingleStepSub
                                                            : QAbstractSlider::SliderSingleStepAdd);
    return currentIndex();
  default:
    return QTableView::moveCursor(action, modifiers);
  }
}

void TVirtualTree::paintEvent(QPaintEvent *event) {
  QTableView::paintEvent(event);
  if (!model() || model()->rowCount() == 0) return;
  // Grid lines under each row and right of each column, over the rows shown.
  const QRect area = event->rect();
  const int first = rowAt(area.top());
  if (first < 0) return;
  int last = rowAt(area.bottom());
  if (last < 0) last = model()->rowCount() - 1;
  const int top = rowViewportPosition(first);
  const int bottom = rowViewportPosition(last) + rowHeight(last) - 1;
  int right = 0;
  QPainter painter(viewport());
  painter.setPen(QColor(226, 226, 226));
  for (int section = 0; section < header()->count(); ++section) {
    if (isColumnHidden(section)) continue;
    const int x = columnViewportPosition(section) + columnWidth(section) - 1;
    right = std::max(right, x);
    painter.drawLine(x, top, x, bottom);
  }
  for (int row = first; row <= last; ++row) {
    const int y = rowViewportPosition(row) + rowHeight(row) - 1;
    painter.drawLine(0, y, right, y);
  }
}

} // namespace vt
