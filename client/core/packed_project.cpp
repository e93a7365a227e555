#include "packed_project.h"

#include "model/ids.h"
#include "support/file_io.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vt {

namespace fs = std::filesystem;

namespace {

// The entry texts this file reads, in one place.
std::string_view TranslationOf(const TWordObj &entry) {
  return entry.Translation;
}
std::string_view CommentOf(const TWordObj &entry) {
  return entry.Comment;
}
std::string_view SourceOf(const TWordObj &entry) {
  return entry.Source();
}

void SetError(std::string *error, std::string text) {
  if (error) *error = std::move(text);
}

// Upper-cases ASCII letters only.
std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char &c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

// The extension of a member or file name: from the last "." after the last separator, or empty.
std::string_view ExtensionOf(std::string_view name) {
  const auto sep = name.find_last_of("/\\");
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep)) return {};
  return name.substr(dot);
}

// Whether ext is ".BU" (any case) followed by a stamp of BackupStamp's shape.
bool IsBackupStampExtension(std::string_view ext) {
  static constexpr std::string_view kShape = "dddd_dd_dd dd-dd-dd";
  if (ext.size() != 3 + kShape.size() || UpperAscii(ext.substr(0, 3)) != ".BU") return false;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const char c = ext[3 + i];
    if (kShape[i] == 'd' ? !(c >= '0' && c <= '9') : c != kShape[i]) return false;
  }
  return true;
}

// Entries in load order, the project's own list untouched.
TEntryList InLoadOrder(const TWordList &project) {
  TEntryList list(project.Items.Raw().begin(), project.Items.Raw().end());
  std::stable_sort(list.begin(), list.end(), LessByIndex);
  return list;
}

// Writes each run of entries of one section as one batch of key writes, so that appending keys in
// entry order needs no hashing. valueOf(i, entry) returns the entry's value and comment (empty:
// none, or delete the key).
template <class ValueOf>
void WriteEntryRuns(TIniFile &ini, const TEntryList &entries, bool withComments, ValueOf valueOf) {
  std::string keyBytes;
  std::vector<std::size_t> keyEnds;
  std::vector<std::string_view> values;
  std::vector<TIniWrite> writes;
  for (std::size_t first = 0; first < entries.size();) {
    const std::string &section = entries[first]->Section();
    std::size_t last = first;
    keyBytes.clear();
    keyEnds.clear();
    values.clear();
    for (; last < entries.size() && entries[last]->Section() == section; ++last) {
      const TWordObj &entry = *entries[last];
      const auto [value, comment] = valueOf(last, entry);
      keyBytes.append(entry.Name()).append(1, '.').append(entry.Kind());
      keyEnds.push_back(keyBytes.size());
      values.push_back(value);
      if (!withComments) continue;
      keyBytes.append(entry.Name()).append(1, '.').append(entry.Kind()).append(kind::CommentSuffix);
      keyEnds.push_back(keyBytes.size());
      values.push_back(comment);
    }
    // Keys are cut from keyBytes only now, when it no longer grows.
    writes.clear();
    std::size_t from = 0;
    for (std::size_t k = 0; k < keyEnds.size(); ++k) {
      writes.push_back(TIniWrite{std::string_view(keyBytes).substr(from, keyEnds[k] - from), values[k]});
      from = keyEnds[k];
    }
    ini.WriteValues(section, writes);
    first = last;
  }
}

// Writes an ini file's text over path: an existing file is first copied to "<path>.~bu".
bool ReplaceFile(const std::string &path, std::string_view bytes, std::string *error) {
  if (!BackupFile(path, error)) return false;
  return WriteFileAtomic(path, bytes, error);
}

// Whether the two paths name the same file (an existing one, or the same spelling after
// normalising).
bool SameFile(const std::string &a, const std::string &b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

// Whether every line already ends with CR LF, as in every packed project this program writes:
// every LF follows a CR, and there are as many CRs as LFs (so no CR stands alone).
bool AllCrLf(std::string_view text) {
  if (text.empty()) return true;
  if (!text.ends_with("\r\n")) return false;
  std::size_t lf = 0;
  for (const char *p = text.data(), *end = p + text.size();
       (p = static_cast<const char *>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))); ++p, ++lf)
    if (p == text.data() || p[-1] != '\r') return false;
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')) == lf;
}

