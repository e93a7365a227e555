#include "entry_index.h"

namespace vt {

TEntryIndex::TEntryIndex(const TReleaseList<TWordObj> &items) : FItems(items) {}
TEntryIndex::~TEntryIndex() = default;

void TEntryIndex::Invalidate() { FValid = false; }
void TEntryIndex::EntryKeyChanging(TWordObj &) { FValid = false; }
void TEntryIndex::EntryKeyChanged(TWordObj &) { FValid = false; }

} // namespace vt
