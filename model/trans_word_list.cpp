#include "trans_word_list.h"

#include "support/ascii_case.h"
#include "support/file_io.h"

#include <algorithm>

namespace vt {

namespace {

// Word lists are exports of whole projects; anything larger is not one.
constexpr std::size_t kMaxWordListBytes = std::size_t{1} << 30;

// The file parser: one pending source, paired with at most one following "L=" line.
class TWordListParser {
public:
  explicit TWordListParser(TTransWordList &list) : FList(list) {}

  void Line(std::string_view line) {
    if (line.size() < 2 || line[0] == ';') return;
    if (line[1] != '=') {
      FPending.clear();
      return;
    }
    const std::string_view rest = line.substr(2);
    if (line[0] == 'R') {
      FPending.assign(rest);
    } else if (line[0] == 'L') {
      if (!FPending.empty() && !rest.empty()) FList.Add(TTransWordList::NewWord(FPending, std::string(rest)));
      FPending.clear();
    }
  }

private:
  TTransWordList &FList;
  std::string FPending;
};

} // namespace

bool TTransWordList::Add(std::unique_ptr<TTransWord> word) {
  if (!word) return false;
  const TPositionSlot slot{HashIgnoringAsciiCase(word->Source), static_cast<std::uint32_t>(FWords.size())};
  const bool added =
      FIndex.FindOrInsert(slot, [&](const TPositionSlot &s) { return FWords[s.At].Source == word->Source; })
          .second;
  if (added) FWords.push_back(std::move(*word));
  return added;
}

std::unique_ptr<TTransWord> TTransWordList::NewWord(std::string source, std::string translation) {
  auto word = std::make_unique<TTransWord>();
  word->Source = std::move(source);
  word->Translation = std::move(translation);
  return word;
}

const TTransWord *TTransWordList::Find(std::string_view source) const {
  if (source.empty()) return nullptr;
  const TPositionSlot *slot = FIndex.Find(
      HashIgnoringAsciiCase(source), [&](const TPositionSlot &s) { return FWords[s.At].Source == source; });
  return slot ? &FWords[slot->At] : nullptr;
}

const TTransWord *TTransWordList::GetItem(std::size_t pos) const {
  return pos < FWords.size() ? &FWords[pos] : nullptr;
}

void TTransWordList::LoadFromLines(const std::vector<std::string> &lines) {
  TWordListParser parser(*this);
  for (const std::string &line : lines) parser.Line(line);
}

void TTransWordList::LoadFromBytes(std::string_view bytes) {
  // A pair takes three lines as written: room for that many words saves regrowing a large list.
  const auto lines = static_cast<std::size_t>(
      std::max(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r')));
  FWords.reserve(FWords.size() + lines / 3 + 1);
  FIndex.Reserve(FWords.capacity());
  TWordListParser parser(*this);
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
    parser.Line(bytes.substr(at, end - at));
    at = end;
    if (at < bytes.size() && bytes[at] == '\r') ++at;
    if (at < bytes.size() && bytes[at] == '\n') ++at;
  }
}

bool TTransWordList::LoadFromFile(const std::string &path, std::string *error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error, kMaxWordListBytes)) return false;
  LoadFromBytes(bytes);
  return true;
}

} // namespace vt
