#include "form_text_reader.h"

#include "form_section.h" // DecodeLiteral
#include "support/ascii_case.h"
#include "support/file_io.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace vt {
namespace {

bool IsWordStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsWordChar(char c) {
  return IsWordStart(c) || (c >= '0' && c <= '9') || c == '.';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

struct TParseError {
  int Line;
  std::string Reason;
};

enum class TTokenKind { End, Word, Number, String, Symbol };

struct TToken {
  TTokenKind Kind = TTokenKind::End;
  std::string_view Text; // the source span (Word, Number, Symbol)
  std::string Literal;   // String: quoted runs and "#" codes, doubled apostrophes as #39
  bool Wide = false;     // String: a "#" code above 255
  int Line = 0;
};

class TFormTextParser {
public:
  TFormTextParser(std::string_view text, const TFormTextLimits &limits) : FText(text), FLimits(limits) {}

  std::unique_ptr<TFormObject> Run() {
    Next();
    if (FTok.Kind == TTokenKind::End) Fail("no object in the form text");
    if (!IsHeaderWord()) Fail("\"object\" expected");
    auto root = ParseObject(nullptr, 0);
    if (FTok.Kind != TTokenKind::End) Fail("text after the end of the root object");
    return root;
  }

private:
  [[noreturn]] void Fail(std::string reason) const { throw TParseError{FTok.Line, std::move(reason)}; }
  [[noreturn]] void FailAt(int line, std::string reason) const { throw TParseError{line, std::move(reason)}; }

  // ---------------------------------------------------------------- tokens

  void SkipSpace() {
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == '\n') {
        ++FLine;
      } else if (c == '\r') {
        if (FPos + 1 >= FText.size() || FText[FPos + 1] != '\n') ++FLine;
      } else if (static_cast<unsigned char>(c) > 32) {
        break;
      }
      ++FPos;
    }
  }

  void Next() {
    SkipSpace();
    FTok = TToken();
    FTok.Line = FLine;
    if (FPos >= FText.size()) return;
    const std::size_t start = FPos;
    const char c = FText[FPos];
    if (c == '\'' || c == '#') {
      ReadString();
    } else if (IsWordStart(c)) {
      while (FPos < FText.size() && IsWordChar(FText[FPos])) ++FPos;
      FTok.Kind = TTokenKind::Word;
    } else if (IsDigit(c) || ((c == '-' || c == '+') && FPos + 1 < FText.size() &&
                              (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$'))) {
      ReadNumber();
    } else if (c == '$' && FPos + 1 < FText.size() && IsHexDigit(FText[FPos + 1])) {
      ReadNumber();
    } else {
      ++FPos;
      FTok.Kind = TTokenKind::Symbol;
    }
    FTok.Text = FText.substr(start, FPos - start);
  }

  void ReadNumber() {
    FTok.Kind = TTokenKind::Number;
    if (FText[FPos] == '-' || FText[FPos] == '+') ++FPos;
    if (FPos < FText.size() && FText[FPos] == '$') {
      ++FPos;
      while (FPos < FText.size() && IsHexDigit(FText[FPos])) ++FPos;
      return;
    }
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
      ++FPos;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
    if (FPos < FText.size() && (FText[FPos] == 'E' || FText[FPos] == 'e')) {
      std::size_t p = FPos + 1;
      if (p < FText.size() && (FText[p] == '-' || FText[p] == '+')) ++p;
      if (p < FText.size() && IsDigit(FText[p])) {
        FPos = p;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      }
    }
    if (FPos < FText.size() && (FText[FPos] == 's' || FText[FPos] == 'c' || FText[FPos] == 'd')) ++FPos;
    if (FPos < FText.size() && IsWordChar(FText[FPos])) Fail("malformed number");
  }

  // One literal: quoted runs and "#" codes written next to each other.
  void ReadString() {
    FTok.Kind = TTokenKind::String;
    std::string &out = FTok.Literal;
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == '#') {
        ++FPos;
        const std::size_t digits = FPos;
        std::uint32_t code = 0;
        while (FPos < FText.size() && IsDigit(FText[FPos])) {
          code = std::min<std::uint32_t>(code * 10 + static_cast<std::uint32_t>(FText[FPos] - '0'), 0x110000);
          ++FPos;
        }
        if (FPos == digits) Fail("character code expected after \"#\"");
        if (code > 255) FTok.Wide = true;
        out += '#';
        out.append(FText.substr(digits, FPos - digits));
      } else if (c == '\'') {
        ++FPos;
        out += '\'';
        for (;;) {
          if (FPos >= FText.size() || FText[FPos] == '\r' || FText[FPos] == '\n') Fail("unterminated string");
          const char d = FText[FPos++];
          if (d != '\'') {
            out += d;
          } else if (FPos < FText.size() && FText[FPos] == '\'') {
            // A doubled apostrophe stands for one.
            ++FPos;
            out += "'#39'";
          } else {
            break;
          }
        }
        out += '\'';
      } else {
        break;
      }
      if (out.size() > FLimits.MaxBytes) Fail("string too long");
    }
  }

