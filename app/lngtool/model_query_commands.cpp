// select, similar and merge-hints.
#include "commands.h"

namespace lngtool {

void RegisterQueryCommands(CLI::App &) {}

} // namespace lngtool
