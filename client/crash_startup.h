#pragma once
// Crash reporting in the client: installing the handlers with the report folder, the Qt messages
// in the program's log, offering new reports at start, reporting an error the program survives,
// and the test hook VT_CRASH_TEST.
#include <QString>

class QWidget;

namespace vt {

// AppLocalDataLocation + "/crashes".
QString CrashReportFolder();
// Installs the fatal-signal and terminate handlers and routes Qt's messages into the log.
void SetUpCrashReporting();
// The upload address (VT_CRASH_URL) and the mail recipient (VT_CRASH_MAIL); empty when unset.
QString CrashUploadUrl();
QString CrashMailAddress();
// Shows the newest report that was not offered yet (modal); every new report then counts as
// offered, and the folder keeps only the newest reports. False when there was none.
bool OfferNewCrashReports(QWidget *parent, const QString &folder = CrashReportFolder());
// Writes a report for an error that escaped the event loop and shows it at once (not modal).
void ReportSurvivedError(QWidget *parent, const QString &what);
// With VT_CRASH_TEST=segv|abort|throw|terminate, fails that way once the event loop runs.
void ScheduleCrashTest();

} // namespace vt
