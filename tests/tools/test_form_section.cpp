// From form text to raw-data section lines: filtering, the tree, literals, kinds and hints.
#include "sample_forms.h"
#include "tools/binary_form.h"
#include "tools/error.h"
#include "tools/form_filter.h"
#include "tools/form_section.h"
#include "tools/resource_info.h"

#include <gtest/gtest.h>

using namespace vt;
using Lines = std::vector<std::string>;

namespace {

Lines Section(const Lines &formText) {
  return BuildFormSection(PrepareForm(formText).get());
}

Lines SectionOfBinary(const std::string &bytes) {
  return Section(SplitLines(ConvertBinaryForm(bytes)));
}

} // namespace

TEST(FormSection, RawDataExampleFromBinaryForm) {
  EXPECT_EQ(SectionOfBinary(test::OptionsDlgForm()), (Lines{"[OptionsDlg]",
                                                            "OptionsDlg._CN=TOptionsDlg",
                                                            "OptionsDlg.VC=Options",
                                                            "OptionsDlg._Width=400",
                                                            "",
                                                            "btnOK._CN=TButton",
                                                            "btnOK.VC=OK",
                                                            "btnOK.VH=Close\\nand save",
                                                            "btnOK._Width=75",
                                                            "",
                                                            "cbMode._CN=TComboBox",
                                                            "cbMode.VI=Fast\\nSlow",
                                                            "cbMode._Width=120",
                                                            "",
                                                            "tbSave._CN=TStaticHotBtn",
                                                            "tbSave._AID=12",
                                                            "tbSave.THF=Save|Save the file",
                                                            "",
                                                            "lbHasGlobalTrans._CN=TLabel",
                                                            "lbHasGlobalTrans.VC=",
                                                            ""}));
}

TEST(FormSection, InheritedFramesCollectionsBinaryAndHiddenObjects) {
  // Wide caption, a binary block of two lines, a collection, an inherited frame, a separator and
  // an object with Cursor = crNo.
  EXPECT_EQ(SectionOfBinary(test::MainFormForm()),
            (Lines{"[MainForm]", "MainForm._CN=TMainForm", "MainForm.VC=Main \xD0\x96 window",
                   "MainForm._Width=800", "MainForm._Tag=0", "", "btnGo._CN=TButton", "btnGo.VC=Go",
                   "btnGo._Width=50", "", "lbHasGlobalTrans._CN=TLabel", "lbHasGlobalTrans.VC=x", ""}));
}

TEST(FormSection, FilterJoinsContinuedValues) {
  EXPECT_EQ(FilterFormText(TrimLines({"  Items.Strings = (", "    'L'", "    'M'", "    'S')"})),
            (Lines{"Items.Strings = ( 'L' , 'M' , 'S')"}));
  EXPECT_EQ(FilterFormText({"Caption =", "'aaa' +", "'bbb'"}), (Lines{"Caption ='aaa' + 'bbb'"}));
  // A continuation after a dropped property is dropped too.
  EXPECT_EQ(FilterFormText({"Width = 5", "Left = 3", "'orphan'"}), (Lines{"Width = 5"}));
  // Defaults of the standard font, separators and collections disappear; a top-level "end>" stays.
  EXPECT_EQ(FilterFormText({"Font.Height = -11", "Caption = '-'", "Columns = <", "item", "Caption = 'in'",
                            "end>", "end"}),
            (Lines{"end>", "end"}));
  // A continuation line while the output is still empty is kept as a line.
  EXPECT_EQ(FilterFormText({"'first'"}), (Lines{"'first'"}));
}

TEST(FormSection, LongPlainHintIsKeptWhole) {
  EXPECT_EQ(FilterFormText({"Hint =", "'aaa' +", "'bbb'"}), (Lines{"Hint ='aaa' + 'bbb'"}));
  // The converter writes a hint over 64 characters on lines of its own, joined with " +".
  const std::string hint =
      "Opens the file chooser, then loads the chosen collection into the list of the window";
  ASSERT_GT(hint.size(), 64u);
  test::TFormWriter w;
  w.Object("TForm1", "Form1").Prop("Caption").Str("F").EndList();
  w.Object("TButton", "btnOpen").Prop("Caption").Str("Open").Prop("Hint").Str(hint).EndList().EndList();
  w.Object("TLabel", "lbHasGlobalTrans").Prop("Caption").Str("").EndList().EndList();
  w.EndList();
  const Lines section = SectionOfBinary(w.Bytes());
  EXPECT_NE(std::find(section.begin(), section.end(), "btnOpen.VH=" + hint), section.end())
      << ::testing::PrintToString(section);
}

TEST(FormSection, BinaryBlocksCollapse) {
  EXPECT_EQ(CollapseBinaryBlocks({"  Data = {", "    0011", "    2233}", "  Width = 3"}),
            (Lines{"  Data = {    2233}", "  Width = 3"}));
  // A block that closes on its own line opens nothing; the next property is kept.
  EXPECT_EQ(CollapseBinaryBlocks({"  Data = {0011}", "  Caption = 'x'"}),
            (Lines{"  Data = {0011}", "  Caption = 'x'"}));
}

