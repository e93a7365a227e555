#include "project_reader.h"

#include "ids.h"

#include "support/hash_table.h"

namespace vt {

namespace {

// Whether line is key + the comment suffix, without composing it.
bool IsCommentKey(std::string_view line, std::string_view key) {
  const std::string_view suffix = kind::CommentSuffix;
  return line.size() == key.size() + suffix.size() && SameIniName(line.substr(0, key.size()), key) &&
         SameIniName(line.substr(key.size()), suffix);
}

bool EndsWithCommentSuffix(std::string_view key) {
  const std::string_view suffix = kind::CommentSuffix;
  return key.size() >= suffix.size() && SameIniName(key.substr(key.size() - suffix.size()), suffix);
}

// Walks the section's keyed lines alongside the wanted keys. Succeeds only when every keyed line
// was taken at its turn: then each line is the only one of its key and a key not met is absent.
class TOrderedWalk {
public:
  explicit TOrderedWalk(const TIniSection &section) : FLines(section.Lines) {}

  const TCompactText *TakeIf(std::string_view key, bool comment) {
    SkipRaw();
    if (FPos == FLines.size()) return nullptr;
    const std::string_view lineKey = FLines[FPos].Key;
    if (comment ? !IsCommentKey(lineKey, key) : !SameIniName(lineKey, key)) return nullptr;
    return &FLines[FPos++].Value;
  }
  bool AllTaken() {
    SkipRaw();
    return FPos == FLines.size();
  }
  // Calls visit with each keyed line not taken: those from the first line not taken in turn on.
  template <class Visit> void ForEachRest(Visit &&visit) const {
    for (std::size_t l = FPos; l < FLines.size(); ++l)
      if (!FLines[l].Key.empty()) visit(FLines[l]);
  }

private:
  void SkipRaw() {
    while (FPos < FLines.size() && FLines[FPos].Key.empty()) ++FPos;
  }
  const std::vector<TIniLine> &FLines;
  std::size_t FPos = 0;
};

// A value read from the file views the file's bytes, which the store holds; one written into the
// ini object since it was read is copied into the store.
void Assign(TCompactText &target, const TCompactText *value, TTextStore &store) {
  if (!value)
    target.clear();
  else if (value->IsView())
    target.SetView(*value);
  else
    target.SetView(store.Keep(*value));
}

// The text is now what saving would write back unchanged: the file's value, or no line at all. An
// empty value keeps the change mark, since saving deletes its line.
void MarkStored(TCompactText &text, const TCompactText *value) {
  if (!value || !value->empty()) text.ClearChanged();
}

// The entries of a section by key (without case), for the lines a walk did not take.
class TPendingKeys {
public:
  explicit TPendingKeys(const std::vector<TPendingEntry> &pending) : FPending(pending) {
    FSlots.Reset(pending.size());
    for (std::size_t i = 0; i < pending.size(); ++i)
      FSlots.Insert(TPositionSlot{IniNameHash(pending[i].Key), static_cast<std::uint32_t>(i)});
  }
  // The position in pending of the entry with that key; none when no entry has it.
  std::size_t Find(std::string_view key) const {
    const TPositionSlot *slot = FSlots.Find(
        IniNameHash(key), [&](const TPositionSlot &s) { return SameIniName(FPending[s.At].Key, key); });
    return slot ? slot->At : kNone;
  }
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

private:
  const std::vector<TPendingEntry> &FPending;
  THashTable<TPositionSlot> FSlots;
};

// Bits of what a walk took for an entry.
constexpr unsigned char kTookTranslation = 1, kTookComment = 2;

// For a section the walk did not take whole: hands give(entry position, comment, value) the lines
// it left (a save appends the keys it adds at the section's end), matched to the entries within
// the section instead of through an index of the whole file. The first of those lines with a key
// is that key's first line in the section, since each line the walk took is of another key; a key
// the walk took keeps its text. The walk is made again to learn what it took, so that sections
// in turn pay nothing for this. comments: lines ending like a comment key are the entries'
// comments (no entry's key may end so). Returns whether each of those lines gave an entry a text
// (no other key, no repeat).
template <class Give>
bool TakeRest(const TIniSection &sec, const std::vector<TPendingEntry> &pending, bool comments, Give &&give) {
  TOrderedWalk w(sec);
  std::vector<unsigned char> took(pending.size(), 0);
  for (std::size_t i = 0; i < pending.size(); ++i) {
    if (w.TakeIf(pending[i].Key, false)) took[i] |= kTookTranslation;
    if (comments && w.TakeIf(pending[i].Key, true)) took[i] |= kTookComment;
  }
  const TPendingKeys keys(pending);
  const std::string_view suffix = kind::CommentSuffix;
  bool all = true;
  w.ForEachRest([&](const TIniLine &line) {
    const std::string_view key = line.Key;
    const bool comment = comments && EndsWithCommentSuffix(key);
    const std::size_t i = keys.Find(comment ? key.substr(0, key.size() - suffix.size()) : key);
    const unsigned char bit = comment ? kTookComment : kTookTranslation;
    if (i == TPendingKeys::kNone || (took[i] & bit)) {
      all = false;
      return;
    }
    took[i] |= bit;
    give(i, comment, line.Value);
  });
  return all;
}

} // namespace

bool ReadTranslations(const TIniFile &ini, std::string_view section,
                      const std::vector<TPendingEntry> &pending, TTextStore &store) {
  const TIniSection *sec = ini.FindSection(section);
  if (!sec) {
    // No section, no line of any key: texts still empty need nothing written.
    for (const TPendingEntry &p : pending) {
      if (p.Entry->Translation.empty()) p.Entry->Translation.ClearChanged();
      if (p.Entry->Comment.empty()) p.Entry->Comment.ClearChanged();
    }
    return true;
  }
  // A key that itself ends like a comment key could be another entry's comment: no walk then.
  bool walk = true;
  for (const TPendingEntry &p : pending)
    if (EndsWithCommentSuffix(p.Key)) walk = false;
  if (walk) {
    TOrderedWalk w(*sec);
    for (const TPendingEntry &p : pending) {
      const TCompactText *translation = w.TakeIf(p.Key, false);
      Assign(p.Entry->Translation, translation, store);
      MarkStored(p.Entry->Translation, translation);
      const TCompactText *comment = w.TakeIf(p.Key, true);
      Assign(p.Entry->Comment, comment, store);
      MarkStored(p.Entry->Comment, comment);
    }
    if (w.AllTaken()) return true;
    return TakeRest(*sec, pending, true, [&](std::size_t i, bool comment, const TCompactText &value) {
      TCompactText &text = comment ? pending[i].Entry->Comment : pending[i].Entry->Translation;
      Assign(text, &value, store);
      MarkStored(text, &value);
    });
  }
  std::string commentKey;
  for (const TPendingEntry &p : pending) {
    const TCompactText *translation = ini.FindValue(section, p.Key);
    Assign(p.Entry->Translation, translation, store);
    MarkStored(p.Entry->Translation, translation);
    commentKey.assign(p.Key).append(kind::CommentSuffix);
    const TCompactText *comment = ini.FindValue(section, commentKey);
    Assign(p.Entry->Comment, comment, store);
    MarkStored(p.Entry->Comment, comment);
  }
  return false;
}

void ReadAutoTexts(const TIniFile &ini, std::string_view section, const std::vector<TPendingEntry> &pending,
                   TTextStore &store) {
  const TIniSection *sec = ini.FindSection(section);
  if (!sec) return;
  TOrderedWalk w(*sec);
  for (const TPendingEntry &p : pending) Assign(p.Entry->AutoText, w.TakeIf(p.Key, false), store);
  if (w.AllTaken()) return;
  // An auto text has no comment.
  TakeRest(*sec, pending, false, [&](std::size_t i, bool, const TCompactText &value) {
    Assign(pending[i].Entry->AutoText, &value, store);
  });
}

} // namespace vt
