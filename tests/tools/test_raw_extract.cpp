// The "Build Raw" run on a real executable and a skin: log lines, the raw data file, black list,
// tab map, raw scripts and the message scanner.
#include "skin_fixture.h"
#include "tools/error.h"
#include "tools/message_scan.h"
#include "tools/raw_extract.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vt;
using namespace vt::test;
using Lines = std::vector<std::string>;

namespace {

struct TRun {
  TGrabSession Session;
  TGrabLog Log;
  std::optional<std::string> Content;
};

std::unique_ptr<TRun> RunBuild(const TRawOptions &o) {
  auto r = std::make_unique<TRun>();
  r->Content = BuildRaw(r->Session, o, r->Log);
  return r;
}

TRawOptions ExeOptions(const TTempDir &dir) {
  const std::string exe = dir.File("test_app.exe");
  std::filesystem::copy_file(TestExe("x86_64"), exe, std::filesystem::copy_options::overwrite_existing);
  TRawOptions o;
  o.ExeFilename = exe;
  o.DstFilename = dir.File("out.rawmi");
  o.doExtractEXE = o.doExtractDfm = o.doExtractMessages = true;
  return o;
}

const std::string kOptionsSection = "[OptionsDlg]\r\n"
                                    "OptionsDlg._CN=TOptionsDlg\r\n"
                                    "OptionsDlg.VC=Options\r\n"
                                    "OptionsDlg._Width=400\r\n"
                                    "btnOK._CN=TButton\r\n"
                                    "btnOK.VC=OK\r\n"
                                    "btnOK.VH=Close\\nand save\r\n"
                                    "btnOK._Width=75\r\n"
                                    "cbMode._CN=TComboBox\r\n"
                                    "cbMode.VI=Fast\\nSlow\r\n"
                                    "cbMode._Width=120\r\n"
                                    "tbSave._CN=TStaticHotBtn\r\n"
                                    "tbSave._AID=12\r\n"
                                    "tbSave.THF=Save|Save the file\r\n"
                                    "lbHasGlobalTrans._CN=TLabel\r\n"
                                    "\r\n";

} // namespace

TEST(RawExtract, ExecutableFormsAndMessages) {
  TTempDir dir("rawexe");
  const TRawOptions o = ExeOptions(dir);
  auto r = RunBuild(o);
  EXPECT_EQ(r->Log.Lines(),
            (Lines{"Building:\t" + o.DstFilename, "Extracting Dfm: " + o.ExeFilename, "Adding DFM:\tMainForm",
                   "Adding DFM:\tOptionsDlg", "Extracing Messages...", "\t5 messages extracted.",
                   "Writing file..", "Done"}));
  const std::string file = ReadBytes(o.DstFilename);
  ASSERT_TRUE(r->Content);
  EXPECT_EQ(*r->Content, file);
  EXPECT_NE(file.find(kOptionsSection), std::string::npos) << file;
  EXPECT_NE(file.find("[Messages]\r\n"
                      "test_app_000_.msg=Hello world\r\n"
                      "test_app_001_.msg=Line one\\nLine two\\tTabbed\r\n"
                      "test_app_002_.msg=File %s not found\r\n\r\n"),
            std::string::npos)
      << file;
  EXPECT_EQ(r->Session.FormList, (Lines{"TMAINFORM", "TOPTIONSDLG"}));
  EXPECT_EQ(r->Session.RootName(), "OptionsDlg");
}

TEST(RawExtract, BlackListAndKeepingPreviousSections) {
  TTempDir dir("rawblack");
  TRawOptions o = ExeOptions(dir);
  o.doExtractMessages = false;
  WriteBytes(o.DstFilename, "[Other]\r\nx.VC=kept\r\n[MainForm]\r\nstale.VC=gone\r\n");
  WriteBytes(dir.File("black.txt"), "toptionsdlg\r\n\r\nSOMETHINGELSE\n");
  o.doBlacklist = true;
  o.DfmBlackListFilename = dir.File("black.txt");
  o.ErasePrevious = false;
  auto r = RunBuild(o);
  EXPECT_EQ(r->Log.Lines(),
            (Lines{"Building:\t" + o.DstFilename, "Extracting Dfm: " + o.ExeFilename,
                   "Applying Blacklist:\t" + o.DstFilename.substr(0, o.DstFilename.size() - 9) + "black.txt",
                   "x\tTOPTIONSDLG", "Adding DFM:\tMainForm", "Writing file..", "Done"}));
  const std::string file = ReadBytes(o.DstFilename);
  EXPECT_EQ(file.rfind("[Other]\r\nx.VC=kept\r\n\r\n[MainForm]\r\nMainForm._CN=TMainForm\r\n", 0), 0u)
      << file;
  EXPECT_EQ(file.find("stale"), std::string::npos);
  EXPECT_EQ(file.find("OptionsDlg"), std::string::npos);
}

