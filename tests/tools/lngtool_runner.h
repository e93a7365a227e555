#pragma once
// Runs the lngtool program as a user runs it: stdout captured, stderr into a file or, with
// LngtoolWithErrors, into the same text as stdout.
#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace vt::test {

struct TLngtoolResult {
  int Code = -1;
  std::string Out;
};

// Runs VT_LNGTOOL with args; stderrRedirect is the shell's redirection of its stderr.
inline TLngtoolResult RunLngtool(const std::string &args, const std::string &stderrRedirect) {
  TLngtoolResult r;
  const std::string cmd = std::string("'") + VT_LNGTOOL + "' " + args + " " + stderrRedirect;
  FILE *p = popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  std::size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.Out.append(buf.data(), n);
  const int status = pclose(p);
  r.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

inline TLngtoolResult Lngtool(const std::string &args, const std::string &errFile = "/dev/null") {
  return RunLngtool(args, "2>'" + errFile + "'");
}

// stdout and stderr in one text, in the order the program wrote them.
inline TLngtoolResult LngtoolWithErrors(const std::string &args) {
  return RunLngtool(args, "2>&1");
}

} // namespace vt::test
