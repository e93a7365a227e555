#pragma once
// Compiled language files: one per raw data file and language, the file the product loads. Built
// from a raw data file (which entries the product asks for) and a language project (translation
// file with its source file beside it). Entry sections keep the raw file's order and hold only the
// translated entries; "Messages" holds "R=" raw text / "L=" translation pairs in raw key order.
#include "grab_log.h"
#include "model/ini_file.h"
#include "model/trans_word_list.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

// Line breaks become the two characters "\n"; a leading "[...]" status prefix is dropped (a "["
// without a closing "]" leaves nothing).
std::string NormaliseCompiledText(std::string_view text);

struct TCompiledHint {
  std::string Short; // before the first "|" (all of it without one)
  std::string Full;  // after the first "|"
};
TCompiledHint SplitCompiledHint(std::string_view text);

// ASCII letters inside each closed "[...]" pair upper-cased; escapes of the stored form ("\n",
// "\t", "\\", "\NN") inside a pair and everything outside closed pairs stay as they are.
std::string UpperBracketed(std::string_view text);

// Whether the entry key is compiled: its extension (from the last ".", with the point) has at
// least two characters and the second is not "_".
bool IsCompiledKey(std::string_view key);

// Reads an ini file, skipping a complete UTF-8 byte-order mark; false when it cannot be read.
bool LoadIniSkippingMark(const std::string &path, TIniFile &ini, std::string *error = nullptr);

// A language project read once, for the compile of one or many raw data files.
class TCompileProject {
public:
  // Reads the translation file and, when it exists, the source file with the same path and the
  // extension ".SrcLng". False (with a reason) when the translation file cannot be read.
  bool Load(const std::string &translationFile, std::string *error = nullptr);

  const std::string &TranslationFile() const noexcept { return FTranslationFile; }
  std::string SourceFile() const;
  bool HasSource() const noexcept { return FSource != nullptr; }
  const TIniFile &Translation() const noexcept { return FTranslation; }
  std::string DestLng() const;

  // The translation of the raw message text under the raw key: through the source file's
  // extracted texts (A) to its corrected texts, or the source text itself, paired with their
  // translations (B); failing that the translation under the same key, when the project has no
  // source file or its source text there is the raw text. Empty when none.
  std::string_view MessageTranslation(std::string_view rawKey, std::string_view rawText) const;

private:
  std::string FTranslationFile;
  TIniFile FTranslation;
  std::unique_ptr<TIniFile> FSource;
  TTransWordList FExtracted; // A: extracted text -> corrected source text
  TTransWordList FMessages;  // B: source text -> translation
};

enum class ECompileResult {
  Written,
  RawNotFound,     // "Not Found!"
  ProjectNotFound, // "LMI Not Found!"
  Refused,         // the output would overwrite an input
  Failed,          // an input could not be read or the output not written
};

// Whether two paths name the same file (or would, once written).
bool SamePath(const std::string &a, const std::string &b);

// Compiles rawFile with the project in projectFile (its translation file) into outFile. Progress
// lines go to log, every written line to echo. Nothing is written unless the result is Written.
ECompileResult Compile(const std::string &rawFile, const std::string &projectFile, const std::string &outFile,
                       TGrabLog &log, TGrabLog &echo);
// The same with a project already read (nullptr: its translation file is missing).
ECompileResult Compile(const std::string &rawFile, const TCompileProject *project,
                       const std::string &projectFile, const std::string &outFile, TGrabLog &log,
                       TGrabLog &echo);

// The compiled file's bytes from a raw data file and a project; echo lines appended to echoLines.
std::string CompileText(const TIniFile &raw, const TCompileProject &project,
                        std::vector<std::string> &echoLines, TGrabLog &log);

} // namespace vt
