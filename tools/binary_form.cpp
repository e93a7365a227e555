#include "binary_form.h"

#include "error.h"
#include "support/byte_reader.h"
#include "support/text_codec.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <vector>

namespace vt {
namespace {

enum TValueType : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
};

constexpr std::size_t kCharsPerLine = 64;
constexpr std::size_t kBinaryBytesPerLine = 32;

class TConverter {
public:
  TConverter(std::string_view data, TBinaryFormRoot *root) : FIn(data), FRoot(root) {}

  std::string Run() {
    auto sig = FIn.Chars(4);
    if (!sig || *sig != kFormSignature)
      throw EGrabError("Invalid form resource: the TPF0 signature is missing");
    ConvertObject(0);
    return std::move(FOut);
  }

private:
  [[noreturn]] void Fail(const std::string &why) const {
    throw EGrabError("Error reading " + FObject + "." + FProperty + ": " + why);
  }
  [[noreturn]] void Truncated() const { Fail("unexpected end of data"); }

  std::uint8_t U8() {
    auto v = FIn.U8();
    if (!v) Truncated();
    return *v;
  }
  template <typename T> T Read() {
    std::uint64_t v = 0;
    auto b = FIn.Bytes(sizeof(T));
    if (!b) Truncated();
    for (std::size_t i = 0; i < sizeof(T); ++i)
      v |= std::uint64_t{static_cast<std::uint8_t>((*b)[i])} << (8 * i);
    T out;
    std::memcpy(&out, &v, sizeof(T));
    return out;
  }
  std::string_view Chars(std::uint64_t n) {
    auto s = FIn.Chars(n);
    if (!s) Truncated();
    return *s;
  }
  std::string_view ShortString() { return Chars(U8()); }
  // A zero byte ends lists of properties, children, items and set names.
  bool EndOfList() {
    auto b = FIn.PeekU8();
    if (!b) Truncated();
    if (*b != 0) return false;
    FIn.Skip(1);
    return true;
  }

  void Put(std::string_view s) {
    if (FOut.size() + s.size() > kMaxFormTextSize) Fail("form text too large");
    FOut += s;
  }
  void Indent(int level) { Put(std::string(static_cast<std::size_t>(2 * level), ' ')); }
  void NewLine(int level) {
    Put("\r\n");
    Indent(level);
  }

  struct TDepth {
    explicit TDepth(TConverter &c) : Conv(c) {
      if (++Conv.FDepth > kMaxFormDepth) Conv.Fail("nesting too deep");
    }
    ~TDepth() { --Conv.FDepth; }
    TConverter &Conv;
  };

  void ConvertObject(int level) {
    TDepth depth(*this);
    std::uint8_t flags = 0;
    std::string position;
    auto prefix = FIn.PeekU8();
    if (!prefix) Truncated();
    if ((*prefix & 0xF0) == 0xF0) {
      flags = *prefix & 0x0F;
      FIn.Skip(1);
      if (flags & 2) position = IntegerText(U8() & 0x7F);
    }
    const std::string className(ShortString());
    const std::string objectName(ShortString());
    if (level == 0 && FRoot) {
      FRoot->ClassName = className;
      FRoot->ObjectName = objectName;
    }
    FObject = objectName;
    FProperty.clear();
    Indent(level);
    Put((flags & 1) ? "inherited " : (flags & 4) ? "inline " : "object ");
    if (!objectName.empty()) {
      Put(objectName);
      Put(": ");
    }
    Put(className);
    if (flags & 2) {
      Put(" [");
      Put(position);
      Put("]");
    }
    Put("\r\n");
    while (!EndOfList()) ConvertProperty(level + 1, level == 0);
    while (!EndOfList()) {
      ConvertObject(level + 1);
      FObject = objectName;
    }
    Indent(level);
    Put("end\r\n");
  }

  void ConvertProperty(int level, bool ofRoot) {
    FProperty = std::string(ShortString());
    Indent(level);
    Put(FProperty);
    Put(" = ");
    const bool content = ofRoot && FRoot && FProperty == "ContentName";
    ConvertValue(level, false, content ? &FRoot->ContentName : nullptr);
    Put("\r\n");
  }

  std::string IntegerText(std::uint8_t type) {
    switch (type) {
    case vaInt8:
      return std::to_string(Read<std::int8_t>());
    case vaInt16:
      return std::to_string(Read<std::int16_t>());
    case vaInt32:
      return std::to_string(Read<std::int32_t>());
    case vaInt64:
      return std::to_string(Read<std::int64_t>());
    default:
      Fail(std::to_string(type));
    }
  }

