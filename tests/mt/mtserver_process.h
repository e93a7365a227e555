#pragma once
// Starts the real mtserver program on a free loopback port for one test program and stops it
// at the end. Its output goes to a log file so no pipe is held open.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vt::testing {

class TMtServerProcess {
public:
  // Returns false when the program did not report a port within the time limit.
  bool Start(const std::string &program, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    FDir = std::filesystem::temp_directory_path() /
           ("vt-mtserver-" + std::to_string(getpid()) + "-" + std::to_string(FCounter++));
    std::filesystem::create_directories(FDir);
    const std::string portFile = (FDir / "port").string();
    const std::string logFile = (FDir / "log").string();
    FPid = fork();
    if (FPid == 0) {
      const int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(log, 1);
      dup2(log, 2);
      const int nullFd = open("/dev/null", O_RDONLY);
      dup2(nullFd, 0);
      execl(program.c_str(), program.c_str(), "--port", "0", "--port-file", portFile.c_str(), nullptr);
      _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      std::ifstream in(portFile);
      if (in >> FPort && FPort > 0) return true;
      if (waitpid(FPid, nullptr, WNOHANG) == FPid) {
        FPid = -1;
        return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // SIGTERM, then SIGKILL after the grace time; returns the exit status (-1 when killed).
  int Stop(std::chrono::milliseconds grace = std::chrono::seconds(5)) {
    if (FPid <= 0) return -1;
    kill(FPid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + grace;
    int status = 0;
    while (waitpid(FPid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(FPid, SIGKILL);
        waitpid(FPid, &status, 0);
        FPid = -1;
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    FPid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  ~TMtServerProcess() {
    Stop();
    std::error_code ec;
    std::filesystem::remove_all(FDir, ec);
  }

  int port() const { return FPort; }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(FPort); }
  std::string Log() const {
    std::ifstream in(FDir / "log");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

private:
  static inline int FCounter = 0;
  std::filesystem::path FDir;
  pid_t FPid = -1;
  int FPort = 0;
};

} // namespace vt::testing
