#pragma once
// The web translation service client: one synchronous GET per line of text.
// Every failure (no connection, time-out, oversized or undecodable answer) gives an empty result;
// an error answer of the service comes back as text containing "TranslateApiExceptionMethod".
#include <cstddef>
#include <string>
#include <string_view>

namespace vt {

// The client's fixed application id.
inline constexpr std::string_view kTranslatorAppId = "9E4B27C0D15A83F6B2E94C07A6D1358F20BC7E4A";

// Bounds of one request, so that a silent or endless server never holds the caller for long.
struct TFetchLimits {
  long ConnectTimeoutMs = 20000;
  long TotalTimeoutMs = 20000;
  size_t MaxBodyBytes = size_t{64} << 20;
};

// The response body, whatever the status; empty when nothing could be read or a bound was hit.
// transportFailed (when given) tells a server that could not be reached or did not answer in time
// from one that answered.
std::string FetchUrl(const std::string &url, const TFetchLimits &limits = {},
                     bool *transportFailed = nullptr);

// The bytes outside markup, with a nesting counter: "<" opens, ">" closes, and a stray ">"
// suppresses what follows until a "<" balances it. Entities stay as they are.
std::string StripTags(std::string_view bytes);

// host + the translate path with the query values in order; the text and language go in as the
// caller passed them, with only the bytes that cannot stand in a URL percent-encoded.
std::string BuildTranslateUrl(std::string_view host, std::string_view text, std::string_view target);

// The translation of one line of English text into the target language, from the endpoint the
// environment names (VT_MT_HOST, default the local mtserver); empty on any failure.
std::u16string TranslateText(std::string_view text, std::string_view target);
std::u16string TranslateText(std::string_view text, std::string_view target, std::string_view host,
                             const TFetchLimits &limits = {}, bool *transportFailed = nullptr);

} // namespace vt
