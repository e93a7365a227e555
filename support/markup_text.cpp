#include "support/markup_text.h"

namespace vt {

void AppendMarkupText(std::string &out, std::string_view text, bool quotes) {
  for (const char c : text) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      if (quotes)
        out += "&quot;";
      else
        out += c;
      break;
    default:
      out += c;
    }
  }
}

} // namespace vt
