#include "form_section.h"

#include "form_filter.h"
#include "model/text_helpers.h"
#include "model/trans_man.h"
#include "support/ascii_case.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace vt {
namespace {

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool HasLine(const TDfmObj &obj, std::string_view line, bool ignoreCase) {
  for (const std::string &p : obj.Props)
    if (ignoreCase ? SameIgnoringAsciiCase(p, line) : p == line) return true;
  return false;
}

void CollectSection(const TDfmObj &obj, std::vector<std::string> &out) {
  if (obj.ObjClass == "TmmNumEdit") return;
  if (HasLine(obj, "Cursor = crNo", true)) return;
  if (!HasLine(obj, "Tag = -1", false)) {
    std::vector<std::string> entries = ObjectEntries(obj);
    if (!entries.empty()) {
      entries.insert(entries.begin(), obj.ObjName + "._CN=" + obj.ObjClass);
      for (std::string &e : MergeObjectHints(std::move(entries))) out.push_back(std::move(e));
      out.emplace_back();
    }
  }
  for (const auto &child : obj.Children) CollectSection(*child, out);
}

} // namespace

std::string_view KindOfProperty(std::string_view name) {
  static const std::pair<std::string_view, std::string_view> kKinds[] = {
      {"Caption", "VC"},           {"Hint", "VH"},
      {"ItemText", "IT"},          {"Items.Strings", "VI"},
      {"Items.WideStrings", "VI"}, {"Lines.Strings", "VT"},
      {"Lines.WideStrings", "VT"}, {"TextData.Caption", "TC"},
      {"TextData.Hint", "TH"},     {"TextData.FullHint", "TF"},
      {"ToolText.Caption", "TC"},  {"ToolText.Hint", "TH"},
      {"ToolText.FullHint", "TF"}, {"Tabs.Strings", "TS"},
      {"ActionID", "_AID"},        {"PropertyID", "_PID"},
      {"PropData.PID", "_PID"}};
  for (const auto &[prop, kind] : kKinds)
    if (prop == name) return kind;
  return {};
}

std::u16string DecodeLiteral(std::string_view value) {
  enum { Outside, Quoted, Code } state = Outside;
  std::u16string out;
  std::string run;
  std::uint32_t code = 0;
  bool digits = false;
  auto endCode = [&] {
    if (digits) {
      if (code < 256)
        out += Cp1252ToUtf16(std::string(1, static_cast<char>(code)));
      else
        out += static_cast<char16_t>(code <= 0xFFFF ? code : 0xFFFD);
    }
    code = 0;
    digits = false;
  };
  for (const char c : value) {
    switch (state) {
    case Outside:
      if (c == '#')
        state = Code;
      else if (c == '\'')
        state = Quoted;
      else if (c == ',')
        out += u'\r';
      break;
    case Quoted:
      if (c == '\'') {
        out += Cp1252ToUtf16(run);
        run.clear();
        state = Outside;
      } else {
        run += c;
      }
      break;
    case Code:
      if (c >= '0' && c <= '9') {
        // Saturates instead of overflowing; anything above 0xFFFF is out of range anyway.
        code = std::min<std::uint32_t>(code * 10 + static_cast<std::uint32_t>(c - '0'), 0x110000);
        digits = true;
      } else if (c == ' ') {
        endCode();
        state = Outside;
      } else if (c == '#') {
        endCode();
      } else if (c == '\'') {
        endCode();
        state = Quoted;
      }
      break;
    }
  }
  if (state == Code) endCode();
  if (state == Quoted) out += Cp1252ToUtf16(run);
  return out;
}

std::vector<std::string> ObjectEntries(const TDfmObj &obj) {
  std::vector<std::string> kinds, layout;
  bool hasWidth = false;
  for (const std::string &line : obj.Props) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view name = TrimControl(std::string_view(line).substr(0, eq));
    const std::string_view value = TrimControl(std::string_view(line).substr(eq + 1));
    if (name.empty() || value.empty()) continue;
    const std::string_view kind = KindOfProperty(name);
    if (kind == "_AID" || kind == "_PID") {
      kinds.push_back(obj.ObjName + "." + std::string(kind) + "=" + std::string(value));
    } else if (!kind.empty()) {
      kinds.push_back(obj.ObjName + "." + std::string(kind) + "=" +
                      TTransMan::EncodeText(DecodeLiteral(value)));
    } else {
      hasWidth = hasWidth || name == "Width";
      std::string suffix(name);
      if (const auto dot = suffix.find('.'); dot != std::string::npos) suffix.erase(dot, 1);
      layout.push_back(obj.ObjName + "._" + suffix + "=" + std::string(value));
    }
  }
  if (kinds.empty()) return {};
  if (hasWidth) kinds.insert(kinds.end(), layout.begin(), layout.end());
  return kinds;
}

std::vector<std::string> MergeObjectHints(std::vector<std::string> entries) {
  if (entries.empty()) return entries;
  std::string objName = entries.front().substr(0, entries.front().find('='));
  if (const auto dot = objName.rfind('.'); dot != std::string::npos) objName.erase(dot);
  std::string hint, fullHint;
  for (std::size_t i = entries.size(); i-- > 0;) {
    const auto eq = entries[i].find('=');
    const std::string_view name = std::string_view(entries[i]).substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : entries[i].substr(eq + 1);
    if (EndsWith(name, ".TH")) {
      hint = value;
      entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
    } else if (EndsWith(name, ".TF")) {
      fullHint = value;
      entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  if (!hint.empty() || !fullHint.empty())
    entries.push_back(objName + ".THF=" + hint + (fullHint.empty() ? "" : "|" + fullHint));
  return entries;
}

std::vector<std::string> BuildFormSection(const TDfmObj *root) {
  if (!root) return {};
  std::vector<std::string> out{"[" + root->ObjName + "]"};
  CollectSection(*root, out);
  return out;
}

void RemoveUnusedActions(TDfmObj &root, const std::vector<std::string> &used) {
  std::unordered_set<std::string> usedLower;
  for (const std::string &u : used) usedLower.insert(LowerAscii(u));
  for (std::size_t i = root.Children.size(); i-- > 0;) {
    std::string id;
    for (const std::string &p : root.Children[i]->Props) {
      const auto eq = p.find('=');
      if (eq != std::string::npos && std::string_view(p).substr(0, eq) == "ActionID ") {
        id = std::string(TrimControl(std::string_view(p).substr(eq + 1)));
        break;
      }
    }
    if (!id.empty() && !usedLower.count(LowerAscii(id)))
      root.Children.erase(root.Children.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

std::unique_ptr<TDfmObj> PrepareForm(const std::vector<std::string> &lines) {
  if (lines.empty()) return nullptr;
  return ParseFormTree(FilterFormText(TrimLines(CollapseBinaryBlocks(lines))));
}

} // namespace vt
