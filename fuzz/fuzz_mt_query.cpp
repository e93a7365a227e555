// The service's request reading: query split, percent-decoding, code-page fall-back, checks.
#include "services/mtserver/query_text.h"
#include "services/mtserver/translate_service.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view query(reinterpret_cast<const char *>(data), size);
  // No pairs installed here: every check runs, no engine process is ever started.
  static vt::mtserver::TApertiumEngine engine(vt::mtserver::TEngineOptions{"/nonexistent-modes", 100});
  const auto reply = vt::mtserver::HandleTranslate(query, engine);
  if (reply.Status == 200 && !reply.Body.empty() && reply.Body.find('<') != 0) __builtin_trap();
  for (const auto &[key, value] : vt::mtserver::ParseRawQuery(query)) {
    const std::string text = vt::mtserver::DecodeQueryText(value);
    const std::string escaped = vt::mtserver::EscapeMarkup(text);
    if (escaped.find('<') != std::string::npos) __builtin_trap();
  }
  return 0;
}
