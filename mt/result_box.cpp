#include "mt/result_box.h"

#include "mt/translator_web_utils.h"
#include "mt/url_text.h"

namespace vt {
namespace {

constexpr std::string_view kResultMark = "id=\"result_box\"";

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(s.size());
  size_t pos = 0;
  for (size_t hit; (hit = s.find(from, pos)) != std::string_view::npos; pos = hit + from.size()) {
    out.append(s.substr(pos, hit - pos));
    out.append(to);
  }
  out.append(s.substr(pos));
  return out;
}

} // namespace

std::string BuildTranslatorPageAddress(std::string_view page, std::string_view target, bool reverse,
                                       std::string_view requestText) {
  std::string address(page);
  address += kTranslatorPageQuery;
  if (reverse) {
    address += "#auto/en";
  } else {
    address += "#en/";
    address += target.empty() ? std::string_view("en") : target;
  }
  address += '/';
  address += EncodeUrlText(requestText);
  return address;
}

std::string ExtractResultBox(std::string_view pageMarkup) {
  const size_t at = pageMarkup.find(kResultMark);
  if (at == std::string_view::npos) return {};
  // "<span " restores an opening for the tag whose attribute we landed on.
  std::string tail = "<span ";
  tail.append(pageMarkup.substr(at));
  const size_t end = tail.find("</div");
  if (end == std::string::npos) return {};
  tail.resize(end);
  return StripTags(ReplaceAll(tail, "<br>", "\r\n"));
}

} // namespace vt
