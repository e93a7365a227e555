#include "batch_fixes.h"

#include "client/core/machine_text.h"
#include "model/status_prefix.h"
#include "model/text_helpers.h"
#include "model/trans_man.h"
#include "support/byte_words.h"
#include "support/text_codec.h"

#include <unicode/ustring.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace vt {

namespace {

enum class THidden { Skip, Visit };

// Whether plain stored texts are changed as bytes (see PlainLines).
bool StoredPaths = true;

// Walks list (a copy of the pointers: a command may not change the list it walks, but the caller's
// list stays valid either way) and counts the entries fix reports as changed.
template <class Fix>
int Walk(const TReleaseList<TWordObj> &list, THidden hidden, TEntryList *changed, Fix &&fix) {
  int count = 0;
  for (TWordObj *e : list) {
    if (e->Hidden && hidden == THidden::Skip) continue;
    if (!fix(*e)) continue;
    ++count;
    if (changed) changed->push_back(e);
  }
  return count;
}

// A change of the stored translation: true when it differs afterwards.
template <class Change> bool ChangeTranslation(TWordObj &e, Change &&change) {
  thread_local std::string before; // one buffer for every entry of a command
  before.assign(e.Translation.view());
  change(e);
  return e.Translation != before;
}

// Edits of translations make the project Modified, so that closing asks before dropping them.
int Touch(TWordList &project, int count) {
  if (count > 0) project.Modified = true;
  return count;
}

// The entry and the project take the change flags of an edit.
bool MarkEdited(TWordList &project, TWordObj &e) {
  e.Changed = true;
  project.Modified = true;
  return true;
}

// Whether the status prefix of a stored translation holds letter.
bool HasLetter(std::string_view stored, char letter) {
  return StatusPrefix(stored).find(letter) != std::string_view::npos;
}

bool ChangeFlags(TWordObj &e, TEntryFlags add, TEntryFlags remove) {
  const TEntryFlags flags = e.Flags();
  const auto wanted = static_cast<TEntryFlags>((flags | add) & ~remove);
  if (wanted == flags) return false;
  e.SetFlags(wanted);
  return true;
}

// Whether the translation text is not empty (see TWordObj::HasTranslationText).
bool HasText(const TWordObj &e) {
  return StoredPaths ? e.HasTranslationText() : !e.TranslationText().empty();
}

// Every occurrence of what in text replaced (left to right, the scan going on after each replacement).
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view what, std::u16string_view with) {
  std::u16string out;
  std::size_t from = 0;
  for (auto at = text.find(what); at != std::u16string_view::npos; at = text.find(what, from)) {
    out.append(text.substr(from, at - from)).append(with);
    from = at + what.size();
  }
  out.append(text.substr(from));
  return out;
}

// The stored translation drops trailing line breaks: texts that differ only there are the same.
std::u16string_view WithoutTrailingBreaks(std::u16string_view text) {
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.remove_suffix(1);
  return text;
}

bool EndsWithStopOrColon(std::u16string_view text) {
  return !text.empty() && (text.back() == u'.' || text.back() == u':');
}

// The full upper-case form of the character at the start of text (a surrogate pair is one
// character); length receives how many code units it took.
std::u16string UpperFirst(std::u16string_view text, std::size_t &length) {
  length = 1;
  if (text.size() >= 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF)
    length = 2;
  UChar out[8];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = u_strToUpper(out, 8, reinterpret_cast<const UChar *>(text.data()),
                                 static_cast<int32_t>(length), "", &status);
  if (U_FAILURE(status) || n <= 0 || n > 8) return std::u16string(text.substr(0, length));
  return std::u16string(reinterpret_cast<const char16_t *>(out), static_cast<std::size_t>(n));
}

enum class TSourceEnd { Empty, Ellipsis, Other };

// How the source as the editor shows it ends, mostly without decoding it: a stored source without
// escapes or list quotes ends in "..." exactly when its bytes do ("|" of a hint becomes a line break).
TSourceEnd SourceEnd(const TWordObj &e) {
  const std::string_view source = e.Source();
  if (source.empty()) return TSourceEnd::Empty;
  if (source.find('\\') == std::string_view::npos && source.front() != '"')
    return source.ends_with("...") ? TSourceEnd::Ellipsis : TSourceEnd::Other;
  const std::u16string shown = e.SourceDisplay();
  if (shown.empty()) return TSourceEnd::Empty;
  return EndsInEllipsis(shown) ? TSourceEnd::Ellipsis : TSourceEnd::Other;
}

