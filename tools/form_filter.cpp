#include "form_filter.h"

#include <span>
#include <string_view>

namespace vt {
namespace {

using TPrefixes = std::span<const std::string_view>;

// "inline " is kept beside "object " and "inherited " so that the "end" of an inline frame has its
// header and the nesting balances.
constexpr std::string_view kKeep[] = {"object ",
                                      "inherited ",
                                      "inline ",
                                      "AutoSize = ",
                                      "Cursor =",
                                      "DefWidth =",
                                      "end",
                                      "Font.Height =",
                                      "Font.Style =",
                                      "Gap = 4",
                                      "Height =",
                                      "Font.Name =",
                                      "IconGap =",
                                      "Layout =",
                                      "ShowHint =",
                                      "Tag =",
                                      "ToolIcon.Size =",
                                      "Width =",
                                      "WordWrap =",
                                      "Margin =",
                                      "ActionID =",
                                      "PropertyID =",
                                      "PropData.PID =",
                                      "Caption =",
                                      "Hint =",
                                      "ItemText =",
                                      "Items.Strings =",
                                      "Lines.Strings =",
                                      "Tabs.Strings = ",
                                      "Items.WideStrings =",
                                      "Lines.WideStrings =",
                                      "TextData.Caption =",
                                      "TextData.Hint =",
                                      "TextData.FullHint =",
                                      "ToolText.Caption =",
                                      "ToolText.FullHint =",
                                      "ToolText.Hint =",
                                      "'",
                                      "#"};

constexpr std::string_view kDrop[] = {
    "Font.Name = 'Trebuchet MS'", "Font.Style = []", "Font.Height = -11", "Gap = 4", "IconGap = 4",
    "ToolIcon.Size = 0",          "Caption = '-'"};

// A plain "Hint =" joins too: a hint longer than 64 characters starts its literal on the next line
// or continues it with " +", like any long caption.
constexpr std::string_view kJoinable[] = {"Caption =",           "Hint =",          "Items.Strings =",
                                          "Lines.Strings =",     "TextData.Hint =", "TextData.FullHint =",
                                          "TextData.Caption =",  "ItemText =",      "Items.WideStrings =",
                                          "Lines.WideStrings =", "Tabs.Strings = ", "ToolText.Caption =",
                                          "ToolText.FullHint =", "ToolText.Hint =", "Caption_UTF7 ="};

bool StartsWithAny(std::string_view line, TPrefixes prefixes) {
  for (std::string_view p : prefixes)
    if (line.substr(0, p.size()) == p) return true;
  return false;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool IsTrimmed(unsigned char c) {
  return c <= 32;
}

} // namespace

std::vector<std::string> CollapseBinaryBlocks(const std::vector<std::string> &lines) {
  std::vector<std::string> out;
  out.reserve(lines.size());
  bool inBlock = false;
  for (const std::string &line : lines) {
    if (inBlock) {
      if (line.find('}') == std::string::npos) continue;
      out.back() += line;
      inBlock = false;
      continue;
    }
    out.push_back(line);
    const auto open = line.find(" = {");
    if (open != std::string::npos && open > 0) inBlock = line.find('}', open) == std::string::npos;
  }
  return out;
}

std::vector<std::string> TrimLines(const std::vector<std::string> &lines) {
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (const std::string &line : lines) {
    std::size_t b = 0, e = line.size();
    while (b < e && IsTrimmed(static_cast<unsigned char>(line[b]))) ++b;
    while (e > b && IsTrimmed(static_cast<unsigned char>(line[e - 1]))) --e;
    out.push_back(line.substr(b, e - b));
  }
  return out;
}

std::vector<std::string> FilterFormText(const std::vector<std::string> &lines) {
  std::vector<std::string> out;
  int depth = 0;
  bool joining = false;
  for (const std::string &line : lines) {
    if (EndsWith(line, "= <")) {
      ++depth;
      continue;
    }
    if (EndsWith(line, "end>") && depth > 0) --depth;
    if (depth > 0) continue;
    if (!StartsWithAny(line, kKeep) || StartsWithAny(line, kDrop)) {
      joining = false;
      continue;
    }
    if ((line[0] == '\'' || line[0] == '#') && !out.empty()) {
      if (!joining) continue;
      std::string &last = out.back();
      if (EndsWith(last, "(") || EndsWith(last, "+"))
        last += " ";
      else if (!EndsWith(last, "="))
        last += " , ";
      last += line;
      continue;
    }
    out.push_back(line);
    joining = StartsWithAny(line, kJoinable);
  }
  return out;
}

} // namespace vt