// Text written as lines each ended by CR LF: bare LF and bare CR end a line too, and a last line
// without an end gets one.
std::string CrLfLines(std::string text) {
  if (AllCrLf(text)) return text;
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out.append("\r\n");
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out.push_back(c);
    }
  }
  if (!out.ends_with("\r\n")) out.append("\r\n");
  return out;
}

} // namespace

void SynchronizeEntries(TWordList &project) {
  if (!project.TransIni) return;
  const TEntryList entries(project.Items.Raw().begin(), project.Items.Raw().end());
  WriteEntryRuns(*project.TransIni, entries, true, [](std::size_t, const TWordObj &entry) {
    return std::pair<std::string_view, std::string_view>(TranslationOf(entry), CommentOf(entry));
  });
}

std::string PackedBaseName(const std::string &archivePath) {
  const std::string name = ExtractFileName(archivePath);
  const std::string_view ext = ExtensionOf(name);
  return name.substr(0, name.size() - ext.size());
}

bool WritePackedProject(TWordList &project, const std::string &path, const TZipClock &clock,
                        std::string *error) {
  if (path.empty()) {
    SetError(error, "No archive name given");
    return false;
  }
  if (project.Items.Empty() || !project.SrcIni || !project.TransIni) {
    SetError(error, "No Project to Export");
    return false;
  }
  SynchronizeEntries(project);
  const std::string base = PackedBaseName(path);
  try {
    TZipFile zip(clock);
    zip.AddFile(base + ".SrcLng", 0);
    zip.SetData(zip.Count() - 1, project.SrcIni->ToBytes());
    zip.AddFile(base + ".kxLng", 0);
    zip.SetData(zip.Count() - 1, project.TransIni->ToBytes());
    zip.SaveToFile(path);
  } catch (const std::exception &e) {
    SetError(error, e.what());
    return false;
  }
  if (!FileExists(path)) {
    SetError(error, "Unable to save file: " + path);
    return false;
  }
  return true;
}

std::string BackupStamp(const TZipTime &time) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2d_%.2d_%.2d %.2d-%.2d-%.2d", time.Year, time.Month, time.Day,
                time.Hour, time.Minute, time.Second);
  return buffer;
}

std::string BackupFileName(const std::string &projectFile, const TZipTime &time) {
  std::string folder = ExtractFileDir(projectFile);
  // A project restored inside a backup folder backs up beside itself, not one level further down.
  if (folder.find(kAutoBackupsFolder) == std::string::npos) {
    if (!folder.empty()) folder.push_back('/');
    folder.append(kAutoBackupsFolder);
  }
  const std::string name = ExtractFileName(projectFile);
  std::string base = name.substr(0, name.size() - ExtensionOf(name).size());
  // Only an earlier backup's own ".BU<stamp>" goes: "French.Business" keeps its second part.
  const std::string_view ext = ExtensionOf(base);
  if (IsBackupStampExtension(ext)) base.resize(base.size() - ext.size());
  std::string path = folder;
  if (!path.empty()) path.push_back('/');
  return path + base + ".BU" + BackupStamp(time) + ".LngPrj";
}

bool BackupProject(TWordList &project, const TZipTime &time, std::string &backupPath, std::string *error) {
  backupPath.clear();
  if (project.FileName.empty()) {
    SetError(error, "No project is open");
    return false;
  }
  backupPath = BackupFileName(project.FileName, time);
  const std::string folder = ExtractFileDir(backupPath);
  std::error_code ec;
  if (!folder.empty() && !fs::is_directory(folder, ec)) {
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
      SetError(error, "Unable to create folder: " + folder);
      return false;
    }
  }
  return WritePackedProject(
      project, backupPath, [time] { return time; }, error);
}

