#pragma once
// Machine translation of a whole list, row by row from a starting row: "AutoTranslateList" (the web
// translation service) and "Auto GoogleTranslateList" (the browser dialog). The loop is the same for
// the window and the command line; what differs is injected as steps: how a row becomes current, how
// progress shows, how pending work is let through, how an abort is noticed and how one entry is
// translated.
//
// Rules the loop keeps whatever the steps do:
// - only rows whose translation is empty are translated;
// - copies of a machine text go to untranslated entries of the same source only, whatever the
//   "Replace ALL" choice of the session was (it is restored afterwards);
// - the first row whose translator could not be reached ends the run; that row stays untouched.
#include "client/core/edit_session.h"
#include "client/core/machine_text.h"

#include <cstddef>
#include <functional>
#include <string>

namespace vt {

// What translating one row came to.
enum class TRowOutcome {
  Translated,      // the entry holds the machine text (possibly empty, as "Auto Translate" leaves it)
  NoResult,        // no usable result (cancelled, timed out, empty): the row stays untranslated
  TransportFailed, // the translator could not be reached: the run ends here, the row untouched
};

struct TListRunSteps {
  // Makes the row's entry current; the window focuses the row in its list. Default: the session's
  // MakeCurrent.
  std::function<void(std::size_t row, TWordObj *entry)> MakeCurrent;
  // Progress: the counter, a space and the entry's full id.
  std::function<void(const std::string &caption)> ShowCaption;
  // Lets pending window work through (paint, the abort keys).
  std::function<void()> Pump;
  // True once the user asked the run to stop.
  std::function<bool()> Aborted;
  // Translates the current entry (called only for entries without translation).
  std::function<TRowOutcome(TWordObj &entry)> Translate;
};

struct TListRunResult {
  std::size_t Rows = 0;       // rows visited to the end (the counter)
  std::size_t Translated = 0; // rows that took a machine text
  std::size_t Copied = 0;     // same-source entries that took a copy
  bool Aborted = false;
  bool TransportFailed = false;
  std::string FailedId;     // full id of the row whose translator could not be reached
  std::string FinalCaption; // "Complete " + the last progress caption
};

// Runs rows[first..] through the steps. Entries are taken from rows as given (the caller's list
// must keep them alive for the run).
TListRunResult RunTranslateList(TEditSession &session, const TEntryList &rows, std::size_t first,
                                const TListRunSteps &steps);

// One machine translation that says whether the service was reached.
struct TMachineReply {
  std::u16string Text;
  bool TransportFailed = false;
};
using TCheckedTranslateFn =
    std::function<TMachineReply(const std::string &prepared, const std::string &target)>;

// "Auto Translate" of the current entry as a list row: original is what the source editor shows.
// Every line is asked for first; when any line found the service unreachable nothing is stored and
// TransportFailed comes back. Otherwise the lines are stored as the entry's machine text, marked
// auto translated.
TRowOutcome TranslateCurrentByService(TEditSession &session, std::u16string_view original, bool stripCaps,
                                      const std::string &target, const TCheckedTranslateFn &translate);

} // namespace vt
