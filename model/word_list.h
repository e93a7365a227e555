#pragma once
// The open language project: its three files, its entries, and the queries the windows and the
// commands run over them.
#include "ini_file.h"
#include "word_obj.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vt {

class TEntryIndex; // hashed look-ups over Items (entry_index.h)

// A plain list owned by the caller; it takes no holder.
using TEntryList = std::vector<TWordObj *>;

class TWordList : public TRefObj, private TEntryObserver {
public:
  TWordList();

  // --- files ---------------------------------------------------------------------------------
  // How Open treats the files on disk.
  enum class TOpenMode {
    Edit,     // the window's: a ".~bu" copy of the translation file, byte-order marks removed on disk
    ReadOnly, // for commands that only read: every file stays as it was (marks skipped in memory)
  };
  // Opens the project from any of its files; true when it holds at least one entry. Otherwise false
  // with the file and the reason in error.
  bool Open(const std::string &path, std::string *error = nullptr, TOpenMode mode = TOpenMode::Edit);
  // Releases files and entries without writing.
  void Close();
  // Writes translations and comments into the translation file (atomically). False with a message
  // when the file cannot be written; Modified then stays set and nothing on disk changes.
  bool Save(std::string *error = nullptr);
  static bool BackupFile(const std::string &path, std::string *error = nullptr);
  // Removes a leading UTF-8 byte-order mark (all three bytes) from the file on disk; false with a
  // message when the file cannot be read or written.
  static bool StripUtf8Bom(const std::string &path, std::string *error = nullptr);

  // The store that keeps the bytes viewed by the entries Open read (none before Open): a text kept
  // in it lives as long as any of those entries, so such an entry may view it.
  TTextStore *TextStore() const noexcept { return FStore; }

  // Appends a new entry to Items (Index and Pos set to its position), as the loader does.
  TWordObj *AddEntry(std::string_view section, std::string_view name, std::string_view kind,
                     std::string_view source);

  // --- fields ----------------------------------------------------------------------------------
  std::string FileName;
  std::unique_ptr<TIniFile> AutoIni;
  std::unique_ptr<TIniFile> TransIni;
  std::unique_ptr<TIniFile> SrcIni;
  TReleaseList<TWordObj> Items;
  std::vector<std::string> Sections;
  TReleaseList<TWordObj> Selection;
  std::string CurrentObject;
  std::optional<std::vector<std::string>> CurrentProps; // "kind=stored source" per entry
  TReleaseList<TWordObj> Suggestions;
  TReleaseList<TWordObj> SimilarItems;
  bool Modified = false;
  std::string DestLng;

  // --- queries ---------------------------------------------------------------------------------
  // Fills Selection: section ("" or "[ALL]" for all), ";"-separated kind list (case-insensitive),
  // required flags, allowed states (bit set, 0 = any). Hidden entries are never taken.
  void Select(std::string_view section, std::string_view kinds, TEntryFlags flags, TEntryStates states);
  // Keeps the entries whose source (lower-cased, first "&" removed) matches the lower-cased text.
  void FilterByText(std::string_view text, TTextMatch match);
  // Keeps the entries whose section keep() accepts; keep is asked from several threads at once.
  void FilterBySection(const std::function<bool(std::string_view section)> &keep);
  // Keeps the entries whose source word count is more than, fewer than or at most the limit.
  void FilterByWordCount(int limit, TWordCountMatch match);
  void RemoveDuplicateSources();
  // Sorts Selection in the main list order.
  void SortSelection(TSortColumn column, bool descending);
  // Entries of Selection with a translation (any state).
  int CountTranslated() const;
  void ClearSelection();
  // The visible entries of one run of consecutive entries of a section in Items, and how many of
  // them are in state esTranslated. Section views the entries' own name.
  struct TSectionTally {
    std::string_view Section;
    std::uint64_t Total = 0;
    std::uint64_t Translated = 0;
  };
  // One tally per run, in the order of Items (a section whose entries are not all together has
  // several); sections without visible entries have none. Made once per EntriesStamp (Open makes
  // them as it reads); the list stays valid until the next call after a change.
  const std::vector<TSectionTally> &TallySections() const;

  TWordObj *FindEntry(std::string_view fullId) const;
  // All entries of the object in Items order, hidden included; empty when none.
  TEntryList FindEntries(std::string_view objectId) const;
  TWordObj *FindByValue(std::string_view section, std::string_view kind, std::string_view source) const;
  TWordObj *FindByKey(std::string_view section, std::string_view kind, std::string_view name) const;

  void SetCurrentObject(std::string_view objectId);
  bool GetObjectValue(std::string_view kind, std::string &value) const;
  bool GetObjectInt(std::string_view kind, long long &value) const;
  std::u16string GetObjectText(std::string_view kind) const;
  bool GetToolTexts(std::u16string &caption, std::u16string &shortHint, std::u16string &longHint) const;
  bool GetControlTexts(std::u16string &caption, std::u16string &hint) const;
  std::string GetSourceNote(const TWordObj &entry) const;
  std::string GetLinkedText(const TWordObj &entry) const;

