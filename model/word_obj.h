#pragma once
// One translatable text of a project: where it lives, its source, its translation with the status
// letters that travel with it, the translator's comment and a machine suggestion.
#include "compact_text.h"
#include "ids.h"
#include "release_obj.h"

#include <new>
#include <string>
#include <string_view>

namespace vt {

class TWordObj;

// Told before and after an entry's identity or source changes, so that a project's hashed
// look-ups follow the entry (Section, Name, Kind, Source), and after its translation changed.
class TEntryObserver {
public:
  virtual void EntryKeyChanging(TWordObj &entry) = 0;
  virtual void EntryKeyChanged(TWordObj &entry) = 0;
  virtual void EntryTranslationChanged(TWordObj &) {}

protected:
  ~TEntryObserver() = default;
};

// The texts are TCompactText: a project's reader makes them views of the files as read (kept alive by
// a TTextStore the entry holds), and any change gives the changed text a copy of its own.
class TWordObj final : public TRefObj {
public:
  TWordObj() = default;
  // Own copies of the texts.
  TWordObj(std::string_view section, std::string_view name, std::string_view kind, std::string_view source);
  // Views of bytes that store keeps alive; the entry takes one reference of store.
  TWordObj(TTextStore &store, std::string_view section, std::string_view name, std::string_view kind,
           std::string_view source);
  // The same, in room of the store (TTextStore::PlaceEntry) instead of the heap: a project's reader
  // makes its entries so. The entry has one holder, as one made by new.
  static TWordObj *Place(TTextStore &store, std::string_view section, std::string_view name,
                         std::string_view kind, std::string_view source);
  // The last holder's release: the entry is destroyed, its memory goes back to the heap unless it
  // is a store's room, and then the store is released (it may take that room along).
  void operator delete(TWordObj *entry, std::destroying_delete_t);

  // Identity and source: read freely, written through the setters so indexes stay right.
  const TCompactText &Section() const noexcept { return FSection; }
  const TCompactText &Name() const noexcept { return FName; }
  const TCompactText &Kind() const noexcept { return FKind; }
  const TCompactText &Source() const noexcept { return FSource; }
  void SetSection(std::string_view value);
  void SetName(std::string_view value);
  void SetKind(std::string_view value);
  void SetSource(std::string_view value);

  TCompactText Translation; // stored: optional "[" letters "]" prefix, then the stored body
  TCompactText Comment;     // plain Windows-1252 text, not encoded
  TCompactText AutoText;    // stored value from the auto-translation file
  int32_t Index = 0;        // position in Items at load time
  int32_t Score = 0;        // similarity score of the last FindSimilar
  // Position in the project's Items, kept by the project for first-match look-ups.
  int32_t Pos = -1;
  bool Hidden = false;  // kind begins with "_"
  bool Changed = false; // edited since the last save

private:
  bool FPlaced = false; // lives in room of FStore (Place); beside the flags, in bytes they leave free
  // What the kind makes of the texts' form (kListItem, kHintKind bits), kept with the kind so that
  // walks over many entries need not read its bytes; in the last byte the flags leave free.
  std::uint8_t FKindForm = 0;
  static constexpr std::uint8_t kListItem = 1, kHintKind = 2;
  void NoteKindForm() noexcept;

public:
  // The project's index, or none for clones and free entries.
  TEntryObserver *Observer = nullptr;

  std::string FullId() const;
  std::string ObjectId() const;
  std::string Key() const;
  // The key as a view when name and kind are one "Name.Kind" of the same bytes (the source file
  // as read), so that it need not be composed; empty otherwise.
  std::string_view KeyView() const noexcept {
    const std::string_view name = FName, kind = FKind;
    if (name.data() + name.size() + 1 != kind.data() || name.data()[name.size()] != '.') return {};
    return {name.data(), name.size() + 1 + kind.size()};
  }
  bool IsHintKind() const noexcept { return (FKindForm & kHintKind) != 0; }
  // The kind is "IT": a list item, stored as quoted items.
  bool IsListItem() const noexcept { return (FKindForm & kListItem) != 0; }

