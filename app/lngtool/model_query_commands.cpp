// select, similar and merge-hints: what the main list, the same-source list and the hint merge
// of the window would do with a project, for scripts and tests.
#include "commands.h"

#include "model/selection_summary.h"
#include "model/text_helpers.h"
#include "model/trans_man.h"
#include "model/word_list.h"

#include <iostream>
#include <map>
#include <memory>
#include <optional>

namespace lngtool {

namespace {

using TProject = vt::TRef<vt::TWordList>;

TProject OpenProject(const std::string &path) {
  TProject project(new vt::TWordList());
  if (!project->Open(path)) Die("Unable to Open File " + path);
  return project;
}

std::string Shown(std::u16string_view text) {
  return vt::Utf16ToUtf8(vt::LineBreaksToBars(text));
}

struct TSelectOptions {
  std::string Project;
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

// The option a name stands for.
template <class T>
T Named(const std::map<std::string, T> &names, const std::string &value, const char *what) {
  const auto it = names.find(value);
  if (it == names.end()) Die(std::string("Unknown ") + what + ": " + value);
  return it->second;
}

// The word count box keeps its value between 1 and 999.
int ClampWords(int n) {
  return std::max(1, std::min(999, n));
}

void RunSelect(const TSelectOptions &o) {
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
  const TTypeFilter type = Named(types, o.Type, "type");
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

  TProject project = OpenProject(o.Project);
  vt::TWordList &p = *project;
  p.Select(o.Section, vt::TypeFilterKinds(type), status.Flags, status.States);
  if (!o.Text.empty())
    p.FilterByText(o.Text, method);
  else if (o.WordsGreater)
    p.FilterByWordCount(ClampWords(*o.WordsGreater), vt::TWordCountMatch::MoreThan);
  else if (o.WordsAtMost)
    p.FilterByWordCount(ClampWords(*o.WordsAtMost), vt::TWordCountMatch::AtMost);
  if (o.Dedup) p.RemoveDuplicateSources();
  p.SortSelection(column, descending);

  std::string out;
  for (const vt::TWordObj *e : p.Selection) {
    out += e->Key();
    out += '\t';
    out += Shown(e->SourceText());
    out += '\t';
    out += Shown(e->TranslationText());
    out += '\n';
  }
  out += vt::SelectionSummary(o.Section, p.Selection.Count(), static_cast<std::size_t>(p.CountTranslated()));
  out += '\n';
  std::cout << out;
  p.ClearSelection();
}

void RunSimilar(const std::string &path, const std::string &fullId) {
  TProject project = OpenProject(path);
  vt::TWordList &p = *project;
  vt::TWordObj *entry = p.FindEntry(fullId);
  if (!entry) Die("No such entry: " + fullId);
  p.UpdateSuggestions(entry, true, true);
  std::cout << "same source: " << p.SimilarItems.Count() << '\n';
  for (const vt::TWordObj *e : p.SimilarItems)
    std::cout << e->Score << '\t' << e->FullId() << '\t' << Shown(e->SourceText()) << '\t'
              << Shown(e->TranslationText()) << '\n';
  std::cout << "suggestions: " << p.Suggestions.Count() << '\n';
  for (const vt::TWordObj *e : p.Suggestions) {
    // The entry's own clone shows its translation, or its machine suggestion when it has none.
    const std::u16string text =
        e->TranslationText().empty() ? e->DecodeValue(e->AutoText) : e->TranslationText();
    std::cout << e->FullId() << '\t' << Shown(text) << '\n';
  }
  p.UpdateSuggestions(nullptr, true, true);
}

void RunMergeHints(const std::string &path) {
  TProject project = OpenProject(path);
  vt::TWordList &p = *project;
  const std::size_t before = p.Items.Count();
  p.ClearSelection();
  p.MergeHints();
  std::string error;
  if (!p.Save(&error))
    Die("Unable to save file " + p.TransIni->FileName() + (error.empty() ? "" : ": " + error));
  std::cout << "merged: " << (before - p.Items.Count()) << "\nentries: " << p.Items.Count() << '\n';
}

} // namespace

void RegisterQueryCommands(CLI::App &app) {
  auto select = std::make_shared<TSelectOptions>();
  CLI::App *cmd =
      app.add_subcommand("select", "List the entries the main list would show, then its summary line");
  cmd->add_option("project", select->Project, "Any file of the project (.SrcLng, .kxLng, .AutoLng)")
      ->required();
  cmd->add_option("--section", select->Section, "Section name, or [ALL] for all sections");
  cmd->add_option("--type", select->Type, "all, captions, hints, list-items or messages");
  cmd->add_option("--status", select->Status,
                  "all, untranslated, completed, query, auto, warnings or needwork");
  CLI::Option *text =
      cmd->add_option("--text", select->Text, "Text filter (lower-cased, first \"&\" ignored)");
  cmd->add_option("--method", select->Method, "Text filter method: starts, contains or full")->needs(text);
  CLI::Option *gt =
      cmd->add_option("--words-gt", select->WordsGreater, "Keep entries with more words than N");
  CLI::Option *le = cmd->add_option("--words-le", select->WordsAtMost, "Keep entries with at most N words");
  gt->excludes(le)->excludes(text);
  le->excludes(text);
  cmd->add_flag("--dedup", select->Dedup, "Keep only the last entry of each group of equal source texts");
  cmd->add_option("--sort", select->Sort, "name, original, translated, id or section, with :desc to reverse");
  cmd->callback([select] { RunSelect(*select); });

  auto similar = std::make_shared<std::pair<std::string, std::string>>();
  CLI::App *sim =
      app.add_subcommand("similar", "Same-source entries with their scores, then the suggestions");
  sim->add_option("project", similar->first, "Any file of the project")->required();
  sim->add_option("fullid", similar->second, "Full id of the entry: section/name.kind")->required();
  sim->callback([similar] { RunSimilar(similar->first, similar->second); });

  auto merge = std::make_shared<std::string>();
  CLI::App *mh =
      app.add_subcommand("merge-hints", "Join short and full hints into combined hint entries, and save");
  mh->add_option("project", *merge, "Any file of the project")->required();
  mh->callback([merge] { RunMergeHints(*merge); });
}

} // namespace lngtool
