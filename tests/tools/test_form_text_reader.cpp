// Whole form texts read into typed object trees: texts written by the real binary-form converter,
// hand-written texts, and damaged or hostile input.
#include "form_writer.h"
#include "tools/binary_form.h"
#include "tools/form_text_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using vt::ReadFormText;
using vt::TFormObject;
using vt::TFormValueKind;
using vt::test::TFormWriter;

namespace {

std::unique_ptr<TFormObject> Read(const std::string &text) {
  std::string error;
  auto root = ReadFormText(text, &error);
  EXPECT_TRUE(root) << error << "\n" << text;
  return root;
}

std::string ErrorOf(const std::string &text, const vt::TFormTextLimits &limits = {}) {
  std::string error;
  auto root = ReadFormText(text, &error, limits);
  EXPECT_FALSE(root) << text;
  return error;
}

// A dialog with the property kinds a preview needs, written as a binary form and converted.
std::string DialogFormText() {
  const std::string longCaption(70, 'x');
  TFormWriter w;
  w.Object("TTntForm", "TID_OptionsDlg");
  w.Prop("Left").Int(-8).Prop("Top").Int(300).Prop("Width").Int(520).Prop("Height").Int(70000);
  w.Prop("Caption").Str("It's caf\xE9");
  w.Prop("Font.Style").Set({"fsBold", "fsItalic"});
  w.Prop("Visible").Bool(false);
  w.Prop("Icon.Data").Binary(std::string(40, '\x7F'));
  w.Prop("Glyph").Binary("\x01\x02");
  w.Prop("Scale").Extended(1.5).Prop("Ratio").Single(0.25f).Prop("Price").Currency(12345);
  w.Prop("Big").Int64(-9000000000LL).Prop("PopupMenu").Nil().Prop("Empty").Str("");
  w.Prop("Columns").Collection();
  w.Item(0).Prop("Caption").Str("Name").Prop("Width").Int(60).EndList();
  w.Item().Prop("Sub").Collection().Item().Prop("X").Int(1).EndList().EndList().EndList();
  w.EndList();
  w.Prop("Align").Ident("alClient");
  w.EndList();
  w.Object("TTntLabel", "lblName").Prop("Caption").WStr(u"\u0410\u0411 ok").Prop("Hint").Str(longCaption);
  w.Prop("Tag").Int(-1).EndList().EndList();
  w.Object("TPanel", "pnlTools").Prop("Tag").Int(1234).EndList();
  w.Object("TStaticHotBtn", "hbOpen").Prop("ToolText.Caption").Str("&Open").EndList().EndList();
  w.Object("TComboBox", "cbKind").Prop("Items.Strings").List().Str("a").Str("b,c").Str("").EndList();
  w.Prop("ItemIndex").Int(1).EndList().EndList();
  w.EndList();                                          // children of pnlTools
  w.Object("TFrame1", "Frame1", 4).EndList().EndList(); // inline
  w.Object("TButton", "btnOK", 1 | 2, 3).EndList().EndList();
  w.EndList(); // children of the root
  return vt::ConvertBinaryForm(w.Bytes());
}

} // namespace