  // Prefix and state operations on the stored Translation.
  std::string FlagPrefix() const;
  std::string TranslationBody() const;
  // Whether the translation decodes to a text, without decoding it: every stored body does but an
  // empty one and a list item's empty quotes (escapes and both readings of the bytes give one or
  // more characters each).
  bool HasTranslationText() const noexcept;
  TEntryFlags Flags() const;
  TEntryState State() const;
  void SetFlagPrefix(std::string_view prefix);
  void SetFlags(TEntryFlags flags);
  void SetAutoState(TEntryState state);
  // The prefix letters changed as SetFlags and SetAutoState change them: the first of each letter
  // of drop leaves, then add follows; a prefix left empty goes.
  void Reprefix(std::string_view drop, std::string_view add);

  // Value conversions between the stored form and the wide form, with the per-kind rules.
  std::u16string DecodeValue(std::string_view stored) const;
  std::string EncodeValue(std::u16string_view wide) const;
  std::u16string SourceText() const;
  std::u16string SourceDisplay() const;
  std::u16string TranslationText() const;
  std::u16string TranslationDisplay() const;
  void SetSourceText(std::u16string_view wide);
  void SetTranslationText(std::u16string_view wide);
  void SetTranslationFromEditor(std::u16string_view wide);
  // Stores an encoded value (as EncodeValue gives it) as the translation's body, keeping the flag
  // letters (only those), as SetTranslationText does after encoding.
  void SetTranslationBody(std::string_view encoded);
  // Replaces the stored translation (flag letters and body) with a copy the entry's store keeps
  // while it has room (TTextStore::KeepInRoom), else with a copy of its own, and tells the
  // observer. Every setter of the translation goes through it, but ShareStoredTranslation.
  void SetStoredTranslation(std::string_view stored);
  // Takes the stored translation of other as its own without a copy, as SetStoredTranslation of
  // the same text would, when other's text is one the store of this entry keeps: false, and
  // nothing changed, otherwise. Many entries given one text (copies to same-source entries) then
  // share its bytes.
  bool ShareStoredTranslation(const TWordObj &other);

  // The store whose bytes views among the texts may point into; none when every text is its own.
  const TTextStore *TextStore() const noexcept { return FStore; }

  // A new, independent entry with one holder (Comment is not copied).
  TWordObj *Clone() const;

protected:
  ~TWordObj() override;

private:
  template <class Fn> void ChangeKey(Fn &&fn);

  TCompactText FSection;
  TCompactText FName;
  TCompactText FKind;
  TCompactText FSource;
  // Keeps the bytes that views among the texts point into; none when every text is its own.
  TTextStore *FStore = nullptr;
};

// While one lives on a thread, the entries deleted on that thread give their store's reference
// back together when it ends, in one step per run of entries of the same store: entries released
// on several cores at once would otherwise take turns at the one count of their store.
class TStoreReleaseBatch {
public:
  TStoreReleaseBatch() noexcept;
  ~TStoreReleaseBatch();
  TStoreReleaseBatch(const TStoreReleaseBatch &) = delete;
  TStoreReleaseBatch &operator=(const TStoreReleaseBatch &) = delete;
  // The batch of this thread, if any.
  static TStoreReleaseBatch *Current() noexcept;
  // Takes one reference of store, to give back later.
  void Take(TTextStore *store) noexcept;

private:
  TStoreReleaseBatch *FOuter;
  TTextStore *FStore = nullptr;
  std::uint32_t FCount = 0;
};

// Orderings (ordinal, case-sensitive on stored bytes).
bool LessByFullId(const TWordObj *a, const TWordObj *b);
bool LessByIndex(const TWordObj *a, const TWordObj *b);
bool MoreByScore(const TWordObj *a, const TWordObj *b);
// Main list order: column 0 FullId, 1 Source, 2 Translation, other Index; ties by Index;
// descending negates the whole comparison. Returns <0, 0, >0.
int CompareMainList(const TWordObj *a, const TWordObj *b, int column, bool descending);

} // namespace vt
