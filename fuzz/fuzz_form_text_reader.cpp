// The whole-form-text reader of the form preview: typed values, skipped binary data and
// collections, and the limits on nesting and counts.
#include "tools/form_text_reader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  vt::TFormTextLimits limits;
  limits.MaxBytes = 1 << 20;
  std::string error;
  auto root = vt::ReadFormText(text, &error, limits);
  if (!root) return 0;
  std::size_t seen = 0;
  vt::VisitFormObjects(*root, [&](const vt::TFormObject &obj) {
    for (const auto &p : obj.Properties) {
      seen += obj.Strings(p.Name).has_value() + obj.Text(p.Name).has_value() + obj.Int(p.Name).has_value();
      if (obj.Find(p.Name) == nullptr) __builtin_trap();
    }
    if (obj.Parent && obj.Parent->Children.empty()) __builtin_trap();
  });
  // Keeps the reads from being optimised away.
  if (seen == SIZE_MAX) __builtin_trap();
  return 0;
}
