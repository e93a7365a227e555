// Subcommands of the administrator's smaller tools: compare, used-actions, manual-tree.
#include "commands.h"
#include "support/file_io.h"
#include "tools/compare_lng.h"
#include "tools/error.h"
#include "tools/form_lists.h"
#include "tools/help_tree.h"

#include <iostream>
#include <memory>

namespace lngtool {
namespace {

void Print(const std::vector<std::string> &lines) {
  for (const std::string &l : lines) std::cout << l << '\n';
}

} // namespace

void RegisterAdminCommands(CLI::App &app) {
  auto a = std::make_shared<std::string>();
  auto b = std::make_shared<std::string>();

  auto *compare = app.add_subcommand(
      "compare", "\"Compare kxLng files\": the paths, an empty line, then per section of A \"[S]\" and "
                 "key TAB A's value TAB B's value for each key of B whose values differ");
  compare->add_option("A", *a, "the first translation or source file")->required();
  compare->add_option("B", *b, "the second file")->required();
  compare->callback([a, b] {
    std::vector<std::string> lines;
    std::string failed;
    if (!vt::CompareLngFiles(*a, *b, lines, &failed)) Die("Unable to Open File " + failed);
    Print(lines);
  });

  auto *used = app.add_subcommand("used-actions", "\"GUI used Actions\": the action identifiers a skin's "
                                                  "definitions use, each once, sorted");
  used->add_option("SKIN", *a, "the skin file")->required();
  used->callback([a] {
    if (!vt::FileExists(*a)) Die("Unable to Open File " + *a);
    try {
      vt::TGrabSession s;
      s.LoadGuiDefinitions(*a);
      Print(vt::UsedActionsSorted(s.ResourceInfo));
    } catch (const vt::EGrabError &e) {
      Die(e.what());
    }
  });

  auto *tree = app.add_subcommand("manual-tree", "The \"[Help_Tree]\" lines of a manual tree file; with "
                                                 "--into, write them into a raw data file");
  tree->add_option("FILE", *a, "the manual tree file (manualtree.txt)")->required();
  tree->add_option("--into", *b, "replace the section Help_Tree of this raw data file (.rawmi)");
  tree->callback([a, b] {
    std::unique_ptr<vt::THelpNode> root;
    std::string error;
    if (!vt::FileExists(*a)) Die("Unable to Open File " + *a);
    if (!vt::ReadHelpTree(*a, root, &error)) Die(error);
    if (!root) {
      if (!b->empty()) Die("No manual tree in " + *a);
      return;
    }
    const std::vector<std::string> lines = vt::HelpTreeLines(*root);
    Print(lines);
    if (b->empty()) return;
    vt::TGrabLog log;
    log.OnChange = [&log] {
      if (!log.Lines().empty()) std::cerr << log.Lines().back() << '\n';
    };
    if (!vt::WriteHelpTree(*b, lines, log, &error)) Die(error);
  });
}

} // namespace lngtool
