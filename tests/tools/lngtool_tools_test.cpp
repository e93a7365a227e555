// The toolkit's lngtool subcommands, run as a user runs them.
#include "pe_writer.h"
#include "sample_forms.h"
#include "skin_fixture.h"
#include "tools/binary_form.h"

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

  // A damaged form: the forms read before it are listed, then the error, exit code 1.
  vt::test::TFormWriter broken;
  broken.Object("TForm", "Broken").Prop("X").TypeByte(30).EndList().EndList();
  const auto img = vt::test::WritePe({{10, u"A", 0, 0, vt::test::AboutBoxForm()},
                                      {10, u"B", 0, 0, vt::test::AboutBoxForm()},
                                      {10, u"C", 0, 0, broken.Bytes()},
                                      {10, u"D", 0, 0, vt::test::AboutBoxForm()}},
                                     false);
  vt::test::WriteBytes(dir.File("damaged.exe"), img.Bytes);
  auto damaged = Lngtool("forms '" + dir.File("damaged.exe") + "'", dir.File("err2"));
  EXPECT_EQ(damaged.Code, 1);
  EXPECT_EQ(damaged.Out, "A\nB\n");
  EXPECT_EQ(vt::test::ReadBytes(dir.File("err2")), "Error reading Broken.X: 30\n");
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

  // A program level in lower case, from the command line or a raw script, is the same level.
  const std::string tabMap = dir.File("a.tabmap");
  vt::test::WriteBytes(tabMap, "[OptionsDlg]\r\nbtnOK.vis=LM\r\n");
  const std::string logUpper = dir.File("upper.log"), logLower = dir.File("lower.log");
  const std::string common =
      "extract --exe '" + exe + "' --no-messages --tabmap '" + tabMap + "' --out '" + out + "'";
  EXPECT_EQ(Lngtool(common + " --variant S", logUpper).Code, 0);
  const std::string upper = vt::test::ReadBytes(out);
  EXPECT_EQ(upper.find("btnOK.VC"), std::string::npos);
  EXPECT_NE(upper.find("btnOK._vis=x"), std::string::npos);
  EXPECT_EQ(Lngtool(common + " --variant s", logLower).Code, 0);
  EXPECT_EQ(vt::test::ReadBytes(out), upper);
  EXPECT_EQ(vt::test::ReadBytes(logLower), vt::test::ReadBytes(logUpper));
  EXPECT_NE(vt::test::ReadBytes(logLower).find("Using TabMap:\tS\t"), std::string::npos);
  vt::test::WriteBytes(dir.File("s.RawScript"),
                       "[main]\r\nExeFilename=" + exe +
                           "\r\ndoExtractEXE=1\r\ndoExtractDfm=1\r\ndoUseTabMap=1\r\n"
                           "TabMapFilename=" +
                           tabMap + "\r\nVerChar=s\r\n");
  EXPECT_EQ(Lngtool("extract --script '" + dir.File("s.RawScript") + "' --out '" + out + "'").Code, 0);
  EXPECT_EQ(vt::test::ReadBytes(out), upper);

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

TEST(LngtoolTools, FormSectionOfAFormTextFile) {
  // A form text as the converter writes it, read from its file as the form preview reads it.
  vt::test::TTempDir dir("lngdfmp");
  vt::test::TFormWriter w;
  w.Object("TTntForm", "TID_X").Prop("Width").Int(300).Prop("Caption").Str("It's").EndList();
  w.Object("TButton", "btnOK").Prop("Left").Int(5).Prop("Caption").Str("OK").EndList().EndList();
  w.Object("TButton", "btnNo").Prop("Tag").Int(-1).Prop("Caption").Str("No").EndList().EndList();
  w.EndList();
  vt::test::WriteBytes(dir.File("TTID_X.dfmp"), vt::ConvertBinaryForm(w.Bytes()));
  auto section = Lngtool("form-section '" + dir.File("TTID_X.dfmp") + "'");
  EXPECT_EQ(section.Code, 0);
  EXPECT_EQ(section.Out, "[TID_X]\nTID_X._CN=TTntForm\nTID_X.VC=It's\nTID_X._Width=300\n\n"
                         "btnOK._CN=TButton\nbtnOK.VC=OK\n\n");
  // An executable still needs the form's name; a form text refuses action pruning.
  EXPECT_EQ(Lngtool("form-section '" + vt::test::TestExe("i686") + "'", dir.File("err")).Code, 1);
  EXPECT_EQ(vt::test::ReadBytes(dir.File("err")), "NAME is needed for an executable or a skin file\n");
  EXPECT_EQ(Lngtool("form-section '" + dir.File("TTID_X.dfmp") + "' --prune-actions").Code, 1);
}
