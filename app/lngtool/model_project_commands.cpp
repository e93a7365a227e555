// stats and resave.
#include "commands.h"

namespace lngtool {

void RegisterProjectFileCommands(CLI::App &) {}

} // namespace lngtool
