#include "services/mtserver/translate_service.h"

#include "mt/translator_web_utils.h"
#include "mt/url_text.h"
#include "services/mtserver/query_text.h"

namespace vt::mtserver {
namespace {

constexpr std::string_view kMarkupType = "application/xml; charset=utf-8";

TServiceReply Error(int status, std::string_view message) {
  return TServiceReply{status, "text/html; charset=utf-8", ErrorPage(message), {}};
}

// Language codes are short ASCII words; anything else is refused before it reaches a message.
bool IsLanguageCode(std::string_view s) {
  if (s.empty() || s.size() > 16) return false;
  for (char c : s) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_')) return false;
  }
  return true;
}

std::string JoinCodes(const std::vector<std::string> &codes) {
  std::string out;
  for (const std::string &c : codes) {
    if (!out.empty()) out += ", ";
    out += c;
  }
  return out;
}

std::string JsonList(const std::vector<std::string> &codes) {
  std::string out = "[";
  for (size_t i = 0; i < codes.size(); ++i) {
    if (i > 0) out += ',';
    out += '"' + codes[i] + '"';
  }
  return out + "]";
}

} // namespace

std::string ErrorPage(std::string_view message) {
  std::string page =
      "<html><body><h1>TranslateApiExceptionMethod</h1>\n<p>Method: Translate()</p>\n<p>Message: ";
  page += EscapeMarkup(message);
  page += "</p></body></html>\n";
  return page;
}

TServiceReply HandleTranslate(std::string_view rawQuery, TApertiumEngine &engine) {
  const auto query = ParseRawQuery(rawQuery);
  auto value = [&](const char *key) -> const std::string * {
    auto it = query.find(key);
    return it == query.end() ? nullptr : &it->second;
  };
  const std::string *appId = value("appId");
  if (appId == nullptr || PercentDecode(*appId) != kTranslatorAppId) {
    return Error(400, "Invalid appId: the application id is missing or not known.");
  }
  const std::string *rawText = value("text");
  if (rawText == nullptr || rawText->empty()) return Error(400, "Missing text: the request has no text.");
  const std::string text = DecodeQueryText(*rawText);
  if (text.size() > kMaxTextBytes) {
    return Error(400, "Text too long: " + std::to_string(text.size()) + " bytes, at most " +
                          std::to_string(kMaxTextBytes) + ".");
  }
  const std::string *rawFrom = value("from");
  const std::string *rawTo = value("to");
  const std::string from = rawFrom != nullptr ? PercentDecode(*rawFrom) : std::string("en");
  const std::string to = rawTo != nullptr ? PercentDecode(*rawTo) : std::string();
  if (!IsLanguageCode(from) || !IsLanguageCode(to) || !engine.Supports(from, to)) {
    const std::string shown = (IsLanguageCode(from) ? from : "?") + "-" + (IsLanguageCode(to) ? to : "?");
    return Error(400, "Unsupported language pair " + shown +
                          ". Supported targets from en: " + JoinCodes(engine.Targets()) +
                          "; into en from: " + JoinCodes(engine.ReverseSources()) + " or auto.");
  }
  auto translation = engine.Translate(from, to, text);
  if (!translation) return Error(500, "The translation engine did not answer.");
  TServiceReply reply;
  reply.ContentType = std::string(kMarkupType);
  reply.Body = "<string>" + EscapeMarkup(translation->Text) + "</string>";
  if (from == "auto") reply.DetectedLanguage = translation->From;
  return reply;
}

TServiceReply HandleLanguages(const TApertiumEngine &engine) {
  TServiceReply reply;
  reply.ContentType = "application/json";
  reply.Body = "{\"from\":\"en\",\"targets\":" + JsonList(engine.Targets()) +
               ",\"reverse\":" + JsonList(engine.ReverseSources()) + "}\n";
  return reply;
}

} // namespace vt::mtserver
