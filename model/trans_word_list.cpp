#include "trans_word_list.h"

#include "support/byte_words.h"
#include "support/file_io.h"

#include <algorithm>
#include <array>
#include <bit>
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

// The hash of a source. Look-ups compare sources exactly, so any hash of the bytes will do: this
// one takes sixteen bytes a step, two words folded by one wide multiply, as sources are hashed
// by the million.
std::uint64_t Read8(const char *at) {
  std::uint64_t w;
  std::memcpy(&w, at, sizeof w);
  return w;
}
__extension__ using TWide = unsigned __int128;
std::uint64_t Fold(std::uint64_t a, std::uint64_t b) {
  const TWide product = static_cast<TWide>(a) * b;
  return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}
std::uint64_t SourceHash(std::string_view source) {
  constexpr std::uint64_t kA = 0xA0761D6478BD642FULL, kB = 0xE7037ED1A0B428DBULL, kC = 0x8EBC6AF09C88C6E3ULL;
  const char *at = source.data();
  std::size_t n = source.size();
  std::uint64_t h = kA ^ n;
  for (; n > 16; n -= 16, at += 16) h = Fold(Read8(at) ^ kB, Read8(at + 8) ^ h);
  std::uint64_t a = 0, b = 0;
  if (n > 8) {
    a = Read8(at);
    b = Read8(at + n - 8);
  } else if (n >= 4) {
    std::uint32_t x, y;
    std::memcpy(&x, at, 4);
    std::memcpy(&y, at + n - 4, 4);
    a = x;
    b = y;
  } else if (n > 0) {
    a = (static_cast<std::uint64_t>(static_cast<unsigned char>(at[0])) << 16) |
        (static_cast<std::uint64_t>(static_cast<unsigned char>(at[n / 2])) << 8) |
        static_cast<unsigned char>(at[n - 1]);
  }
  return Fold(a ^ kB ^ h, b ^ kC);
}

} // namespace

bool TTransWordList::AddPair(std::string_view source, std::string_view translation) {
  return AddHashed(SourceHash(source), source, translation, true);
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
  return source.empty() ? nullptr : FindHashed(SourceHash(source), source);
}

const TTransWord *TTransWordList::FindHashed(std::uint64_t hash, std::string_view source) const {
  const TPositionSlot *slot =
      FIndex.Find(hash, [&](const TPositionSlot &s) { return FWords[s.At].Source == source; });
  return slot ? &FWords[slot->At] : nullptr;
}

void TTransWordList::FindAll(std::span<const std::string_view> sources,
                             std::span<const TTransWord *> found) const {
  // Two steps ahead of the look-up: the slot of source i + 2d is fetched, then the word of i + d.
  // Sources are hashed a block at a time, so that a caller passing blocks keeps what each look-up
  // read in the cache.
  constexpr std::size_t kAhead = 8, kBlock = 1024;
  const std::size_t n = std::min(sources.size(), found.size());
  std::array<std::uint64_t, kBlock + 2 * kAhead> hashes;
  for (std::size_t from = 0; from < n; from += kBlock) {
    const std::size_t to = std::min(n, from + kBlock), ahead = std::min(n, to + 2 * kAhead);
    for (std::size_t i = from; i < ahead; ++i) hashes[i - from] = SourceHash(sources[i]);
    const auto slotOf = [&](std::size_t i) {
      return sources[i].empty() ? nullptr : FIndex.Find(hashes[i - from], [&](const TPositionSlot &s) {
        return FWords[s.At].Source.size() == sources[i].size();
      });
    };
    for (std::size_t i = from; i < to; ++i) {
      if (i + 2 * kAhead < ahead) FIndex.Prefetch(hashes[i + 2 * kAhead - from]);
      if (i + kAhead < ahead)
        if (const TPositionSlot *s = slotOf(i + kAhead)) {
          __builtin_prefetch(&FWords[s->At]);
          __builtin_prefetch(FWords[s->At].Source.data());
        }
      found[i] = sources[i].empty() ? nullptr : FindHashed(hashes[i - from], sources[i]);
    }
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
  // The pairs are parsed in place at the end of FWords, each source hashed while its bytes are at
  // hand; then they go into the index in turn with the slots of later ones fetched ahead, so the
  // memory waits overlap, and a pair whose source is present already is dropped.
  const std::size_t first = FWords.size();
  // A pair takes at least three short lines: room for a typical list, regrown for one of tiny pairs.
  FWords.reserve(first + bytes.size() / 24 + 1);
  std::vector<std::uint64_t> hashes;
  hashes.reserve(bytes.size() / 24 + 1);
  TWordListParser parser([&](std::string_view source, std::string_view translation) {
    FWords.push_back(TTransWord{source, translation});
    hashes.push_back(SourceHash(source));
  });
  const char *at = bytes.data();
  const char *const end = at + bytes.size();
  while (at < end) {
    const char *lineEnd = FindLineBreak(at, end);
    parser.Line(std::string_view(at, static_cast<std::size_t>(lineEnd - at)));
    at = lineEnd;
    if (at < end && *at == '\r') ++at;
    if (at < end && *at == '\n') ++at;
  }
  FIndex.Reserve(FWords.size());
  constexpr std::size_t kAhead = 8;
  const std::size_t parsed = hashes.size();
  std::size_t kept = first;
  for (std::size_t i = 0; i < parsed; ++i) {
    if (i + kAhead < parsed) FIndex.Prefetch(hashes[i + kAhead]);
    const TTransWord word = FWords[first + i];
    const TPositionSlot slot{hashes[i], static_cast<std::uint32_t>(kept)};
    if (FIndex.FindOrInsert(slot, [&](const TPositionSlot &s) { return FWords[s.At].Source == word.Source; })
            .second)
      FWords[kept++] = word;
  }
  FWords.resize(kept);
}

bool TTransWordList::LoadFromFile(const std::string &path, std::string *error) {
  TFileBytes bytes;
  if (!ReadFileBytes(path, bytes, error, kMaxWordListBytes)) return false;
  FFiles.push_back(std::move(bytes));
  LoadHeldBytes(FFiles.back().View());
  return true;
}

} // namespace vt
