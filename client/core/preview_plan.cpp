#include "preview_plan.h"

#include "machine_text.h"
#include "model/text_helpers.h"
#include "model/trans_man.h"

#include <algorithm>

namespace vt {

namespace {

// Sizes beyond any screen would only make the toolkit allocate for nothing.
constexpr long long kMaxSampleSize = 8192;

struct TToolTexts {
  bool Any = false;
  std::u16string Caption, Short, Long;
  std::u16string ShortBarLong() const { return Short + u"|" + Long; }
};

struct TControlTexts {
  bool Any = false;
  std::u16string Caption, Hint;
};

// Reads of the current object's hidden property entries.
class TObjectProps {
public:
  explicit TObjectProps(const TWordList &project) : FProject(project) {}

  std::optional<std::string> Value(std::string_view kind) const {
    std::string v;
    if (!FProject.GetObjectValue(kind, v)) return std::nullopt;
    return v;
  }
  std::optional<int> Int(std::string_view kind) const {
    long long v = 0;
    if (!FProject.GetObjectInt(kind, v)) return std::nullopt;
    return static_cast<int>(std::clamp(v, -kMaxSampleSize, kMaxSampleSize));
  }
  // On only when the value is exactly "True".
  bool IsTrue(std::string_view kind) const { return Value(kind) == std::optional<std::string>("True"); }
  TToolTexts ToolTexts() const {
    TToolTexts t;
    t.Any = FProject.GetToolTexts(t.Caption, t.Short, t.Long);
    return t;
  }
  TControlTexts ControlTexts() const {
    TControlTexts t;
    t.Any = FProject.GetControlTexts(t.Caption, t.Hint);
    return t;
  }
  const TWordList &Project() const { return FProject; }

private:
  const TWordList &FProject;
};

std::u16string FirstBarToLineBreak(std::u16string text) {
  if (const auto bar = text.find(u'|'); bar != std::u16string::npos) text.replace(bar, 1, u"\n");
  return text;
}

std::string CutAtLastDot(std::string_view s) {
  const auto dot = s.rfind('.');
  return std::string(dot == std::string_view::npos ? s : s.substr(0, dot));
}

void SetToolText(TPreviewPlan &plan, const TToolTexts &t) {
  plan.Caption = t.Caption;
  plan.HasToolText = true;
  plan.ToolHint = t.Short;
  plan.ToolFullHint = t.Long;
}

void PlaceAtFrame(TPreviewPlan &plan, TPreviewSample sample, int w, int h) {
  plan.Sample = sample;
  plan.Place = TPreviewPlace::AtFrame;
  plan.Width = w;
  plan.Height = h;
}

void PlaceBesideBadge(TPreviewPlan &plan, TPreviewSample sample, TPreviewBadge badge) {
  plan.Sample = sample;
  plan.Place = TPreviewPlace::BesideBadge;
  plan.Width = plan.Height = 0;
  plan.Badge = badge;
}

// --- the sample family: each member shows nothing when a size or its texts are missing ---------

bool ToolMember(TPreviewPlan &plan, const TObjectProps &props, TPreviewSample sample, bool needsHeight) {
  const auto w = props.Int("_Width");
  const auto h = needsHeight ? props.Int("_Height") : std::optional<int>(0);
  if (!w || !h) return false;
  const TToolTexts t = props.ToolTexts();
  if (!t.Any) return false;
  PlaceAtFrame(plan, sample, *w, *h);
  SetToolText(plan, t);
  plan.ShowHint = props.IsTrue("_ShowHint");
  switch (sample) {
  case TPreviewSample::StaticHotBtn: {
    plan.Hint = t.ShortBarLong();
    const auto layout = props.Value("_Layout");
    if (!layout || *layout == "blGlyphTop")
      plan.Layout = THotLayout::GlyphTop;
    else if (*layout == "blGlyphLeft")
      plan.Layout = THotLayout::GlyphLeft;
    else if (*layout == "blGlyphOnly")
      plan.Layout = THotLayout::GlyphOnly;
    plan.ApplyIcon = true;
    plan.IconSize = PreviewIconSizeOf(props.Project());
    break;
  }
  case TPreviewSample::StaticEditCtrl:
    plan.HasEditMetrics = true;
    plan.Margin = props.Int("_Margin").value_or(kDefaultEditMargin);
    plan.DefWidth = props.Int("_DefWidth").value_or(kDefaultEditDefWidth);
    plan.IconGap = props.Int("_IconGap").value_or(kDefaultEditIconGap);
    plan.ApplyIcon = true;
    plan.IconSize = PreviewIconSizeOf(props.Project());
    break;
  case TPreviewSample::StaticPushBtn:
    plan.Hint = t.ShortBarLong();
    break;
  case TPreviewSample::StaticCheckBox:
  case TPreviewSample::StaticRadioBtn:
    plan.Font = PreviewFontOf(props.Project());
    break;
  default:
    break;
  }
  return true;
}

bool ControlMember(TPreviewPlan &plan, const TObjectProps &props, TPreviewSample sample, bool needsHeight) {
  const auto w = props.Int("_Width");
  const auto h = needsHeight ? props.Int("_Height") : std::optional<int>(0);
  if (!w || !h) return false;
  const TControlTexts t = props.ControlTexts();
  if (!t.Any) return false;
  if (sample == TPreviewSample::StaticGroupBox && t.Caption.empty()) return false;
  if (sample == TPreviewSample::TntLabel) {
    TLabelLook look;
    look.Sizing = props.IsTrue("_AutoSize") ? TLabelSizing::Auto : TLabelSizing::Keep;
    look.WordWrap = props.IsTrue("_WordWrap");
    plan.Look = look;
  }
  if (sample != TPreviewSample::StaticGroupBox) plan.Font = PreviewFontOf(props.Project());
  plan.FontAfterTexts = sample == TPreviewSample::TntButton;
  PlaceAtFrame(plan, sample, *w, *h);
  plan.Caption = t.Caption;
  plan.Hint = t.Hint;
  plan.ShowHint = props.IsTrue("_ShowHint");
  return true;
}

// Items of the object's list: "VI" when it has one, else "IT"; false without either.
bool ListItems(const TObjectProps &props, std::vector<std::u16string> &items) {
  std::string_view kind;
  if (props.Value("VI"))
    kind = "VI";
  else if (props.Value("IT"))
    kind = "IT";
  else
    return false;
  items = SplitMemoLines(props.Project().GetObjectText(kind));
  return true;
}

void FillListSample(TPreviewPlan &plan, const TObjectProps &props, std::vector<std::u16string> items, int w) {
  PlaceAtFrame(plan, TPreviewSample::TntComboBox, w, 0);
  plan.Items = std::move(items);
  plan.ShownText = plan.Items.empty() ? std::u16string() : plan.Items.front();
  plan.Caption = plan.ShownText;
  plan.Hint = std::u16string();
  plan.ShowHint = props.IsTrue("_ShowHint");
}

bool ComboMember(TPreviewPlan &plan, const TObjectProps &props) {
  const auto w = props.Int("_Width");
  if (!w) return false;
  std::vector<std::u16string> items;
  if (!ListItems(props, items)) return false;
  FillListSample(plan, props, std::move(items), *w);
  return true;
}

bool MenuMember(TPreviewPlan &plan, const TObjectProps &props) {
  const TControlTexts t = props.ControlTexts();
  if (!t.Any) return false;
  PlaceBesideBadge(plan, TPreviewSample::Menu, TPreviewBadge::Menu);
  plan.Caption = t.Caption;
  plan.Hint = t.Hint;
  plan.ShowHint = props.IsTrue("_ShowHint");
  return true;
}

bool RunFamilyMember(TPreviewPlan &plan, const TObjectProps &props, TPreviewSample sample) {
  switch (sample) {
  case TPreviewSample::StaticHotBtn:
  case TPreviewSample::StaticEditCtrl:
  case TPreviewSample::StaticPushBtn:
  case TPreviewSample::StaticCheckBox:
    return ToolMember(plan, props, sample, true);
  case TPreviewSample::StaticRadioBtn:
    return ToolMember(plan, props, sample, false);
  case TPreviewSample::TntButton:
  case TPreviewSample::TntLabel:
    return ControlMember(plan, props, sample, true);
  case TPreviewSample::StaticGroupBox:
  case TPreviewSample::TntCheckBox:
  case TPreviewSample::TntRadioButton:
    return ControlMember(plan, props, sample, false);
  case TPreviewSample::TntComboBox:
    return ComboMember(plan, props);
  case TPreviewSample::Menu:
    return MenuMember(plan, props);
  default:
    return false;
  }
}

// --- hint labels ---------------------------------------------------------------------------------

TLabelLook FixedHintLook() {
  TLabelLook look;
  look.Sizing = TLabelSizing::FixedToPanel;
  look.WordWrap = true;
  return look;
}

bool HintLabel(TPreviewPlan &plan, const TObjectProps &props, std::string_view kind) {
  TPreviewBadge badge = TPreviewBadge::HintVH;
  TLabelLook look = FixedHintLook();
  if (kind == "VH") {
    const TControlTexts t = props.ControlTexts();
    if (!t.Any) return false;
    plan.Caption = FirstBarToLineBreak(t.Hint);
    plan.Hint = t.Hint;
  } else {
    const TToolTexts t = props.ToolTexts();
    if (!t.Any) return false;
    if (kind == "TF") {
      plan.Caption = t.Long;
      plan.Hint = t.ShortBarLong();
      badge = TPreviewBadge::HintTF;
    } else if (kind == "TH") {
      plan.Caption = t.Short;
      plan.Hint = t.ShortBarLong();
      badge = TPreviewBadge::HintTH;
      look = TLabelLook{TLabelSizing::Auto, false, true, kRgbShortHint};
    } else { // "THF"
      std::u16string joined = JoinHint(t.Short, t.Long);
      plan.Hint = joined;
      if (!joined.empty() && joined.back() == u'|') joined.pop_back();
      plan.Caption = FirstBarToLineBreak(std::move(joined));
    }
  }
  PlaceBesideBadge(plan, TPreviewSample::LabelHint, badge);
  plan.Look = look;
  plan.ShowHint = true;
  return true;
}

// --- fallbacks -----------------------------------------------------------------------------------

void ToolCaptionLabel(TPreviewPlan &plan, const TObjectProps &props) {
  const TToolTexts t = props.ToolTexts();
  PlaceBesideBadge(plan, TPreviewSample::Generic, TPreviewBadge::HintTC);
  plan.Look = TLabelLook{TLabelSizing::Auto, false, false, std::nullopt};
  plan.Caption = t.Caption;
  plan.Hint = t.ShortBarLong();
  plan.ShowHint = true;
}

void GenericLabel(TPreviewPlan &plan, const TObjectProps &props) {
  const TControlTexts t = props.ControlTexts();
  PlaceAtFrame(plan, TPreviewSample::Generic, 0, 0);
  plan.Caption = t.Caption;
  plan.Hint = t.Hint;
  plan.ShowHint = props.IsTrue("_ShowHint");
}

} // namespace

std::string_view PreviewSampleName(TPreviewSample sample) {
  switch (sample) {
  case TPreviewSample::None:
    return {};
  case TPreviewSample::StaticHotBtn:
    return "prev_StaticHotBtn";
  case TPreviewSample::StaticEditCtrl:
    return "prev_StaticEditCtrl";
  case TPreviewSample::StaticPushBtn:
    return "prev_StaticPushBtn";
  case TPreviewSample::StaticCheckBox:
    return "prev_StaticCheckBox";
  case TPreviewSample::StaticRadioBtn:
    return "prev_StaticRadioBtn";
  case TPreviewSample::StaticGroupBox:
    return "prev_StaticGroupBox";
  case TPreviewSample::TntButton:
    return "prev_TntButton";
  case TPreviewSample::TntLabel:
    return "prev_TntLabel";
  case TPreviewSample::TntCheckBox:
    return "prev_TntCheckBox";
  case TPreviewSample::TntRadioButton:
    return "prev_TntRadioButton";
  case TPreviewSample::TntComboBox:
    return "prev_TntComboBox";
  case TPreviewSample::Menu:
    return "prev_Menu";
  case TPreviewSample::LabelHint:
    return "prev_LabelHint";
  case TPreviewSample::Generic:
    return "prev_Generic";
  }
  return {};
}

std::string_view PreviewBadgeName(TPreviewBadge badge) {
  switch (badge) {
  case TPreviewBadge::None:
    return {};
  case TPreviewBadge::HintTF:
    return "im_HintTF";
  case TPreviewBadge::HintTH:
    return "im_HintTH";
  case TPreviewBadge::HintVH:
    return "im_HintVH";
  case TPreviewBadge::HintTC:
    return "im_HintTC";
  case TPreviewBadge::Menu:
    return "im_menu";
  }
  return {};
}

TPreviewSample SampleForClass(std::string_view c) {
  if (c == "TStaticHotBtn") return TPreviewSample::StaticHotBtn;
  if (c == "TStaticEditCtrl") return TPreviewSample::StaticEditCtrl;
  if (c == "TStaticPushBtn") return TPreviewSample::StaticPushBtn;
  if (c == "TStaticCheckBox") return TPreviewSample::StaticCheckBox;
  if (c == "TStaticRadioBtn") return TPreviewSample::StaticRadioBtn;
  if (c == "TStaticGroupBox" || c == "TTntGroupBox" || c == "TGroupBox")
    return TPreviewSample::StaticGroupBox;
  if (c == "TTntButton" || c == "TButton") return TPreviewSample::TntButton;
  if (c == "TTntLabel" || c == "TLabel") return TPreviewSample::TntLabel;
  if (c == "TCheckBox" || c == "TTntCheckBox") return TPreviewSample::TntCheckBox;
  if (c == "TRadioButton" || c == "TTntRadioButton") return TPreviewSample::TntRadioButton;
  if (c == "TTntComboBox" || c == "TComboBox") return TPreviewSample::TntComboBox;
  if (c == "TTntMenu" || c == "TTntMenuItem") return TPreviewSample::Menu;
  return TPreviewSample::None;
}

std::u16string ObjectInfoLine(std::string_view objectId, std::string_view className) {
  const auto slash = objectId.find('/');
  const std::string_view section =
      slash == std::string_view::npos ? std::string_view() : objectId.substr(0, slash);
  const std::string_view name = slash == std::string_view::npos ? objectId : objectId.substr(slash + 1);
  return u"[" + Utf8ToUtf16(CutAtLastDot(section)) + u"]  " + Utf8ToUtf16(CutAtLastDot(name)) + u"  (" +
         Utf8ToUtf16(className) + u")";
}

TPreviewFont PreviewFontOf(const TWordList &project) {
  const TObjectProps props(project);
  TPreviewFont font;
  if (const auto name = props.Value("_FontName")) font.Name = TransMan().DecodeText(*name);
  font.Height = props.Int("_FontHeight").value_or(-11);
  const std::string style = props.Value("_FontStyle").value_or(std::string());
  font.Bold = style == "[fsBold]" || style == "[fsBold, fsItalic]";
  font.Italic = style == "[fsItalic]" || style == "[fsBold, fsItalic]";
  return font;
}

int PreviewIconSizeOf(const TWordList &project) {
  const auto size = TObjectProps(project).Int("_ToolIconSize");
  if (!size) return 0;
  for (const int s : {16, 24, 32, 48, 64})
    if (*size == s) return s;
  return 0;
}

TPreviewPlan BuildPreviewPlan(TWordList &project, const TWordObj *current) {
  TPreviewPlan plan;
  if (!current) return plan;
  const std::string objectId = current->ObjectId();
  project.SetCurrentObject(objectId);
  if (!project.CurrentProps || project.CurrentProps->empty()) return plan;

  const TObjectProps props(project);
  const std::string cls = props.Value("_CN").value_or(std::string());
  if (const auto aid = props.Value("_AID"))
    plan.Label2 = u"AID " + TransMan().DecodeText(*aid);
  else if (const auto pid = props.Value("_PID"))
    plan.Label2 = u"PID " + TransMan().DecodeText(*pid);
  plan.StInfo = ObjectInfoLine(objectId, cls);

  const std::string &kind = current->Kind();
  if (kind == "TF" || kind == "TH" || kind == "VH" || kind == "THF") {
    HintLabel(plan, props, kind);
    return plan;
  }
  if (RunFamilyMember(plan, props, SampleForClass(cls))) return plan;
  // A member that gave up left the plan untouched; the fallbacks start from it.
  if (kind == "VI" || kind == "IT") {
    std::vector<std::u16string> items;
    if (ListItems(props, items)) FillListSample(plan, props, std::move(items), kListSampleWidth);
  } else if (kind == "TC") {
    ToolCaptionLabel(plan, props);
  } else {
    GenericLabel(plan, props);
  }
  return plan;
}

} // namespace vt
