// Program-level commands of the main window: create and destroy, open, save, close, exit, the
// administrator logon, Advanced Tools, the pane rules, hints and errors that escape a command.
#include "client/core/project_preload.h"
#include "controls/hint_ex32.h"
#include "controls/hot_button.h"
#include "controls/theme_painter.h"
#include "crash/crash_handler.h"
#include "crash/crash_log.h"
#include "trans_client_frm.h"
#include "virtual_tree.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

namespace vt {

namespace {

QString PathText(const std::string &path) {
  return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

} // namespace

void InstallHintFilter(TTransClientFrm3 *window);

void TTransClientFrm3::FormCreate() {
  TThemeServices::Instance();
  InstallHintFilter(this);
  PaintBox1->FillParent();
  for (QWidget *w : {static_cast<QWidget *>(this), PanelTop, pnl_RT_Bottom, pnl_trans_right})
    w->setAttribute(Qt::WA_OpaquePaintEvent, false); // Qt paints every widget double-buffered
  Project = TRef<TWordList>(new TWordList);
  FSession.SetProject(Project.get());
  // After a change of many entries the editors show the current entry as it is now.
  FSession.OnReload = [this] {
    ReloadEditors();
    RepaintEntryLists();
  };
  FSession.OnCopied = [this](const TEntryList &entries) { JournalEntries(entries); };
  for (TStaticHotBtn *button : {stPrev, stNext, stRawToTrans, stFilter, stUndo, stUpdate, stGoogleTranslate,
                                stRevTrans, stAutoTranslate, stMoveDown})
    if (!button->HasHoverImage()) button->DeriveHoverImage();
  stApplyToSimilar->DeriveDisabledImage();
  for (QMenu *menu : AdminMenus) menu->menuAction()->setVisible(false);
  cStripCaps->setVisible(false);
  editLn->setVisible(false);
  AdvancedTools1->setChecked(!AdvancedTools1->isChecked()); // the triggered item toggles itself first
  AdvancedTools1Click();
  SelectEntry(nullptr);
}

void TTransClientFrm3::FormDestroy() {
  if (FDestroyed) return;
  FDestroyed = true;
  FSession.SetProject(nullptr);
  Project = TRef<TWordList>();
}

void TTransClientFrm3::SetAsker(std::unique_ptr<TAsker> asker) {
  if (asker) FAsker = std::move(asker);
}

void TTransClientFrm3::SetGrabForm(QWidget *form) {
  FGrabForm = form;
  ExtractSrcLngdata1->setEnabled(form != nullptr);
}

void TTransClientFrm3::ReportError(const char *command, const QString &what) {
  const QString text = QStringLiteral("%1: %2").arg(QLatin1String(command), what);
  // Into the log too, so that a later crash report shows what went wrong before.
  LogLine("transclient: " + text.toStdString());
  statusBar()->showMessage(text, 15000);
}

// ---- open, save, close ---------------------------------------------------------------------------

void TTransClientFrm3::OpenFile1Click() {
  if (DeferDuringListRun([this] { OpenFile1Click(); })) return;
  QString folder;
  const QString projects = QCoreApplication::applicationDirPath() + QStringLiteral("/Projects");
  if (QFileInfo(projects).isDir()) folder = projects;
  const auto file = FAsker->OpenFileName(
      this, QStringLiteral("Open Translation File"), folder,
      QStringLiteral(
          "Translation File (*.kxLng);;Raw Translation (*.SrcLng);;All Translations (*.kxLng *.SrcLng "
          "*.AutoLng)"));
  if (!file) return;
  OpenProjectFile(*file);
}

bool TTransClientFrm3::OpenProjectFile(const QString &path, TProjectPreload *preload) {
  SelectEntry(nullptr);
  if (!SettleModifiedProject()) return false;
  CloseCurrentFile1Click();
  if (!Project->Items.Empty()) return false;
  const QString full = QFileInfo(path).absoluteFilePath();
  bool opened = false;
  if (preload && preload->Path() == full.toStdString()) {
    // Read already (the files were treated as Open treats them): the window takes that project.
    if (TRef<TWordList> ready = preload->Take()) {
      FSession.SetProject(nullptr);
      Project = std::move(ready);
      FSession.SetProject(Project.get());
      opened = true;
    }
  } else {
    opened = Project->Open(full.toStdString());
  }
  if (!opened) {
    ResetProject(); // a failed load may leave partial state behind
    FAsker->Error(this, QStringLiteral("Unable to Open File\r") + QDir::toNativeSeparators(full));
    return false;
  }
  setWindowTitle(QFileInfo(full).fileName());
  FillSectionList();
  if (!Project->DestLng.empty()) editLn->setText(PathText(Project->DestLng));
  SetCrashProject(full.toStdString()); // a crash report names the project (never its texts)
  OfferJournalRecovery();
  return true;
}

bool TTransClientFrm3::SaveProject() {
  if (!Project->TransIni) return true; // no translation file open: nothing to write
  std::string error;
  if (Project->Save(&error)) {
    JournalSaved();
    return true;
  }
  // The project stays modified, so no close path drops the work.
  Project->Modified = true;
  QString text =
      QStringLiteral("Unable to save file\r") + QDir::toNativeSeparators(PathText(Project->FileName));
  if (!error.empty()) text += QStringLiteral("\r") + PathText(error);
  FAsker->Error(this, text);
  return false;
}

void TTransClientFrm3::SaveFile1Click() {
  SaveProject();
  vt1Model->RefreshAll();
}

bool TTransClientFrm3::SettleModifiedProject() {
  if (!Project->Modified) {
    JournalDiscard();
    return true;
  }
  switch (FAsker->YesNoCancel(this, QLatin1String(kSaveQuestion))) {
  case TAsker::TAnswer::Cancel:
    return false;
  case TAsker::TAnswer::Yes:
    if (!SaveProject()) return false; // a failed save keeps the project open and modified
    break;
  case TAsker::TAnswer::No:
    JournalDiscard(); // the changes are given up deliberately
    break;
  }
  Project->Modified = false;
  return true;
}

void TTransClientFrm3::ResetProject() {
  {
    TUpdateScope scope(UpdateDepth);
    TimerBU->stop();
    Timer_Suggestions->stop();
    SuggestionCountdown.Stop();
    vt1Model->SetRowCount(0);
    vt1aModel->SetRowCount(0);
    vt2Model->SetRowCount(0);
    vtListModel->SetRowCount(0);
    ListboxSections.Clear();
    StatusPanel0->clear();
  }
  FSession.SetProject(nullptr);
  FJournal.Stop();
  TimerJournal->stop();
  SetCrashProject({});
  Project->Close();
  Project = TRef<TWordList>(new TWordList);
  FSession.SetProject(Project.get());
}

void TTransClientFrm3::CloseCurrentFile1Click() {
  if (DeferDuringListRun([this] { CloseCurrentFile1Click(); })) return;
  SelectEntry(nullptr);
  if (TimerBU->isActive()) RunBackup();
  if (!SettleModifiedProject()) return;
  ResetProject();
}

void TTransClientFrm3::Exit1Click() {
  if (DeferDuringListRun([this] { Exit1Click(); })) return;
  CloseCurrentFile1Click();
  if (Project->Items.Empty()) close();
}

bool TTransClientFrm3::TntFormCloseQuery() {
  SelectEntry(nullptr);
  if (TimerBU->isActive()) RunBackup(); // a pending backup is written before the window goes
  return SettleModifiedProject();
}

void TTransClientFrm3::closeEvent(QCloseEvent *event) {
  if (DeferDuringListRun([this] { close(); })) return event->ignore();
  bool allow = true;
  Guard("TntFormCloseQuery", [&] { allow = TntFormCloseQuery(); });
  if (allow) {
    FHintWindow->hide();
    event->accept();
  } else {
    event->ignore();
  }
}

// ---- logon, view switch, help ----------------------------------------------------------------------

void TTransClientFrm3::AdminLogon1Click() {
  const auto answer = FAsker->Input(this, QStringLiteral("Administrator Mode"),
                                    QStringLiteral("Please enter your password"), QString());
  if (!answer || *answer != QLatin1String(kAdminPassword)) return;
  for (QMenu *menu : AdminMenus) menu->menuAction()->setVisible(true);
  cStripCaps->setVisible(true);
  editLn->setVisible(true);
}

void TTransClientFrm3::AdvancedTools1Click() {
  // The menu item has toggled its own mark already.
  const bool on = AdvancedTools1->isChecked();
  vt1a->setVisible(on);
  Panel1->setVisible(on);
  if (on) {
    RxSplitter2->setSizes({std::max(100, RxSplitter2->height() - 89), 89});
    RxSplitter4->setSizes({std::max(100, RxSplitter4->height() - 80), 80});
  }
}

void TTransClientFrm3::ShowAdvancedTools(bool show) {
  if (AdvancedTools1->isChecked() != show) AdvancedTools1->trigger();
}

void TTransClientFrm3::Instructions1Click() {
  const QString manual =
      QCoreApplication::applicationDirPath() + QStringLiteral("/Translator Client Usage.pdf");
  if (QFileInfo::exists(manual)) QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

// ---- pane rules ------------------------------------------------------------------------------------

void TTransClientFrm3::RxSplitter4PosChanged() {
  // The status bar is the window's own bottom band; the splitter only hides what got too small.
  PanelPreview->setVisible(Panel1->height() > 20);
  vt2->setVisible(PanelPreview->isVisible() && PanelPreview->height() > 20);
}

void TTransClientFrm3::RxSplitter3PosChanged() {
  // A list dragged this narrow collapses; dragging the handle back brings it again.
  if (vtList->width() <= 30 && vtList->width() > 0) RxSplitter3->setSizes({0, RxSplitter3->width()});
}

void TTransClientFrm3::RxSplitter2PosChanged() {
  if (vt1a->height() <= 20 && vt1a->height() > 0) RxSplitter2->setSizes({RxSplitter2->height(), 0});
}

void TTransClientFrm3::pnl_trans_rightResize() {
  // Each right-hand control keeps its distance from the right edge and shows only while its left
  // edge lies right of BevelRight, so a narrow panel hides it instead of covering the left-hand
  // buttons.
  constexpr int kSpacing = 2;
  const int limit = BevelRight->geometry().right();
  const QRect row = stClear->geometry();
  int right = pnl_trans_right->width();
  for (QWidget *w : std::initializer_list<QWidget *>{stUpdate, stMoveDown, Bevel8, stAutoTranslate,
                                                     stGoogleTranslate, stApplyToSimilar}) {
    QSize size = w->sizeHint().expandedTo(w->minimumSize());
    if (size.width() <= 0) size.setWidth(4); // the bevel line has no size of its own
    if (size.height() <= 0) size.setHeight(row.height());
    const int left = right - size.width();
    w->setGeometry(left, row.top() + (row.height() - size.height()) / 2, size.width(), size.height());
    w->setVisible(left > limit);
    right = left - kSpacing;
  }
}

// ---- hints -------------------------------------------------------------------------------------------

void TTransClientFrm3::ApplicationEvents1Hint(const QString &hint) {
  FCurrentHint = hint;
  FHintWindow->SetTexts(THintEx32::ShortPart(hint), hint);
}

bool TTransClientFrm3::ApplicationEvents1ShowHint(QWidget *control, const QPoint &globalPos) {
  QString own;
  for (QWidget *w = control; w; w = w->parentWidget())
    if (!w->toolTip().isEmpty()) {
      own = w->toolTip();
      break;
    }
  if (own.isEmpty()) return false;
  ApplicationEvents1Hint(own);
  QString shortText = THintEx32::ShortPart(own);
  if (shortText.isEmpty()) shortText = QStringLiteral("Def  ") + own;
  FHintWindow->SetTexts(shortText, FCurrentHint);
  FHintWindow->ActivateHint(globalPos);
  return true;
}

// ---- events ------------------------------------------------------------------------------------------

bool TTransClientFrm3::eventFilter(QObject *watched, QEvent *event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::ShortcutOverride &&
      (watched == TntMemoLng || watched == TntMemoSrc || watched == editQuery)) {
    // Let the menu shortcuts reach their commands while an editor has the focus.
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence pressed(key->keyCombination());
    for (QAction *action : findChildren<QAction *>())
      if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed) {
        event->ignore();
        return true;
      }
  }
  if (type == QEvent::KeyPress) {
    // Return walks from the sections to the entries to the translation; Escape walks back.
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && watched == vtList) {
      vt1->setFocus();
      return true;
    }
    if (enter && (watched == vt1 || watched == vt1a) && TntMemoLng->isEnabled()) {
      TntMemoLng->setFocus();
      return true;
    }
    if (key == Qt::Key_Escape && watched == TntMemoLng) {
      (FocusInSameSource ? vt1a : vt1)->setFocus();
      return true;
    }
  }
  if (type == QEvent::MouseButtonRelease && (watched == Label9 || watched == Label7)) {
    if (watched == Label9)
      Guard("Label9Click", [this] { Label9Click(); });
    else
      Guard("Label7Click", [this] { Label7Click(); });
    return true;
  }
  if (type == QEvent::KeyPress && (watched == editSearchText || watched == rxWordCount)) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Guard("editSearchTextKeyDown", [this] { ListboxSectionsClick(); });
      return true;
    }
  }
  if (type == QEvent::Resize && watched == pnl_trans_right)
    Guard("pnl_trans_rightResize", [this] { pnl_trans_rightResize(); });
  return QMainWindow::eventFilter(watched, event);
}

// Hands the tool-tip events of the window's controls to the two-part hint window.
class THintEventFilter : public QObject {
public:
  explicit THintEventFilter(TTransClientFrm3 *window) : QObject(window), FWindow(window) {}

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != FWindow) return false;
    bool shown = false;
    FWindow->Guard("ApplicationEvents1ShowHint", [&] {
      shown = FWindow->ApplicationEvents1ShowHint(widget, static_cast<QHelpEvent *>(event)->globalPos());
    });
    return shown;
  }

private:
  TTransClientFrm3 *FWindow;
};

void InstallHintFilter(TTransClientFrm3 *window) {
  QCoreApplication::instance()->installEventFilter(new THintEventFilter(window));
}

} // namespace vt
