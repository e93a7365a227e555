#include "mt/url_text.h"

namespace vt {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

bool CannotStandInUrl(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return true;
  switch (c) {
  case '"':
  case '\'':
  case '#':
  case '<':
  case '>':
  case '\\':
  case '^':
  case '`':
  case '{':
  case '|':
  case '}':
    return true;
  default:
    return false;
  }
}

void AppendEscaped(std::string &out, unsigned char c) {
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 0x0F];
}

bool StartsPercentSequence(std::string_view s, size_t i) {
  return i + 2 < s.size() && s[i] == '%' && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0;
}

} // namespace

std::string EncodeUrlText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c)) {
      out += ch;
    } else {
      AppendEscaped(out, c);
    }
  }
  return out;
}

std::string EscapeUnsafeUrlBytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '%') {
      if (StartsPercentSequence(bytes, i)) {
        out += '%';
      } else {
        AppendEscaped(out, c);
      }
    } else if (CannotStandInUrl(c)) {
      AppendEscaped(out, c);
    } else {
      out += bytes[i];
    }
  }
  return out;
}

std::string PercentDecode(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (StartsPercentSequence(bytes, i)) {
      out += static_cast<char>(HexValue(bytes[i + 1]) * 16 + HexValue(bytes[i + 2]));
      i += 2;
    } else {
      out += bytes[i];
    }
  }
  return out;
}

} // namespace vt
