// The administrator's smaller tools: comparing translation files, the manual tree in the raw data
// file, form lists and views, the black list, message lists, the compression test and text files
// saved back in their own encoding.
#include "model/ini_file.h"
#include "skin_fixture.h"
#include "tools/black_list.h"
#include "tools/compare_lng.h"
#include "tools/compress_test.h"
#include "tools/dfm_obj.h"
#include "tools/form_lists.h"
#include "tools/help_tree.h"
#include "tools/message_lists.h"
#include "tools/text_file.h"
#include "tools/zlib_stream.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;
using Lines = std::vector<std::string>;

namespace {

TIniFile Ini(std::string_view text) {
  TIniFile ini;
  ini.LoadFromBytes(text);
  return ini;
}

} // namespace

TEST(CompareLng, ReportsValuesOfBThatDifferFromA) {
  const TIniFile a =
      Ini("[Main]\r\nk1=one\r\nk2=two\r\nonlyA=x\r\n[Other]\r\nk=same\r\n[main]\r\nk1=again\r\n"
          "[Dlg]\r\nCap=Ok\r\n");
  const TIniFile b =
      Ini("[Dlg]\r\nCap=OK\r\n[MAIN]\r\nk2=Two\r\nk1=one\r\nnew=added\r\nempty=\r\nK2=later\r\n"
          "[Other]\r\nk=same\r\n[OnlyB]\r\nz=1\r\n");
  // Sections in A's order, each once; keys in B's order, each once; B's first line of a key counts.
  EXPECT_EQ(
      CompareLngFiles(a, b, "a.kxLng", "b.kxLng"),
      (Lines{"a.kxLng", "b.kxLng", "", "[Main]", "k2\ttwo\tTwo", "new\t\tadded", "[Dlg]", "Cap\tOk\tOK"}));
  EXPECT_EQ(CompareLngFiles(a, a, "p", "p"), (Lines{"p", "p", ""}));
}

TEST(CompareLng, ReadsFilesAndNamesTheOneThatFails) {
  TTempDir dir("cmp");
  WriteBytes(dir.File("a.kxLng"), "[S]\nk=1\n");
  WriteBytes(dir.File("b.kxLng"), "[S]\nk=2\n");
  Lines lines;
  std::string failed;
  ASSERT_TRUE(CompareLngFiles(dir.File("a.kxLng"), dir.File("b.kxLng"), lines, &failed));
  EXPECT_EQ(lines, (Lines{dir.File("a.kxLng"), dir.File("b.kxLng"), "", "[S]", "k\t1\t2"}));
  EXPECT_FALSE(CompareLngFiles(dir.File("a.kxLng"), dir.File("none"), lines, &failed));
  EXPECT_EQ(failed, dir.File("none"));
}

TEST(HelpTree, LinesCarryTitlesInTheStoredForm) {
  auto root = std::make_unique<THelpNode>();
  root->Title = "Manual";
  auto *page = root->AddChild(std::make_unique<THelpNode>(true));
  page->PageFile = "paths.htm";
  page->Title = "C:\\Temp and \"quotes\"";
  auto *latin = root->AddChild(std::make_unique<THelpNode>(true));
  latin->PageFile = "cafe.htm";
  latin->Title = "Caf\xE9";                                                    // Windows-1252
  latin->AddChild(std::make_unique<THelpNode>(true))->Title = "Caf\xC3\xA9 2"; // UTF-8
  EXPECT_EQ(HelpTreeLines(*root), (Lines{"[Help_Tree]", "=Manual", "paths.htm=C:\\\\Temp and \"quotes\"",
                                         "cafe.htm=Caf\xC3\xA9", "=Caf\xC3\xA9 2"}));
}