  // Entries whose source matches apart from case and the first "&", scored and sorted.
  TEntryList FindSimilar(TWordObj *entry);
  static TEntryList DistinctTranslations(const TEntryList &list);
  void UpdateSuggestions(TWordObj *entry, bool similar, bool suggestions);
  // Copies the entry's translation to visible entries with the same lower-cased source; returns
  // how many entries it changed, and lists them in changed when given.
  int ApplyToSameSource(TWordObj *entry, bool replaceAll, TEntryList *changed = nullptr);
  // The same-source groups of Items at once, for commands that copy the translations of many
  // entries: Of(entry) holds the entries ApplyToSameSource may copy to from it (Items order, entry
  // included), and ApplyToCandidates takes them.
  // Stays right while no key changes and Items keep their order.
  struct TSameSources {
    std::vector<uint32_t> Group;     // per position in Items
    std::vector<uint32_t> Start;     // per group, its first member; one more at the end
    std::vector<TWordObj *> Members; // grouped, each group in Items order
    std::span<TWordObj *const> Of(const TWordObj &entry) const {
      const uint32_t g = Group[static_cast<std::size_t>(entry.Pos)];
      return {Members.data() + Start[g], Members.data() + Start[g + 1]};
    }
  };
  // The groups (Pos renumbered), or none when an entry of entries is not in Items.
  std::optional<TSameSources> SameSources(const TEntryList &entries);
  // ApplyToSameSource over candidates found before (see TSameSources): entries whose source equals
  // entry's apart from ASCII case.
  int ApplyToCandidates(TWordObj *entry, std::span<TWordObj *const> candidates, bool replaceAll,
                        TEntryList *changed = nullptr);
  void MergeHints();

  // Called after Items was reordered or compacted by code outside this class.
  void ItemsReordered();
  // Steps whenever an entry gets another translation or key, or entries are added, reordered or
  // let go: what was counted over the entries at one stamp holds while the stamp stays.
  std::uint64_t EntriesStamp() const { return FEntriesStamp; }
  // Whether no two entries of a section share a key (without case): true after Open until a key
  // changes or an entry is added.
  bool KeysDistinct() const { return FKeysDistinct; }

protected:
  ~TWordList() override;

private:
  void EntryKeyChanging(TWordObj &entry) override;
  void EntryKeyChanged(TWordObj &entry) override;
  void EntryTranslationChanged(TWordObj &) override { ++FEntriesStamp; }
  TEntryIndex &Index() const;
  // Whether every selected entry stands at its Pos in Items (the index's numbers apply).
  bool SelectionIndexed() const;
  void ForgetSelectionIndexed() { FIndexedSelection = TSelectionMark(); }

  // Select notes that its result is indexed while it touches each entry anyway; filters that only
  // drop entries renew the note. The note holds Selection's buffer and size, and the item count, so
  // an outside edit of Selection or Items that changes them is not mistaken for the noted list.
  struct TSelectionMark {
    const void *Data = nullptr;
    std::size_t Size = 0;
    std::size_t ItemCount = 0;
    bool Valid = false;
    bool InLoadOrder = false; // and the entries' load numbers (Index) ascend along the list
  };
  TSelectionMark FIndexedSelection;
  void NoteSelectionIndexed(bool inLoadOrder);
  bool SelectionNotedIndexed() const;
  bool SelectionNotedInLoadOrder() const;

  mutable std::unique_ptr<TEntryIndex> FIndex;
  // The bytes the loaded entries' texts view (one reference; each entry holds one more).
  TTextStore *FStore = nullptr;
  TWordObj *AppendEntry(TWordObj *entry);
  // Whether no two entries of a section share a key (without case) and no key ends like a comment
  // key: true after Open, false after any key change or append.
  bool FKeysDistinct = false;
  std::uint64_t FEntriesStamp = 0;
  // How many entries of Selection have a translation, as Select counted them, and the list and
  // stamp it holds for.
  struct TSelectedTranslated {
    const void *Data = nullptr;
    std::size_t Size = 0;
    std::uint64_t Stamp = 0;
    int Count = 0;
    bool Valid = false;
  } FSelectedTranslated;
  // TallySections' list and the stamp it was made at.
  mutable std::vector<TSectionTally> FTallies;
  mutable std::optional<std::uint64_t> FTalliedAt;
  mutable std::size_t FTalliedItems = 0;

  // Whether the translation file in memory holds what a save would write for every entry of Items
  // whose Translation and Comment carry no change mark (and which this project observes): true
  // after Open and after each save, for as long as the file's ChangeStamp is the one noted then
  // (a write into the file by anyone else ends it). A save then writes only the marked entries.
  bool FInStep = false;
  std::uint64_t FInStepStamp = 0;
  // Writes the entries' translations and comments into the translation file in Items order (only
  // the marked ones when onlyChanged), clears their marks, and lists the entries whose Changed
  // flag a successful save clears.
  void WriteEntries(bool onlyChanged, std::vector<TWordObj *> &changed);
};

// Words of a text as the word-count filter counts them: 0 for empty, else 1 + spaces that do not
// follow another space.
int CountWords(std::string_view text);

} // namespace vt
