#include "word_list_tools.h"

#include "edit_journal.h"
#include "support/file_io.h"
#include "support/text_codec.h"

#include <filesystem>

namespace vt {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendPair(std::string &out, std::string_view source, std::string_view translation) {
  out.append("R=").append(source).append(kLineEnd);
  out.append("L=").append(translation).append(kLineEnd);
  out.append(kLineEnd);
}

// A translation text is empty exactly when the stored body is: skip those without decoding.
bool HasTranslationText(const TWordObj &entry, std::u16string &text) {
  if (entry.Translation.empty()) return false;
  text = entry.TranslationText();
  return !text.empty();
}

bool IsMessage(const TWordObj &entry) {
  return !entry.Hidden && entry.Kind() == kind::Msg;
}

// A body without escapes, control characters and four-byte sequences that is well-formed UTF-8
// decodes to itself and encodes back to the same bytes (list items excepted, whose quoting
// changes), so it can be taken as it is stored.
bool PlainStoredBody(const TWordObj &entry, std::string_view body) {
  if (body.empty() || entry.Kind() == kind::IT) return false;
  bool ascii = true;
  for (const char c : body) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == '\\' || b >= 0xF0) return false;
    ascii &= b < 0x80;
  }
  return ascii || IsValidUtf8(body);
}

// Takes the pair's translation when it decodes to a text; the caller keeps the counts.
bool TakePair(const TTransWord *pair, TWordObj &entry) {
  if (!pair) return false;
  // A plain text comes back from decoding and encoding as it is; one beginning "[" does not (its
  // bracket is escaped), nor do list items.
  if (PlainStoredBody(entry, pair->Translation) && pair->Translation.front() != '[') {
    const TEntryFlags flags = entry.Flags();
    entry.Translation = pair->Translation;
    if (flags != 0) entry.SetFlags(flags);
    entry.Changed = true;
    return true;
  }
  const std::u16string text = entry.DecodeValue(pair->Translation);
  if (text.empty()) return false;
  entry.SetTranslationText(text);
  entry.Changed = true;
  return true;
}

void NoteChange(TWordList &project, TWordObj *entry, TEntryList *changed, int &count) {
  ++count;
  project.Modified = true;
  if (changed) changed->push_back(entry);
}

bool SameFile(const std::string &a, const std::string &b) {
  namespace fs = std::filesystem;
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) {
    const bool same = fs::equivalent(a, b, ec);
    if (!ec) return same;
  }
  const fs::path ca = fs::weakly_canonical(fs::absolute(a, ec), ec);
  const fs::path cb = fs::weakly_canonical(fs::absolute(b, ec), ec);
  return ca == cb;
}

} // namespace

std::string ExtractWordList(TEntrySpan list, std::size_t *pairs) {
  std::string out;
  // Room for typical pairs up front: a large buffer's untouched pages cost nothing, regrowing does.
  out.reserve(list.size() * 96);
  std::size_t count = 0;
  std::u16string text;
  for (const TWordObj *entry : list) {
    if (entry->Hidden || entry->Translation.empty()) continue;
    if (const std::string body = entry->TranslationBody(); PlainStoredBody(*entry, body))
      AppendPair(out, entry->Source(), body);
    else if (HasTranslationText(*entry, text))
      AppendPair(out, entry->Source(), entry->EncodeValue(text));
    else
      continue;
    ++count;
  }
  if (pairs) *pairs = count;
  return out;
}

std::string_view RawMessageText(const TWordList &project, const TWordObj &message) {
  const TWordObj *counterpart = project.FindByKey(section::MessageRefs, kind::MsgRef, message.Name());
  return counterpart ? counterpart->Source().view() : message.Source().view();
}

std::string ExtractRawMsgs(const TWordList &project, std::size_t *pairs) {
  std::string out;
  std::size_t count = 0;
  std::u16string text;
  for (const TWordObj *entry : project.Items) {
    if (!IsMessage(*entry) || !HasTranslationText(*entry, text)) continue;
    AppendPair(out, RawMessageText(project, *entry), entry->EncodeValue(text));
    ++count;
  }
  if (pairs) *pairs = count;
  return out;
}