bool UnpackProject(const std::string &archivePath, const std::string &targetBase,
                   std::string &translationFile, std::string *error) {
  translationFile.clear();
  if (!FileExists(archivePath)) {
    SetError(error, "Unable to Open File: " + archivePath);
    return false;
  }
  // Every member is read and checked before the first file is touched.
  std::string source, translation;
  bool haveSource = false, haveTranslation = false;
  try {
    TZipFile zip;
    zip.LoadFromFile(archivePath);
    for (int i = 0; i < zip.Count(); ++i) {
      const std::string ext = UpperAscii(ExtensionOf(zip.Name(i)));
      // The first member of each kind counts; a second would replace the first one's ".~bu" copy.
      if (ext == ".SRCLNG" && !haveSource) {
        source = CrLfLines(zip.GetData(i));
        haveSource = true;
      } else if (ext == ".KXLNG" && !haveTranslation) {
        translation = CrLfLines(zip.GetData(i));
        haveTranslation = true;
      }
    }
  } catch (const std::exception &e) {
    SetError(error, e.what());
    return false;
  }
  if (!haveTranslation) {
    SetError(error, "No translation file (.kxLng) in " + archivePath);
    return false;
  }
  if (haveSource && !ReplaceFile(targetBase + ".SrcLng", source, error)) return false;
  source = std::string();
  if (!ReplaceFile(targetBase + ".kxLng", translation, error)) return false;
  translationFile = targetBase + ".kxLng";
  return true;
}

bool CloneProject(const std::string &projectFile, const std::string &chosenPath, std::string *error) {
  for (const char *ext : {".SrcLng", ".kxLng"}) {
    const std::string from = ChangeFileExt(projectFile, ext), to = ChangeFileExt(chosenPath, ext);
    if (SameFile(from, to)) {
      SetError(error, "A project cannot be cloned onto itself: " + to);
      return false;
    }
  }
  for (const char *ext : {".SrcLng", ".kxLng"}) {
    const std::string from = ChangeFileExt(projectFile, ext), to = ChangeFileExt(chosenPath, ext);
    std::string bytes;
    if (!ReadFileBytes(from, bytes, error) || !ReplaceFile(to, bytes, error)) return false;
  }
  return true;
}

bool ResaveEntireFiles(const TWordList &project, const std::string &chosenPath, std::string *error) {
  const TEntryList entries = InLoadOrder(project);
  TIniFile source, translation;
  WriteEntryRuns(source, entries, false, [](std::size_t, const TWordObj &entry) {
    return std::pair<std::string_view, std::string_view>(SourceOf(entry), {});
  });
  // The destination language is the project's, not an entry's; it is kept so the new pair stays
  // a project of the same language.
  if (!project.DestLng.empty()) translation.WriteString(section::Info, kDestLngKey, project.DestLng);
  TEntryList visible;
  visible.reserve(entries.size());
  std::copy_if(entries.begin(), entries.end(), std::back_inserter(visible),
               [](const TWordObj *entry) { return !entry->Hidden; });
  WriteEntryRuns(translation, visible, true, [](std::size_t, const TWordObj &entry) {
    return std::pair<std::string_view, std::string_view>(TranslationOf(entry), CommentOf(entry));
  });
  const std::string srcPath = ChangeFileExt(chosenPath, ".SrcLng"),
                    transPath = ChangeFileExt(chosenPath, ".kxLng");
  return ReplaceFile(srcPath, source.ToBytes(), error) &&
         ReplaceFile(transPath, translation.ToBytes(), error);
}

bool BuildUpdatedSrcLng(const TWordList &project, const std::string &path, std::string *error) {
  const TEntryList entries = InLoadOrder(project);
  std::vector<std::string> texts(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TWordObj &entry = *entries[i];
    std::u16string text = entry.TranslationText();
    if (text.empty()) text = entry.SourceText();
    texts[i] = entry.EncodeValue(text);
  }
  // Comments are left out: in a source file a "<key>_?" line would read as an entry of its own.
  TIniFile out;
  WriteEntryRuns(out, entries, false, [&](std::size_t i, const TWordObj &) {
    return std::pair<std::string_view, std::string_view>(texts[i], {});
  });
  return ReplaceFile(path, out.ToBytes(), error);
}

} // namespace vt
