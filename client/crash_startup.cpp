#include "crash_startup.h"

#include "crash/crash_handler.h"
#include "crash/crash_log.h"
#include "crash/crash_reports.h"
#include "crash_report_frm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <cstdint>
#include <exception>
#include <stdexcept>

namespace vt {

namespace {

std::string Utf8(const QString &text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void LogQtMessage(QtMsgType type, const QMessageLogContext &, const QString &message) {
  const char *level = "debug";
  switch (type) {
  case QtInfoMsg:
    level = "info";
    break;
  case QtWarningMsg:
    level = "warning";
    break;
  case QtCriticalMsg:
    level = "critical";
    break;
  case QtFatalMsg:
    level = "fatal";
    break;
  case QtDebugMsg:
    break;
  }
  LogLine(Utf8(QCoreApplication::applicationName()) + ": " + level + ": " + Utf8(message));
  if (type == QtFatalMsg) std::abort();
}

QString ReadReport(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.read(4 << 20));
}

// The failures of the test hook live in functions of their own, so a report names them.
// Read at run time, so the compiler cannot see the null write coming.
volatile std::uintptr_t GNowhere = 0;
[[gnu::noinline]] void CrashTestSegv() {
  *reinterpret_cast<volatile int *>(GNowhere) = 1;
}
[[gnu::noinline]] void CrashTestAbort() {
  std::abort();
}
[[gnu::noinline]] void CrashTestThrow() {
  throw std::runtime_error("crash test: an exception escaped the event loop");
}
[[gnu::noinline]] void CrashTestThrowLogic() {
  throw std::logic_error("crash test: an exception reached std::terminate");
}
[[gnu::noinline]] void CrashTestTerminateNow() noexcept {
  // An exception leaving a noexcept function ends in std::terminate with the exception active.
  CrashTestThrowLogic();
}

int GShownErrors = 0;
QPointer<TCrashReportFrm> GErrorDialog;

} // namespace

QString CrashReportFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/crashes");
}

QString CrashUploadUrl() {
  return qEnvironmentVariable("VT_CRASH_URL");
}

QString CrashMailAddress() {
  return qEnvironmentVariable("VT_CRASH_MAIL");
}

void SetUpCrashReporting() {
  TCrashSetup setup;
  setup.Program = Utf8(QCoreApplication::applicationName());
  setup.Version = Utf8(QCoreApplication::applicationVersion());
  if (setup.Version.empty()) setup.Version = "1.01";
  setup.Toolkit = std::string("Qt ") + qVersion();
  setup.ReportFolder = Utf8(CrashReportFolder());
  std::string error;
  if (!InstallCrashHandler(setup, &error)) LogLine(setup.Program + ": " + error);
  qInstallMessageHandler(LogQtMessage);
}

bool OfferNewCrashReports(QWidget *parent, const QString &folder) {
  const std::vector<std::string> reports = NewCrashReports(Utf8(folder));
  if (reports.empty()) return false;
  const QString newest = QString::fromStdString(reports.back());
  TCrashReportFrm dialog(newest, ReadReport(newest), CrashUploadUrl(), CrashMailAddress(), parent);
  if (reports.size() > 1)
    dialog.labelIntro->setText(dialog.labelIntro->text() + QStringLiteral(" (%1 earlier reports are in %2.)")
                                                               .arg(reports.size() - 1)
                                                               .arg(QDir::toNativeSeparators(folder)));
  dialog.exec();
  for (const std::string &report : reports) MarkCrashReportSeen(report);
  PruneCrashReports(Utf8(folder));
  return true;
}

void ReportSurvivedError(QWidget *parent, const QString &what) {
  // An error that repeats (in every paint, say) is reported a few times, not endlessly.
  if (++GShownErrors > 3 || GErrorDialog) return;
  const std::string path = WriteErrorReport(Utf8(what));
  if (path.empty()) return;
  const QString report = QString::fromStdString(MarkCrashReportSeen(path));
  auto *dialog =
      new TCrashReportFrm(report, ReadReport(report), CrashUploadUrl(), CrashMailAddress(), parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->labelIntro->setText(
      QStringLiteral(
          "An unexpected error interrupted the last action: %1\nThe program goes on; please save your "
          "work. Nothing is sent unless you press Send by Mail or Upload.")
          .arg(what));
  GErrorDialog = dialog;
  dialog->show();
}

void ScheduleCrashTest() {
  const QString way = qEnvironmentVariable("VT_CRASH_TEST");
  if (way.isEmpty()) return;
  QTimer::singleShot(0, [way] {
    if (way == QLatin1String("segv"))
      CrashTestSegv();
    else if (way == QLatin1String("abort"))
      CrashTestAbort();
    else if (way == QLatin1String("throw"))
      CrashTestThrow();
    else if (way == QLatin1String("terminate"))
      CrashTestTerminateNow();
    else
      LogLine("VT_CRASH_TEST: unknown way \"" + Utf8(way) + "\" (segv, abort, throw, terminate)");
  });
}

} // namespace vt
