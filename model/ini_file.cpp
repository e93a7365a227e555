#include "ini_file.h"

#include "support/ascii_case.h"
#include "support/byte_words.h"
#include "support/file_io.h"
#include "support/hash_table.h"
#include "text_helpers.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace vt {

namespace {

constexpr std::uint32_t kEmptySlot = UINT32_MAX;

std::vector<std::size_t> FirstLinesOf(const std::vector<TIniLine> &lines,
                                      const std::vector<TIniWrite> &writes);

std::uint64_t NextStamp() {
  static std::atomic<std::uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

} // namespace

std::uint64_t IniNameHash(std::string_view name) {
  return HashIgnoringAsciiCase(name);
}

bool SameIniName(std::string_view a, std::string_view b) {
  return SameIgnoringAsciiCase(a, b);
}

namespace {

bool CaseEqual(std::string_view a, std::string_view b) {
  return SameIniName(a, b);
}

struct CaseHasher {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept {
    return static_cast<std::size_t>(HashIgnoringAsciiCase(s));
  }
};
struct CaseEq {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept { return CaseEqual(a, b); }
};

std::uint32_t SlotHash(std::size_t section, std::string_view key) {
  std::uint64_t h =
      HashIgnoringAsciiCase(key) ^ (static_cast<std::uint64_t>(section) * 0x9E3779B97F4A7C15ull);
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  h ^= h >> 32;
  return static_cast<std::uint32_t>(h);
}

bool IsTombstone(const TIniLine &line) {
  return line.Key.empty() && line.Value.empty();
}

bool HasLineBreak(std::string_view text) {
  const char *end = text.data() + text.size();
  return FindLineBreak(text.data(), end) != end;
}

} // namespace

void TIniFile::TStoreRelease::operator()(TTextStore *store) const noexcept {
  store->Release();
}

void TIniFile::HoldStore(TTextStore &store) {
  for (const auto &held : FHeldStores)
    if (held.get() == &store) return;
  store.AddRefs(1);
  FHeldStores.emplace_back(&store);
}

void TIniFile::SetOwnText(TCompactText &target, std::string_view text) {
  if (text.empty()) {
    target.clear();
    return;
  }
  // Written texts share the blocks of one store, which also holds the file as read, so that its
  // room is as large as the file (and some more): a text rewritten many times leaves its old copies
  // there. Beyond, each owns a copy.
  if (!FKept) {
    FKept.reset(new TTextStore());
    FKept->Hold(FBytes);
  }
  std::string_view kept;
  if (FKept->KeepInRoom(text, kept))
    target.SetHeld(kept);
  else
    target = text;
}

// A written value must stay on its line: a line break inside would start a new key on reading.
void TIniFile::SetOneLine(TCompactText &target, std::string_view value, bool held) {
  if (!HasLineBreak(value)) {
    if (held)
      target.SetHeld(value);
    else
      SetOwnText(target, value);
    return;
  }
  std::string flat(value);
  for (char &c : flat)
    if (c == '\r' || c == '\n') c = ' ';
  SetOwnText(target, flat);
}

TIniLine TIniFile::OwnLine(std::string_view key, std::string_view value, bool held) {
  TIniLine line;
  SetOwnText(line.Key, key);
  SetOneLine(line.Value, value, held);
  return line;
}

// Section names in a transparent hash map; keys of all sections in one open-addressing table
// of (hash, section, line) so a million keys cost no per-key allocation.
struct TIniFile::Index {
  struct Slot {
    std::uint32_t Hash = 0;
    std::uint32_t Section = kEmptySlot;
    std::uint32_t Line = 0;
    bool Free() const { return Section == kEmptySlot; }
    std::uint64_t HashValue() const { return Hash; }
  };
  std::unordered_map<std::string, std::uint32_t, CaseHasher, CaseEq> SectionPos;
  THashTable<Slot> Slots;
  bool HasTombstones = false;
  bool HasDuplicates = false;
  // The key table is built on the first key look-up: a file read only in order never needs it.
  bool KeysBuilt = false;

