#include "mt/translator_web_utils.h"

#include "mt/mt_endpoint.h"
#include "mt/url_text.h"
#include "support/text_codec.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace vt {
namespace {

struct TBody {
  std::string Bytes;
  size_t Cap = 0;
  bool OverCap = false;
};

size_t AppendChunk(char *data, size_t size, size_t count, void *user) {
  auto *body = static_cast<TBody *>(user);
  const size_t n = size * count;
  if (n > body->Cap - body->Bytes.size()) {
    body->OverCap = true;
    return 0; // aborts the transfer
  }
  body->Bytes.append(data, n);
  return n;
}

void GlobalInitOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TCurlDeleter {
  void operator()(CURL *c) const { curl_easy_cleanup(c); }
};
struct TSlistDeleter {
  void operator()(curl_slist *l) const { curl_slist_free_all(l); }
};

} // namespace

std::string FetchUrl(const std::string &url, const TFetchLimits &limits, bool *transportFailed) {
  if (transportFailed) *transportFailed = false;
  GlobalInitOnce();
  std::unique_ptr<CURL, TCurlDeleter> curl(curl_easy_init());
  if (!curl) return {};
  TBody body;
  body.Cap = limits.MaxBodyBytes;
  // Always ask the origin, never a cache on the way.
  std::unique_ptr<curl_slist, TSlistDeleter> headers(curl_slist_append(nullptr, "Cache-Control: no-cache"));
  CURL *c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(c, CURLOPT_USERAGENT, "");
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, limits.ConnectTimeoutMs);
  curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, limits.TotalTimeoutMs);
  // Web addresses only: a URL can never make the client read a file or speak another protocol.
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &AppendChunk);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
  const CURLcode code = curl_easy_perform(c);
  if (body.OverCap) return {};
  if (code != CURLE_OK) {
    if (transportFailed) *transportFailed = true;
    return {};
  }
  return std::move(body.Bytes);
}

std::string StripTags(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  long long depth = 0;
  for (char c : bytes) {
    if (c == '<') {
      ++depth;
    } else if (c == '>') {
      --depth;
    } else if (depth == 0) {
      out += c;
    }
  }
  return out;
}

std::string BuildTranslateUrl(std::string_view host, std::string_view text, std::string_view target) {
  std::string url(host);
  url += "/v2/Http.svc/Translate?appId=";
  url += kTranslatorAppId;
  url += "&text=";
  url += EscapeUnsafeUrlBytes(text);
  url += "&from=en&to=";
  url += EscapeUnsafeUrlBytes(target);
  return url;
}

std::u16string TranslateText(std::string_view text, std::string_view target) {
  return TranslateText(text, target, ResolveMtEndpoint().Host);
}

std::u16string TranslateText(std::string_view text, std::string_view target, std::string_view host,
                             const TFetchLimits &limits, bool *transportFailed) {
  if (transportFailed) *transportFailed = false;
  try {
    const std::string body = FetchUrl(BuildTranslateUrl(host, text, target), limits, transportFailed);
    std::u16string decoded;
    if (!StoredUtf8ToUtf16(StripTags(body), decoded)) decoded.clear();
    return decoded;
  } catch (const std::exception &) {
    return {};
  }
}

} // namespace vt
