// Backups, packed projects and project maintenance of the main window: "Backup File" and the timed
// backup, "Export/Import Packed Project", and the System menu's "Clone Project as...", "Resave
// Entire Files", "Build Updated SrcLng" and "Merge Hints". The file work is client/core's; this file
// asks, shows and reports.
#include "client/core/packed_project.h"
#include "list_models.h"
#include "path_text.h"
#include "support/file_io.h"
#include "trans_client_frm.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTimer>

namespace vt {

namespace {

const QString kPackedFilter = QStringLiteral("Language Project (*.LngPrj)");
const QString kSourceFilter = QStringLiteral("Source Translation (*.SrcLng)");
const QString kSaveDialog1Title = QStringLiteral("Save Updated Source Translation File");

// Restores the cursor however the command ends.
class TWaitCursor {
public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor &) = delete;
  TWaitCursor &operator=(const TWaitCursor &) = delete;
};

} // namespace

void TTransClientFrm3::SetBackupClock(TZipClock clock) {
  FBackupClock = std::move(clock);
}

void TTransClientFrm3::WireBackupCommands() {
  Wire(BackupFile1, &QAction::triggered, &TTransClientFrm3::BackupFile1Click, "BackupFile1Click");
  Wire(ExportPackedProject1, &QAction::triggered, &TTransClientFrm3::ExportPackedProject1Click,
       "ExportPackedProject1Click");
  Wire(ImportPackedProject1, &QAction::triggered, &TTransClientFrm3::ImportPackedProject1Click,
       "ImportPackedProject1Click");
  Wire(CloneProjectas1, &QAction::triggered, &TTransClientFrm3::CloneProjectas1Click, "CloneProjectas1Click");
  Wire(ResaveEntireFiles1, &QAction::triggered, &TTransClientFrm3::ResaveEntireFiles1Click,
       "ResaveEntireFiles1Click");
  Wire(BuildUpdatedSrcLng1, &QAction::triggered, &TTransClientFrm3::BuildUpdatedSrcLng1Click,
       "BuildUpdatedSrcLng1Click");
  Wire(MergeHints1, &QAction::triggered, &TTransClientFrm3::MergeHints1Click, "MergeHints1Click");
}

// ---- backups ---------------------------------------------------------------------------------------

bool TTransClientFrm3::WriteBackup() {
  if (Project->FileName.empty()) return true;
  const TZipTime now = FBackupClock ? FBackupClock() : LocalZipTime();
  const std::string path = BackupFileName(Project->FileName, now);
  setWindowTitle(PathText(path));
  std::string written, error;
  if (BackupProject(*Project, now, written, &error)) return true;
  FAsker->Error(this, FailureText("Unable to save Backupfile:", path, error));
  return false;
}

void TTransClientFrm3::BackupFile1Click() {
  WriteBackup();
}

void TTransClientFrm3::TimerBUTimer() {
  if (Project->FileName.empty()) {
    TimerBU->stop();
    return;
  }
  setWindowTitle(QStringLiteral("Backing up..."));
  bool written = false;
  {
    TWaitCursor wait;
    written = WriteBackup();
  }
  // A backup that could not be written is tried again after the next interval.
  if (written)
    TimerBU->stop();
  else
    TimerBU->start();
}

void TTransClientFrm3::RunBackup() {
  TimerBUTimer();
  TimerBU->stop();
}

// ---- packed projects -------------------------------------------------------------------------------

void TTransClientFrm3::ExportPackedProject1Click() {
  if (Project->Items.Empty()) {
    FAsker->Warning(this, QStringLiteral("No Project to Export"));
    return;
  }
  if (!Project->SrcIni || !Project->TransIni) return;
  const QFileInfo project(PathText(Project->FileName));
  const QString proposed = project.dir().filePath(project.completeBaseName());
  const std::string path = AskTargetFile(QStringLiteral("Export Packed Translation File"), proposed,
                                         kPackedFilter, QStringLiteral("LngPrj"));
  if (path.empty()) return;
  std::string error;
  const TZipClock clock = FBackupClock ? FBackupClock : TZipClock(LocalZipTime);
  if (!WritePackedProject(*Project, path, clock, &error))
    FAsker->Error(this, FailureText("Unable to save file", path, error));
}

void TTransClientFrm3::ImportPackedProject1Click() {
  if (DeferDuringListRun([this] { ImportPackedProject1Click(); })) return;
  if (!Project->FileName.empty()) CloseCurrentFile1Click();
  if (!Project->Items.Empty()) return; // the user kept the project open
  const auto archive =
      FAsker->OpenFileName(this, QStringLiteral("Import Packed Translation File"), QString(), kPackedFilter);
  if (archive) ImportPackedProjectFrom(*archive);
}

