// recover: replays the journal of unsaved edits onto a project and saves it, as the window's
// "Recover unsaved changes" does.
#include "commands.h"

#include "client/core/edit_journal.h"
#include "model/word_list.h"
#include "support/file_io.h"

#include <cstdio>
#include <iostream>
#include <memory>

namespace lngtool {

namespace {

void Recover(const std::string &path, bool dryRun) {
  vt::TRef<vt::TWordList> project(new vt::TWordList());
  if (!project->Open(path)) Die("Unable to Open File " + path);
  const std::string translationFile = vt::TranslationFileOf(*project);
  const std::string journal = vt::JournalPathFor(translationFile);
  if (!vt::FileExists(journal)) Die("No journal of unsaved changes: " + journal);
  vt::TJournalContents contents;
  std::string error;
  if (!vt::ReadJournalFile(journal, contents, &error)) Die("Unable to read " + journal + ": " + error);
  const int entries = vt::CountJournalEntries(contents);
  const vt::TReplayResult result =
      vt::ReplayJournal(*project, vt::ExtractFileName(translationFile), contents);
  if (result.Refused)
    Die("The journal " + journal + " belongs to " +
        (contents.HeaderOk ? contents.ProjectName : std::string("no known project")) + "; nothing recovered");
  std::cout << "entries: " << entries << '\n'
            << "applied: " << result.Applied << '\n'
            << "missing: " << result.Missing << '\n'
            << "damaged: " << result.Damaged << '\n';
  if (dryRun) return;
  if (!project->Save(&error))
    Die("Unable to save file " + translationFile + (error.empty() ? "" : " (" + error + ")"));
  if (std::remove(journal.c_str()) != 0) Die("Saved, but unable to delete " + journal);
  std::cerr << "saved " << translationFile << '\n';
}

} // namespace

void RegisterFixCommands(CLI::App &app); // fix (client_core_fix_commands.cpp)

void RegisterClientCoreCommands(CLI::App &app) {
  RegisterFixCommands(app);
  auto path = std::make_shared<std::string>();
  auto dryRun = std::make_shared<bool>(false);
  auto *recover = app.add_subcommand(
      "recover", "Replay the journal of unsaved edits (NAME.kxLng.journal) onto the project, save it and "
                 "delete the journal; prints entries, applied, missing and damaged counts");
  recover->add_option("PROJECT", *path, "the .SrcLng, .kxLng or .AutoLng file of the project")->required();
  recover->add_flag("--dry-run", *dryRun, "only print what would be recovered; change nothing");
  recover->callback([path, dryRun] { Recover(*path, *dryRun); });
  RegisterWordListCommands(app);
}

} // namespace lngtool
