#pragma once
// Hashed look-ups over a project's Items that give the same results as walking Items in order.
// Entries tell the index about identity and source changes (TEntryObserver); wholesale changes of
// Items (load, close, sort, compaction) invalidate it and it is rebuilt on the next look-up.
//
// Each look-up key (full id, object id, section+kind+source, source without case and first "&")
// has its own table, built the first time it is asked. A table maps the 64-bit hash of the key to
// a chain of positions in Items; every candidate is checked against the real key, so hash
// collisions never change a result. "First match" is the smallest position.
#include "release_obj.h"
#include "word_obj.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// Source texts equal after removing the first "&" of each and lower-casing (ASCII) both.
bool SameIgnoringAccel(std::string_view a, std::string_view b);
// Writes Source lower-cased, with its first "&" removed, into out.
void NormalizeAccelKey(std::string_view source, std::string &out);
// Whether section "/" name "." kind (the full id of the parts) equals text, without composing it.
bool FullIdEquals(std::string_view text, std::string_view section, std::string_view name,
                  std::string_view kind);
// Whether section "/" name equals text.
bool ObjectIdEquals(std::string_view text, std::string_view section, std::string_view name);
// Ordinal comparison of two full ids (as composed strings), without composing them: <0, 0, >0.
int CompareFullIdParts(const TWordObj &a, const TWordObj &b);
// Equality of the composed object ids and full ids of two entries.
bool SameObjectId(const TWordObj &a, const TWordObj &b);
bool SameFullId(const TWordObj &a, const TWordObj &b);

class TEntryIndex {
public:
  explicit TEntryIndex(const TReleaseList<TWordObj> &items);
  ~TEntryIndex();
  TEntryIndex(const TEntryIndex &) = delete;
  TEntryIndex &operator=(const TEntryIndex &) = delete;

  // Forget everything; the next look-up rebuilds from Items (and renumbers Pos).
  void Invalidate();
  void EntryKeyChanging(TWordObj &entry);
  void EntryKeyChanged(TWordObj &entry);

  // First entry of Items with that full id, or none.
  TWordObj *FirstByFullId(std::string_view fullId);
  // First entry with exactly that Section, Kind and Name.
  TWordObj *FirstByKey(std::string_view section, std::string_view kind, std::string_view name);
  // First entry with exactly that Section, Kind and Source.
  TWordObj *FirstByValue(std::string_view section, std::string_view kind, std::string_view source);
  // All entries with that object id, in Items order.
  void ByObjectId(std::string_view objectId, std::vector<TWordObj *> &out);
  // All entries whose Source matches source apart from case and the first "&", in Items order.
  void BySameSource(std::string_view source, std::vector<TWordObj *> &out);

  // An entry was appended to Items (at the last position): tables that were up to date take it in
  // on their next look-up instead of being rebuilt.
  void EntryAppended();
  // Whether entry stands at its Pos in Items, so the per-position numbers below apply to it.
  bool Indexed(const TWordObj &entry) const;

  // Per position in Items, kept until the next key change or reordering:
  // a number shared exactly by the entries whose sources are equal apart from case and first "&";
  const std::vector<uint32_t> &SourceGroups();
  // the place of the entry in full id order (equal full ids share it);
  const std::vector<uint32_t> &FullIdRanks();
  // the place of the entry in Source order (equal sources share it).
  const std::vector<uint32_t> &SourceRanks();

private:
  enum TKeyKind { kFullId, kObjectId, kValue, kSameSource, kKeyKinds };
  class TChains;

  TChains &Table(TKeyKind kind);
  uint64_t HashOf(TKeyKind kind, const TWordObj &entry);
  void Sync(TKeyKind kind);
  void Build(TKeyKind kind);
  // Entries of one chain whose key is equal (checked by accept), sorted by position.
  template <class Accept>
  void Collect(TKeyKind kind, uint64_t hash, Accept &&accept, std::vector<TWordObj *> &out);
  template <class Accept> TWordObj *First(TKeyKind kind, uint64_t hash, Accept &&accept);

  const TReleaseList<TWordObj> &FItems;
  std::vector<TChains> FTables;
  // Per-position numbers with the item count they were made for (SIZE_MAX: not made).
  struct TNumbers {
    std::vector<uint32_t> Values;
    std::size_t Count = SIZE_MAX;
  };
  TNumbers FGroups, FFullIdRanks, FSourceRanks;
  void ForgetNumbers();
  void MakeRanks(TNumbers &numbers, TSortColumn column);
  std::string FScratch;
};

} // namespace vt
