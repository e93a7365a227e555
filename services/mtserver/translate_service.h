#pragma once
// The service's answers, independent of the HTTP server so they can be tested directly.
#include "services/mtserver/apertium_engine.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vt::mtserver {

// Longest text (decoded, in bytes) one request may carry.
inline constexpr size_t kMaxTextBytes = 5000;

struct ServiceReply {
  int status = 200;
  std::string content_type;
  std::string body;
  std::string detected_language; // set for "auto" requests
};

// The markup error page; its text names "TranslateApiExceptionMethod" and says what is wrong.
std::string ErrorPage(std::string_view message);

// GET /v2/Http.svc/Translate with the raw query (after "?").
ServiceReply HandleTranslate(std::string_view raw_query, ApertiumEngine &engine);

// GET /languages: {"from":"en","targets":[...],"reverse":[...]}.
ServiceReply HandleLanguages(const ApertiumEngine &engine);

} // namespace vt::mtserver
