#include "dfm_obj.h"

#include "error.h"

namespace vt {
namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// "TPanel [3]": the child position of inherited forms is not part of the class name.
std::string StripChildPosition(std::string cls) {
  if (!cls.empty() && cls.back() == ']') {
    const auto open = cls.rfind(" [");
    if (open != std::string::npos) cls.erase(open);
  }
  return cls;
}

} // namespace

std::unique_ptr<TDfmObj> ParseFormTree(const std::vector<std::string> &lines) {
  auto root = std::make_unique<TDfmObj>();
  root->ObjName = "Root";
  TDfmObj *current = root.get();
  int depth = 0;
  for (const std::string &raw : lines) {
    std::string line = raw;
    if (StartsWith(line, "inherited"))
      line.replace(0, 9, "object");
    else if (StartsWith(line, "inline"))
      line.replace(0, 6, "object");
    if (StartsWith(line, "object ")) {
      const std::string_view header = std::string_view(line).substr(7);
      const auto colon = header.find(": ");
      if (colon == std::string_view::npos || colon == 0 || colon + 2 >= header.size())
        throw EGrabAssertion(raw);
      if (++depth > kMaxFormTextDepth) throw EGrabError("Form text nested too deep: " + raw);
      auto obj = std::make_unique<TDfmObj>();
      obj->ObjName = std::string(header.substr(0, colon));
      obj->ObjClass = StripChildPosition(std::string(header.substr(colon + 2)));
      obj->Parent = current;
      current->Children.push_back(std::move(obj));
      current = current->Children.back().get();
    } else if (line == "end") {
      // An "end" without an open object (unbalanced text) is passed over.
      if (current->Parent) {
        current = current->Parent;
        --depth;
      }
    } else {
      current->Props.push_back(line);
    }
  }
  if (root->Children.size() == 1) {
    std::unique_ptr<TDfmObj> only = std::move(root->Children.front());
    only->Parent = nullptr;
    return only;
  }
  return root;
}

} // namespace vt