TEST(RawExtract, TabMapHidesObjectsOfOtherVariants) {
  TTempDir dir("rawtab");
  TRawOptions o = ExeOptions(dir);
  o.doExtractMessages = false;
  o.doUseTabMap = true;
  o.TabMapFilename = dir.File("test_app.tabmap");
  WriteBytes(o.TabMapFilename, "[OptionsDlg]\r\nbtnOK.vis=LM\r\ncbMode.VIS=l\r\ntbSave.vis=\r\n");
  o.VerChar = "S";
  auto r = RunBuild(o);
  const Lines &log = r->Log.Lines();
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(log[2], "Using TabMap:\tS\t" + o.TabMapFilename);
  EXPECT_EQ(log[4], "\tTabmap\tbtnOK\tLM");
  EXPECT_EQ(log[5], "\tTabmap\tcbMode\tl");
  std::string file = ReadBytes(o.DstFilename);
  EXPECT_EQ(file.find("btnOK.VC"), std::string::npos);
  EXPECT_EQ(file.find("cbMode.VI"), std::string::npos);
  EXPECT_NE(file.find("tbSave.THF"), std::string::npos);
  EXPECT_NE(file.find("btnOK._vis=x\r\ncbMode._vis=x\r\n"), std::string::npos) << file;

  // The letter itself is taken without regard to case, as the Extract page's box takes it.
  const std::string upperResult = file;
  o.VerChar = "s";
  r = RunBuild(o);
  EXPECT_EQ(r->Log.Lines()[2], "Using TabMap:\tS\t" + o.TabMapFilename);
  EXPECT_EQ(ReadBytes(o.DstFilename), upperResult);

  o.VerChar = "l"; // "LM" holds L; the tab map's lower-case "l" does not
  r = RunBuild(o);
  file = ReadBytes(o.DstFilename);
  EXPECT_NE(file.find("btnOK.VC=OK"), std::string::npos);
  EXPECT_EQ(file.find("cbMode.VI"), std::string::npos);
  EXPECT_EQ(file.find("btnOK._vis"), std::string::npos);
}

TEST(RawExtract, SkinWithActions) {
  TTempDir dir("rawskin");
  TRawOptions o;
  o.doSkin = true;
  o.GUIFilename = WriteSkin(dir);
  o.DstFilename = dir.File("skin.rawmi");
  auto r = RunBuild(o);
  EXPECT_EQ(
      r->Log.Lines(),
      (Lines{"Building:\t" + o.DstFilename, "Processing Skin:\t" + o.GUIFilename, "Extracting Actions",
             "\tBuilding ActionList", "Adding Actions:\tZt4_Actions", "Extracting:\tTools__A.bui\tTools",
             "Extracting:\tTools__B.bui\tTools", "Extracting:\tMain_Tools__C.bui\tMain_Tools",
             "Extracting:\tPlain__Plain.bui\tPlain", "Writing file..", "Done"}));
  const std::string file = ReadBytes(o.DstFilename);
  EXPECT_NE(file.find("[Zt4_Actions]\r\nactOpen._CN=TAction\r\nactOpen._AID=7\r\nactOpen.VC=Open\r\n\r\n"),
            std::string::npos)
      << file;
  EXPECT_EQ(file.find("actUnused"), std::string::npos);
  // Two definitions with one content name add up in one section.
  EXPECT_NE(file.find("[Tools]\r\nbtnA._CN=TStaticHotBtn\r\nbtnA.TC=btnA caption\r\nbtnA._AID=7\r\n"
                      "btnA.THF=Hint of btnA\r\nbtnB._CN=TStaticHotBtn"),
            std::string::npos)
      << file;
}

