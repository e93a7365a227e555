#pragma once
// The object tree of a form text: one TDfmObj per object header, its property lines and children.
#include <memory>
#include <string>
#include <vector>

namespace vt {

inline constexpr int kMaxFormTextDepth = 256;

struct TDfmObj {
  std::string ObjName;
  std::string ObjClass;
  std::vector<std::string> Props;
  std::vector<std::unique_ptr<TDfmObj>> Children;
  TDfmObj *Parent = nullptr;
};

// Builds the tree of filtered, trimmed form-text lines under a pseudo-root "Root"; when the
// pseudo-root ends with exactly one child, that child is the root. Headers starting with
// "inherited" or "inline" count as "object". Throws EGrabAssertion (message: the line) for an
// unnamed header, EGrabError when objects nest deeper than kMaxFormTextDepth.
std::unique_ptr<TDfmObj> ParseFormTree(const std::vector<std::string> &lines);

// Calls visit(obj) for obj and every descendant, parents before children.
template <typename F> void VisitObjects(TDfmObj &obj, F &&visit) {
  visit(obj);
  for (auto &child : obj.Children) VisitObjects(*child, visit);
}

} // namespace vt
