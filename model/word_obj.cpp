#include "word_obj.h"

#include "status_prefix.h"
#include "text_helpers.h"
#include "trans_man.h"

#include <algorithm>

namespace vt {

namespace {

// Replaces every "\n" escape of an encoded value with `with`, leaving an escaped backslash
// followed by "n" alone (a naive search would split "\\n" into "\" + separator).
std::string ReplaceLineBreakEscapes(std::string_view encoded, std::string_view with) {
  std::string out;
  out.reserve(encoded.size() + 8);
  for (std::size_t i = 0; i < encoded.size();) {
    if (encoded[i] == '\\' && i + 1 < encoded.size()) {
      if (encoded[i + 1] == 'n') {
        out.append(with);
        i += 2;
        continue;
      }
      if (encoded[i + 1] == '\\') {
        out.append("\\\\");
        i += 2;
        continue;
      }
    }
    out.push_back(encoded[i++]);
  }
  return out;
}

std::string ReplaceAll(std::string_view s, std::string_view what, std::string_view with) {
  std::string out;
  out.reserve(s.size());
  std::size_t from = 0;
  for (auto at = s.find(what); at != std::string_view::npos; at = s.find(what, from)) {
    out.append(s.substr(from, at - from)).append(with);
    from = at + what.size();
  }
  out.append(s.substr(from));
  return out;
}

// Compares the concatenation a1 + sep + a2 ... without building it.
int ComparePieces(std::initializer_list<std::string_view> a, std::initializer_list<std::string_view> b) {
  auto ia = a.begin(), ib = b.begin();
  std::size_t pa = 0, pb = 0;
  while (true) {
    while (ia != a.end() && pa == ia->size()) ++ia, pa = 0;
    while (ib != b.end() && pb == ib->size()) ++ib, pb = 0;
    if (ia == a.end() || ib == b.end()) return (ia == a.end() ? 0 : 1) - (ib == b.end() ? 0 : 1);
    const auto n = std::min(ia->size() - pa, ib->size() - pb);
    const int c = ia->substr(pa, n).compare(ib->substr(pb, n));
    if (c != 0) return c < 0 ? -1 : 1;
    pa += n;
    pb += n;
  }
}

int CompareFullIds(const TWordObj *a, const TWordObj *b) {
  return ComparePieces({a->Section(), "/", a->Name(), ".", a->Kind()},
                       {b->Section(), "/", b->Name(), ".", b->Kind()});
}

// The prefix letters as the flags read them.
TEntryFlags FlagsOf(std::string_view prefix) {
  TEntryFlags flags = 0;
  if (prefix.find('?') != std::string_view::npos) flags |= efQuery;
  if (prefix.find('!') != std::string_view::npos) flags |= efWarning;
  if (prefix.find('+') != std::string_view::npos) flags |= efNeedsWork;
  return flags;
}

// The letters flags stands for, in prefix order.
std::string_view FlagLetters(TEntryFlags flags, char (&letters)[3]) {
  std::size_t n = 0;
  if (flags & efQuery) letters[n++] = '?';
  if (flags & efWarning) letters[n++] = '!';
  if (flags & efNeedsWork) letters[n++] = '+';
  return {letters, n};
}

// stored with its prefix letters changed, into out: the first of each letter of drop leaves, add
// follows; a prefix left empty goes.
void Reprefixed(std::string_view stored, std::string_view drop, std::string_view add, std::string &out) {
  const std::string_view prefix = StatusPrefix(stored);
  const std::string_view letters = prefix.empty() ? prefix : prefix.substr(1, prefix.size() - 2);
  out.clear();
  out.reserve(stored.size() + add.size() + 2);
  out.push_back('[');
  unsigned dropped = 0; // bit i: the first drop[i] has left
  for (const char c : letters) {
    const auto at = drop.find(c);
    if (at != std::string_view::npos && (dropped & (1u << at)) == 0) {
      dropped |= 1u << at;
      continue;
    }
    out.push_back(c);
  }
  out.append(add);
  out.push_back(']');
  if (out.size() == 2) out.clear();
  out.append(stored.substr(prefix.size()));
}

int Sign(int v) {
  return (v > 0) - (v < 0);
}

} // namespace

TWordObj::TWordObj(std::string_view section, std::string_view name, std::string_view kind,
                   std::string_view source)
    : FSection(section), FName(name), FKind(kind), FSource(source) {
  Hidden = IsHiddenKind(FKind);
  NoteKindForm();
}

TWordObj::TWordObj(TTextStore &store, std::string_view section, std::string_view name, std::string_view kind,
                   std::string_view source)
    : FSection(TCompactText::View(section)), FName(TCompactText::View(name)), FKind(TCompactText::View(kind)),
      FSource(TCompactText::View(source)), FStore(&store) {
  store.AddRefs(1);
  Hidden = IsHiddenKind(FKind);
  NoteKindForm();
}

TWordObj *TWordObj::Place(TTextStore &store, std::string_view section, std::string_view name,
                          std::string_view kind, std::string_view source) {
  static_assert(alignof(TWordObj) <= TTextStore::kEntryAlign);
  auto *entry = new (store.PlaceEntry(sizeof(TWordObj))) TWordObj(store, section, name, kind, source);
  entry->FPlaced = true;
  return entry;
}

// The store goes last: the texts may view its bytes, and a placed entry lies in its room.
TWordObj::~TWordObj() = default;

void TWordObj::operator delete(TWordObj *entry, std::destroying_delete_t) {
  TTextStore *store = entry->FStore;
  const bool placed = entry->FPlaced;
  entry->~TWordObj();
  if (!placed) ::operator delete(entry, sizeof(TWordObj));
  if (!store) return;
  if (TStoreReleaseBatch *batch = TStoreReleaseBatch::Current())
    batch->Take(store);
  else
    store->Release();
}

namespace {
thread_local TStoreReleaseBatch *CurrentBatch = nullptr;
} // namespace

TStoreReleaseBatch::TStoreReleaseBatch() noexcept : FOuter(CurrentBatch) {
  CurrentBatch = this;
}

TStoreReleaseBatch::~TStoreReleaseBatch() {
  CurrentBatch = FOuter;
  if (FStore) FStore->Release(FCount);
}

TStoreReleaseBatch *TStoreReleaseBatch::Current() noexcept {
  return CurrentBatch;
}

void TStoreReleaseBatch::Take(TTextStore *store) noexcept {
  if (store != FStore) {
    if (FStore) FStore->Release(FCount);
    FStore = store;
    FCount = 0;
  }
  ++FCount;
}

template <class Fn> void TWordObj::ChangeKey(Fn &&fn) {
  if (Observer) Observer->EntryKeyChanging(*this);
  fn();
  if (Observer) Observer->EntryKeyChanged(*this);
}

void TWordObj::SetSection(std::string_view value) {
  ChangeKey([&] { FSection = value; });
}
void TWordObj::SetName(std::string_view value) {
  ChangeKey([&] { FName = value; });
}
void TWordObj::SetKind(std::string_view value) {
  ChangeKey([&] {
    FKind = value;
    NoteKindForm();
  });
}

void TWordObj::NoteKindForm() noexcept {
  FKindForm = static_cast<std::uint8_t>((FKind == kind::IT ? kListItem : 0) |
                                        (vt::IsHintKind(FKind) ? kHintKind : 0));
}
void TWordObj::SetSource(std::string_view value) {
  ChangeKey([&] { FSource = value; });
}

std::string TWordObj::FullId() const {
  return vt::FullId(FSection, FName, FKind);
}
std::string TWordObj::ObjectId() const {
  return vt::ObjectId(FSection, FName);
}
std::string TWordObj::Key() const {
  return vt::Key(FName, FKind);
}

std::string TWordObj::FlagPrefix() const {
  return std::string(StatusPrefix(Translation));
}

std::string TWordObj::TranslationBody() const {
  return std::string(StatusBody(Translation));
}

bool TWordObj::HasTranslationText() const noexcept {
  const std::string_view body = StatusBody(Translation);
  return !body.empty() && !(body == "\"\"" && IsListItem());
}

TEntryFlags TWordObj::Flags() const {
  return FlagsOf(StatusPrefix(Translation));
}

TEntryState TWordObj::State() const {
  if (Translation.empty()) return esUntranslated;
  if (StatusPrefix(Translation).find('~') != std::string_view::npos) return esAutoTranslated;
  return esTranslated;
}

void TWordObj::SetFlagPrefix(std::string_view prefix) {
  std::string value = prefix == "[]" ? std::string() : std::string(prefix);
  value += TranslationBody();
  SetStoredTranslation(value);
}

void TWordObj::SetFlags(TEntryFlags flags) {
  char letters[3];
  Reprefix("?!+", FlagLetters(flags, letters));
}

void TWordObj::SetAutoState(TEntryState state) {
  Reprefix("~", state == esAutoTranslated ? "~" : "");
}

void TWordObj::Reprefix(std::string_view drop, std::string_view add) {
  thread_local std::string stored; // one buffer for every entry a list command changes
  Reprefixed(Translation, drop, add, stored);
  SetStoredTranslation(stored);
}

std::u16string TWordObj::DecodeValue(std::string_view stored) const {
  if (stored.empty()) return {};
  if (IsListItem() && stored.size() >= 2 && stored.front() == '"' && stored.back() == '"')
    return TTransMan::DecodeText(ReplaceAll(stored.substr(1, stored.size() - 2), "\",\"", "\\n"));
  return TTransMan::DecodeText(stored);
}

std::string TWordObj::EncodeValue(std::u16string_view wide) const {
  std::string encoded = TTransMan::EncodeText(wide);
  if (!encoded.empty() && IsListItem()) {
    std::string quoted(1, '"');
    quoted.append(ReplaceLineBreakEscapes(encoded, "\",\"")).push_back('"');
    encoded = std::move(quoted);
  }
  return encoded;
}

std::u16string TWordObj::SourceText() const {
  return DecodeValue(FSource);
}

std::u16string TWordObj::SourceDisplay() const {
  if (!IsHintKind()) return DecodeValue(FSource);
  return DecodeValue(ReplaceAll(FSource, "|", "\\n"));
}

std::u16string TWordObj::TranslationText() const {
  return DecodeValue(StatusBody(Translation));
}

std::u16string TWordObj::TranslationDisplay() const {
  const std::string_view body = StatusBody(Translation);
  if (!IsHintKind()) return DecodeValue(body);
  return DecodeValue(ReplaceAll(body, "|", "\\n"));
}

void TWordObj::SetSourceText(std::u16string_view wide) {
  SetSource(EncodeValue(wide));
}

void TWordObj::SetTranslationText(std::u16string_view wide) {
  SetTranslationBody(EncodeValue(wide));
}

void TWordObj::SetTranslationFromEditor(std::u16string_view wide) {
  std::string body = EncodeValue(TrimTrailingLineBreaks(wide));
  if (IsHintKind()) body = ReplaceLineBreakEscapes(body, "|");
  SetTranslationBody(body);
}

void TWordObj::SetTranslationBody(std::string_view encoded) {
  // One string: the flag letters, then the body, its leading "[" written as an escape.
  char buffer[3];
  const std::string_view letters = FlagLetters(Flags(), buffer);
  const bool bracket = !encoded.empty() && encoded.front() == '[';
  thread_local std::string out; // built apart: encoded may view the translation itself
  out.clear();
  if (!letters.empty()) out.append("[").append(letters).append("]");
  if (bracket) {
    out.append("\\91");
    encoded.remove_prefix(1);
  }
  out.append(encoded);
  SetStoredTranslation(out);
}

void TWordObj::SetStoredTranslation(std::string_view stored) {
  std::string_view kept;
  if (FStore && !stored.empty() && FStore->KeepInRoom(stored, kept))
    Translation.SetView(kept);
  else
    Translation = stored;
  if (Observer) Observer->EntryTranslationChanged(*this);
}

bool TWordObj::ShareStoredTranslation(const TWordObj &other) {
  // A view of an entry whose store is this entry's is of bytes that store keeps (an entry's views
  // are of its store's files and copies only), alive as long as this entry holds the store.
  if (!FStore || other.FStore != FStore || !other.Translation.IsView()) return false;
  Translation.SetView(other.Translation.view());
  if (Observer) Observer->EntryTranslationChanged(*this);
  return true;
}

namespace {

// The copy shares a view (the clone holds the same store) and copies an own text.
void CopyText(TCompactText &to, const TCompactText &from) {
  if (from.IsView())
    to.SetView(from.view());
  else
    to = from;
}

} // namespace

TWordObj *TWordObj::Clone() const {
  auto *copy = new TWordObj();
  if (FStore) {
    copy->FStore = FStore;
    FStore->AddRefs(1);
  }
  CopyText(copy->FSection, FSection);
  CopyText(copy->FName, FName);
  CopyText(copy->FKind, FKind);
  copy->FKindForm = FKindForm;
  CopyText(copy->FSource, FSource);
  CopyText(copy->Translation, Translation);
  CopyText(copy->AutoText, AutoText);
  copy->Index = Index;
  copy->Hidden = Hidden;
  copy->Score = Score;
  copy->Changed = Changed;
  return copy;
}

bool LessByFullId(const TWordObj *a, const TWordObj *b) {
  return CompareFullIds(a, b) < 0;
}
bool LessByIndex(const TWordObj *a, const TWordObj *b) {
  return a->Index < b->Index;
}
bool MoreByScore(const TWordObj *a, const TWordObj *b) {
  return a->Score > b->Score;
}

int CompareMainList(const TWordObj *a, const TWordObj *b, int column, bool descending) {
  int c = 0;
  switch (column) {
  case 0:
    c = CompareFullIds(a, b);
    break;
  case 1:
    c = Sign(a->Source().compare(b->Source()));
    break;
  case 2:
    c = Sign(a->Translation.compare(b->Translation));
    break;
  default:
    break;
  }
  if (c == 0) c = (a->Index > b->Index) - (a->Index < b->Index);
  return descending ? -c : c;
}

} // namespace vt
