#include "raw_extract.h"

#include "dfm_obj.h"
#include "error.h"
#include "message_scan.h"
#include "model/ini_file.h"
#include "model/text_helpers.h"
#include "model/trans_man.h"
#include "support/file_io.h"

#include <cstdio>
#include <unordered_set>

namespace vt {
namespace {

bool Contains(std::string_view s, std::string_view part) {
  return s.find(part) != std::string_view::npos;
}

std::unordered_set<std::string> ReadBlackList(const std::string &path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  std::unordered_set<std::string> names;
  std::size_t start = 0;
  while (start <= bytes.size()) {
    auto eol = bytes.find_first_of("\r\n", start);
    if (eol == std::string::npos) eol = bytes.size();
    const std::string_view line = TrimControl(std::string_view(bytes).substr(start, eol - start));
    if (!line.empty()) names.insert(LowerAscii(line));
    start = eol + 1;
  }
  return names;
}

// Marks the objects hidden in the variant (and their descendants) with "Cursor = crNo", which
// makes the section builder leave them out.
void HideOtherVariants(TDfmObj &root, const TIniFile &tabMap, const std::string &variant, TGrabLog &log) {
  if (!tabMap.SectionExists(root.ObjName)) return;
  VisitObjects(root, [&](TDfmObj &obj) {
    const std::string value = tabMap.ReadString(root.ObjName, obj.ObjName + ".vis");
    if (value.empty() || Contains(value, variant)) return;
    log.Add("\tTabmap\t" + obj.ObjName + "\t" + value);
    VisitObjects(obj, [](TDfmObj &o) { o.Props.emplace_back("Cursor = crNo"); });
  });
}

void WriteHiddenMarks(TIniFile &raw, const TIniFile &tabMap, const std::string &section,
                      const std::string &variant) {
  const TIniSection *sec = tabMap.FindSection(section);
  if (!sec) return;
  for (const TIniLine &line : sec->Lines) {
    if (line.Key.empty() || !Contains(LowerAscii(line.Key), ".vis")) continue;
    if (line.Value.empty() || Contains(line.Value, variant)) continue;
    const auto dot = line.Key.rfind('.');
    raw.WriteString(section, line.Key.substr(0, dot) + "._vis", "x");
  }
}

std::string BaseNameWithoutExt(const std::string &path) {
  const std::string name = ExtractFileName(path);
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

void ExtractSkin(TGrabSession &s, const TRawOptions &o, TIniFile &raw, TGrabLog &log) {
  log.Add("Processing Skin:\t" + o.GUIFilename);
  s.LoadGuiDefinitions(o.GUIFilename);
  log.Add("Extracting Actions");
  if (auto lines = s.FormLines(s.FindForm(kActionsForm)); lines && !lines->empty()) {
    log.Add("\tBuilding ActionList");
    const std::vector<std::string> used = UsedActionIds(s.ResourceInfo);
    s.PrepareForm(*lines);
    s.RemoveUnusedActions(used);
    const std::vector<std::string> section = s.BuildFormSection();
    if (!section.empty()) {
      log.Add("Adding Actions:\t" + s.RootName());
      WriteRawSection(raw, s.RootName(), section, true);
    }
  }
  const std::vector<std::string> names = s.FormList;
  for (const std::string &name : names) {
    if (name == kActionsForm) continue;
    log.Add("Extracting:\t" + name);
    auto lines = s.FormLines(s.FindForm(name));
    if (!lines) {
      log.Add("Error: Cant find Dfm unit: " + name);
      continue;
    }
    s.PrepareForm(*lines);
    const std::vector<std::string> section = s.BuildFormSection();
    log.AppendToLast("\t" + s.RootName());
    WriteRawSection(raw, s.RootName(), section, false);
  }
}

void ExtractForms(TGrabSession &s, const TRawOptions &o, TIniFile &raw, TGrabLog &log) {
  log.Add("Extracting Dfm: " + o.ExeFilename);
  s.OpenExecutable(o.ExeFilename);
  std::vector<std::string> marked;
  for (int i = 0; i < s.ResourceInfo.Count(); ++i)
    if (Contains(s.ResourceInfo.Item(i).Text, kGlobalTransMark))
      marked.push_back(s.ResourceInfo.Item(i).Name);
  s.SetFormList(std::move(marked));

  if (o.doBlacklist && FileExists(o.DfmBlackListFilename)) {
    log.Add("Applying Blacklist:\t" + o.DfmBlackListFilename);
    const auto black = ReadBlackList(o.DfmBlackListFilename);
    std::vector<std::string> kept = s.FormList;
    for (std::size_t i = kept.size(); i-- > 0;) {
      if (!black.count(LowerAscii(kept[i]))) continue;
      log.Add("x\t" + kept[i]);
      kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(i));
    }
    s.SetFormList(std::move(kept));
  }

  std::optional<TIniFile> tabMap;
  std::string variant;
  if (o.doUseTabMap && FileExists(o.TabMapFilename)) {
    tabMap.emplace();
    std::string error;
    if (!tabMap->LoadFromFile(o.TabMapFilename, &error))
      throw EGrabError("Unable to read tab map " + o.TabMapFilename + ": " + error);
    variant = o.VerChar.substr(0, 1);
    log.Add("Using TabMap:\t" + variant + "\t" + o.TabMapFilename);
  }

  const std::vector<std::string> names = s.FormList;
  for (const std::string &name : names) {
    auto lines = s.FormLines(s.FindForm(name));
    if (!lines) {
      log.Add("Error: Cant find Dfm unit: " + name);
      continue;
    }
    s.PrepareForm(*lines);
    if (tabMap && s.FormTree) HideOtherVariants(*s.FormTree, *tabMap, variant, log);
    const std::vector<std::string> section = s.BuildFormSection();
    if (!section.empty()) {
      log.Add("Adding DFM:\t" + s.RootName());
      WriteRawSection(raw, s.RootName(), section, true);
    }
    if (tabMap) WriteHiddenMarks(raw, *tabMap, s.RootName(), variant);
  }
}

void ExtractMessages(const TRawOptions &o, TIniFile &raw, TGrabLog &log) {
  log.Add("Extracing Messages...");
  std::string bytes, error;
  if (!ReadFileBytes(o.ExeFilename, bytes, &error))
    throw EGrabError("Unable to read " + o.ExeFilename + ": " + error);
  const std::vector<std::string> found = ScanMessages(bytes);
  log.Add("\t" + std::to_string(found.size()) + " messages extracted.");
  std::unordered_set<std::string> seen;
  raw.EraseSection("Messages");
  const std::string base = BaseNameWithoutExt(o.ExeFilename);
  int index = 0;
  for (const std::string &text : found) {
    if (!seen.insert(text).second) continue;
    char number[16];
    std::snprintf(number, sizeof number, "%.3d", index++);
    raw.WriteString("Messages", base + "_" + number + "_.msg", text);
  }
}

} // namespace

void WriteRawSection(TIniFile &raw, const std::string &section, const std::vector<std::string> &lines,
                     bool erase) {
  if (erase) raw.EraseSection(section);
  for (const std::string &line : lines) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view key = TrimControl(std::string_view(line).substr(0, eq));
    const std::string_view value = TrimControl(std::string_view(line).substr(eq + 1));
    if (!key.empty() && !value.empty()) raw.WriteString(section, key, value);
  }
}