  // level: the level of the line the value stands on; atLineStart: the value begins its own line
  // (a list item), so a long literal needs no extra line break in front.
  void ConvertValue(int level, bool atLineStart, std::string *stringOut = nullptr) {
    const std::uint8_t type = U8() & 0x7F;
    switch (type) {
    case vaNull:
      Put("Null");
      break;
    case vaList: {
      TDepth depth(*this);
      Put("(");
      while (!EndOfList()) {
        NewLine(level + 1);
        ConvertValue(level + 1, true);
      }
      Put(")");
      break;
    }
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      Put(IntegerText(type));
      break;
    case vaExtended: {
      auto b = FIn.Bytes(10);
      if (!b) Truncated();
      Put(FormatExtended(reinterpret_cast<const unsigned char *>(b->data())));
      break;
    }
    case vaString:
    case vaLString: {
      const std::uint64_t len = type == vaString ? U8() : Read<std::uint32_t>();
      const std::string_view s = Chars(len);
      if (stringOut) *stringOut = std::string(s);
      WriteLiteral(s, level, atLineStart);
      break;
    }
    case vaIdent:
      Put(ShortString());
      break;
    case vaFalse:
      Put("False");
      break;
    case vaTrue:
      Put("True");
      break;
    case vaBinary:
      WriteBinary(Chars(Read<std::uint32_t>()), level);
      break;
    case vaSet: {
      Put("[");
      bool first = true;
      for (;;) {
        const std::string_view name = ShortString();
        if (name.empty()) break;
        if (!first) Put(", ");
        Put(name);
        first = false;
      }
      Put("]");
      break;
    }
    case vaNil:
      Put("nil");
      break;
    case vaCollection:
      ConvertCollection(level);
      break;
    case vaSingle:
      Put(FormatFormFloat(Read<float>()));
      Put("s");
      break;
    case vaCurrency:
      Put(CurrencyText(Read<std::int64_t>()));
      Put("c");
      break;
    case vaDate:
      Put(FormatFormFloat(Read<double>()));
      Put("d");
      break;
    case vaWString: {
      const std::uint64_t count = Read<std::uint32_t>();
      if (count > FIn.Remaining() / 2) Truncated();
      std::u16string w(static_cast<std::size_t>(count), u'\0');
      for (char16_t &c : w) c = Read<std::uint16_t>();
      if (stringOut) *stringOut = Utf16ToUtf8(w);
      WriteWideLiteral(w, level, atLineStart);
      break;
    }
    case vaUTF8String: {
      const std::string_view s = Chars(Read<std::uint32_t>());
      if (stringOut) *stringOut = std::string(s);
      WriteWideLiteral(Utf8ToUtf16Replacing(s), level, atLineStart);
      break;
    }
    default:
      Fail(std::to_string(type));
    }
  }

  void ConvertCollection(int level) {
    TDepth depth(*this);
    Put("<");
    while (!EndOfList()) {
      NewLine(level + 1);
      Put("item");
      auto next = FIn.PeekU8();
      if (!next) Truncated();
      const std::uint8_t t = *next & 0x7F;
      if (t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64) {
        FIn.Skip(1);
        Put(" [");
        Put(IntegerText(t));
        Put("]");
      }
      if ((U8() & 0x7F) != vaList) Fail("collection item expected");
      Put("\r\n");
      const std::string property = FProperty;
      while (!EndOfList()) ConvertProperty(level + 2, false);
      FProperty = property;
      Indent(level + 1);
      Put("end");
    }
    Put(">");
  }

  void WriteBinary(std::string_view data, int level) {
    static const char kHex[] = "0123456789ABCDEF";
    Put("{");
    const bool multiLine = data.size() >= kBinaryBytesPerLine;
    std::string line;
    for (std::size_t i = 0; i < data.size(); i += kBinaryBytesPerLine) {
      line.clear();
      for (std::size_t k = i; k < std::min(data.size(), i + kBinaryBytesPerLine); ++k) {
        const auto c = static_cast<unsigned char>(data[k]);
        line += kHex[c >> 4];
        line += kHex[c & 15];
      }
      if (multiLine) NewLine(level + 1);
      Put(line);
    }
    Put("}");
  }

