#include "compile_project.h"

#include "model/text_helpers.h"
#include "model/trans_word_list.h"
#include "support/file_io.h"

#include <deque>
#include <filesystem>

namespace vt {

namespace {

constexpr std::string_view kMessages = "Messages";
constexpr std::string_view kHintKind = "THF";
constexpr std::string_view kMessageKind = "msg";

// Collects the writes of consecutive entries of one section, so the ini file takes them as one
// batch (entries come grouped by section in list order).
class TSectionWriter {
public:
  explicit TSectionWriter(TIniFile &ini) : FIni(ini) {}
  ~TSectionWriter() { Flush(); }
  TSectionWriter(const TSectionWriter &) = delete;
  TSectionWriter &operator=(const TSectionWriter &) = delete;

  void Write(std::string_view section, std::string key, std::string value) {
    if (key.empty() || value.empty()) return;
    if (section != FSection) {
      Flush();
      FSection.assign(section);
    }
    FTexts.push_back(std::move(key));
    const std::string_view k = FTexts.back();
    FTexts.push_back(std::move(value));
    FWrites.push_back({k, FTexts.back()});
    ++Count;
  }

  void Flush() {
    if (!FWrites.empty()) FIni.WriteValues(FSection, FWrites);
    FWrites.clear();
    FTexts.clear();
  }

  std::size_t Count = 0;

private:
  TIniFile &FIni;
  std::string FSection;
  std::deque<std::string> FTexts; // stable addresses for the views of FWrites
  std::vector<TIniWrite> FWrites;
};

// One compiled entry (translation not empty, not a message): its key, or ".TH"/".TF" for hints.
void WriteEntry(TSectionWriter &out, const TWordObj &entry, const std::u16string &text) {
  if (entry.Kind().view() == kHintKind) {
    const THintParts parts = SplitCompiledHint(text);
    const std::string name(entry.Name().view());
    if (!parts.Short.empty()) out.Write(entry.Section().view(), name + ".TH", entry.EncodeValue(parts.Short));
    if (!parts.Full.empty()) out.Write(entry.Section().view(), name + ".TF", entry.EncodeValue(parts.Full));
    return;
  }
  out.Write(entry.Section().view(), entry.Key(), entry.EncodeValue(text));
}

// The "Messages" block as lines appended to the file, then the whole text read back through the ini
// dialect: empty lines go and blanks around "=" and at the ends of values are trimmed.
std::string WithMessageBlock(const TIniFile &ini, const std::vector<const TWordObj *> &messages,
                             std::size_t &pairs) {
  std::string bytes = ini.ToBytes();
  bytes += "[Messages]\r\n";
  pairs = 0;
  for (const TWordObj *m : messages) {
    const std::string encoded = m->EncodeValue(m->TranslationText());
    if (encoded.empty()) continue;
    bytes += "R=";
    bytes += m->Source().view();
    bytes += "\r\nL=";
    bytes += encoded;
    bytes += "\r\n\r\n";
    ++pairs;
  }
  TIniFile reread;
  reread.LoadFromBytes(bytes);
  return reread.ToBytes();
}

std::string Canonical(const std::string &path) {
  std::error_code ec;
  const auto canonical = std::filesystem::weakly_canonical(std::filesystem::path(path), ec);
  return ec ? path : canonical.string();
}

bool SameFile(const std::string &a, const std::string &b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec) && !ec) return true;
  return Canonical(a) == Canonical(b);
}

bool Fail(std::string *error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

bool WriteCompiled(const std::string &target, const std::string &bytes, const TCompileCounts &counts,
                   std::string *error) {
  if (counts.Keys == 0 && counts.Messages == 0)
    return Fail(error, "Nothing to compile into " + target + ": no translated entry");
  std::string why;
  if (!WriteFileAtomic(target, bytes, &why)) return Fail(error, "Unable to save file " + target + ": " + why);
  return true;
}

} // namespace

THintParts SplitCompiledHint(std::u16string_view translation) {
  THintParts parts;
  if (!SplitHint(translation, parts.Short, parts.Full)) return {};
  if (parts.Short == u"|") parts.Short.clear();
  return parts;
}

