// Crash reports in the client: the real program crashed in each way on the offscreen platform
// leaves a report that names our function with file and line, and the next start offers it in
// the report dialog; the dialog's commands (copy, save, mail, upload to a receiver on loopback)
// and its keyboard and screen-reader names.
#include "client/crash_report_frm.h"
#include "client/crash_startup.h"
#include "crash/crash_reports.h"
#include "tests/crash/child_process.h"
#include "tests/crash/report_receiver.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

namespace vt {
namespace {

QString ReadText(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

struct TCrashRun {
  int Signal = 0;
  bool Ended = false;
  QString Output;
  QString Report; // the text of the new report
  QString ReportPath;
};

// Runs transclient with the crash hook; its data folder is inside dir.
TCrashRun CrashClient(const QTemporaryDir &dir, const char *way, bool waitForEnd = true,
                      const std::vector<std::string> &args = {}) {
  const std::string data = dir.filePath(QStringLiteral("data")).toStdString();
  const std::string log = dir.filePath(QStringLiteral("client.log")).toStdString();
  test::TChildProcess client;
  TCrashRun run;
  if (!client.Start(
          VT_TRANSCLIENT_PROGRAM, args,
          {"QT_QPA_PLATFORM=offscreen", "XDG_DATA_HOME=" + data, std::string("VT_CRASH_TEST=") + way}, log))
    return run;
  const QString folder = dir.filePath(QStringLiteral("data/transclient/crashes"));
  if (waitForEnd) {
    run.Ended = client.Wait(std::chrono::seconds(60));
  } else {
    // The program goes on: wait for its report, then end it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (AllCrashReports(folder.toStdString()).empty() && std::chrono::steady_clock::now() < deadline &&
           client.Running())
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    run.Ended = !client.Running();
    client.Signal(SIGKILL);
    client.Wait(std::chrono::seconds(10));
  }
  run.Signal = client.TermSignal();
  run.Output = QString::fromStdString(client.Output());
  QDir crashes(folder);
  const QStringList reports = crashes.entryList({QStringLiteral("crash-*.txt")}, QDir::Files, QDir::Name);
  if (!reports.isEmpty()) {
    run.ReportPath = crashes.filePath(reports.last());
    run.Report = ReadText(run.ReportPath);
  }
  return run;
}

// "#n  vt::(anonymous namespace)::CrashTestSegv()  at /.../crash_startup.cpp:123"
bool NamesFrame(const QString &report, const QString &function) {
  const QRegularExpression frame(QStringLiteral("#\\d+  [^\\n]*%1[^\\n]*  at [^\\n]*crash_startup\\.cpp:\\d+")
                                     .arg(QRegularExpression::escape(function)));
  return frame.match(report).hasMatch();
}

TEST(ClientCrash, ASegmentationFaultLeavesAReportThatTheNextStartOffers) {
  QTemporaryDir dir;
  const TCrashRun run = CrashClient(dir, "segv");
  ASSERT_TRUE(run.Ended) << run.Output.toStdString();
  EXPECT_EQ(run.Signal, SIGSEGV);
  ASSERT_TRUE(run.ReportPath.endsWith(QStringLiteral(".new.txt"))) << run.Output.toStdString();
  EXPECT_TRUE(run.Report.startsWith(QStringLiteral("Crash report of transclient 1.01\n")));
  EXPECT_TRUE(run.Report.contains(QStringLiteral("Toolkit: Qt 6.")));
  EXPECT_TRUE(
      run.Report.contains(QStringLiteral("Signal: SIGSEGV (invalid memory access), code 1, address 0x0\n")))
      << run.Report.toStdString();
  EXPECT_TRUE(run.Report.contains(QStringLiteral("Project: (none open)")));
  EXPECT_TRUE(NamesFrame(run.Report, QStringLiteral("CrashTestSegv"))) << run.Report.toStdString();
  EXPECT_TRUE(run.Report.contains(QStringLiteral("Raw frames:\n")));
  EXPECT_TRUE(run.Report.endsWith(QStringLiteral("--- end of report ---\n")));
  EXPECT_TRUE(run.Output.contains(QStringLiteral("transclient: crashed with SIGSEGV")));
  // No session file is left behind.
  EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("data/transclient/crashes")))
                  .entryList({QStringLiteral(".session-*")}, QDir::Files | QDir::Hidden)
                  .isEmpty());

  // The next start: the dialog shows the report; the user tells what happened and closes it.
  const QString folder = dir.filePath(QStringLiteral("data/transclient/crashes"));
  QString shown, title;
  bool whatDoingHasFocus = false;
  // Drives the dialog once it is up; the timer also ends a dialog that never comes, after a while.
  QTimer driver;
  int ticks = 0;
  driver.setInterval(20);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    TCrashReportFrm *dialog = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *d = qobject_cast<TCrashReportFrm *>(w); d && d->isVisible()) dialog = d;
    if (!dialog) {
      if (++ticks > 500) driver.stop();
      return;
    }
    driver.stop();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    QApplication::setActiveWindow(dialog);
    title = dialog->windowTitle();
    shown = dialog->memoReport->toPlainText();
    whatDoingHasFocus = dialog->memoWhatDoing->hasFocus();
    QTest::keyClicks(dialog->memoWhatDoing, QStringLiteral("opening a project"));
    QTest::keyClick(dialog, Qt::Key_L, Qt::AltModifier); // C&lose (a mnemonic clicks a moment later)
    if (QTest::qWaitFor([dialog] { return !dialog->isVisible(); }, 2000))
      title += QStringLiteral(" closed");
    else
      dialog->reject(); // a failed key press fails the test below, not by hanging
  });
  driver.start();
  EXPECT_TRUE(OfferNewCrashReports(nullptr, folder));
  EXPECT_EQ(title, QStringLiteral("Crash Report closed"));
  EXPECT_EQ(shown, run.Report);
  EXPECT_TRUE(whatDoingHasFocus);
  // Offered once: the start after that shows nothing.
  EXPECT_TRUE(NewCrashReports(folder.toStdString()).empty());
  EXPECT_FALSE(OfferNewCrashReports(nullptr, folder));
  EXPECT_EQ(AllCrashReports(folder.toStdString()).size(), 1u);
}

