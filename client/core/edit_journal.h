#pragma once
// The journal of unsaved edits: beside the translation file NAME.kxLng, the file
// NAME.kxLng.journal receives one line per change of an entry (its full id and new stored
// translation and comment, with a checksum), so that a crash or a killed process loses no edit.
// A successful save, a deliberate "No" to the save question or a close without changes deletes
// it; at the next open its records can be replayed onto the project.
#include "model/word_list.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vt {

struct TJournalRecord {
  std::string FullId;
  std::string Translation; // stored form, status prefix included
  std::string Comment;
};

// What a journal file holds: the project it was written for and its intact records, in order.
struct TJournalContents {
  bool HeaderOk = false;   // the first line is an intact journal header
  std::string ProjectName; // file name of the translation file it belongs to
  std::vector<TJournalRecord> Records;
  int Damaged = 0; // lines skipped: bad checksum, bad form, or cut off at the end
};

struct TReplayResult {
  bool Refused = false; // the journal belongs to another project (or has no header): nothing applied
  int Applied = 0;      // records applied
  int Missing = 0;      // records whose entry does not exist in the project
  int Damaged = 0;      // lines skipped by the reader
};

// NAME.kxLng.journal beside the translation file.
std::string JournalPathFor(std::string_view translationFile);
// ".old" appended: where a journal the user declined is kept.
std::string DeclinedJournalPath(std::string_view journalPath);

// The header line and one record line, each ending with "\n".
std::string FormatJournalHeader(std::string_view projectName);
std::string FormatJournalRecord(const TJournalRecord &record);
void AppendJournalRecord(std::string &out, std::string_view fullId, std::string_view translation,
                         std::string_view comment);
// Reads journal bytes; never fails, it skips what it cannot trust.
TJournalContents ParseJournal(std::string_view bytes);
// Reads the journal file; false when it cannot be read (missing, too large).
bool ReadJournalFile(const std::string &path, TJournalContents &contents, std::string *error = nullptr);
// Entries the records change (distinct full ids).
int CountJournalEntries(const TJournalContents &contents);
// Applies the records in order to the project whose translation file is named projectName; the
// changed entries become Changed and the project Modified.
TReplayResult ReplayJournal(TWordList &project, std::string_view projectName,
                            const TJournalContents &contents);

// The writer. Records are collected in memory and written by Flush (at every command) or
// FlushIfDue (at most a second after the first unwritten record). The file is made only when the
// first record is written, so a project that is opened and not edited leaves none behind.
class TEditJournal {
public:
  using TClock = std::function<std::chrono::steady_clock::time_point()>;
  explicit TEditJournal(TClock clock = [] { return std::chrono::steady_clock::now(); });
  ~TEditJournal();
  TEditJournal(const TEditJournal &) = delete;
  TEditJournal &operator=(const TEditJournal &) = delete;

  // Starts journalling for the translation file; append keeps the records of an existing journal
  // (after a recovery), otherwise the first write starts the file afresh.
  void Start(const std::string &translationFile, bool append);
  bool Active() const { return !FPath.empty(); }
  const std::string &Path() const { return FPath; }

  // Remembers the entry's stored values without writing them (it just became current); an entry
  // noted before keeps what was noted, so a change not yet seen is not mistaken for the start.
  void Baseline(const TWordObj &entry);
  // Takes the entry's stored values when they differ from what was last noted for it.
  void Note(const TWordObj &entry);
  // Writes the collected records; false with a message when the file cannot be written (the
  // records stay collected for the next try).
  bool Flush(std::string *error = nullptr);
  // Flushes when records have waited for a second or more.
  bool FlushIfDue(std::string *error = nullptr);
  bool Pending() const { return !FBuffer.empty(); }
  // Asks the system to put written records on the disk (a kill loses nothing written; a power
  // cut may). Called at most once a second.
  void Sync();

  // Ends journalling and deletes the file (after a save, a "No", a close without changes).
  void Discard();
  // Ends journalling and keeps the file (the process is going away with unsaved work).
  void Stop();

private:
  bool OpenFile(std::string *error);
  void CloseFile();

  TClock FClock;
  std::string FPath;
  std::string FProjectName;
  bool FAppend = false;
  bool FOwnsFile = false; // the file is this journal's: written by it, or taken over after a recovery
  int FFd = -1;
  bool FUnsynced = false;
  std::string FBuffer;
  std::chrono::steady_clock::time_point FFirstPending{};
  // Hash of the last noted values per entry, so that a command that changed nothing writes nothing.
  std::unordered_map<const TWordObj *, uint64_t> FNoted;
};

} // namespace vt

namespace vt {

// The translation file of an open project: the journal lives beside it.
std::string TranslationFileOf(const TWordList &project);
// Keeps a journal the user declined as NAME.kxLng.journal.old (replacing an older one).
bool SetJournalAside(const std::string &journalPath, std::string *error = nullptr);

} // namespace vt
