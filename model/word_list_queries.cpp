// The project's queries: the main list's filters, look-ups by id and value, the current object's
// values, the same-source and suggestion lists, and the hint merge. Look-ups go through the hashed
// index; list filters compact in one pass, so nothing here is quadratic in the project size.
#include "entry_index.h"
#include "entry_sort.h"
#include "entry_walk.h"
#include "support/ascii_case.h"
#include "support/hash_table.h"
#include "support/parallel_parts.h"
#include "text_helpers.h"
#include "trans_man.h"
#include "word_list.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <functional>
#include <numeric>
#include <optional>
#include <unordered_map>

namespace vt {

namespace {

void PrefetchEntry(const TWordObj *e) {
  __builtin_prefetch(e, 1); // holder count
  __builtin_prefetch(&e->Source());
}

// Keeps the entries of a holder list for which keep() is true, in order, releasing the others.
template <class Keep> void CompactList(TReleaseList<TWordObj> &list, Keep &&keep) {
  auto &raw = list.Raw();
  std::size_t kept = 0;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (i + kEntryFetchAhead < raw.size()) PrefetchEntry(raw[i + kEntryFetchAhead]);
    if (keep(raw[i], i))
      raw[kept++] = raw[i];
    else
      TRefObj::Release(raw[i]);
  }
  raw.resize(kept);
}

// Compacts raw[begin, end) towards begin by keep(entry, position), releasing the others; returns the
// end of the survivors. fetch(i) fetches what the walk will read at position i.
template <class Keep, class Fetch>
std::size_t CompactRange(std::vector<TWordObj *> &raw, std::size_t begin, std::size_t end, Keep &keep,
                         const Fetch &fetch) {
  std::size_t to = begin;
  for (std::size_t i = begin; i < end; ++i) {
    if (i + kEntryFetchAhead < end) fetch(i + kEntryFetchAhead);
    if (keep(raw[i], i))
      raw[to++] = raw[i];
    else
      TRefObj::Release(raw[i]);
  }
  return to;
}

// CompactList over consecutive parts of the list at once, for a keep test that is pure: each part
// gets its own test from makeKeep() (with its own scratch), compacts and releases where it stands,
// and the parts' survivors are then moved together in order, so the result is that of one walk.
template <class MakeKeep, class Fetch>
void CompactInParts(TReleaseList<TWordObj> &list, MakeKeep &&makeKeep, const Fetch &fetch) {
  auto &raw = list.Raw();
  const std::size_t n = raw.size();
  std::vector<std::pair<std::size_t, std::size_t>> kept(PartCount(n, kMinEntryPart)); // (begin, count)
  RunInParts(n, kMinEntryPart, [&](std::size_t part, std::size_t begin, std::size_t end) {
    auto keep = makeKeep();
    kept[part] = {begin, CompactRange(raw, begin, end, keep, fetch) - begin};
  });
  std::size_t out = 0;
  for (const auto &[begin, count] : kept) {
    if (begin != out) std::memmove(raw.data() + out, raw.data() + begin, count * sizeof(TWordObj *));
    out += count;
  }
  raw.resize(out);
}

// The positions in items of the entries of selection, when selection stands in the order of items
// (as Select made it, filtered): one walk over both lists of pointers, no entry read. False when
// it does not (sorted since, say).
bool PositionsInOrder(const std::vector<TWordObj *> &selection, const std::vector<TWordObj *> &items,
                      std::vector<uint32_t> &positions) {
  positions.resize(selection.size());
  std::size_t j = 0;
  for (std::size_t i = 0; i < selection.size(); ++i, ++j) {
    while (j < items.size() && items[j] != selection[i]) ++j;
    if (j == items.size()) return false;
    positions[i] = static_cast<uint32_t>(j);
  }
  return true;
}

// Words of a stored source as the word-count filter sees it: "\n" escapes and commas are spaces.
int CountSourceWords(std::string_view source) {
  if (source.empty()) return 0;
  int words = 1;
  bool afterSpace = false;
  bool first = true;
  for (std::size_t i = 0; i < source.size(); ++i) {
    bool space = source[i] == ',' || source[i] == ' ';
    if (source[i] == '\\' && i + 1 < source.size() && source[i + 1] == 'n') {
      space = true;
      ++i;
    }
    if (space && (first || !afterSpace)) ++words;
    afterSpace = space;
    first = false;
  }
  return words;
}

// Line "kind=value" of CurrentProps: the value when the key matches without regard to case.
bool PropValue(std::string_view line, std::string_view kind, std::string &value) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos || !SameIgnoringAsciiCase(line.substr(0, eq), kind)) return false;
  value.assign(line.substr(eq + 1));
  return true;
}

