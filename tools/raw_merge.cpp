#include "raw_merge.h"

#include "error.h"

namespace vt {

std::optional<std::string> MergeRawFiles(const std::string &, const std::string &, TGrabLog &) {
  throw EGrabAssertion("not yet");
}
std::optional<std::string> FilterRawFile(const std::string &, const std::string &, TGrabLog &) {
  throw EGrabAssertion("not yet");
}
std::string RebuildSrcLng(const TRebuildOptions &, TGrabLog &) {
  throw EGrabAssertion("not yet");
}
void ApplyEnglishTexts(const TIniFile &, const TIniFile &, TIniFile &) {
  throw EGrabAssertion("not yet");
}
void ApplyMessageCorrections(const TIniFile &, const TTransWordList &, TIniFile &) {
  throw EGrabAssertion("not yet");
}
void ReorderSections(TIniFile &) {
  throw EGrabAssertion("not yet");
}
std::string ExtractedMessageKey(const std::string &) {
  throw EGrabAssertion("not yet");
}
bool SameFile(const std::string &, const std::string &) {
  throw EGrabAssertion("not yet");
}

} // namespace vt