// ---- plain stored texts ------------------------------------------------------------------------------
// Most stored values hold no escape but line breaks and no control character, and their UTF-8 has
// one sequence per UTF-16 code unit: then the text is the stored bytes themselves, cut into lines,
// and the commands change those bytes without decoding and encoding the whole value.

unsigned char Byte(char c) {
  return static_cast<unsigned char>(c);
}

// Length of the sequence at text[at] (a byte of 0x80 or more) when it is well-formed UTF-8 of one
// UTF-16 code unit (two or three bytes, encoded surrogates included); 0 otherwise.
std::size_t UnitSequence(std::string_view text, std::size_t at) {
  const unsigned char b0 = Byte(text[at]);
  if (b0 >= 0xC2 && b0 <= 0xDF) return at + 1 < text.size() && IsUtf8Continuation(Byte(text[at + 1])) ? 2 : 0;
  if (b0 < 0xE0 || b0 > 0xEF || at + 2 >= text.size()) return 0;
  const unsigned char b1 = Byte(text[at + 1]), b2 = Byte(text[at + 2]);
  if (!IsUtf8Continuation(b1) || !IsUtf8Continuation(b2) || (b0 == 0xE0 && b1 < 0xA0)) return 0;
  return 3;
}

// How a stored value separates its lines: "\n" escapes, also "|" (hints as the editor shows them),
// or "," between quoted items (list items, quotes around the whole).
enum class TLineForm { Escaped, Hint, List };

TLineForm FormOf(const TWordObj &e, bool editor) {
  if (e.IsListItem()) return TLineForm::List;
  return editor && e.IsHintKind() ? TLineForm::Hint : TLineForm::Escaped;
}

// Where the next byte from at is one PlainLines must look at (a byte of 0x80 or more, a control
// character, "\\" or the form's other separator byte), or the end; eight bytes at a time, the last
// few of the text in a word filled up with ordinary bytes.
std::size_t NextSpecialByte(std::string_view text, std::size_t at, char separator) {
  const auto marks = [separator](std::uint64_t w) {
    // Each kind of mark is exact for its lowest byte, so the lowest of all is the first such byte.
    return (w & kByteHighs) | BelowByteMarks(w, 32) | EqualByteMarks(w, '\\') |
           EqualByteMarks(w, static_cast<unsigned char>(separator));
  };
  for (; at + 8 <= text.size(); at += 8)
    if (const std::uint64_t m = marks(LoadWord(text.data() + at)); m != 0)
      return at + static_cast<std::size_t>(std::countr_zero(m) / 8);
  if (at == text.size()) return at;
  std::uint64_t w = kByteOnes * 'a';
  std::memcpy(&w, text.data() + at, text.size() - at);
  const std::uint64_t m = marks(w);
  return m == 0 ? text.size() : at + static_cast<std::size_t>(std::countr_zero(m) / 8);
}

// The lines of a stored value's text as views of its bytes, when the value is plain (see above);
// false when it needs the general decoding. A list item must be quoted.
bool PlainLines(std::string_view stored, TLineForm form, std::vector<std::string_view> &lines) {
  lines.clear();
  if (!StoredPaths) return false;
  if (form == TLineForm::List) {
    if (stored.size() < 2 || stored.front() != '"' || stored.back() != '"') return false;
    stored = stored.substr(1, stored.size() - 2);
  }
  std::size_t start = 0;
  const char formByte = form == TLineForm::Hint ? '|' : form == TLineForm::List ? '"' : '\\';
  for (std::size_t i = 0; i < stored.size();) {
    i = NextSpecialByte(stored, i, formByte);
    if (i == stored.size()) break;
    const unsigned char c = Byte(stored[i]);
    std::size_t separator = 0;
    if (c >= 0x80) {
      const std::size_t n = UnitSequence(stored, i);
      if (n == 0) return false;
      i += n;
      continue;
    }
    if (c < 32) return false;
    if (c == '\\') {
      if (form == TLineForm::List || i + 1 >= stored.size() || stored[i + 1] != 'n') return false;
      separator = 2;
    } else if (c == '|' && form == TLineForm::Hint) {
      separator = 1;
    } else if (c == '"' && form == TLineForm::List && stored.compare(i, 3, "\",\"") == 0) {
      separator = 3;
    }
    if (separator == 0) {
      ++i;
      continue;
    }
    lines.push_back(stored.substr(start, i - start));
    i += separator;
    start = i;
  }
  lines.push_back(stored.substr(start));
  return true;
}

