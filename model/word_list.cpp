// The project's file operations: open, close, save, backup copy and byte-order-mark strip.
#include "word_list.h"

#include "entry_index.h"
#include "project_reader.h"
#include "support/file_io.h"
#include "trans_man.h"

#include <cstdio>
#include <unordered_set>

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
  ForgetSelectionIndexed();
  FIndex->EntryKeyChanged(entry);
}

void TWordList::ItemsReordered() {
  ForgetSelectionIndexed();
  for (std::size_t i = 0; i < Items.Count(); ++i) Items[i]->Pos = static_cast<int32_t>(i);
  FIndex->Invalidate();
}

TWordObj *TWordList::AddEntry(std::string section, std::string name, std::string kind, std::string source) {
  auto *entry = new TWordObj(std::move(section), std::move(name), std::move(kind), std::move(source));
  entry->Index = entry->Pos = static_cast<int32_t>(Items.Count());
  entry->Observer = this;
  ForgetSelectionIndexed();
  Items.Add(entry);
  FIndex->EntryAppended();
  return entry;
}

void TWordList::Close() {
  FileName.clear();
  DestLng.clear();
  CurrentObject.clear();
  CurrentProps.reset();
  AutoIni.reset();
  TransIni.reset();
  SrcIni.reset();
  ForgetSelectionIndexed();
  Selection.Clear();
  Suggestions.Clear();
  SimilarItems.Clear();
  // Entries that outlive the project (held elsewhere) must not call back into it.
  for (TWordObj *entry : Items) {
    entry->Observer = nullptr;
    entry->Pos = -1;
  }
  Items.Clear();
  Sections.clear();
  FIndex->Invalidate();
}

bool TWordList::BackupFile(const std::string &path) {
  return vt::BackupFile(path);
}

bool TWordList::StripUtf8Bom(const std::string &path) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  unsigned char head[3] = {};
  const std::size_t got = std::fread(head, 1, 3, f);
  std::fclose(f);
  // All three bytes: a file that merely starts with 0xEF is someone's data.
  if (got < 3 || head[0] != 0xEF || head[1] != 0xBB || head[2] != 0xBF) return true;
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  return WriteFileAtomic(path, std::string_view(bytes).substr(3));
}

bool TWordList::Open(const std::string &path) {
  Close();
  Modified = false;
  if (path.empty() || !FileExists(path)) return false;
  const std::string srcName = ChangeFileExt(path, ".SrcLng");
  const std::string transName = ChangeFileExt(path, ".kxLng");
  if (!FileExists(srcName) || !FileExists(transName)) return false;

  BackupFile(transName);
  StripUtf8Bom(srcName);
  StripUtf8Bom(transName);

  SrcIni = std::make_unique<TIniFile>(srcName);
  TransIni = std::make_unique<TIniFile>(transName);
  if (!SrcIni->Load() || !TransIni->Load()) return false;
  DestLng = TransIni->ReadString(section::Info, kDestLngKey);

  const std::string autoName = ChangeFileExt(path, ".AutoLng");
  if (FileExists(autoName)) {
    AutoIni = std::make_unique<TIniFile>(autoName);
    if (!AutoIni->Load()) AutoIni.reset();
  }

  // A repeated section header would list its first section's keys twice: take each name once.
  const auto &srcSections = SrcIni->Sections();
  std::unordered_set<std::string> seen;
  std::size_t keyCount = 0;
  for (const auto &sec : srcSections) keyCount += sec.Lines.size();
  Items.Raw().reserve(keyCount);

  TSectionKeySet keys;
  std::vector<TPendingEntry> pending;
  std::string name, kind;
  for (const auto &sec : srcSections) {
    if (!seen.insert(LowerAscii(sec.Name)).second) continue;
    Sections.push_back(sec.Name);
    keys.Reset(sec.Lines.size());
    pending.clear();
    for (const auto &line : sec.Lines) {
      if (line.Key.empty()) continue;
      // A repeated key yields one entry, with the first value, as look-ups see it.
      if (!keys.Add(line.Key) || line.Value.empty()) continue;
      if (!SplitKey(line.Key, name, kind)) continue;
      TWordObj *entry = AddEntry(sec.Name, name, kind, line.Value);
      if (!entry->Hidden) pending.push_back(TPendingEntry{entry, line.Key});
    }
    if (TransIni) ReadTranslations(*TransIni, sec.Name, pending);
    if (AutoIni) ReadAutoTexts(*AutoIni, sec.Name, pending);
  }
  FIndex->Invalidate();
  if (Items.Empty()) return false;
  FileName = path;
  return true;
}

bool TWordList::Save(std::string *error) {
  if (!TransIni) return true;
  // Entries go to the file section by section (a run of entries with the same Section), each with
  // its translation key and comment key, in the order the writes would be made one by one.
  std::string keyBytes;
  std::vector<std::size_t> keyEnds;
  std::vector<TIniWrite> writes;
  auto &items = Items.Raw();
  for (std::size_t first = 0; first < items.size();) {
    const std::string &section = items[first]->Section();
    std::size_t last = first;
    keyBytes.clear();
    keyEnds.clear();
    while (last < items.size() && items[last]->Section() == section) {
      const TWordObj *entry = items[last++];
      keyBytes.append(entry->Name()).append(1, '.').append(entry->Kind());
      keyEnds.push_back(keyBytes.size());
      keyBytes.append(entry->Name()).append(1, '.').append(entry->Kind()).append(kind::CommentSuffix);
      keyEnds.push_back(keyBytes.size());
    }
    writes.clear();
    std::size_t from = 0;
    for (std::size_t k = 0; k < keyEnds.size(); ++k) {
      const TWordObj *entry = items[first + k / 2];
      const std::string_view key(keyBytes.data() + from, keyEnds[k] - from);
      writes.push_back(TIniWrite{key, k % 2 == 0 ? entry->Translation : entry->Comment});
      from = keyEnds[k];
    }
    TransIni->WriteValues(section, writes);
    first = last;
  }
  // Changed and Modified stay set when the file could not be written, so nothing is lost silently.
  if (!TransIni->Save(error)) return false;
  for (TWordObj *entry : Items) entry->Changed = false;
  Modified = false;
  return true;
}

} // namespace vt
