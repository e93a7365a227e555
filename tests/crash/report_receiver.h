#pragma once
// A small HTTP receiver for crash reports on 127.0.0.1 (any free port), run on its own thread for
// the life of the object; it keeps what it was sent and answers with a fixed status and text.
#include <httplib.h>

#include <chrono>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace vt::test {

class TReportReceiver {
public:
  explicit TReportReceiver(int status = 200, std::string answer = "report 42 received")
      : FStatus(status), FAnswer(std::move(answer)) {
    FServer.Post("/reports", [this](const httplib::Request &request, httplib::Response &response) {
      {
        std::lock_guard<std::mutex> lock(FMutex);
        FBody = request.body;
        FContentType = request.get_header_value("Content-Type");
        ++FCount;
      }
      response.status = FStatus;
      response.set_content(FAnswer, "text/plain");
    });
    FPort = FServer.bind_to_any_port("127.0.0.1");
    FThread = std::thread([this] { FServer.listen_after_bind(); });
    for (int i = 0; i < 2000 && !FServer.is_running(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~TReportReceiver() {
    FServer.stop();
    FThread.join();
  }

  std::string Url() const { return "http://127.0.0.1:" + std::to_string(FPort) + "/reports"; }
  std::string Body() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FBody;
  }
  std::string ContentType() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FContentType;
  }
  int Count() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FCount;
  }

private:
  httplib::Server FServer;
  int FStatus;
  std::string FAnswer;
  int FPort = 0;
  std::thread FThread;
  mutable std::mutex FMutex;
  std::string FBody, FContentType;
  int FCount = 0;
};

// A port on 127.0.0.1 where nothing listens: bound without listening, then closed again.
inline int UnusedLoopbackPort() {
  const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address);
  socklen_t size = sizeof address;
  ::getsockname(sock, reinterpret_cast<sockaddr *>(&address), &size);
  ::close(sock);
  return ntohs(address.sin_port);
}

} // namespace vt::test