// The stored value of lines (a hint's breaks as "|" when the editor stores it).
class TLineWriter {
public:
  TLineWriter(TLineForm form, std::string &out) : FForm(form), FOut(out) {
    FOut.clear();
    if (FForm == TLineForm::List) FOut.push_back('"');
  }
  // Starts the next line (a separator before every line but the first).
  std::string &Line() {
    if (FLines++ > 0)
      FOut.append(FForm == TLineForm::List   ? std::string_view("\",\"")
                  : FForm == TLineForm::Hint ? std::string_view("|")
                                             : std::string_view("\\n"));
    return FOut;
  }
  // An empty text is stored empty (a list item without quotes).
  void Finish() {
    if (FLines == 0 || (FForm == TLineForm::List && FOut.size() == 1))
      FOut.clear();
    else if (FForm == TLineForm::List)
      FOut.push_back('"');
  }

private:
  TLineForm FForm;
  std::string &FOut;
  std::size_t FLines = 0;
};

// How many lines are left when the trailing empty ones go.
std::size_t LinesKept(const std::vector<std::string_view> &lines, std::size_t count) {
  while (count > 0 && lines[count - 1].empty()) --count;
  return count;
}

// Capitalize on plain lines: true with the stored value in out when a first character changes.
bool CapitalizeLines(const std::vector<std::string_view> &lines, TLineForm form, std::string &out) {
  TLineWriter writer(form, out);
  bool changed = false;
  const std::size_t kept = LinesKept(lines, lines.size());
  for (std::size_t i = 0; i < kept; ++i) {
    std::string &to = writer.Line();
    std::string_view line = lines[i];
    if (line.empty()) continue;
    const unsigned char first = Byte(line.front());
    if (first < 0x80) {
      const bool lower = first >= 'a' && first <= 'z';
      changed |= lower;
      to.push_back(lower ? static_cast<char>(first - 'a' + 'A') : static_cast<char>(first));
      to.append(line.substr(1));
      continue;
    }
    // One character: a code unit, or a surrogate pair stored as two sequences.
    std::size_t length = UnitSequence(line, 0);
    std::u16string unit;
    StoredUtf8ToUtf16(line.substr(0, length), unit);
    if (unit.size() == 1 && unit[0] >= 0xD800 && unit[0] <= 0xDBFF && length < line.size() &&
        UnitSequence(line, length) == 3) {
      std::u16string low;
      StoredUtf8ToUtf16(line.substr(length, 3), low);
      if (low[0] >= 0xDC00 && low[0] <= 0xDFFF) {
        unit += low;
        length += 3;
      }
    }
    std::size_t units = 0;
    const std::string upper = Utf16ToStoredUtf8(UpperFirst(unit, units));
    changed |= upper != line.substr(0, length);
    to.append(upper).append(line.substr(length));
  }
  writer.Finish();
  return changed;
}

// Trailing "..." after the source on plain lines: true with the stored value in out when the rule
// changes the text (when it applies, it always does).
bool MirrorLines(const std::vector<std::string_view> &lines, TLineForm form, TSourceEnd end,
                 std::string &out) {
  if (end == TSourceEnd::Empty) return false;
  const std::string_view last = lines.back();
  const bool ellipsis = last.size() >= 3 && last.ends_with("...");
  const bool empty = lines.size() == 1 && last.empty();
  if ((end == TSourceEnd::Ellipsis) == ellipsis || (end == TSourceEnd::Ellipsis && empty)) return false;
  TLineWriter writer(form, out);
  if (end == TSourceEnd::Ellipsis) {
    for (const std::string_view line : lines) writer.Line().append(line);
    out.append("...");
  } else {
    const std::string_view stripped = last.substr(0, last.size() - 3);
    const std::size_t kept = stripped.empty() ? LinesKept(lines, lines.size() - 1) : lines.size();
    for (std::size_t i = 0; i < kept; ++i) writer.Line().append(i + 1 < lines.size() ? lines[i] : stripped);
  }
  writer.Finish();
  return true;
}