bool CheckCompileTarget(const TWordList &project, const std::string &target,
                        const std::vector<std::string> &inputs, std::string *error) {
  if (target.empty()) return Fail(error, "No target file given");
  std::vector<std::string> own;
  for (const auto *ini : {project.SrcIni.get(), project.TransIni.get(), project.AutoIni.get()})
    if (ini && !ini->FileName().empty()) own.push_back(ini->FileName());
  if (project.TransIni && !project.TransIni->FileName().empty())
    own.push_back(project.TransIni->FileName() + ".~bu");
  own.push_back(project.FileName);
  for (const std::string &file : own)
    if (SameFile(target, file))
      return Fail(error, "Refusing to overwrite a file of the open project: " + target);
  for (const std::string &file : inputs)
    if (SameFile(target, file))
      return Fail(error, "Refusing to overwrite the file being compiled from: " + target);
  return true;
}

std::string CompileSelectionBytes(const TEntryList &entries, TCompileCounts *counts) {
  TIniFile ini;
  std::vector<const TWordObj *> messages;
  bool anyMessage = false;
  std::size_t keys = 0;
  {
    TSectionWriter out(ini);
    for (const TWordObj *entry : entries) {
      if (!entry || entry->Hidden) continue;
      const std::u16string text = entry->TranslationText();
      if (entry->Kind().view() == kMessageKind) {
        messages.push_back(entry);
        if (!text.empty()) anyMessage = true;
        continue;
      }
      if (!text.empty()) WriteEntry(out, *entry, text);
    }
    out.Flush();
    keys = out.Count;
  }
  std::size_t pairs = 0;
  std::string bytes;
  if (anyMessage) {
    ini.EraseSection(kMessages);
    bytes = WithMessageBlock(ini, messages, pairs);
  } else {
    bytes = ini.ToBytes();
  }
  if (counts) *counts = {keys, pairs};
  return bytes;
}

std::string CompileRawBytes(const TWordList &project, const TIniFile &raw, TCompileCounts *counts) {
  TIniFile ini;
  ini.WriteString("_info", "DestLng", project.DestLng); // written even when empty
  bool anyMessage = false;
  std::size_t keys = 0;
  {
    TSectionWriter out(ini);
    for (const TWordObj *entry : project.Items) {
      if (entry->Hidden) continue;
      const std::u16string text = entry->TranslationText();
      if (text.empty()) continue;
      const TCompactText *listed = raw.FindValue(entry->Section().view(), entry->Key());
      if (!listed || listed->view().empty()) continue;
      if (entry->Kind().view() == kMessageKind) {
        anyMessage = true;
        continue;
      }
      WriteEntry(out, *entry, text);
    }
    out.Flush();
    keys = out.Count;
  }
  std::size_t pairs = 0;
  std::string bytes;
  if (anyMessage) {
    // The raw file's message texts, each its own pair, first occurrence kept.
    TTransWordList known;
    if (const TIniSection *section = raw.FindSection(kMessages))
      for (const TIniLine &line : section->Lines)
        if (!line.Key.view().empty() && !line.Value.view().empty())
          known.Add(TTransWordList::NewWord(std::string(line.Value.view()), std::string(line.Value.view())));
    std::vector<const TWordObj *> messages;
    for (const TWordObj *entry : project.Items)
      if (!entry->Hidden && entry->Kind().view() == kMessageKind && !entry->TranslationText().empty() &&
          known.Find(entry->Source().view()))
        messages.push_back(entry);
    bytes = WithMessageBlock(ini, messages, pairs);
  } else {
    bytes = ini.ToBytes();
  }
  if (counts) *counts = {keys, pairs};
  return bytes;
}

bool CompileSelectionFile(const TWordList &project, const TEntryList &entries, const std::string &target,
                          TCompileCounts *counts, std::string *error) {
  if (!CheckCompileTarget(project, target, {}, error)) return false;
  TCompileCounts made;
  const std::string bytes = CompileSelectionBytes(entries, &made);
  if (counts) *counts = made;
  return WriteCompiled(target, bytes, made, error);
}

bool CompileRawFile(const TWordList &project, const std::string &rawPath, const std::string &target,
                    TCompileCounts *counts, std::string *error) {
  if (!project.TransIni) return Fail(error, "No project is open");
  if (!FileExists(rawPath)) return Fail(error, "Unable to Open File " + rawPath);
  if (!CheckCompileTarget(project, target, {rawPath}, error)) return false;
  TIniFile raw;
  std::string why;
  if (!raw.LoadFromFile(rawPath, &why)) return Fail(error, "Unable to Open File " + rawPath + ": " + why);
  TCompileCounts made;
  const std::string bytes = CompileRawBytes(project, raw, &made);
  if (counts) *counts = made;
  return WriteCompiled(target, bytes, made, error);
}

} // namespace vt
