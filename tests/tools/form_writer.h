#pragma once
// A small writer of binary forms for the tests: objects, properties and values are appended in
// stream order; the caller closes each list with EndList().
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace vt::test {

class TFormWriter {
public:
  TFormWriter() { FOut = "TPF0"; }
  const std::string &Bytes() const { return FOut; }

  // flags: 1 inherited, 2 child position, 4 inline.
  TFormWriter &Object(std::string_view cls, std::string_view name, int flags = 0, int position = 0) {
    if (flags) {
      Byte(static_cast<std::uint8_t>(0xF0 | flags));
      if (flags & 2) Int(position);
    }
    return Short(cls).Short(name);
  }
  TFormWriter &EndList() { return Byte(0); }
  TFormWriter &Prop(std::string_view name) { return Short(name); }

  TFormWriter &Null() { return Byte(0); }
  TFormWriter &List() { return Byte(1); }
  TFormWriter &Int(std::int64_t v) {
    if (v >= -128 && v <= 127) return Byte(2).Le(static_cast<std::uint8_t>(v), 1);
    if (v >= -32768 && v <= 32767) return Byte(3).Le(static_cast<std::uint16_t>(v), 2);
    if (v >= INT32_MIN && v <= INT32_MAX) return Byte(4).Le(static_cast<std::uint32_t>(v), 4);
    return Byte(19).Le(static_cast<std::uint64_t>(v), 8);
  }
  TFormWriter &Int64(std::int64_t v) { return Byte(19).Le(static_cast<std::uint64_t>(v), 8); }
  TFormWriter &Extended(double v) {
    Byte(5);
    int e = 0;
    const double m = std::frexp(std::fabs(v), &e);
    std::uint64_t mantissa = v == 0 ? 0 : static_cast<std::uint64_t>(std::ldexp(m, 64));
    unsigned se = v == 0 ? 0 : static_cast<unsigned>(e - 1 + 16383);
    if (std::signbit(v)) se |= 0x8000;
    Le(mantissa, 8);
    return Le(se, 2);
  }
  TFormWriter &Str(std::string_view s) {
    if (s.size() < 256) return Byte(6).Byte(static_cast<std::uint8_t>(s.size())).Raw(s);
    return Byte(12).Le(s.size(), 4).Raw(s);
  }
  TFormWriter &LStr(std::string_view s) { return Byte(12).Le(s.size(), 4).Raw(s); }
  TFormWriter &Ident(std::string_view s) { return Byte(7).Short(s); }
  TFormWriter &Bool(bool b) { return Byte(b ? 9 : 8); }
  TFormWriter &Binary(std::string_view data) { return Byte(10).Le(data.size(), 4).Raw(data); }
  TFormWriter &Set(std::initializer_list<std::string_view> names) {
    Byte(11);
    for (auto n : names) Short(n);
    return Byte(0);
  }
  TFormWriter &Nil() { return Byte(13); }
  TFormWriter &Collection() { return Byte(14); }
  // One collection item; close its properties with EndList().
  TFormWriter &Item(std::optional<int> index = std::nullopt) {
    if (index) Int(*index);
    return Byte(1);
  }
  TFormWriter &Single(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return Byte(15).Le(bits, 4);
  }
  TFormWriter &Currency(std::int64_t scaled) { return Byte(16).Le(static_cast<std::uint64_t>(scaled), 8); }
  TFormWriter &Date(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, 8);
    return Byte(17).Le(bits, 8);
  }
  TFormWriter &WStr(std::u16string_view s) {
    Byte(18).Le(s.size(), 4);
    for (char16_t c : s) Le(c, 2);
    return *this;
  }
  TFormWriter &Utf8(std::string_view s) { return Byte(20).Le(s.size(), 4).Raw(s); }
  TFormWriter &TypeByte(std::uint8_t t) { return Byte(t); }

  TFormWriter &Byte(std::uint8_t b) {
    FOut += static_cast<char>(b);
    return *this;
  }
  TFormWriter &Raw(std::string_view s) {
    FOut += s;
    return *this;
  }
  TFormWriter &Short(std::string_view s) { return Byte(static_cast<std::uint8_t>(s.size())).Raw(s); }
  TFormWriter &Le(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) FOut += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }

private:
  std::string FOut;
};

} // namespace vt::test
