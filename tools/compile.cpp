#include "compile.h"

#include "model/ids.h"
#include "model/text_helpers.h"
#include "support/file_io.h"
#include "support/hash_table.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vt {

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";
constexpr std::string_view kMsgExt = ".msg", kMsgRefExt = "._msg";

// K with its first ".msg" replaced by "._msg": the key of the extracted text in "_Messages".
std::string MessageRefKey(std::string_view key) {
  std::string out(key);
  const std::size_t at = out.find(kMsgExt);
  if (at != std::string::npos) out.replace(at, kMsgExt.size(), kMsgRefExt);
  return out;
}

// The extension of a key as a file name's would be: from the last ".", none when a backslash or a
// colon follows it.
std::string_view KeyExtension(std::string_view key) {
  const std::size_t dot = key.rfind('.');
  if (dot == std::string_view::npos) return {};
  const std::string_view ext = key.substr(dot);
  if (ext.find_first_of("\\:") != std::string_view::npos) return {};
  return ext;
}

std::string WithExtension(std::string_view key, std::string_view ext) {
  const std::string_view old = KeyExtension(key);
  std::string out(key.substr(0, key.size() - old.size()));
  out += ext;
  return out;
}

// The compiled file in the making: sections in first-write order, each written straight into its
// text; a repeated key (rare) replaces its value where it stands, as the dialect's writes do.
class TCompiledFile {
public:
  void Begin(std::string_view section) {
    for (std::size_t i = 0; i < FSections.size(); ++i)
      if (SameIniName(FSections[i].Name, section)) {
        FCurrent = i;
        return;
      }
    FSections.emplace_back();
    FSections.back().Name.assign(section);
    FSections.back().Keys.Reset(64);
    FCurrent = FSections.size() - 1;
  }
  // key must stay alive as long as this file (a view into an input, or a text of Own).
  void Put(std::string_view key, std::string_view value) {
    TSection &s = FSections[FCurrent];
    key = TrimControl(key);
    value = TrimControl(value);
    if (s.Keys.Add(key)) {
      s.Body.append(key).append("=").append(value).append("\r\n");
      return;
    }
    std::string body;
    std::size_t at = 0;
    while (at < s.Body.size()) {
      const std::size_t end = s.Body.find("\r\n", at);
      const std::string_view line(s.Body.data() + at, end - at);
      const std::size_t eq = line.find('=');
      if (SameIniName(line.substr(0, eq), key))
        body.append(line.substr(0, eq + 1)).append(value);
      else
        body.append(line);
      body.append("\r\n");
      at = end + 2;
    }
    s.Body = std::move(body);
  }
  std::string_view Own(std::string text) { return FOwned.emplace_back(std::move(text)); }
  std::string Messages; // the "R=" / "L=" lines
  // Hands every piece of the file to put, in order.
  template <class Put> void Emit(Put &&put) const {
    for (const TSection &s : FSections)
      if (!s.Body.empty()) {
        put("[");
        put(s.Name);
        put("]\r\n");
        put(s.Body);
        put("\r\n");
      }
    put("[");
    put(section::Messages);
    put("]\r\n");
    put(Messages);
    put("\r\n");
  }
  std::string Bytes() const {
    std::string out;
    Emit([&](std::string_view piece) { out.append(piece); });
    return out;
  }

private:
  struct TSection {
    std::string Name, Body;
    TSectionKeySet Keys;
  };
  std::deque<TSection> FSections;
  std::deque<std::string> FOwned;
  std::size_t FCurrent = 0;
};

// Only the sections named, as a file of their own: the source file is read for its messages only.
std::string KeepSections(std::string_view bytes, std::initializer_list<std::string_view> names) {
  std::string out;
  bool keep = false;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = TrimControl(bytes.substr(at, end - at));
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string_view name = TrimControl(line.substr(1, line.size() - 2));
      keep = false;
      for (std::string_view n : names) keep = keep || SameIniName(name, n);
    }
    if (keep) out.append(line).append("\r\n");
    at = end + 1;
  }
  return out;
}

} // namespace

