// fix: the main window's batch text fixes run headless, as a step of a pipeline. The list commands
// work on the entries select's options pick (as the window works on what its list shows); the
// commands of the window's System menu work on every entry. Prints each changed key and the count,
// then saves (or writes a new project with --resave-to).
#include "commands.h"
#include "model_commands.h"
#include "select_options.h"

#include "client/core/batch_fixes.h"
#include "client/core/packed_project.h"
#include "model/entry_walk.h"
#include "model/trans_man.h"
#include "support/radix_sort.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace lngtool {

namespace {

enum class TFixKind {
  Selection, // the entries select's options pick
  Items,     // every entry of the project; select's options do not apply
  Source,    // picked entries' sources: needs --resave-to, since Save writes no sources
  Editor,    // picked entries, as typed edits copied to same-source entries ("Replace ALL")
  Replace,   // picked entries, with --search and --replace
};

using TListFix = int (*)(vt::TWordList &, vt::TEntryList *);
using TEditFix = int (*)(vt::TWordList &, bool, vt::TEntryList *);

struct TFixCommand {
  TFixKind Kind;
  TListFix List = nullptr;
  TEditFix Edit = nullptr;
};

const std::map<std::string, TFixCommand> &FixCommands() {
  using K = TFixKind;
  static const std::map<std::string, TFixCommand> commands = {
      {"set-auto", {K::Selection, vt::SetAutoTranslatedFlag}},
      {"clear-auto", {K::Selection, vt::ClearAutoTranslatedFlag}},
      {"clear-all", {K::Selection, vt::ClearAllTranslations}},
      {"copy-from-source", {K::Items, vt::CopyFromSrcText}},
      {"remove-exact", {K::Items, vt::RemoveExactTranslations}},
      {"set-query", {K::Selection, vt::SetQueryFlags}},
      {"remove-query", {K::Selection, vt::RemoveQueryFlags}},
      {"set-warning", {K::Selection, vt::SetWarning}},
      {"remove-warnings", {K::Selection, vt::RemoveWarnings}},
      {"add-test-char", {K::Selection, vt::AddUnicodeTestChar}},
      {"remove-test-char", {K::Selection, vt::RemoveUnicodeTestChar}},
      {"add-numbers", {K::Selection, vt::AddNumbers}},
      {"capitalize", {K::Editor, nullptr, vt::CaptilaizeSelectedList}},
      {"mirror-periods", {K::Editor, nullptr, vt::ReplicateTrailingPeriods}},
      {"flag-auto", {K::Items, vt::FlagAuto}},
      {"fix-invalid", {K::Items, vt::FixInvalid}},
      {"fix-html", {K::Items, vt::FixHtmlCodes}},
      {"fix-param-case", {K::Items, vt::FixParamCase}},
      {"mark-non-ascii", {K::Items, vt::MarkNonAscii}},
      {"mark-api-errors", {K::Items, vt::MarkTransAPIErrors}},
      {"replace", {K::Replace}},
      {"remove-trailing-period", {K::Source, vt::RemoveTrailingPeriod}},
      {"remove-accelerators", {K::Source, vt::RemoveAccelerators}},
  };
  return commands;
}

struct TFixOptions {
  std::string Command;
  std::string Project;
  TSelectOptions Select;
  std::optional<std::string> Search;
  std::optional<std::string> Replacement;
  bool DryRun = false;
  std::string ResaveTo;
};

// The entries of list once each, in the project's order. Entries of an opened project lie in
// memory in its order, so the order of their addresses, found without reading a single entry, is
// mostly the order wanted: it is only checked, in a pass that now reads entries one after the
// other, and their places decide when they were moved since.
vt::TEntryList OnceInOrder(vt::TEntryList list) {
  struct TAddress {
    std::uint64_t Key;
  };
  std::vector<TAddress> addresses(list.size());
  for (std::size_t i = 0; i < list.size(); ++i) addresses[i].Key = reinterpret_cast<std::uintptr_t>(list[i]);
  vt::RadixSortByKey(addresses);
  list.clear();
  for (const TAddress &a : addresses) {
    auto *e = reinterpret_cast<vt::TWordObj *>(static_cast<std::uintptr_t>(a.Key));
    if (list.empty() || list.back() != e) list.push_back(e);
  }
  const auto before = [](const vt::TWordObj *a, const vt::TWordObj *b) { return a->Pos < b->Pos; };
  if (!std::is_sorted(list.begin(), list.end(), before)) std::stable_sort(list.begin(), list.end(), before);
  return list;
}

void RunFix(const TFixOptions &o) {
  const auto found = FixCommands().find(o.Command);
  if (found == FixCommands().end()) Die("Unknown fix command: " + o.Command);
  const TFixCommand &command = found->second;
  if (command.Kind == TFixKind::Items && o.Select.Narrows())
    Die("fix " + o.Command + " works on every entry of the project; select's options do not apply");
  if (command.Kind == TFixKind::Replace) {
    if (!o.Search || !o.Replacement) Die("fix replace needs --search and --replace");
  } else if (o.Search || o.Replacement) {
    Die("--search and --replace belong to fix replace");
  }
  if (command.Kind == TFixKind::Source && o.ResaveTo.empty() && !o.DryRun)
    Die("fix " + o.Command + " changes source texts, which Save does not write: give --resave-to BASE");

  // A dry run and a run that writes elsewhere leave the project's files as they are.
  const bool inPlace = !o.DryRun && o.ResaveTo.empty();
  auto project = OpenProjectOrDie(o.Project, inPlace ? vt::TWordList::TOpenMode::Edit
                                                     : vt::TWordList::TOpenMode::ReadOnly);
  vt::TWordList &p = *project;
  if (command.Kind != TFixKind::Items) ApplySelectOptions(p, o.Select);

  vt::TEntryList changed;
  int result = 0;
  switch (command.Kind) {
  case TFixKind::Replace:
    result = vt::ReplaceText(p, vt::Utf8ToUtf16(*o.Search), vt::Utf8ToUtf16(*o.Replacement), &changed);
    break;
  case TFixKind::Editor:
    result = command.Edit(p, true, &changed);
    break;
  default:
    result = command.List(p, &changed);
    break;
  }
  // The editor commands list each copy beside the edit it came from: an entry may be there twice
  // (changed, then given a copy) and copies lie anywhere. Their keys go out once each, in order.
  if (command.Kind == TFixKind::Editor) changed = OnceInOrder(std::move(changed));
  // The keys go out in blocks: a block stays in the cache, where one string of all of them would
  // be fresh memory.
  constexpr std::size_t kOutBlock = std::size_t{64} << 10;
  std::string out;
  out.reserve(kOutBlock + 256);
  const std::size_t count = changed.size();
  for (std::size_t i = 0; i < changed.size(); ++i) {
    // The entries, then their keys' bytes, are fetched ahead.
    if (i + 2 * vt::kEntryFetchAhead < changed.size())
      __builtin_prefetch(changed[i + 2 * vt::kEntryFetchAhead]);
    if (i + vt::kEntryFetchAhead < changed.size())
      __builtin_prefetch(changed[i + vt::kEntryFetchAhead]->Name().data());
    const vt::TWordObj *e = changed[i];
    const std::string_view key = e->KeyView();
    if (!key.empty())
      out.append(key);
    else
      out.append(e->Name()).append(".").append(e->Kind());
    out.push_back('\n');
    if (out.size() >= kOutBlock) {
      std::cout << out;
      out.clear();
    }
  }
  if (command.Kind == TFixKind::Replace)
    out += std::to_string(result) + " items replaced\n";
  else
    out += "changed: " + std::to_string(count) + '\n';
  std::cout << out << std::flush;
  p.ClearSelection();

  if (o.DryRun) return;
  std::string error;
  if (!o.ResaveTo.empty()) {
    if (!vt::ResaveEntireFiles(p, o.ResaveTo, &error)) Die(error);
    return;
  }
  if (count == 0) return;
  if (!p.Save(&error))
    Die("Unable to save file " + p.TransIni->FileName() + (error.empty() ? "" : ": " + error));
}

} // namespace

