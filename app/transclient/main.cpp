// transclient: creates the main window and the administrator window, and shows only the main
// window. The browser translation dialog waits until a command needs it: its module, and with it
// the browser's libraries, is loaded then.
#include "client/core/project_preload.h"
#include "client/crash_startup.h"
#include "client/guarded_application.h"
#include "client/prev_dfm_frm.h"
#include "client/start_options.h"
#include "client/trans_client_frm.h"
#include "tools/ui/trans_grab_frm.h"

#include <QElapsedTimer>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <iostream>
#include <malloc.h>
#include <memory>

int main(int argc, char **argv) {
#ifdef M_TOP_PAD
  // A thread's heap is made writable only as far as each allocation needs: reading a project on a
  // second thread took one system call per page of entries (some 50,000 for a million). Each new
  // heap is made writable whole (64 MiB, the most a thread's heap takes); untouched pages still
  // cost no memory.
  mallopt(M_TOP_PAD, 64 << 20);
#endif
  // A project named on the command line is read while the toolkit starts and the window is built.
  const auto preload = vt::PreloadStartProject(argc, argv);
  // The browser, loaded later, shares the toolkit's graphics contexts: asked for before the start.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  vt::TGuardedApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("transclient"));
  QApplication::setApplicationDisplayName(QStringLiteral("Vantreo Translation Client"));
  QApplication::setApplicationVersion(QStringLiteral("1.01"));
  vt::SetUpCrashReporting();

  QString error;
  const auto options = vt::ParseStartOptions(QApplication::arguments(), &error);
  if (!options) {
    std::cerr << error.toStdString() << std::endl;
    return error.startsWith(QStringLiteral("Usage")) ? 0 : 2;
  }

  auto window = std::make_unique<vt::TTransClientFrm3>();
  app.OnError = [w = window.get()](const QString &what) {
    w->statusBar()->showMessage(what, 15000);
    vt::ReportSurvivedError(w, what);
  };
  // The browser translation dialog is made by the window when a command first needs it.
  auto grab = std::make_unique<vt::TTransGrabFrm>();
  window->SetGrabForm(grab.get());

  const bool applied = vt::ApplyStartOptions(*window, *options, &error, preload.get());
  if (!applied) std::cerr << "transclient: " << error.toStdString() << std::endl;
  if (!options->FitReport.isEmpty()) {
    if (!applied) return 1;
    if (!vt::WriteFitReport(*window, *options, &error)) {
      std::cerr << "transclient: " << error.toStdString() << std::endl;
      return 1;
    }
    return 0;
  }
  window->show();
  if (!options->Screenshot.isEmpty()) {
    if (!applied) return 1;
    // The suggestion lists are built a moment after the entry became current: show them too.
    QElapsedTimer waited;
    waited.start();
    while (window->SuggestionsPending() && waited.elapsed() < 2000) {
      QApplication::processEvents();
      QThread::msleep(5);
    }
    // With the form preview open, the screenshot is the preview's.
    QWidget *shot = window.get();
    if (options->FormPreview && window->PreviewWindow()) shot = window->PreviewWindow();
    if (!vt::SaveScreenshot(*shot, options->Screenshot)) {
      std::cerr << "transclient: cannot write " << options->Screenshot.toStdString() << std::endl;
      return 1;
    }
    return 0;
  }
  // A report left by an earlier crash is offered once the window is up; the test hook fails after.
  QTimer::singleShot(0, window.get(), [w = window.get()] { vt::OfferNewCrashReports(w); });
  vt::ScheduleCrashTest();
  return QApplication::exec();
}
