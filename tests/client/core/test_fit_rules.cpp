// Whether a measured text fits its control: fixed controls, growing labels, tabs, toolbars, and
// the characters an 8-bit control loses.
#include "client/core/fit_rules.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TFitMeasure Button(std::vector<int> lines, int width = 80, int height = 23) {
  TFitMeasure m;
  m.Bounds = {10, 10, width, height};
  m.LineWidths = std::move(lines);
  m.LineHeight = 16;
  m.ChromeWidth = 12;
  return m;
}

TEST(FitRules, FixedControlsCountTheWidestLineAndTheChrome) {
  EXPECT_TRUE(CheckFit(Button({68})).empty()); // exactly fits: 68 + 12 = 80
  EXPECT_EQ(CheckFit(Button({69})), (std::vector<TFitFinding>{{"too wide", 81, 80}}));
  EXPECT_EQ(CheckFit(Button({40, 90, 10})), (std::vector<TFitFinding>{{"too wide", 102, 80}}));
  EXPECT_TRUE(CheckFit(Button({})).empty());
  // Two lines in a one-line button: the height only counts when asked.
  TFitMeasure two = Button({30, 30});
  EXPECT_TRUE(CheckFit(two).empty());
  two.CheckHeight = true;
  two.ChromeHeight = 4;
  EXPECT_EQ(CheckFit(two), (std::vector<TFitFinding>{{"too tall", 36, 23}}));
  // Word wrap: never too wide, but the wrapped lines must fit the height (68 px of text per line).
  TFitMeasure wrap = Button({150}, 80, 40);
  wrap.WordWrap = true;
  EXPECT_EQ(CheckFit(wrap), (std::vector<TFitFinding>{{"too tall", 48, 40}}));
  wrap.Bounds.Height = 48;
  EXPECT_TRUE(CheckFit(wrap).empty());
}

TEST(FitRules, AutoSizeLabelsPassingTheParentOrCoveringASibling) {
  TFitMeasure label;
  label.Shape = TFitShape::AutoSizeText;
  label.Bounds = {8, 10, 50, 16};
  label.ParentWidth = 200;
  label.ParentHeight = 100;
  label.LineHeight = 16;
  label.Siblings = {{"cbLanguage", {100, 8, 90, 21}},
                    {"lblBelow", {8, 40, 50, 16}},
                    {"bvlBehind", {0, 0, 200, 100}}}; // already under the label in the form
  label.LineWidths = {80};
  EXPECT_TRUE(CheckFit(label).empty()); // grows to 88, stops short of the combo at 100
  label.LineWidths = {95};
  EXPECT_EQ(CheckFit(label), (std::vector<TFitFinding>{{"covers cbLanguage", 95, 92}}));
  label.LineWidths = {250};
  const auto passing = CheckFit(label);
  ASSERT_EQ(passing.size(), 2u);
  EXPECT_EQ(passing[0], (TFitFinding{"passes its parent", 250, 192}));
  EXPECT_EQ(passing[1].Reason, "covers cbLanguage");
  // Lines that grow the label downwards cover the label below it.
  label.LineWidths = {20, 20};
  EXPECT_EQ(CheckFit(label), (std::vector<TFitFinding>{{"covers lblBelow", 32, 30}}));
  label.LineWidths = std::vector<int>(7, 20);
  EXPECT_EQ(CheckFit(label)[0], (TFitFinding{"passes its parent", 112, 90}));
  // With an unknown parent only the siblings count.
  label.ParentWidth = label.ParentHeight = -1;
  label.LineWidths = {250};
  EXPECT_EQ(CheckFit(label).size(), 1u);
}

