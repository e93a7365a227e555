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
#ifdef VT_LNGTOOL_MODEL
  lngtool::RegisterModelCommands(app);
#endif
#ifdef VT_LNGTOOL_MT
  lngtool::RegisterMtCommands(app);
#endif
#ifdef VT_LNGTOOL_TOOLS
  lngtool::RegisterToolsCommands(app);
#endif
#ifdef VT_LNGTOOL_SUPPORT
  lngtool::RegisterSupportCommands(app);
#endif
#ifdef VT_LNGTOOL_CLIENT_CORE
  lngtool::RegisterClientCoreCommands(app);
#endif
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
