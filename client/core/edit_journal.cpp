#include "edit_journal.h"

#include "support/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <unordered_set>
#include <zlib.h>

namespace vt {

namespace {

constexpr std::string_view kMagic = "VTJOURNAL1";
constexpr std::string_view kRecordTag = "R";
// A journal larger than this is not read (a project's edits never come near it).
constexpr std::size_t kMaxJournalBytes = std::size_t{1} << 30;
constexpr auto kFlushInterval = std::chrono::seconds(1);

// The stored values of an entry, read and written only here.
std::string_view StoredTranslation(const TWordObj &entry) {
  return entry.Translation;
}
std::string_view StoredComment(const TWordObj &entry) {
  return entry.Comment;
}
void SetStoredValues(TWordObj &entry, const std::string &translation, const std::string &comment) {
  entry.SetStoredTranslation(translation);
  entry.Comment = comment;
}

uint32_t Checksum(std::string_view bytes) {
  return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef *>(bytes.data()),
                                     static_cast<uInt>(bytes.size())));
}

// Fields are separated by TAB; backslash, TAB, CR and LF inside a field are escaped.
void AppendField(std::string &out, std::string_view field) {
  for (char c : field) {
    switch (c) {
    case '\\':
      out += "\\\\";
      break;
    case '\t':
      out += "\\t";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    default:
      out += c;
    }
  }
}

bool UnescapeField(std::string_view field, std::string &out) {
  out.clear();
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= field.size()) return false;
    switch (field[i]) {
    case '\\':
      out += '\\';
      break;
    case 't':
      out += '\t';
      break;
    case 'n':
      out += '\n';
      break;
    case 'r':
      out += '\r';
      break;
    default:
      return false;
    }
  }
  return true;
}

void AppendChecksum(std::string &out, std::size_t bodyStart) {
  const uint32_t sum = Checksum(std::string_view(out).substr(bodyStart));
  static constexpr char kHex[] = "0123456789abcdef";
  out += '\t';
  for (int shift = 28; shift >= 0; shift -= 4) out += kHex[(sum >> shift) & 15];
  out += '\n';
}

// Splits "body TAB checksum" and checks the sum; the body comes back in body.
bool CheckedBody(std::string_view line, std::string_view &body) {
  if (line.size() < 9 || line[line.size() - 9] != '\t') return false;
  uint32_t sum = 0;
  for (char c : line.substr(line.size() - 8)) {
    int v;
    if (c >= '0' && c <= '9')
      v = c - '0';
    else if (c >= 'a' && c <= 'f')
      v = c - 'a' + 10;
    else
      return false;
    sum = sum << 4 | static_cast<uint32_t>(v);
  }
  body = line.substr(0, line.size() - 9);
  return Checksum(body) == sum;
}

// Splits body into exactly n TAB-separated fields.
template <std::size_t N> bool SplitFields(std::string_view body, std::string_view (&fields)[N]) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t tab = body.find('\t', start);
    if (i + 1 < N) {
      if (tab == std::string_view::npos) return false;
      fields[i] = body.substr(start, tab - start);
      start = tab + 1;
    } else {
      if (tab != std::string_view::npos) return false;
      fields[i] = body.substr(start);
    }
  }
  return true;
}

uint64_t ValuesHash(const TWordObj &entry) {
  const std::string_view t = StoredTranslation(entry);
  const std::string_view c = StoredComment(entry);
  return (static_cast<uint64_t>(Checksum(t)) << 32 | Checksum(c)) ^ (t.size() * 0x9E3779B97F4A7C15ULL);
}

} // namespace

std::string JournalPathFor(std::string_view translationFile) {
  return std::string(translationFile) + ".journal";
}

std::string DeclinedJournalPath(std::string_view journalPath) {
  return std::string(journalPath) + ".old";
}

std::string FormatJournalHeader(std::string_view projectName) {
  std::string out(kMagic);
  out += '\t';
  AppendField(out, projectName);
  AppendChecksum(out, 0);
  return out;
}

void AppendJournalRecord(std::string &out, std::string_view fullId, std::string_view translation,
                         std::string_view comment) {
  const std::size_t start = out.size();
  out += kRecordTag;
  out += '\t';
  AppendField(out, fullId);
  out += '\t';
  AppendField(out, translation);
  out += '\t';
  AppendField(out, comment);
  AppendChecksum(out, start);
}

std::string FormatJournalRecord(const TJournalRecord &record) {
  std::string out;
  AppendJournalRecord(out, record.FullId, record.Translation, record.Comment);
  return out;
}

TJournalContents ParseJournal(std::string_view bytes) {
  TJournalContents contents;
  std::size_t pos = 0;
  bool first = true;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) {
      // The last line was cut off mid-record (the process died while writing it).
      ++contents.Damaged;
      break;
    }
    const std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    std::string_view body;
    const bool intact = CheckedBody(line, body);
    if (first) {
      first = false;
      std::string_view fields[2];
      if (intact && SplitFields(body, fields) && fields[0] == kMagic &&
          UnescapeField(fields[1], contents.ProjectName)) {
        contents.HeaderOk = true;
        continue;
      }
    }
    std::string_view fields[4];
    TJournalRecord record;
    if (!intact || !SplitFields(body, fields) || fields[0] != kRecordTag ||
        !UnescapeField(fields[1], record.FullId) || !UnescapeField(fields[2], record.Translation) ||
        !UnescapeField(fields[3], record.Comment)) {
      ++contents.Damaged;
      continue;
    }
    contents.Records.push_back(std::move(record));
  }
  return contents;
}