TEST(FormTextReader, ConverterOutputGivesTypedValues) {
  const std::string text = DialogFormText();
  auto root = Read(text);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Name, "TID_OptionsDlg");
  EXPECT_EQ(root->ClassName, "TTntForm");
  EXPECT_EQ(root->Int("Left"), -8);
  EXPECT_EQ(root->Int("Height"), 70000);
  EXPECT_EQ(root->Text("Caption"), u"It's caf\u00e9");
  EXPECT_FALSE(root->Find("Caption")->Value.WideLiteral);
  EXPECT_EQ(root->Set("Font.Style"), (std::vector<std::string>{"fsBold", "fsItalic"}));
  EXPECT_FALSE(root->Bool("Visible", true));
  EXPECT_TRUE(root->Bool("Enabled", true)); // missing: the default
  EXPECT_EQ(root->Ident("Align"), "alClient");
  EXPECT_EQ(root->Find("Scale")->Value.Kind, TFormValueKind::Float);
  EXPECT_DOUBLE_EQ(root->Find("Scale")->Value.Float, 1.5);
  EXPECT_DOUBLE_EQ(root->Find("Ratio")->Value.Float, 0.25);
  EXPECT_DOUBLE_EQ(root->Find("Price")->Value.Float, 1.2345);
  EXPECT_EQ(root->Int("Big"), -9000000000LL);
  EXPECT_EQ(root->Find("PopupMenu")->Value.Kind, TFormValueKind::Nil);
  EXPECT_EQ(root->Text("Empty"), u"");
  // Binary data and collections are left out; everything after them is still read.
  EXPECT_EQ(root->Find("Icon.Data"), nullptr);
  EXPECT_EQ(root->Find("Glyph"), nullptr);
  EXPECT_EQ(root->Find("Columns"), nullptr);
  EXPECT_EQ(root->Int("Caption"), std::nullopt); // typed reads of another kind give nothing

  ASSERT_EQ(root->Children.size(), 4u);
  const TFormObject &label = *root->Children[0];
  EXPECT_EQ(label.Parent, root.get());
  EXPECT_EQ(label.Text("Caption"), u"\u0410\u0411 ok");
  EXPECT_TRUE(label.Find("Caption")->Value.WideLiteral);
  EXPECT_EQ(label.Text("Hint"), std::u16string(70, u'x')); // split over lines with " +"
  EXPECT_EQ(label.Int("Tag"), -1);

  const TFormObject &panel = *root->Children[1];
  EXPECT_EQ(panel.Int("Tag"), 1234);
  ASSERT_EQ(panel.Children.size(), 2u);
  EXPECT_EQ(panel.Children[0]->Text("ToolText.Caption"), u"&Open");
  EXPECT_EQ(panel.Children[1]->Strings("Items.Strings"), (std::vector<std::u16string>{u"a", u"b,c", u""}));
  EXPECT_EQ(panel.Children[1]->Int("ItemIndex"), 1);
  EXPECT_EQ(panel.Children[1]->Parent, &panel);

  EXPECT_TRUE(root->Children[2]->Inline);
  EXPECT_EQ(root->Children[2]->ClassName, "TFrame1");
  EXPECT_TRUE(root->Children[3]->Inherited);
  EXPECT_EQ(root->Children[3]->Position, 3);

  int objects = 0;
  vt::VisitFormObjects(*root, [&](const TFormObject &) { ++objects; });
  EXPECT_EQ(objects, 7);
  EXPECT_TRUE(vt::LooksLikeFormText(text));
}

TEST(FormTextReader, HandWrittenTexts) {
  // Doubled apostrophes, commas in lists, keywords in any case, hexadecimal numbers, unnamed
  // objects, LF line ends, codes next to quoted runs.
  auto root = Read("OBJECT Form1: TForm\n  Caption = 'It''s'#13#10'two' + \n  ' lines'\n"
                   "  Color = $00FF\n  Lines.Strings = ('a', 'b')\n  Value = -2.5E3\n  Rate = 3d\n"
                   "  Inf = -INF\n  object TTimer\n    Interval = 50\n  End\nend\n");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Text("Caption"), u"It's\r\ntwo lines");
  EXPECT_EQ(root->Int("Color"), 255);
  EXPECT_EQ(root->Strings("Lines.Strings"), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_DOUBLE_EQ(root->Find("Value")->Value.Float, -2500);
  EXPECT_DOUBLE_EQ(root->Find("Rate")->Value.Float, 3);
  EXPECT_TRUE(std::isinf(root->Find("Inf")->Value.Float));
  ASSERT_EQ(root->Children.size(), 1u);
  EXPECT_EQ(root->Children[0]->Name, "");
  EXPECT_EQ(root->Children[0]->ClassName, "TTimer");
  // A list with something other than strings is no string list.
  auto mixed = Read("object F: TForm\r\n  L = (\r\n    'a'\r\n    1)\r\nend\r\n");
  ASSERT_TRUE(mixed);
  EXPECT_EQ(mixed->Strings("L"), std::nullopt);
  EXPECT_EQ(mixed->Find("L")->Value.Items.size(), 2u);
  // Integers beyond 64 bits are kept as floats rather than wrapped.
  auto big = Read("object F: TForm\r\n  N = 99999999999999999999\r\nend\r\n");
  ASSERT_TRUE(big);
  EXPECT_EQ(big->Find("N")->Value.Kind, TFormValueKind::Float);
}

