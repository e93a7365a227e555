// The current entry and its editors: selecting and settling an entry, typing, Update Current,
// Undo, Clear, the clipboard, the status boxes with their menu items, and the comment.
#include "client/core/status_words.h"
#include "controls/hot_button.h"
#include "model/text_helpers.h"
#include "model/trans_man.h"
#include "trans_client_frm.h"
#include "virtual_tree.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>

namespace vt {

namespace {

QString Latin1Text(const std::string &bytes) {
  return ToQString(Cp1252ToUtf16(bytes));
}
std::string CodePageText(const QString &text) {
  return Utf16ToCp1252(ToU16(text));
}

void SetBase(QWidget *widget, const QColor &color) {
  QPalette p = widget->palette();
  p.setColor(QPalette::Base, color);
  widget->setPalette(p);
}

} // namespace

std::u16string TTransClientFrm3::EditorText(const QPlainTextEdit *memo) {
  return EditorLineBreaks(ToU16(memo->toPlainText()));
}

void TTransClientFrm3::SetMemoText(QPlainTextEdit *memo, const QString &text) {
  if (memo->toPlainText() != text) memo->setPlainText(text);
}

// ---- current entry -------------------------------------------------------------------------------

void TTransClientFrm3::SelectEntry(TWordObj *entry) {
  if (entry && entry == FSession.Current()) return;
  Timer_Suggestions->stop();
  SuggestionCountdown.Stop();
  // The entry that stops being current is settled first (MakeCurrent finds nothing left to do).
  CommitEntryChange();
  FSession.MakeCurrent(entry);
  if (entry) FJournal.Baseline(*entry);
  {
    TUpdateScope scope(UpdateDepth);
    stApplyToSimilar->setEnabled(FocusInSameSource);
    ApplytoSimilar1->setEnabled(FocusInSameSource);
    if (!FocusInSameSource) vt1aModel->SetRowCount(0);
    vt2Model->SetRowCount(0);
  }
  ReloadEditors();
  HighlightCurrentInPreview();
  // The suggestion lists follow a moment later, and only for the entry where the user stops.
  if (entry) {
    SuggestionCountdown.Start();
    Timer_Suggestions->start();
  }
  RepaintEntryLists();
}

void TTransClientFrm3::ReloadEditors() {
  TUpdateScope scope(UpdateDepth);
  TWordObj *entry = FSession.Current();
  if (entry) {
    SetMemoText(TntMemoSrc, ToQString(entry->SourceDisplay()));
    SetMemoText(TntMemoLng, ToQString(entry->TranslationDisplay()));
    TntMemoSrc->setEnabled(true);
    TntMemoLng->setEnabled(true);
    FillInfoMemo(entry);
    editQuery->setText(Latin1Text(entry->Comment));
    editQuery->setEnabled(true);
  } else {
    SetMemoText(TntMemoSrc, {});
    SetMemoText(TntMemoLng, {});
    TntMemoSrc->setEnabled(false);
    TntMemoLng->setEnabled(false);
    FillInfoMemo(nullptr);
    editQuery->clear();
    editQuery->setEnabled(false);
  }
  ShowEntryStatus();
  TntMemoSrcChange();
  ShowPreview();
}

bool TTransClientFrm3::CommitEntryChange() {
  FSession.SetReplaceAll(cReplaceAuto->isChecked());
  const bool changed = FSession.Settle();
  if (changed && PreviewShowing()) ShowFormPreview();
  return changed;
}

void TTransClientFrm3::BeginBatchChange() {
  FSession.SetReplaceAll(cReplaceAuto->isChecked());
  FSession.BeginBatch();
}

void TTransClientFrm3::EndBatchChange() {
  FSession.EndBatch(); // the last end reloads the editors and lists through the session's OnReload
}

void TTransClientFrm3::ShowEntryStatus() {
  TUpdateScope scope(UpdateDepth);
  const TEntryStatus status = FSession.Status();
  for (QCheckBox *box : {cFuzzy, cNeedsWork, cWarning}) box->setEnabled(status.Editable);
  cIsAuto->setEnabled(status.AutoEnabled);
  if (!status.Editable) return;
  cIsAuto->setChecked(status.Auto);
  cFuzzy->setChecked(status.Query);
  cNeedsWork->setChecked(status.NeedsWork);
  cWarning->setChecked(status.Warning);
  // The menu marks follow even when a box kept its state.
  AutoTranslated1->setChecked(cIsAuto->isChecked());
  Queried1->setChecked(cFuzzy->isChecked());
  NeedsWork1->setChecked(cNeedsWork->isChecked());
  Warning1->setChecked(cWarning->isChecked());
  SetQueryColor();
}

void TTransClientFrm3::FillInfoMemo(const TWordObj *entry) {
  std::string note, linked;
  if (entry) {
    note = Project->GetSourceNote(*entry);
    if (note.empty()) linked = Project->GetLinkedText(*entry);
  }
  const QColor face = palette().color(QPalette::Button);
  if (!note.empty()) {
    SetMemoText(memoInfo, ToQString(TTransMan::DecodeText(note)));
    SetBase(memoInfo, QColor(255, 255, 0));
  } else if (!linked.empty()) {
    SetMemoText(memoInfo, ToQString(TTransMan::DecodeText(linked)));
    SetBase(memoInfo, QColor(220, 220, 220));
  } else {
    SetMemoText(memoInfo, {});
    SetBase(memoInfo, face);
  }
  memoInfo->setEnabled(!memoInfo->toPlainText().isEmpty());
}

// ---- typing and commands -------------------------------------------------------------------------

void TTransClientFrm3::TntMemoLngChange() {
  if (!FSession.Current() || UpdateDepth > 0 || MemoLngGuard > 0) return;
  ++MemoLngGuard;
  struct TRelease {
    int &Guard;
    ~TRelease() { --Guard; }
  } release{MemoLngGuard};
  FSession.StoreEditorText(EditorText(TntMemoLng));
  ShowPreview();
  RepaintEntryLists();
  if (!TimerBU->isActive()) TimerBU->start();
  ShowEntryStatus();
}

void TTransClientFrm3::TntMemoSrcChange() {
  TntLabel1->setText(ToQString(LineBreaksToBars(ToU16(TntMemoSrc->toPlainText()))));
}

void TTransClientFrm3::Update1Click() {
  if (!FSession.Current()) return;
  FSession.SetReplaceAll(cReplaceAuto->isChecked());
  FSession.UpdateCurrent(EditorText(TntMemoLng));
  ShowPreview();
  ShowEntryStatus();
  RepaintEntryLists();
  if (PreviewShowing()) ShowFormPreview();
}

void TTransClientFrm3::Undo1Click() {
  if (!FSession.Undo()) return;
  const QString text = ToQString(FSession.UndoText());
  if (TntMemoLng->toPlainText() != text)
    TntMemoLng->setPlainText(text); // runs the change handler
  else
    TntMemoLngChange();
  ShowEntryStatus();
  RepaintEntryLists();
}

void TTransClientFrm3::ClearTranslation1Click() {
  if (FSession.Current()) TntMemoLng->clear();
}

void TTransClientFrm3::stRawToTransSubmitData() {
  if (FSession.Current()) TntMemoLng->setPlainText(TntMemoSrc->toPlainText());
}

void TTransClientFrm3::stMoveDownSubmitData() {
  Update1Click();
  NavigateItem(+1);
}

// ---- clipboard -----------------------------------------------------------------------------------

void TTransClientFrm3::CopyOriginaltoClipboard1Click() {
  TntMemoSrc->selectAll();
  TntMemoSrc->copy();
  QTextCursor cursor = TntMemoSrc->textCursor();
  cursor.clearSelection();
  TntMemoSrc->setTextCursor(cursor);
}

void TTransClientFrm3::CopyTranslationtoClipboard1Click() {
  if (TntMemoLng->textCursor().hasSelection()) {
    TntMemoLng->copy();
    return;
  }
  TntMemoLng->selectAll();
  TntMemoLng->copy();
  QTextCursor cursor = TntMemoLng->textCursor();
  cursor.clearSelection();
  TntMemoLng->setTextCursor(cursor);
}

void TTransClientFrm3::PastefromClipboard1Click() {
  if (!FSession.Current()) return;
  try {
    if (!TntMemoLng->hasFocus()) TntMemoLng->selectAll();
    TntMemoLng->paste();
  } catch (...) {
    // A clipboard that cannot be read leaves the translation as it was.
  }
}

// ---- status boxes --------------------------------------------------------------------------------

void TTransClientFrm3::SetQueryColor() {
  SetBase(editQuery, cFuzzy->isChecked() ? QColor(255, 255, 192) : palette().color(QPalette::Button));
}

void TTransClientFrm3::StatusBoxClick(QCheckBox *box, QAction *item, TEntryFlags flag) {
  item->setChecked(box->isChecked());
  if (UpdateDepth > 0) return;
  if (!FSession.SetFlag(flag, box->isChecked())) return;
  RepaintEntryLists();
  AnnounceStatusChange(box);
}

void TTransClientFrm3::cFuzzyClick() {
  SetQueryColor();
  StatusBoxClick(cFuzzy, Queried1, efQuery);
}
void TTransClientFrm3::cWarningClick() {
  StatusBoxClick(cWarning, Warning1, efWarning);
}
void TTransClientFrm3::cNeedsWorkClick() {
  StatusBoxClick(cNeedsWork, NeedsWork1, efNeedsWork);
}

void TTransClientFrm3::cIsAutoClick() {
  AutoTranslated1->setChecked(cIsAuto->isChecked());
  if (UpdateDepth > 0) return;
  if (!FSession.SetAutoMark(cIsAuto->isChecked())) return;
  RepaintEntryLists();
  AnnounceStatusChange(cIsAuto);
}

void TTransClientFrm3::AnnounceStatusChange(const QCheckBox *box) {
  // The status line says what changed, as the colours of the row do.
  statusBar()->showMessage(
      QString::fromStdString(StatusChangeWords(box->text().toStdString(), box->isChecked())), 10000);
}

void TTransClientFrm3::ToggleStatusBox(QCheckBox *box) {
  if (box->isEnabled()) box->setChecked(!box->isChecked());
}

// The menu items toggle their own mark when triggered; the box decides what it shows.
void TTransClientFrm3::AutoTranslated1Click() {
  ToggleStatusBox(cIsAuto);
  AutoTranslated1->setChecked(cIsAuto->isChecked());
}
void TTransClientFrm3::Queried1Click() {
  ToggleStatusBox(cFuzzy);
  Queried1->setChecked(cFuzzy->isChecked());
}
void TTransClientFrm3::NeedsWork1Click() {
  ToggleStatusBox(cNeedsWork);
  NeedsWork1->setChecked(cNeedsWork->isChecked());
}
void TTransClientFrm3::Warning1Click() {
  ToggleStatusBox(cWarning);
  Warning1->setChecked(cWarning->isChecked());
}

// ---- comment -------------------------------------------------------------------------------------

void TTransClientFrm3::editQueryChange() {
  if (UpdateDepth > 0 || !FSession.SetComment(CodePageText(editQuery->text()))) return;
  ShowEntryStatus();
  RepaintEntryLists();
}

void TTransClientFrm3::Clear1Click() {
  editQuery->clear();
  cFuzzy->setChecked(false);
}

void TTransClientFrm3::NotSureaboutmeaning1Click() {
  editQuery->setText(
      QString::fromStdString(RemoveFirstAmpersand(NotSureaboutmeaning1->text().toStdString())));
}

void TTransClientFrm3::SpeedButton1Click() {
  Clear1Click();
}

void TTransClientFrm3::SpeedButton2Click() {
  const QString translation = TntMemoLng->toPlainText();
  const QString comment = editQuery->text();
  editQuery->setText(Latin1Text(CodePageText(translation)));
  TntMemoLng->setPlainText(comment);
  cFuzzy->setChecked(false);
}

} // namespace vt
