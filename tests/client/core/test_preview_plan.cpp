// The preview's choice of sample, texts, size, font, icon and fallbacks for objects of a small
// hand-made project, one object per case.
#include "client/core/preview_plan.h"

#include "model/release_obj.h"
#include "model/word_list.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace vt;

namespace {

using TProject = TRef<TWordList>;
using TLines = std::vector<std::pair<const char *, const char *>>;

// Adds one object: kind/source pairs; returns the entry of `currentKind`.
TWordObj *AddObject(TWordList &p, const char *section, const char *name, const TLines &lines,
                    const char *currentKind = nullptr) {
  TWordObj *current = nullptr;
  for (const auto &[kind, source] : lines) {
    TWordObj *e = p.AddEntry(section, name, kind, source);
    if (currentKind && std::string_view(kind) == currentKind) current = e;
  }
  return current;
}

TLines HotButton() {
  return {{"_CN", "TStaticHotBtn"}, {"_AID", "1001"},
          {"_Width", "64"},         {"_Height", "56"},
          {"_ShowHint", "True"},    {"_ToolIconSize", "32"},
          {"TC", "&New"},           {"THF", "New|Create a new collection"}};
}

} // namespace

TEST(PreviewPlan, HotButtonWithEverything) {
  TProject p(new TWordList());
  TWordObj *tc = AddObject(*p, "TID_MainToolbar", "hbNew", HotButton(), "TC");
  tc->Translation = "&Nuevo";
  const TPreviewPlan plan = BuildPreviewPlan(*p, tc);
  EXPECT_EQ(plan.Sample, TPreviewSample::StaticHotBtn);
  EXPECT_EQ(PreviewSampleName(plan.Sample), "prev_StaticHotBtn");
  EXPECT_EQ(plan.Place, TPreviewPlace::AtFrame);
  EXPECT_EQ(plan.Width, 64);
  EXPECT_EQ(plan.Height, 56);
  EXPECT_EQ(plan.Caption, u"&Nuevo"); // translation where there is one
  EXPECT_TRUE(plan.HasToolText);
  EXPECT_EQ(plan.ToolHint, u"New");
  EXPECT_EQ(plan.ToolFullHint, u"Create a new collection");
  EXPECT_EQ(plan.Hint, u"New|Create a new collection");
  EXPECT_TRUE(plan.ShowHint);
  EXPECT_EQ(plan.Layout, THotLayout::GlyphTop); // absent layout
  EXPECT_TRUE(plan.ApplyIcon);
  EXPECT_EQ(plan.IconSize, 32);
  EXPECT_FALSE(plan.Font.has_value());
  EXPECT_EQ(plan.Badge, TPreviewBadge::None);
  EXPECT_EQ(plan.Label2, u"AID 1001");
  EXPECT_EQ(plan.StInfo, u"[TID_MainToolbar]  hbNew  (TStaticHotBtn)");

  // Typing changes the entry; the next plan shows it although the object stayed current.
  tc->Translation = "&Nuevo documento";
  EXPECT_EQ(BuildPreviewPlan(*p, tc).Caption, u"&Nuevo documento");
}

TEST(PreviewPlan, HotButtonPropertyEdgeCases) {
  TProject p(new TWordList());
  TWordObj *lower = AddObject(*p, "F", "a",
                              {{"_CN", "TStaticHotBtn"},
                               {"_Width", "40"},
                               {"_Height", "40"},
                               {"_ShowHint", "true"},
                               {"_ToolIconSize", "20"},
                               {"_Layout", "blGlyphRight"},
                               {"TC", "Go"}},
                              "TC");
  TPreviewPlan plan = BuildPreviewPlan(*p, lower);
  EXPECT_EQ(plan.Sample, TPreviewSample::StaticHotBtn);
  EXPECT_FALSE(plan.ShowHint); // only "True" switches hints on
  EXPECT_TRUE(plan.ApplyIcon); // size 20 is no picture size: the icon is cleared
  EXPECT_EQ(plan.IconSize, 0);
  EXPECT_FALSE(plan.Layout.has_value()); // unknown layout keeps the previous one
  EXPECT_EQ(plan.Hint, u"|");            // control hint is short "|" long even when both are empty
  EXPECT_EQ(plan.Label2, u"");

  TWordObj *left = AddObject(*p, "F", "b",
                             {{"_CN", "TStaticHotBtn"},
                              {"_Width", "80"},
                              {"_Height", "24"},
                              {"_Layout", "blGlyphLeft"},
                              {"_PID", "77"},
                              {"TC", "Go"}},
                             "TC");
  plan = BuildPreviewPlan(*p, left);
  EXPECT_EQ(plan.Layout, THotLayout::GlyphLeft);
  EXPECT_EQ(plan.Label2, u"PID 77");
  TWordObj *only = AddObject(*p, "F", "c",
                             {{"_CN", "TStaticHotBtn"},
                              {"_Width", "24"},
                              {"_Height", "24"},
                              {"_Layout", "blGlyphOnly"},
                              {"_Width", "99"},
                              {"TH", "Tip"}},
                             "TH");
  // A hint kind always shows the hint label, whatever the class.
  plan = BuildPreviewPlan(*p, only);
  EXPECT_EQ(plan.Sample, TPreviewSample::LabelHint);
}

