#pragma once
// Where the machine-translation services live. The local mtserver answers by default; the
// environment (VT_MT_HOST, VT_MT_PAGE) or a program's --host option points elsewhere.
#include <optional>
#include <string>
#include <string_view>

namespace vt {

inline constexpr std::string_view kDefaultMtHost = "http://127.0.0.1:8787";
// Path of the translator page on a host; the page address adds its query and fragment.
inline constexpr std::string_view kTranslatorPagePath = "/translate";

struct TMtEndpoint {
  std::string Host; // base URL of the web translation service, no trailing "/"
  std::string Page; // base URL of the translator page, without query or fragment
};

// Resolution order: the explicit host (a --host option), then VT_MT_HOST, then the default.
// The page is VT_MT_PAGE when set, otherwise derived from the host.
TMtEndpoint ResolveMtEndpoint(const std::optional<std::string> &hostOption = std::nullopt);

} // namespace vt
