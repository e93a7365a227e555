#include "compile_project.h"

#include "model/status_prefix.h"
#include "model/text_helpers.h"
#include "model/trans_word_list.h"
#include "support/ascii_case.h"
#include "support/file_io.h"

#include <deque>
#include <filesystem>
#include <unordered_set>

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

  void Write(std::string_view section, std::string_view key, std::string_view value, bool header = false) {
    if (key.empty() || (value.empty() && !header)) return;
    if (section != FSection) {
      Flush();
      FSection.assign(section);
    }
    FTexts.emplace_back(key);
    const std::string_view k = FTexts.back();
    if (value.empty()) {
      // A batch write of an empty value would delete the key: the earlier writes go first.
      if (!FWrites.empty()) FIni.WriteValues(FSection, FWrites);
      FWrites.clear();
      FIni.WriteString(FSection, k, {});
      FTexts.clear();
      if (!header) ++Count;
      return;
    }
    FTexts.emplace_back(value);
    FWrites.push_back({k, FTexts.back()});
    if (!header) ++Count;
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

bool Blank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

// The ini dialect's trim: bytes up to 32 at both ends.
std::string_view Trimmed(std::string_view v) {
  while (!v.empty() && Blank(v.front())) v.remove_prefix(1);
  while (!v.empty() && Blank(v.back())) v.remove_suffix(1);
  return v;
}

// Writes the file's bytes straight in the ini dialect's normal form while the writes allow it:
// each section in one run, no key twice in a section (without case), no section twice. Otherwise
// Ok turns false and the caller goes the ini file's way, which merges such writes as the dialect does.
class TDirectWriter {
public:
  // keysDistinct: the entries' own keys never repeat within a section (a project as opened), so
  // only keys that a hint's parts can meet (".TH", ".TF") need checking.
  explicit TDirectWriter(bool keysDistinct) : FKeysDistinct(keysDistinct) { FKeys.Reset(64); }

  void Write(std::string_view section, std::string_view key, std::string_view value, bool header = false) {
    if (!Ok || key.empty() || (value.empty() && !header)) return;
    if (!FOpen || section != FSection) {
      if (!Claim(section)) return;
      if (FOpen) Bytes += "\r\n";
      FOpen = true;
      FSection.assign(section);
      Bytes += '[';
      Bytes += section;
      Bytes += "]\r\n";
      FKeys.Reset(64);
      FKeyTexts.clear();
    }
    if (!FKeysDistinct || MayMeetHintPart(key)) {
      FKeyTexts.emplace_back(key);
      if (!FKeys.Add(FKeyTexts.back())) {
        Ok = false;
        return;
      }
    }
    if (!value.empty() && (Blank(value.front()) || Blank(value.back()))) Untrimmed = true;
    Bytes += key;
    Bytes += '=';
    Bytes += value;
    Bytes += "\r\n";
    if (!header) ++Count;
  }

  // A section name of its own (without case); false (and not Ok) when it was met before.
  bool Claim(std::string_view section) {
    if (section.empty() || !FSeen.insert(LowerAscii(section)).second) Ok = false;
    return Ok;
  }

  // The "Messages" block as reading it back would leave it: blanks trimmed, no empty lines.
  void AppendMessages(const std::vector<const TWordObj *> &messages, std::size_t &pairs) {
    if (!Ok || !Claim(kMessages)) return;
    if (FOpen) Bytes += "\r\n";
    FOpen = true;
    Bytes += "[Messages]\r\n";
    pairs = 0;
    for (const TWordObj *m : messages) {
      const std::string encoded = m->EncodeValue(m->TranslationText());
      if (encoded.empty()) continue;
      Bytes += "R=";
      Bytes += Trimmed(m->Source().view());
      Bytes += "\r\nL=";
      Bytes += Trimmed(encoded);
      Bytes += "\r\n";
      ++pairs;
    }
  }

  std::string Finish() {
    if (FOpen) Bytes += "\r\n";
    return std::move(Bytes);
  }

  bool Ok = true;
  bool Untrimmed = false; // a value the dialect would trim when the file is read back
  std::size_t Count = 0;
  std::string Bytes;

private:
  static bool MayMeetHintPart(std::string_view key) {
    return key.size() >= 3 && (SameIgnoringAsciiCase(key.substr(key.size() - 3), ".TH") ||
                               SameIgnoringAsciiCase(key.substr(key.size() - 3), ".TF"));
  }

  bool FKeysDistinct;
  bool FOpen = false;
  std::string FSection;
  std::unordered_set<std::string> FSeen;
  TSectionKeySet FKeys;
  std::deque<std::string> FKeyTexts; // stable addresses for the views FKeys keeps
};

// Whether decoding and encoding again gives the stored bytes back: no escapes or control bytes,
// and UTF-8 of characters of the basic plane only, in shortest form, without surrogates (others
// come back in another form).
bool SurvivesRecoding(std::string_view v) {
  const auto cont = [&](std::size_t i) {
    return i < v.size() && (static_cast<unsigned char>(v[i]) & 0xC0) == 0x80;
  };
  for (std::size_t i = 0; i < v.size();) {
    const auto b = static_cast<unsigned char>(v[i]);
    if (b < 0x80) {
      if (b < 32 || b == '\\') return false;
      ++i;
    } else if (b >= 0xC2 && b <= 0xDF) {
      if (!cont(i + 1)) return false;
      i += 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      if (!cont(i + 1) || !cont(i + 2)) return false;
      const auto b1 = static_cast<unsigned char>(v[i + 1]);
      if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 >= 0xA0)) return false;
      i += 3;
    } else {
      return false;
    }
  }
  return true;
}

