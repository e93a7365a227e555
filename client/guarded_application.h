#pragma once
// The application object of transclient: an error that escapes any event handler ends only that
// event; it is written to the log and the program goes on.
#include <QApplication>
#include <functional>

namespace vt {

class TGuardedApplication : public QApplication {
public:
  TGuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}
  // Also told of each escaped error (the main window writes it to its status bar).
  std::function<void(const QString &)> OnError;
  bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace vt
