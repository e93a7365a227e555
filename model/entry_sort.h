#pragma once
// Fast sorts of entry lists in the orders the project uses, with results identical to sorting with
// CompareMainList / LessByFullId: the leading bytes of each key are loaded once into integers, so
// most comparisons never touch the strings, and no full id is ever composed.
#include "word_obj.h"

#include <vector>

namespace vt {

// Main list order (column 0 full id, 1 Source, 2 Translation, other Index; ties by Index; descending
// negates the whole comparison). Stable: entries that compare equal keep their order.
void SortMainList(std::vector<TWordObj *> &entries, int column, bool descending);
// Full id ascending, stable (equal full ids keep their order).
void SortByFullId(std::vector<TWordObj *> &entries);

} // namespace vt