  // Break positions of a string: after every 64 characters while more follow, moved back so that
  // a multi-byte character stays whole.
  static std::vector<std::size_t> Breaks8(std::string_view s) {
    std::vector<std::size_t> out;
    std::size_t pos = 0;
    while (s.size() - pos > kCharsPerLine) {
      std::size_t b = pos + kCharsPerLine;
      std::size_t j = b;
      while (j > pos + 1 && j + 3 > b && IsUtf8Continuation(static_cast<unsigned char>(s[j]))) --j;
      if (j < b && IsUtf8Lead(static_cast<unsigned char>(s[j]))) b = j;
      out.push_back(b);
      pos = b;
    }
    return out;
  }

  template <typename Str, typename IsCode>
  void WriteRuns(const Str &s, const std::vector<std::size_t> &breaks, int level, IsCode isCode) {
    bool quoted = false;
    std::size_t nextBreak = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (nextBreak < breaks.size() && breaks[nextBreak] == i) {
        ++nextBreak;
        if (quoted) Put("'");
        quoted = false;
        Put(" +");
        NewLine(level + 1);
      }
      const auto c =
          static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<typename Str::value_type>>(s[i]));
      if (isCode(c)) {
        if (quoted) Put("'");
        quoted = false;
        Put("#");
        Put(std::to_string(c));
      } else {
        if (!quoted) Put("'");
        quoted = true;
        FOut += static_cast<char>(c);
      }
    }
    if (quoted) Put("'");
  }

  void WriteLiteral(std::string_view s, int level, bool atLineStart) {
    if (s.empty()) return Put("''");
    if (s.size() > kCharsPerLine && !atLineStart) NewLine(level + 1);
    WriteRuns(s, Breaks8(s), level, [](std::uint32_t c) { return c < 32 || c == '\''; });
  }

  void WriteWideLiteral(std::u16string_view s, int level, bool atLineStart) {
    if (s.empty()) return Put("''");
    if (s.size() > kCharsPerLine && !atLineStart) NewLine(level + 1);
    std::vector<std::size_t> breaks;
    for (std::size_t b = kCharsPerLine; b < s.size(); b += kCharsPerLine) breaks.push_back(b);
    WriteRuns(s, breaks, level, [](std::uint32_t c) { return c < 32 || c == '\'' || c > 127; });
  }

  static std::string CurrencyText(std::int64_t scaled) {
    // Exact: the value is a count of ten-thousandths.
    const bool negative = scaled < 0;
    const std::uint64_t mag =
        negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::string out = (negative ? "-" : "") + std::to_string(mag / 10000);
    std::string frac = std::to_string(mag % 10000);
    frac.insert(0, 4 - frac.size(), '0');
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    if (!frac.empty()) out += "." + frac;
    return out;
  }

  TByteReader FIn;
  TBinaryFormRoot *FRoot;
  std::string FOut;
  std::string FObject, FProperty;
  int FDepth = 0;
};

} // namespace

bool HasFormSignature(std::string_view data) {
  return data.substr(0, 4) == kFormSignature;
}

std::string FormatFormFloat(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  // Formatted by hand from %g so that no locale setting can change the separator.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  std::string s(buf);
  for (char &c : s)
    if (c == ',') c = '.';
  const auto e = s.find('e');
  if (e == std::string::npos) return s;
  std::string mantissa = s.substr(0, e);
  std::string exponent = s.substr(e + 1);
  const bool negative = !exponent.empty() && exponent[0] == '-';
  if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) exponent.erase(0, 1);
  while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
  return mantissa + "E" + (negative ? "-" : "") + exponent;
}

std::string FormatExtended(const unsigned char bytes[10]) {
  std::uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[i];
  const unsigned se = bytes[8] | (unsigned{bytes[9]} << 8);
  const bool negative = (se & 0x8000) != 0;
  const int exponent = static_cast<int>(se & 0x7FFF);
  double v;
  if (exponent == 0x7FFF) {
    v = (mantissa << 1) == 0 ? INFINITY : NAN;
  } else {
    v = std::ldexp(static_cast<double>(mantissa), std::max(exponent, 1) - 16383 - 63);
  }
  return FormatFormFloat(negative ? -v : v);
}

std::string ConvertBinaryForm(std::string_view data, TBinaryFormRoot *root) {
  return TConverter(data, root).Run();
}

} // namespace vt
