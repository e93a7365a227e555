#include "fit_rules.h"

#include "model/text_helpers.h"
#include "support/text_codec.h"

#include <algorithm>
#include <array>

namespace vt {
namespace {

int MaxOf(const std::vector<int> &v) {
  return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

// Lines the text takes when it wraps at width (every line at least one).
int WrappedLines(const std::vector<int> &lineWidths, int width) {
  int lines = 0;
  for (const int w : lineWidths) lines += width <= 0 || w <= width ? 1 : (w + width - 1) / width;
  return std::max(lines, 1);
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

void CheckText(const TFitMeasure &m, std::vector<TFitFinding> &out) {
  const int textWidth = std::max(0, m.Bounds.Width - m.ChromeWidth);
  const int needWidth = MaxOf(m.LineWidths) + m.ChromeWidth;
  if (!m.WordWrap && needWidth > m.Bounds.Width) out.push_back({"too wide", needWidth, m.Bounds.Width});
  if (m.CheckHeight || m.WordWrap) {
    const int lines = m.WordWrap ? WrappedLines(m.LineWidths, textWidth)
                                 : std::max(1, static_cast<int>(m.LineWidths.size()));
    const int needHeight = lines * m.LineHeight + m.ChromeHeight;
    if (needHeight > m.Bounds.Height) out.push_back({"too tall", needHeight, m.Bounds.Height});
  }
}

void CheckAutoSize(const TFitMeasure &m, std::vector<TFitFinding> &out) {
  // The label keeps its left and top; without word wrap it grows to the widest line, with it only
  // downwards.
  TFitRect grown = m.Bounds;
  const int lines = m.WordWrap ? WrappedLines(m.LineWidths, std::max(0, m.Bounds.Width - m.ChromeWidth))
                               : std::max(1, static_cast<int>(m.LineWidths.size()));
  if (!m.WordWrap) grown.Width = MaxOf(m.LineWidths) + m.ChromeWidth;
  grown.Height = lines * m.LineHeight + m.ChromeHeight;
  if (m.ParentWidth >= 0 && grown.Right() > m.ParentWidth)
    out.push_back({"passes its parent", grown.Width, std::max(0, m.ParentWidth - m.Bounds.Left)});
  else if (m.ParentHeight >= 0 && grown.Bottom() > m.ParentHeight)
    out.push_back({"passes its parent", grown.Height, std::max(0, m.ParentHeight - m.Bounds.Top)});
  for (const TFitSibling &s : m.Siblings) {
    // A sibling the label already overlapped in the form is the designer's choice, not the text's.
    if (!grown.Intersects(s.Bounds) || m.Bounds.Intersects(s.Bounds)) continue;
    const bool right = s.Bounds.Left >= m.Bounds.Right();
    out.push_back({"covers " + s.Name, right ? grown.Width : grown.Height,
                   right ? s.Bounds.Left - m.Bounds.Left : std::max(0, s.Bounds.Top - m.Bounds.Top)});
  }
}

} // namespace

bool TFitRect::Intersects(const TFitRect &o) const {
  return Width > 0 && Height > 0 && o.Width > 0 && o.Height > 0 && Left < o.Right() && o.Left < Right() &&
         Top < o.Bottom() && o.Top < Bottom();
}

std::vector<TFitFinding> CheckFit(const TFitMeasure &m) {
  std::vector<TFitFinding> out;
  switch (m.Shape) {
  case TFitShape::Text:
    CheckText(m, out);
    break;
  case TFitShape::AutoSizeText:
    CheckAutoSize(m, out);
    break;
  case TFitShape::Tabs: {
    int need = 0;
    for (const int w : m.LineWidths) need += w + m.ChromeWidth;
    if (need > m.Bounds.Width) out.push_back({"tabs too wide", need, m.Bounds.Width});
    break;
  }
  case TFitShape::Toolbar: {
    int need = 0;
    for (const TFitRect &c : m.Children) need = std::max(need, c.Right());
    if (need > m.Bounds.Width) out.push_back({"toolbar overflows", need, m.Bounds.Width});
    break;
  }
  }
  return out;
}

std::vector<std::u16string> MeasureLines(std::u16string_view caption, bool accelerators) {
  std::vector<std::u16string> lines;
  if (caption.empty()) return lines;
  std::u16string line;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const char16_t c = caption[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < caption.size() && caption[i + 1] == u'\n') ++i;
      lines.push_back(std::move(line));
      line.clear();
    } else if (c == u'&' && accelerators) {
      // "&&" draws one "&"; a single "&" only underlines the next character.
      if (i + 1 < caption.size() && caption[i + 1] == u'&') {
        line += u'&';
        ++i;
      }
    } else {
      line += c;
    }
  }
  lines.push_back(std::move(line));
  return lines;
}

bool HoldsWideText(std::string_view className) {
  static constexpr std::array<std::string_view, 3> kProductEdits = {"TGeneralEdit", "TBMSpinEdit",
                                                                    "TmmNumEdit"};
  return StartsWith(className, "TTnt") || StartsWith(className, "TStatic") ||
         StartsWith(className, "TTheme") ||
         std::find(kProductEdits.begin(), kProductEdits.end(), className) != kProductEdits.end();
}

int LostCharacters(std::u16string_view text) {
  int lost = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) continue;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++lost;
      ++i;
      continue;
    }
    if (Utf16ToCp1252(text.substr(i, 1)) == "?") ++lost;
  }
  return lost;
}

std::optional<TFitFinding> CheckLostCharacters(std::string_view className, std::u16string_view text) {
  if (HoldsWideText(className)) return std::nullopt;
  const int lost = LostCharacters(text);
  if (lost == 0) return std::nullopt;
  return TFitFinding{"loses " + std::to_string(lost) + (lost == 1 ? " character" : " characters"), lost, 0};
}

std::string FitReportLine(std::string_view fullId, const TFitFinding &finding, std::u16string_view text) {
  std::u16string shown = LineBreaksToBars(text);
  std::replace(shown.begin(), shown.end(), u'\t', u' ');
  std::string line(fullId);
  line += '\t' + std::to_string(finding.Needed) + '\t' + std::to_string(finding.Available) + '\t';
  line += finding.Reason;
  line += '\t';
  line += Utf16ToUtf8(shown);
  return line;
}

} // namespace vt
