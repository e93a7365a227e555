#include "guarded_application.h"

#include <exception>
#include <iostream>

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
  std::cerr << "transclient: " << what.toStdString() << std::endl;
  if (OnError) OnError(what);
  return false;
}

} // namespace vt
