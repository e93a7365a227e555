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

MtEndpoint ResolveMtEndpoint(const std::optional<std::string> &host_option) {
  MtEndpoint e;
  if (host_option && !host_option->empty()) {
    e.host = *host_option;
  } else if (auto env = NonEmptyEnv("VT_MT_HOST")) {
    e.host = *env;
  } else {
    e.host = std::string(kDefaultMtHost);
  }
  e.host = WithoutTrailingSlashes(e.host);
  // An explicit --host wins over the page of the environment: both services then come from it.
  auto page_env = NonEmptyEnv("VT_MT_PAGE");
  if (page_env && !(host_option && !host_option->empty())) {
    e.page = *page_env;
    // Accept a page address given with its query, as the service's own page shows it.
    if (auto q = e.page.find('?'); q != std::string::npos) e.page.resize(q);
  } else {
    e.page = e.host + std::string(kTranslatorPagePath);
  }
  return e;
}

} // namespace vt
