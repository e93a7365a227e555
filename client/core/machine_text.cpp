#include "machine_text.h"

#include "model/trans_man.h"

namespace vt {

namespace {

void EraseAll(std::string &s, std::string_view what) {
  std::string out;
  out.reserve(s.size());
  std::size_t from = 0;
  for (auto at = s.find(what); at != std::string::npos; at = s.find(what, from)) {
    out.append(s, from, at - from);
    from = at + what.size();
  }
  out.append(s, from, std::string::npos);
  s.swap(out);
}

constexpr std::u16string_view kErrorReportMark = u"ExceptionMethod";

} // namespace

std::string CleanMachineText(std::string_view text) {
  std::string s(text);
  for (std::string_view what : {"&", "...", "..", ":"}) EraseAll(s, what);
  return s;
}

std::string PrepareMachineText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    if (b == 10 || b == 145 || b == 146) continue;
    if (b < 128) {
      out.push_back(ch);
    } else {
      out.push_back('%');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 15]);
    }
  }
  return out;
}

std::string MachineRequestText(std::string_view text, bool stripCaps) {
  std::string s = CleanMachineText(text);
  if (stripCaps) s = LowerAscii(s);
  return PrepareMachineText(s);
}

std::string GoogleRequestText(std::u16string_view original, bool stripCaps) {
  return MachineRequestText(Utf16ToCp1252(original), stripCaps);
}

std::string ReverseRequestText(std::u16string_view translation) {
  return Utf16ToUtf8(translation);
}

std::u16string EditorLineBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c != u'\r' && c != u'\n') {
      out.push_back(c);
      continue;
    }
    out.append(u"\r\n");
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
  }
  return out;
}

std::vector<std::u16string> SplitMemoLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::u16string AppendMemoLine(std::u16string_view memo, std::u16string_view line) {
  std::u16string out(memo);
  if (!out.empty() && out.back() != u'\n' && out.back() != u'\r') out += u"\r\n";
  out += line;
  return out;
}

std::vector<std::u16string> AutoTranslateLines(std::u16string_view original, bool stripCaps,
                                               const std::string &target, const TTranslateFn &translate,
                                               const TLineSink &sink) {
  std::vector<std::u16string> result;
  for (const std::u16string &line : SplitMemoLines(original)) {
    if (line.empty()) continue;
    const std::string prepared = MachineRequestText(Utf16ToCp1252(line), stripCaps);
    std::u16string reply = translate ? translate(prepared, target) : std::u16string();
    // The prepared text is plain ASCII, so any decoding gives it back unchanged.
    if (reply.empty()) reply = Cp1252ToUtf16(prepared);
    if (reply.find(kErrorReportMark) != std::u16string::npos) continue;
    if (reply.empty()) continue;
    if (sink) sink(reply);
    result.push_back(std::move(reply));
  }
  return result;
}

} // namespace vt