bool ReadJournalFile(const std::string &path, TJournalContents &contents, std::string *error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error, kMaxJournalBytes)) return false;
  contents = ParseJournal(bytes);
  return true;
}

int CountJournalEntries(const TJournalContents &contents) {
  std::unordered_set<std::string_view> ids;
  ids.reserve(contents.Records.size());
  for (const TJournalRecord &r : contents.Records) ids.insert(r.FullId);
  return static_cast<int>(ids.size());
}

TReplayResult ReplayJournal(TWordList &project, std::string_view projectName,
                            const TJournalContents &contents) {
  TReplayResult result;
  result.Damaged = contents.Damaged;
  if (!contents.HeaderOk || contents.ProjectName != projectName) {
    result.Refused = true;
    return result;
  }
  for (const TJournalRecord &record : contents.Records) {
    TWordObj *entry = project.FindEntry(record.FullId);
    if (!entry) {
      ++result.Missing;
      continue;
    }
    SetStoredValues(*entry, record.Translation, record.Comment);
    entry->Changed = true;
    ++result.Applied;
  }
  if (result.Applied > 0) project.Modified = true;
  return result;
}

// ---- the writer ----------------------------------------------------------------------------------

TEditJournal::TEditJournal(TClock clock) : FClock(std::move(clock)) {}

TEditJournal::~TEditJournal() {
  Flush();
  CloseFile();
}

void TEditJournal::Start(const std::string &translationFile, bool append) {
  Stop();
  FPath = JournalPathFor(translationFile);
  FProjectName = ExtractFileName(translationFile);
  FAppend = append;
  FOwnsFile = append;
}

void TEditJournal::Baseline(const TWordObj &entry) {
  if (Active()) FNoted.try_emplace(&entry, ValuesHash(entry));
}

void TEditJournal::Note(const TWordObj &entry) {
  if (!Active()) return;
  const uint64_t hash = ValuesHash(entry);
  auto [it, fresh] = FNoted.try_emplace(&entry, hash);
  if (!fresh) {
    if (it->second == hash) return;
    it->second = hash;
  }
  if (FBuffer.empty()) FFirstPending = FClock();
  AppendJournalRecord(FBuffer, entry.FullId(), StoredTranslation(entry), StoredComment(entry));
}

bool TEditJournal::OpenFile(std::string *error) {
  int flags = O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC;
  if (!FAppend) flags |= O_TRUNC;
  FFd = ::open(FPath.c_str(), flags, 0644);
  if (FFd < 0) {
    if (error) *error = "cannot write the journal " + FPath + ": " + std::strerror(errno);
    return false;
  }
  FAppend = true;
  FOwnsFile = true;
  // A fresh or emptied file starts with the header that names its project.
  if (::lseek(FFd, 0, SEEK_END) == 0) FBuffer.insert(0, FormatJournalHeader(FProjectName));
  return true;
}

bool TEditJournal::Flush(std::string *error) {
  if (FBuffer.empty() || !Active()) return true;
  if (FFd < 0 && !OpenFile(error)) return false;
  std::size_t done = 0;
  while (done < FBuffer.size()) {
    const ssize_t n = ::write(FFd, FBuffer.data() + done, FBuffer.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (error) *error = "cannot write the journal " + FPath + ": " + std::strerror(errno);
      FBuffer.erase(0, done);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  FBuffer.clear();
  FUnsynced = true;
  return true;
}

void TEditJournal::Sync() {
  if (FFd < 0 || !FUnsynced) return;
  ::fdatasync(FFd);
  FUnsynced = false;
}

bool TEditJournal::FlushIfDue(std::string *error) {
  if (FBuffer.empty() || FClock() - FFirstPending < kFlushInterval) return true;
  return Flush(error);
}

void TEditJournal::CloseFile() {
  if (FFd >= 0) ::close(FFd);
  FFd = -1;
  FUnsynced = false;
}

void TEditJournal::Discard() {
  const std::string path = FPath;
  FBuffer.clear();
  CloseFile();
  // A journal that appeared beside the project meanwhile (not written here) is left alone.
  if (!path.empty() && FOwnsFile) ::unlink(path.c_str());
  FOwnsFile = false;
  FPath.clear();
  FNoted.clear();
}

void TEditJournal::Stop() {
  Flush();
  CloseFile();
  FOwnsFile = false;
  FPath.clear();
  FBuffer.clear();
  FNoted.clear();
}

} // namespace vt

namespace vt {

std::string TranslationFileOf(const TWordList &project) {
  if (project.TransIni) return project.TransIni->FileName();
  return ChangeFileExt(project.FileName, ".kxLng");
}

bool SetJournalAside(const std::string &journalPath, std::string *error) {
  const std::string aside = DeclinedJournalPath(journalPath);
  if (std::rename(journalPath.c_str(), aside.c_str()) == 0) return true;
  if (error) *error = "cannot rename " + journalPath + " to " + aside + ": " + std::strerror(errno);
  return false;
}

} // namespace vt