std::string NormaliseCompiledText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  if (!out.empty() && out.front() == '[') {
    const std::size_t close = out.find(']', 1);
    if (close == std::string::npos) return {};
    out.erase(0, close + 1);
  }
  return out;
}

TCompiledHint SplitCompiledHint(std::string_view text) {
  const std::size_t bar = text.find('|');
  if (bar == std::string_view::npos) return {std::string(text), {}};
  return {std::string(text.substr(0, bar)), std::string(text.substr(bar + 1))};
}

std::string UpperBracketed(std::string_view text) {
  std::string out(text);
  std::size_t i = 0;
  while (i < out.size()) {
    const std::size_t open = out.find('[', i);
    if (open == std::string::npos) break;
    const std::size_t close = out.find(']', open + 1);
    if (close == std::string::npos) break; // unclosed: the rest stays as it is
    const std::size_t inner = out.find('[', open + 1);
    if (inner < close) { // interrupted: what stood between stays, the inner "[" starts afresh
      i = inner;
      continue;
    }
    for (std::size_t j = open + 1; j < close; ++j) {
      char &c = out[j];
      if (c == '\\') {
        ++j; // an escape keeps its letter
        continue;
      }
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    i = close + 1;
  }
  return out;
}

bool IsCompiledKey(std::string_view key) {
  const std::string_view ext = KeyExtension(key);
  return ext.size() >= 2 && ext[1] != '_';
}

bool LoadIniSkippingMark(const std::string &path, TIniFile &ini, std::string *error) {
  char head[3] = {};
  {
    std::ifstream in(path, std::ios::binary);
    in.read(head, sizeof head);
  }
  if (std::string_view(head, sizeof head) != kMark) return ini.LoadFromFile(path, error);
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error, TIniFile::kMaxFileBytes)) return false;
  ini.LoadFromBytes(std::string_view(bytes).substr(kMark.size()));
  ini.SetFileName(path);
  return true;
}

bool SamePath(const std::string &a, const std::string &b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec1, ec2;
  const auto ca = std::filesystem::weakly_canonical(std::filesystem::path(a), ec1);
  const auto cb = std::filesystem::weakly_canonical(std::filesystem::path(b), ec2);
  if (ec1 || ec2) return a == b;
  return ca == cb;
}

std::string TCompileProject::SourceFile() const {
  return ChangeFileExt(FTranslationFile, ".SrcLng");
}

void TSectionKeys::Build(const TIniSection *section) {
  FSection = section;
  FSlots.Reset(section ? section->Lines.size() : 0);
  if (!section) return;
  const std::vector<TIniLine> &lines = section->Lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view key = lines[i].Key;
    if (key.empty()) continue;
    FSlots.FindOrInsert(TPositionSlot{IniNameHash(key), static_cast<std::uint32_t>(i)},
                        [&](const TPositionSlot &other) { return SameIniName(lines[other.At].Key, key); });
  }
}

const TCompactText *TSectionKeys::Find(std::string_view key) const {
  if (!FSection) return nullptr;
  const std::vector<TIniLine> &lines = FSection->Lines;
  const TPositionSlot *slot = FSlots.Find(
      IniNameHash(key), [&](const TPositionSlot &other) { return SameIniName(lines[other.At].Key, key); });
  return slot ? &lines[slot->At].Value : nullptr;
}

std::string TCompileProject::DestLng() const {
  TSectionKeys info;
  info.Build(FTranslation.FindSection(section::Info));
  const TCompactText *value = info.Find(kDestLngKey);
  return value ? value->str() : std::string();
}

bool TCompileProject::Load(const std::string &translationFile, std::string *error) {
  FTranslationFile = translationFile;
  if (!LoadIniSkippingMark(translationFile, FTranslation, error)) return false;
  const std::string sourceFile = SourceFile();
  if (!FileExists(sourceFile)) {
    UseSource(nullptr);
    return true;
  }
  std::string bytes;
  if (!ReadFileBytes(sourceFile, bytes, error, TIniFile::kMaxFileBytes)) return false;
  const std::string_view view(bytes);
  UseSource(&view);
  return true;
}

