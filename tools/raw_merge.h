#pragma once
// Raw data files into one source-language file: the merge of two raw data files, the removal of
// filtered entries, and the rebuild of a ".SrcLng" file with corrected English texts. Each operation
// reads whole files, changes them in memory and writes each changed file once, atomically.
#include "grab_log.h"

#include <optional>
#include <string>
#include <vector>

namespace vt {

class TIniFile;
class TTransWordList;

// "Add to Dst file": every key of the source that the destination lacks (or holds empty) is added;
// the destination keeps its own non-empty values, and each key whose two values differ is logged
// as two lines (section TAB key TAB value, destination's first) and an empty line. Clears the log
// first. A missing destination is created. A missing source logs "Not Found!" TAB path and writes
// nothing. Returns the destination's content as written, or nothing when nothing was written.
// Throws EGrabError when a file cannot be read or saved.
std::optional<std::string> MergeRawFiles(const std::string &sourcePath, const std::string &destPath,
                                         TGrabLog &log);

// "Remove from Dst file": deletes every key of the destination whose section and key hold the
// value "x" in the filter file, logging "x" TAB section TAB key for each. A missing filter or
// destination logs "Not Found!" TAB path and writes nothing. Returns the destination's content as
// written, or nothing. Throws EGrabError when a file cannot be read or saved.
std::optional<std::string> FilterRawFile(const std::string &filterPath, const std::string &destPath,
                                         TGrabLog &log);

struct TRebuildOptions {
  std::string RawFile;       // the merged raw data file
  std::string DestFile;      // the ".SrcLng" file to build
  bool ApplyEnglish = false; // "Apply English Translation File"
  std::string EnglishFile;   // the English project's ".kxLng"
  bool ApplyMessages = false;
  std::string MessageFile; // word list of corrected English message texts
};

// "Rebuild SrcLng": with an existing English file, the raw texts corrected by it (messages only
// through the word list), sections in source order ("_info" first, "Messages" and "_Messages"
// last); otherwise a byte-for-byte copy of the raw file. Throws EGrabAssertion("Assertion failure")
// when the raw file is missing, and an assertion before touching anything when the raw file and
// the destination are one file. Returns the content written.
std::string RebuildSrcLng(const TRebuildOptions &options, TGrabLog &log);

// The steps of the rebuild over files in memory (for tests and the batch run).
// Raw texts with the English corrections: in "Messages" the raw value; elsewhere the English
// translation's body (after a status prefix) when the key exists there, else the raw value; an
// empty result drops the key. A value that is only a status prefix counts as absent.
void ApplyEnglishTexts(const TIniFile &raw, const TIniFile &english, TIniFile &dest);
// Message corrections: a raw message text the word list translates is replaced under "Messages",
// and the raw text is kept under "_Messages" (key ".msg" becomes "._msg").
void ApplyMessageCorrections(const TIniFile &raw, const TTransWordList &words, TIniFile &dest);
// The file's bytes with "_info" first, the other sections in their order, then "Messages" and
// "_Messages"; sections without lines are left out.
std::string SectionsReordered(const TIniFile &file);

// The key under which the extracted text of a corrected message is kept: the first ".msg" of key
// becomes "._msg" (Setup_004.msg gives Setup_004._msg).
std::string ExtractedMessageKey(const std::string &key);

// The distinct non-empty values of the section "Messages", in file order ("Read Messages").
std::vector<std::string> DistinctMessageTexts(const TIniFile &file);

// True when both paths name one file (existing or not).
bool SameFile(const std::string &a, const std::string &b);
// Throws EGrabAssertion when output would overwrite input.
void RefuseSameFile(const std::string &input, const std::string &output);

} // namespace vt