// Runs an editor rule on each visible selected entry as a typed edit would: the entry becomes
// current (settling the one before), the rule's result is stored as the editor's text. An entry
// the rule leaves as it is takes no part: making it current and leaving it changes nothing. A
// changed entry settles at once, which is what making the next entry current would do first: it
// is marked changed and, when it has text, its translation goes to the same-source entries (those
// come first in changed, then the entry, as the edit session reports them). Done here directly, as
// TEditSession's Store and Settle do it, without the session's undo copy of each entry.
// plainRule does the same on the lines of a plain text (see PlainLines): true with the stored value
// in its last argument when the text changes.
template <class Rule, class PlainRule>
int EditSelection(TWordList &project, bool replaceAll, TEntryList *changed, Rule &&rule,
                  PlainRule &&plainRule) {
  int count = 0;
  // Nothing below changes Selection (a copy of a million pointers would be fresh memory).
  const TEntryList &entries = project.Selection.Raw();
  std::string before, stored;
  std::vector<std::string_view> lines;
  TEntryList copied;
  bool grouped = false;
  std::optional<TWordList::TSameSources> same;
  for (TWordObj *e : entries) {
    if (e->Hidden || e->Translation.empty()) continue; // an empty editor stays empty
    const TLineForm form = FormOf(*e, true);
    if (PlainLines(StatusBody(e->Translation), form, lines)) {
      if (!plainRule(lines, form, *e, stored)) continue;
      before.assign(e->Translation.view());
      e->SetTranslationBody(stored);
    } else {
      std::u16string text = e->TranslationDisplay();
      if (text.find_first_of(u"\r\n") != std::u16string::npos) text = EditorLineBreaks(text);
      const std::optional<std::u16string> result = rule(text, *e); // none: the rule leaves the text
      if (!result || WithoutTrailingBreaks(*result) == WithoutTrailingBreaks(text)) continue;
      before.assign(e->Translation.view());
      e->SetTranslationFromEditor(*result);
    }
    MarkEdited(project, *e);
    if (e->Translation == before) continue;
    if (HasText(*e)) {
      copied.clear();
      if (!grouped) { // the groups of the whole project at once, instead of a look-up per entry
        grouped = true;
        if (StoredPaths) same = project.SameSources(entries);
      }
      if (same)
        project.ApplyToCandidates(e, same->Of(*e), replaceAll, &copied);
      else
        project.ApplyToSameSource(e, replaceAll, &copied);
      if (changed) changed->insert(changed->end(), copied.begin(), copied.end());
    }
    ++count;
    if (changed) changed->push_back(e);
  }
  return count;
}

} // namespace

// ---- Batch menu -------------------------------------------------------------------------------------

int SetAutoTranslatedFlag(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Selection, THidden::Skip, changed, [](TWordObj &e) {
                 if (!HasText(e) || HasLetter(e.Translation, '~')) return false;
                 e.Reprefix("~", "~");
                 return true;
               }));
}

int ClearAutoTranslatedFlag(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Selection, THidden::Skip, changed, [](TWordObj &e) {
                 if (!HasLetter(e.Translation, '~')) return false;
                 e.Reprefix("~", "");
                 return true;
               }));
}

int ClearAllTranslations(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Selection, THidden::Visit, changed, [](TWordObj &e) {
                 return ChangeTranslation(e, [](TWordObj &x) { x.SetTranslationText({}); });
               }));
}

int CopyFromSrcText(TWordList &project, TEntryList *changed) {
  return Walk(project.Items, THidden::Skip, changed, [&](TWordObj &e) {
    if (HasText(e)) return false;
    if (!ChangeTranslation(e, [](TWordObj &x) { x.SetTranslationText(x.SourceText()); })) return false;
    return MarkEdited(project, e);
  });
}

