#pragma once
// The HTTP front of the service: routes, size bounds, loopback by default.
#include "services/mtserver/apertium_engine.h"

#include <memory>
#include <string>

namespace httplib {
class Server;
}

namespace vt::mtserver {

struct ServerOptions {
  std::string bind_address = "127.0.0.1";
  int port = 8787; // 0 picks a free port
};

class MtHttpServer {
public:
  MtHttpServer(ApertiumEngine &engine, ServerOptions options);
  ~MtHttpServer();
  MtHttpServer(const MtHttpServer &) = delete;
  MtHttpServer &operator=(const MtHttpServer &) = delete;

  // Binds the socket; returns the port, or -1 when the address cannot be bound.
  int Bind();
  // Serves until Stop; false when serving could not start.
  bool Run();
  // Safe from any thread.
  void Stop();

private:
  ApertiumEngine &engine_;
  ServerOptions options_;
  std::unique_ptr<httplib::Server> server_;
};

} // namespace vt::mtserver
