#pragma once
// The values of one ini section by key (ASCII case ignored, the first line of a key wins), for
// look-ups confined to one section of a large file: the file's own key index covers every section.
// The values are those of the file as it is; the file must not change while the look-up is used.
#include "model/ini_file.h"
#include "support/ascii_case.h"

#include <string_view>
#include <unordered_map>

namespace vt {

// Hash and equality of keys without regard to ASCII case, as the ini dialect compares them.
struct TIniKeyHash {
  std::size_t operator()(std::string_view s) const noexcept { return HashIgnoringAsciiCase(s); }
};
struct TIniKeyEqual {
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    return SameIgnoringAsciiCase(a, b);
  }
};

class TSectionLookup {
public:
  explicit TSectionLookup(const TIniSection *section) {
    if (!section) return;
    FValues.reserve(section->Lines.size());
    for (const TIniLine &line : section->Lines)
      if (!line.Key.empty() && !FValues.try_emplace(line.Key.view(), line.Value.view()).second)
        FDuplicates = true;
  }
  // The value, or empty when the key is absent.
  std::string_view Value(std::string_view key) const {
    const auto it = FValues.find(key);
    return it == FValues.end() ? std::string_view() : it->second;
  }

  bool Contains(std::string_view key) const { return FValues.contains(key); }
  // Whether some key has more than one line (only the first is found).
  bool HasDuplicates() const noexcept { return FDuplicates; }

private:
  std::unordered_map<std::string_view, std::string_view, TIniKeyHash, TIniKeyEqual> FValues;
  bool FDuplicates = false;
};

} // namespace vt
