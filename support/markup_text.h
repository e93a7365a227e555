#pragma once
// Text placed into markup (XML or HTML) as character data.
#include <string>
#include <string_view>

namespace vt {

// Appends text to out with "&", "<" and ">" as character references; with quotes, '"' as "&quot;"
// too (for text inside a double-quoted attribute value). Everything else is copied byte for byte.
void AppendMarkupText(std::string &out, std::string_view text, bool quotes = false);

} // namespace vt
