// select, similar and merge-hints: what the main list, the same-source list and the hint merge
// of the window would do with a project, for scripts and tests.
#include "commands.h"
#include "model_commands.h"
#include "select_options.h"

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

std::string Shown(std::u16string_view text) {
  return vt::Utf16ToUtf8(vt::LineBreaksToBars(text));
}

void RunSelect(const std::string &path, const TSelectOptions &o) {
  TProject project = OpenProjectOrDie(path, vt::TWordList::TOpenMode::ReadOnly);
  vt::TWordList &p = *project;
  ApplySelectOptions(p, o);

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
  TProject project = OpenProjectOrDie(path, vt::TWordList::TOpenMode::ReadOnly);
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
  TProject project = OpenProjectOrDie(path, vt::TWordList::TOpenMode::Edit);
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
  auto select = std::make_shared<std::pair<std::string, TSelectOptions>>();
  CLI::App *cmd =
      app.add_subcommand("select", "List the entries the main list would show, then its summary line");
  cmd->add_option("project", select->first, "Any file of the project (.SrcLng, .kxLng, .AutoLng)")
      ->required();
  AddSelectOptions(*cmd, select->second);
  cmd->callback([select] { RunSelect(select->first, select->second); });

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
