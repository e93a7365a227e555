#include "word_list_tools.h"

#include "edit_journal.h"
#include "model/status_prefix.h"
#include "support/byte_words.h"
#include "support/file_io.h"
#include "support/text_codec.h"

#include <cstdint>
#include <cstring>
#include <filesystem>

namespace vt {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendPair(std::string &out, std::string_view source, std::string_view translation) {
  out.append("R=").append(source).append(kLineEnd);
  out.append("L=").append(translation).append(kLineEnd);
  out.append(kLineEnd);
}

bool IsMessage(const TWordObj &entry) {
  return !entry.Hidden && entry.Kind() == kind::Msg;
}

// Eight bytes at a time: whether none is a control character, a backslash or beyond ASCII.
bool PlainAscii8(const char *at) {
  const std::uint64_t w = LoadWord(at);
  return ((w & kByteHighs) | BelowByteMarks(w, 0x20) | EqualByteMarks(w, '\\')) == 0;
}

// Whether decoding text (after the kind's unquoting) and encoding it again gives text back: it is
// well-formed UTF-8 without control characters and four-byte sequences, and each backslash begins
// one of the escapes "\\", "\n" and "\t" (escapes allows them; a code escape of two digits names
// a character that is written back otherwise).
bool ReadsBackAsIs(std::string_view text, bool escapes) {
  bool ascii = true;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    if (i + 8 <= n && PlainAscii8(text.data() + i)) {
      i += 8;
      continue;
    }
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x20 || b >= 0xF0) return false;
    if (b == '\\') {
      if (!escapes || i + 1 == n) return false;
      const char e = text[i + 1];
      if (e != '\\' && e != 'n' && e != 't') return false;
      i += 2;
      continue;
    }
    ascii &= b < 0x80;
    ++i;
  }
  return ascii || IsValidUtf8(text);
}

// Whether the entry's EncodeValue(DecodeValue(body)) is body itself, so that the body can be taken
// as it is stored. A list item's body is its quoted lines joined by "\",\"", which come back as
// long as they hold no backslash of their own.
bool StoredAsIs(const TWordObj &entry, std::string_view body) {
  if (body.empty()) return false;
  if (entry.IsListItem()) {
    return body.size() > 2 && body.front() == '"' && body.back() == '"' &&
           ReadsBackAsIs(body.substr(1, body.size() - 2), false);
  }
  return ReadsBackAsIs(body, true);
}

// Takes the pair's translation when it decodes to a text; the caller keeps the counts.
bool TakePair(const TTransWord *pair, TWordObj &entry) {
  if (!pair) return false;
  // A text that comes back from decoding and encoding as it is is taken as it is; one beginning
  // "[" does not (its bracket is escaped).
  if (pair->Translation.front() != '[' && StoredAsIs(entry, pair->Translation)) {
    const TEntryFlags flags = entry.Translation.empty() ? 0 : entry.Flags();
    entry.SetStoredTranslation(pair->Translation);
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

namespace {

// The pairs of ExtractWordList appended to out; whenever out holds at least flushAt bytes it goes
// to flush(out), which empties it and returns false to stop. Returns the pairs made.
template <class Flush>
std::size_t AppendWordList(TEntrySpan list, std::string &out, std::size_t flushAt, Flush &&flush) {
  std::size_t count = 0;
  for (const TWordObj *entry : list) {
    if (entry->Hidden || entry->Translation.empty()) continue;
    if (const std::string_view body = StatusBody(entry->Translation); StoredAsIs(*entry, body))
      AppendPair(out, entry->Source(), body);
    else if (entry->HasTranslationText())
      AppendPair(out, entry->Source(), entry->EncodeValue(entry->TranslationText()));
    else
      continue;
    ++count;
    if (out.size() >= flushAt && !flush(out)) break;
  }
  return count;
}

} // namespace

std::string ExtractWordList(TEntrySpan list, std::size_t *pairs) {
  std::string out;
  // Room for typical pairs up front: a large buffer's untouched pages cost nothing, regrowing does.
  out.reserve(list.size() * 96);
  const std::size_t count = AppendWordList(list, out, SIZE_MAX, [](std::string &) { return true; });
  if (pairs) *pairs = count;
  return out;
}

bool WriteWordListFile(const TWordList &project, TEntrySpan list, const std::string &path, std::size_t *pairs,
                       std::string *error) {
  std::string reason;
  if (IsProjectFile(project, path, &reason)) {
    if (error) *error = "refused: it is " + reason;
    return false;
  }
  // Written a block at a time: the block stays in the cache, and a project-sized list needs no
  // buffer of its size.
  constexpr std::size_t kBlock = std::size_t{1} << 20;
  std::size_t count = 0;
  const bool written = WriteFileAtomic(
      path,
      [&](const TBytePut &put) {
        std::string block;
        block.reserve(kBlock + 4096);
        bool ok = true;
        count = AppendWordList(list, block, kBlock, [&](std::string &full) {
          ok = put(full);
          full.clear();
          return ok;
        });
        if (ok && !block.empty()) put(block);
      },
      error);
  if (written && pairs) *pairs = count;
  return written;
}

std::string_view RawMessageText(const TWordList &project, const TWordObj &message) {
  const TWordObj *counterpart = project.FindByKey(section::MessageRefs, kind::MsgRef, message.Name());
  return counterpart ? counterpart->Source().view() : message.Source().view();
}

std::string ExtractRawMsgs(const TWordList &project, std::size_t *pairs) {
  std::string out;
  std::size_t count = 0;
  for (const TWordObj *entry : project.Items) {
    if (!IsMessage(*entry) || !entry->HasTranslationText()) continue;
    AppendPair(out, RawMessageText(project, *entry), entry->EncodeValue(entry->TranslationText()));
    ++count;
  }
  if (pairs) *pairs = count;
  return out;
}

int MergeFromWordList(TWordList &project, TEntrySpan list, const TTransWordList &words, TEntryList *changed) {
  // The untranslated entries a block at a time: their sources looked up together, then their pairs
  // taken while the words just compared are still in the cache.
  constexpr std::size_t kBlock = 1024;
  TEntryList open;
  std::vector<std::string_view> sources;
  std::vector<const TTransWord *> pairs(kBlock);
  open.reserve(kBlock);
  sources.reserve(kBlock);
  int count = 0;
  const auto takeBlock = [&] {
    words.FindAll(sources, pairs);
    for (std::size_t i = 0; i < open.size(); ++i)
      if (TakePair(pairs[i], *open[i])) NoteChange(project, open[i], changed, count);
    open.clear();
    sources.clear();
  };
  for (TWordObj *entry : list) {
    if (entry->Hidden || entry->HasTranslationText()) continue;
    open.push_back(entry);
    sources.push_back(entry->Source());
    if (open.size() == kBlock) takeBlock();
  }
  takeBlock();
  return count;
}

int MergeRawWordList(TWordList &project, const TTransWordList &words, TEntryList *changed) {
  int count = 0;
  for (TWordObj *entry : project.Items) {
    if (!IsMessage(*entry) || entry->HasTranslationText()) continue;
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
  for (TWordObj *entry : list) {
    if (entry->Hidden || entry->Kind() == kind::Msg || entry->HasTranslationText()) continue;
    const TCompactText *value = repository.FindValue(entry->Section(), entry->Key());
    if (!value || value->empty()) continue;
    entry->SetStoredTranslation(value->view());
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