// The lone full hint's treatment: kind "THF", source "|" and the old text, likewise the translation.
void MakeLoneFullHint(TWordObj &tf) {
  tf.SetKind(std::string(kind::THF));
  tf.SetSourceText(JoinHint(u"", tf.SourceText()));
  const std::u16string translation = tf.TranslationText();
  if (!translation.empty()) tf.SetTranslationText(JoinHint(u"", translation));
}

void MergeHintPair(TWordObj &tf, const TWordObj &th) {
  const std::u16string shortSource = th.SourceText();
  std::u16string shortTranslation = th.TranslationText();
  if (shortTranslation.empty()) shortTranslation = shortSource;
  const std::u16string longSource = tf.SourceText();
  std::u16string longTranslation = tf.TranslationText();
  if (longTranslation.empty()) longTranslation = longSource;
  tf.SetKind(std::string(kind::THF));
  tf.SetSourceText(JoinHint(shortSource, longSource));
  tf.SetTranslationText(JoinHint(shortTranslation, longTranslation));
}

} // namespace

int CountWords(std::string_view text) {
  if (text.empty()) return 0;
  int words = 1;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == ' ' && (i == 0 || text[i - 1] != ' ')) ++words;
  return words;
}

// --- the main list's filters ---------------------------------------------------------------------

void TWordList::Select(std::string_view section, std::string_view kinds, TEntryFlags flags,
                       TEntryStates states) {
  ReleaseEntries(Selection.Raw());
  const bool allSections = section.empty() || section == section::All;
  std::vector<std::string_view> kindList;
  for (std::size_t at = 0; at < kinds.size();) {
    const auto semi = std::min(kinds.find(';', at), kinds.size());
    kindList.push_back(kinds.substr(at, semi - at));
    at = semi + 1;
  }
  auto kindAccepted = [&](std::string_view k) {
    for (std::string_view want : kindList)
      if (SameIgnoringAsciiCase(k, want)) return true;
    return false;
  };
  auto accepted = [&](const TWordObj *e) {
    if (e->Hidden) return false;
    if (!allSections && e->Section() != section) return false;
    if (!kinds.empty() && !kindAccepted(e->Kind())) return false;
    if (states != 0 && (states & StateBit(e->State())) == 0) return false;
    if (flags != 0 && (e->Flags() & flags) != flags) return false;
    return true;
  };
  // The parts of Items are walked at once; the first fills Selection, the others lists of their
  // own that follow it in order.
  const auto &items = Items.Raw();
  const std::size_t parts = PartCount(items.size(), kMinEntryPart);
  std::vector<std::vector<TWordObj *>> found(parts);
  std::vector<char> indexedPart(parts, 0), orderedPart(parts, 0), takenPart(parts, 0);
  // The load numbers of each part's first and last entry taken: with each part's ascending, the
  // list is in load order when the parts follow one another.
  std::vector<std::pair<int32_t, int32_t>> indexRange(parts);
  std::vector<int> translatedPart(parts, 0);
  // Room for all that a part may take, made before it is written: no list grows by copies, and
  // the first part's list takes the others' without moving. Room not written costs no memory.
  Selection.Raw().reserve(items.size());
  RunInParts(items.size(), kMinEntryPart, [&](std::size_t part, std::size_t begin, std::size_t end) {
    auto &out = part == 0 ? Selection.Raw() : found[part];
    if (part != 0) out.reserve(end - begin);
    bool indexed = true, ordered = true;
    int32_t firstIndex = 0, lastIndex = 0;
    int translated = 0;
    for (std::size_t i = begin; i < end; ++i) {
      if (i + kEntryFetchAhead < end) {
        __builtin_prefetch(items[i + kEntryFetchAhead], 1);
        __builtin_prefetch(&items[i + kEntryFetchAhead]->Hidden);
      }
      TWordObj *e = items[i];
      if (!accepted(e)) continue;
      indexed = indexed && e->Pos == static_cast<int32_t>(i);
      if (out.empty()) firstIndex = e->Index;
      ordered = ordered && (out.empty() || e->Index > lastIndex);
      lastIndex = e->Index;
      translated += !e->Translation.empty();
      out.push_back(TRefObj::AddRef(e));
    }
    translatedPart[part] = translated;
    indexedPart[part] = indexed;
    orderedPart[part] = ordered;
    takenPart[part] = !out.empty();
    indexRange[part] = {firstIndex, lastIndex};
  });
  auto &out = Selection.Raw();
  for (std::size_t part = 1; part < parts; ++part)
    out.insert(out.end(), found[part].begin(), found[part].end());
  FSelectedTranslated = {out.data(), out.size(), FEntriesStamp,
                         std::accumulate(translatedPart.begin(), translatedPart.end(), 0), true};
  bool ordered = std::all_of(orderedPart.begin(), orderedPart.end(), [](char c) { return c != 0; });
  std::optional<int32_t> before; // the last load number of the parts so far
  for (std::size_t part = 0; part < parts && ordered; ++part) {
    if (!takenPart[part]) continue;
    ordered = !before || indexRange[part].first > *before;
    before = indexRange[part].second;
  }
  if (std::all_of(indexedPart.begin(), indexedPart.end(), [](char c) { return c != 0; }))
    NoteSelectionIndexed(ordered);
}

