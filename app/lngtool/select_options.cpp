#include "select_options.h"

#include "client/core/batch_fixes.h"
#include "commands.h"

#include <algorithm>
#include <map>

namespace lngtool {

namespace {

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

} // namespace

bool TSelectOptions::Narrows() const {
  const TSelectOptions defaults;
  return Section != defaults.Section || Type != defaults.Type || Status != defaults.Status || !Text.empty() ||
         WordsGreater || WordsAtMost || Dedup || !Only.empty();
}

void AddSelectOptions(CLI::App &cmd, TSelectOptions &o) {
  cmd.add_option("--section", o.Section, "Section name, or [ALL] for all sections");
  cmd.add_option("--type", o.Type, "all, captions, hints, list-items or messages");
  cmd.add_option("--status", o.Status, "all, untranslated, completed, query, auto, warnings or needwork");
  CLI::Option *text = cmd.add_option("--text", o.Text, "Text filter (lower-cased, first \"&\" ignored)");
  cmd.add_option("--method", o.Method, "Text filter method: starts, contains or full")->needs(text);
  CLI::Option *gt = cmd.add_option("--words-gt", o.WordsGreater, "Keep entries with more words than N");
  CLI::Option *le = cmd.add_option("--words-le", o.WordsAtMost, "Keep entries with at most N words");
  gt->excludes(le)->excludes(text);
  le->excludes(text);
  cmd.add_flag("--dedup", o.Dedup, "Keep only the last entry of each group of equal source texts");
  cmd.add_option("--only", o.Only,
                 "gui: keep the entries of the user interface (sections TID_..., Zt4_Actions, "
                 "Main_Properties), as \"Show Only GUI\"; app: keep the others, as \"Show Only App\"");
  cmd.add_option("--sort", o.Sort, "name, original, translated, id or section, with :desc to reverse");
}

void ApplySelectOptions(vt::TWordList &p, const TSelectOptions &o) {
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
  if (!o.Only.empty() && o.Only != "gui" && o.Only != "app") Die("Unknown --only: " + o.Only);

  p.Select(o.Section, vt::TypeFilterKinds(type), status.Flags, status.States);
  if (!o.Text.empty())
    p.FilterByText(o.Text, method);
  else if (o.WordsGreater)
    p.FilterByWordCount(ClampWords(*o.WordsGreater), vt::TWordCountMatch::MoreThan);
  else if (o.WordsAtMost)
    p.FilterByWordCount(ClampWords(*o.WordsAtMost), vt::TWordCountMatch::AtMost);
  if (o.Dedup) p.RemoveDuplicateSources();
  if (o.Only == "gui")
    vt::ShowOnlyGui(p);
  else if (o.Only == "app")
    vt::ShowOnlyApp(p);
  // The list comes in load order: the default sort knows it and has nothing to do.
  p.SortSelection(column, descending);
}

} // namespace lngtool
