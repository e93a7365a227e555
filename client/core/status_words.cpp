#include "status_words.h"

namespace vt {

std::string EntryStatusWords(TEntryState state, TEntryFlags flags, bool changed) {
  std::string words;
  switch (state) {
  case esTranslated:
    words = "translated";
    break;
  case esAutoTranslated:
    words = "auto translated";
    break;
  default:
    words = "untranslated";
    break;
  }
  if (flags & efQuery) words += ", query";
  if (flags & efWarning) words += ", warning";
  if (flags & efNeedsWork) words += ", needs work";
  if (changed) words += ", changed";
  return words;
}

std::string EntryStatusWords(const TWordObj &entry) {
  return EntryStatusWords(entry.State(), entry.Flags(), entry.Changed);
}

std::string StatusChangeWords(std::string_view status, bool on) {
  std::string words(status);
  words += on ? " on" : " off";
  return words;
}

} // namespace vt
