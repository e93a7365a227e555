// The word list reader on arbitrary bytes: it must not crash, and what it keeps must obey the
// list's rules (no empty source or translation, one word per source, the first one found back).
#include "model/trans_word_list.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unordered_set>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  vt::TTransWordList list;
  list.LoadFromBytes(bytes);
  std::unordered_set<std::string_view> sources;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const vt::TTransWord *w = list.GetItem(i);
    if (!w || w->Source.empty() || w->Translation.empty()) std::abort();
    if (!sources.insert(w->Source).second || list.Find(w->Source) != w) std::abort();
    // Line breaks end a line, so no value can hold one.
    if (w->Source.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  if (list.GetItem(list.Count()) != nullptr) std::abort();
  return 0;
}
