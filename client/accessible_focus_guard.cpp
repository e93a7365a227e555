#include "accessible_focus_guard.h"

#include <QAccessible>
#include <QWidget>

namespace vt {

namespace {

QAccessible::UpdateHandler gPrevious = nullptr;
bool gInstalled = false;

void GuardFocusEvents(QAccessibleEvent *event) {
  if (event->type() == QAccessible::Focus) {
    const auto *widget = qobject_cast<const QWidget *>(event->object());
    if (widget && !widget->hasFocus()) return;
  }
  if (gPrevious) {
    gPrevious(event);
    return;
  }
  // No handler before ours: hand the event to the platform as Qt does without a handler.
  QAccessible::installUpdateHandler(nullptr);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(&GuardFocusEvents);
}

} // namespace

void InstallAccessibleFocusGuard() {
  if (gInstalled) return;
  gInstalled = true;
  gPrevious = QAccessible::installUpdateHandler(&GuardFocusEvents);
}

} // namespace vt
