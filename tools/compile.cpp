#include "compile.h"

#include "model/ids.h"
#include "model/text_helpers.h"
#include "support/file_io.h"

#include <filesystem>
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

// The compiled file in the making: sections in first-write order; a repeated key replaces its
// value where it stands, as the dialect's writes do.
class TCompiledFile {
public:
  void Begin(std::string_view section) {
    for (std::size_t i = 0; i < FSections.size(); ++i)
      if (SameIniName(FSections[i].Name, section)) {
        FCurrent = i;
        return;
      }
    FSections.push_back({std::string(section), {}, {}});
    FSections.back().Keys.Reset(16);
    FCurrent = FSections.size() - 1;
  }
  void Put(std::string_view key, std::string_view value) {
    TSection &s = FSections[FCurrent];
    key = TrimControl(key);
    value = TrimControl(value);
    if (!s.Keys.Add(key)) {
      for (auto &line : s.Lines)
        if (SameIniName(line.first, key)) {
          line.second.assign(value);
          return;
        }
    }
    s.Lines.emplace_back(std::string(key), std::string(value));
  }
  std::string Bytes(const std::vector<std::pair<std::string, std::string>> &messages) const {
    std::string out;
    auto section = [&](std::string_view name, const auto &lines) {
      out += '[';
      out += name;
      out += "]\r\n";
      for (const auto &[k, v] : lines) {
        out += k;
        out += '=';
        out += v;
        out += "\r\n";
      }
      out += "\r\n";
    };
    for (const TSection &s : FSections)
      if (!s.Lines.empty()) section(s.Name, s.Lines);
    section(section::Messages, messages);
    return out;
  }

private:
  struct TSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Lines;
    TSectionKeySet Keys;
  };
  std::vector<TSection> FSections;
  std::size_t FCurrent = 0;
};

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
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error, TIniFile::kMaxFileBytes)) return false;
  if (std::string_view(bytes).starts_with(kMark)) bytes.erase(0, kMark.size());
  ini.LoadFromBytes(bytes);
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

std::string TCompileProject::DestLng() const {
  return FTranslation.ReadString(section::Info, kDestLngKey);
}

bool TCompileProject::Load(const std::string &translationFile, std::string *error) {
  FTranslationFile = translationFile;
  FSource.reset();
  FExtracted = {};
  FMessages = {};
  if (!LoadIniSkippingMark(translationFile, FTranslation, error)) return false;
  const std::string sourceFile = SourceFile();
  if (!FileExists(sourceFile)) return true;
  auto source = std::make_unique<TIniFile>();
  if (!LoadIniSkippingMark(sourceFile, *source, error)) return false;
  if (const TIniSection *messages = source->FindSection(section::Messages)) {
    for (const TIniLine &line : messages->Lines) {
      if (line.Key.empty() || line.Value.empty()) continue;
      const std::string extracted = source->ReadString(section::MessageRefs, MessageRefKey(line.Key));
      if (!extracted.empty()) FExtracted.Add(TTransWordList::NewWord(extracted, line.Value.str()));
      const TCompactText *translated = FTranslation.FindValue(section::Messages, line.Key);
      if (translated && !translated->empty())
        FMessages.Add(TTransWordList::NewWord(line.Value.str(), translated->str()));
    }
  }
  FSource = std::move(source);
  return true;
}

std::string_view TCompileProject::MessageTranslation(std::string_view rawKey,
                                                     std::string_view rawText) const {
  if (FSource) {
    if (const TTransWord *corrected = FExtracted.Find(rawText))
      if (const TTransWord *pair = FMessages.Find(corrected->Translation)) return pair->Translation;
    if (const TTransWord *pair = FMessages.Find(rawText)) return pair->Translation;
    // The same key may now name another message: its translation counts only for the same text.
    const TCompactText *source = FSource->FindValue(section::Messages, rawKey);
    if (!source || *source != rawText) return {};
  }
  const TCompactText *translated = FTranslation.FindValue(section::Messages, rawKey);
  return translated ? translated->view() : std::string_view();
}

std::string CompileText(const TIniFile &raw, const TCompileProject &project, std::vector<std::string> &echo,
                        TGrabLog &log) {
  TCompiledFile out;
  const std::string destLng = project.DestLng();
  if (!destLng.empty()) {
    out.Begin(section::Info);
    out.Put(kDestLngKey, destLng);
    out.Put("deflng", destLng);
    log.Add("[_info]");
    log.Add("DestLng=" + destLng);
  }
  const TIniFile &translation = project.Translation();
  const TIniSection *rawMessages = nullptr;
  for (const TIniSection &sec : raw.Sections()) {
    if (SameIniName(sec.Name, section::Messages)) {
      if (!rawMessages) rawMessages = &sec;
      continue;
    }
    log.Add("Section:\t" + sec.Name);
    echo.emplace_back();
    echo.push_back("[" + sec.Name + "]");
    out.Begin(sec.Name);
    // The project's section once per raw section; its keys are found through the file's index.
    const bool projectHasSection = translation.FindSection(sec.Name) != nullptr;
    for (const TIniLine &line : sec.Lines) {
      if (!projectHasSection || line.Key.empty() || !IsCompiledKey(line.Key)) continue;
      const TCompactText *value = translation.FindValue(sec.Name, line.Key);
      if (!value || value->empty()) continue;
      const std::string text = NormaliseCompiledText(*value);
      if (KeyExtension(line.Key) != ".THF") {
        if (TrimControl(text).empty()) continue;
        out.Put(line.Key, text);
        echo.push_back(line.Key + "=" + std::string(TrimControl(text)));
        continue;
      }
      const TCompiledHint hint = SplitCompiledHint(text);
      for (const auto &[ext, part] : {std::pair<std::string_view, const std::string &>{".TH", hint.Short},
                                      std::pair<std::string_view, const std::string &>{".TF", hint.Full}}) {
        if (TrimControl(part).empty()) continue;
        const std::string key = WithExtension(line.Key, ext);
        out.Put(key, part);
        echo.push_back(key + "=" + std::string(TrimControl(part)));
      }
    }
  }
  echo.emplace_back("[Messages]");
  std::vector<std::pair<std::string, std::string>> messages;
  if (rawMessages) {
    for (const TIniLine &line : rawMessages->Lines) {
      if (line.Key.empty() || line.Value.empty()) continue;
      const std::string_view translated = project.MessageTranslation(line.Key, line.Value);
      if (translated.empty()) continue;
      const std::string text = UpperBracketed(NormaliseCompiledText(translated));
      if (TrimControl(text).empty()) continue; // a prefix alone is no translation
      messages.emplace_back("R", line.Value.str());
      messages.emplace_back("L", std::string(TrimControl(text)));
      echo.push_back("R=" + line.Value.str());
      echo.push_back(messages.back().first + "=" + messages.back().second);
      echo.emplace_back();
    }
  }
  return out.Bytes(messages);
}

ECompileResult Compile(const std::string &rawFile, const TCompileProject *project,
                       const std::string &projectFile, const std::string &outFile, TGrabLog &log,
                       TGrabLog &echo) {
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
  std::vector<std::string> lines = echo.Lines();
  const std::string bytes = CompileText(raw, *project, lines, log);
  if (!WriteFileAtomic(outFile, bytes, &error)) {
    log.Add("Unable to save file\t" + outFile);
    log.Add(error);
    return ECompileResult::Failed;
  }
  echo.Assign(std::move(lines));
  return ECompileResult::Written;
}

ECompileResult Compile(const std::string &rawFile, const std::string &projectFile, const std::string &outFile,
                       TGrabLog &log, TGrabLog &echo) {
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
