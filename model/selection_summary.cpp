#include "selection_summary.h"

namespace vt {

std::string SelectionSummary(std::string_view section, std::size_t count, std::size_t translated) {
  std::string out(section);
  out += " ,  ";
  if (count == 0) return out + "(Empty)";
  // Tenths of a percent, rounded half away from zero, in integers so every platform prints the same.
  const unsigned long long tenths =
      (static_cast<unsigned long long>(translated) * 2000ull + count) / (2ull * count);
  out += std::to_string(count);
  out += "  ,  ";
  out += std::to_string(tenths / 10);
  out += '.';
  out += static_cast<char>('0' + tenths % 10);
  out += '%';
  return out;
}

} // namespace vt