  bool IsWord(std::string_view w) const {
    return FTok.Kind == TTokenKind::Word && SameIgnoringAsciiCase(FTok.Text, w);
  }
  bool IsSymbol(char c) const {
    return FTok.Kind == TTokenKind::Symbol && FTok.Text.size() == 1 && FTok.Text[0] == c;
  }
  bool IsHeaderWord() const { return IsWord("object") || IsWord("inherited") || IsWord("inline"); }
  void Expect(char c) {
    if (!IsSymbol(c)) Fail(std::string("\"") + c + "\" expected");
    Next();
  }
  std::string ExpectWord(const char *what) {
    if (FTok.Kind != TTokenKind::Word) Fail(std::string(what) + " expected");
    std::string w(FTok.Text);
    Next();
    return w;
  }

  // ---------------------------------------------------------------- structure

  struct TDepth {
    TDepth(TFormTextParser &p, int depth) {
      if (depth > p.FLimits.MaxDepth) p.Fail("nesting too deep");
    }
  };

  std::unique_ptr<TFormObject> ParseObject(TFormObject *parent, int depth) {
    TDepth guard(*this, depth + 1);
    if (++FObjects > FLimits.MaxObjects) Fail("too many objects");
    auto obj = std::make_unique<TFormObject>();
    obj->Parent = parent;
    obj->Line = FTok.Line;
    obj->Inherited = IsWord("inherited");
    obj->Inline = IsWord("inline");
    Next();
    std::string first = ExpectWord("class name");
    if (IsSymbol(':')) {
      Next();
      obj->Name = std::move(first);
      obj->ClassName = ExpectWord("class name");
    } else {
      obj->ClassName = std::move(first);
    }
    if (IsSymbol('[')) {
      Next();
      const TFormValue pos = ParseNumber();
      if (pos.Kind != TFormValueKind::Integer) Fail("child position expected");
      obj->Position = pos.Integer;
      Expect(']');
    }
    for (;;) {
      if (FTok.Kind == TTokenKind::End) FailAt(obj->Line, "\"end\" of " + ObjectLabel(*obj) + " missing");
      if (IsWord("end")) {
        Next();
        break;
      }
      if (IsHeaderWord()) {
        obj->Children.push_back(ParseObject(obj.get(), depth + 1));
        continue;
      }
      TFormProperty prop;
      if (ParseProperty(prop, depth + 1)) obj->Properties.push_back(std::move(prop));
    }
    return obj;
  }

  static std::string ObjectLabel(const TFormObject &obj) {
    return obj.Name.empty() ? obj.ClassName : obj.Name;
  }

  // False for a value that is read over (binary data, a collection).
  bool ParseProperty(TFormProperty &prop, int depth) {
    if (++FProperties > FLimits.MaxProperties) Fail("too many properties");
    prop.Line = FTok.Line;
    prop.Name = ExpectWord("property name");
    Expect('=');
    return ParseValue(prop.Value, depth);
  }

  bool ParseValue(TFormValue &v, int depth) {
    TDepth guard(*this, depth + 1);
    if (FTok.Kind == TTokenKind::String) {
      ParseString(v);
      return true;
    }
    if (FTok.Kind == TTokenKind::Number) {
      v = ParseNumber();
      return true;
    }
    if (FTok.Kind == TTokenKind::Word) {
      ParseWord(v);
      return true;
    }
    if (IsSymbol('-') || IsSymbol('+')) {
      // "-INF" and "+INF" of the float writer.
      const bool negative = IsSymbol('-');
      Next();
      if (!IsWord("INF")) Fail("value expected");
      Next();
      v.Kind = TFormValueKind::Float;
      v.Float = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
      return true;
    }
    if (IsSymbol('[')) {
      ParseSet(v);
      return true;
    }
    if (IsSymbol('(')) {
      ParseList(v, depth);
      return true;
    }
    if (IsSymbol('{')) {
      SkipBinary();
      return false;
    }
    if (IsSymbol('<')) {
      SkipCollection(depth);
      return false;
    }
    Fail("value expected");
  }

