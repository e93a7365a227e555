#pragma once
// How lngtool ends a command on an administrator-toolkit error: one line, exit code 1.
#include "commands.h"
#include "tools/error.h"

#include <algorithm>
#include <string>

namespace lngtool {

// An assertion's text on one line (CR shown as a space) with the place it names.
inline std::string GrabFailureText(const vt::EGrabAssertion &e) {
  std::string text = e.what();
  std::replace(text.begin(), text.end(), '\r', ' ');
  return text + " (" + vt::EGrabAssertion::Source + ")";
}

// Runs a command body, turning toolkit errors into the one-line failure.
template <typename F> void Guarded(F &&body) {
  try {
    body();
  } catch (const vt::EGrabAssertion &e) {
    Die(GrabFailureText(e));
  } catch (const vt::EGrabError &e) {
    Die(e.what());
  }
}

} // namespace lngtool
