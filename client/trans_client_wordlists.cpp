// Word lists, statistics and message tools of the administrator menus: "Extract WordList",
// "Merge from WordList", "Extract RawMsgs", "Merge RawWordlist", "List Raw Msg Diffs", "Load from
// Translation Repository", "Word Frequ List", "Statistics", "Dump Raw Strings" and "Hash". The work
// is client/core's (word_list_tools, project_measures); this file asks, shows and repaints.
#include "client/core/project_measures.h"
#include "client/core/word_list_tools.h"
#include "model/trans_man.h"
#include "path_text.h"
#include "support/text_codec.h"
#include "trans_client_frm.h"
#include "virtual_tree.h"

#include <QAction>
#include <QDir>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <stdexcept>

namespace vt {

namespace {

// SaveDialog2 of the export commands.
const QString kSaveDialog2Title = QStringLiteral("Extract Translations to...");
const QString kSaveDialog2Filter = QStringLiteral("Compiled Translation (*.kxLng)");
// OpenDialog1 of the import commands.
const QString kOpenDialog1Title = QStringLiteral("Open Translation File");
const QString kOpenDialog1Filter = QStringLiteral(
    "Translation File (*.kxLng);;Raw Translation (*.SrcLng);;All Translations (*.kxLng *.SrcLng *.AutoLng)");

// Stored or 8-bit bytes shown as text of the local code page.
QString CodePageText(const std::string &bytes) {
  return ToQString(Cp1252ToUtf16(bytes));
}

} // namespace

void TTransClientFrm3::WireWordListCommands() {
  Wire(ExtractWordList1, &QAction::triggered, &TTransClientFrm3::ExtractWordList1Click,
       "ExtractWordList1Click");
  Wire(MergefromWordList1, &QAction::triggered, &TTransClientFrm3::MergefromWordList1Click,
       "MergefromWordList1Click");
  Wire(ExtractRawMsgs1, &QAction::triggered, &TTransClientFrm3::ExtractRawMsgs1Click, "ExtractRawMsgs1Click");
  Wire(MergeRawWordlist1, &QAction::triggered, &TTransClientFrm3::MergeRawWordlist1Click,
       "MergeRawWordlist1Click");
  Wire(ListMsgDiffs1, &QAction::triggered, &TTransClientFrm3::ListMsgDiffs1Click, "ListMsgDiffs1Click");
  Wire(LoadfromTranslationRepository1, &QAction::triggered,
       &TTransClientFrm3::LoadfromTranslationRepository1Click, "LoadfromTranslationRepository1Click");
  Wire(WordFrequList1, &QAction::triggered, &TTransClientFrm3::WordFrequList1Click, "WordFrequList1Click");
  Wire(Statistics1, &QAction::triggered, &TTransClientFrm3::Statistics1Click, "Statistics1Click");
  Wire(DumpRawStrings1, &QAction::triggered, &TTransClientFrm3::DumpRawStrings1Click, "DumpRawStrings1Click");
  Wire(Hash1, &QAction::triggered, &TTransClientFrm3::Hash1Click, "Hash1Click");
}

// ---- text results ----------------------------------------------------------------------------------

void TTransClientFrm3::ShowTextResult(const QString &text) {
  // The text is no entry's original: the current entry is settled and let go, so that commands that
  // read the original ("Auto Translate", "Grab Original") find no entry to write to.
  SelectEntry(nullptr);
  {
    TUpdateScope scope(UpdateDepth);
    for (TVirtualTree *list : {vt1, vt1a}) {
      list->selectionModel()->clearCurrentIndex();
      list->clearSelection();
    }
    // A long result would make a label line of megabytes: the label shows no original now.
    const QSignalBlocker blocker(TntMemoSrc);
    QString lines = text;
    TntMemoSrc->setPlainText(lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    TntLabel1->clear();
  }
  TntMemoSrc->setReadOnly(true);
  TntMemoSrc->setEnabled(true); // scrollable and selectable for copying
  TntMemoSrc->moveCursor(QTextCursor::Start);
}

// ---- word lists ------------------------------------------------------------------------------------

void TTransClientFrm3::WriteExportResult(const std::string &bytes, const std::string &path) {
  std::string error;
  if (!WriteExportFile(*Project, path, bytes, &error))
    FAsker->Error(this, FailureText("Unable to save file", path, error));
}

std::string TTransClientFrm3::AskExportTarget() {
  if (Project->Items.Empty()) return {};
  return AskTargetFile(kSaveDialog2Title, QString(), kSaveDialog2Filter, QStringLiteral("kxLng"));
}

std::string TTransClientFrm3::AskImportSource() {
  if (Project->Items.Empty()) return {};
  const auto file = FAsker->OpenFileName(this, kOpenDialog1Title, QString(), kOpenDialog1Filter);
  return file ? PathBytes(*file) : std::string();
}

void TTransClientFrm3::EntriesFilled(const TEntryList &changed) {
  JournalEntries(changed);
  if (!changed.empty() && !TimerBU->isActive()) TimerBU->start();
  CountSectionProgress();
  RepaintEntryLists();
}

void TTransClientFrm3::ExtractWordList1Click() {
  const std::string path = AskExportTarget();
  if (!path.empty()) WriteExportResult(ExtractWordList(Project->Selection.Raw()), path);
}

void TTransClientFrm3::ExtractRawMsgs1Click() {
  const std::string path = AskExportTarget();
  if (!path.empty()) WriteExportResult(ExtractRawMsgs(*Project), path);
}

void TTransClientFrm3::MergeWordListFile(bool rawMessages) {
  const std::string path = AskImportSource();
  if (path.empty()) return;
  TTransWordList words;
  std::string error;
  if (!words.LoadFromFile(path, &error)) {
    FAsker->Error(this, FailureText("Unable to Open File", path, error));
    return;
  }
  TEntryList changed;
  BeginBatchChange();
  if (rawMessages)
    MergeRawWordList(*Project, words, &changed);
  else
    MergeFromWordList(*Project, Project->Selection.Raw(), words, &changed);
  EndBatchChange();
  EntriesFilled(changed);
}

void TTransClientFrm3::MergefromWordList1Click() {
  MergeWordListFile(false);
}

void TTransClientFrm3::MergeRawWordlist1Click() {
  MergeWordListFile(true);
}

void TTransClientFrm3::ListMsgDiffs1Click() {
  if (Project->Items.Empty()) return;
  ShowTextResult(CodePageText(ListRawMsgDiffs(*Project)));
}

void TTransClientFrm3::LoadfromTranslationRepository1Click() {
  const std::string path = AskImportSource();
  if (path.empty()) return;
  TIniFile repository;
  std::string error;
  if (!repository.LoadFromFile(path, &error)) {
    FAsker->Error(this, FailureText("Unable to Open File", path, error));
    return;
  }
  TEntryList changed;
  BeginBatchChange();
  LoadFromRepository(*Project, Project->Selection.Raw(), repository, &changed);
  EndBatchChange();
  EntriesFilled(changed);
}

// ---- measures ----------------------------------------------------------------------------------------

void TTransClientFrm3::WordFrequList1Click() {
  if (Project->Items.Empty()) return;
  ShowTextResult(CodePageText(WordFrequencyList(Project->Selection.Raw())));
}

void TTransClientFrm3::Statistics1Click() {
  setWindowTitle(QString::fromStdString(StatisticsCaption(ProjectStatistics(*Project))));
}

void TTransClientFrm3::DumpRawStrings1Click() {
  if (Project->Items.Empty()) return;
  ShowTextResult(CodePageText(DumpRawStrings(Project->Selection.Raw())));
}

void TTransClientFrm3::Hash1Click() {
  const auto text = FAsker->Input(this, QStringLiteral("Enter Seed"), QString(), QStringLiteral("0"));
  if (!text) return;
  std::string error;
  const auto seed = HashSeedFromText(text->toStdString(), &error);
  if (!seed) throw std::invalid_argument(error);
  setWindowTitle(QStringLiteral("no collisions"));
  const THashTestResult result = HashCollisionTest(Project->Selection.Raw(), *seed);
  if (!result.Collision) return;
  FAsker->Warning(this, QStringLiteral("Collision!"));
  setWindowTitle(QStringLiteral("Collision"));
}

} // namespace vt
