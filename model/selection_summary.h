#pragma once
// The main list's summary line in the status bar: section, entry count and the share of entries
// with a stored translation ("TID_Form1 ,  40  ,  27.5%"), or "(Empty)" for an empty list.
#include <cstddef>
#include <string>
#include <string_view>

namespace vt {

std::string SelectionSummary(std::string_view section, std::size_t count, std::size_t translated);

} // namespace vt
