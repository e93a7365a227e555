// The PE resource reader and the conversion of every form it finds.
#include "tools/binary_form.h"
#include "tools/error.h"
#include "tools/pe_resources.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<vt::TPeResource> res;
  if (!vt::ReadRcDataResources(std::string_view(reinterpret_cast<const char *>(data), size), res)) return 0;
  for (const auto &r : res) {
    if (!vt::HasFormSignature(r.Data)) continue;
    try {
      vt::ConvertBinaryForm(r.Data);
    } catch (const vt::EGrabError &) {
    }
  }
  return 0;
}
