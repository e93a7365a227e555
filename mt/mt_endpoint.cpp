#include "mt/mt_endpoint.h"

#include <cstdlib>

namespace vt {
namespace {

std::optional<std::string> NonEmptyEnv(const char *name) {
  const char *v = std::getenv(name);
  if (v == nullptr || *v == '\0') return std::nullopt;
  return std::string(v);
}

std::string WithoutTrailingSlashes(std::string s) {
  while (!s.empty() && s.back() == '/') s.pop_back();
  return s;
}

} // namespace

TMtEndpoint ResolveMtEndpoint(const std::optional<std::string> &hostOption) {
  TMtEndpoint e;
  if (hostOption && !hostOption->empty()) {
    e.Host = *hostOption;
  } else if (auto env = NonEmptyEnv("VT_MT_HOST")) {
    e.Host = *env;
  } else {
    e.Host = std::string(kDefaultMtHost);
  }
  e.Host = WithoutTrailingSlashes(e.Host);
  // An explicit --host wins over the page of the environment: both services then come from it.
  auto pageEnv = NonEmptyEnv("VT_MT_PAGE");
  if (pageEnv && !(hostOption && !hostOption->empty())) {
    e.Page = *pageEnv;
    // Accept a page address given with its query, as the service's own page shows it.
    if (auto q = e.Page.find('?'); q != std::string::npos) e.Page.resize(q);
  } else {
    e.Page = e.Host + std::string(kTranslatorPagePath);
  }
  return e;
}

} // namespace vt
