#include "services/mtserver/apertium_pipeline.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vt::mtserver {
namespace {

using Clock = std::chrono::steady_clock;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Full path of a program found on PATH, resolved before fork so the child only calls execv.
std::optional<std::string> FindProgram(const std::string &name) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    return access(name.c_str(), X_OK) == 0 ? std::optional<std::string>(name) : std::nullopt;
  }
  const char *path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t pos = 0;
  while (pos <= dirs.size()) {
    size_t colon = dirs.find(':', pos);
    if (colon == std::string::npos) colon = dirs.size();
    std::string dir = dirs.substr(pos, colon - pos);
    if (dir.empty()) dir = ".";
    std::string full = dir + "/" + name;
    if (access(full.c_str(), X_OK) == 0) return full;
    pos = colon + 1;
  }
  return std::nullopt;
}

void CloseFd(int &fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Forks one stage with the given stdin and stdout; stderr goes to /dev/null.
pid_t SpawnStage(const std::string &program, const TCommand &command, int inFd, int outFd, int nullFd) {
  std::vector<char *> argv;
  argv.reserve(command.size() + 1);
  for (const std::string &a : command) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid != 0) return pid;
  // Child: only async-signal-safe calls until execv.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(127);
  if (dup2(inFd, 0) < 0 || dup2(outFd, 1) < 0 || dup2(nullFd, 2) < 0) _exit(127);
  closefrom(3);
  signal(SIGPIPE, SIG_DFL);
  execv(program.c_str(), argv.data());
  _exit(127);
}

} // namespace

