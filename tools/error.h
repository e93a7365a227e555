#pragma once
// Errors of the extraction toolkit. A failed read of an executable, a binary form or a skin ends the
// running operation; the window or the command line shows the message.
#include <stdexcept>
#include <string>

namespace vt {

class EGrabError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A broken assumption about the input (an unnamed object header, a missing mandatory input). The
// window shows it with the name of the unit that raised it.
class EGrabAssertion : public EGrabError {
public:
  explicit EGrabAssertion(const std::string &message) : EGrabError(message) {}
  static constexpr const char *Source = "Translate\\GrabRawDlg";
};

} // namespace vt
