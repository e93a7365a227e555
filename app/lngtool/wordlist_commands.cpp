// wordlist, msg-diffs, repo-load, wordfreq, statistics, dump-raw and hash: the window's word-list,
// message and measuring commands for scripts. Commands over the window's list take the main list's
// filters (--section, --type, --status, --text/--method, --dedup, --sort).
#include "commands.h"
#include "model_commands.h"

#include "client/core/project_measures.h"
#include "client/core/word_list_tools.h"
#include "model/ini_file.h"

#include <iostream>
#include <map>
#include <memory>

#include "select_options.h"

namespace lngtool {

namespace {

using TProject = vt::TRef<vt::TWordList>;
using TOpenMode = vt::TWordList::TOpenMode;

void WriteBytes(const std::string &bytes) {
  std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteExport(const vt::TWordList &p, const std::string &file, const std::string &bytes) {
  std::string error;
  if (!vt::WriteExportFile(p, file, bytes, &error))
    Die("Unable to save file " + file + (error.empty() ? "" : ": " + error));
}

void SaveOrDie(vt::TWordList &p) {
  if (!p.Modified) return;
  std::string error;
  if (!p.Save(&error))
    Die("Unable to save file " + p.TransIni->FileName() + (error.empty() ? "" : ": " + error));
}

vt::TTransWordList LoadWordListOrDie(const std::string &file) {
  vt::TTransWordList words;
  std::string error;
  if (!words.LoadFromFile(file, &error))
    Die("Unable to Open File " + file + (error.empty() ? "" : " (" + error + ")"));
  return words;
}

void CountLine(const char *what, std::size_t n) {
  std::cout << what << ": " << n << '\n';
}

struct TWordListArgs {
  std::string Action, Project, File;
  TSelectOptions List;
};

void RunWordList(const TWordListArgs &a) {
  const bool merge = a.Action == "merge" || a.Action == "merge-raw";
  if (!merge && a.Action != "export" && a.Action != "export-raw")
    Die("Unknown wordlist action: " + a.Action + " (export, merge, export-raw or merge-raw)");
  // The word list is read before the project is opened, so a missing list leaves no trace.
  const vt::TTransWordList words = merge ? LoadWordListOrDie(a.File) : vt::TTransWordList();
  TProject project = OpenProjectOrDie(a.Project, merge ? TOpenMode::Edit : TOpenMode::ReadOnly);
  vt::TWordList &p = *project;
  std::size_t count = 0;
  if (a.Action == "export") {
    ApplySelectOptions(p, a.List);
    std::string error;
    if (!vt::WriteWordListFile(p, p.Selection.Raw(), a.File, &count, &error))
      Die("Unable to save file " + a.File + (error.empty() ? "" : ": " + error));
  } else if (a.Action == "export-raw") {
    WriteExport(p, a.File, vt::ExtractRawMsgs(p, &count));
  } else if (a.Action == "merge") {
    ApplySelectOptions(p, a.List);
    count = static_cast<std::size_t>(vt::MergeFromWordList(p, p.Selection.Raw(), words));
  } else {
    count = static_cast<std::size_t>(vt::MergeRawWordList(p, words));
  }
  if (merge) SaveOrDie(p);
  CountLine(merge ? "merged" : "exported", count);
}

void RunRepoLoad(const std::string &path, const std::string &repoPath, const TSelectOptions &list) {
  vt::TIniFile repository;
  std::string error;
  if (!repository.LoadFromFile(repoPath, &error))
    Die("Unable to Open File " + repoPath + (error.empty() ? "" : " (" + error + ")"));
  TProject project = OpenProjectOrDie(path, TOpenMode::Edit);
  vt::TWordList &p = *project;
  ApplySelectOptions(p, list);
  CountLine("loaded", static_cast<std::size_t>(vt::LoadFromRepository(p, p.Selection.Raw(), repository)));
  SaveOrDie(p);
}

void RunHash(const std::string &path, const std::string &seedText, bool listAll, const TSelectOptions &list) {
  std::string error;
  const auto seed = vt::HashSeedFromText(seedText, &error);
  if (!seed) Die(error);
  TProject project = OpenProjectOrDie(path, TOpenMode::ReadOnly);
  vt::TWordList &p = *project;
  ApplySelectOptions(p, list);
  std::string out;
  const auto each = [&](const vt::TWordObj &entry, std::uint32_t hash) {
    out.append(vt::HashText(hash)).append("\t").append(entry.FullId()).append("\n");
  };
  const vt::THashTestResult result = vt::HashCollisionTest(
      p.Selection.Raw(), *seed, listAll ? each : std::function<void(const vt::TWordObj &, std::uint32_t)>());
  WriteBytes(out);
  if (result.Collision)
    Die("Collision! " + vt::HashText(result.Hash) + " " + result.First->FullId() + " " +
        result.Second->FullId());
  std::cout << "no collisions\n";
}

} // namespace

void RegisterWordListCommands(CLI::App &app) {
  auto wl = std::make_shared<TWordListArgs>();
  CLI::App *cmd = app.add_subcommand(
      "wordlist",
      "Word lists: export (translated entries of the list as R=/L= pairs), merge (fill untranslated "
      "entries of the list and save), export-raw and merge-raw (messages keyed by their raw text)");
  cmd->add_option("action", wl->Action, "export, merge, export-raw or merge-raw")->required();
  cmd->add_option("project", wl->Project, "Any file of the project (.SrcLng, .kxLng, .AutoLng)")->required();
  cmd->add_option("file", wl->File, "The word list file")->required();
  AddSelectOptions(*cmd, wl->List);
  cmd->callback([wl] { RunWordList(*wl); });

  auto diffs = std::make_shared<std::string>();
  CLI::App *md = app.add_subcommand(
      "msg-diffs",
      "Every visible message with a raw counterpart: raw message text, TAB, source (stored bytes)");
  md->add_option("project", *diffs, "Any file of the project")->required();
  md->callback([diffs] { WriteBytes(vt::ListRawMsgDiffs(*OpenProjectOrDie(*diffs, TOpenMode::ReadOnly))); });

  auto repo = std::make_shared<TWordListArgs>();
  CLI::App *rl = app.add_subcommand(
      "repo-load", "Fill untranslated entries of the list (messages excepted) from another translation file, "
                   "status letters included, and save");
  rl->add_option("project", repo->Project, "Any file of the project")->required();
  rl->add_option("repository", repo->File, "The translation file to take values from")->required();
  AddSelectOptions(*rl, repo->List);
  rl->callback([repo] { RunRepoLoad(repo->Project, repo->File, repo->List); });

  auto freq = std::make_shared<TWordListArgs>();
  CLI::App *wf = app.add_subcommand(
      "wordfreq", "Word frequencies of the list's sources: count, TAB, word; sorted as text without case");
  wf->add_option("project", freq->Project, "Any file of the project")->required();
  AddSelectOptions(*wf, freq->List);
  wf->callback([freq] {
    TProject project = OpenProjectOrDie(freq->Project, TOpenMode::ReadOnly);
    ApplySelectOptions(*project, freq->List);
    WriteBytes(vt::WordFrequencyList(project->Selection.Raw()));
  });

  auto stats = std::make_shared<std::string>();
  CLI::App *st = app.add_subcommand(
      "statistics",
      "Bytes of the visible entries' stored sources and translations, as the window caption shows");
  st->add_option("project", *stats, "Any file of the project")->required();
  st->callback([stats] {
    std::cout << vt::StatisticsCaption(vt::ProjectStatistics(*OpenProjectOrDie(*stats, TOpenMode::ReadOnly)))
              << '\n';
  });

  auto dump = std::make_shared<TWordListArgs>();
  CLI::App *dr = app.add_subcommand("dump-raw", "The stored sources of the list, one a line (stored bytes)");
  dr->add_option("project", dump->Project, "Any file of the project")->required();
  AddSelectOptions(*dr, dump->List);
  dr->callback([dump] {
    TProject project = OpenProjectOrDie(dump->Project, TOpenMode::ReadOnly);
    ApplySelectOptions(*project, dump->List);
    WriteBytes(vt::DumpRawStrings(project->Selection.Raw()));
  });

  auto hash = std::make_shared<TWordListArgs>();
  auto seed = std::make_shared<std::string>("0");
  auto listAll = std::make_shared<bool>(false);
  CLI::App *hs = app.add_subcommand(
      "hash",
      "Collision test of the 32-bit MurmurHash2 of the list's sources; exits 1 with \"Collision! HASH "
      "FULLID FULLID\" at the first hash seen twice");
  hs->add_option("project", hash->Project, "Any file of the project")->required();
  hs->add_option("--seed", *seed, "Decimal 32-bit integer added to 0x9747B28C (default 0)");
  hs->add_flag("--list", *listAll, "Print every hash and full id, TAB-separated, in list order");
  AddSelectOptions(*hs, hash->List);
  hs->callback([hash, seed, listAll] { RunHash(hash->Project, *seed, *listAll, hash->List); });
}

} // namespace lngtool