  void Clear() {
    SectionPos.clear();
    ClearKeys();
    HasTombstones = false;
  }
  void ClearKeys() {
    Slots = {};
    HasDuplicates = false;
    KeysBuilt = false;
  }

  void Reserve(std::size_t count) { Slots.Reserve(count); }

  void Insert(std::size_t section, std::size_t line, const std::vector<TIniLine> &lines) {
    const Slot slot{SlotHash(section, lines[line].Key), static_cast<std::uint32_t>(section),
                    static_cast<std::uint32_t>(line)};
    // A live line of the same key met on the way to the free slot makes the file hold duplicates.
    Slots.Insert(slot, [&](const Slot &other) {
      if (other.Section == slot.Section && CaseEqual(lines[other.Line].Key, lines[slot.Line].Key))
        HasDuplicates = true;
    });
  }
};

TIniFile::TIniFile() : FStamp(NextStamp()), FIndex(std::make_unique<Index>()) {}
TIniFile::TIniFile(std::string fileName)
    : FFileName(std::move(fileName)), FStamp(NextStamp()), FIndex(std::make_unique<Index>()) {}
TIniFile::~TIniFile() = default;
TIniFile::TIniFile(TIniFile &&) noexcept = default;
TIniFile &TIniFile::operator=(TIniFile &&) noexcept = default;

bool TIniFile::Load(std::string *error) {
  return LoadFromFile(FFileName, error);
}

bool TIniFile::LoadFromFile(const std::string &path, std::string *error, bool skipBom) {
  auto bytes = std::make_shared<std::string>();
  if (!ReadFileBytes(path, *bytes, error, kMaxFileBytes)) return false;
  FFileName = path;
  const bool bom = skipBom && std::string_view(*bytes).starts_with("\xEF\xBB\xBF");
  FBytes = std::move(bytes);
  Parse(bom ? 3 : 0);
  return true;
}

void TIniFile::LoadFromBytes(std::string_view bytes) {
  FBytes = std::make_shared<const std::string>(bytes);
  Parse();
}

// One pass over the buffer: each line is found, trimmed and split where it stands, and kept as
// views of it.
//
// Each section is also checked against the normal form as it goes: header, lines and the one empty
// line, each exactly as saving composes it (nothing trimmed, no comment, CR LF ends), one after
// the other. A section that passes is saved as those bytes while it stays as read.
void TIniFile::Parse(std::size_t from) {
  FSections.clear();
  FKept.reset();
  FHeldStores.clear();
  FWhole.clear();
  FStamp = NextStamp();
  const char *p = FBytes->data() + from;
  const char *const end = FBytes->data() + FBytes->size();
  TIniSection *current = nullptr;
  // The current section's check: where its next line must start, whether it is still in the
  // normal form, and whether its empty line (the last of it) was met.
  const char *expect = nullptr;
  bool whole = false, closed = false;
  const auto closeSection = [&](const char *sectionEnd) {
    if (current && whole && closed && expect == sectionEnd)
      FWhole.back().End = sectionEnd;
    else if (current)
      FWhole.back() = {};
  };
  while (p < end) {
    const char *const start = p;
    const auto rest = static_cast<std::size_t>(end - p);
    const char *lf = static_cast<const char *>(std::memchr(p, '\n', rest));
    const char *lineEnd = lf ? lf : end;
    const char *next = lf ? lf + 1 : end;
    // A CR ends the line too: alone, or as the first half of CR LF.
    if (const void *cr = std::memchr(p, '\r', static_cast<std::size_t>(lineEnd - p))) {
      lineEnd = static_cast<const char *>(cr);
      next = lineEnd + 1 < end && lineEnd[1] == '\n' ? lineEnd + 2 : lineEnd + 1;
    }
    const std::size_t rawSize = static_cast<std::size_t>(lineEnd - p);
    const std::string_view line = TrimControl(std::string_view(p, rawSize));
    p = next;
    // The line as saving composes it: nothing trimmed away, ended by CR LF.
    const bool exact = line.size() == rawSize && next == lineEnd + 2;
    if (line.empty() || line.front() == ';') {
      if (line.empty() && exact && !closed && start == expect) {
        closed = true;
        expect = next;
      } else {
        whole = false;
      }
      continue;
    }
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      closeSection(start);
      const std::string_view name = TrimControl(line.substr(1, line.size() - 2));
      FSections.push_back(TIniSection{TCompactText::View(name), {}});
      FWhole.push_back(TSectionBytes{start, nullptr});
      current = &FSections.back();
      whole = exact && name.size() + 2 == line.size();
      closed = false;
      expect = next;
      continue;
    }
    if (!current) continue; // lines before the first section
    const auto eq = line.find('=');
    const std::string_view key =
        eq == std::string_view::npos ? std::string_view() : TrimControl(line.substr(0, eq));
    if (key.empty()) {
      current->Lines.push_back(TIniLine{{}, TCompactText::View(line)}); // kept and written back as it stands
      whole = whole && exact && !closed && start == expect;
    } else {
      const std::string_view value = TrimControl(line.substr(eq + 1));
      current->Lines.push_back(TIniLine{TCompactText::View(key), TCompactText::View(value)});
      whole = whole && exact && !closed && start == expect && key.size() == eq &&
              value.size() == line.size() - eq - 1;
    }
    expect = next;
  }
  closeSection(end);
  Reindex();
}

