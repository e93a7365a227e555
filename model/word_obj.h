#pragma once
// One translatable text of a project: where it lives, its source, its translation with the status
// letters that travel with it, the translator's comment and a machine suggestion.
#include "ids.h"
#include "release_obj.h"

#include <string>
#include <string_view>

namespace vt {

class TWordObj;

// Told before and after an entry's identity or source changes, so that a project's hashed
// look-ups follow the entry (Section, Name, Kind, Source).
class TEntryObserver {
public:
  virtual void EntryKeyChanging(TWordObj &entry) = 0;
  virtual void EntryKeyChanged(TWordObj &entry) = 0;

protected:
  ~TEntryObserver() = default;
};

class TWordObj : public TRefObj {
public:
  TWordObj() = default;
  TWordObj(std::string section, std::string name, std::string kind, std::string source);

  // Identity and source: read freely, written through the setters so indexes stay right.
  const std::string &Section() const noexcept { return FSection; }
  const std::string &Name() const noexcept { return FName; }
  const std::string &Kind() const noexcept { return FKind; }
  const std::string &Source() const noexcept { return FSource; }
  void SetSection(std::string value);
  void SetName(std::string value);
  void SetKind(std::string value);
  void SetSource(std::string value);

  std::string Translation; // stored: optional "[" letters "]" prefix, then the stored body
  std::string Comment;     // plain Windows-1252 text, not encoded
  std::string AutoText;    // stored value from the auto-translation file
  int32_t Index = 0;       // position in Items at load time
  bool Hidden = false;     // kind begins with "_"
  int32_t Score = 0;       // similarity score of the last FindSimilar
  bool Changed = false;    // edited since the last save

  // The project's index, or none for clones and free entries.
  TEntryObserver *Observer = nullptr;
  // Position in the project's Items, kept by the project for first-match look-ups.
  int32_t Pos = -1;

  std::string FullId() const;
  std::string ObjectId() const;
  std::string Key() const;
  bool IsHintKind() const;

  // Prefix and state operations on the stored Translation.
  std::string FlagPrefix() const;
  std::string TranslationBody() const;
  TEntryFlags Flags() const;
  TEntryState State() const;
  void SetFlagPrefix(std::string_view prefix);
  void SetFlags(TEntryFlags flags);
  void SetAutoState(TEntryState state);

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

  // A new, independent entry with one holder (Comment is not copied).
  TWordObj *Clone() const;

protected:
  ~TWordObj() override = default;

private:
  template <class Fn> void ChangeKey(Fn &&fn);

  std::string FSection;
  std::string FName;
  std::string FKind;
  std::string FSource;
};

// Orderings (ordinal, case-sensitive on stored bytes).
bool LessByFullId(const TWordObj *a, const TWordObj *b);
bool LessByIndex(const TWordObj *a, const TWordObj *b);
bool MoreByScore(const TWordObj *a, const TWordObj *b);
// Main list order: column 0 FullId, 1 Source, 2 Translation, other Index; ties by Index;
// descending negates the whole comparison. Returns <0, 0, >0.
int CompareMainList(const TWordObj *a, const TWordObj *b, int column, bool descending);

} // namespace vt
