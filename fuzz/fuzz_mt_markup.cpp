// The client's reading of answers and pages, and the engine's text escapes.
#include "mt/result_box.h"
#include "mt/translator_web_utils.h"
#include "mt/url_text.h"
#include "services/mtserver/apertium_engine.h"
#include "services/mtserver/apertium_pipeline.h"
#include "support/text_codec.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  const std::string stripped = vt::StripTags(bytes);
  if (stripped.size() > bytes.size()) __builtin_trap();
  std::u16string decoded;
  (void)vt::StoredUtf8ToUtf16(stripped, decoded);
  (void)vt::ExtractResultBox(bytes);
  const std::string escaped = vt::EscapeUnsafeUrlBytes(bytes);
  // Escaping never loses bytes: decoding gives back what a server would read.
  if (vt::PercentDecode(escaped) != vt::PercentDecode(bytes)) __builtin_trap();
  if (vt::PercentDecode(vt::EncodeUrlText(bytes)) != bytes) __builtin_trap();
  const std::string for_engine = vt::mtserver::EscapeForApertium(bytes);
  if (for_engine.find('\0') != std::string::npos) __builtin_trap();
  int marks = 0;
  (void)vt::mtserver::UnescapeApertium(bytes, &marks);
  (void)vt::mtserver::ParseModeScript(bytes, "-n");
  return 0;
}
