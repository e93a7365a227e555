// mtserver: the local web translation service and translator page, backed by Apertium.
#include "crash/crash_handler.h"
#include "services/mtserver/apertium_engine.h"
#include "services/mtserver/mt_http_server.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <iostream>
#include <pthread.h>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv) {
  // A fatal error is reported on stderr, with the stack.
  vt::InstallCrashHandler({"mtserver", "1.01", "", ""});
  CLI::App app{"mtserver - local web translation service and translator page (Apertium)"};
  vt::mtserver::ServerOptions server_options;
  vt::mtserver::EngineOptions engine_options;
  std::string port_file;
  std::vector<std::string> preload{"es"};
  app.add_option("--bind", server_options.bind_address, "Address to listen on")->capture_default_str();
  app.add_option("--port", server_options.port, "Port to listen on (0: any free port)")
      ->check(CLI::Range(0, 65535))
      ->capture_default_str();
  app.add_option("--port-file", port_file, "Write the port to this file once listening");
  app.add_option("--modes-dir", engine_options.modes_dir, "Folder of the Apertium mode files")
      ->capture_default_str();
  app.add_option("--preload", preload, "Target languages whose engine starts at once")->capture_default_str();
  CLI11_PARSE(app, argc, argv);

  // SIGINT and SIGTERM are taken by one thread; every other thread inherits the block.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  vt::mtserver::ApertiumEngine engine(engine_options);
  if (engine.Targets().empty())
    std::cerr << "mtserver: no Apertium pairs found in " << engine_options.modes_dir << '\n';
  vt::mtserver::MtHttpServer server(engine, server_options);
  const int port = server.Bind();
  if (port < 0) {
    std::cerr << "mtserver: cannot listen on " << server_options.bind_address << ':' << server_options.port
              << '\n';
    return 1;
  }
  for (const std::string &lang : preload) engine.Preload("en", lang);

  std::atomic<bool> finished{false};
  std::thread stopper([&] {
    int sig = 0;
    sigwait(&stop_signals, &sig);
    // Run may not have started serving yet: repeat until it has returned.
    while (!finished.load()) {
      server.Stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });

  if (!port_file.empty()) {
    const std::string tmp = port_file + ".tmp";
    std::ofstream(tmp) << port << '\n';
    std::rename(tmp.c_str(), port_file.c_str());
  }
  std::cout << "mtserver: listening on http://" << server_options.bind_address << ':' << port << std::endl;
  const bool served = server.Run();
  finished = true;
  if (!served) kill(getpid(), SIGTERM); // wakes the stopper
  stopper.join();
  std::cout << "mtserver: stopped" << std::endl;
  return served ? 0 : 1;
}