int RemoveExactTranslations(TWordList &project, TEntryList *changed) {
  return Walk(project.Items, THidden::Skip, changed, [&](TWordObj &e) {
    if (e.Translation.empty() || e.TranslationText() != e.SourceText()) return false;
    e.Translation.clear();
    return MarkEdited(project, e);
  });
}

int SetQueryFlags(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Selection, THidden::Skip, changed,
                             [](TWordObj &e) { return ChangeFlags(e, efQuery, 0); }));
}

int RemoveQueryFlags(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Selection, THidden::Skip, changed,
                             [](TWordObj &e) { return ChangeFlags(e, 0, efQuery); }));
}

int SetModifiedFlag(TWordList &project, TEntryList *changed) {
  return Walk(project.Selection, THidden::Skip, changed,
              [](TWordObj &e) { return !std::exchange(e.Changed, true); });
}

int RemoveModifiedFlag(TWordList &project, TEntryList *changed) {
  return Walk(project.Selection, THidden::Skip, changed,
              [](TWordObj &e) { return std::exchange(e.Changed, false); });
}

int SetWarning(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Selection, THidden::Skip, changed,
                             [](TWordObj &e) { return ChangeFlags(e, efWarning, 0); }));
}

int RemoveWarnings(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Selection, THidden::Skip, changed,
                             [](TWordObj &e) { return ChangeFlags(e, 0, efWarning); }));
}

namespace {

// The test marker's stored form (U+03AD as stored UTF-8).
constexpr std::string_view kStoredTestChar = "\xCE\xAD";

// The marker before the plain text of lines (as the entry's own text; each line of lines[0] on):
// false when the text begins with it already.
bool AddTestCharToLines(TWordObj &e, const std::vector<std::string_view> &lines, TLineForm form) {
  if (lines.front().starts_with(kStoredTestChar)) return false;
  thread_local std::string stored;
  TLineWriter writer(form, stored);
  writer.Line().append(kStoredTestChar).append(lines.front());
  for (std::size_t i = 1; i < lines.size(); ++i) writer.Line().append(lines[i]);
  writer.Finish();
  // The body gains the marker in front: the translation always changes.
  e.SetTranslationBody(stored);
  return true;
}

bool IsEmptyText(const std::vector<std::string_view> &lines) {
  return lines.size() == 1 && lines.front().empty();
}

} // namespace

int AddUnicodeTestChar(TWordList &project, TEntryList *changed) {
  std::vector<std::string_view> lines;
  return Touch(project, Walk(project.Selection, THidden::Visit, changed, [&](TWordObj &e) {
                 const TLineForm form = FormOf(e, false);
                 if (PlainLines(StatusBody(e.Translation), form, lines)) {
                   if (!IsEmptyText(lines)) return AddTestCharToLines(e, lines, form);
                   if (PlainLines(e.Source(), form, lines)) return AddTestCharToLines(e, lines, form);
                 }
                 std::u16string text = e.TranslationText();
                 if (text.empty()) text = e.SourceText();
                 if (!text.empty() && text.front() == kUnicodeTestChar) return false;
                 text.insert(text.begin(), kUnicodeTestChar);
                 return ChangeTranslation(e, [&](TWordObj &x) { x.SetTranslationText(text); });
               }));
}

int RemoveUnicodeTestChar(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Selection, THidden::Visit, changed, [](TWordObj &e) {
                 const std::u16string text = e.TranslationText();
                 if (text.empty() || text.front() != kUnicodeTestChar) return false;
                 return ChangeTranslation(e, [&](TWordObj &x) { x.SetTranslationText(text.substr(1)); });
               }));
}