bool TTransClientFrm3::ImportPackedProjectFrom(const QString &archive) {
  if (!QFileInfo(archive).isFile()) return false;
  if (!Project->FileName.empty()) CloseCurrentFile1Click();
  if (!Project->Items.Empty()) return false; // the user kept the project open

  const QFileInfo archiveInfo(archive);
  const QString projects = QCoreApplication::applicationDirPath() + QStringLiteral("/Projects");
  const QDir folder = QFileInfo(projects).isDir() ? QDir(projects) : archiveInfo.dir();
  const std::string chosen = AskTargetFile(kSaveDialog1Title, folder.filePath(archiveInfo.completeBaseName()),
                                           kSourceFilter, QStringLiteral("SrcLng"));
  if (chosen.empty()) return false;
  const std::string base = ChangeFileExt(chosen, "");
  if (!ConfirmReplace({base + ".SrcLng", base + ".kxLng"}, chosen)) return false;

  std::string translation, error;
  if (!UnpackProject(PathBytes(archive), base, translation, &error)) {
    FAsker->Error(this, FailureText("Unable to Open File", PathBytes(archive), error));
    return false;
  }
  // Opening copies the translation file to ".~bu" once more, which would put a copy of the file just
  // unpacked over the copy of the file the import replaced: that copy is put back.
  std::string replaced;
  const bool keptCopy = ReadFileBytes(translation + ".~bu", replaced);
  const bool opened = OpenProjectFile(PathText(translation));
  if (opened && keptCopy) WriteFileAtomic(translation + ".~bu", replaced);
  return opened;
}

// ---- project maintenance ----------------------------------------------------------------------------

std::string TTransClientFrm3::AskTargetFile(const QString &title, const QString &proposed,
                                            const QString &filter, const QString &suffix) {
  const auto chosen = FAsker->SaveFileName(this, title, proposed, filter, suffix);
  if (!chosen || chosen->isEmpty()) return {};
  std::string path = PathBytes(*chosen);
  // A name typed without an extension gets the dialog's own.
  if (QFileInfo(*chosen).suffix().isEmpty()) path += "." + suffix.toStdString();
  return path;
}

bool TTransClientFrm3::ConfirmReplace(const std::vector<std::string> &targets, const std::string &chosen) {
  QStringList existing;
  for (const std::string &target : targets)
    if (target != chosen && FileExists(target)) existing << PathText(target);
  if (existing.isEmpty()) return true;
  return FAsker->YesNo(this, QStringLiteral("Replace the existing file?\r") +
                                 existing.join(QLatin1Char('\r'))) == TAsker::TAnswer::Yes;
}

void TTransClientFrm3::CloneProjectas1Click() {
  if (!FileExists(Project->FileName)) return;
  const std::string chosen =
      AskTargetFile(kSaveDialog1Title, QString(), kSourceFilter, QStringLiteral("SrcLng"));
  if (chosen.empty()) return;
  if (!ConfirmReplace({ChangeFileExt(chosen, ".SrcLng"), ChangeFileExt(chosen, ".kxLng")}, chosen)) return;
  std::string error;
  if (!CloneProject(Project->FileName, chosen, &error))
    FAsker->Error(this, FailureText("Unable to save file", chosen, error));
}

void TTransClientFrm3::ResaveEntireFiles1Click() {
  if (Project->Items.Empty()) return;
  const std::string chosen =
      AskTargetFile(kSaveDialog1Title, QString(), kSourceFilter, QStringLiteral("SrcLng"));
  if (chosen.empty()) return;
  if (!ConfirmReplace({ChangeFileExt(chosen, ".SrcLng"), ChangeFileExt(chosen, ".kxLng")}, chosen)) return;
  std::string error;
  if (!ResaveEntireFiles(*Project, chosen, &error))
    FAsker->Error(this, FailureText("Unable to save file", chosen, error));
}

void TTransClientFrm3::BuildUpdatedSrcLng1Click() {
  if (Project->Items.Empty()) return;
  const std::string chosen =
      AskTargetFile(kSaveDialog1Title, QString(), kSourceFilter, QStringLiteral("SrcLng"));
  if (chosen.empty()) return;
  std::string error;
  if (!BuildUpdatedSrcLng(*Project, chosen, &error))
    FAsker->Error(this, FailureText("Unable to save file", chosen, error));
}

void TTransClientFrm3::MergeHints1Click() {
  SelectEntry(nullptr);
  {
    TUpdateScope scope(UpdateDepth);
    vt1Model->SetRowCount(0);
    vt1aModel->SetRowCount(0);
    vt2Model->SetRowCount(0);
    vtListModel->SetRowCount(0);
    ListboxSections.Clear();
    SetPreviewControl(nullptr);
  }
  Project->ClearSelection();
  Project->MergeHints();
  // The merged entries reach disk only through a save: the close questions must know of them.
  if (!Project->Items.Empty()) Project->Modified = true;
  FillSectionList();
}

} // namespace vt
