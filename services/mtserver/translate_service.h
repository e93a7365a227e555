#pragma once
// The service's answers, independent of the HTTP server so they can be tested directly.
#include "services/mtserver/apertium_engine.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vt::mtserver {

// Longest text (decoded, in bytes) one request may carry.
inline constexpr size_t kMaxTextBytes = 5000;

struct TServiceReply {
  int Status = 200;
  std::string ContentType;
  std::string Body;
  std::string DetectedLanguage; // set for "auto" requests
};

// The markup error page; its text names "TranslateApiExceptionMethod" and says what is wrong.
std::string ErrorPage(std::string_view message);

// GET /v2/Http.svc/Translate with the raw query (after "?").
TServiceReply HandleTranslate(std::string_view rawQuery, TApertiumEngine &engine);

// GET /languages: {"from":"en","targets":[...],"reverse":[...]}.
TServiceReply HandleLanguages(const TApertiumEngine &engine);

} // namespace vt::mtserver