void TWordList::NoteSelectionIndexed(bool inLoadOrder) {
  FIndexedSelection =
      TSelectionMark{Selection.Raw().data(), Selection.Count(), Items.Count(), true, inLoadOrder};
}

bool TWordList::SelectionNotedInLoadOrder() const {
  return SelectionNotedIndexed() && FIndexedSelection.InLoadOrder;
}

bool TWordList::SelectionNotedIndexed() const {
  const TSelectionMark &m = FIndexedSelection;
  return m.Valid && m.Data == Selection.Raw().data() && m.Size == Selection.Count() &&
         m.ItemCount == Items.Count();
}

void TWordList::FilterByText(std::string_view text, TTextMatch match) {
  const std::string wanted = LowerAscii(text);
  // Without "&" in the wanted text, a source that contains it as it stands contains it without its
  // first "&" too; only sources with an "&" and no plain match need the "&" taken out.
  const bool plainFirst = match == TTextMatch::Contains && wanted.find('&') == std::string::npos;
  const bool indexed = SelectionNotedIndexed(), inLoadOrder = SelectionNotedInLoadOrder();
  auto &raw = Selection.Raw();
  // The walk fetches the entries ahead, and, half as far ahead, the texts of those already fetched.
  const auto fetch = [&raw](std::size_t i) {
    PrefetchEntry(raw[i]);
    __builtin_prefetch(raw[i - kEntryFetchAhead / 2]->Source().data());
  };
  CompactInParts(
      Selection,
      [&] {
        return [&, key = std::string()](TWordObj *e, std::size_t) mutable {
          const std::string_view source = e->Source();
          bool amp = false;
          if (plainFirst) {
            if (ContainsLoweredNoting(source, wanted, '&', amp)) return true;
            if (!amp) return false;
          }
          // Most sources have no "&": they are compared in place, without a lower-cased copy.
          std::string_view normalized = source;
          if (amp || source.find('&') != std::string_view::npos) {
            NormalizeAccelKey(source, key);
            normalized = key;
          }
          switch (match) {
          case TTextMatch::StartsWith:
            return StartsWithLowered(normalized, wanted);
          case TTextMatch::Contains:
            return ContainsLowered(normalized, wanted);
          case TTextMatch::FullMatch:
            break;
          }
          return normalized.size() == wanted.size() && StartsWithLowered(normalized, wanted);
        };
      },
      fetch);
  if (indexed) NoteSelectionIndexed(inLoadOrder);
}

void TWordList::FilterBySection(const std::function<bool(std::string_view section)> &keep) {
  const bool indexed = SelectionNotedIndexed(), inLoadOrder = SelectionNotedInLoadOrder();
  auto &raw = Selection.Raw();
  const auto fetch = [&raw](std::size_t i) { __builtin_prefetch(&raw[i]->Section()); };
  CompactInParts(
      Selection,
      [&] {
        // Entries come section by section: keep() is asked once per run of one section.
        return [&, last = std::string_view(), kept = false, asked = false](TWordObj *e, std::size_t) mutable {
          const std::string_view section = e->Section();
          if (!asked || !SameBytes(section, last)) {
            kept = keep(section);
            last = section;
            asked = true;
          }
          return kept;
        };
      },
      fetch);
  if (indexed) NoteSelectionIndexed(inLoadOrder);
}

void TWordList::FilterByWordCount(int limit, TWordCountMatch match) {
  const bool indexed = SelectionNotedIndexed(), inLoadOrder = SelectionNotedInLoadOrder();
  CompactList(Selection, [&](TWordObj *e, std::size_t) {
    const int count = CountSourceWords(e->Source());
    switch (match) {
    case TWordCountMatch::MoreThan:
      return count > limit;
    case TWordCountMatch::FewerThan:
      return count < limit;
    case TWordCountMatch::AtMost:
      break;
    }
    return count <= limit;
  });
  if (indexed) NoteSelectionIndexed(inLoadOrder);
}