bool TIniFile::Save(std::string *error) const {
  return SaveToFile(FFileName, error);
}

// Calls put with every piece of the file's text in order, straight from the views.
template <class Put> void TIniFile::Emit(Put &&put, bool wholeSections) const {
  for (std::size_t s = 0; s < FSections.size(); ++s) {
    const TIniSection &sec = FSections[s];
    if (wholeSections && FWhole[s].Begin) {
      put(std::string_view(FWhole[s].Begin, static_cast<std::size_t>(FWhole[s].End - FWhole[s].Begin)));
      continue;
    }
    put("[");
    put(sec.Name);
    put("]\r\n");
    for (const auto &l : sec.Lines) {
      if (IsTombstone(l)) continue;
      if (!l.Key.empty()) {
        put(l.Key);
        put("=");
      }
      put(l.Value);
      put("\r\n");
    }
    put("\r\n");
  }
}

namespace {

// Takes the pieces of a save in order and hands them to the file. Pieces that continue the file's
// own bytes where the previous piece ended (a view of the next bytes, or any text equal to them)
// only lengthen a run of the buffer, which is written straight from there; other pieces are copied
// into one reused block. A file saved unchanged in its normal form is one write of its buffer.
class TSaveSink {
public:
  TSaveSink(const std::string *buffer, const TBytePut &write) : FWrite(write) {
    if (buffer) {
      FBegin = buffer->data();
      FEnd = FBegin + buffer->size();
    }
  }

  void Put(std::string_view piece) {
    if (piece.empty()) return; // an empty view may have no data pointer at all
    if (FRunEnd) {
      const auto left = static_cast<std::size_t>(FEnd - FRunEnd);
      if (piece.size() <= left && (piece.data() == FRunEnd || Same(piece, FRunEnd))) {
        FRunEnd += piece.size();
        return;
      }
      EndRun();
    }
    if (Inside(piece)) {
      StartRun(piece);
      return;
    }
    Copy(piece);
  }

  bool Finish() {
    EndRun();
    Flush();
    return FOk;
  }

private:
  // Runs shorter than this are copied into the block: fewer, larger writes.
  static constexpr std::size_t kDirectRun = std::size_t{64} << 10;
  static constexpr std::size_t kBlock = std::size_t{1} << 20;
  // The longest join StartRun looks for: a blank line's end and a line end ("\r\n\r\n").
  static constexpr std::size_t kJoinBack = 4;

  // Whether the bytes at at are piece's (short pieces, the line ends and "=", compared in place).
  static bool Same(std::string_view piece, const char *at) {
    if (piece.size() > 4) return std::memcmp(piece.data(), at, piece.size()) == 0;
    for (std::size_t i = 0; i < piece.size(); ++i)
      if (piece[i] != at[i]) return false;
    return true;
  }

