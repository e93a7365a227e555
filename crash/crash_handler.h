#pragma once
// Catching fatal errors of the whole process: the fatal signals (SIGSEGV, SIGBUS, SIGFPE, SIGILL,
// SIGABRT) and std::terminate. At start-up the report file is opened and everything a report
// needs is prepared; the signal handler then only writes (async-signal-safe), lets a copy of the
// process (fork) symbolise the stack with file and line, and re-raises the signal so the exit
// status stays that of the signal.
#include <string>
#include <string_view>

namespace vt {

struct TCrashSetup {
  std::string Program;      // "transclient"
  std::string Version;      // "1.0"
  std::string Toolkit;      // "Qt 6.4.2"; empty for programs without windows
  std::string ReportFolder; // where reports go; empty: stderr only
};

// Installs the handlers once per process. With a report folder it also turns reports that an
// earlier run left half-written into new reports. False with a message when the folder or the
// report file cannot be made (the handlers then write to stderr).
bool InstallCrashHandler(const TCrashSetup &setup, std::string *error = nullptr);
// The open project's path, carried by a report (never its contents). Empty when none is open.
void SetCrashProject(std::string_view path);
// The common head of every report: program, version, system, toolkit, start time.
std::string CrashReportHead();
// Writes a report for a fatal error the program survives (an exception that no command caught)
// as a new report in the report folder, with the stack of the caller. Returns its path; empty
// without a report folder or when it cannot be written.
std::string WriteErrorReport(std::string_view what);
// The symbolised stack of the caller, one frame per line ("#3  Function  at file.cpp:12").
std::string CurrentStackText(std::size_t skipFrames = 0);

} // namespace vt
