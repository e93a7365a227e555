#pragma once
// The ini dialect shared by every ini file of the system: whole file in memory, lines trimmed of
// bytes <= 32, ";" comments and empty lines skipped, "[name]" opens a section, key=value lines
// trimmed on both sides of the first "=", lines without "=" kept with an empty key. Section names and
// keys are looked up case-insensitively (ASCII) through hash indexes; the first match wins. Writing
// emits "[name]", the lines, one empty line per section, CR LF line ends.
//
// A file read keeps its bytes once, in one buffer of its own that never changes; section names,
// keys and values are views into it. Only what is written or appended later owns its text. The
// buffer is shared (Bytes) so that texts taken from the file can outlive the ini object. Written
// texts share the blocks of a store of the file's own, within a bound.
//
// Saving takes each section that is still as read, and whose bytes in the buffer are already the
// normal form, as one piece of the buffer; only the other sections are composed line by line.
#include "compact_text.h"
#include "support/hash_table.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct TIniLine {
  TCompactText Key;   // empty for a line without "="
  TCompactText Value; // the value, or the whole line when Key is empty
};

struct TIniSection {
  TCompactText Name;
  std::vector<TIniLine> Lines;
};

// Key and section name equality of the dialect: ASCII letters compare without case.
bool SameIniName(std::string_view a, std::string_view b);
// A hash that agrees with SameIniName: equal names hash alike.
std::uint64_t IniNameHash(std::string_view name);

// The keys met so far in one section, without case: tells the first line of each key from repeats.
class TSectionKeySet {
public:
  void Reset(std::size_t expected);
  // True when key was not met since Reset (the line is the first of its key).
  bool Add(std::string_view key);

private:
  THashTable<TPositionSlot> FSlots; // positions in FKeys
  std::vector<std::string_view> FKeys;
};

// One write of a batch: a non-empty Value replaces or appends the key, an empty one deletes it.
// The key is Key followed by KeyTail ("Name.Kind" and "_?"): the two are matched against the lines
// piece by piece and joined only for a line that is appended or looked up by hash.
struct TIniWrite {
  std::string_view Key;
  std::string_view Value;
  std::string_view KeyTail = {};
  // Value's bytes are kept alive, unchanged, by a store the file holds (HoldStore): the line
  // takes them as they are instead of a copy.
  bool Held = false;
  // The caller changed the value since the file last held it: it is written without being
  // compared with the line's (one changed back is written all the same, to the same bytes).
  bool Changed = false;
};

class TIniFile;

// The writes of one batch into one section made one at a time, for a caller that walks its own
// records in about the order of the section's lines (no list of writes is built). A write whose key
// is that of the next keyed line changes the line at once; the others wait for Finish, which looks
// them up or appends them. The result is that of WriteValues with the same writes. The texts
// written (keys and values) must stay alive and unchanged until Finish.
class TIniSectionWriter {
public:
  // keysDistinct: the caller knows that no two writes share a key (without case).
  TIniSectionWriter(TIniFile &ini, std::string_view section, bool keysDistinct);
  void Write(const TIniWrite &write);
  void Finish();
  // After Finish: every keyed line of the section was taken in turn by a write (or there is no
  // such section), so no key repeats there.
  bool AllLinesTaken() const noexcept { return FAllTaken; }

private:
  TIniFile &FIni;
  std::string_view FSection;
  bool FDistinct;
  std::size_t FSectionPos;
  std::size_t FNext = 0;           // the line the next write is compared with
  std::vector<TIniWrite> FPending; // writes whose line was not met in turn (all, keys not distinct)
  bool FAllTaken = false;
};

class TIniFile {
public:
  TIniFile();
  explicit TIniFile(std::string fileName);
  ~TIniFile();
  TIniFile(TIniFile &&) noexcept;
  TIniFile &operator=(TIniFile &&) noexcept;

  const std::string &FileName() const noexcept { return FFileName; }
  void SetFileName(std::string fileName) { FFileName = std::move(fileName); }

  // Files larger than this are refused rather than read into memory.
  static constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;

  // Reads FileName (or path) whole; false with a message when it cannot be read or is too large.
  bool Load(std::string *error = nullptr);
  // skipBom: a UTF-8 byte-order mark at the start is no part of the text (the project's files); it
  // stays in the buffer, which is the file as read.
  bool LoadFromFile(const std::string &path, std::string *error = nullptr, bool skipBom = false);
  // Takes a copy of bytes as the file's buffer.
  void LoadFromBytes(std::string_view bytes);
  // Writes the dialect's normal form atomically to FileName (or path).
  bool Save(std::string *error = nullptr) const;
  bool SaveToFile(const std::string &path, std::string *error = nullptr) const;
  std::string ToBytes() const;
  // The same bytes composed line by line, never taken whole from the buffer: the plain form that
  // Save and ToBytes are checked against.
  std::string ComposedBytes() const;
  void Clear();