  bool Inside(std::string_view piece) const {
    const auto at = reinterpret_cast<std::uintptr_t>(piece.data());
    return FBegin && at >= reinterpret_cast<std::uintptr_t>(FBegin) &&
           at + piece.size() <= reinterpret_cast<std::uintptr_t>(FEnd);
  }

  void StartRun(std::string_view piece) {
    FRunStart = piece.data();
    FRunEnd = FRunStart + piece.size();
    // Bytes just copied that equal the buffer's bytes before the run join it instead ("[" before a
    // section name, the line end before a key). A few at most: after a changed value the bytes
    // before often equal the old value's tail, which is copied either way.
    const char *limit =
        FRunStart - std::min<std::size_t>(kJoinBack, static_cast<std::size_t>(FRunStart - FBegin));
    while (FUsed > 0 && FRunStart > limit && FBlock[FUsed - 1] == FRunStart[-1]) {
      --FUsed;
      --FRunStart;
    }
  }

  void EndRun() {
    if (!FRunEnd) return;
    const std::string_view run(FRunStart, static_cast<std::size_t>(FRunEnd - FRunStart));
    FRunStart = FRunEnd = nullptr;
    if (run.size() < kDirectRun) {
      Copy(run);
      return;
    }
    Flush();
    Write(run);
  }

  void Copy(std::string_view piece) {
    if (!FBlock) FBlock = std::make_unique_for_overwrite<char[]>(kBlock);
    if (FUsed + piece.size() > kBlock) {
      Flush();
      if (piece.size() > kBlock) {
        Write(piece);
        return;
      }
    }
    std::memcpy(FBlock.get() + FUsed, piece.data(), piece.size());
    FUsed += piece.size();
  }

  void Flush() {
    if (FUsed) Write({FBlock.get(), FUsed});
    FUsed = 0;
  }

  void Write(std::string_view bytes) { FOk = FOk && FWrite(bytes); }

  const TBytePut &FWrite;
  const char *FBegin = nullptr, *FEnd = nullptr;       // the file's buffer
  const char *FRunStart = nullptr, *FRunEnd = nullptr; // the current run of it
  std::unique_ptr<char[]> FBlock;
  std::size_t FUsed = 0;
  bool FOk = true;
};

} // namespace

bool TIniFile::SaveToFile(const std::string &path, std::string *error) const {
  return WriteFileAtomic(
      path,
      [this](const TBytePut &write) {
        TSaveSink sink(FBytes.get(), write);
        Emit([&sink](std::string_view piece) { sink.Put(piece); }, true);
        sink.Finish();
      },
      error);
}

std::string TIniFile::ToBytes() const {
  std::size_t size = 0;
  for (const auto &sec : FSections) {
    size += sec.Name.size() + 6;
    for (const auto &l : sec.Lines) size += l.Key.size() + l.Value.size() + 3;
  }
  std::string out;
  out.reserve(size);
  Emit([&out](std::string_view piece) { out.append(piece); }, true);
  return out;
}

std::string TIniFile::ComposedBytes() const {
  std::string out;
  Emit([&out](std::string_view piece) { out.append(piece); }, false);
  return out;
}

void TIniFile::Clear() {
  FSections.clear();
  FKept.reset();
  FHeldStores.clear();
  FWhole.clear();
  FStamp = NextStamp();
  FBytes.reset();
  FIndex->Clear();
}

void TIniFile::Touch(std::size_t sectionPos) {
  FWhole[sectionPos] = {};
  FStamp = NextStamp();
}

void TIniFile::Reindex() const {
  FIndex->Clear();
  FIndex->SectionPos.reserve(FSections.size());
  for (std::size_t s = 0; s < FSections.size(); ++s)
    FIndex->SectionPos.try_emplace(FSections[s].Name.str(), static_cast<std::uint32_t>(s));
}

