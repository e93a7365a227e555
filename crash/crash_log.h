#pragma once
// The program's own log: every line goes to stderr and into a ring of the most recent lines, which
// a crash report carries. The ring lives in static memory so that a signal handler can write it
// out without allocating.
#include <string>
#include <string_view>
#include <vector>

namespace vt {

inline constexpr std::size_t kCrashLogLines = 200;
inline constexpr std::size_t kCrashLogLineBytes = 480;

// Writes the line to stderr (with a line break) and keeps it in the ring.
void LogLine(std::string_view line);
// Keeps the line in the ring only (for callers that have written it elsewhere already). Longer
// lines are cut; line breaks inside become spaces.
void RememberLogLine(std::string_view line);
// The kept lines, oldest first.
std::vector<std::string> RecentLogLines();
// Forgets every kept line.
void ClearLogLines();
// Writes the kept lines, oldest first, one per line. Async-signal-safe.
void WriteRecentLogLines(int fd) noexcept;

} // namespace vt
