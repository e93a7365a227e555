#pragma once
// The main window's two short compilers of a final language file, straight from the open project:
// "Compile selected kxLng File (old)" over the main list, and "Compile Final from Rawmi file..."
// over the whole project limited to what a raw data file lists. (The administrator window has its
// own, fuller compiler in tools/; the hint split and the "_info" rules differ on purpose.)
//
// Both write the target whole and atomically, and only when something was compiled; both refuse a
// target that is one of the project's own files or the raw file read.
#include "model/word_list.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vt {

struct TCompileCounts {
  std::size_t Keys = 0;     // keys written into entry sections (".TH"/".TF" count one each)
  std::size_t Messages = 0; // pairs of the "Messages" block
};

// The keys a hint translation gives: name + ".TH" (short part) and name + ".TF" (full part); an
// empty text means "not written". Before the first "|" is the short part, after it the full part;
// with nothing before the "|", the rest is the short part alone; a lone "|" is never written.
struct THintParts {
  std::u16string Short;
  std::u16string Full;
};
THintParts SplitCompiledHint(std::u16string_view translation);

// False with a message when target is a file of the project (source, translation, auto-translation
// file or the translation file's backup copy) or one of inputs (the same file by any path).
bool CheckCompileTarget(const TWordList &project, const std::string &target,
                        const std::vector<std::string> &inputs, std::string *error);

// The file bytes "Compile selected kxLng File (old)" writes for these entries (no "_info").
// keysDistinct: the entries are of a project whose keys do not repeat within a section
// (TWordList::KeysDistinct), which spares checking most of them.
std::string CompileSelectionBytes(const TEntryList &entries, TCompileCounts *counts = nullptr,
                                  bool keysDistinct = false);
// The file bytes compiled from the raw data file raw (already read): "_info"/"DestLng", the
// entries raw lists, and the messages whose source is among raw's message texts.
std::string CompileRawBytes(const TWordList &project, const TIniFile &raw, TCompileCounts *counts = nullptr);

// The commands: compile and write target. False with a message (naming the file) when the target
// is refused, an input cannot be read, nothing was compiled or the file cannot be written; the
// target is then left as it was.
bool CompileSelectionFile(const TWordList &project, const TEntryList &entries, const std::string &target,
                          TCompileCounts *counts, std::string *error);
bool CompileRawFile(const TWordList &project, const std::string &rawPath, const std::string &target,
                    TCompileCounts *counts, std::string *error);

} // namespace vt