void TCompileProject::LoadFromBytes(std::string_view translation, const std::string_view *source) {
  std::string_view content = translation;
  if (content.starts_with(kMark)) content.remove_prefix(kMark.size());
  FTranslation.LoadFromBytes(content);
  UseSource(source);
}

void TCompileProject::UseSource(const std::string_view *bytes) {
  FSource.reset();
  FExtracted = {};
  FMessages = {};
  FTranslationMessages.Build(FTranslation.FindSection(section::Messages));
  FSourceMessages.Build(nullptr);
  if (!bytes) return;
  auto source = std::make_unique<TIniFile>();
  std::string_view content(*bytes);
  if (content.starts_with(kMark)) content.remove_prefix(kMark.size());
  source->LoadFromBytes(KeepSections(content, {section::Messages, section::MessageRefs}));
  if (const TIniSection *messages = source->FindSection(section::Messages)) {
    for (const TIniLine &line : messages->Lines) {
      if (line.Key.empty() || line.Value.empty()) continue;
      const std::string extracted = source->ReadString(section::MessageRefs, MessageRefKey(line.Key));
      if (!extracted.empty()) FExtracted.AddPair(extracted, line.Value.view());
      const TCompactText *translated = FTranslationMessages.Find(line.Key);
      if (translated && !translated->empty()) FMessages.AddPair(line.Value.view(), translated->view());
    }
  }
  FSource = std::move(source);
  FSourceMessages.Build(FSource->FindSection(section::Messages));
}

std::string_view TCompileProject::MessageTranslation(std::string_view rawKey,
                                                     std::string_view rawText) const {
  if (FSource) {
    if (const TTransWord *corrected = FExtracted.Find(rawText))
      if (const TTransWord *pair = FMessages.Find(corrected->Translation)) return pair->Translation;
    if (const TTransWord *pair = FMessages.Find(rawText)) return pair->Translation;
    // The same key may now name another message: its translation counts only for the same text.
    const TCompactText *source = FSourceMessages.Find(rawKey);
    if (!source || *source != rawText) return {};
  }
  const TCompactText *translated = FTranslationMessages.Find(rawKey);
  return translated ? translated->view() : std::string_view();
}

namespace {

void CompileInto(TCompiledFile &out, const TIniFile &raw, const TCompileProject &project,
                 std::vector<std::string> *echo, TGrabLog &log) {
  const std::string destLng = project.DestLng();
  if (!destLng.empty()) {
    out.Begin(section::Info);
    out.Put(kDestLngKey, destLng);
    out.Put("deflng", destLng);
    log.Add("[_info]");
    log.Add("DestLng=" + destLng);
  }
  auto echoLine = [echo](std::string_view key, std::string_view value) {
    if (echo) echo->push_back(std::string(key) + "=" + std::string(TrimControl(value)));
  };
  const TIniFile &translation = project.Translation();
  const TIniSection *rawMessages = nullptr;
  TSectionKeys keys;
  for (const TIniSection &sec : raw.Sections()) {
    if (SameIniName(sec.Name, section::Messages)) {
      if (!rawMessages) rawMessages = &sec;
      continue;
    }
    log.Add("Section:\t" + sec.Name);
    if (echo) {
      echo->emplace_back();
      echo->push_back("[" + sec.Name + "]");
    }
    out.Begin(sec.Name);
    // A section the project lacks has no translation to look up.
    const TIniSection *projectSection = translation.FindSection(sec.Name);
    if (!projectSection) continue;
    keys.Build(projectSection);
    for (const TIniLine &line : sec.Lines) {
      if (line.Key.empty() || !IsCompiledKey(line.Key)) continue;
      const TCompactText *value = keys.Find(line.Key);
      if (!value) continue;
      if (value->empty()) continue;
      const std::string text = NormaliseCompiledText(*value);
      if (KeyExtension(line.Key) != ".THF") {
        if (TrimControl(text).empty()) continue; // a status prefix alone is no translation
        out.Put(line.Key, text);
        echoLine(line.Key, text);
        continue;
      }
      const TCompiledHint hint = SplitCompiledHint(text);
      for (const auto &[ext, part] : {std::pair<std::string_view, const std::string &>{".TH", hint.Short},
                                      std::pair<std::string_view, const std::string &>{".TF", hint.Full}}) {
        if (TrimControl(part).empty()) continue;
        const std::string_view key = out.Own(WithExtension(line.Key, ext));
        out.Put(key, part);
        echoLine(key, part);
      }
    }
  }
  if (echo) echo->emplace_back("[Messages]");
  // "R" and "L" repeat: the pairs are lines, never keyed writes.
  std::string &messages = out.Messages;
  if (rawMessages) {
    for (const TIniLine &line : rawMessages->Lines) {
      if (line.Key.empty() || line.Value.empty()) continue;
      const std::string_view translated = project.MessageTranslation(line.Key, line.Value);
      if (translated.empty()) continue;
      const std::string text = UpperBracketed(NormaliseCompiledText(translated));
      const std::string_view body = TrimControl(text);
      if (body.empty()) continue;
      messages.append("R=").append(line.Value).append("\r\nL=").append(body).append("\r\n");
      if (echo) {
        echoLine("R", line.Value);
        echoLine("L", body);
        echo->emplace_back();
      }
    }
  }
}

} // namespace

