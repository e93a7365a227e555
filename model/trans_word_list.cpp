#include "trans_word_list.h"

#include "support/ascii_case.h"
#include "support/file_io.h"

#include <algorithm>
#include <cstring>

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

bool TTransWordList::AddPair(std::string_view source, std::string_view translation) {
  return AddHashed(HashIgnoringAsciiCase(source), source, translation, true);
}

bool TTransWordList::AddHashed(std::uint64_t hash, std::string_view source, std::string_view translation,
                               bool keep) {
  const TPositionSlot slot{hash, static_cast<std::uint32_t>(FWords.size())};
  const bool added =
      FIndex.FindOrInsert(slot, [&](const TPositionSlot &s) { return FWords[s.At].Source == source; }).second;
  if (added)
    FWords.push_back(keep ? TTransWord{Keep(source), Keep(translation)} : TTransWord{source, translation});
  return added;
}

std::string_view TTransWordList::Keep(std::string_view text) {
  constexpr std::size_t kBlock = 64 * 1024;
  std::string *block = FTexts.empty() ? nullptr : FTexts.back().get();
  if (!block || block->capacity() - block->size() < text.size()) {
    FTexts.push_back(std::make_unique<std::string>());
    block = FTexts.back().get();
    block->reserve(std::max(kBlock, text.size()));
  }
  const std::size_t at = block->size();
  block->append(text);
  return std::string_view(*block).substr(at, text.size());
}

const TTransWord *TTransWordList::Find(std::string_view source) const {
  return source.empty() ? nullptr : FindHashed(HashIgnoringAsciiCase(source), source);
}

const TTransWord *TTransWordList::FindHashed(std::uint64_t hash, std::string_view source) const {
  const TPositionSlot *slot =
      FIndex.Find(hash, [&](const TPositionSlot &s) { return FWords[s.At].Source == source; });
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
    found[i] = sources[i].empty() ? nullptr : FindHashed(hashes[i], sources[i]);
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
  FTexts.push_back(std::make_unique<std::string>(bytes));
  LoadHeldBytes(*FTexts.back());
}

void TTransWordList::LoadHeldBytes(std::string_view bytes) {
  // A pair takes three lines as written: room for that many words saves regrowing a large list.
  std::size_t lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  if (lines == 0) lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r'));
  struct TPair {
    std::string_view Source, Translation;
    std::uint64_t Hash;
  };
  std::vector<TPair> pairs;
  pairs.reserve(lines / 3 + 1);
  TWordListParser parser([&pairs](std::string_view source, std::string_view translation) {
    pairs.push_back({source, translation, HashIgnoringAsciiCase(source)});
  });
  // Lines end at LF, CR LF or a lone CR: the next LF is searched for, then a CR before it.
  const char *at = bytes.data();
  const char *const end = at + bytes.size();
  while (at < end) {
    const auto *lf = static_cast<const char *>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
    const char *lineEnd = lf ? lf : end;
    const auto *cr = static_cast<const char *>(std::memchr(at, '\r', static_cast<std::size_t>(lineEnd - at)));
    if (cr) lineEnd = cr;
    parser.Line(std::string_view(at, static_cast<std::size_t>(lineEnd - at)));
    at = lineEnd;
    if (at < end && *at == '\r') ++at;
    if (at < end && *at == '\n') ++at;
  }
  // The pairs go in with the slots of later ones fetched ahead, so the memory waits overlap.
  FWords.reserve(FWords.size() + pairs.size());
  FIndex.Reserve(FWords.capacity());
  constexpr std::size_t kAhead = 8;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (i + kAhead < pairs.size()) FIndex.Prefetch(pairs[i + kAhead].Hash);
    AddHashed(pairs[i].Hash, pairs[i].Source, pairs[i].Translation, false);
  }
}

bool TTransWordList::LoadFromFile(const std::string &path, std::string *error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error, kMaxWordListBytes)) return false;
  FTexts.push_back(std::make_unique<std::string>(std::move(bytes)));
  LoadHeldBytes(*FTexts.back());
  return true;
}

} // namespace vt
