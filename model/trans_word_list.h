#pragma once
// A dictionary from stored source text to stored translation, and the word list file format
// ("R=" source, "L=" translation, empty separator lines, ";" comments).
#include "support/hash_table.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

class TTransWord {
public:
  std::string Source;
  std::string Translation;
};

class TTransWordList {
public:
  // Inserts the word; when its source is already present the word is dropped instead.
  // Returns whether it was added.
  bool Add(std::unique_ptr<TTransWord> word);
  // The same without making a word first: the texts are copied only when the source is new.
  bool AddPair(std::string_view source, std::string_view translation);
  static std::unique_ptr<TTransWord> NewWord(std::string source, std::string translation);
  // The word found is valid until the next Add.
  const TTransWord *Find(std::string_view source) const;
  // Find for many sources at once (found[i] for sources[i]), faster on long lists than one by one.
  void FindAll(std::span<const std::string_view> sources, std::span<const TTransWord *> found) const;
  const TTransWord *GetItem(std::size_t pos) const;
  std::size_t Count() const noexcept { return FWords.size(); }
  void LoadFromLines(const std::vector<std::string> &lines);
  // Splits file bytes into lines (CR, LF or CR LF) and parses them.
  void LoadFromBytes(std::string_view bytes);
  bool LoadFromFile(const std::string &path, std::string *error = nullptr);

private:
  // Held in place (a look-up reads one word, not a pointer to it); a word found stays valid until
  // the next Add.
  std::vector<TTransWord> FWords;
  // Source to position in FWords; a project-sized list is looked up once per entry.
  THashTable<TPositionSlot> FIndex;
};

} // namespace vt
