#pragma once
// The control preview's decisions as data: which sample shows the current entry's object, with
// which texts, size, font, icon and badge, and the two information lines of the editor band.
// A thin window function applies the plan to the real controls.
#include "suggestion_rules.h" // TRgb

#include "model/word_list.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

enum class TPreviewSample : uint8_t {
  None,
  StaticHotBtn,
  StaticEditCtrl,
  StaticPushBtn,
  StaticCheckBox,
  StaticRadioBtn,
  StaticGroupBox,
  TntButton,
  TntLabel,
  TntCheckBox,
  TntRadioButton,
  TntComboBox,
  Menu,
  LabelHint,
  Generic,
};
// Component name of a sample ("prev_StaticHotBtn"); empty for None.
std::string_view PreviewSampleName(TPreviewSample sample);

enum class TPreviewBadge : uint8_t { None, HintTF, HintTH, HintVH, HintTC, Menu };
// Component name of a badge picture ("im_HintTF"); empty for None.
std::string_view PreviewBadgeName(TPreviewBadge badge);

enum class THotLayout : uint8_t { GlyphTop, GlyphLeft, GlyphOnly };

// Where the sample goes: at the frame's corner with PlacePreviewControl, or 24 pixels right of
// the badge at its top.
enum class TPreviewPlace : uint8_t { AtFrame, BesideBadge };
inline constexpr int kBesideBadgeOffset = 24;
// Margin kept free right of and below a label of fixed size.
inline constexpr int kFixedLabelMargin = 24;

struct TPreviewFont {
  std::u16string Name = u"Trebuchet MS";
  int Height = -11; // negative: pixels of the character height
  bool Bold = false;
  bool Italic = false;
  friend bool operator==(const TPreviewFont &, const TPreviewFont &) = default;
};

enum class TLabelSizing : uint8_t { Keep, Auto, FixedToPanel };
struct TLabelLook {
  TLabelSizing Sizing = TLabelSizing::Keep;
  bool WordWrap = false;
  bool Bold = false;
  std::optional<TRgb> Color; // none: the window-text colour
};

inline constexpr int kDefaultEditMargin = 15;
inline constexpr int kDefaultEditIconGap = 2;
inline constexpr int kDefaultEditDefWidth = 65;
inline constexpr int kListSampleWidth = 200;
inline constexpr TRgb kRgbShortHint{0, 0, 128};
inline constexpr TRgb kRgbHintLabelBack{255, 255, 185};

struct TPreviewPlan {
  // Editor band lines. StInfo is left as it was when there is no current object.
  std::u16string Label2;
  std::optional<std::u16string> StInfo;

  TPreviewSample Sample = TPreviewSample::None;
  TPreviewPlace Place = TPreviewPlace::AtFrame;
  int Width = 0;  // PlacePreviewControl: 0 keeps the sample's own width
  int Height = 0; // and 0 its own height (and hides the frame)
  TPreviewBadge Badge = TPreviewBadge::None;

  std::u16string Caption;
  // Tool text of the control-library samples (hint and full hint).
  bool HasToolText = false;
  std::u16string ToolHint, ToolFullHint;
  // The control's own hint; none leaves it as it was.
  std::optional<std::u16string> Hint;
  bool ShowHint = false;
  // Items of the list sample, and its shown text (the first item or empty).
  std::vector<std::u16string> Items;
  std::u16string ShownText;

  std::optional<TPreviewFont> Font;
  bool FontAfterTexts = false;
  std::optional<TLabelLook> Look;
  // Hot button layout; none keeps the layout of the previous hot-button preview.
  std::optional<THotLayout> Layout;
  // ApplyPreviewIcon with IconSize (16, 24, 32, 48 or 64; 0 clears the icon).
  bool ApplyIcon = false;
  int IconSize = 0;
  // Edit control metrics.
  bool HasEditMetrics = false;
  int Margin = kDefaultEditMargin, DefWidth = kDefaultEditDefWidth, IconGap = kDefaultEditIconGap;
};

// ShowPreview's decisions for the current entry (none: an empty plan). Sets the project's
// current object, as the preview reads the object's values through it.
TPreviewPlan BuildPreviewPlan(TWordList &project, const TWordObj *current);

// The sample family member for a class name, compared exactly; None for other classes.
TPreviewSample SampleForClass(std::string_view className);

// "[" section "]  " name "  (" class ")", section and name each cut at their last ".".
std::u16string ObjectInfoLine(std::string_view objectId, std::string_view className);

// The font the object's "_FontName", "_FontHeight" and "_FontStyle" give.
TPreviewFont PreviewFontOf(const TWordList &project);

// The icon size "_ToolIconSize" gives: one of the five picture sizes, else 0.
int PreviewIconSizeOf(const TWordList &project);

} // namespace vt