TEST(PreviewPlan, HotButtonWithoutHeightFallsBack) {
  TProject p(new TWordList());
  TWordObj *tc = AddObject(*p, "F", "hb",
                           {{"_CN", "TStaticHotBtn"},
                            {"_Width", "64"},
                            {"_Height", "tall"},
                            {"TC", "&Save"},
                            {"TH", "Save"},
                            {"TF", "Save the file"},
                            {"VC", "x"}},
                           "TC");
  TPreviewPlan plan = BuildPreviewPlan(*p, tc);
  EXPECT_EQ(plan.Sample, TPreviewSample::Generic); // tool-caption label
  EXPECT_EQ(plan.Place, TPreviewPlace::BesideBadge);
  EXPECT_EQ(plan.Badge, TPreviewBadge::HintTC);
  EXPECT_EQ(plan.Caption, u"&Save");
  EXPECT_EQ(plan.Hint, u"Save|Save the file");
  EXPECT_TRUE(plan.ShowHint);
  ASSERT_TRUE(plan.Look.has_value());
  EXPECT_EQ(plan.Look->Sizing, TLabelSizing::Auto);
  EXPECT_FALSE(plan.Look->Bold);
  EXPECT_FALSE(plan.HasToolText);
  EXPECT_FALSE(plan.ApplyIcon);

  TWordObj *vc = nullptr;
  for (TWordObj *e : p->Items)
    if (e->Kind() == "VC") vc = e;
  plan = BuildPreviewPlan(*p, vc);
  EXPECT_EQ(plan.Sample, TPreviewSample::Generic); // generic label at the frame's corner
  EXPECT_EQ(plan.Place, TPreviewPlace::AtFrame);
  EXPECT_EQ(plan.Width, 0);
  EXPECT_EQ(plan.Height, 0);
  EXPECT_EQ(plan.Badge, TPreviewBadge::None);
  EXPECT_EQ(plan.Caption, u"x");
  EXPECT_FALSE(plan.ShowHint);
}

TEST(PreviewPlan, HintLabels) {
  TProject p(new TWordList());
  TWordObj *tf =
      AddObject(*p, "F", "t", {{"_CN", "TStaticPushBtn"}, {"TH", "Print"}, {"TF", "Prints the page"}}, "TF");
  TPreviewPlan plan = BuildPreviewPlan(*p, tf);
  EXPECT_EQ(plan.Sample, TPreviewSample::LabelHint);
  EXPECT_EQ(plan.Badge, TPreviewBadge::HintTF);
  EXPECT_EQ(plan.Caption, u"Prints the page");
  EXPECT_EQ(plan.Hint, u"Print|Prints the page");
  EXPECT_TRUE(plan.ShowHint);
  ASSERT_TRUE(plan.Look.has_value());
  EXPECT_EQ(plan.Look->Sizing, TLabelSizing::FixedToPanel);
  EXPECT_TRUE(plan.Look->WordWrap);
  EXPECT_FALSE(plan.Look->Color.has_value());

  TWordObj *th = nullptr;
  for (TWordObj *e : p->Items)
    if (e->Kind() == "TH") th = e;
  plan = BuildPreviewPlan(*p, th);
  EXPECT_EQ(plan.Badge, TPreviewBadge::HintTH);
  EXPECT_EQ(plan.Caption, u"Print");
  EXPECT_TRUE(plan.Look->Bold);
  EXPECT_EQ(plan.Look->Color, kRgbShortHint);
  EXPECT_EQ(plan.Look->Sizing, TLabelSizing::Auto);
  EXPECT_FALSE(plan.Look->WordWrap);

  TWordObj *vh = AddObject(*p, "F", "v", {{"VH", "Short|Long|more"}}, "VH");
  plan = BuildPreviewPlan(*p, vh);
  EXPECT_EQ(plan.Badge, TPreviewBadge::HintVH);
  EXPECT_EQ(plan.Caption, u"Short\nLong|more");
  EXPECT_EQ(plan.Hint, u"Short|Long|more");
  EXPECT_EQ(plan.StInfo, u"[F]  v  ()"); // no hidden property lines: empty parentheses

  TWordObj *pair = AddObject(*p, "F", "p", {{"THF", "Open|Opens a file"}}, "THF");
  plan = BuildPreviewPlan(*p, pair);
  EXPECT_EQ(plan.Badge, TPreviewBadge::HintVH);
  EXPECT_EQ(plan.Caption, u"Open\nOpens a file");
  EXPECT_EQ(plan.Hint, u"Open|Opens a file");
  pair->Translation = "Abrir"; // short hint alone: no line break, no bar
  plan = BuildPreviewPlan(*p, pair);
  EXPECT_EQ(plan.Caption, u"Abrir");
  EXPECT_EQ(plan.Hint, u"Abrir");
  pair->Translation = "Abrir|"; // a trailing bar is dropped from the caption
  EXPECT_EQ(BuildPreviewPlan(*p, pair).Caption, u"Abrir");
}

