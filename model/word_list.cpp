// The project's file operations: open, close, save, backup copy and byte-order-mark strip.
#include "word_list.h"

#include "entry_index.h"
#include "entry_walk.h"
#include "project_reader.h"
#include "support/file_io.h"
#include "support/parallel_parts.h"
#include "support/prefault_ahead.h"
#include "support/serial_worker.h"
#include "trans_man.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <span>
#include <system_error>
#include <thread>
#include <unordered_set>
#include <utility>

namespace vt {

TWordList::TWordList() : FIndex(std::make_unique<TEntryIndex>(Items)) {}

TWordList::~TWordList() {
  Close();
}

TEntryIndex &TWordList::Index() const {
  return *FIndex;
}

void TWordList::EntryKeyChanging(TWordObj &entry) {
  ForgetSelectionIndexed();
  FIndex->EntryKeyChanging(entry);
}
void TWordList::EntryKeyChanged(TWordObj &entry) {
  ++FEntriesStamp;
  FKeysDistinct = false;
  ForgetSelectionIndexed();
  FIndex->EntryKeyChanged(entry);
}

void TWordList::ItemsReordered() {
  ++FEntriesStamp;
  ForgetSelectionIndexed();
  for (std::size_t i = 0; i < Items.Count(); ++i) Items[i]->Pos = static_cast<int32_t>(i);
  FIndex->Invalidate();
}

TWordObj *TWordList::AddEntry(std::string_view section, std::string_view name, std::string_view kind,
                              std::string_view source) {
  return AppendEntry(new TWordObj(section, name, kind, source));
}

TWordObj *TWordList::AppendEntry(TWordObj *entry) {
  ++FEntriesStamp;
  FKeysDistinct = false;
  entry->Index = entry->Pos = static_cast<int32_t>(Items.Count());
  entry->Observer = this;
  ForgetSelectionIndexed();
  Items.Add(entry);
  FIndex->EntryAppended();
  return entry;
}

void TWordList::Close() {
  ++FEntriesStamp;
  FKeysDistinct = false;
  FInStep = false;
  FileName.clear();
  DestLng.clear();
  CurrentObject.clear();
  CurrentProps.reset();
  AutoIni.reset();
  TransIni.reset();
  SrcIni.reset();
  // Entries still held elsewhere keep the bytes they view through their own references.
  if (FStore) std::exchange(FStore, nullptr)->Release();
  ForgetSelectionIndexed();
  ReleaseEntries(Selection.Raw());
  FTallies.clear();
  FTalliedAt.reset();
  Suggestions.Clear();
  SimilarItems.Clear();
  // Entries that outlive the project (held elsewhere) must not call back into it. A large project
  // lets its entries go in parts on the cores: closing, and quitting, would wait for a million
  // frees one after another otherwise.
  ReleaseEntries(Items.Raw(), true);
  Sections.clear();
  FIndex->Invalidate();
}

bool TWordList::BackupFile(const std::string &path, std::string *error) {
  return vt::BackupFile(path, error);
}

bool TWordList::StripUtf8Bom(const std::string &path, std::string *error) {
  // A look at the first three bytes: most files have no mark and are not read twice.
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) {
    if (error) *error = "Unable to open file: " + path + " (" + std::strerror(errno) + ")";
    return false;
  }
  unsigned char head[3] = {};
  const std::size_t got = std::fread(head, 1, 3, f);
  std::fclose(f);
  // All three bytes: a file that merely starts with 0xEF is someone's data.
  if (got < 3 || head[0] != 0xEF || head[1] != 0xBB || head[2] != 0xBF) return true;
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error, TIniFile::kMaxFileBytes)) return false;
  return WriteFileAtomic(path, std::string_view(bytes).substr(3), error);
}

