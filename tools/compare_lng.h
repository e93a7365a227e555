#pragma once
// "Compare kxLng files": the values of two translation (or source) files that differ.
#include <string>
#include <vector>

namespace vt {

class TIniFile;

// pathA, pathB and an empty line; then for each section S of A in file order (a name repeated in A
// is compared once) and each key K of B's section S: when the values differ (exact bytes), "[S]"
// before the section's first difference and K TAB A's value TAB B's value. Keys only in A and
// sections only in B are not reported.
std::vector<std::string> CompareLngFiles(const TIniFile &a, const TIniFile &b, const std::string &pathA,
                                         const std::string &pathB);

// Reads both files and compares them; false, with the path of the file that could not be read,
// when one cannot be read.
bool CompareLngFiles(const std::string &pathA, const std::string &pathB, std::vector<std::string> &lines,
                     std::string *failedPath = nullptr);

} // namespace vt
