#pragma once
// Word lists between projects: exporting the translated entries of a list as a word list file,
// filling untranslated entries from one, the same keyed by the raw message texts, the table of raw
// message texts beside the project's, and filling entries from another translation file.
#include "model/ini_file.h"
#include "model/trans_word_list.h"
#include "model/word_list.h"

#include <span>
#include <string>

namespace vt {

using TEntrySpan = std::span<TWordObj *const>;

// The word list file bytes (pairs, when given, counts them) ("R=" source, "L=" translation, empty line; CR
// LF) of the visible entries of list that have a translation text. The translation is encoded again, so no
// status letters.
std::string ExtractWordList(TEntrySpan list, std::size_t *pairs = nullptr);
// Writes ExtractWordList(list) to path atomically, refusing the project's own files as
// WriteExportFile does; pairs counts the pairs written.
bool WriteWordListFile(const TWordList &project, TEntrySpan list, const std::string &path,
                       std::size_t *pairs = nullptr, std::string *error = nullptr);
// The same for the visible messages (kind "msg") of Items, keyed by the raw message text of each
// message's counterpart in "_Messages" (its own source when it has none).
std::string ExtractRawMsgs(const TWordList &project, std::size_t *pairs = nullptr);

// The raw message text a message was extracted with: the source of its hidden counterpart, or its
// own source when it has none.
std::string_view RawMessageText(const TWordList &project, const TWordObj &message);

// Fills each visible, untranslated entry of list whose source has a pair in words with the pair's
// translation (when it decodes to a text). Changed entries are marked Changed, listed in changed
// when given, and make the project Modified. Returns how many changed.
int MergeFromWordList(TWordList &project, TEntrySpan list, const TTransWordList &words,
                      TEntryList *changed = nullptr);
// The same over the visible, untranslated messages of Items, looked up by their raw message text.
int MergeRawWordList(TWordList &project, const TTransWordList &words, TEntryList *changed = nullptr);

// One line per visible message with a counterpart: raw message text, TAB, source; CR LF after each.
std::string ListRawMsgDiffs(const TWordList &project);

// Fills each visible, untranslated entry of list that is no message with the repository's value
// under its section and key, taken over as stored (status letters included).
int LoadFromRepository(TWordList &project, TEntrySpan list, const TIniFile &repository,
                       TEntryList *changed = nullptr);

// Whether path names one of the project's own files (source, translation, auto-translation file,
// the backup copy or the journal), which a word list must never replace. reason says which.
bool IsProjectFile(const TWordList &project, const std::string &path, std::string *reason = nullptr);
// Writes a word list (or another export) to path atomically, refusing the project's own files.
bool WriteExportFile(const TWordList &project, const std::string &path, std::string_view bytes,
                     std::string *error = nullptr);

} // namespace vt
