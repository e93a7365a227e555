// Subcommands over language projects.
#include "commands.h"

namespace lngtool {

void RegisterProjectFileCommands(CLI::App &app); // stats, resave
void RegisterQueryCommands(CLI::App &app);       // select, similar, merge-hints

void RegisterModelCommands(CLI::App &app) {
  RegisterProjectFileCommands(app);
  RegisterQueryCommands(app);
}

} // namespace lngtool
