#pragma once
// Reading a project's translation and auto-translation values section by section. Files written by
// the project list their keys in the source order, but for keys a save added (at the section's
// end), so the values are taken by walking the section alongside the entries, and the lines left
// over are matched to the entries within the section. Only a section whose keys could be taken for
// one another's comment keys falls back to hashed look-ups of the whole file.
#include "ini_file.h"
#include "word_obj.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace vt {

// A visible entry of one source section and its key ("Name.Kind") as the source file spells it.
struct TPendingEntry {
  TWordObj *Entry;
  std::string_view Key;
};

// Sets Translation and Comment (translation file) or AutoText (auto file) of the pending entries
// from the first section of that name in ini, exactly as first-match look-ups would. The keys of
// pending must be distinct (without case), as a source section's keys are after de-duplication.
// The texts become views of the file's bytes, which store must hold (TTextStore::Hold). Translation
// and Comment lose their change mark where saving them back would leave the file as it is.
// Returns whether every keyed line of the section is the translation or comment of some pending
// entry (true as well when there is no such section).
bool ReadTranslations(const TIniFile &ini, std::string_view section,
                      const std::vector<TPendingEntry> &pending, TTextStore &store);
void ReadAutoTexts(const TIniFile &ini, std::string_view section, const std::vector<TPendingEntry> &pending,
                   TTextStore &store);

} // namespace vt
