#pragma once
// The file work behind backups, packed projects (".LngPrj") and the project maintenance commands.
// Each function returns whether it succeeded and leaves a one-line reason in *error; none asks or
// shows anything, and every file is written whole beside its target and renamed over it.
#include "model/word_list.h"
#include "support/zip_file.h"

#include <string>

namespace vt {

// Folder created beside a project for its backups.
inline constexpr const char *kAutoBackupsFolder = "AutoBackups";

// Writes every entry's translation and comment into the project's translation file in memory (a
// non-empty value is written, an empty one deletes its key). Changed and Modified stay as they are.
void SynchronizeEntries(TWordList &project);

// The packed project's member base: the file name without folder and without its extension.
std::string PackedBaseName(const std::string &archivePath);

// Synchronises the entries and writes the archive: "<base>.SrcLng" then "<base>.kxLng". False when
// the path is empty, the project has no entries or its files are not loaded, or the write failed
// (an earlier archive of that name then stays whole).
bool WritePackedProject(TWordList &project, const std::string &path, const TZipClock &clock = {},
                        std::string *error = nullptr);

// "2026_12_08 03-15-42".
std::string BackupStamp(const TZipTime &time);
// The backup archive of a project file: "<folder>/AutoBackups/<base>.BU<stamp>.LngPrj", where a
// project that already lies in an "AutoBackups" folder keeps its folder, and a base restored from a
// backup ("French.BU2026_12_08 03-15-42") loses its old stamp.
std::string BackupFileName(const std::string &projectFile, const TZipTime &time);
// Writes the backup of the open project at that time; backupPath receives the archive's path (also
// when writing failed). False when the project has no file name, the folder cannot be made or the
// archive cannot be written.
bool BackupProject(TWordList &project, const TZipTime &time, std::string &backupPath,
                   std::string *error = nullptr);

// The import's file steps: reads the archive and checks every member before anything is written,
// then writes the first ".SrcLng" and the first ".kxLng" member (by extension, any case) as
// "<targetBase>.SrcLng" and "<targetBase>.kxLng", lines ended by CR LF, each existing file first
// copied to "<file>.~bu". translationFile receives the written ".kxLng" path. False, with nothing
// written, when the archive is missing, damaged or holds no ".kxLng" member.
bool UnpackProject(const std::string &archivePath, const std::string &targetBase,
                   std::string &translationFile, std::string *error = nullptr);

// "Clone Project as...": copies the project's ".SrcLng" and ".kxLng" files from disk to the chosen
// name with those extensions; existing targets are first copied to "<file>.~bu". Refuses a target
// that is the project itself.
bool CloneProject(const std::string &projectFile, const std::string &chosenPath,
                  std::string *error = nullptr);

// "Resave Entire Files": writes the project's entries in load order into a fresh ".SrcLng" (every
// non-empty source, hidden entries included) and ".kxLng" (translations and comments of visible
// entries, and the destination language) under the chosen name. Existing targets are first copied
// to "<file>.~bu". The project itself is not changed.
bool ResaveEntireFiles(const TWordList &project, const std::string &chosenPath, std::string *error = nullptr);

// "Build Updated SrcLng": a source file whose texts are the translations (the source text where an
// entry has none), in load order, hidden entries included; comments are left out. An existing file
// is first copied to "<file>.~bu".
bool BuildUpdatedSrcLng(const TWordList &project, const std::string &path, std::string *error = nullptr);

} // namespace vt
