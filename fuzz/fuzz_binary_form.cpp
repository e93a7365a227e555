// The conversion of binary forms to form text.
#include "tools/binary_form.h"
#include "tools/error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  try {
    vt::TBinaryFormRoot root;
    vt::ConvertBinaryForm(std::string_view(reinterpret_cast<const char *>(data), size), &root);
  } catch (const vt::EGrabError &) {
  }
  return 0;
}
