#include "project_update.h"

#include "error.h"

namespace vt {

bool UpdateSrcHints(const std::string &, const std::string &, TGrabLog &) {
  throw EGrabAssertion("not yet");
}
bool ApplySrcTranslations(const std::string &, const std::string &, TGrabLog &) {
  throw EGrabAssertion("not yet");
}
void CopyTranslations(const std::string &, const std::string &, TGrabLog &) {
  throw EGrabAssertion("not yet");
}
void BuildLngProject(const TProjectOptions &, TGrabLog &) {
  throw EGrabAssertion("not yet");
}
void RebuildDstProject(const TProjectOptions &, TGrabLog &) {
  throw EGrabAssertion("not yet");
}
std::string KxLngOf(const std::string &) {
  throw EGrabAssertion("not yet");
}

} // namespace vt
