#pragma once
// The black list of form resources that extraction leaves out, and the ini merge of the black-list
// page.
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// The names of a black list text: its lines (CR LF, LF or CR) without leading and trailing spaces
// and control bytes, empty lines left out, in file order.
std::vector<std::string> BlackListNames(std::string_view text);

// The names once each: of names equal without regard to (ASCII) case the first is kept. Sorted by
// their ASCII lower-case form, so "abc" and "ABD" keep their alphabetical order whatever their case.
std::vector<std::string> DistinctSortedNames(std::string_view text);

// Reads both texts as ini files and writes every non-empty value of source into target under the
// same section and key (an existing key is replaced where it stands); the merged target text.
std::string MergeIniValues(std::string_view targetText, std::string_view sourceText);

} // namespace vt
