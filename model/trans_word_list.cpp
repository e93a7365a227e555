#include "trans_word_list.h"

#include "support/ascii_case.h"
#include "support/file_io.h"

#include <algorithm>

namespace vt {

namespace {

// Word lists are exports of whole projects; anything larger is not one.
constexpr std::size_t kMaxWordListBytes = std::size_t{1} << 30;

// The file parser: one pending source, paired with at most one following "L=" line. The lines
// outlive the parse, so the pending source is a view of its line.
template <class Sink> class TWordListParser {
public:
  explicit TWordListParser(Sink sink) : FSink(std::move(sink)) {}

  void Line(std::string_view line) {
    if (line.size() < 2 || line[0] == ';') return;
    if (line[1] != '=') {
      FPending = {};
      return;
    }
    const std::string_view rest = line.substr(2);
    if (line[0] == 'R') {
      FPending = rest;
    } else if (line[0] == 'L') {
      if (!FPending.empty() && !rest.empty()) FSink(FPending, rest);
      FPending = {};
    }
  }

private:
  Sink FSink;
  std::string_view FPending;
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

bool TTransWordList::AddPair(std::string_view source, std::string_view translation) {
  const TPositionSlot slot{HashIgnoringAsciiCase(source), static_cast<std::uint32_t>(FWords.size())};
  const bool added =
      FIndex.FindOrInsert(slot, [&](const TPositionSlot &s) { return FWords[s.At].Source == source; }).second;
  if (added) FWords.push_back(TTransWord{std::string(source), std::string(translation)});
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

void TTransWordList::FindAll(std::span<const std::string_view> sources,
                             std::span<const TTransWord *> found) const {
  // Two steps ahead of the look-up: the slot of source i + 2d is fetched, then the word of i + d.
  constexpr std::size_t kAhead = 8;
  const std::size_t n = std::min(sources.size(), found.size());
  std::vector<std::uint64_t> hashes(n);
  for (std::size_t i = 0; i < n; ++i) hashes[i] = HashIgnoringAsciiCase(sources[i]);
  const auto slotOf = [&](std::size_t i) {
    return sources[i].empty() ? nullptr : FIndex.Find(hashes[i], [&](const TPositionSlot &s) {
      return FWords[s.At].Source.size() == sources[i].size();
    });
  };
  for (std::size_t i = 0; i < n; ++i) {
    if (i + 2 * kAhead < n) FIndex.Prefetch(hashes[i + 2 * kAhead]);
    if (i + kAhead < n)
      if (const TPositionSlot *s = slotOf(i + kAhead)) {
        __builtin_prefetch(&FWords[s->At]);
        __builtin_prefetch(FWords[s->At].Source.data());
      }
    found[i] = Find(sources[i]);
  }
}

const TTransWord *TTransWordList::GetItem(std::size_t pos) const {
  return pos < FWords.size() ? &FWords[pos] : nullptr;
}

void TTransWordList::LoadFromLines(const std::vector<std::string> &lines) {
  TWordListParser parser(
      [this](std::string_view source, std::string_view translation) { AddPair(source, translation); });
  for (const std::string &line : lines) parser.Line(line);
}

void TTransWordList::LoadFromBytes(std::string_view bytes) {
  // A pair takes three lines as written: room for that many words saves regrowing a large list.
  const auto lines = static_cast<std::size_t>(
      std::max(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r')));
  std::vector<std::pair<std::string_view, std::string_view>> pairs;
  pairs.reserve(lines / 3 + 1);
  TWordListParser parser([&pairs](std::string_view source, std::string_view translation) {
    pairs.emplace_back(source, translation);
  });
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = at;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    parser.Line(bytes.substr(at, end - at));
    at = end;
    if (at < bytes.size() && bytes[at] == '\r') ++at;
    if (at < bytes.size() && bytes[at] == '\n') ++at;
  }
  // The pairs go in with the slots of later ones fetched ahead, so the memory waits overlap.
  FWords.reserve(FWords.size() + pairs.size());
  FIndex.Reserve(FWords.capacity());
  constexpr std::size_t kAhead = 8;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (i + kAhead < pairs.size()) FIndex.Prefetch(HashIgnoringAsciiCase(pairs[i + kAhead].first));
    AddPair(pairs[i].first, pairs[i].second);
  }
}

bool TTransWordList::LoadFromFile(const std::string &path, std::string *error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error, kMaxWordListBytes)) return false;
  LoadFromBytes(bytes);
  return true;
}

} // namespace vt
