// lngtool: the project model and the administrator toolkit on the command line.
#include "commands.h"
#include "crash/crash_handler.h"

#include <iostream>

namespace lngtool {

void Die(const std::string &message) {
  std::cerr << message << '\n';
  throw Exit{1};
}

} // namespace lngtool

int main(int argc, char **argv) {
  // A fatal error is reported on stderr, with the stack.
  vt::InstallCrashHandler({"lngtool", "1.01", "", ""});
  CLI::App app{"lngtool - language projects and the extraction toolkit of the Vantreo translation client"};
  app.require_subcommand(1);
  lngtool::RegisterModelCommands(app);
  lngtool::RegisterMtCommands(app);
  lngtool::RegisterToolsCommands(app);
  lngtool::RegisterSupportCommands(app);
  lngtool::RegisterClientCoreCommands(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    return app.exit(e);
  } catch (const lngtool::Exit &e) {
    return e.code;
  } catch (const std::exception &e) {
    std::cerr << "lngtool: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
