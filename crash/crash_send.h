#pragma once
// Sending a crash report, only ever on the user's request: an HTTP POST to the report address,
// or a mailto: address that the desktop's mail program opens.
#include <string>
#include <string_view>

namespace vt {

struct TUploadResult {
  bool Ok = false;    // the receiver answered with a 2xx status
  long Status = 0;    // HTTP status; 0 when no answer came
  std::string Answer; // the receiver's answer (cut at 64 KiB)
  std::string Error;  // why no answer came ("Couldn't connect to server", "Timeout was reached")
};

struct TUploadLimits {
  long ConnectSeconds = 10;
  long TotalSeconds = 30;
};

// POSTs the text (text/plain, UTF-8) to url. Blocks for at most the total limit.
TUploadResult UploadCrashReport(const std::string &url, std::string_view text, TUploadLimits limits = {});

// "mailto:ADDRESS?subject=...&body=..." with both percent-encoded; address may be empty. A body
// longer than maxBody bytes is cut at a UTF-8 character boundary and ends with a note.
std::string CrashMailUrl(std::string_view address, std::string_view subject, std::string_view body,
                         std::size_t maxBody = 24000);

} // namespace vt