namespace {

bool Fail(std::string *error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

// Reads a project file into ini, skipping a UTF-8 byte-order mark in memory; the bytes read are
// the ini's buffer, not copied again.
bool LoadProjectFile(TIniFile &ini, std::string *error) {
  return ini.LoadFromFile(ini.FileName(), error, true);
}

} // namespace

bool TWordList::Open(const std::string &path, std::string *error, TOpenMode mode) {
  Close();
  Modified = false;
  if (path.empty()) return Fail(error, "No project file given");
  if (!FileExists(path)) return Fail(error, "File not found: " + path);
  const std::string srcName = ChangeFileExt(path, ".SrcLng");
  const std::string transName = ChangeFileExt(path, ".kxLng");
  if (!FileExists(srcName)) return Fail(error, "Source file not found: " + srcName);
  if (!FileExists(transName)) return Fail(error, "Translation file not found: " + transName);

  // The translation file (after its backup copy, made in the kernel, and the loss of its
  // byte-order mark) is read on a thread of its own while the source file is read here; the
  // auto-translation file is read by whichever is done first.
  SrcIni = std::make_unique<TIniFile>(srcName);
  TransIni = std::make_unique<TIniFile>(transName);
  const std::string autoName = ChangeFileExt(path, ".AutoLng");
  std::unique_ptr<TIniFile> autoIni;
  std::atomic<bool> autoTaken{false};
  const auto readAuto = [&] {
    if (autoTaken.exchange(true) || !FileExists(autoName)) return;
    // The auto-translation file is optional: one that cannot be read is left out.
    autoIni = std::make_unique<TIniFile>(autoName);
    if (!LoadProjectFile(*autoIni, nullptr)) autoIni.reset();
  };
  std::string transError;
  bool transRead = false;
  const auto readTrans = [&] {
    if (mode == TOpenMode::Edit) {
      BackupFile(transName);
      StripUtf8Bom(transName);
    }
    transRead = LoadProjectFile(*TransIni, &transError);
    readAuto();
  };
  std::optional<std::jthread> trans; // joins on every way out
  try {
    trans.emplace(readTrans);
  } catch (const std::system_error &) {
    readTrans(); // no thread to spare: one file after the other
  }
  if (mode == TOpenMode::Edit) StripUtf8Bom(srcName);
  const bool srcRead = LoadProjectFile(*SrcIni, error);
  readAuto();
  if (trans) trans->join();
  if (!srcRead || !transRead) {
    if (srcRead && error) *error = std::move(transError);
    Close();
    return false;
  }
  AutoIni = std::move(autoIni);
  DestLng = TransIni->ReadString(section::Info, kDestLngKey);

  // A repeated section header would list its first section's keys twice: take each name once.
  const auto &srcSections = SrcIni->Sections();
  std::unordered_set<std::string> seen;
  std::size_t keyCount = 0;
  for (const auto &sec : srcSections) keyCount += sec.Lines.size();
  Items.Raw().reserve(keyCount);

  // The entries' texts are views of the files' bytes, which the store keeps for as long as any
  // entry needs them.
  FStore = new TTextStore();
  const std::span<char> entryRoom = FStore->ReserveEntryRoom(keyCount, sizeof(TWordObj));
  // The entries are built on this thread, one after the other in their room; the other core
  // takes the room's pages meanwhile (stopped, if still at it, when the entries are done).
  std::optional<TPrefaultAhead> prefault(std::in_place, entryRoom.data(), entryRoom.size());
  for (const TIniFile *ini : {SrcIni.get(), TransIni.get(), AutoIni.get()})
    if (ini) FStore->Hold(ini->Bytes());
  // The translations and auto texts of each section are read on another thread, behind the
  // entries being built here, in the order of the sections.
  struct TSectionRead {
    std::string_view Section, Name; // as the source file has it; as the entries keep it
    std::vector<TPendingEntry> Pending;
    std::vector<TWordObj *> Hidden;
  };
  std::vector<TSectionTally> tallies;
  // Texts that are not views of the files as read are copied into the store, by either thread.
  std::mutex keeping;
  TSerialWorker<std::vector<TSectionRead>> reader([&](std::vector<TSectionRead> &reads) {
    for (TSectionRead &read : reads) {
      {
        const std::lock_guard lock(keeping);
        // Hidden entries have no texts; where the file has no line that is not some visible
        // entry's, saving them would write nothing.
        if (TransIni && ReadTranslations(*TransIni, read.Section, read.Pending, *FStore))
          for (TWordObj *entry : read.Hidden) {
            entry->Translation.ClearChanged();
            entry->Comment.ClearChanged();
          }
        if (AutoIni) ReadAutoTexts(*AutoIni, read.Section, read.Pending, *FStore);
      }
      // The section's progress, while its entries are at hand: the window shows it right away.
      if (!read.Pending.empty()) {
        TSectionTally &tally = tallies.emplace_back(TSectionTally{read.Name, read.Pending.size(), 0});
        for (const TPendingEntry &p : read.Pending) tally.Translated += p.Entry->State() == esTranslated;
      }
    }
  });
  const auto stable = [&](const TCompactText &text) {
    if (text.IsView()) return text.view();
    const std::lock_guard lock(keeping);
    return FStore->Keep(text);
  };
  // Sections go over in batches of some thousand entries: one hand-over each, not one per section.
  constexpr std::size_t kBatchEntries = 4096;
  std::vector<TSectionRead> batch;
  std::size_t batchEntries = 0;
  TSectionKeySet keys;
  bool commentLikeKey = false;
  std::string_view name, kind;
  for (const auto &sec : srcSections) {
    if (!seen.insert(LowerAscii(sec.Name)).second) continue;
    Sections.push_back(sec.Name);
    TSectionRead &read = batch.emplace_back(TSectionRead{sec.Name, stable(sec.Name), {}, {}});
    read.Pending.reserve(sec.Lines.size());
    keys.Reset(sec.Lines.size());
    for (const auto &line : sec.Lines) {
      if (line.Key.empty()) continue;
      // A repeated key yields one entry, with the first value, as look-ups see it.
      if (!keys.Add(line.Key) || line.Value.empty()) continue;
      if (!SplitKey(line.Key, name, kind)) continue;
      if (kind.size() >= kind::CommentSuffix.size() &&
          SameIniName(kind.substr(kind.size() - kind::CommentSuffix.size()), kind::CommentSuffix))
        commentLikeKey = true;
      const std::string_view key = stable(line.Key);
      name = key.substr(0, name.size());
      kind = key.substr(key.size() - kind.size());
      TWordObj *entry = AppendEntry(TWordObj::Place(*FStore, read.Name, name, kind, stable(line.Value)));
      if (!entry->Hidden)
        read.Pending.push_back(TPendingEntry{entry, line.Key});
      else
        read.Hidden.push_back(entry);
    }
    batchEntries += read.Pending.size() + read.Hidden.size();
    if (batchEntries >= kBatchEntries) {
      reader.Push(std::move(batch));
      batch.clear();
      batchEntries = 0;
    }
  }
  if (!batch.empty()) reader.Push(std::move(batch));
  reader.Finish();
  prefault.reset();
  FIndex->Invalidate();
  // Keys are distinct within each section now (repeats were dropped), and none can be taken for
  // another's comment key: Save need not check.
  FKeysDistinct = !commentLikeKey;
  if (Items.Empty()) return Fail(error, "No entries in " + srcName);
  FileName = path;
  // The reader cleared the change marks of the texts that the file holds as a save would write
  // them; every other entry's texts stay marked.
  FInStep = true;
  FInStepStamp = TransIni->ChangeStamp();
  FTallies = std::move(tallies);
  FTalliedAt = FEntriesStamp;
  FTalliedItems = Items.Count();
  return true;
}

bool TWordList::Save(std::string *error) {
  if (!TransIni) return true;
  std::vector<TWordObj *> changed; // entries whose Changed mark this save clears
  // With distinct keys every entry's writes touch only its own two lines, so when the file is in
  // step the unmarked entries' writes would change nothing: only the marked ones are made.
  WriteEntries(FInStep && FKeysDistinct && TransIni->ChangeStamp() == FInStepStamp, changed);
  FInStep = true;
  FInStepStamp = TransIni->ChangeStamp();
  // Changed and Modified stay set when the file could not be written, so nothing is lost silently.
  if (!TransIni->Save(error)) return false;
  for (TWordObj *entry : changed) entry->Changed = false;
  Modified = false;
  return true;
}

namespace {

// An empty text whose delete may leave a line of its key (a repeat) behind. An unmarked empty
// text had no line of its key to begin with, and clearing its mark changes nothing.
bool MarkedEmpty(const TCompactText &text) {
  return text.empty() && text.IsChanged();
}

} // namespace

void TWordList::WriteEntries(bool onlyChanged, std::vector<TWordObj *> &changed) {
  // Entries go to the file section by section (a run of entries with the same Section), each with
  // its translation key and comment key, in the order the writes would be made one by one. Keys
  // are views of the source file where they can be; the comment key is that key with the comment
  // suffix as a second piece. Other keys are composed into a store whose copies stay put until the
  // save is done.
  TTextStore *keys = nullptr;
  std::string scratch;
  const auto compose = [&](std::string_view name, std::string_view kindName) {
    if (!keys) keys = new TTextStore();
    scratch.assign(name).append(1, '.').append(kindName);
    return keys->Keep(scratch);
  };
  if (FStore) TransIni->HoldStore(*FStore);
  std::optional<TIniSectionWriter> writer;
  std::string_view writerSection;
  std::vector<TWordObj *> written; // the entries of the current section with an empty text written
  // The written texts are stored now, and their marks go (at once, but for empty texts). A deleted
  // key can still have a line where the section held it twice (the next line of it is the first
  // now, and the next save deletes that too): such a text keeps its mark. No key was there twice
  // when every line of the section was taken in turn.
  std::vector<std::string> deletedKeys;
  std::vector<std::string_view> deletedViews;
  const auto finishSection = [&] {
    writer->Finish();
    std::vector<bool> left;
    if (!written.empty() && !writer->AllLinesTaken()) {
      deletedKeys.clear();
      for (const TWordObj *entry : written) {
        const bool translation = MarkedEmpty(entry->Translation), comment = MarkedEmpty(entry->Comment);
        if (!translation && !comment) continue; // most entries: no key to look for
        const std::string key = entry->Name() + "." + entry->Kind();
        if (translation) deletedKeys.push_back(key);
        if (comment) deletedKeys.push_back(key + std::string(kind::CommentSuffix));
      }
      deletedViews.assign(deletedKeys.begin(), deletedKeys.end());
      left = TransIni->SectionHasKeys(writerSection, deletedViews);
    }
    std::size_t next = 0;
    const auto clear = [&](TCompactText &text) {
      if (!MarkedEmpty(text) || left.empty() || !left[next++]) text.ClearChanged();
    };
    for (TWordObj *entry : written) {
      clear(entry->Translation);
      clear(entry->Comment);
    }
    written.clear();
  };
  // In step, only sections with a changed entry are written, and each of them whole, so that
  // every line of its entries is met in turn; an unchanged text writes nothing.
  const auto unchanged = [this](const TWordObj *entry) {
    // An entry this project does not observe came into Items some other way: always written.
    return !entry->Translation.IsChanged() && !entry->Comment.IsChanged() && entry->Observer == this;
  };
  // In step, an empty text without its mark has no line of its key: nothing to delete. Such a
  // write would wait for a look-up at the section's end, since no line of it comes in turn.
  const auto wanted = [&](const TCompactText &text) {
    return !onlyChanged || !text.empty() || text.IsChanged();
  };
  const std::vector<TWordObj *> &items = Items.Raw();
  // The first pass reads every entry, the only pass over all of them when few changed: in parts on
  // the cores, each finding where the sections' runs of entries start in its part, a position of
  // each run that needs writing (at most one per run), and the entries whose Changed mark goes.
  struct TScan {
    std::vector<std::size_t> Starts, Dirty;
    std::vector<TWordObj *> Changed;
  };
  std::vector<TScan> scans(PartCount(items.size(), kMinEntryPart));
  RunInParts(items.size(), kMinEntryPart, [&](std::size_t part, std::size_t begin, std::size_t end) {
    TScan &scan = scans[part];
    std::string_view section;
    if (begin > 0) section = items[begin - 1]->Section();
    for (std::size_t i = begin; i < end; ++i) {
      // Items need not follow the entries' order in memory (a sort, added entries): the lines read
      // here are fetched some entries ahead.
      if (i + kEntryFetchAhead < end) {
        __builtin_prefetch(items[i + kEntryFetchAhead]);
        __builtin_prefetch(&items[i + kEntryFetchAhead]->Observer);
      }
      TWordObj *entry = items[i];
      if (i == 0 || !SameBytes(entry->Section(), section)) {
        section = entry->Section();
        scan.Starts.push_back(i);
      }
      if (entry->Changed) scan.Changed.push_back(entry);
      const std::size_t runStart = scan.Starts.empty() ? begin : scan.Starts.back();
      if (onlyChanged && !unchanged(entry) && (scan.Dirty.empty() || scan.Dirty.back() < runStart))
        scan.Dirty.push_back(i);
    }
  });
  std::vector<std::size_t> starts, dirty;
  for (const TScan &scan : scans) {
    starts.insert(starts.end(), scan.Starts.begin(), scan.Starts.end());
    dirty.insert(dirty.end(), scan.Dirty.begin(), scan.Dirty.end());
    changed.insert(changed.end(), scan.Changed.begin(), scan.Changed.end());
  }
  starts.push_back(items.size());
  std::size_t nextDirty = 0;
  for (std::size_t run = 0; run + 1 < starts.size(); ++run) {
    const std::size_t begin = starts[run], end = starts[run + 1];
    bool write = !onlyChanged;
    for (; nextDirty < dirty.size() && dirty[nextDirty] < end; ++nextDirty) write = true;
    if (!write) continue;
    const std::string_view section = items[begin]->Section();
    writer.emplace(*TransIni, section, FKeysDistinct);
    writerSection = section;
    for (std::size_t i = begin; i < end; ++i) {
      // The first pass read other parts of these entries: their keys are fetched ahead again.
      if (i + kEntryFetchAhead < items.size()) __builtin_prefetch(&items[i + kEntryFetchAhead]->Kind());
      TWordObj *entry = items[i];
      const std::string_view name = entry->Name(), kindName = entry->Kind();
      std::string_view key = entry->KeyView();
      if (key.empty()) key = compose(name, kindName);
      // A view of an entry of this project is of bytes its store keeps: the file takes it as it is.
      const bool ours = FStore && entry->TextStore() == FStore;
      if (wanted(entry->Translation))
        writer->Write(TIniWrite{key,
                                entry->Translation,
                                {},
                                ours && entry->Translation.IsView(),
                                entry->Translation.IsChanged()});
      if (wanted(entry->Comment))
        writer->Write(TIniWrite{key, entry->Comment, kind::CommentSuffix, ours && entry->Comment.IsView(),
                                entry->Comment.IsChanged()});
      if (MarkedEmpty(entry->Translation) || MarkedEmpty(entry->Comment)) {
        written.push_back(entry);
      } else {
        entry->Translation.ClearChanged();
        entry->Comment.ClearChanged();
      }
    }
    finishSection();
  }
  if (keys) keys->Release();
}

} // namespace vt
