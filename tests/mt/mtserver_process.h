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

class MtServerProcess {
public:
  // Returns false when the program did not report a port within the time limit.
  bool Start(const std::string &program, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    dir_ = std::filesystem::temp_directory_path() /
           ("vt-mtserver-" + std::to_string(getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::create_directories(dir_);
    const std::string port_file = (dir_ / "port").string();
    const std::string log_file = (dir_ / "log").string();
    pid_ = fork();
    if (pid_ == 0) {
      const int log = open(log_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(log, 1);
      dup2(log, 2);
      const int null_fd = open("/dev/null", O_RDONLY);
      dup2(null_fd, 0);
      execl(program.c_str(), program.c_str(), "--port", "0", "--port-file", port_file.c_str(), nullptr);
      _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      std::ifstream in(port_file);
      if (in >> port_ && port_ > 0) return true;
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // SIGTERM, then SIGKILL after the grace time; returns the exit status (-1 when killed).
  int Stop(std::chrono::milliseconds grace = std::chrono::seconds(5)) {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + grace;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  ~MtServerProcess() {
    Stop();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  int port() const { return port_; }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::string Log() const {
    std::ifstream in(dir_ / "log");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

private:
  static inline int counter_ = 0;
  std::filesystem::path dir_;
  pid_t pid_ = -1;
  int port_ = 0;
};

} // namespace vt::testing
