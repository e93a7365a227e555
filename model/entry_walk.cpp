#include "entry_walk.h"

#include "support/parallel_parts.h"
#include "word_obj.h"

namespace vt {

void ReleaseEntries(std::vector<TWordObj *> &entries, bool detach) noexcept {
  RunInParts(entries.size(), kMinEntryPart, [&](std::size_t, std::size_t begin, std::size_t end) {
    const TStoreReleaseBatch batch;
    for (std::size_t i = end; i-- > begin;) {
      if (i >= begin + kEntryFetchAhead) {
        __builtin_prefetch(entries[i - kEntryFetchAhead], 1);
        if (detach) __builtin_prefetch(&entries[i - kEntryFetchAhead]->Observer, 1);
      }
      TWordObj *entry = entries[i];
      if (detach) {
        entry->Observer = nullptr;
        entry->Pos = -1;
      }
      TRefObj::Release(entry);
    }
  });
  entries.clear();
}

} // namespace vt
