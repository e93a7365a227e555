#pragma once
// Fast sorts of entry lists in the orders the project uses, with results identical to sorting with
// CompareMainList / LessByFullId: the leading bytes of each key are loaded once into integers, so
// most comparisons never touch the strings, and no full id is ever composed.
#include "query_options.h"
#include "word_obj.h"

#include <cstdint>
#include <vector>

namespace vt {

// Main list order (Name by full id, Original by Source, Translated by Translation, the others by
// Index; ties by Index; descending negates the whole comparison). Stable: entries that compare
// equal keep their order.
void SortMainList(std::vector<TWordObj *> &entries, TSortColumn column, bool descending);
// The column number CompareMainList takes for a sort column.
int MainListColumn(TSortColumn column);
// The same order for a column whose key is given as a rank per position in the project's Items
// (equal keys share a rank): entries must stand at their Pos. Ties by Index, then kept in order.
// False, with entries untouched, when a Pos lies outside rankByPos.
bool SortMainListByRank(std::vector<TWordObj *> &entries, const std::vector<uint32_t> &rankByPos,
                        bool descending);
// The same with the entries' positions in Items given (positions[i] for entries[i]), so that only
// entries whose ranks tie are read. False, with entries untouched, when a position lies outside
// rankByPos.
bool SortMainListByRank(std::vector<TWordObj *> &entries, const std::vector<uint32_t> &rankByPos,
                        bool descending, const std::vector<uint32_t> &positions);
// Full id ascending, stable (equal full ids keep their order).
void SortByFullId(std::vector<TWordObj *> &entries);

} // namespace vt
