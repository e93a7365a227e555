#include "edit_session.h"

namespace vt {

void TEditSession::SetProject(TWordList *project) {
  Forget();
  FProject = project;
}

void TEditSession::Forget() {
  FCurrent = nullptr;
  FUndo = TRef<TWordObj>();
}

bool TEditSession::MakeCurrent(TWordObj *entry) {
  if (entry && entry == FCurrent) return false;
  Settle();
  FCurrent = entry;
  FUndo = TRef<TWordObj>(entry ? entry->Clone() : nullptr);
  return true;
}

bool TEditSession::Settle() {
  if (!FUndo) return false;
  bool changed = false;
  // The copy belongs to the current entry unless something replaced the entry under it.
  if (FCurrent && FProject && FUndo->FullId() == FCurrent->FullId() &&
      FUndo->Translation != FCurrent->Translation) {
    MarkChanged();
    if (!FCurrent->TranslationText().empty()) CopyToSameSource();
    changed = true;
  }
  FUndo = TRef<TWordObj>();
  return changed;
}

void TEditSession::MarkChanged() {
  FCurrent->Changed = true;
  if (FProject) FProject->Modified = true;
}

void TEditSession::StoreEditorText(std::u16string_view text) {
  if (!FCurrent) return;
  FCurrent->SetTranslationFromEditor(text);
  MarkChanged();
}

int TEditSession::UpdateCurrent(std::u16string_view text) {
  if (!FCurrent) return 0;
  FCurrent->SetTranslationFromEditor(text);
  if (text.empty()) {
    FCurrent->SetAutoState(esUntranslated);
    return 0;
  }
  FCurrent->SetAutoState(esTranslated);
  MarkChanged();
  return FProject ? CopyToSameSource() : 0;
}

int TEditSession::CopyToSameSource() {
  TEntryList copied;
  const int count = FProject->ApplyToSameSource(FCurrent, FReplaceAll, &copied);
  if (OnCopied && !copied.empty()) OnCopied(copied);
  return count;
}

bool TEditSession::Undo() {
  if (!FCurrent || !FUndo) return false;
  FCurrent->SetStoredTranslation(FUndo->Translation);
  return true;
}

std::u16string TEditSession::UndoText() const {
  return FUndo ? FUndo->TranslationDisplay() : std::u16string();
}

TEntryStatus TEditSession::Status() const {
  TEntryStatus status;
  if (!FCurrent) return status;
  const TEntryState state = FCurrent->State();
  const TEntryFlags flags = FCurrent->Flags();
  status.Editable = true;
  status.AutoEnabled = state != esUntranslated;
  status.Auto = state == esAutoTranslated;
  status.Query = (flags & efQuery) != 0;
  status.NeedsWork = (flags & efNeedsWork) != 0;
  status.Warning = (flags & efWarning) != 0;
  return status;
}

bool TEditSession::SetFlag(TEntryFlags flag, bool on) {
  if (!FCurrent) return false;
  const TEntryFlags flags = FCurrent->Flags();
  const auto wanted = static_cast<TEntryFlags>(on ? flags | flag : flags & ~flag);
  if (wanted == flags) return false;
  // The letters are part of the stored translation: settling the entry marks the change.
  FCurrent->SetFlags(wanted);
  return true;
}

bool TEditSession::SetAutoMark(bool on) {
  if (!FCurrent) return false;
  const TEntryState state = FCurrent->State();
  if (on && state == esTranslated)
    FCurrent->SetAutoState(esAutoTranslated);
  else if (!on && state == esAutoTranslated)
    FCurrent->SetAutoState(esTranslated);
  else
    return false;
  return true;
}

bool TEditSession::SetComment(std::string comment) {
  if (!FCurrent) return false;
  const bool query = !comment.empty();
  FCurrent->Comment = std::move(comment);
  MarkChanged();
  if (query) SetFlag(efQuery, true);
  return true;
}

bool TEditSession::TakeMachineText(std::u16string_view text) {
  if (!FCurrent) return false;
  FCurrent->SetTranslationFromEditor(text);
  FCurrent->SetAutoState(esAutoTranslated);
  MarkChanged();
  return true;
}

void TEditSession::BeginBatch() {
  if (FBatchDepth++ == 0) Settle();
}

void TEditSession::EndBatch() {
  if (FBatchDepth == 0 || --FBatchDepth > 0) return;
  FUndo = TRef<TWordObj>(FCurrent ? FCurrent->Clone() : nullptr);
  if (OnReload) OnReload();
}

} // namespace vt