int AddNumbers(TWordList &project, TEntryList *changed) {
  std::vector<std::string_view> lines;
  std::string stored;
  return Touch(project, Walk(project.Selection, THidden::Visit, changed, [&](TWordObj &e) {
                 const TLineForm form = FormOf(e, false);
                 if (PlainLines(StatusBody(e.Translation), form, lines)) {
                   if (IsEmptyText(lines)) return false;
                   const std::string_view first = lines.front();
                   if (!first.empty() && first.front() >= '0' && first.front() <= '9') return false;
                   TLineWriter writer(form, stored);
                   writer.Line().append(std::to_string(e.Index)).append("_").append(first);
                   for (std::size_t i = 1; i < lines.size(); ++i) writer.Line().append(lines[i]);
                   writer.Finish();
                   // The body gains the number in front: the translation always changes.
                   e.SetTranslationBody(stored);
                   return true;
                 }
                 const std::u16string text = e.TranslationText();
                 if (text.empty()) return false;
                 const std::string first = Utf16ToCp1252(text.substr(0, 1));
                 if (!first.empty() && first[0] >= '0' && first[0] <= '9') return false;
                 const std::string number = std::to_string(e.Index) + "_";
                 std::u16string numbered(number.begin(), number.end());
                 numbered += text;
                 return ChangeTranslation(e, [&](TWordObj &x) { x.SetTranslationText(numbered); });
               }));
}

bool IsGuiSection(std::string_view section) {
  return section == section::Actions || section == section::Properties ||
         section.starts_with(section::TidPrefix);
}

namespace {

// Keeps the order; the holders of the removed entries are given back.
int NarrowSelection(TWordList &project, bool gui) {
  const std::size_t before = project.Selection.Count();
  project.FilterBySection([gui](std::string_view section) { return IsGuiSection(section) == gui; });
  return static_cast<int>(before - project.Selection.Count());
}

} // namespace

int ShowOnlyGui(TWordList &project) {
  return NarrowSelection(project, true);
}

int ShowOnlyApp(TWordList &project) {
  return NarrowSelection(project, false);
}

// ---- BatchProcessing and Translate menus ------------------------------------------------------------

int RemoveTrailingPeriod(TWordList &project, TEntryList *changed) {
  return Walk(project.Selection, THidden::Skip, changed, [](TWordObj &e) {
    std::u16string text = e.SourceText();
    if (!EndsWithStopOrColon(text)) return false;
    text.pop_back();
    e.SetSourceText(text);
    return true;
  });
}

int RemoveAccelerators(TWordList &project, TEntryList *changed) {
  return Walk(project.Selection, THidden::Skip, changed, [](TWordObj &e) {
    if (e.Source().empty() || e.SourceText().empty()) return false;
    const std::string_view source = e.Source();
    for (std::size_t i = 0; i < source.size(); ++i) {
      if (source[i] != '&') continue;
      if (i + 1 < source.size() && source[i + 1] == '&') {
        ++i; // "&&" is a literal "&"
        continue;
      }
      std::string stripped(source.substr(0, i));
      stripped.append(source.substr(i + 1));
      e.SetSource(stripped);
      return true;
    }
    return false;
  });
}

int ReplicateTrailingPeriods(TWordList &project, bool replaceAll, TEntryList *changed) {
  return EditSelection(
      project, replaceAll, changed,
      [](std::u16string_view text, const TWordObj &e) -> std::optional<std::u16string> {
        // Only the source's end counts (its line breaks may stay), and only when
        // the text's end differs from it.
        const TSourceEnd end = SourceEnd(e);
        if (end == TSourceEnd::Empty) return std::nullopt;
        if ((end == TSourceEnd::Ellipsis) == EndsInEllipsis(text) ||
            (end == TSourceEnd::Ellipsis && text.empty()))
          return std::nullopt;
        return end == TSourceEnd::Ellipsis ? AddTrailing(text) : StripTrailing(text);
      },
      [](const std::vector<std::string_view> &lines, TLineForm form, const TWordObj &e, std::string &out) {
        return MirrorLines(lines, form, SourceEnd(e), out);
      });
}

int CaptilaizeSelectedList(TWordList &project, bool replaceAll, TEntryList *changed) {
  return EditSelection(
      project, replaceAll, changed,
      [](std::u16string_view text, const TWordObj &) -> std::optional<std::u16string> {
        return Capitalize(text);
      },
      [](const std::vector<std::string_view> &lines, TLineForm form, const TWordObj &, std::string &out) {
        return CapitalizeLines(lines, form, out);
      });
}

// ---- System menu ------------------------------------------------------------------------------------

