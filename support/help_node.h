#pragma once
// The product manual's tree of folders and pages, read from a bracketed text list: "[" opens a
// folder, "<" a page, "]" or ">" closes the innermost open node, and "D=", "F=", "T=", "K=", "X="
// lines set its fields. Parsing, freeing and listing use no recursion, so any nesting depth is safe.
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

class THelpNode {
public:
  THelpNode() = default;
  explicit THelpNode(bool isPage) : IsPage(isPage) {}
  // Frees the children last first, each subtree before its own node.
  ~THelpNode();
  THelpNode(const THelpNode &) = delete;
  THelpNode &operator=(const THelpNode &) = delete;

  std::vector<std::unique_ptr<THelpNode>> Children; // in file order; owned
  std::string PageFile;                             // from "D=" or "F="
  std::string Title;                                // from "T="
  bool IsPage = false;                              // opened by "<" rather than "["
  std::string Keywords;                             // from "K="
  bool Marked = false;                              // set by an "X=" line
  THelpNode *Parent = nullptr;

  // Appends child and makes this node its parent; a null child, or this node itself, is not added
  // (the latter is handed back to nobody: its owner keeps it). Returns the added child or null.
  THelpNode *AddChild(std::unique_ptr<THelpNode> child);
  std::size_t ChildCount() const noexcept { return Children.size(); }
  // The child at index, or null outside the range.
  THelpNode *Child(std::size_t index) const noexcept;
  // Appends PageFile "=" Title for this node and then its descendants, depth first, a node before
  // its children, children in order.
  void ListNodes(std::vector<std::string> &out) const;
  // Calls visit(node) for this node and its descendants in the order of ListNodes.
  template <typename F> void VisitNodes(F &&visit) const {
    std::vector<const THelpNode *> pending{this};
    while (!pending.empty()) {
      const THelpNode *node = pending.back();
      pending.pop_back();
      visit(*node);
      for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
        if (*it) pending.push_back(it->get());
    }
  }
};

// Builds the tree whose opening line is at or after position and leaves position after the line
// that closed it (or at the end). Null when a closing line comes before any opening line, or when
// no opening line follows. A page child whose file name (after the last "/" or "\") begins with "@"
// is merged into its parent: its file, title and keywords replace the parent's and it is dropped
// with everything below it.
// Opening lines nested deeper than this end the parse with an error.
inline constexpr std::size_t kMaxHelpTreeDepth = 256;
// A tree nested deeper than kMaxHelpTreeDepth gives null and, with error given, a message naming
// the line (1-based); position is then after that line. error is left empty otherwise.
std::unique_ptr<THelpNode> ParseHelpTree(std::span<const std::string_view> lines, std::size_t &position,
                                         std::string *error = nullptr);

// Splits a text into lines at CR LF, LF or CR; nothing is trimmed. The views point into text.
std::vector<std::string_view> SplitHelpLines(std::string_view text);

} // namespace vt
