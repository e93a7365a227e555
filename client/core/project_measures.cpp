#include "project_measures.h"

#include "support/ascii_case.h"
#include "support/hash_table.h"
#include "support/text_codec.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace vt {

namespace {

struct TWordCount {
  std::string Text; // the form met first
  std::uint32_t Count = 0;
};

// Counts words without regard to ASCII case in one hashed table.
class TWordCounter {
public:
  void Add(std::string_view word) {
    const std::uint64_t hash = HashIgnoringAsciiCase(word);
    const TPositionSlot *slot = FTable.Find(
        hash, [&](const TPositionSlot &s) { return SameIgnoringAsciiCase(FWords[s.At].Text, word); });
    if (slot) {
      ++FWords[slot->At].Count;
      return;
    }
    FTable.Insert(TPositionSlot{hash, static_cast<std::uint32_t>(FWords.size())});
    FWords.push_back({std::string(word), 1});
  }
  const std::vector<TWordCount> &Words() const { return FWords; }

private:
  THashTable<TPositionSlot> FTable;
  std::vector<TWordCount> FWords;
};

// Splits the 8-bit text into words: a space ends a word (as do a backslash-n pair, "|" and CR, which
// stand for spaces); bytes below 32 vanish without ending the word.
void SplitWords(std::string_view text, std::string &word, TWordCounter &counter) {
  const auto flush = [&] {
    if (!word.empty()) counter.Add(word);
    word.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      ++i;
      flush();
    } else if (c == ' ' || c == '|' || c == '\r') {
      flush();
    } else if (c > 32) {
      word.push_back(static_cast<char>(c));
    }
  }
  flush();
}

bool LessIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

std::uint32_t ReadLittle32(const unsigned char *p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

} // namespace

std::string WordFrequencyList(std::span<TWordObj *const> list) {
  TWordCounter counter;
  std::string word;
  for (const TWordObj *entry : list) {
    if (entry->Hidden) continue;
    SplitWords(Utf16ToCp1252(entry->SourceText()), word, counter);
  }
  std::vector<std::string> lines;
  lines.reserve(counter.Words().size());
  for (const TWordCount &w : counter.Words()) lines.push_back(std::to_string(w.Count) + '\t' + w.Text);
  std::stable_sort(lines.begin(), lines.end(), LessIgnoringAsciiCase);
  std::string out;
  for (const std::string &line : lines) out.append(line).append("\r\n");
  return out;
}

TProjectStatistics ProjectStatistics(const TWordList &project) {
  TProjectStatistics stats;
  for (const TWordObj *entry : project.Items) {
    if (entry->Hidden) continue;
    stats.RawChars += entry->Source().size();
    stats.LngChars += entry->Translation.size();
  }
  return stats;
}

std::string StatisticsCaption(const TProjectStatistics &stats) {
  return std::to_string(stats.RawChars) + " raw chars ,   " + std::to_string(stats.LngChars) + " lng chars";
}

std::string DumpRawStrings(std::span<TWordObj *const> list) {
  std::string out;
  for (const TWordObj *entry : list) {
    if (entry->Hidden || entry->Source().empty()) continue;
    out.append(entry->Source()).append("\r\n");
  }
  return out;
}

std::uint32_t MurmurHash2(std::string_view bytes, std::uint32_t seed) {
  constexpr std::uint32_t m = 0x5BD1E995;
  constexpr int r = 24;
  const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
  std::size_t len = bytes.size();
  std::uint32_t h = seed ^ static_cast<std::uint32_t>(len);
  while (len >= 4) {
    std::uint32_t k = ReadLittle32(data);
    k *= m;
    k ^= k >> r;
    k *= m;
    h *= m;
    h ^= k;
    data += 4;
    len -= 4;
  }
  switch (len) {
  case 3:
    h ^= std::uint32_t{data[2]} << 16;
    [[fallthrough]];
  case 2:
    h ^= std::uint32_t{data[1]} << 8;
    [[fallthrough]];
  case 1:
    h ^= std::uint32_t{data[0]};
    h *= m;
    break;
  default:
    break;
  }
  h ^= h >> 13;
  h *= m;
  h ^= h >> 15;
  return h;
}

std::string InvalidIntegerText(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid integer value";
}

std::optional<std::uint32_t> HashSeedFromText(std::string_view text, std::string *error) {
  std::string_view digits = text;
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::int64_t value = 0;
  const char *end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || ec != std::errc() || ptr != end || value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    if (error) *error = InvalidIntegerText(text);
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(value) + kHashSeedBase;
}

std::string HashText(std::uint32_t hash) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out(8, '0');
  for (int i = 7; i >= 0; --i, hash >>= 4) out[static_cast<std::size_t>(i)] = kDigits[hash & 15];
  return out;
}

THashTestResult HashCollisionTest(std::span<TWordObj *const> list, std::uint32_t seed,
                                  const std::function<void(const TWordObj &, std::uint32_t)> &each) {
  THashTestResult result;
  THashTable<TPositionSlot> seen(list.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TWordObj *entry = list[i];
    if (entry->Hidden || entry->Source().empty()) continue;
    const std::uint32_t hash = MurmurHash2(entry->Source(), seed);
    ++result.Hashed;
    if (each) each(*entry, hash);
    // Equal hashes are equal keys: any slot found is the earlier entry.
    if (const TPositionSlot *slot = seen.Find(hash, [](const TPositionSlot &) { return true; })) {
      result.Collision = true;
      result.Hash = hash;
      result.First = list[slot->At];
      result.Second = entry;
      return result;
    }
    seen.Insert(TPositionSlot{hash, static_cast<std::uint32_t>(i)});
  }
  return result;
}

} // namespace vt
