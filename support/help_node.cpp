#include "help_node.h"

#include <utility>

namespace vt {
namespace {

enum class TLineKind { Other, Open, Close, PageFile, Title, Keywords, Mark };

TLineKind Classify(std::string_view line) {
  if (line.empty()) return TLineKind::Other;
  switch (line[0]) {
  case '[':
  case '<':
    return TLineKind::Open;
  case ']':
  case '>':
    return TLineKind::Close;
  default:
    break;
  }
  // Key lines need a value of at least one byte.
  if (line.size() < 3 || line[1] != '=') return TLineKind::Other;
  switch (line[0]) {
  case 'D':
  case 'F':
    return TLineKind::PageFile;
  case 'T':
    return TLineKind::Title;
  case 'K':
    return TLineKind::Keywords;
  case 'X':
    return TLineKind::Mark;
  default:
    return TLineKind::Other;
  }
}

bool IsCoverPage(const THelpNode &node) {
  if (!node.IsPage) return false;
  const std::string_view file = node.PageFile;
  const auto sep = file.find_last_of("/\\");
  const std::string_view name = sep == std::string_view::npos ? file : file.substr(sep + 1);
  return !name.empty() && name.front() == '@';
}

// A finished child joins its parent, or, as a cover page, gives the parent its file and title.
void Attach(THelpNode &parent, std::unique_ptr<THelpNode> child) {
  if (IsCoverPage(*child)) {
    parent.PageFile = std::move(child->PageFile);
    parent.Title = std::move(child->Title);
    parent.Keywords = std::move(child->Keywords);
    return; // child and its subtree are freed here
  }
  parent.AddChild(std::move(child));
}

} // namespace

THelpNode::~THelpNode() {
  // Walks down to a leaf along the last children and frees it, so the stack never grows with the
  // depth of the tree. Nodes still holding children wait in chain, innermost last.
  std::vector<std::unique_ptr<THelpNode>> chain;
  THelpNode *current = this;
  for (;;) {
    if (!current->Children.empty()) {
      std::unique_ptr<THelpNode> last = std::move(current->Children.back());
      current->Children.pop_back();
      if (last && !last->Children.empty()) {
        chain.push_back(std::move(last));
        current = chain.back().get();
      }
      continue; // a leaf was freed as `last` went out of scope
    }
    if (chain.empty()) break;
    chain.pop_back(); // now childless
    current = chain.empty() ? this : chain.back().get();
  }
}

THelpNode *THelpNode::AddChild(std::unique_ptr<THelpNode> child) {
  if (!child) return nullptr;
  if (child.get() == this) {
    (void)child.release();
    return nullptr;
  }
  child->Parent = this;
  Children.push_back(std::move(child));
  return Children.back().get();
}

THelpNode *THelpNode::Child(std::size_t index) const noexcept {
  return index < Children.size() ? Children[index].get() : nullptr;
}

void THelpNode::ListNodes(std::vector<std::string> &out) const {
  VisitNodes([&out](const THelpNode &node) { out.push_back(node.PageFile + "=" + node.Title); });
}

std::unique_ptr<THelpNode> ParseHelpTree(std::span<const std::string_view> lines, std::size_t &position,
                                         std::string *error) {
  if (error) error->clear();
  // open holds the root and the nodes opened inside it that are not closed yet, innermost last.
  std::vector<std::unique_ptr<THelpNode>> open;
  while (position < lines.size()) {
    const std::string_view line = lines[position++];
    const TLineKind kind = Classify(line);
    if (kind == TLineKind::Open) {
      if (open.size() >= kMaxHelpTreeDepth) {
        if (error)
          *error = "Manual tree nested deeper than " + std::to_string(kMaxHelpTreeDepth) +
                   " levels at line " + std::to_string(position);
        return nullptr;
      }
      open.push_back(std::make_unique<THelpNode>(line[0] == '<'));
      continue;
    }
    if (kind == TLineKind::Close) {
      if (open.empty()) return nullptr;
      std::unique_ptr<THelpNode> done = std::move(open.back());
      open.pop_back();
      if (open.empty()) return done;
      Attach(*open.back(), std::move(done));
      continue;
    }
    if (open.empty() || kind == TLineKind::Other) continue;
    THelpNode &node = *open.back();
    const std::string_view value = line.substr(2);
    switch (kind) {
    case TLineKind::PageFile:
      node.PageFile.assign(value);
      break;
    case TLineKind::Title:
      node.Title.assign(value);
      break;
    case TLineKind::Keywords:
      node.Keywords.assign(value);
      break;
    case TLineKind::Mark:
      node.Marked = true;
      break;
    default:
      break;
    }
  }
  // The lines ran out: the open nodes end as far as they were built.
  while (open.size() > 1) {
    std::unique_ptr<THelpNode> done = std::move(open.back());
    open.pop_back();
    Attach(*open.back(), std::move(done));
  }
  return open.empty() ? nullptr : std::move(open.front());
}

std::vector<std::string_view> SplitHelpLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

} // namespace vt