TEST(PreviewPlan, FamilyMembersSizesFontsAndTexts) {
  TProject p(new TWordList());
  TWordObj *check = AddObject(*p, "F", "cb",
                              {{"_CN", "TTntCheckBox"},
                               {"_Width", "120"},
                               {"_Height", "17"},
                               {"_FontName", "Arial"},
                               {"_FontHeight", "-13"},
                               {"_FontStyle", "[fsBold, fsItalic]"},
                               {"VC", "&Remember"}},
                              "VC");
  TPreviewPlan plan = BuildPreviewPlan(*p, check);
  EXPECT_EQ(plan.Sample, TPreviewSample::TntCheckBox);
  EXPECT_EQ(plan.Width, 120);
  EXPECT_EQ(plan.Height, 0); // width only: the sample keeps its own height
  ASSERT_TRUE(plan.Font.has_value());
  EXPECT_EQ(*plan.Font, (TPreviewFont{u"Arial", -13, true, true}));
  EXPECT_EQ(plan.Hint, u"");

  TWordObj *button = AddObject(*p, "F", "bt",
                               {{"_CN", "TButton"},
                                {"_Width", "75"},
                                {"_Height", "25"},
                                {"_FontStyle", "[fsItalic, fsBold]"},
                                {"VC", "OK"},
                                {"VH", "Accept|All of it"}},
                               "VC");
  plan = BuildPreviewPlan(*p, button);
  EXPECT_EQ(plan.Sample, TPreviewSample::TntButton);
  EXPECT_TRUE(plan.FontAfterTexts);
  EXPECT_EQ(*plan.Font, TPreviewFont{}); // unknown style: regular; defaults for the rest
  EXPECT_EQ(plan.Hint, u"Accept|All of it");

  TWordObj *label = AddObject(*p, "F", "lb",
                              {{"_CN", "TLabel"},
                               {"_Width", "200"},
                               {"_Height", "30"},
                               {"_AutoSize", "True"},
                               {"_WordWrap", "True"},
                               {"VC", "Long text"}},
                              "VC");
  plan = BuildPreviewPlan(*p, label);
  EXPECT_EQ(plan.Sample, TPreviewSample::TntLabel);
  ASSERT_TRUE(plan.Look.has_value());
  EXPECT_EQ(plan.Look->Sizing, TLabelSizing::Auto);
  EXPECT_TRUE(plan.Look->WordWrap);

  TWordObj *edit = AddObject(*p, "F", "ed",
                             {{"_CN", "TStaticEditCtrl"},
                              {"_Width", "180"},
                              {"_Height", "22"},
                              {"_Margin", "8"},
                              {"_ToolIconSize", "16"},
                              {"TC", "Name:"}},
                             "TC");
  plan = BuildPreviewPlan(*p, edit);
  EXPECT_EQ(plan.Sample, TPreviewSample::StaticEditCtrl);
  EXPECT_TRUE(plan.HasEditMetrics);
  EXPECT_EQ(plan.Margin, 8);
  EXPECT_EQ(plan.DefWidth, 65);
  EXPECT_EQ(plan.IconGap, 2);
  EXPECT_EQ(plan.IconSize, 16);
  EXPECT_FALSE(plan.Hint.has_value()); // the edit control's own hint is left alone

  TWordObj *radio =
      AddObject(*p, "F", "rb", {{"_CN", "TStaticRadioBtn"}, {"_Width", "90"}, {"TC", "One"}}, "TC");
  plan = BuildPreviewPlan(*p, radio);
  EXPECT_EQ(plan.Sample, TPreviewSample::StaticRadioBtn);
  EXPECT_EQ(plan.Height, 0);
  EXPECT_TRUE(plan.Font.has_value());

  // A group box needs a caption: a hint alone falls back to the generic label.
  TWordObj *group =
      AddObject(*p, "F", "gb", {{"_CN", "TGroupBox"}, {"_Width", "300"}, {"VC", "Options"}}, "VC");
  EXPECT_EQ(BuildPreviewPlan(*p, group).Sample, TPreviewSample::StaticGroupBox);
  EXPECT_FALSE(BuildPreviewPlan(*p, group).Font.has_value());
  TWordObj *hintOnly = AddObject(*p, "F", "gh", {{"_CN", "TGroupBox"}, {"_Width", "300"}, {"VT", "x"}}, "VT");
  AddObject(*p, "F", "gh", {{"VH", "Only a hint"}});
  EXPECT_EQ(BuildPreviewPlan(*p, hintOnly).Sample, TPreviewSample::Generic);

  // A huge size is bounded; a menu item goes beside its badge.
  TWordObj *huge = AddObject(
      *p, "F", "hg", {{"_CN", "TStaticPushBtn"}, {"_Width", "99999999999"}, {"_Height", "20"}, {"TC", "Go"}},
      "TC");
  EXPECT_LE(BuildPreviewPlan(*p, huge).Width, 8192);
  TWordObj *menu =
      AddObject(*p, "TID_MainMenu0", "mnuFile", {{"_CN", "TTntMenuItem"}, {"VC", "&File"}}, "VC");
  plan = BuildPreviewPlan(*p, menu);
  EXPECT_EQ(plan.Sample, TPreviewSample::Menu);
  EXPECT_EQ(plan.Place, TPreviewPlace::BesideBadge);
  EXPECT_EQ(PreviewBadgeName(plan.Badge), "im_menu");
}

