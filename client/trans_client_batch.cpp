// Batch text fixes of the main window: the list commands of the Batch, BatchProcessing, Translate,
// System and Edit menus, and the editor commands of the Word menu and of the "Strip EOL" item. The
// rules are client/core's (batch_fixes.h); this file asks, runs them around the current entry and
// repaints. A list command settles the current entry first and reloads its editors afterwards, so a
// change it makes to that entry is neither overwritten by the next keystroke nor copied to the
// entry's same-source entries when the user moves on.
#include "client/core/batch_fixes.h"
#include "model/text_helpers.h"
#include "trans_client_frm.h"
#include "virtual_tree.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>

namespace vt {

namespace {

// A batch change of the window for the lifetime of the scope, however the command ends.
class TBatchScope {
public:
  explicit TBatchScope(TTransClientFrm3 &window) : FWindow(window) { FWindow.BeginBatchChange(); }
  ~TBatchScope() { FWindow.EndBatchChange(); }
  TBatchScope(const TBatchScope &) = delete;
  TBatchScope &operator=(const TBatchScope &) = delete;

private:
  TTransClientFrm3 &FWindow;
};

} // namespace

void TTransClientFrm3::WireBatchCommands() {
  using TCommand = void (TTransClientFrm3::*)();
  const std::pair<const char *, TCommand> commands[] = {
      {"SetAutoTranslatedFlag1Click", &TTransClientFrm3::SetAutoTranslatedFlag1Click},
      {"ClearAutoTranslatedFlag1Click", &TTransClientFrm3::ClearAutoTranslatedFlag1Click},
      {"ClearallTranslations1Click", &TTransClientFrm3::ClearallTranslations1Click},
      {"CopyFromSrcText1Click", &TTransClientFrm3::CopyFromSrcText1Click},
      {"RemoveExactTranslations1Click", &TTransClientFrm3::RemoveExactTranslations1Click},
      {"SetQueryFlag1Click", &TTransClientFrm3::SetQueryFlag1Click},
      {"RemoveQueryFlags1Click", &TTransClientFrm3::RemoveQueryFlags1Click},
      {"SetModifiedFlag1Click", &TTransClientFrm3::SetModifiedFlag1Click},
      {"RemoveModifiedFlag1Click", &TTransClientFrm3::RemoveModifiedFlag1Click},
      {"SetWarning1Click", &TTransClientFrm3::SetWarning1Click},
      {"RemoveWarnings1Click", &TTransClientFrm3::RemoveWarnings1Click},
      {"AddUnicodeTestChar1Click", &TTransClientFrm3::AddUnicodeTestChar1Click},
      {"RemoveUnicodeTestChar1Click", &TTransClientFrm3::RemoveUnicodeTestChar1Click},
      {"AddNumbers1Click", &TTransClientFrm3::AddNumbers1Click},
      {"ShowGUI1Click", &TTransClientFrm3::ShowGUI1Click},
      {"ShowApp1Click", &TTransClientFrm3::ShowApp1Click},
      {"ReplicatetrailingPeriods1Click", &TTransClientFrm3::ReplicatetrailingPeriods1Click},
      {"RemoveTrailingperiod1Click", &TTransClientFrm3::RemoveTrailingperiod1Click},
      {"RemoveAccelerators1Click", &TTransClientFrm3::RemoveAccelerators1Click},
      {"CaptilaizeSelected1Click", &TTransClientFrm3::CaptilaizeSelected1Click},
      {"test1Click", &TTransClientFrm3::test1Click},
      {"FlagAuto1Click", &TTransClientFrm3::FlagAuto1Click},
      {"FixInvalid1Click", &TTransClientFrm3::FixInvalid1Click},
      {"FixHtmlCodes1Click", &TTransClientFrm3::FixHtmlCodes1Click},
      {"FixParamcase1Click", &TTransClientFrm3::FixParamcase1Click},
      {"MarknonAscii1Click", &TTransClientFrm3::MarknonAscii1Click},
      {"MarkTransAPIErros1Click", &TTransClientFrm3::MarkTransAPIErros1Click},
      {"ReplaceText1Click", &TTransClientFrm3::ReplaceText1Click},
      {"Capitalize1Click", &TTransClientFrm3::Capitalize1Click},
      {"AddTrailing1Click", &TTransClientFrm3::AddTrailing1Click},
      {"StripTrailing1Click", &TTransClientFrm3::StripTrailing1Click},
      {"MirrorTrailing1Click", &TTransClientFrm3::MirrorTrailing1Click},
  };
  // Each item is named after its handler without "Click".
  for (const auto &[handler, command] : commands) {
    const QLatin1String name(handler, qsizetype(qstrlen(handler)) - 5);
    auto *action = findChild<QAction *>(name);
    Q_ASSERT(action);
    Wire(action, &QAction::triggered, command, handler);
  }
}

// ---- list commands -----------------------------------------------------------------------------------

void TTransClientFrm3::RunListFix(int (*fix)(TWordList &, TEntryList *)) {
  TEntryList changed;
  {
    TBatchScope batch(*this);
    fix(*Project, &changed);
    JournalEntries(changed);
  }
  CountSectionProgress();
}

void TTransClientFrm3::SetAutoTranslatedFlag1Click() {
  RunListFix(SetAutoTranslatedFlag);
}
void TTransClientFrm3::ClearAutoTranslatedFlag1Click() {
  RunListFix(ClearAutoTranslatedFlag);
}
void TTransClientFrm3::CopyFromSrcText1Click() {
  RunListFix(CopyFromSrcText);
}
void TTransClientFrm3::RemoveExactTranslations1Click() {
  RunListFix(RemoveExactTranslations);
}
void TTransClientFrm3::SetQueryFlag1Click() {
  RunListFix(SetQueryFlags);
}
void TTransClientFrm3::RemoveQueryFlags1Click() {
  RunListFix(RemoveQueryFlags);
}
void TTransClientFrm3::SetModifiedFlag1Click() {
  RunListFix(SetModifiedFlag);
}
void TTransClientFrm3::RemoveModifiedFlag1Click() {
  RunListFix(RemoveModifiedFlag);
}
void TTransClientFrm3::SetWarning1Click() {
  RunListFix(SetWarning);
}
void TTransClientFrm3::RemoveWarnings1Click() {
  RunListFix(RemoveWarnings);
}
void TTransClientFrm3::AddUnicodeTestChar1Click() {
  RunListFix(AddUnicodeTestChar);
}
void TTransClientFrm3::RemoveUnicodeTestChar1Click() {
  RunListFix(RemoveUnicodeTestChar);
}
void TTransClientFrm3::AddNumbers1Click() {
  RunListFix(AddNumbers);
}
void TTransClientFrm3::RemoveTrailingperiod1Click() {
  RunListFix(RemoveTrailingPeriod);
}
void TTransClientFrm3::RemoveAccelerators1Click() {
  RunListFix(RemoveAccelerators);
}
void TTransClientFrm3::FlagAuto1Click() {
  RunListFix(FlagAuto);
}
void TTransClientFrm3::FixInvalid1Click() {
  RunListFix(FixInvalid);
}
void TTransClientFrm3::FixHtmlCodes1Click() {
  RunListFix(FixHtmlCodes);
}
void TTransClientFrm3::FixParamcase1Click() {
  RunListFix(FixParamCase);
}
void TTransClientFrm3::MarknonAscii1Click() {
  RunListFix(MarkNonAscii);
}
void TTransClientFrm3::MarkTransAPIErros1Click() {
  RunListFix(MarkTransAPIErrors);
}

void TTransClientFrm3::ClearallTranslations1Click() {
  if (FAsker->YesNo(this, QStringLiteral("Remove all Translations in List?")) != TAsker::TAnswer::Yes) return;
  SelectEntry(nullptr);
  RunListFix(ClearAllTranslations);
  RepaintSuggestionLists();
}

void TTransClientFrm3::ReplaceText1Click() {
  const QString title = QStringLiteral("Replace Text");
  const std::optional<QString> search = FAsker->Input(this, title, QStringLiteral("Search for text"), {});
  if (!search) return;
  const std::optional<QString> replacement =
      FAsker->Input(this, title, QStringLiteral("Replace with"), *search);
  if (!replacement) return;
  int count = 0;
  {
    TBatchScope batch(*this);
    TEntryList changed;
    count = ReplaceText(*Project, ToU16(*search), ToU16(*replacement), &changed);
    JournalEntries(changed);
  }
  CountSectionProgress();
  RepaintSuggestionLists();
  FAsker->Message(this, QString::number(count) + QStringLiteral(" items replaced"));
}

void TTransClientFrm3::ShowGUI1Click() {
  {
    TUpdateScope scope(UpdateDepth);
    vt1Model->SetRowCount(0);
  }
  StatusPanel0->clear();
  ShowOnlyGui(*Project);
  const int count = static_cast<int>(Project->Selection.Count());
  {
    TUpdateScope scope(UpdateDepth);
    vt1Model->SetRowCount(count);
  }
  StatusPanel0->setText(QString::number(count));
}

void TTransClientFrm3::ShowApp1Click() {
  {
    TUpdateScope scope(UpdateDepth);
    vt1Model->SetRowCount(0);
  }
  StatusPanel0->clear();
  ShowOnlyApp(*Project);
  const int count = static_cast<int>(Project->Selection.Count());
  {
    TUpdateScope scope(UpdateDepth);
    vt1Model->SetRowCount(count);
  }
  StatusPanel0->setText(QString::number(count));
}

void TTransClientFrm3::test1Click() {
  TWordObj *entry = FSession.Current();
  if (!entry || entry->Translation.empty()) return;
  TBatchScope batch(*this);
  const TTestCheck check = TestEntry(*Project, *entry);
  if (check.Beep) {
    ++FBeepCount;
    QApplication::beep();
  }
  if (check.Emptied) JournalEntries({entry});
}

// ---- editor commands run over the list -------------------------------------------------------------

void TTransClientFrm3::EditEachSelected(void (TTransClientFrm3::*command)()) {
  // Each entry is made current and edited as a translator would; the list itself does not change.
  const TEntryList entries(Project->Selection.begin(), Project->Selection.end());
  int lastRow = -1;
  for (std::size_t row = 0; row < entries.size(); ++row) {
    TWordObj *entry = entries[row];
    if (entry->Hidden) continue;
    SelectEntry(entry);
    (this->*command)();
    JournalEntries({entry});
    lastRow = static_cast<int>(row);
  }
  if (lastRow >= 0 && vt1Model->RowCount() == static_cast<int>(entries.size())) {
    TUpdateScope scope(UpdateDepth);
    vt1->clearSelection();
    vt1->FocusRow(lastRow, true);
  }
}

void TTransClientFrm3::ReplicatetrailingPeriods1Click() {
  EditEachSelected(&TTransClientFrm3::MirrorTrailing1Click);
}

void TTransClientFrm3::CaptilaizeSelected1Click() {
  EditEachSelected(&TTransClientFrm3::Capitalize1Click);
}

// ---- editor commands ------------------------------------------------------------------------------

void TTransClientFrm3::PutEditorResult(const std::u16string &result) {
  // The stored text drops trailing line breaks: a result that differs only there is no edit.
  if (TrimTrailingLineBreaks(result) == TrimTrailingLineBreaks(EditorText(TntMemoLng))) return;
  TntMemoLng->setPlainText(ToQString(result)); // the change handler stores it
}

void TTransClientFrm3::Capitalize1Click() {
  if (FSession.Current()) PutEditorResult(Capitalize(EditorText(TntMemoLng)));
}

void TTransClientFrm3::AddTrailing1Click() {
  if (FSession.Current()) PutEditorResult(AddTrailing(EditorText(TntMemoLng)));
}

void TTransClientFrm3::StripTrailing1Click() {
  if (FSession.Current()) PutEditorResult(StripTrailing(EditorText(TntMemoLng)));
}

void TTransClientFrm3::MirrorTrailing1Click() {
  if (FSession.Current()) PutEditorResult(MirrorTrailing(EditorText(TntMemoLng), EditorText(TntMemoSrc)));
}

void TTransClientFrm3::StripEOL1Click() {
  if (FSession.Current()) PutEditorResult(StripEOL(EditorText(TntMemoLng)));
}

} // namespace vt
