#include "raw_script.h"

#include "model/ini_file.h"
#include "support/file_io.h"

namespace vt {

bool LoadRawScript(const std::string &path, TRawOptions &o) {
  if (!FileExists(path)) return false;
  TIniFile ini;
  if (!ini.LoadFromFile(path)) return false;
  const char *s = kRawScriptSection;
  o.ExeFilename = ini.ReadString(s, "ExeFilename");
  o.TabMapFilename = ini.ReadString(s, "TabMapFilename");
  o.DfmBlackListFilename = ini.ReadString(s, "DfmBlackListFilename");
  o.GUIFilename = ini.ReadString(s, "GUIFilename");
  o.DstFilename = ini.ReadString(s, "DstFilename");
  o.VerChar = ini.ReadString(s, "VerChar", "L");
  o.doExtractEXE = ini.ReadBool(s, "doExtractEXE", false);
  o.doExtractMessages = ini.ReadBool(s, "doExtractMessages", false);
  o.doExtractDfm = ini.ReadBool(s, "doExtractDfm", false);
  o.doUseTabMap = ini.ReadBool(s, "doUseTabMap", false);
  o.doBlacklist = ini.ReadBool(s, "doBlacklist", false);
  o.doSkin = ini.ReadBool(s, "doSkin", false);
  return true;
}

bool SaveRawScript(const std::string &path, const TRawOptions &o, std::string *error) {
  TIniFile ini;
  if (FileExists(path) && !ini.LoadFromFile(path, error)) return false;
  const char *s = kRawScriptSection;
  ini.WriteString(s, "ExeFilename", o.ExeFilename);
  ini.WriteString(s, "TabMapFilename", o.TabMapFilename);
  ini.WriteString(s, "DfmBlackListFilename", o.DfmBlackListFilename);
  ini.WriteString(s, "GUIFilename", o.GUIFilename);
  ini.WriteString(s, "DstFilename", o.DstFilename);
  ini.WriteString(s, "VerChar", o.VerChar);
  ini.WriteString(s, "doExtractEXE", o.doExtractEXE ? "1" : "0");
  ini.WriteString(s, "doExtractMessages", o.doExtractMessages ? "1" : "0");
  ini.WriteString(s, "doExtractDfm", o.doExtractDfm ? "1" : "0");
  ini.WriteString(s, "doUseTabMap", o.doUseTabMap ? "1" : "0");
  ini.WriteString(s, "doBlacklist", o.doBlacklist ? "1" : "0");
  ini.WriteString(s, "doSkin", o.doSkin ? "1" : "0");
  return ini.SaveToFile(path, error);
}

} // namespace vt
