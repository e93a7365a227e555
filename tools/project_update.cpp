#include "project_update.h"

#include "error.h"
#include "model/ini_file.h"
#include "model/status_prefix.h"
#include "model/trans_word_list.h"
#include "raw_merge.h"
#include "section_lookup.h"
#include "support/file_io.h"

#include <utility>
#include <vector>

namespace vt {
namespace {

constexpr std::string_view kMessages = "Messages";
constexpr std::string_view kExtractedMessages = "_Messages";
constexpr std::string_view kInfo = "_info";
constexpr std::string_view kDestLng = "DestLng";
constexpr std::string_view kCommentSuffix = "_?";

std::string ReadBytes(const std::string &path) {
  std::string bytes, error;
  if (!ReadFileBytes(path, bytes, &error)) throw EGrabError("Unable to Open File " + path + ": " + error);
  return bytes;
}

TIniFile ReadIni(const std::string &path) {
  TIniFile ini;
  std::string error;
  if (!ini.LoadFromFile(path, &error)) throw EGrabError("Unable to Open File " + path + ": " + error);
  return ini;
}

// The bytes of a file as read (empty for a file read from nothing).
std::string_view BytesOf(const TIniFile &ini) {
  return ini.Bytes() ? std::string_view(*ini.Bytes()) : std::string_view();
}

void WriteBytes(const std::string &path, std::string_view bytes, TFileSync sync = TFileSync::Flush) {
  std::string error;
  if (!WriteFileAtomic(path, bytes, &error, sync))
    throw EGrabError("Unable to save file " + path + ": " + error);
}

void SaveIni(const TIniFile &ini, const std::string &path) {
  std::string error;
  if (!ini.SaveToFile(path, &error)) throw EGrabError("Unable to save file " + path + ": " + error);
}

bool MessageSection(std::string_view name) {
  return SameIniName(name, kMessages) || SameIniName(name, kExtractedMessages);
}

// Btn1.VC gives Btn1._!VC: where the source file keeps a note on the entry.
std::string NoteKey(std::string_view key) {
  const std::size_t dot = key.rfind('.');
  if (dot == std::string_view::npos) return std::string(key) + "._!";
  return std::string(key.substr(0, dot)) + "._!" + std::string(key.substr(dot + 1));
}

std::string_view ValueOf(const TIniFile &ini, std::string_view section, std::string_view key) {
  const TCompactText *v = ini.FindValue(section, key);
  return v ? v->view() : std::string_view();
}

// The writes of one section, applied after its lines were walked (writing may move them).
struct TSectionWrites {
  std::string Section;
  std::vector<std::pair<std::string, std::string>> Values;
};

void Apply(TIniFile &ini, const std::vector<TSectionWrites> &all) {
  std::vector<TIniWrite> writes;
  for (const TSectionWrites &s : all) {
    writes.clear();
    for (const auto &[k, v] : s.Values) writes.push_back({k, v});
    if (!writes.empty()) ini.WriteValues(s.Section, writes);
  }
}

void RequireTemplate(const TProjectOptions &o) {
  if (!FileExists(o.TemplatePath)) throw EGrabAssertion("Sourcefile does not exists!\r" + o.TemplatePath);
  RefuseSameFile(o.TemplatePath, o.ProjectPath);
}

// A translation file that holds only its target language.
std::string FreshTranslationFile(std::string_view lang) {
  TIniFile kx;
  kx.WriteString(kInfo, kDestLng, lang);
  return kx.ToBytes();
}

} // namespace

std::string KxLngOf(const std::string &srcLngPath) {
  return ChangeFileExt(srcLngPath, ".kxLng");
}

bool UpdateSrcHints(const std::string &srcLngPath, const std::string &kxLngPath, TGrabLog &log) {
  if (!FileExists(srcLngPath) || !FileExists(kxLngPath)) return false;
  const std::string srcBytes = ReadBytes(srcLngPath);
  const TIniFile kx = ReadIni(kxLngPath);
  TIniFile src, copy;
  src.LoadFromBytes(srcBytes);
  copy.LoadFromBytes(srcBytes);
  std::vector<std::string> lines;
  std::vector<TSectionWrites> all;
  for (const TIniSection &sec : src.Sections()) {
    if (MessageSection(sec.Name) || !kx.FindSection(sec.Name)) continue;
    TSectionWrites &w = all.emplace_back(TSectionWrites{sec.Name.str(), {}});
    for (const TIniLine &line : sec.Lines) {
      if (line.Key.empty()) continue;
      const std::string_view b = ValueOf(kx, sec.Name, line.Key);
      if (b.empty()) continue;
      if (StatusPrefix(b).find('?') != std::string_view::npos) {
        const std::string_view c = ValueOf(kx, sec.Name, line.Key + std::string(kCommentSuffix));
        if (!c.empty()) {
          std::string note = NoteKey(line.Key);
          lines.push_back(sec.Name + "\t" + note + "\t" + std::string(c));
          w.Values.emplace_back(std::move(note), std::string(c));
        }
      }
      const std::string_view body = StatusBody(b);
      if (!body.empty() && body != line.Value.view()) {
        lines.push_back("~" + sec.Name + "\t" + line.Key + "\t" + line.Value + "\t" + std::string(body));
        w.Values.emplace_back(line.Key.str(), std::string(body));
      }
    }
  }
  Apply(copy, all);
  SaveIni(copy, srcLngPath + ".new");
  log.Assign(std::move(lines));
  return true;
}

bool ApplySrcTranslations(const std::string &srcLngPath, const std::string &kxLngPath, TGrabLog &log) {
  if (!FileExists(srcLngPath) || !FileExists(kxLngPath)) return false;
  const std::string srcBytes = ReadBytes(srcLngPath);
  const TIniFile kx = ReadIni(kxLngPath);
  WriteBytes(srcLngPath + ".old", srcBytes);
  TIniFile src;
  src.LoadFromBytes(srcBytes);
  std::vector<std::string> lines;
  std::vector<TSectionWrites> all;
  TSectionWrites extracted{std::string(kExtractedMessages), {}};
  for (const TIniSection &sec : src.Sections()) {
    if (SameIniName(sec.Name, kExtractedMessages) || !kx.FindSection(sec.Name)) continue;
    const bool messages = SameIniName(sec.Name, kMessages);
    TSectionWrites &w = all.emplace_back(TSectionWrites{sec.Name.str(), {}});
    for (const TIniLine &line : sec.Lines) {
      if (line.Key.empty()) continue;
      const std::string_view b = StatusBody(ValueOf(kx, sec.Name, line.Key));
      if (b.empty() || b == line.Value.view()) continue;
      if (messages) {
        std::string key = ExtractedMessageKey(line.Key);
        if (ValueOf(src, kExtractedMessages, key).empty()) {
          lines.push_back("~Messages\t" + line.Key + "\t\t" + line.Value);
          extracted.Values.emplace_back(std::move(key), line.Value.str());
        }
      }
      w.Values.emplace_back(line.Key.str(), std::string(b));
    }
  }
  all.push_back(std::move(extracted));
  Apply(src, all);
  SaveIni(src, srcLngPath);
  log.Assign(std::move(lines));
  return true;
}

void CopyTranslations(const std::string &otherKxLng, const std::string &targetSrcLng, TGrabLog &) {
  const std::string otherSrcPath = ChangeFileExt(otherKxLng, ".SrcLng");
  if (!FileExists(otherSrcPath)) throw EGrabAssertion("Cant find : " + otherSrcPath);
  if (!FileExists(targetSrcLng)) throw EGrabAssertion("Cant find " + targetSrcLng);
  const std::string targetKxPath = KxLngOf(targetSrcLng);
  const TIniFile otherSrc = ReadIni(otherSrcPath);
  TIniFile otherKx;
  if (FileExists(otherKxLng)) otherKx = ReadIni(otherKxLng);
  const TIniFile targetSrc = ReadIni(targetSrcLng);
  TIniFile targetKx;
  if (FileExists(targetKxPath)) {
    const std::string bytes = ReadBytes(targetKxPath);
    WriteBytes(targetKxPath + ".old", bytes);
    targetKx.LoadFromBytes(bytes);
  }

  std::vector<TSectionWrites> all;
  for (const TIniSection &sec : targetSrc.Sections()) {
    if (MessageSection(sec.Name) || !otherKx.FindSection(sec.Name)) continue;
    TSectionWrites &w = all.emplace_back(TSectionWrites{sec.Name.str(), {}});
    for (const TIniLine &line : sec.Lines) {
      if (line.Key.empty() || !ValueOf(targetKx, sec.Name, line.Key).empty()) continue;
      const std::string_view other = ValueOf(otherKx, sec.Name, line.Key);
      if (!other.empty()) w.Values.emplace_back(line.Key.str(), std::string(other));
    }
  }

  // Messages travel by their extracted English text, not by their key.
  TTransWordList words;
  if (const TIniSection *msgs = otherSrc.FindSection(kMessages))
    for (const TIniLine &line : msgs->Lines) {
      if (line.Key.empty()) continue;
      std::string_view text = ValueOf(otherSrc, kExtractedMessages, ExtractedMessageKey(line.Key));
      if (text.empty()) text = line.Value;
      const std::string_view t = ValueOf(otherKx, kMessages, line.Key);
      if (!text.empty() && !t.empty() && !words.Find(text)) words.AddPair(text, t);
    }
  if (const TIniSection *msgs = targetSrc.FindSection(kMessages)) {
    TSectionWrites &w = all.emplace_back(TSectionWrites{std::string(kMessages), {}});
    for (const TIniLine &line : msgs->Lines) {
      if (line.Key.empty() || !ValueOf(targetKx, kMessages, line.Key).empty()) continue;
      const TCompactText *extracted = targetSrc.FindValue(kExtractedMessages, ExtractedMessageKey(line.Key));
      const TTransWord *word = words.Find(extracted ? extracted->view() : line.Value.view());
      if (word) w.Values.emplace_back(line.Key.str(), word->Translation);
    }
  }
  Apply(targetKx, all);
  SaveIni(targetKx, targetKxPath);
}

void BuildLngProject(const TProjectOptions &o, TGrabLog &) {
  RequireTemplate(o);
  WriteBytes(o.ProjectPath, ReadBytes(o.TemplatePath));
  const std::string kxPath = KxLngOf(o.ProjectPath);
  const bool exists = FileExists(kxPath);
  if (!o.EraseKxLng && exists) return;
  TIniFile kx;
  if (exists) kx = ReadIni(kxPath);
  if (!o.Lang.empty()) kx.WriteString(kInfo, kDestLng, o.Lang);
  SaveIni(kx, kxPath);
}

void RebuildDstProject(const TProjectOptions &o, TGrabLog &) {
  RequireTemplate(o);
  const std::string kxPath = KxLngOf(o.ProjectPath);
  const bool kxExists = FileExists(kxPath);
  // Read before anything is written, so that a failed read leaves the project as it was.
  const TIniFile newSrc = ReadIni(o.TemplatePath);
  TIniFile oldSrc, kx;
  const bool srcExists = FileExists(o.ProjectPath);
  if (srcExists) oldSrc = ReadIni(o.ProjectPath);
  if (kxExists) kx = ReadIni(kxPath);
  // The backups are the bytes just read (no second read of large files).
  if (srcExists) WriteBytes(o.ProjectPath + ".~bu", BytesOf(oldSrc), TFileSync::NoFlush);
  if (kxExists) WriteBytes(kxPath + ".~bu", BytesOf(kx), TFileSync::NoFlush);
  const std::string_view templateBytes = BytesOf(newSrc);
  const TSectionLookup kxMessages(kx.FindSection(kMessages));
  const std::string lang =
      o.Lang.empty() ? std::string(TSectionLookup(kx.FindSection(kInfo)).Value(kDestLng)) : o.Lang;
  if (o.EraseKxLng || !kxExists) {
    WriteBytes(o.ProjectPath, templateBytes);
    WriteBytes(kxPath, FreshTranslationFile(lang));
    return;
  }

  // The old project's messages by their English text: translation and translator's comment.
  TTransWordList translations, comments;
  std::string commentKey;
  if (const TIniSection *msgs = oldSrc.FindSection(kMessages))
    for (const TIniLine &line : msgs->Lines) {
      if (line.Key.empty() || line.Value.empty()) continue;
      const std::string_view t = kxMessages.Value(line.Key);
      if (!t.empty() && !translations.Find(line.Value)) translations.AddPair(line.Value.view(), t);
      commentKey.assign(line.Key.view()).append(kCommentSuffix);
      const std::string_view c = kxMessages.Value(commentKey);
      if (!c.empty() && !comments.Find(line.Value)) comments.AddPair(line.Value.view(), c);
    }

  WriteBytes(o.ProjectPath, templateBytes);
  kx.EraseSection(kMessages);
  TSectionWrites w{std::string(kMessages), {}};
  if (const TIniSection *msgs = newSrc.FindSection(kMessages))
    for (const TIniLine &line : msgs->Lines) {
      if (line.Key.empty() || line.Value.empty()) continue;
      if (const TTransWord *t = translations.Find(line.Value))
        w.Values.emplace_back(line.Key.str(), t->Translation);
      if (const TTransWord *c = comments.Find(line.Value))
        w.Values.emplace_back(line.Key + std::string(kCommentSuffix), c->Translation);
    }
  Apply(kx, {w});
  SaveIni(kx, kxPath);
}

} // namespace vt
