#include "project_reader.h"

#include "ids.h"

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
  for (const TPendingEntry &p : pending) Assign(p.Entry->AutoText, ini.FindValue(section, p.Key), store);
}

} // namespace vt
