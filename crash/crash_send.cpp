#include "crash_send.h"

#include <curl/curl.h>
#include <memory>

namespace vt {

namespace {

constexpr std::size_t kMaxAnswer = 64 * 1024;

std::size_t CollectAnswer(char *data, std::size_t size, std::size_t count, void *user) {
  auto *answer = static_cast<std::string *>(user);
  const std::size_t n = size * count;
  if (answer->size() < kMaxAnswer) answer->append(data, std::min(n, kMaxAnswer - answer->size()));
  return n;
}

void PercentEncode(std::string &out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (unsigned char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
}

} // namespace

TUploadResult UploadCrashReport(const std::string &url, std::string_view text, TUploadLimits limits) {
  TUploadResult result;
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) {
    result.Error = "the HTTP library could not start";
    return result;
  }
  std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(
      curl_slist_append(nullptr, "Content-Type: text/plain; charset=utf-8"), curl_slist_free_all);
  char errorText[CURL_ERROR_SIZE] = {};
  CURL *c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_POST, 1L);
  curl_easy_setopt(c, CURLOPT_POSTFIELDS, text.data());
  curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(text.size()));
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, limits.ConnectSeconds);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, limits.TotalSeconds);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, CollectAnswer);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &result.Answer);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
  const CURLcode code = curl_easy_perform(c);
  if (code != CURLE_OK) {
    result.Error = errorText[0] ? errorText : curl_easy_strerror(code);
    return result;
  }
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &result.Status);
  result.Ok = result.Status >= 200 && result.Status < 300;
  return result;
}

std::string CrashMailUrl(std::string_view address, std::string_view subject, std::string_view body,
                         std::size_t maxBody) {
  std::string cut;
  if (body.size() > maxBody) {
    std::size_t end = maxBody;
    while (end > 0 && (static_cast<unsigned char>(body[end]) & 0xC0) == 0x80) --end;
    cut.assign(body.substr(0, end));
    cut += "\n[... the report was cut here; please attach the saved report file ...]\n";
    body = cut;
  }
  std::string url = "mailto:";
  PercentEncode(url, address);
  url += "?subject=";
  PercentEncode(url, subject);
  url += "&body=";
  PercentEncode(url, body);
  return url;
}

} // namespace vt
