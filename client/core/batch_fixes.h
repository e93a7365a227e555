#pragma once
// Batch text fixes: the commands that change many entries of a project at once (status flags,
// copies, repairs, test markers, source clean-ups) and the editor rules that change the text of the
// translation editor (capitals, trailing ellipses, line ends). The list commands walk the project's
// Items (every entry in load order) or its Selection (what the main list shows); each returns how
// many entries it changed and, when asked, lists them. A command that changes a translation marks
// the project Modified, so that closing asks before the work is dropped; the source fixes change
// only memory (they reach disk through "Resave Entire Files").
#include "model/word_list.h"

#include <string>
#include <string_view>

namespace vt {

// U+03AD, the marker "Add Unicode Test Char" puts in front of a translation.
inline constexpr char16_t kUnicodeTestChar = u'\u03AD';

// ---- Batch menu (Selection unless noted) ----------------------------------------------------------
int SetAutoTranslatedFlag(TWordList &project, TEntryList *changed = nullptr);
int ClearAutoTranslatedFlag(TWordList &project, TEntryList *changed = nullptr);
// Every selected entry, hidden ones included, gets an empty text; flag bits stay as a bare prefix.
int ClearAllTranslations(TWordList &project, TEntryList *changed = nullptr);
// Items: untranslated entries take their source text.
int CopyFromSrcText(TWordList &project, TEntryList *changed = nullptr);
// Items: translations equal to their source are removed, flag prefix included.
int RemoveExactTranslations(TWordList &project, TEntryList *changed = nullptr);
int SetQueryFlags(TWordList &project, TEntryList *changed = nullptr);
int RemoveQueryFlags(TWordList &project, TEntryList *changed = nullptr);
int SetModifiedFlag(TWordList &project, TEntryList *changed = nullptr);
int RemoveModifiedFlag(TWordList &project, TEntryList *changed = nullptr);
int SetWarning(TWordList &project, TEntryList *changed = nullptr);
int RemoveWarnings(TWordList &project, TEntryList *changed = nullptr);
int AddUnicodeTestChar(TWordList &project, TEntryList *changed = nullptr);
int RemoveUnicodeTestChar(TWordList &project, TEntryList *changed = nullptr);
// "12_Open" for the entry of load index 12; a text that begins with a digit stays as it is.
int AddNumbers(TWordList &project, TEntryList *changed = nullptr);
// Whether the entry of a section belongs to the product's user interface.
bool IsGuiSection(std::string_view section);
// Narrow Selection to the GUI (resp. non-GUI) entries, keeping their order; returns how many left
// the list. The entries stay in the project.
int ShowOnlyGui(TWordList &project);
int ShowOnlyApp(TWordList &project);

// ---- BatchProcessing and Translate menus ----------------------------------------------------------
// Source fixes (stored with SetSource, so the project's look-ups follow; no change flag is set).
int RemoveTrailingPeriod(TWordList &project, TEntryList *changed = nullptr);
// Removes the first single "&" of the stored source; a doubled "&&" stands for a literal "&" and stays.
int RemoveAccelerators(TWordList &project, TEntryList *changed = nullptr);
// The editor commands run on each visible selected entry as if typed, each entry's change going to
// its same-source entries as leaving it in the window does with "Replace ALL" given by replaceAll.
// changed lists the selected entries that changed and the entries that took copies.
int ReplicateTrailingPeriods(TWordList &project, bool replaceAll, TEntryList *changed = nullptr);
int CaptilaizeSelectedList(TWordList &project, bool replaceAll, TEntryList *changed = nullptr);

// ---- System menu (Items) --------------------------------------------------------------------------
// Entries with a machine suggestion: an untranslated one takes it, marked auto translated; a
// translated one that differs is queried, the suggestion going to an empty comment.
int FlagAuto(TWordList &project, TEntryList *changed = nullptr);
int FixInvalid(TWordList &project, TEntryList *changed = nullptr);
int FixHtmlCodes(TWordList &project, TEntryList *changed = nullptr);
int FixParamCase(TWordList &project, TEntryList *changed = nullptr);
int MarkNonAscii(TWordList &project, TEntryList *changed = nullptr);
int MarkTransAPIErrors(TWordList &project, TEntryList *changed = nullptr);

// ---- Edit menu (Selection) ------------------------------------------------------------------------
// Replaces every occurrence of search in the translation texts; an empty search changes nothing.
int ReplaceText(TWordList &project, std::u16string_view search, std::u16string_view replacement,
                TEntryList *changed = nullptr);

// ---- "test" on the current entry ------------------------------------------------------------------
struct TTestCheck {
  bool Beep = false;    // the stored translation reads differently as UTF-8 and as 8-bit text
  bool Emptied = false; // a visible entry translated as its source lost its translation (the
                        // project is then Modified)
};
TTestCheck TestEntry(TWordList &project, TWordObj &entry);

// The commands change plain stored texts (no escape but line breaks, UTF-8 of one sequence per
// code unit) as bytes, which gives what decoding, changing and encoding them gives; false makes
// them take the general way for every text (for comparing both).
void UseStoredTextPaths(bool use);

// ---- Editor rules on the wide text of the translation editor --------------------------------------
// At least three characters and the last three are full stops.
bool EndsInEllipsis(std::u16string_view text);
// The first character of every line upper-cased (full case mapping of that one character); lines
// split at CR LF, CR or LF and joined with CR LF after every line.
std::u16string Capitalize(std::u16string_view text);
std::u16string AddTrailing(std::u16string_view text);
std::u16string StripTrailing(std::u16string_view text);
// Follows the source: adds "..." when it ends in an ellipsis, strips them otherwise; an empty source
// changes nothing.
std::u16string MirrorTrailing(std::u16string_view text, std::u16string_view source);
// A text ending in ":" or "." loses that character.
std::u16string StripEOL(std::u16string_view text);

} // namespace vt
