// The toolkit's lngtool subcommands, run as a user runs them.
#include "skin_fixture.h"

#include "lngtool_runner.h"

#include <gtest/gtest.h>

using vt::test::Lngtool;

TEST(LngtoolTools, ListingCommands) {
  const std::string exe = vt::test::TestExe("i686");
  auto forms = Lngtool("forms '" + exe + "'");
  EXPECT_EQ(forms.Code, 0);
  EXPECT_EQ(forms.Out, "TABOUTBOX\nTMAINFORM\nTOPTIONSDLG\n#100\n");
  auto text = Lngtool("form-text '" + exe + "' TABOUTBOX");
  EXPECT_EQ(text.Out, "object AboutBox: TAboutBox\r\n  Caption = 'About'\r\nend\r\n");
  auto section = Lngtool("form-section '" + exe + "' TABOUTBOX");
  EXPECT_EQ(section.Out, "[AboutBox]\nAboutBox._CN=TAboutBox\nAboutBox.VC=About\n\n");
  auto messages = Lngtool("messages '" + exe + "'");
  EXPECT_EQ(messages.Out,
            "Hello world\nHello world\nHello world\nLine one\\nLine two\\tTabbed\nFile %s not found\n");
}

TEST(LngtoolTools, FailuresExitWithOneLine) {
  vt::test::TTempDir dir("lngfail");
  vt::test::WriteBytes(dir.File("x.exe"), "MZ but nothing else");
  auto bad = Lngtool("forms '" + dir.File("x.exe") + "'", dir.File("err"));
  EXPECT_EQ(bad.Code, 1);
  EXPECT_EQ(vt::test::ReadBytes(dir.File("err")),
            "An error ocurred loading file " + dir.File("x.exe") + ", it may not be an executable module\n");
  EXPECT_EQ(Lngtool("form-text '" + vt::test::TestExe("i686") + "' NOPE").Code, 1);
  EXPECT_EQ(Lngtool("messages '" + dir.File("missing") + "'").Code, 1);
}

TEST(LngtoolTools, ExtractWritesRawFileAndLog) {
  vt::test::TTempDir dir("lngextract");
  const std::string out = dir.File("out.rawmi"), exe = vt::test::TestExe("x86_64");
  auto r =
      Lngtool("extract --exe '" + exe + "' --no-messages --variant S --out '" + out + "'", dir.File("log"));
  EXPECT_EQ(r.Code, 0);
  EXPECT_EQ(vt::test::ReadBytes(dir.File("log")), "Building:\t" + out + "\nExtracting Dfm: " + exe +
                                                      "\nAdding DFM:\tMainForm\nAdding DFM:\tOptionsDlg\n"
                                                      "Writing file..\nDone\n");
  const std::string raw = vt::test::ReadBytes(out);
  EXPECT_EQ(raw.rfind("[MainForm]\r\nMainForm._CN=TMainForm\r\n", 0), 0u);
  EXPECT_EQ(raw.find("[Messages]"), std::string::npos);

  // The same run from a raw script.
  vt::test::WriteBytes(dir.File("a.RawScript"),
                       "[main]\r\nExeFilename=" + exe + "\r\ndoExtractEXE=1\r\ndoExtractMessages=1\r\n");
  r = Lngtool("extract --script '" + dir.File("a.RawScript") + "' --out '" + out + "'");
  EXPECT_EQ(r.Code, 0);
  EXPECT_EQ(vt::test::ReadBytes(out),
            "[Messages]\r\ntest_app_x86_64_000_.msg=Hello world\r\ntest_app_x86_64_001_.msg=Line one\\nLine "
            "two\\tTabbed\r\ntest_app_x86_64_002_.msg=File %s not found\r\n\r\n");
  EXPECT_NE(Lngtool("extract --script x --exe y --out z").Code, 0);
}

TEST(LngtoolTools, SkinCommands) {
  vt::test::TTempDir dir("lngskin");
  const std::string skin = vt::test::WriteSkin(dir);
  auto forms = Lngtool("skin-forms '" + skin + "'");
  EXPECT_EQ(forms.Code, 0);
  EXPECT_EQ(forms.Out,
            "Zt4_Actions__Zt4_Actions\nTools__A.bui\nTools__B.bui\nMain_Tools__C.bui\nPlain__Plain.bui\n");
  auto section = Lngtool("form-section '" + skin + "' Main_Tools__C.bui");
  EXPECT_EQ(section.Code, 0);
  EXPECT_EQ(section.Out, "[Main_Tools]\nbtnC._CN=TStaticHotBtn\nbtnC.TC=btnC caption\nbtnC._AID=7\n"
                         "btnC.THF=Hint of btnC\n\n");
  EXPECT_EQ(Lngtool("skin-forms '" + dir.File("none.ini") + "'").Code, 1);
}