bool TWordList::SelectionIndexed() const {
  if (SelectionNotedIndexed()) return true;
  for (const TWordObj *e : Selection)
    if (!Index().Indexed(*e)) return false;
  return true;
}

void TWordList::RemoveDuplicateSources() {
  auto &raw = Selection.Raw();
  const std::size_t n = raw.size();
  bool indexed = SelectionIndexed();
  const bool inLoadOrder = SelectionNotedInLoadOrder(); // dropping entries keeps the order
  if (n > 1 && indexed) {
    // The index numbers the source groups once; each run is then an integer pass.
    const std::vector<uint32_t> &groups = Index().SourceGroups();
    // The groups of the entries are gathered in parts at once (each entry is a fetch from the heap),
    // then one walk from the end over the plain numbers keeps the first of each group met.
    constexpr uint32_t kAway = UINT32_MAX; // not where the note said: take the hashing path
    std::vector<uint32_t> groupAt(n);
    if (PositionsInOrder(raw, Items.Raw(), groupAt)) {
      for (uint32_t &g : groupAt) g = g < groups.size() ? groups[g] : kAway;
    } else {
      RunInParts(n, kMinEntryPart, [&](std::size_t, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
          if (i + kEntryFetchAhead < end) __builtin_prefetch(&raw[i + kEntryFetchAhead]->Pos);
          const auto pos = static_cast<std::size_t>(raw[i]->Pos);
          groupAt[i] = pos < groups.size() ? groups[pos] : kAway;
        }
      });
    }
    std::vector<char> seen(Items.Count(), 0), keep(n, 0);
    std::size_t i = n;
    while (i-- > 0) {
      const uint32_t g = groupAt[i];
      if (g == kAway) break;
      if (!seen[g]) seen[g] = keep[i] = 1;
    }
    if (i == SIZE_MAX) {
      // Only the entries given back are read (their holder count).
      CompactInParts(
          Selection, [&] { return [&](TWordObj *, std::size_t at) { return keep[at] != 0; }; },
          [&](std::size_t at) {
            if (!keep[at]) __builtin_prefetch(raw[at], 1);
          });
      NoteSelectionIndexed(inLoadOrder);
      return;
    }
    indexed = false;
  }
  // Walking from the end, the first entry met of each source group is the one that stays. The set
  // is a table of (hash, position); equal hashes are confirmed on the texts.
  THashTable<TPositionSlot> firsts(n);
  std::vector<char> keep(n, 0);
  std::string key;
  for (std::size_t i = n; i-- > 0;) {
    NormalizeAccelKey(raw[i]->Source(), key);
    const TPositionSlot slot{std::hash<std::string_view>{}(key), static_cast<uint32_t>(i)};
    if (firsts
            .FindOrInsert(slot,
                          [&](const TPositionSlot &other) {
                            return SameIgnoringAccel(raw[other.At]->Source(), raw[i]->Source());
                          })
            .second)
      keep[i] = 1;
  }
  CompactList(Selection, [&](TWordObj *, std::size_t i) { return keep[i] != 0; });
  if (indexed) NoteSelectionIndexed(inLoadOrder);
}

void TWordList::SortSelection(TSortColumn column, bool descending) {
  // A list in load order is sorted by number already (or needs only turning round): no key read.
  if (column == TSortColumn::Id && SelectionNotedInLoadOrder()) {
    if (descending) {
      std::reverse(Selection.Raw().begin(), Selection.Raw().end());
      FIndexedSelection.InLoadOrder = false;
    }
    return;
  }
  // Any other order: the entries stay where they are in Items, but the list leaves load order.
  FIndexedSelection.InLoadOrder = false;
  // Full id and Source orders come from ranks the index keeps, so a sort compares integers.
  if ((column == TSortColumn::Name || column == TSortColumn::Original) && Selection.Count() > 1 &&
      SelectionIndexed()) {
    const auto &ranks = column == TSortColumn::Name ? Index().FullIdRanks() : Index().SourceRanks();
    // A list still in the order of Items gives its positions without reading the entries.
    std::vector<uint32_t> positions;
    if (PositionsInOrder(Selection.Raw(), Items.Raw(), positions)
            ? SortMainListByRank(Selection.Raw(), ranks, descending, positions)
            : SortMainListByRank(Selection.Raw(), ranks, descending))
      return;
  }
  SortMainList(Selection.Raw(), column, descending);
}