void TIniFile::EnsureKeyIndex() const {
  if (FIndex->KeysBuilt) return;
  std::size_t keys = 0;
  for (const auto &sec : FSections) keys += sec.Lines.size();
  FIndex->Reserve(keys);
  FIndex->KeysBuilt = true;
  for (std::size_t s = 0; s < FSections.size(); ++s) {
    const auto &lines = FSections[s].Lines;
    for (std::size_t l = 0; l < lines.size(); ++l)
      if (!lines[l].Key.empty()) FIndex->Insert(s, l, lines);
  }
}

void TIniFile::Compact() const {
  if (!FIndex->HasTombstones) return;
  for (auto &sec : FSections) std::erase_if(sec.Lines, IsTombstone);
  Reindex();
}

const std::vector<TIniSection> &TIniFile::Sections() const {
  Compact();
  return FSections;
}

std::vector<std::string> TIniFile::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(FSections.size());
  for (const auto &sec : FSections) names.push_back(sec.Name.str());
  return names;
}

std::size_t TIniFile::FindSectionPos(std::string_view section) const {
  const auto it = FIndex->SectionPos.find(section);
  return it == FIndex->SectionPos.end() ? npos : it->second;
}

std::size_t TIniFile::FindLinePos(std::size_t sectionPos, std::string_view key) const {
  if (sectionPos == npos || key.empty()) return npos;
  const auto &lines = FSections[sectionPos].Lines;
  // A few look-ups in a small section (the project's info) are not worth indexing the whole file.
  if (!FIndex->KeysBuilt && lines.size() <= 32) {
    for (std::size_t l = 0; l < lines.size(); ++l)
      if (CaseEqual(lines[l].Key, key)) return l;
    return npos;
  }
  EnsureKeyIndex();
  const std::uint32_t hash = SlotHash(sectionPos, key);
  std::size_t best = npos;
  // Every line of that key is in the probe run; the earliest live one is the first match.
  FIndex->Slots.ForEachOf(hash, [&](const Index::Slot &slot) {
    if (slot.Section == sectionPos && slot.Line < best && CaseEqual(lines[slot.Line].Key, key)) {
      best = slot.Line;
      if (!FIndex->HasDuplicates) return false; // the only live line of that key
    }
    return true;
  });
  return best;
}

bool TIniFile::SectionExists(std::string_view section) const {
  return FindSectionPos(section) != npos;
}

const TIniSection *TIniFile::FindSection(std::string_view section) const {
  Compact();
  const auto pos = FindSectionPos(section);
  return pos == npos ? nullptr : &FSections[pos];
}

std::vector<std::string> TIniFile::SectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  const auto pos = FindSectionPos(section);
  if (pos == npos) return keys;
  for (const auto &l : FSections[pos].Lines)
    if (!l.Key.empty()) keys.push_back(l.Key.str());
  return keys;
}

const TCompactText *TIniFile::FindValue(std::string_view section, std::string_view key) const {
  const auto sec = FindSectionPos(section);
  const auto line = FindLinePos(sec, key);
  return line == npos ? nullptr : &FSections[sec].Lines[line].Value;
}

std::ptrdiff_t TIniFile::FindLineIndex(std::string_view section, std::string_view key) const {
  Compact();
  const auto line = FindLinePos(FindSectionPos(section), key);
  return line == npos ? -1 : static_cast<std::ptrdiff_t>(line);
}

bool TIniFile::HasDuplicateKeys() const {
  EnsureKeyIndex();
  return FIndex->HasDuplicates;
}

std::vector<bool> TIniFile::SectionHasKeys(std::string_view section,
                                           const std::vector<std::string_view> &keys) const {
  std::vector<bool> has(keys.size(), false);
  const auto pos = FindSectionPos(section);
  if (pos == npos) return has;
  std::vector<TIniWrite> asWrites;
  asWrites.reserve(keys.size());
  for (const std::string_view key : keys) asWrites.push_back(TIniWrite{key, {}});
  const std::vector<std::size_t> at = FirstLinesOf(FSections[pos].Lines, asWrites);
  for (std::size_t i = 0; i < keys.size(); ++i) has[i] = at[i] != npos;
  return has;
}

