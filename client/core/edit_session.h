#pragma once
// The entry being edited and the rules that change it: which entry is current, the copy that Undo
// goes back to, settling an entry when it stops being current, typing, "Update Current" with its
// copy to entries of the same source, the status letters, the auto mark and the comment. The main
// window reads its editors, calls these and repaints; commands that change many entries at once
// run between BeginBatch and EndBatch.
#include "model/word_list.h"

#include <functional>
#include <string>
#include <string_view>

namespace vt {

// What the status boxes of the editing band show for the current entry.
struct TEntryStatus {
  bool Editable = false;    // an entry is current
  bool AutoEnabled = false; // "Auto Translated" applies: the entry has a translation
  bool Auto = false;
  bool Query = false;
  bool NeedsWork = false;
  bool Warning = false;
};

class TEditSession {
public:
  TEditSession() = default;
  TEditSession(const TEditSession &) = delete;
  TEditSession &operator=(const TEditSession &) = delete;

  // The project whose entries are edited; forgets the current entry without settling it.
  void SetProject(TWordList *project);
  TWordList *Project() const { return FProject; }
  TWordObj *Current() const { return FCurrent; }
  // The translation as it was when the entry became current (or after the last batch change);
  // null when no entry is current or the entry was settled.
  const TWordObj *UndoCopy() const { return FUndo.get(); }

  // "Replace ALL": copies to same-source entries overwrite their translations too.
  void SetReplaceAll(bool replaceAll) { FReplaceAll = replaceAll; }
  bool ReplaceAll() const { return FReplaceAll; }

  // Settles the entry that stops being current, then makes entry (may be null) current with a
  // fresh undo copy. Returns false when entry already was current (nothing happens).
  bool MakeCurrent(TWordObj *entry);
  // When the current translation differs from the undo copy: marks the entry Changed and the
  // project Modified and, when the text is not empty, copies it to the same-source entries. The
  // undo copy is dropped either way. Returns whether the entry had changed.
  bool Settle();
  // Drops current entry and undo copy without settling (the project is being closed).
  void Forget();

  // A keystroke in the translation editor: stores the editor's text.
  void StoreEditorText(std::u16string_view text);
  // "Update Current": stores the text; a non-empty text makes the entry translated and goes to the
  // same-source entries, an empty one makes it untranslated. Returns how many other entries took it.
  int UpdateCurrent(std::u16string_view text);
  // Goes back to the undo copy's stored translation (letters included). False when there is none.
  bool Undo();
  // The undo copy's text as the editor shows it.
  std::u16string UndoText() const;

  TEntryStatus Status() const;
  // Sets or clears one status letter of the current entry. False when nothing changed. Like the
  // auto mark, the change counts as an edit when the entry is settled.
  bool SetFlag(TEntryFlags flag, bool on);
  // The auto mark: a translated entry can be marked auto translated and back; an untranslated
  // entry keeps its state. False when nothing changed.
  bool SetAutoMark(bool on);
  // Stores the translator's comment (8-bit text). A comment that is not empty queries the entry.
  // False when no entry is current.
  bool SetComment(std::string comment);
  // Stores a machine translation as the current entry's text, marked auto translated.
  bool TakeMachineText(std::u16string_view text);

  // Commands that change many entries: BeginBatch settles the current entry (it stays current);
  // the last EndBatch takes a fresh undo copy and calls OnReload so the window reloads its editors.
  void BeginBatch();
  void EndBatch();
  bool InBatch() const { return FBatchDepth > 0; }
  std::function<void()> OnReload;
  // Told of the entries that took the current entry's text from a copy to the same source.
  std::function<void(const TEntryList &)> OnCopied;

private:
  void MarkChanged();
  int CopyToSameSource();

  TWordList *FProject = nullptr;
  TWordObj *FCurrent = nullptr;
  TRef<TWordObj> FUndo;
  bool FReplaceAll = true;
  int FBatchDepth = 0;
};

// Runs a batch change for the lifetime of the scope.
class TBatchChange {
public:
  explicit TBatchChange(TEditSession &session) : FSession(session) { FSession.BeginBatch(); }
  ~TBatchChange() { FSession.EndBatch(); }
  TBatchChange(const TBatchChange &) = delete;
  TBatchChange &operator=(const TBatchChange &) = delete;

private:
  TEditSession &FSession;
};

} // namespace vt