TEST(FormSection, DecodeLiteral) {
  EXPECT_EQ(DecodeLiteral("( 'L' , 'M' , 'S')"), u"L\rM\rS");
  EXPECT_EQ(DecodeLiteral("'It'#39's'"), u"It's");
  EXPECT_EQ(DecodeLiteral("#1040#1041"), u"\u0410\u0411");
  EXPECT_EQ(DecodeLiteral("'caf\xE9' + #128"), u"caf\u00e9\u20AC");
  EXPECT_EQ(DecodeLiteral("# 'a'"), u"a");
  EXPECT_EQ(DecodeLiteral("#99999999999"), u"\uFFFD");
  EXPECT_EQ(DecodeLiteral("''"), u"");
}

TEST(FormSection, ObjectRules) {
  // Label with and without width.
  EXPECT_EQ(Section({"object Label1: TLabel", "Caption = 'OK'", "Width = 75", "end"}),
            (Lines{"[Label1]", "Label1._CN=TLabel", "Label1.VC=OK", "Label1._Width=75", ""}));
  EXPECT_EQ(Section({"object Label1: TLabel", "Caption = 'OK'", "Height = 7", "end"}),
            (Lines{"[Label1]", "Label1._CN=TLabel", "Label1.VC=OK", ""}));
  // Hints merge; only the full hint; only the hint; layout names lose their first point.
  EXPECT_EQ(Section({"object Ctl: TX", "TextData.Hint = 'a'", "TextData.FullHint = 'b'", "end"})[2],
            "Ctl.THF=a|b");
  EXPECT_EQ(Section({"object Ctl: TX", "ToolText.FullHint = 'b'", "end"})[2], "Ctl.THF=|b");
  EXPECT_EQ(Section({"object Ctl: TX", "ToolText.Hint = 'a'", "end"})[2], "Ctl.THF=a");
  EXPECT_EQ(Section({"object Ctl: TX", "Caption = 'c'", "Font.Name = 'Arial'", "Width = 1", "end"})[3],
            "Ctl._FontName='Arial'");
  // Tag = -1 hides the object's own entries only; Cursor = crNo (any case) and TmmNumEdit hide the subtree.
  EXPECT_EQ(Section({"object P: TPanel", "Tag = -1", "Caption = 'p'", "object C: TLabel", "Caption = 'c'",
                     "end", "end"}),
            (Lines{"[P]", "C._CN=TLabel", "C.VC=c", ""}));
  EXPECT_EQ(Section({"object P: TPanel", "Cursor = CRNO", "Caption = 'p'", "object C: TLabel",
                     "Caption = 'c'", "end", "end"}),
            (Lines{"[P]"}));
  EXPECT_EQ(Section({"object F: TForm", "object N: TmmNumEdit", "object C: TLabel", "Caption = 'c'", "end",
                     "end", "object D: TLabel", "Caption = 'd'", "end", "end"}),
            (Lines{"[F]", "D._CN=TLabel", "D.VC=d", ""}));
  EXPECT_EQ(KindOfProperty("caption"), "");
  EXPECT_EQ(KindOfProperty("PropData.PID"), "_PID");
}

TEST(FormSection, TreeShapesAndBadHeaders) {
  auto two = PrepareForm({"object A: TA", "end", "object B: TB", "end"});
  ASSERT_TRUE(two);
  EXPECT_EQ(two->ObjName, "Root");
  EXPECT_EQ(two->Children.size(), 2u);
  auto one = PrepareForm({"object A: TA", "object B: TB [2]", "end", "end"});
  EXPECT_EQ(one->ObjName, "A");
  EXPECT_EQ(one->Parent, nullptr);
  EXPECT_EQ(one->Children[0]->ObjClass, "TB");
  EXPECT_EQ(one->Children[0]->Parent, one.get());
  EXPECT_EQ(PrepareForm({}), nullptr);
  try {
    PrepareForm({"object TLabel", "end"});
    FAIL();
  } catch (const EGrabAssertion &e) {
    EXPECT_STREQ(e.what(), "object TLabel");
  }
  EXPECT_THROW(PrepareForm({"object : TLabel"}), EGrabAssertion);
  // Inline frames keep their contents; surplus "end" lines are harmless.
  auto inl = PrepareForm({"object F: TForm", "inline Fr: TFrame", "object B: TButton", "end", "end",
                          "object C: TLabel", "end", "end", "end", "end"});
  ASSERT_EQ(inl->ObjName, "F");
  ASSERT_EQ(inl->Children.size(), 2u);
  EXPECT_EQ(inl->Children[0]->Children[0]->ObjName, "B");
  Lines deep;
  for (int i = 0; i < 1000; ++i) deep.push_back("object O: TO");
  EXPECT_THROW(PrepareForm(deep), EGrabError);
}

TEST(FormSection, RemoveUnusedActions) {
  auto tree = PrepareForm({"object Zt4_Actions: TStore", "object A1: TAct", "ActionID = 10", "Caption = 'a'",
                           "end", "object A2: TAct", "ActionID = 20", "end", "object A3: TAct",
                           "Caption = 'c'", "end", "object A4: TAct", "ActionID = Abc", "end", "end"});
  RemoveUnusedActions(*tree, {"10", "ABC"});
  ASSERT_EQ(tree->Children.size(), 3u);
  EXPECT_EQ(tree->Children[0]->ObjName, "A1");
  EXPECT_EQ(tree->Children[1]->ObjName, "A3");
  EXPECT_EQ(tree->Children[2]->ObjName, "A4");
}