int FlagAuto(TWordList &project, TEntryList *changed) {
  return Walk(project.Items, THidden::Visit, changed, [&](TWordObj &e) {
    if (e.AutoText.empty()) return false;
    const std::string_view a = StatusBody(e.AutoText);
    const std::string_view t = StatusBody(e.Translation);
    if (a.empty() || a == t || a == e.Source().view()) return false;
    if (!t.empty()) {
      ChangeFlags(e, efQuery, 0);
      // The translator's own note stays; the suggestion remains the entry's AutoText.
      if (e.Comment.empty()) e.Comment = a;
    } else {
      const TEntryFlags letters = e.Flags();
      std::string body(a);
      if (body.front() == '[') body.replace(0, 1, "\\91"); // a body must not read as a prefix
      e.SetStoredTranslation(body);
      e.SetAutoState(esAutoTranslated);
      if (letters != 0) e.SetFlags(letters);
    }
    return MarkEdited(project, e);
  });
}

int FixInvalid(TWordList &project, TEntryList *changed) {
  return Walk(project.Items, THidden::Skip, changed, [&](TWordObj &e) {
    if (e.Translation.empty() || !e.TranslationText().empty()) return false;
    e.SetTranslationText(Cp1252ToUtf16(e.TranslationBody()));
    return MarkEdited(project, e);
  });
}

namespace {

// The Items fixes of translation texts: rule gives the new text; a different one is stored with a
// warning.
template <class Rule> int FixTexts(TWordList &project, TEntryList *changed, Rule &&rule) {
  return Walk(project.Items, THidden::Skip, changed, [&](TWordObj &e) {
    if (e.Translation.empty()) return false;
    const std::u16string text = e.TranslationText();
    if (text.empty()) return false;
    const std::u16string fixed = rule(text);
    if (fixed == text) return false;
    ChangeFlags(e, efWarning, 0);
    e.SetTranslationText(fixed);
    return MarkEdited(project, e);
  });
}

} // namespace

int FixHtmlCodes(TWordList &project, TEntryList *changed) {
  return FixTexts(project, changed, [](const std::u16string &text) {
    return ReplaceAll(ReplaceAll(ReplaceAll(text, u"&lt;", u"<"), u"&gt;", u">"), u"&nbsp;", u" ");
  });
}