// One compiled entry (translation not empty, not a message): its key, or ".TH"/".TF" for hints.
template <class Out> void WriteEntry(Out &out, const TWordObj &entry, const std::u16string &text) {
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

namespace {

// An ordinary key whose stored translation is written as it stands (the same bytes that decoding
// and encoding would give); false when the entry needs the full way.
template <class Out> bool WritePlain(Out &out, const TWordObj &entry) {
  const std::string_view kind = entry.Kind().view();
  if (kind == kHintKind || kind == kMessageKind || kind == kind::IT) return false;
  const std::string_view body = StatusBody(entry.Translation);
  if (body.empty() || !SurvivesRecoding(body)) return false;
  thread_local std::string key;
  key.assign(entry.Name().view()).append(1, '.').append(kind);
  out.Write(entry.Section().view(), key, body);
  return true;
}

// The entries "Compile selected kxLng File (old)" takes: keys written to out, messages collected.
template <class Out>
bool EmitSelection(Out &out, const TEntryList &entries, std::vector<const TWordObj *> &messages) {
  bool anyMessage = false;
  for (const TWordObj *entry : entries) {
    if (!entry || entry->Hidden) continue;
    if (WritePlain(out, *entry)) continue;
    const std::u16string text = entry->TranslationText();
    if (entry->Kind().view() == kMessageKind) {
      messages.push_back(entry);
      if (!text.empty()) anyMessage = true;
      continue;
    }
    if (!text.empty()) WriteEntry(out, *entry, text);
  }
  return anyMessage;
}

// The raw file's value for each entry of the project in turn. A raw file lists its keys in the
// order the project was built in, so a cursor through the raw section finds most keys without a
// look-up; what it cannot prove to be the first line of its key is looked up.
class TRawCursor {
public:
  TRawCursor(const TWordList &project, const TIniFile &raw) : FRaw(raw), FOn(project.KeysDistinct()) {}

  // Every entry of Items passes here in order, so the cursor follows the raw lines; only those
  // that need the value (need) are looked up when the cursor cannot tell.
  const TCompactText *Find(const TWordObj &entry, const std::string &key, bool need) {
    const std::string_view section = entry.Section().view();
    if (!FOn) return need ? FRaw.FindValue(section, key) : nullptr;
    if (!FStarted || section != FSectionName) {
      FStarted = true;
      FSectionName.assign(section);
      FSection = FRaw.FindSection(section);
      FAt = 0;
      FSkipped.clear();
      FTrusted = FSection != nullptr;
    }
    if (FTrusted) {
      const auto &lines = FSection->Lines;
      // A few lines ahead: keys the raw file has and the project lacks are passed over.
      for (std::size_t i = FAt; i < lines.size() && i < FAt + kLookAhead; ++i) {
        if (!SameIniName(lines[i].Key.view(), key)) continue;
        // Lines before the cursor belong to other keys of this section (they are distinct), except
        // those passed over: a key among them is looked up.
        bool passed = false;
        for (std::string_view k : FSkipped) passed = passed || SameIniName(k, key);
        for (std::size_t j = FAt; j < i; ++j) FSkipped.push_back(lines[j].Key.view());
        if (FSkipped.size() > kMaxSkipped) FTrusted = false;
        FAt = i + 1;
        if (!passed) return &lines[i].Value;
        break;
      }
    }
    return need ? FRaw.FindValue(section, key) : nullptr;
  }

private:
  static constexpr std::size_t kLookAhead = 4;
  static constexpr std::size_t kMaxSkipped = 32;
  const TIniFile &FRaw;
  bool FOn;
  bool FStarted = false;
  bool FTrusted = false;
  std::string FSectionName;
  const TIniSection *FSection = nullptr;
  std::size_t FAt = 0;
  std::vector<std::string_view> FSkipped;
};

// The entries the raw file lists (with a value); true when a listed message is translated.
template <class Out> bool EmitRaw(Out &out, const TWordList &project, const TIniFile &raw) {
  out.Write("_info", "DestLng", project.DestLng, true); // a header: written even when empty
  bool anyMessage = false;
  TRawCursor cursor(project, raw);
  for (const TWordObj *entry : project.Items) {
    const bool wanted = !entry->Hidden && !StatusBody(entry->Translation).empty();
    const TCompactText *listed = cursor.Find(*entry, entry->Key(), wanted);
    if (!wanted) continue;
    if (!listed || listed->view().empty()) continue;
    if (WritePlain(out, *entry)) continue;
    const std::u16string text = entry->TranslationText();
    if (text.empty()) continue;
    if (entry->Kind().view() == kMessageKind) {
      anyMessage = true;
      continue;
    }
    WriteEntry(out, *entry, text);
  }
  return anyMessage;
}

// The translated messages whose source is one of the raw file's message texts.
std::vector<const TWordObj *> RawMessages(const TWordList &project, const TIniFile &raw) {
  // The raw file's message texts, each its own pair, first occurrence kept.
  TTransWordList known;
  if (const TIniSection *section = raw.FindSection(kMessages))
    for (const TIniLine &line : section->Lines)
      if (!line.Key.view().empty() && !line.Value.view().empty())
        known.AddPair(line.Value.view(), line.Value.view());
  std::vector<const TWordObj *> messages;
  for (const TWordObj *entry : project.Items)
    if (!entry->Hidden && entry->Kind().view() == kMessageKind && !entry->TranslationText().empty() &&
        known.Find(entry->Source().view()))
      messages.push_back(entry);
  return messages;
}

// Fast: the bytes written straight. Otherwise (or when the block's re-reading would change a value)
// the ini file merges the writes and reads the block back.
template <class Emit, class Messages>
std::string Compile(Emit &&emit, Messages &&collect, TCompileCounts *counts, bool eraseMessages,
                    std::size_t entries, bool keysDistinct) {
  std::size_t pairs = 0;
  {
    TDirectWriter direct(keysDistinct);
    direct.Bytes.reserve(entries * 48); // about a line's length per entry: the buffer grows once or never
    std::vector<const TWordObj *> messages;
    const bool anyMessage = emit(direct, messages);
    if (direct.Ok && !(anyMessage && direct.Untrimmed)) {
      if (anyMessage) direct.AppendMessages(collect(messages), pairs);
      if (direct.Ok) {
        if (counts) *counts = {direct.Count, pairs};
        return direct.Finish();
      }
    }
  }
  TIniFile ini;
  std::vector<const TWordObj *> messages;
  bool anyMessage = false;
  std::size_t keys = 0;
  {
    TSectionWriter out(ini);
    anyMessage = emit(out, messages);
    out.Flush();
    keys = out.Count;
  }
  std::string bytes;
  if (anyMessage) {
    if (eraseMessages) ini.EraseSection(kMessages);
    bytes = WithMessageBlock(ini, collect(messages), pairs);
  } else {
    bytes = ini.ToBytes();
  }
  if (counts) *counts = {keys, pairs};
  return bytes;
}

} // namespace

std::string CompileSelectionBytes(const TEntryList &entries, TCompileCounts *counts, bool keysDistinct) {
  return Compile(
      [&](auto &out, std::vector<const TWordObj *> &messages) {
        return EmitSelection(out, entries, messages);
      },
      [](const std::vector<const TWordObj *> &messages) { return messages; }, counts, true, entries.size(),
      keysDistinct);
}

std::string CompileRawBytes(const TWordList &project, const TIniFile &raw, TCompileCounts *counts) {
  return Compile([&](auto &out, std::vector<const TWordObj *> &) { return EmitRaw(out, project, raw); },
                 [&](const std::vector<const TWordObj *> &) { return RawMessages(project, raw); }, counts,
                 false, project.Items.Count(), project.KeysDistinct());
}

bool CompileSelectionFile(const TWordList &project, const TEntryList &entries, const std::string &target,
                          TCompileCounts *counts, std::string *error) {
  if (!CheckCompileTarget(project, target, {}, error)) return false;
  TCompileCounts made;
  const std::string bytes = CompileSelectionBytes(entries, &made, project.KeysDistinct());
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