TEST(HelpTree, WriteReplacesOnlyItsSection) {
  TTempDir dir("helptree");
  const std::string raw = dir.File("p.rawmi");
  WriteBytes(raw, "[Form]\r\nA.VC=Keep\r\n[Help_Tree]\r\nold.htm=Old\r\n[Messages]\r\nm=1\r\n");
  WriteBytes(dir.File("manualtree.txt"), "[\r\nT=Manual\r\n<\r\nF=intro.htm\r\nT=Introduction\r\n>\r\n]\r\n");
  std::unique_ptr<THelpNode> root;
  ASSERT_TRUE(ReadHelpTree(dir.File("manualtree.txt"), root));
  ASSERT_TRUE(root);
  TGrabLog log;
  ASSERT_TRUE(WriteHelpTree(raw, HelpTreeLines(*root), log));
  EXPECT_EQ(log.Lines(), (Lines{"Writing HelpTree\t" + raw, "Done"}));
  EXPECT_EQ(ReadBytes(raw), "[Form]\r\nA.VC=Keep\r\n\r\n[Messages]\r\nm=1\r\n\r\n"
                            "[Help_Tree]\r\nintro.htm=Introduction\r\n\r\n");

  // No raw data file named: nothing is written.
  TGrabLog none;
  std::string error;
  EXPECT_FALSE(WriteHelpTree("", HelpTreeLines(*root), none, &error));
  EXPECT_EQ(none.Lines(), (Lines{"Error: no DstFile selected"}));
  // A file that cannot be saved is reported and logs no "Done".
  TGrabLog failed;
  const std::string nowhere = dir.File("no/such/folder/p.rawmi");
  EXPECT_FALSE(WriteHelpTree(nowhere, HelpTreeLines(*root), failed, &error));
  EXPECT_EQ(error.rfind("Unable to save file " + nowhere + ": ", 0), 0u);
  EXPECT_EQ(failed.Lines(), (Lines{"Writing HelpTree\t" + nowhere}));

  // A file that nests too deep is refused; one without a tree gives none.
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "[\n";
  WriteBytes(dir.File("deep.txt"), deep);
  EXPECT_FALSE(ReadHelpTree(dir.File("deep.txt"), root, &error));
  EXPECT_EQ(error, "Manual tree nested deeper than 256 levels at line 257 of " + dir.File("deep.txt"));
  WriteBytes(dir.File("closed.txt"), ">\r\n[\r\nT=x\r\n]\r\n");
  ASSERT_TRUE(ReadHelpTree(dir.File("closed.txt"), root));
  EXPECT_FALSE(root);
  EXPECT_FALSE(ReadHelpTree(dir.File("missing.txt"), root, &error));
}

TEST(FormLists, GlobalTransFormsAndTheFormView) {
  TGrabSession s;
  s.OpenExecutable(TestExe("x86_64"));
  EXPECT_EQ(GlobalTransForms(s.ResourceInfo), (Lines{"TMAINFORM", "TOPTIONSDLG"}));
  auto filtered = FormView(s, "TABOUTBOX", true);
  ASSERT_TRUE(filtered);
  EXPECT_EQ(*filtered, (Lines{"[AboutBox]", "AboutBox._CN=TAboutBox", "AboutBox.VC=About", ""}));
  EXPECT_EQ(s.RootName(), "AboutBox");
  auto plain = FormView(s, "TMAINFORM", false);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->front(), "object MainForm: TMainForm");
  EXPECT_EQ(plain->at(1), "Width = 800"); // trimmed
  // The binary glyph is one line, opened and closed.
  std::size_t glyph = 0;
  for (const std::string &l : *plain)
    if (l.rfind("Glyph.Data = {", 0) == 0) ++glyph;
  EXPECT_EQ(glyph, 1u);
  EXPECT_FALSE(FormView(s, "NOSUCHFORM", true));
}

TEST(FormLists, UsedAndPrunedActions) {
  TTempDir dir("actions");
  TGrabSession s;
  s.LoadGuiDefinitions(WriteSkin(dir));
  EXPECT_EQ(UsedActionsSorted(s.ResourceInfo), (Lines{"7"}));
  const Lines section = PrunedActionsSection(s);
  ASSERT_FALSE(section.empty());
  EXPECT_EQ(section.front(), "[Zt4_Actions]");
  EXPECT_NE(std::find(section.begin(), section.end(), "actOpen._AID=7"), section.end());
  EXPECT_EQ(std::find(section.begin(), section.end(), "actUnused._AID=99"), section.end());
  EXPECT_TRUE(PrunedActionsSection(s, "Tools__Missing").empty());

  TResourceInfo info;
  info.AddForm("One", "object A: TB\r\n  ActionID = beta\r\n  ActionID = Alpha\r\nend\r\n");
  info.AddForm("Two", "object C: TD\r\n  ActionID = ALPHA\r\n  ActionID = Gamma\r\nend\r\n");
  info.AddForm("Zt4_Actions__X", "object Z: TE\r\n  ActionID = zeta\r\nend\r\n");
  EXPECT_EQ(UsedActionsSorted(info), (Lines{"Alpha", "beta", "Gamma"}));
}

TEST(FormLists, HintLinesOfEveryObject) {
  auto root = ParseFormTree({"object F: TForm", "Caption = 'F'", "object b: TBtn", "ToolText.TH = 'short'",
                             "Width = 3", "ToolText.TF = 'full'", "end", "object c: TBtn", "end", "end"});
  ASSERT_TRUE(root);
  EXPECT_EQ(HintLines(*root),
            (Lines{"F", "", "b", "\tToolText.TH = 'short'", "\tToolText.TF = 'full'", "", "c", ""}));
}