std::vector<std::string> UsedActionIds(const TResourceInfo &info) {
  std::vector<std::string> used;
  std::unordered_set<std::string> seen;
  for (int i = 0; i < info.Count(); ++i) {
    const TDfm &dfm = info.Item(i);
    if (Contains(dfm.Name, "Zt4_Actions__") || Contains(dfm.Name, "Main_Properties__")) continue;
    std::string_view text = dfm.Text;
    for (std::size_t at = text.find("ActionID = "); at != std::string_view::npos;
         at = text.find("ActionID = ", at + 1)) {
      const std::size_t lineStart = text.find_last_of("\r\n", at) + 1; // npos + 1 == 0
      std::size_t lineEnd = text.find_first_of("\r\n", at);
      if (lineEnd == std::string_view::npos) lineEnd = text.size();
      std::string line(text.substr(lineStart, lineEnd - lineStart));
      line.erase(line.find("ActionID ="), 10);
      const std::string id(TrimControl(line));
      if (seen.insert(LowerAscii(id)).second) used.push_back(id);
    }
  }
  return used;
}

std::optional<std::string> BuildRaw(TGrabSession &s, const TRawOptions &o, TGrabLog &log) {
  log.Clear();
  if (o.DstFilename.empty()) {
    log.Add("Error: no DstFile selected");
    return std::nullopt;
  }
  log.Add("Building:\t" + o.DstFilename);
  TIniFile raw;
  std::string error;
  if (FileExists(o.DstFilename) && !raw.LoadFromFile(o.DstFilename, &error))
    throw EGrabError("Unable to Open File " + o.DstFilename + ": " + error);
  if (o.ErasePrevious) raw.Clear();

  if (o.doSkin && FileExists(o.GUIFilename)) ExtractSkin(s, o, raw, log);
  const bool haveExe = o.doExtractEXE && FileExists(o.ExeFilename);
  // Forms are listed, filtered and extracted only when they were read in this run; otherwise the
  // list would still hold the skin's definitions and re-write them.
  if (haveExe && o.doExtractDfm) ExtractForms(s, o, raw, log);
  if (haveExe && o.doExtractMessages) ExtractMessages(o, raw, log);

  log.Add("Writing file..");
  if (!raw.SaveToFile(o.DstFilename, &error))
    throw EGrabError("Unable to save file " + o.DstFilename + ": " + error);
  log.Add("Done");
  return raw.ToBytes();
}

} // namespace vt
