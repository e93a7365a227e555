#include "raw_merge.h"

#include "error.h"
#include "model/ini_file.h"
#include "model/status_prefix.h"
#include "model/trans_word_list.h"
#include "section_lookup.h"
#include "support/file_io.h"

#include <filesystem>
#include <system_error>
#include <unordered_set>
#include <vector>

namespace vt {
namespace {

constexpr std::string_view kMessages = "Messages";
constexpr std::string_view kExtractedMessages = "_Messages";
constexpr std::string_view kInfo = "_info";

TIniFile ReadIni(const std::string &path) {
  TIniFile ini;
  std::string error;
  if (!ini.LoadFromFile(path, &error)) throw EGrabError("Unable to Open File " + path + ": " + error);
  return ini;
}

void WriteBytes(const std::string &path, std::string_view bytes) {
  std::string error;
  if (!WriteFileAtomic(path, bytes, &error)) throw EGrabError("Unable to save file " + path + ": " + error);
}

} // namespace

void RefuseSameFile(const std::string &input, const std::string &output) {
  if (SameFile(input, output)) throw EGrabAssertion("Dest file is the input file itself\r" + output);
}

bool SameFile(const std::string &a, const std::string &b) {
  if (a == b) return true;
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  // Not both there yet: compare the paths as they would be.
  const auto ca = std::filesystem::weakly_canonical(a, ec);
  if (ec) return false;
  const auto cb = std::filesystem::weakly_canonical(b, ec);
  return !ec && ca == cb;
}

std::string ExtractedMessageKey(const std::string &key) {
  std::string out = key;
  const std::size_t at = out.find(".msg");
  if (at != std::string::npos) out.replace(at, 4, "._msg");
  return out;
}

std::optional<std::string> MergeRawFiles(const std::string &sourcePath, const std::string &destPath,
                                         TGrabLog &log) {
  log.Clear();
  if (!FileExists(sourcePath)) {
    log.Add("Not Found!\t" + sourcePath);
    return std::nullopt;
  }
  const TIniFile source = ReadIni(sourcePath);
  TIniFile dest;
  if (FileExists(destPath)) dest = ReadIni(destPath);
  std::vector<std::string> lines;
  TSectionKeySet seen;
  std::vector<TIniWrite> added, writes;
  std::unordered_map<std::string_view, std::string_view, TIniKeyHash, TIniKeyEqual> filled;
  for (const TIniSection &sec : source.Sections()) {
    seen.Reset(sec.Lines.size());
    added.clear();
    filled.clear();
    // Look-ups stay inside the section: the destination is never indexed as a whole.
    const TIniSection *known = dest.FindSection(sec.Name);
    const TSectionLookup existing(known);
    for (const TIniLine &line : sec.Lines) {
      if (line.Key.empty() || !seen.Add(line.Key)) continue;
      const std::string_view s = line.Value;
      const std::string_view d = existing.Value(line.Key);
      if (!d.empty()) {
        if (s != d) {
          lines.push_back(sec.Name + "\t" + line.Key + "\t" + std::string(d));
          lines.push_back(sec.Name + "\t" + line.Key + "\t" + std::string(s));
          lines.emplace_back();
        }
      } else if (!s.empty()) {
        if (existing.Contains(line.Key))
          filled.emplace(line.Key.view(), s);
        else
          added.push_back({line.Key, s});
      }
    }
    if (added.empty() && filled.empty()) continue;
    if (!known) {
      dest.WriteValues(sec.Name, added, true);
      continue;
    }
    if (existing.HasDuplicates()) {
      for (const auto &[k, v] : filled) dest.WriteString(sec.Name, k, v);
      for (const TIniWrite &w : added) dest.WriteString(sec.Name, w.Key, w.Value);
      continue;
    }
    // Every line of the section in turn (its own text or the one filled in), then the new keys: the
    // destination meets its lines in order and looks nothing up.
    writes.clear();
    for (const TIniLine &line : known->Lines) {
      if (line.Key.empty()) continue;
      const auto fill = filled.find(line.Key.view());
      writes.push_back({line.Key, fill == filled.end() ? line.Value.view() : fill->second});
    }
    writes.insert(writes.end(), added.begin(), added.end());
    dest.WriteValues(sec.Name, writes, true);
  }
  std::string bytes = dest.ToBytes();
  WriteBytes(destPath, bytes);
  if (!lines.empty()) log.Assign(std::move(lines));
  return bytes;
}

std::optional<std::string> FilterRawFile(const std::string &filterPath, const std::string &destPath,
                                         TGrabLog &log) {
  for (const std::string *path : {&filterPath, &destPath})
    if (!FileExists(*path)) {
      log.Add("Not Found!\t" + *path);
      return std::nullopt;
    }
  const TIniFile filter = ReadIni(filterPath);
  TIniFile dest = ReadIni(destPath);
  std::vector<std::string> lines = log.Lines();
  std::vector<std::pair<std::string, std::string>> removed;
  for (const TIniSection &sec : dest.Sections()) {
    if (!filter.FindSection(sec.Name)) continue;
    for (const TIniLine &line : sec.Lines) {
      if (line.Key.empty()) continue;
      const TCompactText *mark = filter.FindValue(sec.Name, line.Key);
      if (!mark || *mark != "x") continue;
      lines.push_back("x\t" + sec.Name + "\t" + line.Key);
      removed.emplace_back(sec.Name, line.Key);
    }
  }
  // Deleted afterwards: the section's lines are not changed while they are walked.
  for (const auto &[section, key] : removed) dest.DeleteKey(section, key);
  std::string bytes = dest.ToBytes();
  WriteBytes(destPath, bytes);
  if (!removed.empty()) log.Assign(std::move(lines));
  return bytes;
}

void ApplyEnglishTexts(const TIniFile &raw, const TIniFile &english, TIniFile &dest) {
  std::vector<TIniWrite> writes;
  for (const TIniSection &sec : raw.Sections()) {
    writes.clear();
    const bool messages = SameIniName(sec.Name, kMessages);
    const TSectionLookup corrections(messages ? nullptr : english.FindSection(sec.Name));
    for (const TIniLine &line : sec.Lines) {
      if (line.Key.empty()) continue;
      std::string_view out = line.Value;
      if (corrections.Contains(line.Key)) {
        const std::string_view e = corrections.Value(line.Key);
        const std::string_view body = StatusBody(e);
        // A value that is only a status prefix carries no text: the raw one stays.
        if (!(body.empty() && !e.empty())) out = body;
      }
      if (!out.empty()) writes.push_back({line.Key, out});
    }
    if (!writes.empty()) dest.WriteValues(sec.Name, writes);
  }
}

void ApplyMessageCorrections(const TIniFile &raw, const TTransWordList &words, TIniFile &dest) {
  const TIniSection *sec = raw.FindSection(kMessages);
  if (!sec) return;
  // Every message in its order (the corrected text or its own), so that the destination's lines,
  // written from the same section, are met in turn rather than looked up.
  std::vector<TIniWrite> messages, extracted;
  std::vector<std::string> keys;
  for (const TIniLine &line : sec->Lines) {
    if (line.Key.empty() || line.Value.empty()) continue;
    const TTransWord *w = words.Find(line.Value);
    const bool corrected = w && !w->Translation.empty();
    messages.push_back({line.Key, corrected ? std::string_view(w->Translation) : line.Value.view()});
    if (!corrected) continue;
    keys.push_back(ExtractedMessageKey(line.Key));
    extracted.push_back({{}, line.Value});
  }
  for (std::size_t i = 0; i < keys.size(); ++i) extracted[i].Key = keys[i];
  if (!extracted.empty()) {
    dest.WriteValues(kMessages, messages);
    dest.WriteValues(kExtractedMessages, extracted);
  }
}

std::vector<std::string> DistinctMessageTexts(const TIniFile &file) {
  std::vector<std::string> out;
  const TIniSection *sec = file.FindSection(kMessages);
  if (!sec) return out;
  std::unordered_set<std::string_view> seen;
  for (const TIniLine &line : sec->Lines)
    if (!line.Key.empty() && !line.Value.empty() && seen.insert(line.Value.view()).second)
      out.push_back(line.Value);
  return out;
}

std::string SectionsReordered(const TIniFile &file) {
  const auto &sections = file.Sections();
  std::vector<const TIniSection *> order;
  order.reserve(sections.size());
  auto take = [&](std::string_view name) {
    for (const TIniSection &sec : sections)
      if (SameIniName(sec.Name, name)) order.push_back(&sec);
  };
  take(kInfo);
  for (const TIniSection &sec : sections)
    if (!SameIniName(sec.Name, kInfo) && !SameIniName(sec.Name, kMessages) &&
        !SameIniName(sec.Name, kExtractedMessages))
      order.push_back(&sec);
  take(kMessages);
  take(kExtractedMessages);
  std::size_t size = 0;
  for (const TIniSection *sec : order) {
    size += sec->Name.size() + 6;
    for (const TIniLine &l : sec->Lines) size += l.Key.size() + l.Value.size() + 3;
  }
  std::string out;
  out.reserve(size);
  for (const TIniSection *sec : order) {
    if (sec->Lines.empty()) continue;
    out += '[';
    out += sec->Name.view();
    out += "]\r\n";
    for (const TIniLine &l : sec->Lines) {
      if (!l.Key.empty()) {
        out += l.Key.view();
        out += '=';
      }
      out += l.Value.view();
      out += "\r\n";
    }
    out += "\r\n";
  }
  return out;
}

std::string RebuildSrcLng(const TRebuildOptions &o, TGrabLog &) {
  if (!FileExists(o.RawFile)) throw EGrabAssertion("Assertion failure");
  RefuseSameFile(o.RawFile, o.DestFile);
  if (!o.ApplyEnglish || !FileExists(o.EnglishFile)) {
    std::string bytes, error;
    if (!ReadFileBytes(o.RawFile, bytes, &error))
      throw EGrabError("Unable to Open File " + o.RawFile + ": " + error);
    WriteBytes(o.DestFile, bytes);
    return bytes;
  }
  const TIniFile raw = ReadIni(o.RawFile);
  const TIniFile english = ReadIni(o.EnglishFile);
  TIniFile dest;
  ApplyEnglishTexts(raw, english, dest);
  if (o.ApplyMessages && FileExists(o.MessageFile)) {
    std::string bytes, error;
    if (!ReadFileBytes(o.MessageFile, bytes, &error))
      throw EGrabError("Unable to Open File " + o.MessageFile + ": " + error);
    if (!bytes.empty()) {
      TTransWordList words;
      words.LoadFromBytes(bytes);
      ApplyMessageCorrections(raw, words, dest);
    }
  }
  std::string bytes = SectionsReordered(dest);
  WriteBytes(o.DestFile, bytes);
  return bytes;
}

} // namespace vt