int TWordList::CountTranslated() const {
  const auto &raw = Selection.Raw();
  // Select counted while it took the entries: the same list (or a reordering of it) whose entries
  // kept their texts has the same count.
  const TSelectedTranslated &noted = FSelectedTranslated;
  if (noted.Valid && noted.Data == raw.data() && noted.Size == raw.size() && noted.Stamp == FEntriesStamp)
    return noted.Count;
  std::vector<int> counts(PartCount(raw.size(), kMinEntryPart), 0);
  RunInParts(raw.size(), kMinEntryPart, [&](std::size_t part, std::size_t begin, std::size_t end) {
    int n = 0;
    for (std::size_t i = begin; i < end; ++i) {
      if (i + kEntryFetchAhead < end) __builtin_prefetch(&raw[i + kEntryFetchAhead]->Translation);
      n += !raw[i]->Translation.empty();
    }
    counts[part] = n;
  });
  return std::accumulate(counts.begin(), counts.end(), 0);
}

const std::vector<TWordList::TSectionTally> &TWordList::TallySections() const {
  if (FTalliedAt == FEntriesStamp && FTalliedItems == Items.Count()) return FTallies;
  const auto &items = Items.Raw();
  std::vector<std::vector<TSectionTally>> runs(PartCount(items.size(), kMinEntryPart));
  RunInParts(items.size(), kMinEntryPart, [&](std::size_t part, std::size_t begin, std::size_t end) {
    auto &out = runs[part];
    for (std::size_t i = begin; i < end; ++i) {
      // The entry's lines a full step ahead, its translation's first bytes (for the state) half a
      // step ahead, when the entry itself is at hand.
      if (i + kEntryFetchAhead < end) {
        __builtin_prefetch(items[i + kEntryFetchAhead]);
        __builtin_prefetch(&items[i + kEntryFetchAhead]->Hidden);
      }
      if (i + kEntryFetchAhead / 2 < end)
        __builtin_prefetch(items[i + kEntryFetchAhead / 2]->Translation.data());
      const TWordObj *e = items[i];
      if (e->Hidden) continue;
      const std::string_view section = e->Section();
      if (out.empty() || !SameBytes(section, out.back().Section)) out.push_back({section});
      ++out.back().Total;
      out.back().Translated += e->State() == esTranslated;
    }
  });
  // The parts follow one another: a run cut where a part ends goes on in the next.
  std::vector<TSectionTally> tallies = std::move(runs[0]);
  for (std::size_t part = 1; part < runs.size(); ++part)
    for (const TSectionTally &run : runs[part]) {
      if (!tallies.empty() && SameBytes(run.Section, tallies.back().Section)) {
        tallies.back().Total += run.Total;
        tallies.back().Translated += run.Translated;
      } else {
        tallies.push_back(run);
      }
    }
  FTallies = std::move(tallies);
  FTalliedAt = FEntriesStamp;
  FTalliedItems = Items.Count();
  return FTallies;
}

void TWordList::ClearSelection() {
  CurrentProps.reset();
  ForgetSelectionIndexed();
  ReleaseEntries(Selection.Raw());
}

// --- look-ups --------------------------------------------------------------------------------------

TWordObj *TWordList::FindEntry(std::string_view fullId) const {
  if (fullId.empty()) return nullptr;
  return Index().FirstByFullId(fullId);
}

TEntryList TWordList::FindEntries(std::string_view objectId) const {
  TEntryList out;
  if (!objectId.empty()) Index().ByObjectId(objectId, out);
  return out;
}

TWordObj *TWordList::FindByValue(std::string_view section, std::string_view kind,
                                 std::string_view source) const {
  if (section.empty() || kind.empty() || source.empty()) return nullptr;
  return Index().FirstByValue(section, kind, source);
}

TWordObj *TWordList::FindByKey(std::string_view section, std::string_view kind, std::string_view name) const {
  if (section.empty() || kind.empty() || name.empty()) return nullptr;
  return Index().FirstByKey(section, kind, name);
}

// --- the current object's values -------------------------------------------------------------------

void TWordList::SetCurrentObject(std::string_view objectId) {
  if (!CurrentProps) CurrentObject.clear();
  if (objectId.empty()) {
    CurrentProps.reset();
    CurrentObject.clear();
    return;
  }
  if (objectId == CurrentObject) return;
  CurrentObject.assign(objectId);
  CurrentProps.reset();
  const TEntryList entries = FindEntries(objectId);
  if (entries.empty()) return;
  std::vector<std::string> props;
  props.reserve(entries.size());
  for (const TWordObj *e : entries) props.push_back(e->Kind() + "=" + e->Source());
  CurrentProps = std::move(props);
}

bool TWordList::GetObjectValue(std::string_view kind, std::string &value) const {
  value.clear();
  if (!CurrentProps) return false;
  for (const std::string &line : *CurrentProps)
    if (PropValue(line, kind, value)) break;
  return !value.empty();
}

