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

namespace lngtool {

namespace {

using TProject = vt::TRef<vt::TWordList>;

// The main list's filters, as select takes them (kept here until the commands share one parser).
struct TListOptions {
  std::string Section = std::string(vt::section::All);
  std::string Type = "all";
  std::string Status = "all";
  std::string Text;
  std::string Method = "contains";
  std::optional<int> WordsGreater;
  std::optional<int> WordsAtMost;
  bool Dedup = false;
  std::string Sort = "id";
};

void AddListOptions(CLI::App *cmd, TListOptions &o) {
  cmd->add_option("--section", o.Section, "Section name, or [ALL] for all sections (default)");
  cmd->add_option("--type", o.Type, "all, captions, hints, list-items or messages");
  cmd->add_option("--status", o.Status, "all, untranslated, completed, query, auto, warnings or needwork");
  CLI::Option *text = cmd->add_option("--text", o.Text, "Text filter (lower-cased, first \"&\" ignored)");
  cmd->add_option("--method", o.Method, "Text filter method: starts, contains or full")->needs(text);
  CLI::Option *gt = cmd->add_option("--words-gt", o.WordsGreater, "Keep entries with more words than N");
  CLI::Option *le = cmd->add_option("--words-le", o.WordsAtMost, "Keep entries with at most N words");
  gt->excludes(le)->excludes(text);
  le->excludes(text);
  cmd->add_flag("--dedup", o.Dedup, "Keep only the last entry of each group of equal source texts");
  cmd->add_option("--sort", o.Sort, "name, original, translated, id or section, with :desc to reverse");
}

template <class T>
T Named(const std::map<std::string, T> &names, const std::string &value, const char *what) {
  const auto it = names.find(value);
  if (it == names.end()) Die(std::string("Unknown ") + what + ": " + value);
  return it->second;
}

// Fills the project's Selection as the main list shows it for these options.
void SelectList(vt::TWordList &p, const TListOptions &o) {
  using vt::TSortColumn, vt::TStatusFilter, vt::TTextMatch, vt::TTypeFilter;
  static const std::map<std::string, TTypeFilter> types = {{"all", TTypeFilter::All},
                                                           {"captions", TTypeFilter::Captions},
                                                           {"hints", TTypeFilter::Hints},
                                                           {"list-items", TTypeFilter::ListItems},
                                                           {"messages", TTypeFilter::Messages}};
  static const std::map<std::string, TStatusFilter> statuses = {{"all", TStatusFilter::All},
                                                                {"untranslated", TStatusFilter::Untranslated},
                                                                {"completed", TStatusFilter::Completed},
                                                                {"query", TStatusFilter::Query},
                                                                {"auto", TStatusFilter::Auto},
                                                                {"warnings", TStatusFilter::Warnings},
                                                                {"needwork", TStatusFilter::NeedsWork}};
  static const std::map<std::string, TSortColumn> columns = {{"name", TSortColumn::Name},
                                                             {"original", TSortColumn::Original},
                                                             {"translated", TSortColumn::Translated},
                                                             {"id", TSortColumn::Id},
                                                             {"section", TSortColumn::Section}};
  static const std::map<std::string, TTextMatch> methods = {{"starts", TTextMatch::StartsWith},
                                                            {"contains", TTextMatch::Contains},
                                                            {"full", TTextMatch::FullMatch}};
  const vt::TStatusMask status = vt::StatusMask(Named(statuses, o.Status, "status"));
  std::string sortName = o.Sort;
  bool descending = false;
  if (const auto colon = sortName.find(':'); colon != std::string::npos) {
    const std::string direction = sortName.substr(colon + 1);
    if (direction != "desc" && direction != "asc") Die("Unknown sort direction: " + direction);
    descending = direction == "desc";
    sortName.resize(colon);
  }
  const TSortColumn column = Named(columns, sortName, "sort column");
  const TTextMatch method = Named(methods, o.Method, "method");
  const auto clamp = [](int n) { return std::max(1, std::min(999, n)); };
  p.Select(o.Section, vt::TypeFilterKinds(Named(types, o.Type, "type")), status.Flags, status.States);
  if (!o.Text.empty())
    p.FilterByText(o.Text, method);
  else if (o.WordsGreater)
    p.FilterByWordCount(clamp(*o.WordsGreater), vt::TWordCountMatch::MoreThan);
  else if (o.WordsAtMost)
    p.FilterByWordCount(clamp(*o.WordsAtMost), vt::TWordCountMatch::AtMost);
  if (o.Dedup) p.RemoveDuplicateSources();
  p.SortSelection(column, descending);
}

struct TAutoTranslateArgs {
  std::string Project;
  std::string To;
  std::string Host;
  std::string From;
  bool NoStrip = false;
  TListOptions List;
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
  SelectList(p, a.List);
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

void RunCompileList(const std::string &path, const std::string &out, const TListOptions &list) {
  TProject project = OpenProjectOrDie(path, vt::TWordList::TOpenMode::ReadOnly);
  SelectList(*project, list);
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
  AddListOptions(cmd, at->List);
  cmd->callback([at] { RunAutoTranslate(*at); });

  auto cl = std::make_shared<std::pair<std::array<std::string, 2>, TListOptions>>();
  CLI::App *list = app.add_subcommand(
      "compile-list", "Compile the entries of the main list into a final language file (the window's "
                      "\"Compile selected kxLng File (old)\"): keys, hint parts .TH/.TF, a Messages block; "
                      "no _info");
  list->add_option("project", cl->first[0], "Any file of the project")->required();
  list->add_option("out", cl->first[1], "The final language file to write")->required();
  AddListOptions(list, cl->second);
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
