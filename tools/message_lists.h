#pragma once
// Lists made from the marked messages of an executable: numbered, distinct, and as the "Messages"
// section of an ini text.
#include <string>
#include <vector>

namespace vt {

// The file name of path without folder and without its last extension ("Setup.v2.exe" -> "Setup.v2").
std::string ExeBaseName(const std::string &path);
// number TAB text for every text, numbered from 0.
std::vector<std::string> NumberedMessages(const std::vector<std::string> &texts);
// The texts once each, in the order of their first occurrence.
std::vector<std::string> DistinctMessages(const std::vector<std::string> &texts);
// "[Messages]", then for each distinct text with index i from 0: base name and i as "%s%.3d_",
// ".msg=" and the text ("Setup000_.msg=...").
std::vector<std::string> MessageIniLines(const std::string &exePath, const std::vector<std::string> &texts);

} // namespace vt