int FixParamCase(TWordList &project, TEntryList *changed) {
  return FixTexts(project, changed, [](std::u16string text) {
    bool inside = false;
    for (char16_t &c : text) {
      if (c == u'[')
        inside = true;
      else if (c == u']')
        inside = false;
      else if (inside && c >= u'a' && c <= u'z')
        c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return text;
  });
}

int MarkNonAscii(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Items, THidden::Visit, changed, [](TWordObj &e) {
                 const std::string_view source = e.Source();
                 if (source.empty()) return false;
                 // Decoded as UTF-8 and written back as 8-bit text, only pure ASCII comes back the same.
                 if (std::none_of(source.begin(), source.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
                   return false;
                 return ChangeFlags(e, efWarning, 0);
               }));
}

int MarkTransAPIErrors(TWordList &project, TEntryList *changed) {
  return Touch(project, Walk(project.Items, THidden::Skip, changed, [](TWordObj &e) {
                 if (e.Translation.empty()) return false;
                 if (Utf16ToCp1252(e.TranslationText()).find("TranslateApiExceptionMethod") ==
                     std::string::npos)
                   return false;
                 return ChangeFlags(e, efWarning, 0);
               }));
}

// ---- Edit menu --------------------------------------------------------------------------------------

namespace {

// The stored form of a text that has one when it stands alone on a line of a plain text: no control
// character and no backslash (the escapes' letter).
std::optional<std::string> PlainPiece(std::u16string_view text) {
  if (std::any_of(text.begin(), text.end(), [](char16_t c) { return c < 32 || c == u'\\'; }))
    return std::nullopt;
  return Utf16ToStoredUtf8(text);
}

// ReplaceAll on one line of stored bytes: what and with are plain pieces, so a match of the bytes is
// a match of the characters (UTF-8 matches only whole sequences).
void ReplaceInLine(std::string_view line, std::string_view what, std::string_view with, std::string &out) {
  std::size_t from = 0;
  for (auto at = line.find(what); at != std::string_view::npos; at = line.find(what, from)) {
    out.append(line.substr(from, at - from)).append(with);
    from = at + what.size();
  }
  out.append(line.substr(from));
}

} // namespace

int ReplaceText(TWordList &project, std::u16string_view search, std::u16string_view replacement,
                TEntryList *changed) {
  if (search.empty()) return 0;
  const std::optional<std::string> what = PlainPiece(search), with = PlainPiece(replacement);
  std::vector<std::string_view> lines;
  std::string stored;
  return Walk(project.Selection, THidden::Visit, changed, [&](TWordObj &e) {
    const TLineForm form = FormOf(e, false);
    if (what && with && PlainLines(StatusBody(e.Translation), form, lines)) {
      // Lines hold no line break, which the pieces do not either: each line on its own.
      if (std::none_of(lines.begin(), lines.end(),
                       [&](std::string_view line) { return line.find(*what) != std::string_view::npos; }))
        return false;
      if (*what == *with) return false;
      TLineWriter writer(form, stored);
      for (const std::string_view line : lines) ReplaceInLine(line, *what, *with, writer.Line());
      writer.Finish();
      e.SetTranslationBody(stored);
      return MarkEdited(project, e);
    }
    const std::u16string text = e.TranslationText();
    if (text.find(search) == std::u16string::npos) return false;
    const std::u16string result = ReplaceAll(text, search, replacement);
    if (result == text) return false;
    e.SetTranslationText(result);
    return MarkEdited(project, e);
  });
}

// ---- "test" -----------------------------------------------------------------------------------------

TTestCheck TestEntry(TWordList &project, TWordObj &entry) {
  TTestCheck check;
  if (entry.Translation.empty()) return check;
  std::string copy = entry.Translation;
  if (static_cast<unsigned char>(copy.back()) == 0x85) copy.back() = 0x40;
  const std::u16string asUtf8 = TTransMan::UnescapeText(Utf8ToUtf16Replacing(copy));
  const std::u16string asAnsi = TTransMan::UnescapeText(Cp1252ToUtf16(copy));
  check.Beep = asUtf8 != asAnsi;
  if (!entry.Hidden && entry.TranslationText() == entry.SourceText()) {
    entry.Translation.clear();
    project.Modified = true;
    check.Emptied = true;
  }
  return check;
}

void UseStoredTextPaths(bool use) {
  StoredPaths = use;
}

// ---- editor rules -----------------------------------------------------------------------------------

bool EndsInEllipsis(std::u16string_view text) {
  return text.size() >= 3 && text.ends_with(u"...");
}

std::u16string Capitalize(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + 2);
  std::size_t at = 0;
  while (at < text.size()) {
    // One line: up to CR LF, CR or LF (a final break opens no new line).
    std::size_t end = at;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    const std::u16string_view line = text.substr(at, end - at);
    if (!line.empty()) {
      const char16_t first = line.front();
      if (first < 0x80) { // plain ASCII needs no case tables
        out.push_back(first >= u'a' && first <= u'z' ? static_cast<char16_t>(first - u'a' + u'A') : first);
        out.append(line.substr(1));
      } else {
        std::size_t length = 0;
        out += UpperFirst(line, length);
        out.append(line.substr(length));
      }
    }
    out += u"\r\n";
    at = end;
    if (at < text.size()) {
      ++at;
      if (text[end] == u'\r' && at < text.size() && text[at] == u'\n') ++at;
    }
  }
  return out;
}

std::u16string AddTrailing(std::u16string_view text) {
  if (text.empty() || EndsInEllipsis(text)) return std::u16string(text);
  return std::u16string(text) + u"...";
}

std::u16string StripTrailing(std::u16string_view text) {
  if (!EndsInEllipsis(text)) return std::u16string(text);
  return std::u16string(text.substr(0, text.size() - 3));
}

std::u16string MirrorTrailing(std::u16string_view text, std::u16string_view source) {
  if (source.empty()) return std::u16string(text);
  return EndsInEllipsis(source) ? AddTrailing(text) : StripTrailing(text);
}

std::u16string StripEOL(std::u16string_view text) {
  if (!EndsWithStopOrColon(text)) return std::u16string(text);
  return std::u16string(text.substr(0, text.size() - 1));
}

} // namespace vt
