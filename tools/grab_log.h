#pragma once
// The progress log of the administrator window: tab-separated lines, the last of which a step may
// extend.
#include <functional>
#include <string>
#include <vector>

namespace vt {

class TGrabLog {
public:
  void Clear() {
    FLines.clear();
    Changed();
  }
  void Add(std::string line) {
    FLines.push_back(std::move(line));
    Changed();
  }
  // Replaces every line at once, with one change.
  void Assign(std::vector<std::string> lines) {
    FLines = std::move(lines);
    Changed();
  }
  void AppendToLast(const std::string &text) {
    if (FLines.empty()) FLines.emplace_back();
    FLines.back() += text;
    Changed();
  }
  const std::vector<std::string> &Lines() const noexcept { return FLines; }
  std::function<void()> OnChange;

private:
  void Changed() {
    if (OnChange) OnChange();
  }
  std::vector<std::string> FLines;
};

} // namespace vt