bool TWordList::GetObjectInt(std::string_view kind, long long &value) const {
  std::string text;
  if (!GetObjectValue(kind, text)) return false;
  const char *first = text.data(), *last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  long long parsed = 0;
  const auto [end, ec] = std::from_chars(first, last, parsed);
  if (ec != std::errc{} || end != last) return false;
  value = parsed;
  return true;
}

std::u16string TWordList::GetObjectText(std::string_view kind) const {
  if (CurrentObject.empty()) return {};
  const TWordObj *e = FindEntry(CurrentObject + "." + std::string(kind));
  if (!e) return {};
  return e->Translation.empty() ? e->SourceText() : e->TranslationText();
}

bool TWordList::GetToolTexts(std::u16string &caption, std::u16string &shortHint,
                             std::u16string &longHint) const {
  caption = GetObjectText(kind::TC);
  const std::u16string combined = GetObjectText(kind::THF);
  if (!combined.empty()) {
    SplitAtBar(combined, shortHint, longHint);
  } else {
    shortHint = GetObjectText(kind::TH);
    longHint = GetObjectText(kind::TF);
  }
  return !caption.empty() || !shortHint.empty() || !longHint.empty();
}

bool TWordList::GetControlTexts(std::u16string &caption, std::u16string &hint) const {
  caption = GetObjectText(kind::VC);
  hint = GetObjectText(kind::VH);
  return !caption.empty() || !hint.empty();
}

std::string TWordList::GetSourceNote(const TWordObj &entry) const {
  const std::string noteKind = std::string(kind::NotePrefix) + entry.Kind();
  if (SrcIni) {
    const TCompactText *note = SrcIni->FindValue(entry.Section(), entry.Name() + "." + noteKind);
    return note ? note->str() : std::string();
  }
  // A project built in memory has no source file: its hidden note entries stand for it.
  const TWordObj *note = FindByKey(entry.Section(), noteKind, entry.Name());
  return note ? note->Source() : std::string();
}

std::string TWordList::GetLinkedText(const TWordObj &entry) const {
  const std::string objectId = entry.ObjectId();
  const TWordObj *definition = nullptr;
  if (const TWordObj *aid = FindEntry(objectId + "." + std::string(kind::AID))) {
    definition = FindByValue(section::Actions, kind::AID, aid->Source());
  } else if (const TWordObj *pid = FindEntry(objectId + "." + std::string(kind::PID))) {
    definition = FindByValue(section::Properties, kind::PID, pid->Source());
  }
  if (!definition) return {};
  const std::string defObject = definition->ObjectId();
  const TWordObj *text = FindEntry(defObject + "." + std::string(kind::THF));
  if (!text) text = FindEntry(defObject + "." + std::string(kind::TC));
  return text ? text->Source() : std::string();
}

// --- same source and suggestions -------------------------------------------------------------------

TEntryList TWordList::FindSimilar(TWordObj *entry) {
  TEntryList out;
  if (!entry) return out;
  TEntryList candidates;
  Index().BySameSource(entry->Source(), candidates);
  const std::string lowerSource = LowerAscii(entry->Source());
  const TEntryState state = entry->State();
  for (TWordObj *c : candidates) {
    if (c->Hidden || c == entry) continue;
    int score = 0;
    if (c->Source() == entry->Source()) score += 32;
    if (c->Source().size() == lowerSource.size() && SameIgnoringAsciiCase(c->Source(), lowerSource))
      score += 16;
    if (c->Kind() == entry->Kind()) score += 8;
    if (c->Name() == entry->Name()) score += 4;
    if (c->Section() == entry->Section()) score += 2;
    if (c->State() == state) score += 1;
    c->Score = score;
    out.push_back(c);
  }
  std::stable_sort(out.begin(), out.end(), MoreByScore);
  return out;
}

TEntryList TWordList::DistinctTranslations(const TEntryList &list) {
  TEntryList out;
  std::unordered_map<std::string, std::size_t> byBody;
  for (TWordObj *e : list) {
    if (e->Translation.empty() || e->TranslationText().empty()) continue;
    auto [it, added] = byBody.try_emplace(e->TranslationBody(), out.size());
    if (added) {
      out.push_back(e);
    } else if (out[it->second]->State() == esAutoTranslated && e->State() == esTranslated) {
      out[it->second] = e;
    }
  }
  return out;
}