TEST(RawExtract, NothingSelectedAndNoDestination) {
  TTempDir dir("rawnone");
  TRawOptions o;
  auto r = RunBuild(o);
  EXPECT_EQ(r->Log.Lines(), (Lines{"Error: no DstFile selected"}));
  EXPECT_FALSE(r->Content);
  o.DstFilename = dir.File("empty.rawmi");
  o.ExeFilename = dir.File("missing.exe");
  o.doExtractEXE = o.doExtractDfm = true; // a missing executable skips its steps silently
  r = RunBuild(o);
  EXPECT_EQ(r->Log.Lines(), (Lines{"Building:\t" + o.DstFilename, "Writing file..", "Done"}));
  EXPECT_TRUE(std::filesystem::exists(o.DstFilename));
  // A file that is no executable ends the run before anything is written.
  WriteBytes(o.ExeFilename, "plain text");
  std::filesystem::remove(o.DstFilename);
  EXPECT_THROW(RunBuild(o), EGrabError);
  EXPECT_FALSE(std::filesystem::exists(o.DstFilename));
}

TEST(RawExtract, RawScriptRoundTrip) {
  TTempDir dir("script");
  const std::string path = dir.File("a.RawScript");
  TRawOptions o;
  EXPECT_FALSE(LoadRawScript(path, o));
  WriteBytes(path, "[notes]\r\nkeep=1\r\n[main]\r\nVerChar=m\r\n");
  ASSERT_TRUE(LoadRawScript(path, o));
  EXPECT_EQ(o.VerChar, "m");
  EXPECT_FALSE(o.doExtractEXE);
  o.ExeFilename = "C:\\product\\app.exe";
  o.doExtractEXE = o.doSkin = true;
  o.ErasePrevious = false;
  ASSERT_TRUE(SaveRawScript(path, o));
  const std::string text = ReadBytes(path);
  EXPECT_EQ(
      text.rfind("[notes]\r\nkeep=1\r\n\r\n[main]\r\nVerChar=m\r\nExeFilename=C:\\product\\app.exe\r\n", 0),
      0u)
      << text;
  EXPECT_NE(text.find("doExtractEXE=1\r\ndoExtractMessages=0\r\n"), std::string::npos);
  TRawOptions back;
  back.ErasePrevious = true;
  ASSERT_TRUE(LoadRawScript(path, back));
  EXPECT_EQ(back.ExeFilename, o.ExeFilename);
  EXPECT_TRUE(back.doExtractEXE && back.doSkin && !back.doBlacklist);
  EXPECT_TRUE(back.ErasePrevious);
}

TEST(MessageScan, MarkersLimitsAndEscapes) {
  EXPECT_EQ(ScanMessages("x(__One__)y(__One__)(__One__)"), (Lines{"One", "One", "One"}));
  EXPECT_EQ(ScanMessages("(__a\tb\r\nc__)"), (Lines{"a\\tb\\nc"}));
  EXPECT_EQ(ScanMessages("(__\n__)"), Lines{});
  EXPECT_EQ(ScanMessages(std::string("(__bad\x01__)", 11)), Lines{});
  EXPECT_EQ(ScanMessages(std::string("(__\0__)", 7)), Lines{});
  EXPECT_EQ(ScanMessages("(____)"), Lines{});
  // Overlapping openings each count.
  EXPECT_EQ(ScanMessages("(__(__x__)"), (Lines{"(__x", "x"}));
  // The closing marker must start less than 500 bytes after the opening one.
  const std::string in496 = "(__" + std::string(496, 'a') + "__)";
  const std::string in497 = "(__" + std::string(497, 'a') + "__)";
  EXPECT_EQ(ScanMessages(in496), (Lines{std::string(496, 'a')}));
  EXPECT_EQ(ScanMessages(in497), Lines{});
  EXPECT_EQ(ScanMessages("(__"), Lines{});
  EXPECT_EQ(ScanMessages(""), Lines{});
}