TEST(ClientCrash, AbortAndTerminateEndWithSIGABRTAndSayWhy) {
  {
    QTemporaryDir dir;
    // With a project open, the report names it.
    const std::string project = VT_SOURCE_DIR "/examples/Demo.kxLng";
    const TCrashRun run = CrashClient(dir, "abort", true, {project});
    ASSERT_TRUE(run.Ended);
    EXPECT_EQ(run.Signal, SIGABRT);
    EXPECT_TRUE(run.Report.contains(QStringLiteral("\nProject: %1\n").arg(QString::fromStdString(project))))
        << run.Report.toStdString();
    EXPECT_TRUE(run.Report.contains(QStringLiteral("Signal: SIGABRT (abort)\n"))) << run.Report.toStdString();
    EXPECT_FALSE(run.Report.contains(QStringLiteral("Reason:")));
    EXPECT_TRUE(NamesFrame(run.Report, QStringLiteral("CrashTestAbort"))) << run.Report.toStdString();
  }
  {
    QTemporaryDir dir;
    const TCrashRun run = CrashClient(dir, "terminate");
    ASSERT_TRUE(run.Ended);
    EXPECT_EQ(run.Signal, SIGABRT);
    EXPECT_TRUE(run.Report.contains(QStringLiteral(
        "Reason: std::terminate was called for an uncaught exception of type std::logic_error: "
        "crash test: an exception reached std::terminate\n")))
        << run.Report.toStdString();
    EXPECT_TRUE(NamesFrame(run.Report, QStringLiteral("CrashTestTerminateNow"))) << run.Report.toStdString();
  }
}