void RegisterFixCommands(CLI::App &app) {
  auto o = std::make_shared<TFixOptions>();
  std::string names;
  for (const auto &[name, command] : FixCommands()) names += (names.empty() ? "" : ", ") + name;
  CLI::App *cmd = app.add_subcommand(
      "fix", "Run a batch text fix of the main window over a project, print each changed key and "
             "\"changed: N\" (\"N items replaced\" for replace), and save. List commands work on the "
             "entries select's options pick; copy-from-source, remove-exact, flag-auto, fix-invalid, "
             "fix-html, fix-param-case, mark-non-ascii and mark-api-errors on every entry; "
             "capitalize and mirror-periods copy each change to same-source entries");
  cmd->add_option("command", o->Command, "one of: " + names)->required();
  cmd->add_option("project", o->Project, "Any file of the project (.SrcLng, .kxLng, .AutoLng)")->required();
  AddSelectOptions(*cmd, o->Select);
  cmd->add_option("--search", o->Search, "replace: the text to search for (case-sensitive, anywhere)");
  cmd->add_option("--replace", o->Replacement, "replace: the text to put in its place");
  cmd->add_flag("--dry-run", o->DryRun, "print what would change; write nothing");
  cmd->add_option("--resave-to", o->ResaveTo,
                  "write the whole project as a new BASE.SrcLng and BASE.kxLng instead of saving it "
                  "(needed by remove-trailing-period and remove-accelerators, which change sources)");
  cmd->callback([o] { RunFix(*o); });
}

} // namespace lngtool
