#pragma once
// The HTTP front of the service: routes, size bounds, loopback by default.
#include "services/mtserver/apertium_engine.h"

#include <memory>
#include <string>

namespace httplib {
class Server;
}

namespace vt::mtserver {

struct TServerOptions {
  std::string BindAddress = "127.0.0.1";
  int Port = 8787; // 0 picks a free port
};

class TMtHttpServer {
public:
  TMtHttpServer(TApertiumEngine &engine, TServerOptions options);
  ~TMtHttpServer();
  TMtHttpServer(const TMtHttpServer &) = delete;
  TMtHttpServer &operator=(const TMtHttpServer &) = delete;

  // Binds the socket; returns the port, or -1 when the address cannot be bound.
  int Bind();
  // Serves until Stop; false when serving could not start.
  bool Run();
  // Safe from any thread.
  void Stop();

private:
  TApertiumEngine &FEngine;
  TServerOptions FOptions;
  std::unique_ptr<httplib::Server> FServer;
};

} // namespace vt::mtserver
