// The form text parser: filter, tree, section builder and action pruning.
#include "tools/error.h"
#include "tools/form_section.h"
#include "tools/resource_info.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const auto lines = vt::SplitLines(std::string_view(reinterpret_cast<const char *>(data), size));
  try {
    auto tree = vt::PrepareForm(lines);
    if (!tree) return 0;
    vt::RemoveUnusedActions(*tree, {"1", "2"});
    vt::BuildFormSection(tree.get());
  } catch (const vt::EGrabError &) {
  }
  return 0;
}