void TWordList::UpdateSuggestions(TWordObj *entry, bool similar, bool suggestions) {
  if (similar) SimilarItems.Clear();
  if (suggestions) Suggestions.Clear();
  if (!entry) return;
  const TEntryList found = FindSimilar(entry);
  if (!found.empty()) {
    if (similar)
      for (TWordObj *e : found) SimilarItems.Add(TRefObj::AddRef(e));
    if (suggestions)
      for (TWordObj *e : DistinctTranslations(found)) Suggestions.Add(TRefObj::AddRef(e));
  }
  if (suggestions) {
    if (!entry->TranslationText().empty())
      Suggestions.Insert(0, entry->Clone());
    else if (!entry->AutoText.empty())
      Suggestions.Add(entry->Clone());
  }
}

int TWordList::ApplyToSameSource(TWordObj *entry, bool replaceAll, TEntryList *changedEntries) {
  if (!entry) return 0;
  TEntryList candidates;
  Index().BySameSource(entry->Source(), candidates);
  // The index also matches sources that differ in the first "&": copies go to equal ones only.
  const std::string_view source = entry->Source();
  std::erase_if(candidates, [&](const TWordObj *c) {
    return c->Source().size() != source.size() || !SameIgnoringAsciiCase(c->Source(), source);
  });
  return ApplyToCandidates(entry, candidates, replaceAll, changedEntries);
}

namespace {

// Whether entries are entries of items, each once, in items' order (a selection as listed): a walk
// over both lists of pointers, which reads no entry.
bool InListOrder(const TEntryList &entries, const std::vector<TWordObj *> &items) {
  std::size_t at = 0;
  for (const TWordObj *e : entries) {
    while (at < items.size() && items[at] != e) ++at;
    if (at == items.size()) return false;
    ++at;
  }
  return true;
}

} // namespace

std::optional<TWordList::TSameSources> TWordList::SameSources(const TEntryList &entries) {
  // Groups of sources equal apart from ASCII case: the candidates ApplyToSameSource keeps of what
  // the index finds (equal apart from the first "&" as well). A hidden entry takes no copy: it
  // stays in a group of its own, unhashed.
  // A slot is eight bytes (part of the hash and the group; the group's first source is kept beside),
  // so that the table stays small enough for the cache through a million look-ups.
  struct TGroupSlot {
    uint32_t Hash = 0;
    uint32_t Group = UINT32_MAX;
    bool Free() const noexcept { return Group == UINT32_MAX; }
    uint64_t HashValue() const noexcept { return Hash; }
  };
  const std::size_t n = Items.Count();
  TSameSources s;
  s.Group.resize(n);
  // Each entry's hash is made some steps ahead of its look-up, in the same pass, so that the
  // table's slot can be fetched meanwhile. Most look-ups of an entry whose source came before end
  // in a comparison with that first source, which lies anywhere: its bytes are fetched in steps
  // too (the slot, then the group's entry of firstSource, then the bytes), each step's memory on
  // hand when the next one reads it. A guess at most: a group added meanwhile is only not fetched.
  constexpr std::size_t kSlotAhead = 24, kGroupAhead = 16, kBytesAhead = 8;
  std::vector<uint32_t> hashes(n);
  const auto hashAt = [&](std::size_t p) {
    const TWordObj *e = Items[p];
    if (e->Hidden) return;
    const uint64_t h = HashIgnoringAsciiCase(e->Source());
    hashes[p] = static_cast<uint32_t>(h ^ (h >> 32));
  };
  THashTable<TGroupSlot> firsts(n);
  std::vector<std::string_view> firstSource; // per group: its first member's source
  firstSource.reserve(n);
  const auto peek = [&](std::size_t p) -> const TGroupSlot * {
    return firsts.Find(hashes[p], [](const TGroupSlot &) { return true; });
  };
  for (std::size_t p = 0; p < std::min(n, kSlotAhead); ++p) hashAt(p);
  uint32_t groups = 0;
  for (std::size_t p = 0; p < n; ++p) {
    if (p + kSlotAhead < n) {
      hashAt(p + kSlotAhead);
      firsts.Prefetch(hashes[p + kSlotAhead]);
    }
    if (p + kGroupAhead < n)
      if (const TGroupSlot *slot = peek(p + kGroupAhead); slot && slot->Group < firstSource.size())
        __builtin_prefetch(&firstSource[slot->Group]);
    if (p + kBytesAhead < n)
      if (const TGroupSlot *slot = peek(p + kBytesAhead); slot && slot->Group < firstSource.size())
        __builtin_prefetch(firstSource[slot->Group].data());
    TWordObj *e = Items[p];
    e->Pos = static_cast<int32_t>(p);
    if (e->Hidden) {
      s.Group[p] = groups++;
      firstSource.emplace_back();
      continue;
    }
    const std::string_view source = e->Source();
    const auto [found, added] =
        firsts.FindOrInsert(TGroupSlot{hashes[p], groups}, [&](const TGroupSlot &other) {
          const std::string_view first = firstSource[other.Group];
          return first.size() == source.size() && SameIgnoringAsciiCase(first, source);
        });
    if (added) {
      ++groups;
      firstSource.push_back(source);
    }
    s.Group[p] = found->Group;
  }
  if (!InListOrder(entries, Items.Raw()))
    for (const TWordObj *e : entries)
      if (e->Pos < 0 || static_cast<std::size_t>(e->Pos) >= n || Items[e->Pos] != e) return std::nullopt;
  s.Start.assign(groups + 1, 0);
  for (const uint32_t g : s.Group) ++s.Start[g + 1];
  for (uint32_t g = 0; g < groups; ++g) s.Start[g + 1] += s.Start[g];
  s.Members.resize(n);
  std::vector<uint32_t> next(s.Start.begin(), s.Start.end() - 1);
  for (std::size_t p = 0; p < n; ++p) s.Members[next[s.Group[p]]++] = Items[p];
  return s;
}