TEST(BlackList, DistinctSortedNamesAndIniMerge) {
  EXPECT_EQ(BlackListNames("  TA \r\n\r\nTB\rTC\n"), (Lines{"TA", "TB", "TC"}));
  // Case-blind: the first spelling stays; trailing spaces make no second entry; sorted without case.
  EXPECT_EQ(DistinctSortedNames("TOptionsDlg\r\nTABOUT\r\ntoptionsdlg\r\nTOptionsDlg   \r\ntabout2\r\nZ\r\n"),
            (Lines{"TABOUT", "tabout2", "TOptionsDlg", "Z"}));
  EXPECT_TRUE(DistinctSortedNames("\r\n  \r\n").empty());

  const std::string merged =
      MergeIniValues("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n", "[a]\r\ny=20\r\nnew=4\r\nx=\r\n[C]\r\nq=5\r\n");
  EXPECT_EQ(merged, "[A]\r\nx=1\r\ny=20\r\nnew=4\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nq=5\r\n\r\n");
}

TEST(MessageLists, NumberedDistinctAndIni) {
  const Lines found{"Hello", "Line\\nTwo", "Hello", "Bye"};
  EXPECT_EQ(NumberedMessages(found), (Lines{"0\tHello", "1\tLine\\nTwo", "2\tHello", "3\tBye"}));
  EXPECT_EQ(DistinctMessages(found), (Lines{"Hello", "Line\\nTwo", "Bye"}));
  EXPECT_EQ(ExeBaseName("/opt/x.y/Setup.v2.exe"), "Setup.v2");
  EXPECT_EQ(ExeBaseName("Plain"), "Plain");
  EXPECT_EQ(
      MessageIniLines("/opt/Setup.v2.exe", found),
      (Lines{"[Messages]", "Setup.v2000_.msg=Hello", "Setup.v2001_.msg=Line\\nTwo", "Setup.v2002_.msg=Bye"}));
  Lines many(1001);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = "m" + std::to_string(i);
  EXPECT_EQ(MessageIniLines("P.exe", many).back(), "P1000_.msg=m1000");
}

TEST(CompressTest, RoundTripAndCounts) {
  const std::string text(10000, 'a');
  TGrabLog log;
  std::string back;
  ASSERT_TRUE(CompressTest(text, log, back));
  EXPECT_EQ(back, text);
  ASSERT_EQ(log.Lines().size(), 2u);
  EXPECT_EQ(log.Lines()[0], "10000 in");
  std::string packed;
  ASSERT_TRUE(DeflateZlib(text, packed));
  EXPECT_EQ(log.Lines()[1], std::to_string(packed.size()) + " out");
  EXPECT_LT(packed.size(), 100u);
  ASSERT_TRUE(CompressTest("", log, back));
  EXPECT_EQ(back, "");
  // A truncated stream does not inflate.
  std::string out;
  EXPECT_FALSE(InflateZlib(std::string_view(packed).substr(0, packed.size() - 2), out));
}

TEST(TextFile, SavedBackInItsOwnEncodingWithABackup) {
  TTempDir dir("textfile");
  const std::string latin = dir.File("latin.txt"), utf = dir.File("utf.txt");
  WriteBytes(latin, "caf\xE9\r\n\x80 sign\r\n");
  WriteBytes(utf, "\xEF\xBB\xBF"
                  "caf\xC3\xA9\nline\n");
  std::u16string text;
  TTextFileFormat f;
  ASSERT_TRUE(ReadTextFile(latin, text, f));
  EXPECT_FALSE(f.Utf8);
  EXPECT_TRUE(f.CrLf);
  EXPECT_EQ(text, u"caf\u00e9\n\u20ac sign\n");
  ASSERT_TRUE(WriteTextFile(latin, text + u"more", f));
  EXPECT_EQ(ReadBytes(latin), "caf\xE9\r\n\x80 sign\r\nmore");
  EXPECT_EQ(ReadBytes(latin + ".~bu"), "caf\xE9\r\n\x80 sign\r\n");
  // A character the code page lacks makes the file UTF-8 rather than a "?".
  bool forced = false;
  ASSERT_TRUE(WriteTextFile(latin, u"\u0416", f, &forced));
  EXPECT_TRUE(forced);
  EXPECT_EQ(ReadBytes(latin), "\xD0\x96");

  ASSERT_TRUE(ReadTextFile(utf, text, f));
  EXPECT_TRUE(f.Utf8);
  EXPECT_TRUE(f.ByteOrderMark);
  EXPECT_FALSE(f.CrLf);
  EXPECT_EQ(EncodeTextFile(text, f), "\xEF\xBB\xBF"
                                     "caf\xC3\xA9\nline\n");
  std::string error;
  EXPECT_FALSE(ReadTextFile(dir.File("none.txt"), text, f, &error));
  EXPECT_FALSE(error.empty());
}