  // Changes whenever the file's content may have changed (a read, a write, a delete, an append, a
  // section erased): a number taken from one counter of the whole program, so that no two files
  // and no two states of one file share it. Owners that keep the file in step with their own data
  // compare it to tell whether anyone else wrote since.
  std::uint64_t ChangeStamp() const noexcept { return FStamp; }

  // The bytes of the file as read (never changed; none before a read). The texts of sections and
  // lines that are views (TCompactText::IsView) point into it.
  const std::shared_ptr<const std::string> &Bytes() const noexcept { return FBytes; }

  // Sections in file order (deleted lines already gone).
  const std::vector<TIniSection> &Sections() const;
  std::vector<std::string> SectionNames() const;
  bool SectionExists(std::string_view section) const;
  // The first section of that name, or none.
  const TIniSection *FindSection(std::string_view section) const;
  // Non-empty keys of the section in line order.
  std::vector<std::string> SectionKeys(std::string_view section) const;

  // The value of the first matching key, or none.
  const TCompactText *FindValue(std::string_view section, std::string_view key) const;
  bool KeyExists(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def = {}) const;
  long long ReadInteger(std::string_view section, std::string_view key, long long def = 0) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def = false) const;

  // Position of the first matching key's line in FindSection(section)->Lines, or -1.
  std::ptrdiff_t FindLineIndex(std::string_view section, std::string_view key) const;
  // Whether some section holds a key twice (only the first is ever found).
  bool HasDuplicateKeys() const;
  // For each of the keys (distinct), whether the first section of that name has a line of it;
  // found within that section alone, no index of the file's keys needed.
  std::vector<bool> SectionHasKeys(std::string_view section, const std::vector<std::string_view> &keys) const;

  // Replaces the line of an existing key where it stands, or appends key=value at the end of the
  // section; a missing section is appended at the end of the file.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, long long value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void DeleteKey(std::string_view section, std::string_view key);
  // The same as WriteString / DeleteKey for each write in turn. When the section's lines follow the
  // order of the writes, no key is hashed; a value equal to the text its line holds already
  // (an unchanged text taken from this file) is not copied.
  // keysDistinct: the caller knows that no two writes share a key (without case), which spares
  // hashing them.
  void WriteValues(std::string_view section, const std::vector<TIniWrite> &writes, bool keysDistinct = false);
  void EraseSection(std::string_view section);
  // Keeps store alive for as long as the file's lines may view its bytes (writes marked Held),
  // until the file is read again or cleared.
  void HoldStore(TTextStore &store);
  // Appends a line without "=" (kept with an empty key) to the section, creating it when missing.
  void AppendRawLine(std::string_view section, std::string_view line);

private:
  friend class TIniSectionWriter;
  struct Index;
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  void Parse(std::size_t from = 0);
  // wholeSections: a section still as read whose bytes are its normal form goes as one piece.
  template <class Put> void Emit(Put &&put, bool wholeSections) const;
  // changed: the caller knows value to differ (see TIniWrite::Changed).
  void SetLineValue(std::size_t sectionPos, TIniLine &line, std::string_view value, bool held = false,
                    bool changed = false);
  // Texts written or appended are the file's own: held in FKept, or copies of their own.
  void SetOwnText(TCompactText &target, std::string_view text);
  void SetOneLine(TCompactText &target, std::string_view value, bool held = false);
  TIniLine OwnLine(std::string_view key, std::string_view value, bool held = false);
  // Applies a write to its line, found or not (npos).
  void ApplyWrite(std::size_t sectionPos, std::size_t linePos, const TIniWrite &write,
                  std::string_view section);
  void DeleteLine(std::size_t sectionPos, TIniLine &line);
  // The section's lines changed: it is composed from now on, and the file has a new stamp.
  void Touch(std::size_t sectionPos);
  std::size_t FindSectionPos(std::string_view section) const;
  std::size_t FindLinePos(std::size_t sectionPos, std::string_view key) const;
  std::size_t EnsureSection(std::string_view section);
  void AppendLine(std::size_t sectionPos, TIniLine line);
  // Removes deleted lines (kept as empty tombstones so deletes stay O(1)) and rebuilds the indexes.
  void Compact() const;
  void Reindex() const;
  void EnsureKeyIndex() const;

  // Where a section stands in the buffer when those bytes are exactly what saving would compose
  // for it; Begin is null for a section that must be composed.
  struct TSectionBytes {
    const char *Begin = nullptr;
    const char *End = nullptr;
  };

  struct TStoreRelease {
    void operator()(TTextStore *store) const noexcept;
  };

  std::string FFileName;
  std::shared_ptr<const std::string> FBytes;
  std::unique_ptr<TTextStore, TStoreRelease> FKept; // texts written since the file was read
  std::vector<std::unique_ptr<TTextStore, TStoreRelease>> FHeldStores; // see HoldStore
  mutable std::vector<TIniSection> FSections;
  std::vector<TSectionBytes> FWhole; // one per section of FSections
  std::uint64_t FStamp;
  std::unique_ptr<Index> FIndex;
};

} // namespace vt