  void ParseString(TFormValue &v) {
    std::string literal;
    bool wide = false;
    for (;;) {
      literal += FTok.Literal;
      wide = wide || FTok.Wide;
      if (literal.size() > FLimits.MaxBytes) Fail("string too long");
      Next();
      if (!IsSymbol('+')) break;
      Next();
      if (FTok.Kind != TTokenKind::String) Fail("string expected after \"+\"");
    }
    v.Kind = TFormValueKind::String;
    v.Text = DecodeLiteral(literal);
    v.WideLiteral = wide;
  }

  TFormValue ParseNumber() {
    if (FTok.Kind != TTokenKind::Number) Fail("number expected");
    std::string_view t = FTok.Text;
    TFormValue v;
    const bool negative = !t.empty() && t[0] == '-';
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.remove_prefix(1);
    if (!t.empty() && t[0] == '$') {
      std::uint64_t u = 0;
      const auto [p, ec] = std::from_chars(t.data() + 1, t.data() + t.size(), u, 16);
      if (ec != std::errc() || p != t.data() + t.size()) Fail("malformed number");
      v.Kind = TFormValueKind::Integer;
      v.Integer = static_cast<std::int64_t>(negative ? 0 - u : u);
      Next();
      return v;
    }
    const char last = t.empty() ? '\0' : t.back();
    const bool suffix = last == 's' || last == 'c' || last == 'd';
    if (suffix) t.remove_suffix(1);
    const bool isFloat = suffix || t.find_first_of(".Ee") != std::string_view::npos;
    if (!isFloat) {
      std::uint64_t u = 0;
      const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), u);
      const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
      if (ec == std::errc() && p == t.data() + t.size() && u <= limit) {
        v.Kind = TFormValueKind::Integer;
        v.Integer = negative ? static_cast<std::int64_t>(0 - u) : static_cast<std::int64_t>(u);
        Next();
        return v;
      }
    }
    double d = 0;
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
    if (p != t.data() + t.size() || (ec != std::errc() && ec != std::errc::result_out_of_range))
      Fail("malformed number");
    v.Kind = TFormValueKind::Float;
    v.Float = negative ? -d : d;
    Next();
    return v;
  }

  void ParseWord(TFormValue &v) {
    const std::string_view w = FTok.Text;
    if (SameIgnoringAsciiCase(w, "True") || SameIgnoringAsciiCase(w, "False")) {
      v.Kind = TFormValueKind::Boolean;
      v.Boolean = SameIgnoringAsciiCase(w, "True");
    } else if (SameIgnoringAsciiCase(w, "nil") || SameIgnoringAsciiCase(w, "Null")) {
      v.Kind = TFormValueKind::Nil;
    } else if (w == "NAN" || w == "INF") {
      v.Kind = TFormValueKind::Float;
      v.Float =
          w == "NAN" ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
    } else {
      v.Kind = TFormValueKind::Identifier;
      v.Ident = std::string(w);
    }
    Next();
  }

  void ParseSet(TFormValue &v) {
    v.Kind = TFormValueKind::Set;
    Next(); // [
    while (!IsSymbol(']')) {
      if (FTok.Kind != TTokenKind::Word && FTok.Kind != TTokenKind::Number) Fail("set element expected");
      if (++FListItems > FLimits.MaxListItems) Fail("too many list items");
      v.Names.emplace_back(FTok.Text);
      Next();
      if (IsSymbol(',')) {
        Next();
      } else if (!IsSymbol(']')) {
        Fail("\"]\" expected");
      }
    }
    Next();
  }

  void ParseList(TFormValue &v, int depth) {
    v.Kind = TFormValueKind::List;
    Next(); // (
    while (!IsSymbol(')')) {
      if (FTok.Kind == TTokenKind::End) Fail("\")\" expected");
      if (++FListItems > FLimits.MaxListItems) Fail("too many list items");
      TFormValue item;
      if (ParseValue(item, depth + 1)) v.Items.push_back(std::move(item));
      if (IsSymbol(',')) Next();
    }
    Next();
  }

  void SkipBinary() {
    // Hexadecimal digits up to "}", over as many lines as the data takes.
    for (;;) {
      SkipSpace();
      if (FPos >= FText.size()) Fail("\"}\" expected");
      const char c = FText[FPos];
      if (c == '}') {
        ++FPos;
        break;
      }
      if (!IsHexDigit(c)) Fail("hexadecimal digit expected");
      ++FPos;
    }
    Next();
  }

  void SkipCollection(int depth) {
    TDepth guard(*this, depth + 1);
    Next(); // <
    while (!IsSymbol('>')) {
      if (!IsWord("item")) Fail("\"item\" expected");
      Next();
      if (IsSymbol('[')) {
        Next();
        ParseNumber();
        Expect(']');
      }
      while (!IsWord("end")) {
        if (FTok.Kind == TTokenKind::End) Fail("\"end\" of a collection item missing");
        TFormProperty ignored;
        ParseProperty(ignored, depth + 1);
      }
      Next();
    }
    Next();
  }

  std::string_view FText;
  const TFormTextLimits &FLimits;
  std::size_t FPos = 0;
  int FLine = 1;
  TToken FTok;
  std::size_t FObjects = 0, FProperties = 0, FListItems = 0;
};

} // namespace

