// The lngtool subcommands of the administrator's smaller tools, run as a user runs them.
#include "lngtool_runner.h"
#include "skin_fixture.h"

#include <gtest/gtest.h>

using namespace vt::test;

namespace {

std::string Quoted(const std::string &path) {
  return "'" + path + "'";
}

} // namespace

TEST(LngtoolAdmin, Compare) {
  TTempDir dir("lngcmp");
  const std::string a = dir.File("a.kxLng"), b = dir.File("b.kxLng");
  WriteBytes(a, "[S]\r\nk=one\r\nonlyA=1\r\n[T]\r\nx=same\r\n");
  WriteBytes(b, "[T]\r\nx=same\r\n[S]\r\nk=One\r\nnew=2\r\n[U]\r\ny=3\r\n");
  auto same = Lngtool("compare " + Quoted(a) + " " + Quoted(a));
  EXPECT_EQ(same.Code, 0);
  EXPECT_EQ(same.Out, a + "\n" + a + "\n\n");
  EXPECT_EQ(Lngtool("compare " + Quoted(a) + " " + Quoted(b)).Out,
            a + "\n" + b + "\n\n[S]\nk\tone\tOne\nnew\t\t2\n");
  auto missing = Lngtool("compare " + Quoted(a) + " " + Quoted(dir.File("no.kxLng")), dir.File("err"));
  EXPECT_EQ(missing.Code, 1);
  EXPECT_EQ(ReadBytes(dir.File("err")), "Unable to Open File " + dir.File("no.kxLng") + "\n");
}

TEST(LngtoolAdmin, ManualTree) {
  TTempDir dir("lngtree");
  const std::string tree = dir.File("manualtree.txt"), raw = dir.File("p.rawmi");
  WriteBytes(tree, "[\r\nT=Manual\r\n<\r\nF=intro.htm\r\nT=Introduction\r\n>\r\n]\r\n");
  auto printed = Lngtool("manual-tree " + Quoted(tree));
  EXPECT_EQ(printed.Code, 0);
  EXPECT_EQ(printed.Out, "[Help_Tree]\n=Manual\nintro.htm=Introduction\n");

  WriteBytes(raw, "[Messages]\r\nP_000_.msg=Hello\r\n[Help_Tree]\r\nold.htm=Gone\r\n");
  auto into = Lngtool("manual-tree " + Quoted(tree) + " --into " + Quoted(raw), dir.File("log"));
  EXPECT_EQ(into.Code, 0);
  EXPECT_EQ(ReadBytes(dir.File("log")), "Writing HelpTree\t" + raw + "\nDone\n");
  EXPECT_EQ(ReadBytes(raw),
            "[Messages]\r\nP_000_.msg=Hello\r\n\r\n[Help_Tree]\r\nintro.htm=Introduction\r\n\r\n");

  // A closing line first: no tree, no output; asked to write one, that is an error and the file stays.
  WriteBytes(tree, "]\r\n[\r\nT=x\r\n]\r\n");
  auto none = Lngtool("manual-tree " + Quoted(tree));
  EXPECT_EQ(none.Code, 0);
  EXPECT_EQ(none.Out, "");
  const std::string before = ReadBytes(raw);
  EXPECT_EQ(Lngtool("manual-tree " + Quoted(tree) + " --into " + Quoted(raw)).Code, 1);
  EXPECT_EQ(ReadBytes(raw), before);

  // 100,000 nested folders: a one-line error, no crash.
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "[\r\n";
  WriteBytes(tree, deep);
  auto tooDeep = Lngtool("manual-tree " + Quoted(tree), dir.File("err"));
  EXPECT_EQ(tooDeep.Code, 1);
  EXPECT_EQ(ReadBytes(dir.File("err")),
            "Manual tree nested deeper than 256 levels at line 257 of " + tree + "\n");
  EXPECT_EQ(Lngtool("manual-tree " + Quoted(dir.File("none.txt"))).Code, 1);
}

TEST(LngtoolAdmin, FormsAndMessages) {
  const std::string exe = TestExe("x86_64");
  EXPECT_EQ(Lngtool("forms " + Quoted(exe) + " --global-trans").Out, "TMAINFORM\nTOPTIONSDLG\n");
  auto collapsed = Lngtool("form-text " + Quoted(exe) + " TABOUTBOX --collapsed");
  EXPECT_EQ(collapsed.Out, "object AboutBox: TAboutBox\nCaption = 'About'\nend\n");
  EXPECT_EQ(Lngtool("messages " + Quoted(exe) + " --numbered").Out,
            "0\tHello world\n1\tHello world\n2\tHello world\n3\tLine one\\nLine two\\tTabbed\n"
            "4\tFile %s not found\n");
  EXPECT_EQ(Lngtool("messages " + Quoted(exe) + " --distinct").Out,
            "Hello world\nLine one\\nLine two\\tTabbed\nFile %s not found\n");

  TTempDir dir("lngmsg");
  const std::string setup = dir.File("Setup.v2.exe");
  WriteBytes(setup, ReadBytes(exe));
  EXPECT_EQ(Lngtool("messages " + Quoted(setup) + " --ini").Out,
            "[Messages]\nSetup.v2000_.msg=Hello world\nSetup.v2001_.msg=Line one\\nLine two\\tTabbed\n"
            "Setup.v2002_.msg=File %s not found\n");
  EXPECT_NE(Lngtool("messages " + Quoted(exe) + " --ini --distinct").Code, 0);
}

TEST(LngtoolAdmin, SkinActions) {
  TTempDir dir("lngskin");
  const std::string skin = WriteSkin(dir);
  EXPECT_EQ(Lngtool("used-actions " + Quoted(skin)).Out, "7\n");
  auto all = Lngtool("form-section " + Quoted(skin) + " Zt4_Actions__Zt4_Actions");
  auto pruned = Lngtool("form-section " + Quoted(skin) + " Zt4_Actions__Zt4_Actions --prune-actions");
  EXPECT_EQ(pruned.Code, 0);
  EXPECT_NE(all.Out.find("actUnused._AID=99\n"), std::string::npos);
  EXPECT_EQ(pruned.Out.find("actUnused"), std::string::npos);
  EXPECT_NE(pruned.Out.find("[Zt4_Actions]\nactOpen._CN=TAction\nactOpen._AID=7\nactOpen.VC=Open\n"),
            std::string::npos);
  auto text = Lngtool("form-text " + Quoted(skin) + " Zt4_Actions__Zt4_Actions --collapsed");
  EXPECT_EQ(text.Out.rfind("object Zt4_Actions: TToolComponentStore\nContentName = 'Zt4_Actions'\n", 0), 0u);
  EXPECT_EQ(Lngtool("used-actions " + Quoted(dir.File("none.ini"))).Code, 1);
}