int TWordList::ApplyToCandidates(TWordObj *entry, std::span<TWordObj *const> candidates, bool replaceAll,
                                 TEntryList *changedEntries) {
  if (!entry) return 0;
  // The text decoded when a copy needs it (most entries have none to copy to), and encoded once
  // for list items and once for the other kinds, not once per copy.
  std::optional<std::u16string> text;
  std::optional<std::string> encoded[2];
  const TWordObj *plain[2] = {nullptr, nullptr}; // a member given the text without flag letters
  int changed = 0;
  // With distinct keys no other entry of this project has this one's key: the keys' bytes need not
  // be read. An entry from elsewhere (a clone) may well have the key of one of ours.
  const bool distinct = FKeysDistinct && entry->Observer == this;
  // The members of a group lie anywhere: all of them are asked for at once, then the translations
  // whose flag letters each copy keeps, so that their memory waits overlap.
  if (candidates.size() > 1) {
    for (const TWordObj *c : candidates) __builtin_prefetch(c);
    for (const TWordObj *c : candidates) __builtin_prefetch(c->Translation.data());
  }
  for (TWordObj *c : candidates) {
    if (c->Hidden || c == entry) continue;
    if (!(distinct && c->Observer == this) && SameFullId(*c, *entry)) continue;
    if (!c->Translation.empty() && !replaceAll) continue;
    const int form = c->IsListItem() ? 1 : 0;
    std::optional<std::string> &body = encoded[form];
    if (!text) text = entry->TranslationText();
    if (!body) body = c->EncodeValue(*text);
    // Members without flag letters are stored alike: the first one's copy is shared by the others.
    const bool letters = c->Flags() != 0; // kept by SetTranslationBody
    if (letters || !plain[form] || !c->ShareStoredTranslation(*plain[form])) {
      c->SetTranslationBody(*body);
      if (!plain[form] && !letters) plain[form] = c;
    }
    // A stored text holds no "~" (only flag letters stay): only an empty one changes state.
    if (c->Translation.empty()) c->SetAutoState(esAutoTranslated);
    if (changedEntries) changedEntries->push_back(c);
    ++changed;
  }
  return changed;
}

// --- the hint merge --------------------------------------------------------------------------------

void TWordList::MergeHints() {
  // Kinds change under the cached object values; they are read again on the next SetCurrentObject.
  CurrentProps.reset();
  CurrentObject.clear();
  ForgetSelectionIndexed();
  Index().Invalidate();
  auto &items = Items.Raw();
  SortByFullId(items);
  // Merged short hints leave a hole that one compaction closes, instead of an erase per entry.
  for (std::size_t i = items.size(); i-- > 1;) {
    TWordObj *e = items[i];
    if (e->Kind() == kind::TH) {
      TWordObj *pred = items[i - 1];
      if (pred->Kind() == kind::TF && SameObjectId(*pred, *e)) {
        MergeHintPair(*pred, *e);
        e->Observer = nullptr;
        e->Pos = -1;
        items[i] = nullptr;
        TRefObj::Release(e);
      } else {
        e->SetKind(std::string(kind::THF));
      }
    } else if (e->Kind() == kind::TF) {
      MakeLoneFullHint(*e);
    }
  }
  std::erase(items, nullptr);
  for (std::size_t i = items.size(); i-- > 0;) {
    TWordObj *e = items[i];
    if (e->Kind() == kind::TH)
      e->SetKind(std::string(kind::THF));
    else if (e->Kind() == kind::TF)
      MakeLoneFullHint(*e);
  }
  ItemsReordered();
}

} // namespace vt