TEST(PreviewPlan, ListItems) {
  TProject p(new TWordList());
  TWordObj *combo = AddObject(*p, "F", "cmb",
                              {{"_CN", "TTntComboBox"},
                               {"_Width", "150"},
                               {"_ShowHint", "True"},
                               {"IT", "\"One\",\"Two\",\"Three\""}},
                              "IT");
  TPreviewPlan plan = BuildPreviewPlan(*p, combo);
  EXPECT_EQ(plan.Sample, TPreviewSample::TntComboBox);
  EXPECT_EQ(plan.Width, 150);
  EXPECT_EQ(plan.Items, (std::vector<std::u16string>{u"One", u"Two", u"Three"}));
  EXPECT_EQ(plan.ShownText, u"One");
  EXPECT_EQ(plan.Hint, u"");
  EXPECT_TRUE(plan.ShowHint);

  // Without a class sample: the list sample at 200 pixels, "VI" preferred over "IT".
  TWordObj *vi =
      AddObject(*p, "F", "lst", {{"_CN", "TListBox"}, {"IT", "\"x\""}, {"VI", "Red\\nGreen"}}, "IT");
  vi->Translation = "\"Rojo\"";
  plan = BuildPreviewPlan(*p, vi);
  EXPECT_EQ(plan.Sample, TPreviewSample::TntComboBox);
  EXPECT_EQ(plan.Width, 200);
  EXPECT_EQ(plan.Items, (std::vector<std::u16string>{u"Red", u"Green"}));

  // A combo box class without items falls back by kind.
  TWordObj *bare = AddObject(*p, "F", "cb2", {{"_CN", "TComboBox"}, {"_Width", "150"}, {"VC", "Pick"}}, "VC");
  EXPECT_EQ(BuildPreviewPlan(*p, bare).Sample, TPreviewSample::Generic);
}

TEST(PreviewPlan, NoEntryAndInfoLine) {
  TProject p(new TWordList());
  const TPreviewPlan none = BuildPreviewPlan(*p, nullptr);
  EXPECT_EQ(none.Sample, TPreviewSample::None);
  EXPECT_FALSE(none.StInfo.has_value());
  EXPECT_EQ(none.Label2, u"");
  EXPECT_EQ(ObjectInfoLine("TID_Form1/Button1", "TStaticHotBtn"), u"[TID_Form1]  Button1  (TStaticHotBtn)");
  EXPECT_EQ(ObjectInfoLine("Sec.v2/item.sub.x", "TLabel"), u"[Sec]  item.sub  (TLabel)");
  EXPECT_EQ(ObjectInfoLine("A/b/c", ""), u"[A]  b/c  ()");
  EXPECT_EQ(SampleForClass("TStaticHotBtn "), TPreviewSample::None); // exact names only
  EXPECT_EQ(SampleForClass("TTntGroupBox"), TPreviewSample::StaticGroupBox);
}
