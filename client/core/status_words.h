#pragma once
// An entry's status in words, for what colour, font and icon show in the lists: screen readers read
// these texts from the rows, and the status line says what a status command changed.
#include "model/word_obj.h"

#include <string>
#include <string_view>

namespace vt {

// "translated", "auto translated" or "untranslated", then any of ", query", ", warning",
// ", needs work" and ", changed" (edited since the last save).
std::string EntryStatusWords(TEntryState state, TEntryFlags flags, bool changed);
std::string EntryStatusWords(const TWordObj &entry);

// What a status command did, for the status line: "Query on", "Warning off".
std::string StatusChangeWords(std::string_view status, bool on);

} // namespace vt
