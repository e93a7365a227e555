#pragma once
// Runs a real program as a child process with extra environment variables, its output in a file,
// and waits for it with a time limit, so tests can see how it ended (exit code or signal).
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vt::test {

class TChildProcess {
public:
  // env: "NAME=value" entries added to (or replacing in) the current environment.
  bool Start(const std::string &program, const std::vector<std::string> &args,
             const std::vector<std::string> &env, const std::string &logFile) {
    FLog = logFile;
    FPid = ::fork();
    if (FPid < 0) return false;
    if (FPid == 0) {
      const int log = ::open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(log, 1);
      ::dup2(log, 2);
      const int none = ::open("/dev/null", O_RDONLY);
      ::dup2(none, 0);
      for (const std::string &e : env) ::putenv(const_cast<char *>(e.c_str()));
      std::vector<char *> argv{const_cast<char *>(program.c_str())};
      for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(program.c_str(), argv.data());
      ::_exit(127);
    }
    return true;
  }

  // Waits until the child ended; false when it still runs after the limit.
  bool Wait(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (FPid > 0) {
      const pid_t r = ::waitpid(FPid, &FStatus, WNOHANG);
      if (r == FPid) {
        FPid = -1;
        return true;
      }
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

  void Signal(int sig) {
    if (FPid > 0) ::kill(FPid, sig);
  }

  bool Running() const { return FPid > 0; }
  pid_t Pid() const { return FPid; }
  // The signal that ended the child, or 0.
  int TermSignal() const { return WIFSIGNALED(FStatus) ? WTERMSIG(FStatus) : 0; }
  int ExitCode() const { return WIFEXITED(FStatus) ? WEXITSTATUS(FStatus) : -1; }
  std::string Output() const {
    std::ifstream in(FLog);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  ~TChildProcess() {
    if (FPid > 0) {
      ::kill(FPid, SIGKILL);
      ::waitpid(FPid, nullptr, 0);
    }
  }

private:
  pid_t FPid = -1;
  int FStatus = 0;
  std::string FLog;
};

} // namespace vt::test