std::string CompileText(const TIniFile &raw, const TCompileProject &project, std::vector<std::string> *echo,
                        TGrabLog &log) {
  TCompiledFile out;
  CompileInto(out, raw, project, echo, log);
  return out.Bytes();
}

ECompileResult Compile(const std::string &rawFile, const TCompileProject *project,
                       const std::string &projectFile, const std::string &outFile, TGrabLog &log,
                       TGrabLog *echo) {
  log.Add("Compile: \t" + rawFile);
  if (!FileExists(rawFile)) {
    log.Add("Not Found!\t" + rawFile);
    return ECompileResult::RawNotFound;
  }
  if (!project) {
    log.Add("LMI Not Found!\t" + projectFile);
    return ECompileResult::ProjectNotFound;
  }
  // Compiled files share the projects' extension: never write over what is being read.
  for (const std::string &input : {rawFile, project->TranslationFile(), project->SourceFile()})
    if (outFile.empty() || SamePath(outFile, input)) {
      log.Add("Refused!\tThe output would overwrite an input:\t" + (outFile.empty() ? input : outFile));
      return ECompileResult::Refused;
    }
  TIniFile raw;
  std::string error;
  if (!LoadIniSkippingMark(rawFile, raw, &error)) {
    log.Add(error);
    return ECompileResult::Failed;
  }
  std::vector<std::string> lines;
  if (echo) lines = echo->Lines();
  TCompiledFile out;
  CompileInto(out, raw, *project, echo ? &lines : nullptr, log);
  // Written piece by piece: the sections are not joined into one more copy of the file.
  const bool written = WriteFileAtomic(
      outFile,
      [&out](const TBytePut &put) {
        bool ok = true;
        out.Emit([&](std::string_view piece) { ok = ok && (piece.empty() || put(piece)); });
      },
      &error);
  if (!written) {
    log.Add("Unable to save file\t" + outFile);
    log.Add(error);
    return ECompileResult::Failed;
  }
  if (echo) echo->Assign(std::move(lines));
  return ECompileResult::Written;
}

ECompileResult Compile(const std::string &rawFile, const std::string &projectFile, const std::string &outFile,
                       TGrabLog &log, TGrabLog *echo) {
  if (!FileExists(rawFile) || !FileExists(projectFile))
    return Compile(rawFile, nullptr, projectFile, outFile, log, echo);
  TCompileProject project;
  std::string error;
  if (!project.Load(projectFile, &error)) {
    log.Add("Compile: \t" + rawFile);
    log.Add(error);
    return ECompileResult::Failed;
  }
  return Compile(rawFile, &project, projectFile, outFile, log, echo);
}

} // namespace vt