std::optional<std::vector<TCommand>> ParseModeScript(std::string_view script, std::string_view marksOption) {
  std::vector<TCommand> commands(1);
  std::string word;
  bool inWord = false;
  auto finishWord = [&] {
    if (!inWord) return;
    if (word == "$1") {
      commands.back().emplace_back(marksOption);
    } else if (word != "$2") {
      commands.back().push_back(word);
    }
    word.clear();
    inWord = false;
  };
  for (size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (c == '\'') {
      const size_t close = script.find('\'', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      word.append(script.substr(i + 1, close - i - 1));
      inWord = true;
      i = close;
    } else if (IsBlank(c)) {
      finishWord();
    } else if (c == '|') {
      finishWord();
      if (commands.back().empty()) return std::nullopt;
      commands.emplace_back();
    } else if (c == '$') {
      // Only the two positional options of a mode are known.
      if (i + 1 >= script.size() || (script[i + 1] != '1' && script[i + 1] != '2') || inWord)
        return std::nullopt;
      word = std::string(script.substr(i, 2));
      inWord = true;
      ++i;
    } else if (c == '"' || c == '\\' || c == '`' || c == ';' || c == '&' || c == '<' || c == '>' ||
               c == '(' || c == ')' || c == '*' || c == '?') {
      return std::nullopt;
    } else {
      word += c;
      inWord = true;
    }
  }
  finishWord();
  if (commands.back().empty()) commands.pop_back();
  if (commands.empty()) return std::nullopt;
  for (const TCommand &cmd : commands) {
    if (cmd.empty()) return std::nullopt;
  }
  return commands;
}

std::optional<std::string> CaptureOutput(const TCommand &command, int timeoutMs) {
  if (command.empty()) return std::nullopt;
  auto program = FindProgram(command[0]);
  if (!program) return std::nullopt;
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
  int nullFd = open("/dev/null", O_RDWR | O_CLOEXEC);
  const pid_t pid = SpawnStage(*program, command, nullFd, out[1], nullFd);
  close(out[1]);
  close(nullFd);
  if (pid < 0) {
    close(out[0]);
    return std::nullopt;
  }
  std::string text;
  bool ok = true;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  char buf[4096];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{out[0], POLLIN, 0};
    if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) {
      ok = false;
      break;
    }
    const ssize_t n = read(out[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    text.append(buf, static_cast<size_t>(n));
    if (text.size() > (1u << 20)) {
      ok = false;
      break;
    }
  }
  close(out[0]);
  if (!ok) kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return text;
}

TApertiumPipeline::TApertiumPipeline(std::vector<TCommand> stages, int timeoutMs)
    : FStages(std::move(stages)), FTimeoutMs(timeoutMs) {}

TApertiumPipeline::~TApertiumPipeline() {
  std::lock_guard lock(FMutex);
  StopLocked();
}

bool TApertiumPipeline::Start() {
  std::lock_guard lock(FMutex);
  return StartLocked();
}

bool TApertiumPipeline::Running() {
  std::lock_guard lock(FMutex);
  return !FPids.empty();
}

bool TApertiumPipeline::StartLocked() {
  if (!FPids.empty()) return true;
  if (FStages.empty()) return false;
  std::vector<std::string> programs;
  for (const TCommand &c : FStages) {
    auto p = FindProgram(c[0]);
    if (!p) return false;
    programs.push_back(std::move(*p));
  }
  // A dead pipeline must give the server an error, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  int nullFd = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (nullFd < 0) return false;
  int first[2];
  if (pipe2(first, O_CLOEXEC) != 0) {
    close(nullFd);
    return false;
  }
  FToPipeline = first[1];
  int stageIn = first[0];
  bool ok = true;
  for (size_t i = 0; i < FStages.size() && ok; ++i) {
    int next[2];
    if (pipe2(next, O_CLOEXEC) != 0) {
      ok = false;
      break;
    }
    const pid_t pid = SpawnStage(programs[i], FStages[i], stageIn, next[1], nullFd);
    close(stageIn);
    close(next[1]);
    stageIn = next[0];
    if (pid < 0) {
      ok = false;
    } else {
      FPids.push_back(pid);
    }
  }
  FFromPipeline = stageIn;
  close(nullFd);
  if (!ok) {
    StopLocked();
    return false;
  }
  fcntl(FToPipeline, F_SETFL, fcntl(FToPipeline, F_GETFL) | O_NONBLOCK);
  fcntl(FFromPipeline, F_SETFL, fcntl(FFromPipeline, F_GETFL) | O_NONBLOCK);
  return true;
}

void TApertiumPipeline::StopLocked() {
  CloseFd(FToPipeline);
  CloseFd(FFromPipeline);
  for (pid_t pid : FPids) kill(pid, SIGKILL);
  for (pid_t pid : FPids) {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  FPids.clear();
}

std::optional<std::string> TApertiumPipeline::Process(std::string_view escapedSegment) {
  std::lock_guard lock(FMutex);
  if (!StartLocked()) return std::nullopt;
  std::string request(escapedSegment);
  request += '\n';
  request += '\0';
  auto answer = ExchangeLocked(request);
  if (!answer) StopLocked();
  return answer;
}

std::optional<std::string> TApertiumPipeline::ExchangeLocked(const std::string &request) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(FTimeoutMs);
  size_t written = 0;
  std::string answer;
  char buf[8192];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    pollfd fds[2] = {{FFromPipeline, POLLIN, 0}, {FToPipeline, POLLOUT, 0}};
    const nfds_t count = written < request.size() ? 2 : 1;
    const int ready = poll(fds, count, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    if (count == 2 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = write(FToPipeline, request.data() + written, request.size() - written);
      if (n < 0 && errno != EAGAIN && errno != EINTR) return std::nullopt;
      if (n > 0) written += static_cast<size_t>(n);
    }
    if (fds[0].revents & (POLLIN | POLLERR | POLLHUP)) {
      const ssize_t n = read(FFromPipeline, buf, sizeof buf);
      if (n == 0) return std::nullopt; // the pipeline ended
      if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) continue;
        return std::nullopt;
      }
      for (ssize_t k = 0; k < n; ++k) {
        if (buf[k] == '\0') {
          // Flushes of earlier segments may leave extra NULs: skip them before an answer starts.
          if (answer.empty()) continue;
          for (ssize_t r = k + 1; r < n; ++r) {
            if (buf[r] != '\0') return std::nullopt; // out of step with the pipeline
          }
          if (written < request.size()) return std::nullopt;
          return answer;
        }
        answer += buf[k];
      }
      if (answer.size() > (size_t{4} << 20)) return std::nullopt;
    }
  }
}

} // namespace vt::mtserver
