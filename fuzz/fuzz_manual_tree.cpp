// The manual tree parser: every tree of the input, its listing, and the links between its nodes.
#include "support/help_node.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Every child points back to its parent and no tree nests beyond the parser's bound.
void Check(const vt::THelpNode &root) {
  std::vector<std::pair<const vt::THelpNode *, std::size_t>> pending{{&root, 1}};
  std::size_t nodes = 0;
  while (!pending.empty()) {
    auto [node, depth] = pending.back();
    pending.pop_back();
    ++nodes;
    if (depth > vt::kMaxHelpTreeDepth) std::abort();
    for (std::size_t i = 0; i < node->ChildCount(); ++i) {
      if (node->Child(i)->Parent != node) std::abort();
      pending.emplace_back(node->Child(i), depth + 1);
    }
  }
  std::vector<std::string> listed;
  root.ListNodes(listed);
  if (listed.size() != nodes) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const auto lines = vt::SplitHelpLines(std::string_view(reinterpret_cast<const char *>(data), size));
  std::size_t position = 0;
  while (position < lines.size()) {
    const std::size_t before = position;
    std::string error;
    auto root = vt::ParseHelpTree(lines, position, &error);
    if (position <= before) std::abort(); // every call reads at least one line
    if (root) Check(*root);
    if (!error.empty() && root) std::abort();
  }
  return 0;
}
