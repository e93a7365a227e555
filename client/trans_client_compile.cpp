// The WordLists menu's compile commands ("Compile selected kxLng File (old)", "Compile Final from
// Rawmi file...", "Grab Source Data...") and the System menu's list-wide machine translation
// ("AutoTranslateList", "Auto GoogleTranslateList"). The compiling and the run's loop are
// client/core's; this file asks, drives the widgets and reports.
#include "client/core/compile_project.h"
#include "mt/mt_endpoint.h"
#include "mt/translator_web_utils.h"
#include "path_text.h"
#include "support/file_io.h"
#include "trans_client_frm.h"
#include "virtual_tree.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace vt {

namespace {

QString Utf8Text(const std::string &text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QString kSaveDialog2Title = QStringLiteral("Extract Translations to...");
const QString kSaveDialog2Filter = QStringLiteral("Compiled Translation (kxLng) (*.kxLng)");
const QString kOpenDialogRMITitle = QStringLiteral("Select Rawmi File (Source File)");
const QString kOpenDialogRMIFilter =
    QStringLiteral("Raw ini (*.rawmi);;SrcLng (*.SrcLng);;Text (*.txt);;Ini (*.ini);;All (*)");

// Escape on the main window (or any of its widgets) stops a list run. Installed on the application
// for the run only.
class TListRunKeys : public QObject {
public:
  TListRunKeys(QWidget *window, bool &stop) : FWindow(window), FStop(stop) {}

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
      auto *widget = qobject_cast<QWidget *>(watched);
      if (widget && widget->window() == FWindow) {
        FStop = true;
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

private:
  QWidget *FWindow;
  bool &FStop;
};

} // namespace

void TTransClientFrm3::WireCompileCommands() {
  Wire(CompileFinalkxLngFile1, &QAction::triggered, &TTransClientFrm3::CompileFinalkxLngFile1Click,
       "CompileFinalkxLngFile1Click");
  Wire(CompileextractedkxLngfile1, &QAction::triggered, &TTransClientFrm3::CompileextractedkxLngfile1Click,
       "CompileextractedkxLngfile1Click");
  Wire(ExtractSrcLngdata1, &QAction::triggered, &TTransClientFrm3::ExtractSrcLngdata1Click,
       "ExtractSrcLngdata1Click");
  Wire(AutoTranslateList1, &QAction::triggered, &TTransClientFrm3::AutoTranslateList1Click,
       "AutoTranslateList1Click");
  Wire(AutoGoogleTranslateList1, &QAction::triggered, &TTransClientFrm3::AutoGoogleTranslateList1Click,
       "AutoGoogleTranslateList1Click");
}

// ---- compiling -----------------------------------------------------------------------------------

void TTransClientFrm3::CompileFinalkxLngFile1Click() {
  if (!Project->TransIni) return;
  const std::string target =
      AskTargetFile(kSaveDialog2Title, QString(), kSaveDialog2Filter, QStringLiteral("kxLng"));
  if (target.empty()) return;
  TCompileCounts counts;
  std::string error;
  if (!CompileSelectionFile(*Project, Project->Selection.Raw(), target, &counts, &error)) {
    FAsker->Error(this, Utf8Text(error));
    return;
  }
  statusBar()->showMessage(QStringLiteral("Compiled %1 keys and %2 messages into %3")
                               .arg(counts.Keys)
                               .arg(counts.Messages)
                               .arg(PathText(target)),
                           15000);
}

void TTransClientFrm3::CompileextractedkxLngfile1Click() {
  if (!Project->TransIni) return;
  const auto raw = FAsker->OpenFileName(this, kOpenDialogRMITitle, QString(), kOpenDialogRMIFilter);
  if (!raw || raw->isEmpty() || !QFileInfo::exists(*raw)) return;
  const QString proposed = QFileInfo(*raw).completeBaseName() + QStringLiteral(".kxLng");
  const std::string target =
      AskTargetFile(kSaveDialog2Title, proposed, kSaveDialog2Filter, QStringLiteral("kxLng"));
  if (target.empty()) return;
  const std::string rawPath = PathBytes(*raw);
  std::string error;
  if (!CompileRawFile(*Project, rawPath, target, nullptr, &error)) {
    FAsker->Error(this, Utf8Text(error));
    return;
  }
  // Only a file that was written is reported.
  FAsker->Message(this, PathText(rawPath) + QLatin1Char('\r') + PathText(target));
}

void TTransClientFrm3::ExtractSrcLngdata1Click() {
  if (!FGrabForm) return;
  // The administrator window compiles from the translation file, never from the source file a
  // project may have been opened by.
  if (Project->TransIni) {
    if (auto *edit = FGrabForm->findChild<QLineEdit *>(QStringLiteral("FilenameEdit1"))) {
      edit->setText(PathText(Project->TransIni->FileName()));
      // The page that holds the box comes to the front.
      for (QWidget *w = edit->parentWidget(); w && w != FGrabForm; w = w->parentWidget())
        if (auto *tabs =
                qobject_cast<QTabWidget *>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
          if (tabs->indexOf(w) >= 0) tabs->setCurrentWidget(w);
    }
  }
  FGrabForm->show();
  FGrabForm->raise();
  FGrabForm->activateWindow();
}

// ---- list-wide machine translation ----------------------------------------------------------------

bool TTransClientFrm3::DeferDuringListRun(std::function<void()> command) {
  if (!FListRun.Active) return false;
  FListRun.Stop = true;
  FListRun.After = std::move(command);
  return true;
}

void TTransClientFrm3::AutoTranslateList1Click() {
  if (DeferDuringListRun([this] { AutoTranslateList1Click(); })) return;
  RunListTranslation(false);
}

void TTransClientFrm3::AutoGoogleTranslateList1Click() {
  if (DeferDuringListRun([this] { AutoGoogleTranslateList1Click(); })) return;
  RunListTranslation(true);
}

void TTransClientFrm3::RunListTranslation(bool browser) {
  const int focused = vt1->FocusedRow();
  if (focused < 0 || focused >= vt1Model->RowCount()) return;
  if (FAsker->YesNo(this, QStringLiteral("Translate this List?")) != TAsker::TAnswer::Yes) return;
  TBrowserTranslator *dialog = browser ? NeedBrowserDialog() : nullptr;
  if (browser && !dialog) return;

  // The rows as they stand now: the run walks these even if a filter changes under it.
  const TEntryList rows = Project->Selection.Raw();
  const std::string host = ResolveMtEndpoint().Host;
  FListRun = {};
  FListRun.Active = true;
  // Copies go to untranslated entries only while the run lasts; the box shows it and stays put.
  const bool replaceAll = cReplaceAuto->isChecked();
  {
    TUpdateScope scope(UpdateDepth);
    cReplaceAuto->setChecked(false);
    cReplaceAuto->setEnabled(false);
  }
  TListRunKeys keys(this, FListRun.Stop);
  qApp->installEventFilter(&keys);

  TListRunSteps steps;
  steps.MakeCurrent = [this](std::size_t row, TWordObj *entry) {
    const int r = static_cast<int>(row);
    if (r < vt1Model->RowCount() && vt1Model->Entry(r) == entry) {
      vt1->clearSelection();
      vt1->FocusRow(r, true);
    }
    if (FSession.Current() != entry) {
      FocusInSameSource = false;
      SelectEntry(entry);
    }
  };
  steps.ShowCaption = [this](const std::string &caption) { setWindowTitle(Utf8Text(caption)); };
  steps.Pump = [] { QApplication::processEvents(); };
  // Moving the window off the left screen edge is the other way to stop a long run. The edge is the
  // desktop's (a screen left of the main one lies at negative positions), and a window that starts
  // beyond it already must be moved further.
  const int startLeft = frameGeometry().left();
  const int desktopLeft = screen() ? screen()->virtualGeometry().left() : 0;
  const int abortLeft = std::min(desktopLeft, startLeft) - 50;
  steps.Aborted = [this, abortLeft] { return FListRun.Stop || frameGeometry().left() < abortLeft; };
  if (browser) {
    steps.Translate = [this, dialog](TWordObj &entry) { return TranslateListRowByBrowser(*dialog, entry); };
  } else {
    steps.Translate = [this, host](TWordObj &entry) {
      const TRowOutcome outcome = TranslateCurrentByService(
          FSession, EditorText(TntMemoSrc), cStripCaps->isChecked(), editLn->text().toStdString(),
          [&host](const std::string &text, const std::string &language) {
            TMachineReply reply;
            reply.Text = TranslateText(text, language, host, {}, &reply.TransportFailed);
            return reply;
          });
      if (outcome == TRowOutcome::Translated) {
        JournalEntries({&entry});
        ReloadEditors();
        RepaintSuggestionLists();
      }
      return outcome;
    };
  }

  TListRunResult result;
  try {
    result = RunTranslateList(FSession, rows, static_cast<std::size_t>(focused), steps);
  } catch (...) {
    qApp->removeEventFilter(&keys);
    cReplaceAuto->setEnabled(true);
    cReplaceAuto->setChecked(replaceAll);
    FListRun = {};
    throw;
  }
  qApp->removeEventFilter(&keys);
  {
    TUpdateScope scope(UpdateDepth);
    cReplaceAuto->setEnabled(true);
    cReplaceAuto->setChecked(replaceAll);
  }
  FSession.SetReplaceAll(replaceAll);
  std::function<void()> after = std::move(FListRun.After);
  FListRun = {};
  setWindowTitle(Utf8Text(result.FinalCaption));
  RepaintSuggestionLists();
  CountSectionProgress();
  if (result.TransportFailed)
    FAsker->Error(this,
                  QStringLiteral("The translation service could not be reached:\r%1\rThe run stopped at %2; "
                                 "that entry was left unchanged.")
                      .arg(Utf8Text(host), Utf8Text(result.FailedId)));
  // A close, open, import or new run asked for during the run comes now that the run has ended.
  if (after) after();
}

TRowOutcome TTransClientFrm3::TranslateListRowByBrowser(TBrowserTranslator &dialog, TWordObj &entry) {
  dialog.RequestText = GoogleRequestText(EditorText(TntMemoSrc), cStripCaps->isChecked());
  dialog.TargetLanguage = editLn->text().toStdString();
  dialog.ReverseMode = false;
  dialog.AutoClose = true;
  // A page that keeps its old text or stays empty never closes the dialog by itself: each row
  // has a time limit, then counts as cancelled.
  bool timedOut = false;
  QPointer<TBrowserTranslator> guard(&dialog);
  QTimer limit;
  limit.setSingleShot(true);
  connect(&limit, &QTimer::timeout, &dialog, [&] {
    timedOut = true;
    if (guard && guard->isVisible()) guard->Button2Click();
  });
  limit.start(ListRowLimitMs);
  const int answer = dialog.exec();
  limit.stop();
  dialog.AutoClose = false;
  if (answer == TBrowserTranslator::mrYes && !dialog.ResultText.empty() && FSession.Current() == &entry) {
    TntMemoLng->setPlainText(ToQString(dialog.ResultText));
    Update1Click();
    JournalEntries({&entry});
    return TRowOutcome::Translated;
  }
  // The dialog is modal, so its Cancel (or Escape) is the user's way to stop the whole run.
  if (answer != TBrowserTranslator::mrYes && !timedOut) FListRun.Stop = true;
  return TRowOutcome::NoResult;
}

} // namespace vt
