#pragma once
// Walks over many entries of a project: how far ahead they fetch, when they split over the cores,
// and letting a long list of holders go at once.
#include <cstddef>
#include <vector>

namespace vt {

class TWordObj;

// A list visits entries out of the order they lie in memory (sorted, filtered, or added later on the
// heap): a walk fetches the lines it will read this many entries ahead, so the cache misses overlap
// instead of each waiting for the one before.
constexpr std::size_t kEntryFetchAhead = 12;
// Walks shorter than two of these stay on one thread: a thread costs about what a few thousand
// entries do.
constexpr std::size_t kMinEntryPart = std::size_t{1} << 15;

// Releases one holder of each entry (in parts on the cores for a long list; each holder count is a
// fetch from the heap) and empties the list. With detach, each entry first leaves its project (no
// observer, no position), so that one still held elsewhere no longer calls back into it.
void ReleaseEntries(std::vector<TWordObj *> &entries, bool detach = false) noexcept;

} // namespace vt
