#pragma once
// Whether a translated text fits its control, decided over numbers the window measured: the
// control's bounds, its parent's client size, its siblings, the pixel widths of its text lines or
// tabs in its font, and what the control draws beside the text (check mark, margins, combo arrow,
// icon, tab padding). No widget is seen here; the preview measures, these rules judge.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct TFitRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  // Whether the two rectangles share at least one pixel.
  bool Intersects(const TFitRect &other) const;
  friend bool operator==(const TFitRect &, const TFitRect &) = default;
};

struct TFitSibling {
  std::string Name;
  TFitRect Bounds; // in the same parent's client coordinates
};

enum class TFitShape {
  Text,         // caption, text or items in a control of fixed size (button, check box, edit, combo, list)
  AutoSizeText, // a label that grows with its text from its left and top
  Tabs,         // tab captions side by side (tab set, page control)
  Toolbar,      // a panel whose children are lined up by the toolbar arrangement
};

struct TFitMeasure {
  TFitShape Shape = TFitShape::Text;
  TFitRect Bounds;                         // the control, in its parent's client coordinates
  int ParentWidth = -1, ParentHeight = -1; // the parent's client size; negative when unknown
  std::vector<TFitSibling> Siblings;       // visible siblings (AutoSizeText: what a grown label may cover)
  std::vector<int> LineWidths;    // Text, AutoSizeText: each line's width; Tabs: each caption's width
  int LineHeight = 0;             // height of one text line
  int ChromeWidth = 0;            // Text: beside the text (margins, check mark, arrow, icon); Tabs: per tab
  int ChromeHeight = 0;           // above and below the text
  bool CheckHeight = false;       // the lines must also fit in the height (multi-line captions, labels)
  bool WordWrap = false;          // lines wrap at the width: only the height can overflow
  std::vector<TFitRect> Children; // Toolbar: the arranged children, in the panel's coordinates
};

struct TFitFinding {
  std::string Reason; // "too wide", "too tall", "passes its parent", "covers NAME", "tabs too wide",
                      // "toolbar overflows", "loses N characters"
  int Needed = 0;     // pixels the text needs (characters lost, for "loses")
  int Available = 0;  // pixels the control has (0 for "loses")
  friend bool operator==(const TFitFinding &, const TFitFinding &) = default;
};

// Every reason the measured control does not fit; empty when it fits.
std::vector<TFitFinding> CheckFit(const TFitMeasure &measure);

// Lines of a caption as drawn: split at CR LF / LF / CR; with accelerators, "&" marks are removed
// ("&&" stays one "&").
std::vector<std::u16string> MeasureLines(std::u16string_view caption, bool accelerators = true);

// Whether controls of that class hold wide (UTF-16) texts: "TTnt..." classes and the product's own
// controls; every other class keeps its texts in the 8-bit code page.
bool HoldsWideText(std::string_view className);
// Characters of text that the 8-bit code page (Windows-1252) has no byte for; a surrogate pair is
// one character.
int LostCharacters(std::u16string_view text);
// "loses N characters" when a control of an 8-bit class would lose characters of text.
std::optional<TFitFinding> CheckLostCharacters(std::string_view className, std::u16string_view text);

// One line of the fit report: full id, needed pixels, available pixels, reason and the text (UTF-8),
// separated by tabs, without a line end. Line breaks of the text become "|" and its tabs spaces, so
// a finding is always one line.
std::string FitReportLine(std::string_view fullId, const TFitFinding &finding, std::u16string_view text);

} // namespace vt