bool TIniFile::KeyExists(std::string_view section, std::string_view key) const {
  return FindValue(section, key) != nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const TCompactText *v = FindValue(section, key);
  return std::string(v ? v->view() : def);
}

long long TIniFile::ReadInteger(std::string_view section, std::string_view key, long long def) const {
  const TCompactText *v = FindValue(section, key);
  if (!v || v->empty()) return def;
  std::string_view s = *v;
  bool negative = false;
  if (s.front() == '-' || s.front() == '+') {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.starts_with("$")) {
    base = 16;
    s.remove_prefix(1);
  } else if (s.starts_with("0x") || s.starts_with("0X")) {
    base = 16;
    s.remove_prefix(2);
  }
  long long value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return def;
  return negative ? -value : value;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::size_t TIniFile::EnsureSection(std::string_view section) {
  const auto pos = FindSectionPos(section);
  if (pos != npos) return pos;
  FSections.push_back(TIniSection{TCompactText(section), {}});
  FWhole.emplace_back();
  FStamp = NextStamp();
  FIndex->SectionPos.try_emplace(std::string(section), static_cast<std::uint32_t>(FSections.size() - 1));
  return FSections.size() - 1;
}

void TIniFile::AppendLine(std::size_t sectionPos, TIniLine line) {
  Touch(sectionPos);
  auto &lines = FSections[sectionPos].Lines;
  lines.push_back(std::move(line));
  if (FIndex->KeysBuilt && !lines.back().Key.empty()) FIndex->Insert(sectionPos, lines.size() - 1, lines);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (key.empty()) return; // an empty key could never be read back
  const auto sec = EnsureSection(section);
  const auto line = FindLinePos(sec, key);
  if (line != npos)
    SetLineValue(sec, FSections[sec].Lines[line], value);
  else
    AppendLine(sec, OwnLine(key, value));
}

void TIniFile::SetLineValue(std::size_t sectionPos, TIniLine &line, std::string_view value, bool held,
                            bool changed) {
  // The text the line holds already (mostly its very bytes, taken from this file): nothing to do.
  if (!changed && SameBytes(value, line.Value)) return;
  Touch(sectionPos);
  SetOneLine(line.Value, value, held);
}

void TIniFile::DeleteLine(std::size_t sectionPos, TIniLine &line) {
  Touch(sectionPos);
  // Leave a tombstone: erasing here would shift every later line and cost O(section) per delete.
  line.Key.clear();
  line.Value.clear();
  FIndex->HasTombstones = true;
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, long long value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
  const auto sec = FindSectionPos(section);
  const auto line = FindLinePos(sec, key);
  if (line != npos) DeleteLine(sec, FSections[sec].Lines[line]);
}

void TIniFile::EraseSection(std::string_view section) {
  const auto pos = FindSectionPos(section);
  if (pos == npos) return;
  FSections.erase(FSections.begin() + static_cast<std::ptrdiff_t>(pos));
  FWhole.erase(FWhole.begin() + static_cast<std::ptrdiff_t>(pos));
  FStamp = NextStamp();
  for (auto &sec : FSections) std::erase_if(sec.Lines, IsTombstone);
  Reindex();
}

void TIniFile::AppendRawLine(std::string_view section, std::string_view line) {
  TIniLine added = OwnLine({}, TrimControl(line));
  if (added.Value.empty()) return; // an empty line would vanish on reading anyway
  AppendLine(EnsureSection(section), std::move(added));
}

void TSectionKeySet::Reset(std::size_t expected) {
  FSlots.Reset(expected);
  FKeys.clear();
}

bool TSectionKeySet::Add(std::string_view key) {
  const TPositionSlot slot{IniNameHash(key), static_cast<uint32_t>(FKeys.size())};
  const bool added =
      FSlots.FindOrInsert(slot, [&](const TPositionSlot &other) { return SameIniName(FKeys[other.At], key); })
          .second;
  if (added) FKeys.push_back(key);
  return added;
}

namespace {

// Equality without ASCII case, eight bytes at a time: keys that differ mostly do so early.
inline bool SameKeyPiece(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  const auto sameWord = [&](std::size_t at) {
    std::uint64_t x, y;
    std::memcpy(&x, a.data() + at, 8);
    std::memcpy(&y, b.data() + at, 8);
    return x == y || LowerAsciiWord(x) == LowerAsciiWord(y);
  };
  if (n < 8) {
    for (std::size_t i = 0; i < n; ++i)
      if (a[i] != b[i] && LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
  }
  for (std::size_t i = 0; i + 8 < n; i += 8)
    if (!sameWord(i)) return false;
  return sameWord(n - 8); // the last eight bytes, overlapping the words before
}

// Whether the line's key is the write's Key followed by its KeyTail.
inline bool SameWriteKey(std::string_view lineKey, const TIniWrite &w) {
  if (lineKey.size() != w.Key.size() + w.KeyTail.size()) return false;
  if (w.KeyTail.empty()) return SameKeyPiece(lineKey, w.Key);
  return SameKeyPiece(lineKey.substr(0, w.Key.size()), w.Key) &&
         SameKeyPiece(lineKey.substr(w.Key.size()), w.KeyTail);
}

// The writes with each key joined from its pieces, in bytes that outlive the returned views.
std::vector<TIniWrite> JoinKeys(const std::vector<TIniWrite> &writes, std::string &bytes) {
  std::size_t size = 0;
  for (const TIniWrite &w : writes) size += w.Key.size() + w.KeyTail.size();
  bytes.clear();
  bytes.reserve(size); // no reallocation below: the views stay valid
  std::vector<TIniWrite> joined;
  joined.reserve(writes.size());
  for (const TIniWrite &w : writes) {
    const std::size_t from = bytes.size();
    bytes.append(w.Key).append(w.KeyTail);
    joined.push_back(TIniWrite{std::string_view(bytes).substr(from), w.Value, {}, w.Held, w.Changed});
  }
  return joined;
}

// The first line of each write's key in lines (npos when none), for distinct keys: a scan per key
// when that is little work, else one pass over the lines with the keys hashed.
std::vector<std::size_t> FirstLinesOf(const std::vector<TIniLine> &lines,
                                      const std::vector<TIniWrite> &writes) {
  constexpr std::size_t kScanBudget = std::size_t{1} << 14; // line comparisons
  constexpr std::size_t npos = static_cast<std::size_t>(-1);
  std::vector<std::size_t> at(writes.size(), npos);
  if (writes.size() * lines.size() <= kScanBudget) {
    for (std::size_t i = 0; i < writes.size(); ++i) {
      const std::string_view key = writes[i].Key;
      for (std::size_t l = 0; l < lines.size(); ++l)
        if (lines[l].Key.size() == key.size() && SameKeyPiece(lines[l].Key, key)) {
          at[i] = l;
          break;
        }
    }
    return at;
  }
  THashTable<TPositionSlot> keys;
  keys.Reset(writes.size());
  for (std::size_t i = 0; i < writes.size(); ++i)
    keys.Insert(TPositionSlot{IniNameHash(writes[i].Key), static_cast<std::uint32_t>(i)});
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const std::string_view key = lines[l].Key;
    if (key.empty()) continue;
    const TPositionSlot *slot = keys.Find(
        IniNameHash(key), [&](const TPositionSlot &s) { return SameIniName(writes[s.At].Key, key); });
    if (slot && at[slot->At] == npos) at[slot->At] = l;
  }
  return at;
}

} // namespace

void TIniFile::WriteValues(std::string_view section, const std::vector<TIniWrite> &writes,
                           bool keysDistinct) {
  TIniSectionWriter writer(*this, section, keysDistinct);
  for (const TIniWrite &w : writes) writer.Write(w);
  writer.Finish();
}

void TIniFile::ApplyWrite(std::size_t sectionPos, std::size_t linePos, const TIniWrite &write,
                          std::string_view section) {
  if (linePos != npos) {
    TIniLine &line = FSections[sectionPos].Lines[linePos];
    if (write.Value.empty())
      DeleteLine(sectionPos, line);
    else
      SetLineValue(sectionPos, line, write.Value, write.Held, write.Changed);
    return;
  }
  if (write.Value.empty()) return; // nothing to delete
  const std::size_t sec = sectionPos != npos ? sectionPos : EnsureSection(section);
  if (write.KeyTail.empty()) {
    AppendLine(sec, OwnLine(write.Key, write.Value, write.Held));
    return;
  }
  std::string key(write.Key);
  key.append(write.KeyTail);
  AppendLine(sec, OwnLine(key, write.Value, write.Held));
}

TIniSectionWriter::TIniSectionWriter(TIniFile &ini, std::string_view section, bool keysDistinct)
    : FIni(ini), FSection(section), FDistinct(keysDistinct), FSectionPos(ini.FindSectionPos(section)) {}

void TIniSectionWriter::Write(const TIniWrite &write) {
  if (write.Key.empty() && write.KeyTail.empty()) return; // an empty key is never written
  if (FDistinct && FSectionPos != TIniFile::npos) {
    // Keys are distinct, so the next keyed line, when it has this write's key, is the first line of
    // that key: every keyed line before it was taken by an earlier write of another key.
    auto &lines = FIni.FSections[FSectionPos].Lines;
    while (FNext < lines.size() && lines[FNext].Key.empty()) ++FNext;
    if (FNext < lines.size() && SameWriteKey(lines[FNext].Key, write)) {
      // The usual case, the text the line holds already, needs no call.
      if (write.Value.empty() || write.Changed || !SameBytes(write.Value, lines[FNext].Value))
        FIni.ApplyWrite(FSectionPos, FNext, write, FSection);
      ++FNext;
      return;
    }
  }
  FPending.push_back(write);
}

void TIniSectionWriter::Finish() {
  std::string bytes;
  if (!FDistinct) {
    // Keys that repeat (without case) act on each other's lines: done one by one.
    const std::vector<TIniWrite> writes = JoinKeys(FPending, bytes);
    FPending.clear();
    TSectionKeySet keys;
    keys.Reset(writes.size());
    bool distinct = true;
    for (const TIniWrite &w : writes)
      if (w.Key.empty() || !keys.Add(w.Key)) distinct = false;
    if (distinct) {
      FIni.WriteValues(FSection, writes, true);
      return;
    }
    for (const TIniWrite &w : writes) {
      if (w.Value.empty())
        FIni.DeleteKey(FSection, w.Key);
      else
        FIni.WriteString(FSection, w.Key, w.Value);
    }
    return;
  }
  // Every keyed line taken in turn: each was the only one of its key, and a key not met is absent.
  bool allTaken = true;
  if (FSectionPos != TIniFile::npos) {
    const auto &lines = FIni.FSections[FSectionPos].Lines;
    while (FNext < lines.size() && lines[FNext].Key.empty()) ++FNext;
    allTaken = FNext == lines.size();
  }
  FAllTaken = allTaken;
  if (allTaken) {
    for (const TIniWrite &w : FPending)
      if (!w.Value.empty()) FIni.ApplyWrite(FSectionPos, TIniFile::npos, w, FSection);
  } else {
    // The other keys are looked up whole; lines the walk took are of other keys.
    const std::vector<TIniWrite> joined = JoinKeys(FPending, bytes);
    if (FIni.FIndex->KeysBuilt) {
      for (std::size_t i = 0; i < joined.size(); ++i)
        FIni.ApplyWrite(FSectionPos, FIni.FindLinePos(FSectionPos, joined[i].Key), FPending[i], FSection);
    } else {
      // No key of the file is indexed yet (a file only read and written in order, or a few writes
      // into a large file): the first line of each key is found within this section alone, before
      // any write, which moves no other key's first line (keys are distinct, deleted lines stay
      // in place as tombstones, appended lines go to the end).
      const std::vector<std::size_t> at = FirstLinesOf(FIni.FSections[FSectionPos].Lines, joined);
      for (std::size_t i = 0; i < joined.size(); ++i)
        FIni.ApplyWrite(FSectionPos, at[i], FPending[i], FSection);
    }
  }
  FPending.clear();
}

} // namespace vt