TEST(FitRules, TabsAndToolbars) {
  TFitMeasure tabs;
  tabs.Shape = TFitShape::Tabs;
  tabs.Bounds = {0, 0, 200, 24};
  tabs.ChromeWidth = 12;
  tabs.LineWidths = {50, 60, 54}; // 164 + 36 = 200
  EXPECT_TRUE(CheckFit(tabs).empty());
  tabs.LineWidths.push_back(1);
  EXPECT_EQ(CheckFit(tabs), (std::vector<TFitFinding>{{"tabs too wide", 213, 200}}));

  TFitMeasure bar;
  bar.Shape = TFitShape::Toolbar;
  bar.Bounds = {0, 0, 300, 60};
  bar.Children = {{1, 2, 64, 56}, {68, 2, 200, 56}};
  EXPECT_TRUE(CheckFit(bar).empty());
  bar.Children.push_back({271, 2, 40, 56});
  EXPECT_EQ(CheckFit(bar), (std::vector<TFitFinding>{{"toolbar overflows", 311, 300}}));
}

TEST(FitRules, RectanglesShareAPixelToIntersect) {
  const TFitRect a{0, 0, 10, 10};
  EXPECT_TRUE(a.Intersects({9, 9, 5, 5}));
  EXPECT_FALSE(a.Intersects({10, 0, 5, 5})); // touching edges
  EXPECT_FALSE(a.Intersects({2, 2, 0, 5}));  // empty
}

TEST(FitRules, MeasuredLinesDropAcceleratorMarks) {
  EXPECT_EQ(MeasureLines(u"E&xaminar..."), std::vector<std::u16string>{u"Examinar..."});
  EXPECT_EQ(MeasureLines(u"Save && &Close"), std::vector<std::u16string>{u"Save & Close"});
  EXPECT_EQ(MeasureLines(u"a&\r\nb\nc\r"), (std::vector<std::u16string>{u"a", u"b", u"c", u""}));
  EXPECT_EQ(MeasureLines(u"a&b", false), std::vector<std::u16string>{u"a&b"});
  EXPECT_TRUE(MeasureLines(u"").empty());
}

TEST(FitRules, EightBitControlsLoseWhatTheCodePageLacks) {
  EXPECT_EQ(LostCharacters(u"Caf\u00e9 \u20ac \u2013 ?"), 0); // all in Windows-1252, "?" included
  EXPECT_EQ(LostCharacters(u"\u0395\u03bb \u4e2d"), 3);
  EXPECT_EQ(LostCharacters(u"\U0001D11E"), 1); // a surrogate pair is one character
  EXPECT_EQ(LostCharacters(u"\u0081"), 0);     // an unassigned byte of the code page still round-trips
  EXPECT_TRUE(HoldsWideText("TTntLabel"));
  EXPECT_TRUE(HoldsWideText("TStaticPushBtn"));
  EXPECT_TRUE(HoldsWideText("TThemeTabSheet"));
  EXPECT_TRUE(HoldsWideText("TmmNumEdit"));
  EXPECT_FALSE(HoldsWideText("TLabel"));
  EXPECT_FALSE(HoldsWideText("TTabSet"));
  EXPECT_EQ(CheckLostCharacters("TLabel", u"\u4e2d\u6587"), (TFitFinding{"loses 2 characters", 2, 0}));
  EXPECT_EQ(CheckLostCharacters("TButton", u"\u4e2d")->Reason, "loses 1 character");
  EXPECT_EQ(CheckLostCharacters("TTntLabel", u"\u4e2d\u6587"), std::nullopt);
  EXPECT_EQ(CheckLostCharacters("TLabel", u"Caf\u00e9"), std::nullopt);
}

TEST(FitRules, ReportLinesAreOneLineEach) {
  EXPECT_EQ(FitReportLine("TID_OptionsDlg/btnBrowse.VC", {"too wide", 118, 80}, u"E&xaminar carpetas..."),
            "TID_OptionsDlg/btnBrowse.VC\t118\t80\ttoo wide\tE&xaminar carpetas...");
  EXPECT_EQ(FitReportLine("S/l.VC", {"loses 1 character", 1, 0}, u"a\tb\r\n\u4e2d"),
            "S/l.VC\t1\t0\tloses 1 character\ta b|\xe4\xb8\xad");
}

} // namespace
} // namespace vt
