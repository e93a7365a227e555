#pragma once
// A dictionary from stored source text to stored translation, and the word list file format
// ("R=" source, "L=" translation, empty separator lines, ";" comments).
#include "support/file_io.h"
#include "support/hash_table.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// A pair as the list holds it: views of texts the list keeps for as long as it lives.
class TTransWord {
public:
  std::string_view Source;
  std::string_view Translation;
};

class TTransWordList {
public:
  // Inserts the pair; when its source is already present the pair is dropped instead. Returns
  // whether it was added; the texts are copied only then.
  bool AddPair(std::string_view source, std::string_view translation);
  // The word found is valid until the next Add.
  const TTransWord *Find(std::string_view source) const;
  // Find for many sources at once (found[i] for sources[i]), faster on long lists than one by one.
  void FindAll(std::span<const std::string_view> sources, std::span<const TTransWord *> found) const;
  const TTransWord *GetItem(std::size_t pos) const;
  std::size_t Count() const noexcept { return FWords.size(); }
  void LoadFromLines(const std::vector<std::string> &lines);
  // Splits file bytes into lines (CR, LF or CR LF) and parses them; the list keeps one copy of the
  // bytes and its pairs are views of it.
  void LoadFromBytes(std::string_view bytes);
  bool LoadFromFile(const std::string &path, std::string *error = nullptr);

private:
  // Adds the pair; `keep` copies its texts into the list's own store first.
  bool AddHashed(std::uint64_t hash, std::string_view source, std::string_view translation, bool keep);
  std::string_view Keep(std::string_view text);
  // Parses bytes the list already holds.
  void LoadHeldBytes(std::string_view bytes);
  const TTransWord *FindHashed(std::uint64_t hash, std::string_view source) const;
  // Held in place (a look-up reads one word, not a pointer to it); a word found stays valid until
  // the next Add.
  std::vector<TTransWord> FWords;
  // Source to position in FWords; a project-sized list is looked up once per entry.
  THashTable<TPositionSlot> FIndex;
  // The texts the words view: files read, bytes given and blocks of added texts. Each string is
  // filled only within its capacity, so texts never move.
  std::vector<TFileBytes> FFiles;
  std::vector<std::unique_ptr<std::string>> FTexts;
};

} // namespace vt