const TFormProperty *TFormObject::Find(std::string_view name) const {
  for (const TFormProperty &p : Properties)
    if (p.Name == name) return &p;
  return nullptr;
}

std::optional<std::int64_t> TFormObject::Int(std::string_view name) const {
  const TFormProperty *p = Find(name);
  if (!p || p->Value.Kind != TFormValueKind::Integer) return std::nullopt;
  return p->Value.Integer;
}

std::optional<std::u16string> TFormObject::Text(std::string_view name) const {
  const TFormProperty *p = Find(name);
  if (!p || p->Value.Kind != TFormValueKind::String) return std::nullopt;
  return p->Value.Text;
}

std::optional<std::string> TFormObject::Ident(std::string_view name) const {
  const TFormProperty *p = Find(name);
  if (!p || p->Value.Kind != TFormValueKind::Identifier) return std::nullopt;
  return p->Value.Ident;
}

bool TFormObject::Bool(std::string_view name, bool def) const {
  const TFormProperty *p = Find(name);
  if (!p || p->Value.Kind != TFormValueKind::Boolean) return def;
  return p->Value.Boolean;
}

std::optional<std::vector<std::string>> TFormObject::Set(std::string_view name) const {
  const TFormProperty *p = Find(name);
  if (!p || p->Value.Kind != TFormValueKind::Set) return std::nullopt;
  return p->Value.Names;
}

std::optional<std::vector<std::u16string>> TFormObject::Strings(std::string_view name) const {
  const TFormProperty *p = Find(name);
  if (!p || p->Value.Kind != TFormValueKind::List) return std::nullopt;
  std::vector<std::u16string> out;
  out.reserve(p->Value.Items.size());
  for (const TFormValue &item : p->Value.Items) {
    if (item.Kind != TFormValueKind::String) return std::nullopt;
    out.push_back(item.Text);
  }
  return out;
}

std::unique_ptr<TFormObject> ReadFormText(std::string_view text, std::string *error,
                                          const TFormTextLimits &limits) {
  if (text.size() > limits.MaxBytes) {
    if (error) *error = "form text too large (" + std::to_string(text.size()) + " bytes)";
    return nullptr;
  }
  try {
    return TFormTextParser(text, limits).Run();
  } catch (const TParseError &e) {
    if (error) *error = "line " + std::to_string(e.Line) + ": " + e.Reason;
    return nullptr;
  }
}

std::unique_ptr<TFormObject> ReadFormTextFile(const std::string &path, std::string *error,
                                              const TFormTextLimits &limits) {
  std::string bytes, why;
  if (!ReadFileBytes(path, bytes, &why, limits.MaxBytes)) {
    if (error) *error = why.empty() ? "Unable to Open File " + path : why;
    return nullptr;
  }
  auto root = ReadFormText(bytes, &why, limits);
  if (!root && error) *error = path + ": " + why;
  return root;
}

bool LooksLikeFormText(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) <= 32) ++i;
  std::size_t e = i;
  while (e < bytes.size() && IsWordStart(bytes[e])) ++e;
  const std::string_view word = bytes.substr(i, e - i);
  if (e >= bytes.size() || static_cast<unsigned char>(bytes[e]) > 32) return false;
  return SameIgnoringAsciiCase(word, "object") || SameIgnoringAsciiCase(word, "inherited") ||
         SameIgnoringAsciiCase(word, "inline");
}

} // namespace vt
