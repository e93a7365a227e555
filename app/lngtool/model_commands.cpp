// Subcommands over language projects.
#include "model_commands.h"
#include "commands.h"

namespace lngtool {

vt::TRef<vt::TWordList> OpenProjectOrDie(const std::string &path, vt::TWordList::TOpenMode mode) {
  vt::TRef<vt::TWordList> list(new vt::TWordList());
  std::string error;
  if (!list->Open(path, &error, mode))
    Die("Unable to Open File " + path + (error.empty() ? "" : " (" + error + ")"));
  return list;
}

void RegisterProjectFileCommands(CLI::App &app); // stats, resave
void RegisterQueryCommands(CLI::App &app);       // select, similar, merge-hints

void RegisterModelCommands(CLI::App &app) {
  RegisterProjectFileCommands(app);
  RegisterQueryCommands(app);
}

} // namespace lngtool
