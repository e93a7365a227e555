#pragma once
// Hashed look-ups over a project's Items that give the same results as walking Items in order.
// Entries tell the index about identity and source changes (TEntryObserver); wholesale changes of
// Items (load, close, sort, compaction) invalidate it and it is rebuilt on the next look-up.
#include "release_obj.h"
#include "word_obj.h"

namespace vt {

class TEntryIndex {
public:
  explicit TEntryIndex(const TReleaseList<TWordObj> &items);
  ~TEntryIndex();

  void Invalidate();
  void EntryKeyChanging(TWordObj &entry);
  void EntryKeyChanged(TWordObj &entry);

private:
  const TReleaseList<TWordObj> &FItems;
  bool FValid = false;
};

} // namespace vt
