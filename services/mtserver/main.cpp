// mtserver: the local web translation service and translator page, backed by Apertium.
#include "crash/crash_handler.h"
#include "services/mtserver/apertium_engine.h"
#include "services/mtserver/mt_http_server.h"
#include "support/file_io.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <pthread.h>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv) {
  // A fatal error is reported on stderr, with the stack.
  vt::InstallCrashHandler({"mtserver", "1.01", "", ""});
  CLI::App app{"mtserver - local web translation service and translator page (Apertium)"};
  vt::mtserver::TServerOptions serverOptions;
  vt::mtserver::TEngineOptions engineOptions;
  std::string portFile;
  std::vector<std::string> preload{"es"};
  app.add_option("--bind", serverOptions.BindAddress, "Address to listen on")->capture_default_str();
  app.add_option("--port", serverOptions.Port, "Port to listen on (0: any free port)")
      ->check(CLI::Range(0, 65535))
      ->capture_default_str();
  app.add_option("--port-file", portFile, "Write the port to this file once listening");
  app.add_option("--modes-dir", engineOptions.ModesDir, "Folder of the Apertium mode files")
      ->capture_default_str();
  app.add_option("--preload", preload, "Target languages whose engine starts at once")->capture_default_str();
  CLI11_PARSE(app, argc, argv);

  // SIGINT and SIGTERM are taken by one thread; every other thread inherits the block.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  vt::mtserver::TApertiumEngine engine(engineOptions);
  if (engine.Targets().empty())
    std::cerr << "mtserver: no Apertium pairs found in " << engineOptions.ModesDir << '\n';
  vt::mtserver::TMtHttpServer server(engine, serverOptions);
  const int port = server.Bind();
  if (port < 0) {
    std::cerr << "mtserver: cannot listen on " << serverOptions.BindAddress << ':' << serverOptions.Port
              << '\n';
    return 1;
  }
  for (const std::string &lang : preload) engine.Preload("en", lang);

  std::atomic<bool> finished{false};
  std::thread stopper([&] {
    int sig = 0;
    sigwait(&stopSignals, &sig);
    // Run may not have started serving yet: repeat until it has returned.
    while (!finished.load()) {
      server.Stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });

  std::string error;
  if (!portFile.empty() && !vt::WriteFileAtomic(portFile, std::to_string(port) + "\n", &error)) {
    // Whoever waits for the port would wait in vain: stop instead.
    std::cerr << "mtserver: " << error << '\n';
    server.Stop();
    finished = true;
    kill(getpid(), SIGTERM);
    stopper.join();
    return 1;
  }
  std::cout << "mtserver: listening on http://" << serverOptions.BindAddress << ':' << port << std::endl;
  const bool served = server.Run();
  finished = true;
  if (!served) kill(getpid(), SIGTERM); // wakes the stopper
  stopper.join();
  std::cout << "mtserver: stopped" << std::endl;
  return served ? 0 : 1;
}
