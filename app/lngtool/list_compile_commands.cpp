// auto-translate, compile-list and compile-rawmi: the main window's list-wide machine translation
// and its two short compilers of a final language file, for scripts.
#include "commands.h"
#include "model_commands.h"

#include "client/core/compile_project.h"
#include "client/core/edit_session.h"
#include "client/core/list_translate.h"
#include "mt/mt_endpoint.h"
#include "mt/translator_web_utils.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <map>
#include <memory>
#include <optional>

#include "select_options.h"

namespace lngtool {

namespace {

using TProject = vt::TRef<vt::TWordList>;

struct TAutoTranslateArgs {
  std::string Project;
  std::string To;
  std::string Host;
  std::string From;
  bool NoStrip = false;
  TSelectOptions List;
};

void RunAutoTranslate(const TAutoTranslateArgs &a) {
  // Read-only open: nothing on disk changes unless translations were made (then a backup copy and
  // the save follow).
  TProject project = OpenProjectOrDie(a.Project, vt::TWordList::TOpenMode::ReadOnly);
  vt::TWordList &p = *project;
  const std::string target = a.To.empty() ? p.DestLng : a.To;
  if (target.empty()) Die("No target language: give --to LANG (the project names none)");
  const std::string host =
      vt::ResolveMtEndpoint(a.Host.empty() ? std::nullopt : std::optional<std::string>(a.Host)).Host;
  ApplySelectOptions(p, a.List);
  const vt::TEntryList rows = p.Selection.Raw();
  std::size_t first = 0;
  if (!a.From.empty()) {
    const auto it =
        std::find_if(rows.begin(), rows.end(), [&](const vt::TWordObj *e) { return e->FullId() == a.From; });
    if (it == rows.end()) Die("Not in the list: " + a.From);
    first = static_cast<std::size_t>(it - rows.begin());
  }

  vt::TEditSession session;
  session.SetProject(&p);
  vt::TListRunSteps steps;
  steps.Translate = [&](vt::TWordObj &entry) {
    return vt::TranslateCurrentByService(session, entry.SourceDisplay(), !a.NoStrip, target,
                                         [&](const std::string &text, const std::string &language) {
                                           vt::TMachineReply reply;
                                           reply.Text = vt::TranslateText(text, language, host, {},
                                                                          &reply.TransportFailed);
                                           return reply;
                                         });
  };
  p.Modified = false;
  const vt::TListRunResult result = vt::RunTranslateList(session, rows, first, steps);
  session.MakeCurrent(nullptr); // settles the last row
  p.ClearSelection();

  std::cout << "rows: " << result.Rows << "\ntranslated: " << result.Translated
            << "\ncopied: " << result.Copied << '\n';
  if (p.Modified) {
    const std::string file = p.TransIni->FileName();
    std::string error;
    if (!vt::TWordList::BackupFile(file, &error)) Die("Unable to save Backupfile: " + file + " " + error);
    if (!p.Save(&error)) Die("Unable to save file " + file + (error.empty() ? "" : ": " + error));
    std::cerr << "saved " << file << '\n';
  }
  if (result.TransportFailed)
    Die("Translation service not reachable at " + host + "; the run stopped at " + result.FailedId);
}

void RunCompileList(const std::string &path, const std::string &out, const TSelectOptions &list) {
  TProject project = OpenProjectOrDie(path, vt::TWordList::TOpenMode::ReadOnly);
  ApplySelectOptions(*project, list);
  vt::TCompileCounts counts;
  std::string error;
  if (!vt::CompileSelectionFile(*project, project->Selection.Raw(), out, &counts, &error)) Die(error);
  project->ClearSelection();
  std::cout << "keys: " << counts.Keys << "\nmessages: " << counts.Messages << '\n';
}

void RunCompileRawmi(const std::string &path, const std::string &raw, const std::string &out) {
  TProject project = OpenProjectOrDie(path, vt::TWordList::TOpenMode::ReadOnly);
  vt::TCompileCounts counts;
  std::string error;
  if (!vt::CompileRawFile(*project, raw, out, &counts, &error)) Die(error);
  std::cout << "keys: " << counts.Keys << "\nmessages: " << counts.Messages << '\n';
}

} // namespace

void RegisterListCompileCommands(CLI::App &app) {
  auto at = std::make_shared<TAutoTranslateArgs>();
  CLI::App *cmd = app.add_subcommand(
      "auto-translate",
      "Machine-translate the untranslated entries of the main list from a row on, through "
      "the web translation service (the window's AutoTranslateList), and save; copies go to "
      "untranslated entries of the same source only. Exit 1 when the service cannot be "
      "reached (the run stops at that row; earlier rows are saved)");
  cmd->add_option("project", at->Project, "Any file of the project (.SrcLng, .kxLng, .AutoLng)")->required();
  cmd->add_option("--to", at->To, "Target language code (default: the project's DestLng)");
  cmd->add_option("--host", at->Host,
                  "Base URL of the service (default: VT_MT_HOST, else " + std::string(vt::kDefaultMtHost) +
                      ")");
  cmd->add_option("--from", at->From, "Full id (section/name.kind) of the first row; default the first");
  cmd->add_flag("--no-strip", at->NoStrip, "Send texts as they are instead of lower-cased (\"Strip\" off)");
  AddSelectOptions(*cmd, at->List);
  cmd->callback([at] { RunAutoTranslate(*at); });

  auto cl = std::make_shared<std::pair<std::array<std::string, 2>, TSelectOptions>>();
  CLI::App *list = app.add_subcommand(
      "compile-list", "Compile the entries of the main list into a final language file (the window's "
                      "\"Compile selected kxLng File (old)\"): keys, hint parts .TH/.TF, a Messages block; "
                      "no _info");
  list->add_option("project", cl->first[0], "Any file of the project")->required();
  list->add_option("out", cl->first[1], "The final language file to write")->required();
  AddSelectOptions(*list, cl->second);
  list->callback([cl] { RunCompileList(cl->first[0], cl->first[1], cl->second); });

  auto cr = std::make_shared<std::array<std::string, 3>>();
  CLI::App *raw = app.add_subcommand(
      "compile-rawmi",
      "Compile the whole project, limited to the entries a raw data file lists, into a final "
      "language file with _info/DestLng (the window's \"Compile Final from Rawmi file...\")");
  raw->add_option("project", (*cr)[0], "Any file of the project")->required();
  raw->add_option("rawmi", (*cr)[1], "The raw data file (.rawmi)")->required();
  raw->add_option("out", (*cr)[2], "The final language file to write")->required();
  raw->callback([cr] { RunCompileRawmi((*cr)[0], (*cr)[1], (*cr)[2]); });
}

} // namespace lngtool
