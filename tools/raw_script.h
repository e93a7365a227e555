#pragma once
// The inputs of one "Build Raw" run, as the Extract page shows them and a raw script stores them.
#include <string>

namespace vt {

struct TRawOptions {
  std::string ExeFilename;
  std::string TabMapFilename;
  std::string DfmBlackListFilename;
  std::string GUIFilename;
  std::string DstFilename;
  std::string VerChar = "L";
  bool doExtractEXE = false;
  bool doExtractMessages = false;
  bool doExtractDfm = false;
  bool doUseTabMap = false;
  bool doBlacklist = false;
  bool doSkin = false;
  // Not part of a raw script.
  bool ErasePrevious = true;
};

inline constexpr const char *kRawScriptSection = "main";

// False when the file does not exist; otherwise every stored field is read (defaults for missing
// keys) and ErasePrevious is left as it was.
bool LoadRawScript(const std::string &path, TRawOptions &options);
// Writes the twelve keys into section "main", keeping the file's other content. False with a
// message when the file cannot be written.
bool SaveRawScript(const std::string &path, const TRawOptions &options, std::string *error = nullptr);

} // namespace vt
