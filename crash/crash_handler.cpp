#include "crash_handler.h"

#include "crash_log.h"
#include "crash_reports.h"
#include "signal_safe_io.h"
#include "support/file_io.h"

#define BACKWARD_HAS_DW 1
#include <backward.hpp>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <execinfo.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

namespace vt {

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr std::size_t kPathBytes = 4096;
// A copy of the process that does not finish symbolising in this time is given up.
constexpr unsigned kSymboliseSeconds = 10;

// Everything the signal handler needs, prepared before any crash.
struct TCrashState {
  int Fd = -1; // the report file (or a copy of stderr)
  bool ToFile = false;
  char Folder[kPathBytes] = {};
  char SessionPath[kPathBytes] = {};
  char Head[4096] = {};
  std::size_t HeadSize = 0;
  char Program[128] = {};
  bool Installed = false;
};

TCrashState GState;
std::atomic<bool> GHandling{false};

// The project path: two slots, so that the handler never reads one that is being written.
char GProjectSlots[2][kPathBytes] = {};
std::atomic<int> GProjectSlot{0};

// Filled by the terminate handler before it aborts; the SIGABRT report carries it.
char GTerminateNote[2048] = {};
std::atomic<std::size_t> GTerminateNoteSize{0};

alignas(16) char GAltStack[1 << 20];

const char *SignalName(int sig) noexcept {
  switch (sig) {
  case SIGSEGV:
    return "SIGSEGV (invalid memory access)";
  case SIGBUS:
    return "SIGBUS (bus error)";
  case SIGFPE:
    return "SIGFPE (arithmetic error)";
  case SIGILL:
    return "SIGILL (illegal instruction)";
  case SIGABRT:
    return "SIGABRT (abort)";
  default:
    return "signal";
  }
}

void *FaultAddress(void *context) noexcept {
#if defined(__x86_64__)
  return reinterpret_cast<void *>(static_cast<ucontext_t *>(context)->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
  return reinterpret_cast<void *>(static_cast<ucontext_t *>(context)->uc_mcontext.pc);
#else
  (void)context;
  return nullptr;
#endif
}

std::string FrameLine(std::size_t number, const std::string &function, const std::string &file, unsigned line,
                      const char *note) {
  std::string text = "#" + std::to_string(number) + "  " + (function.empty() ? std::string("??") : function);
  if (!file.empty()) text += "  at " + file + ":" + std::to_string(line);
  text += note;
  text += '\n';
  return text;
}

std::string ResolveStack(backward::StackTrace &trace) {
  backward::TraceResolver resolver;
  resolver.load_stacktrace(trace);
  std::string text;
  std::size_t number = 0;
  for (std::size_t i = 0; i < trace.size(); ++i) {
    const backward::ResolvedTrace frame = resolver.resolve(trace[i]);
    // Functions inlined into this frame come first, innermost first.
    for (const auto &inlined : frame.inliners)
      text += FrameLine(number++, inlined.function, inlined.filename, inlined.line, "  (inlined)");
    std::string where;
    if (frame.source.filename.empty() && !frame.object_filename.empty())
      where = "  [" + frame.object_filename + "]";
    text +=
        FrameLine(number++, frame.object_function, frame.source.filename, frame.source.line, where.c_str());
  }
  return text;
}

// Runs in the copy of the crashed process: unwinds from the faulting instruction and writes
// the symbolised frames.
void WriteSymbolisedStack(int fd, void *context, siginfo_t *info) {
  backward::StackTrace trace;
  trace.load_from(FaultAddress(context), 64, context, info ? info->si_addr : nullptr);
  const std::string text = ResolveStack(trace);
  SafeWrite(fd, "\nStack of the crashing thread:\n");
  SafeWrite(fd, text);
}

void WriteProject(int fd) noexcept {
  const char *project = GProjectSlots[GProjectSlot.load(std::memory_order_acquire)];
  SafeWrite(fd, "Project: ");
  SafeWrite(fd, project[0] ? std::string_view(project) : std::string_view("(none open)"));
  SafeWrite(fd, "\n");
}

void OnFatalSignal(int sig, siginfo_t *info, void *context) {
  if (GHandling.exchange(true)) {
    // A second fault while reporting: give up at once.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
    return;
  }
  const int saved = errno;
  const int fd = GState.Fd >= 0 ? GState.Fd : 2;
  char when[32];
  const std::size_t whenSize = FormatUtcTime(std::time(nullptr), when);

  SafeWrite(fd, std::string_view(GState.Head, GState.HeadSize));
  SafeWrite(fd, "Crashed: ");
  SafeWrite(fd, std::string_view(when, whenSize));
  SafeWrite(fd, "\nSignal: ");
  SafeWrite(fd, SignalName(sig));
  if (info && sig != SIGABRT) {
    SafeWrite(fd, ", code ");
    SafeWriteDecimal(fd, info->si_code);
    SafeWrite(fd, ", address ");
    SafeWriteHex(fd, reinterpret_cast<std::uintptr_t>(info->si_addr));
  }
  SafeWrite(fd, "\n");
  const std::size_t noteSize = GTerminateNoteSize.load(std::memory_order_acquire);
  if (noteSize > 0) {
    SafeWrite(fd, "Reason: ");
    SafeWrite(fd, std::string_view(GTerminateNote, noteSize));
    SafeWrite(fd, "\n");
  }
  WriteProject(fd);

  // Symbolising allocates and reads debug information: a copy of the process does it, bounded by
  // an alarm, so that nothing but plain writes happens here.
  const pid_t child = ::_Fork();
  bool symbolised = false;
  if (child == 0) {
    ::alarm(kSymboliseSeconds);
    WriteSymbolisedStack(fd, context, info);
    ::_exit(0);
  } else if (child > 0) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    symbolised = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  if (!symbolised) SafeWrite(fd, "\n(The stack could not be symbolised; raw frames follow.)\n");
  SafeWrite(fd, "\nRaw frames:\n");
  void *frames[64];
  const int count = ::backtrace(frames, 64);
  ::backtrace_symbols_fd(frames, count, fd);
  SafeWrite(fd, "\nRecent log:\n");
  WriteRecentLogLines(fd);
  SafeWrite(fd, "--- end of report ---\n");

  if (GState.ToFile) {
    ::fsync(fd);
    char stamp[20];
    const std::size_t stampSize = FormatUtcStamp(std::time(nullptr), stamp);
    // The same name as CrashReportName builds.
    char name[128];
    std::size_t n = SafeCopy(name, sizeof name, "crash-");
    n = SafeAppend(name, sizeof name, n, std::string_view(stamp, stampSize));
    n = SafeAppend(name, sizeof name, n, "-");
    n = SafeAppendDecimal(name, sizeof name, n, ::getpid());
    n = SafeAppend(name, sizeof name, n, ".new.txt");
    char target[kPathBytes + 128];
    std::size_t t = SafeCopy(target, sizeof target, GState.Folder);
    t = SafeAppend(target, sizeof target, t, "/");
    SafeAppend(target, sizeof target, t, std::string_view(name, n));
    const bool renamed = ::rename(GState.SessionPath, target) == 0;
    SafeWrite(2, GState.Program);
    SafeWrite(2, ": crashed with ");
    SafeWrite(2, SignalName(sig));
    SafeWrite(2, "; report: ");
    SafeWrite(2, renamed ? std::string_view(target) : std::string_view(GState.SessionPath));
    SafeWrite(2, "\n");
  }
  errno = saved;
  // Re-raised with the default action once this handler returns, so the exit status is the signal's.
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

std::string TypeName(const std::type_info *type) {
  if (!type) return "unknown type";
  int status = 0;
  char *name = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
  std::string text = status == 0 && name ? name : type->name();
  std::free(name);
  return text;
}

[[noreturn]] void OnTerminate() {
  std::string note = "std::terminate was called";
  if (std::exception_ptr current = std::current_exception()) {
    note += " for an uncaught exception of type " + TypeName(abi::__cxa_current_exception_type());
    try {
      std::rethrow_exception(current);
    } catch (const std::exception &error) {
      note += ": ";
      note += error.what();
    } catch (...) {
    }
  } else {
    note += " without an active exception";
  }
  const std::size_t n = std::min(note.size(), sizeof GTerminateNote);
  std::copy_n(note.data(), n, GTerminateNote);
  GTerminateNoteSize.store(n, std::memory_order_release);
  std::abort(); // the SIGABRT handler writes the report
}

std::string BuildHead(const TCrashSetup &setup) {
  std::string head = "Crash report of " + setup.Program + " " + setup.Version + "\n";
  struct utsname un {};
  if (::uname(&un) == 0)
    head +=
        std::string("System: ") + un.sysname + " " + un.release + " " + un.version + " " + un.machine + "\n";
  if (!setup.Toolkit.empty()) head += "Toolkit: " + setup.Toolkit + "\n";
  char when[32];
  const std::size_t n = FormatUtcTime(std::time(nullptr), when);
  head += "Started: " + std::string(when, n) + ", process " + std::to_string(::getpid()) + "\n";
  return head;
}

bool OpenSession(const std::string &folder, std::string *error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    if (error) *error = "cannot create the crash report folder " + folder + ": " + ec.message();
    return false;
  }
  RecoverStaleSessions(folder);
  PruneCrashReports(folder);
  const std::string session = folder + "/" + CrashSessionName(::getpid());
  const int fd = ::open(session.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) {
    if (error) *error = "cannot open the crash report file " + session;
    return false;
  }
  ::flock(fd, LOCK_EX | LOCK_NB);
  GState.Fd = fd;
  GState.ToFile = true;
  SafeCopy(GState.Folder, sizeof GState.Folder, folder);
  SafeCopy(GState.SessionPath, sizeof GState.SessionPath, session);
  return true;
}

void RemoveSession() {
  // A normal exit leaves no report behind.
  if (GState.ToFile && !GHandling.load()) ::unlink(GState.SessionPath);
}

} // namespace

bool InstallCrashHandler(const TCrashSetup &setup, std::string *error) {
  if (GState.Installed) return true;
  GState.Installed = true;
  const std::string head = BuildHead(setup);
  GState.HeadSize = SafeCopy(GState.Head, sizeof GState.Head, head);
  SafeCopy(GState.Program, sizeof GState.Program, setup.Program);

  bool ok = true;
  if (!setup.ReportFolder.empty()) ok = OpenSession(setup.ReportFolder, error);
  if (GState.Fd < 0) GState.Fd = ::fcntl(2, F_DUPFD_CLOEXEC, 3);
  if (GState.ToFile) std::atexit(RemoveSession);

  // The first unwind loads the unwinder's library; do it now rather than inside a handler.
  void *warm[4];
  ::backtrace(warm, 4);

  stack_t alt{};
  alt.ss_sp = GAltStack;
  alt.ss_size = sizeof GAltStack;
  ::sigaltstack(&alt, nullptr);
  struct sigaction action {};
  action.sa_sigaction = OnFatalSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int sig : kFatalSignals) ::sigaction(sig, &action, nullptr);
  std::set_terminate(OnTerminate);
  return ok;
}

