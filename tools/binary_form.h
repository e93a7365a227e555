#pragma once
// Conversion of a binary form ("TPF0" followed by one object in the component stream format) to
// form text: two spaces of indentation per level, CR LF line ends, 8-bit characters.
#include <string>
#include <string_view>

namespace vt {

inline constexpr std::string_view kFormSignature = "TPF0";

// Limits that keep hostile input from exhausting the stack or memory.
inline constexpr int kMaxFormDepth = 64;
inline constexpr std::size_t kMaxFormTextSize = std::size_t{256} << 20;

struct TBinaryFormRoot {
  std::string ClassName;
  std::string ObjectName;
  // The root object's ContentName property when it holds a string (wide texts as UTF-8).
  std::string ContentName;
};

bool HasFormSignature(std::string_view data);

// Throws EGrabError: "Error reading <object>.<property>: <type code>" for an unknown value type,
// or a message of the same shape for truncated or too deeply nested data.
std::string ConvertBinaryForm(std::string_view data, TBinaryFormRoot *root = nullptr);

// Text pieces of the conversion, exposed for the tests and the skin loader.
std::string FormatFormFloat(double value);
std::string FormatExtended(const unsigned char bytes[10]);

} // namespace vt