int MergeFromWordList(TWordList &project, TEntrySpan list, const TTransWordList &words, TEntryList *changed) {
  // The untranslated entries first, then their sources looked up all at once.
  TEntryList open;
  std::vector<std::string_view> sources;
  std::u16string text;
  for (TWordObj *entry : list) {
    if (entry->Hidden || HasTranslationText(*entry, text)) continue;
    open.push_back(entry);
    sources.push_back(entry->Source());
  }
  std::vector<const TTransWord *> pairs(open.size());
  words.FindAll(sources, pairs);
  // The pairs' texts lie anywhere in the list: those of later entries are fetched ahead.
  constexpr std::size_t kAhead = 8;
  int count = 0;
  for (std::size_t i = 0; i < open.size(); ++i) {
    if (i + kAhead < open.size() && pairs[i + kAhead])
      __builtin_prefetch(pairs[i + kAhead]->Translation.data());
    if (TakePair(pairs[i], *open[i])) NoteChange(project, open[i], changed, count);
  }
  return count;
}

int MergeRawWordList(TWordList &project, const TTransWordList &words, TEntryList *changed) {
  int count = 0;
  std::u16string text;
  for (TWordObj *entry : project.Items) {
    if (!IsMessage(*entry) || HasTranslationText(*entry, text)) continue;
    if (TakePair(words.Find(RawMessageText(project, *entry)), *entry))
      NoteChange(project, entry, changed, count);
  }
  return count;
}

std::string ListRawMsgDiffs(const TWordList &project) {
  std::string out;
  for (const TWordObj *entry : project.Items) {
    if (!IsMessage(*entry)) continue;
    const TWordObj *counterpart = project.FindByKey(section::MessageRefs, kind::MsgRef, entry->Name());
    if (!counterpart) continue;
    out.append(counterpart->Source()).append("\t").append(entry->Source()).append(kLineEnd);
  }
  return out;
}

int LoadFromRepository(TWordList &project, TEntrySpan list, const TIniFile &repository, TEntryList *changed) {
  int count = 0;
  std::u16string text;
  for (TWordObj *entry : list) {
    if (entry->Hidden || entry->Kind() == kind::Msg || HasTranslationText(*entry, text)) continue;
    const TCompactText *value = repository.FindValue(entry->Section(), entry->Key());
    if (!value || value->empty()) continue;
    entry->Translation = value->view();
    entry->Changed = true;
    NoteChange(project, entry, changed, count);
  }
  return count;
}

bool IsProjectFile(const TWordList &project, const std::string &path, std::string *reason) {
  if (project.FileName.empty() && !project.TransIni) return false; // no project open
  const std::string translation = TranslationFileOf(project);
  const std::pair<std::string, const char *> own[] = {
      {project.FileName, "the file the project was opened by"},
      {project.SrcIni ? project.SrcIni->FileName() : ChangeFileExt(project.FileName, ".SrcLng"),
       "the project's source file"},
      {translation, "the project's translation file"},
      {project.AutoIni ? project.AutoIni->FileName() : ChangeFileExt(project.FileName, ".AutoLng"),
       "the project's auto-translation file"},
      {translation + ".~bu", "the backup copy of the project's translation file"},
      {JournalPathFor(translation), "the journal of the project's unsaved edits"},
  };
  for (const auto &[file, what] : own) {
    if (!SameFile(file, path)) continue;
    if (reason) *reason = what;
    return true;
  }
  return false;
}

bool WriteExportFile(const TWordList &project, const std::string &path, std::string_view bytes,
                     std::string *error) {
  std::string reason;
  if (IsProjectFile(project, path, &reason)) {
    if (error) *error = "refused: it is " + reason;
    return false;
  }
  return WriteFileAtomic(path, bytes, error);
}

} // namespace vt
