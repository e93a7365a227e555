#include "guarded_application.h"

#include "crash/crash_log.h"

#include <exception>

namespace vt {

bool TGuardedApplication::notify(QObject *receiver, QEvent *event) {
  QString what;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception &error) {
    what = QString::fromUtf8(error.what());
  } catch (...) {
    what = QStringLiteral("unknown error");
  }
  LogLine("transclient: " + what.toStdString());
  if (OnError) OnError(what);
  return false;
}

} // namespace vt
