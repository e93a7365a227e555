#pragma once
// The manual's page titles as translatable entries: the tree of a manual tree file flattened into
// the lines of the raw data section "Help_Tree".
#include "grab_log.h"
#include "support/help_node.h"

#include <memory>
#include <string>
#include <vector>

namespace vt {

inline constexpr const char *kHelpTreeSection = "Help_Tree";
inline constexpr const char *kManualTreeFile = "manualtree.txt";
// Manual tree files larger than this are refused.
inline constexpr std::size_t kMaxManualTreeBytes = std::size_t{256} << 20;

// Parses the first tree of the file; null when it holds none. False with a message when the file
// cannot be read or nests too deep.
bool ReadHelpTree(const std::string &path, std::unique_ptr<THelpNode> &root, std::string *error = nullptr);

// "[Help_Tree]", then file "=" title for every node, a node before its children. Titles are written
// in the stored form of the raw data file (read as UTF-8, else Windows-1252), so that a backslash
// in a title stays a backslash.
std::vector<std::string> HelpTreeLines(const THelpNode &root);

// Replaces the section "Help_Tree" of the raw data file with the lines (those with a file and a
// title), logging "Writing HelpTree\t" + path and "Done". Without a path it logs
// "Error: no DstFile selected" and writes nothing. False with a message ("Unable to Open File" or
// "Unable to save file", the path and the reason) when the file cannot be read or saved; it is then
// left as it was.
bool WriteHelpTree(const std::string &rawPath, const std::vector<std::string> &lines, TGrabLog &log,
                   std::string *error = nullptr);

} // namespace vt
