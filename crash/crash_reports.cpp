#include "crash_reports.h"

#include "signal_safe_io.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "crash-";
constexpr std::string_view kNewSuffix = ".new.txt";
constexpr std::string_view kSuffix = ".txt";
constexpr std::string_view kSessionPrefix = ".session-";

bool EndsWith(const std::string &s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<std::string> ReportsIn(const std::string &folder, bool onlyNew) {
  std::vector<std::pair<std::string, std::string>> found; // name, path
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (onlyNew ? IsNewCrashReportName(name) : IsCrashReportName(name))
      found.emplace_back(name, it->path().string());
  }
  // The names start with the time, so their order is the order of the crashes.
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  paths.reserve(found.size());
  for (auto &f : found) paths.push_back(std::move(f.second));
  return paths;
}

} // namespace

std::string CrashReportName(std::time_t time, pid_t pid, bool fresh) {
  char stamp[20];
  const std::size_t n = FormatUtcStamp(time, stamp);
  std::string name(kPrefix);
  name.append(stamp, n);
  name += '-';
  name += std::to_string(pid);
  name += fresh ? kNewSuffix : kSuffix;
  return name;
}

std::string CrashSessionName(pid_t pid) {
  return std::string(kSessionPrefix) + std::to_string(pid);
}

bool IsCrashReportName(const std::string &name) {
  return name.compare(0, kPrefix.size(), kPrefix) == 0 && EndsWith(name, kSuffix);
}

bool IsNewCrashReportName(const std::string &name) {
  return IsCrashReportName(name) && EndsWith(name, kNewSuffix);
}

std::vector<std::string> NewCrashReports(const std::string &folder) {
  return ReportsIn(folder, true);
}

std::vector<std::string> AllCrashReports(const std::string &folder) {
  return ReportsIn(folder, false);
}

std::string MarkCrashReportSeen(const std::string &path) {
  if (!EndsWith(path, kNewSuffix)) return path;
  const std::string seen = path.substr(0, path.size() - kNewSuffix.size()) + std::string(kSuffix);
  std::error_code ec;
  fs::rename(path, seen, ec);
  return ec ? path : seen;
}

void PruneCrashReports(const std::string &folder, std::size_t keep) {
  const std::vector<std::string> reports = AllCrashReports(folder);
  if (reports.size() <= keep) return;
  std::error_code ec;
  for (std::size_t i = 0; i < reports.size() - keep; ++i) fs::remove(reports[i], ec);
}

int RecoverStaleSessions(const std::string &folder) {
  int made = 0;
  std::error_code ec;
  std::vector<fs::path> sessions;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->path().filename().string().compare(0, kSessionPrefix.size(), kSessionPrefix) == 0)
      sessions.push_back(it->path());
  for (const fs::path &session : sessions) {
    const int fd = ::open(session.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    // A running program holds the lock on its own session file.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      continue;
    }
    struct stat st {};
    const bool written = ::fstat(fd, &st) == 0 && st.st_size > 0;
    if (written) {
      const std::string name = session.filename().string();
      long long pid = 0;
      for (std::size_t i = kSessionPrefix.size(); i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
        pid = pid * 10 + (name[i] - '0');
      fs::rename(session, fs::path(folder) / CrashReportName(st.st_mtime, static_cast<pid_t>(pid), true), ec);
      if (!ec) ++made;
    } else {
      fs::remove(session, ec);
    }
    ::close(fd);
  }
  return made;
}

} // namespace vt