TEST(ClientCrash, AnExceptionThatEscapesTheEventLoopIsReportedAndTheProgramGoesOn) {
  QTemporaryDir dir;
  const TCrashRun run = CrashClient(dir, "throw", false);
  EXPECT_FALSE(run.Ended) << run.Output.toStdString(); // it was still running when the report came
  EXPECT_TRUE(run.Report.contains(QStringLiteral(
      "Unhandled exception (the program went on): crash test: an exception escaped the event loop\n")))
      << run.Report.toStdString();
  EXPECT_TRUE(run.Report.contains(QStringLiteral("Stack where the error was caught:\n")));
  EXPECT_TRUE(run.Report.contains(QStringLiteral("\nOccurred: ")));
  // The log carries the same error line.
  EXPECT_TRUE(
      run.Report.contains(QStringLiteral("transclient: crash test: an exception escaped the event loop\n")));
  // Shown at once, so it counts as offered.
  EXPECT_FALSE(run.ReportPath.endsWith(QStringLiteral(".new.txt")));
}

// ---- the dialog ------------------------------------------------------------------------------------

class CrashDialogTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(Dir.isValid()); }
  std::unique_ptr<TCrashReportFrm> Make(const QString &url) {
    auto dialog = std::make_unique<TCrashReportFrm>(
        Dir.filePath(QStringLiteral("crash-20261209-120000-7.new.txt")),
        QStringLiteral("Crash report of transclient 1.01\nSignal: SIGSEGV\n"), url,
        QStringLiteral("dev@example.org"));
    dialog->ChooseSavePath = [this](QWidget *, const QString &suggested) {
      Suggested = suggested;
      return SavePath;
    };
    dialog->OpenUrl = [this](const QString &opened) {
      Opened << opened;
      return true;
    };
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    QApplication::setActiveWindow(dialog.get());
    return dialog;
  }
  QTemporaryDir Dir;
  QString SavePath, Suggested;
  QStringList Opened;
};