void SetCrashProject(std::string_view path) {
  const int next = 1 - GProjectSlot.load(std::memory_order_relaxed);
  SafeCopy(GProjectSlots[next], kPathBytes, path);
  GProjectSlot.store(next, std::memory_order_release);
}

std::string CrashReportHead() {
  return std::string(GState.Head, GState.HeadSize);
}

std::string CurrentStackText(std::size_t skipFrames) {
  backward::StackTrace trace;
  trace.load_here(64 + skipFrames);
  trace.skip_n_firsts(skipFrames + 1); // this function's own frame too
  return ResolveStack(trace);
}

std::string WriteErrorReport(std::string_view what) {
  if (!GState.ToFile) return {};
  char when[32];
  const std::size_t whenSize = FormatUtcTime(std::time(nullptr), when);
  std::string report = CrashReportHead();
  report += "Occurred: " + std::string(when, whenSize) + "\n";
  report += "Unhandled exception (the program went on): " + std::string(what) + "\n";
  const char *project = GProjectSlots[GProjectSlot.load(std::memory_order_acquire)];
  report += std::string("Project: ") + (project[0] ? project : "(none open)") + "\n";
  report += "\nStack where the error was caught:\n" + CurrentStackText(1);
  report += "\nRecent log:\n";
  for (const std::string &line : RecentLogLines()) report += line + "\n";
  report += "--- end of report ---\n";
  // Two errors within one second get names of their own.
  std::time_t now = std::time(nullptr);
  std::string path;
  for (int tries = 0; tries < 100; ++tries, ++now) {
    path = std::string(GState.Folder) + "/" + CrashReportName(now, ::getpid(), true);
    if (!FileExists(path) && !FileExists(path.substr(0, path.size() - 8) + ".txt")) break;
  }
  if (!WriteFileAtomic(path, report)) return {};
  PruneCrashReports(GState.Folder);
  return path;
}

} // namespace vt