TEST(FormTextReader, DamagedTextsFailWithTheLine) {
  EXPECT_EQ(ErrorOf(""), "line 1: no object in the form text");
  EXPECT_EQ(ErrorOf("  Caption = 'x'\r\n"), "line 1: \"object\" expected");
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  Caption = 'open\r\nend\r\n"), "line 2: unterminated string");
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  Caption = 'x'\r\n"), "line 1: \"end\" of F missing");
  EXPECT_EQ(ErrorOf("object F: TForm\r\nend\r\nobject G: TForm\r\nend\r\n"),
            "line 3: text after the end of the root object");
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  Caption 'x'\r\nend\r\n"), "line 2: \"=\" expected");
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  Caption = 'a' +\r\nend\r\n"),
            "line 3: string expected after \"+\"");
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  Data = {0A0G}\r\nend\r\n"), "line 2: hexadecimal digit expected");
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  L = (1 2\r\n"), "line 3: \")\" expected");
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  C = <\r\n    item\r\n      X = 1\r\n"),
            "line 5: \"end\" of a collection item missing");
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  N = 12ab\r\nend\r\n"), "line 2: malformed number");
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  N = #\r\nend\r\n"), "line 2: character code expected after \"#\"");
}

TEST(FormTextReader, LimitsBoundNestingSizeAndCounts) {
  std::string deep;
  for (int i = 0; i < 200; ++i) deep += "object O" + std::to_string(i) + ": TPanel\r\n";
  for (int i = 0; i < 200; ++i) deep += "end\r\n";
  EXPECT_NE(ErrorOf(deep).find("nesting too deep"), std::string::npos);
  std::string lists = "object F: TForm\r\n  L = ";
  for (int i = 0; i < 200; ++i) lists += "(";
  EXPECT_NE(ErrorOf(lists).find("nesting too deep"), std::string::npos);

  vt::TFormTextLimits small;
  small.MaxObjects = 2;
  EXPECT_EQ(ErrorOf("object F: TForm\r\n object A: TA\r\n end\r\n object B: TB\r\n end\r\nend\r\n", small),
            "line 4: too many objects");
  small = {};
  small.MaxProperties = 1;
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  A = 1\r\n  B = 2\r\nend\r\n", small),
            "line 3: too many properties");
  small = {};
  small.MaxListItems = 2;
  EXPECT_EQ(ErrorOf("object F: TForm\r\n  L = ('a' 'b' 'c')\r\nend\r\n", small),
            "line 2: too many list items");
  small = {};
  small.MaxBytes = 10;
  EXPECT_EQ(ErrorOf("object F: TForm\r\nend\r\n", small), "form text too large (22 bytes)");
}

TEST(FormTextReader, FilesAreNamedInErrors) {
  const auto dir = std::filesystem::temp_directory_path() / ("vt_form_text_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string good = (dir / "TGood.dfmp").string(), bad = (dir / "TBad.dfmp").string();
  std::ofstream(good, std::ios::binary) << DialogFormText();
  std::ofstream(bad, std::ios::binary) << "object F: TForm\r\n";
  std::string error;
  auto root = vt::ReadFormTextFile(good, &error);
  ASSERT_TRUE(root) << error;
  EXPECT_EQ(root->Name, "TID_OptionsDlg");
  EXPECT_FALSE(vt::ReadFormTextFile(bad, &error));
  EXPECT_EQ(error, bad + ": line 1: \"end\" of F missing");
  EXPECT_FALSE(vt::ReadFormTextFile((dir / "missing.dfmp").string(), &error));
  EXPECT_NE(error.find("missing.dfmp"), std::string::npos);
  std::filesystem::remove_all(dir);

  EXPECT_TRUE(vt::LooksLikeFormText("\r\n  inherited F: TForm\r\nend"));
  EXPECT_FALSE(vt::LooksLikeFormText("objects"));
  EXPECT_FALSE(vt::LooksLikeFormText("MZ\x90"));
  EXPECT_FALSE(vt::LooksLikeFormText("[Section]\r\nobject=1"));
}