TEST_F(CrashDialogTest, EveryControlIsNamedReachableByKeyboardAndTheReportCannotBeEdited) {
  auto d = Make(QString());
  EXPECT_FALSE(d->btnUpload->isVisible()); // no upload address
  EXPECT_EQ(d->labelReport->buddy(), d->memoReport);
  EXPECT_EQ(d->labelWhatDoing->buddy(), d->memoWhatDoing);
  QSet<QString> names, mnemonics;
  for (QWidget *w : d->findChildren<QWidget *>()) {
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
    EXPECT_FALSE(names.contains(w->objectName()));
    names << w->objectName();
  }
  for (QPushButton *b : {d->btnCopy, d->btnSaveAs, d->btnMail, d->btnUpload, d->btnClose}) {
    const int amp = b->text().indexOf(QLatin1Char('&'));
    ASSERT_GE(amp, 0) << b->text().toStdString();
    EXPECT_FALSE(mnemonics.contains(b->text().mid(amp + 1, 1).toLower()));
    mnemonics << b->text().mid(amp + 1, 1).toLower();
  }
  for (QLabel *l : {d->labelReport, d->labelWhatDoing})
    mnemonics << l->text().mid(l->text().indexOf(QLatin1Char('&')) + 1, 1).toLower();
  EXPECT_EQ(mnemonics.size(), 7);
  EXPECT_FALSE(d->memoReport->accessibleName().isEmpty());
  EXPECT_FALSE(d->memoWhatDoing->accessibleName().isEmpty());

  // Tab walks the note, the buttons and the report; typing into the report changes nothing.
  d->memoWhatDoing->setFocus();
  QStringList order;
  for (int i = 0; i < 6; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(order.join(QLatin1Char(',')),
            QStringLiteral("btnCopy,btnSaveAs,btnMail,btnClose,memoReport,memoWhatDoing"));
  const QString before = d->memoReport->toPlainText();
  d->memoReport->setFocus();
  QTest::keyClicks(d->memoReport, QStringLiteral("xyz"));
  EXPECT_EQ(d->memoReport->toPlainText(), before);
  // Alt+W goes to the note; Escape closes.
  QTest::keyClick(d.get(), Qt::Key_W, Qt::AltModifier);
  EXPECT_TRUE(d->memoWhatDoing->hasFocus());
  QTest::keyClick(d.get(), Qt::Key_Escape);
  EXPECT_FALSE(d->isVisible());
}

TEST_F(CrashDialogTest, CopySaveAndMailCarryTheNoteAndTheReport) {
  auto d = Make(QString());
  QTest::keyClicks(d->memoWhatDoing, QStringLiteral("typing a translation"));
  const QString expected = QStringLiteral("What the user was doing:\ntyping a translation\n\nCrash report of "
                                          "transclient 1.01\nSignal: SIGSEGV\n");
  QTest::keyClick(d.get(), Qt::Key_C, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::clipboard()->text() == expected; }, 2000))
      << QApplication::clipboard()->text().toStdString();

  SavePath = Dir.filePath(QStringLiteral("saved.txt"));
  QTest::mouseClick(d->btnSaveAs, Qt::LeftButton);
  EXPECT_TRUE(Suggested.endsWith(QStringLiteral("/crash-20261209-120000-7.txt"))) << Suggested.toStdString();
  EXPECT_EQ(ReadText(SavePath), expected);
  SavePath = Dir.filePath(QStringLiteral("no/such/folder/saved.txt"));
  QTest::mouseClick(d->btnSaveAs, Qt::LeftButton);
  EXPECT_TRUE(d->labelResult->text().startsWith(QStringLiteral("Unable to save file")));
  SavePath.clear(); // cancelled: nothing happens
  d->labelResult->clear();
  QTest::mouseClick(d->btnSaveAs, Qt::LeftButton);
  EXPECT_TRUE(d->labelResult->text().isEmpty());

  QTest::mouseClick(d->btnMail, Qt::LeftButton);
  ASSERT_EQ(Opened.size(), 1);
  EXPECT_TRUE(Opened[0].startsWith(QStringLiteral("mailto:dev%40example.org?subject=")));
  EXPECT_TRUE(Opened[0].contains(
      QStringLiteral("&body=What%20the%20user%20was%20doing%3A%0Atyping%20a%20translation")));
}

TEST_F(CrashDialogTest, UploadSendsOnlyOnTheClickAndShowsTheAnswerOrWhyItFailed) {
  test::TReportReceiver receiver;
  auto d = Make(QString::fromStdString(receiver.Url()));
  EXPECT_TRUE(d->btnUpload->isVisible());
  QTest::qWait(50);
  EXPECT_EQ(receiver.Count(), 0); // nothing leaves without the click
  QTest::keyClicks(d->memoWhatDoing, QStringLiteral("saving"));
  QTest::keyClick(d.get(), Qt::Key_U, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return receiver.Count() == 1 && !d->labelResult->text().endsWith(QLatin1String("...")); }, 5000));
  EXPECT_EQ(QString::fromStdString(receiver.Body()), d->ComposedText());
  EXPECT_EQ(d->labelResult->text(), QStringLiteral("Uploaded, thank you. (HTTP 200): report 42 received"));

  const QString absent = QStringLiteral("http://127.0.0.1:%1/reports").arg(test::UnusedLoopbackPort());
  auto e = Make(absent);
  QElapsedTimer took;
  took.start();
  QTest::mouseClick(e->btnUpload, Qt::LeftButton);
  EXPECT_LT(took.elapsed(), 5000);
  EXPECT_TRUE(e->labelResult->text().startsWith(QStringLiteral("Upload failed: ")));
  EXPECT_TRUE(e->labelResult->text().endsWith(QStringLiteral("(") + absent + QStringLiteral(")")));
}

} // namespace
} // namespace vt
