#pragma once
// The folder of crash reports: report names, which reports are new (not yet offered to the user),
// marking a report as offered, pruning the oldest, and the reports that an earlier run left
// behind in its session file.
#include <cstddef>
#include <ctime>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vt {

inline constexpr std::size_t kKeptCrashReports = 20;

// "crash-YYYYMMDD-hhmmss-PID.new.txt" (a new report) or the same without ".new".
std::string CrashReportName(std::time_t time, pid_t pid, bool fresh);
// The session file of a running process: ".session-PID".
std::string CrashSessionName(pid_t pid);
bool IsCrashReportName(const std::string &name);
bool IsNewCrashReportName(const std::string &name);

// New reports in the folder, full paths, oldest first.
std::vector<std::string> NewCrashReports(const std::string &folder);
// All reports, full paths, oldest first.
std::vector<std::string> AllCrashReports(const std::string &folder);
// Renames a new report to its offered name; returns the new path (the old one when it was not new
// or could not be renamed).
std::string MarkCrashReportSeen(const std::string &path);
// Removes the oldest reports beyond keep.
void PruneCrashReports(const std::string &folder, std::size_t keep = kKeptCrashReports);
// Session files of processes that are gone (their lock is free): a written one becomes a new
// report, an empty one is removed. Returns how many reports it made.
int RecoverStaleSessions(const std::string &folder);

} // namespace vt
