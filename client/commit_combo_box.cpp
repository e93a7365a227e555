#include "commit_combo_box.h"

#include <QKeyEvent>

namespace vt {

TCommitComboBox::TCommitComboBox(QWidget *parent) : QComboBox(parent) {
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (!FBrowsing) emit Committed(index);
  });
}

void TCommitComboBox::keyPressEvent(QKeyEvent *event) {
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
    emit Committed(currentIndex());
    event->accept();
    return;
  }
  // Keys on the closed box browse; the opened list is a widget of its own and commits by itself.
  FBrowsing = true;
  QComboBox::keyPressEvent(event);
  FBrowsing = false;
}

void TCommitComboBox::wheelEvent(QWheelEvent *event) {
  FBrowsing = true;
  QComboBox::wheelEvent(event);
  FBrowsing = false;
}

} // namespace vt
