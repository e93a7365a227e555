#pragma once
// The steps that reduce a form text to the lines the tree parser needs.
#include <string>
#include <vector>

namespace vt {

// Joins a multi-line binary property into one line (its opening and closing line). A property
// whose braces open and close on the same line is complete and opens no block.
std::vector<std::string> CollapseBinaryBlocks(const std::vector<std::string> &lines);
// Removes leading and trailing spaces and control characters from every line.
std::vector<std::string> TrimLines(const std::vector<std::string> &lines);
// Keeps object headers, "end" lines, layout and translatable properties; joins continued string
// values onto their property line; drops collections, font defaults and separators.
std::vector<std::string> FilterFormText(const std::vector<std::string> &lines);

} // namespace vt
