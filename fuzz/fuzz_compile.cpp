// The compile on arbitrary raw data, translation and source files (the input split at NUL bytes):
// it must not crash, and what it writes must be a well-formed compiled file: sections of key=value
// lines, "Messages" last and holding R/L pairs only, no line break inside a value.
#include "tools/compile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char *>(data), size);
  std::string_view parts[3];
  for (std::string_view &part : parts) {
    const std::size_t nul = bytes.find('\0');
    part = bytes.substr(0, nul);
    bytes = nul == std::string_view::npos ? std::string_view() : bytes.substr(nul + 1);
  }
  vt::TIniFile raw;
  raw.LoadFromBytes(parts[0]);
  vt::TCompileProject project;
  project.LoadFromBytes(parts[1], parts[2].empty() ? nullptr : &parts[2]);
  vt::TGrabLog log;
  std::vector<std::string> echo;
  const std::string out = vt::CompileText(raw, project, &echo, log);

  const std::size_t messages = out.rfind("[Messages]\r\n");
  if (messages == std::string::npos || !out.ends_with("\r\n\r\n")) std::abort();
  std::size_t at = 0;
  bool inMessages = false, expectL = false;
  while (at < out.size()) {
    const std::size_t end = out.find("\r\n", at);
    if (end == std::string::npos) std::abort();
    const std::string_view line(out.data() + at, end - at);
    if (line.find_first_of("\r\n") != std::string_view::npos) std::abort();
    if (at == messages) {
      inMessages = true;
    } else if (!line.empty() && !line.starts_with("[")) {
      if (line.find('=') == std::string_view::npos || line.front() == '=') std::abort();
      if (inMessages) {
        if (!line.starts_with(expectL ? "L=" : "R=")) std::abort();
        expectL = !expectL;
      }
    }
    at = end + 2;
  }
  if (expectL) std::abort();
  const std::string sample(parts[1]);
  if (vt::UpperBracketed(sample).size() != sample.size()) std::abort();
  if (vt::NormaliseCompiledText(sample).find_first_of("\r\n") != std::string::npos) std::abort();
  return 0;
}
