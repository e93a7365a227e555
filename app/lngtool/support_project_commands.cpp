// pack, unpack, backup, clone, resave-entire and build-updated-src: the packed-project and project
// maintenance commands of the main window, on the command line.
#include "commands.h"
#include "support_clock.h"

#include "client/core/packed_project.h"
#include "support/file_io.h"

#include <cstdio>
#include <iostream>
#include <memory>

namespace lngtool {

namespace {

vt::TRef<vt::TWordList> OpenProjectOrDie(const std::string &path) {
  vt::TRef<vt::TWordList> list(new vt::TWordList());
  if (!list->Open(path)) Die("Unable to Open File " + path);
  return list;
}

// "YYYY-MM-DD HH:MM:SS", checked field by field.
vt::TZipTime ParseMoment(const std::string &text) {
  vt::TZipTime t;
  char tail = 0;
  const int n = std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.Year, &t.Month, &t.Day, &t.Hour,
                            &t.Minute, &t.Second, &tail);
  if (n != 6 || t.Year < 1980 || t.Year > 2107 || t.Month < 1 || t.Month > 12 || t.Day < 1 || t.Day > 31 ||
      t.Hour > 23 || t.Minute > 59 || t.Second > 59 || t.Hour < 0 || t.Minute < 0 || t.Second < 0)
    Die("Not a time of the form \"YYYY-MM-DD HH:MM:SS\": " + text);
  return t;
}

void Pack(const std::string &project, const std::string &out) {
  auto list = OpenProjectOrDie(project);
  std::string error;
  if (!vt::WritePackedProject(*list, out, CommandClock(), &error))
    Die("Unable to save file " + out + ": " + error);
}

void Unpack(const std::string &archive, const std::string &target) {
  const std::string base = vt::ChangeFileExt(target, "");
  std::string translation, error;
  if (!vt::UnpackProject(archive, base, translation, &error)) Die(error);
  std::cerr << "wrote " << translation << '\n';
}

void Backup(const std::string &project, const std::string &at) {
  auto list = OpenProjectOrDie(project);
  const vt::TZipTime time = at.empty() ? CommandClock()() : ParseMoment(at);
  std::string path, error;
  if (!vt::BackupProject(*list, time, path, &error))
    Die("Unable to save Backupfile: " + path + " (" + error + ")");
  std::cout << path << '\n';
}

void Clone(const std::string &project, const std::string &target) {
  if (!vt::FileExists(project)) Die("Unable to Open File " + project);
  std::string error;
  if (!vt::CloneProject(project, target, &error)) Die(error);
}

void ResaveEntire(const std::string &project, const std::string &target, bool mergeHints) {
  auto list = OpenProjectOrDie(project);
  if (mergeHints) list->MergeHints();
  std::string error;
  if (!vt::ResaveEntireFiles(*list, target, &error)) Die(error);
}

void BuildUpdatedSource(const std::string &project, const std::string &out) {
  auto list = OpenProjectOrDie(project);
  std::string error;
  if (!vt::BuildUpdatedSrcLng(*list, out, &error)) Die(error);
}

// A subcommand taking two paths.
void AddPairCommand(CLI::App &app, const char *name, const char *help, const char *first,
                    const char *firstHelp, const char *second, const char *secondHelp,
                    void (*run)(const std::string &, const std::string &)) {
  auto a = std::make_shared<std::string>(), b = std::make_shared<std::string>();
  auto *command = app.add_subcommand(name, help);
  command->add_option(first, *a, firstHelp)->required();
  command->add_option(second, *b, secondHelp)->required();
  command->callback([a, b, run] { run(*a, *b); });
}

} // namespace

void RegisterPackedProjectCommands(CLI::App &app) {
  static constexpr const char *kProjectHelp = "the .SrcLng, .kxLng or .AutoLng file of the project";
  AddPairCommand(app, "pack",
                 "Write the project as a packed project: an archive of its source and translation file "
                 "(SOURCE_DATE_EPOCH fixes the members' time)",
                 "PROJECT", kProjectHelp, "OUT", "the .LngPrj archive to write (replaced whole)", Pack);
  AddPairCommand(app, "unpack",
                 "Unpack a packed project as the import does: writes TARGET.SrcLng and TARGET.kxLng, "
                 "keeping .~bu copies of files it replaces; nothing is written from a damaged archive",
                 "ARCHIVE", "the .LngPrj archive", "TARGET", "the .kxLng file to write", Unpack);

  auto backupPath = std::make_shared<std::string>(), at = std::make_shared<std::string>();
  auto *backup = app.add_subcommand(
      "backup", "Write a backup of the project into its AutoBackups folder and print the archive's path");
  backup->add_option("PROJECT", *backupPath, kProjectHelp)->required();
  backup->add_option("--at", *at, "the backup's time, \"YYYY-MM-DD HH:MM:SS\" (default: now)");
  backup->callback([backupPath, at] { Backup(*backupPath, *at); });

  AddPairCommand(app, "clone",
                 "Copy the project's .SrcLng and .kxLng files from disk under a new name (existing "
                 "targets are kept as .~bu copies)",
                 "PROJECT", kProjectHelp, "NEW", "the new project's file name (its extension is replaced)",
                 Clone);
  auto entireFrom = std::make_shared<std::string>(), entireTo = std::make_shared<std::string>();
  auto merge = std::make_shared<bool>(false);
  auto *entire = app.add_subcommand(
      "resave-entire",
      "Write every entry of the project, in load order, into a fresh .SrcLng and .kxLng pair");
  entire->add_option("PROJECT", *entireFrom, kProjectHelp)->required();
  entire->add_option("NEW", *entireTo, "the new project's file name (its extension is replaced)")->required();
  entire->add_flag("--merge-hints", *merge, "join short and full hints into combined hint entries first");
  entire->callback([entireFrom, entireTo, merge] { ResaveEntire(*entireFrom, *entireTo, *merge); });
  AddPairCommand(app, "build-updated-src",
                 "Write a source file whose texts are the project's translations (the source where none)",
                 "PROJECT", kProjectHelp, "OUT", "the .SrcLng file to write", BuildUpdatedSource);
}

} // namespace lngtool
