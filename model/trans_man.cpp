#include "trans_man.h"

#include <algorithm>

namespace vt {

namespace {

bool IsAsciiDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

} // namespace

std::u16string TTransMan::EscapeText(std::u16string_view wide) {
  std::u16string out;
  out.reserve(wide.size() + wide.size() / 8);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t c = wide[i];
    if (c == u'\t') {
      out.append(u"\\t");
    } else if (c == u'\n' || c == u'\r') {
      // CR LF and LF CR are one line break each.
      const char16_t pair = c == u'\n' ? u'\r' : u'\n';
      if (i + 1 < wide.size() && wide[i + 1] == pair) ++i;
      out.append(u"\\n");
    } else if (c == u'\\') {
      out.append(u"\\\\");
    } else if (c < 32) {
      out.push_back(u'\\');
      out.push_back(static_cast<char16_t>(u'0' + c / 10));
      out.push_back(static_cast<char16_t>(u'0' + c % 10));
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::u16string TTransMan::UnescapeText(std::u16string_view wide) {
  std::u16string out;
  out.reserve(wide.size());
  const std::size_t n = wide.size();
  for (std::size_t i = 0; i < n;) {
    const char16_t c = wide[i];
    if (c != u'\\' || i + 1 >= n) {
      out.push_back(c);
      ++i;
      continue;
    }
    const char16_t next = wide[i + 1];
    if (IsAsciiDigit(next) && i + 2 < n && IsAsciiDigit(wide[i + 2])) {
      out.push_back(static_cast<char16_t>((next - u'0') * 10 + (wide[i + 2] - u'0')));
      i += 3;
    } else if (next == u'\\') {
      out.push_back(u'\\');
      i += 2;
    } else if (next == u'n') {
      out.append(u"\r\n");
      i += 2;
    } else if (next == u't') {
      out.push_back(u'\t');
      i += 2;
    } else {
      out.push_back(c);
      ++i;
    }
  }
  return out;
}

std::string TTransMan::EncodeText(std::u16string_view wide) {
  // Printable ASCII without backslashes needs no escape and is its own UTF-8: most texts are.
  if (std::all_of(wide.begin(), wide.end(), [](char16_t c) { return c >= 32 && c < 0x80 && c != u'\\'; }))
    return std::string(wide.begin(), wide.end());
  // Without characters to escape, the stored form is the UTF-8 of the text as it is.
  if (std::none_of(wide.begin(), wide.end(), [](char16_t c) { return c < 32 || c == u'\\'; }))
    return Utf16ToStoredUtf8(wide);
  return Utf16ToStoredUtf8(EscapeText(wide));
}

std::u16string TTransMan::DecodeText(std::string_view stored) {
  if (stored.empty()) return {};
  // ASCII without backslashes decodes to itself, unescaped.
  if (std::all_of(stored.begin(), stored.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\\'; }))
    return std::u16string(stored.begin(), stored.end());
  std::u16string wide;
  if (!StoredUtf8ToUtf16(stored, wide) || wide.empty()) wide = Cp1252ToUtf16(stored);
  // Without a backslash byte there is no escape to undo (in either reading of the bytes).
  if (stored.find('\\') == std::string_view::npos) return wide;
  return UnescapeText(wide);
}

TTransMan &TransMan() {
  // Lives for the whole process; never released through the holder count.
  static TTransMan *instance = new TTransMan();
  return *instance;
}

} // namespace vt
