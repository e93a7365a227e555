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
pid_t SpawnStage(const std::string &program, const Command &command, int in_fd, int out_fd, int null_fd) {
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
  if (dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0 || dup2(null_fd, 2) < 0) _exit(127);
  closefrom(3);
  signal(SIGPIPE, SIG_DFL);
  execv(program.c_str(), argv.data());
  _exit(127);
}

} // namespace

std::optional<std::vector<Command>> ParseModeScript(std::string_view script, std::string_view marks_option) {
  std::vector<Command> commands(1);
  std::string word;
  bool in_word = false;
  auto finish_word = [&] {
    if (!in_word) return;
    if (word == "$1") {
      commands.back().emplace_back(marks_option);
    } else if (word != "$2") {
      commands.back().push_back(word);
    }
    word.clear();
    in_word = false;
  };
  for (size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (c == '\'') {
      const size_t close = script.find('\'', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      word.append(script.substr(i + 1, close - i - 1));
      in_word = true;
      i = close;
    } else if (IsBlank(c)) {
      finish_word();
    } else if (c == '|') {
      finish_word();
      if (commands.back().empty()) return std::nullopt;
      commands.emplace_back();
    } else if (c == '$') {
      // Only the two positional options of a mode are known.
      if (i + 1 >= script.size() || (script[i + 1] != '1' && script[i + 1] != '2') || in_word)
        return std::nullopt;
      word = std::string(script.substr(i, 2));
      in_word = true;
      ++i;
    } else if (c == '"' || c == '\\' || c == '`' || c == ';' || c == '&' || c == '<' || c == '>' ||
               c == '(' || c == ')' || c == '*' || c == '?') {
      return std::nullopt;
    } else {
      word += c;
      in_word = true;
    }
  }
  finish_word();
  if (commands.back().empty()) commands.pop_back();
  if (commands.empty()) return std::nullopt;
  for (const Command &cmd : commands) {
    if (cmd.empty()) return std::nullopt;
  }
  return commands;
}

std::optional<std::string> CaptureOutput(const Command &command, int timeout_ms) {
  if (command.empty()) return std::nullopt;
  auto program = FindProgram(command[0]);
  if (!program) return std::nullopt;
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
  int null_fd = open("/dev/null", O_RDWR | O_CLOEXEC);
  const pid_t pid = SpawnStage(*program, command, null_fd, out[1], null_fd);
  close(out[1]);
  close(null_fd);
  if (pid < 0) {
    close(out[0]);
    return std::nullopt;
  }
  std::string text;
  bool ok = true;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
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

ApertiumPipeline::ApertiumPipeline(std::vector<Command> stages, int timeout_ms)
    : stages_(std::move(stages)), timeout_ms_(timeout_ms) {}

ApertiumPipeline::~ApertiumPipeline() {
  std::lock_guard lock(mutex_);
  StopLocked();
}

bool ApertiumPipeline::Start() {
  std::lock_guard lock(mutex_);
  return StartLocked();
}

bool ApertiumPipeline::Running() {
  std::lock_guard lock(mutex_);
  return !pids_.empty();
}

bool ApertiumPipeline::StartLocked() {
  if (!pids_.empty()) return true;
  if (stages_.empty()) return false;
  std::vector<std::string> programs;
  for (const Command &c : stages_) {
    auto p = FindProgram(c[0]);
    if (!p) return false;
    programs.push_back(std::move(*p));
  }
  // A dead pipeline must give the server an error, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  int null_fd = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null_fd < 0) return false;
  int first[2];
  if (pipe2(first, O_CLOEXEC) != 0) {
    close(null_fd);
    return false;
  }
  to_pipeline_ = first[1];
  int stage_in = first[0];
  bool ok = true;
  for (size_t i = 0; i < stages_.size() && ok; ++i) {
    int next[2];
    if (pipe2(next, O_CLOEXEC) != 0) {
      ok = false;
      break;
    }
    const pid_t pid = SpawnStage(programs[i], stages_[i], stage_in, next[1], null_fd);
    close(stage_in);
    close(next[1]);
    stage_in = next[0];
    if (pid < 0) {
      ok = false;
    } else {
      pids_.push_back(pid);
    }
  }
  from_pipeline_ = stage_in;
  close(null_fd);
  if (!ok) {
    StopLocked();
    return false;
  }
  fcntl(to_pipeline_, F_SETFL, fcntl(to_pipeline_, F_GETFL) | O_NONBLOCK);
  fcntl(from_pipeline_, F_SETFL, fcntl(from_pipeline_, F_GETFL) | O_NONBLOCK);
  return true;
}

void ApertiumPipeline::StopLocked() {
  CloseFd(to_pipeline_);
  CloseFd(from_pipeline_);
  for (pid_t pid : pids_) kill(pid, SIGKILL);
  for (pid_t pid : pids_) {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  pids_.clear();
}

std::optional<std::string> ApertiumPipeline::Process(std::string_view escaped_segment) {
  std::lock_guard lock(mutex_);
  if (!StartLocked()) return std::nullopt;
  std::string request(escaped_segment);
  request += '\n';
  request += '\0';
  auto answer = ExchangeLocked(request);
  if (!answer) StopLocked();
  return answer;
}

std::optional<std::string> ApertiumPipeline::ExchangeLocked(const std::string &request) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms_);
  size_t written = 0;
  std::string answer;
  char buf[8192];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    pollfd fds[2] = {{from_pipeline_, POLLIN, 0}, {to_pipeline_, POLLOUT, 0}};
    const nfds_t count = written < request.size() ? 2 : 1;
    const int ready = poll(fds, count, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    if (count == 2 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = write(to_pipeline_, request.data() + written, request.size() - written);
      if (n < 0 && errno != EAGAIN && errno != EINTR) return std::nullopt;
      if (n > 0) written += static_cast<size_t>(n);
    }
    if (fds[0].revents & (POLLIN | POLLERR | POLLHUP)) {
      const ssize_t n = read(from_pipeline_, buf, sizeof buf);
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
