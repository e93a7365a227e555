// Raw data files into one source-language file: merge, removal and rebuild on real files.
#include "test_data.h"
#include "tools/error.h"
#include "tools/raw_merge.h"

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;
using Lines = std::vector<std::string>;

TEST(RawMerge, DestinationWinsAndConflictsAreLogged) {
  TTempDir dir("merge");
  const std::string src = dir.File("skin.rawmi"), dst = dir.File("exe.rawmi");
  WriteBytes(src,
             "[Form1]\r\nbtn.VC=Other\r\nNEW.vc=Added\r\nempty.VC=\r\nlbl.VC=Fill\r\n[Skin]\r\na.TC=A\r\n");
  WriteBytes(dst, "[form1]\r\nBtn.VC=Mine\r\nnew.VC=Same\r\nlbl.VC=\r\n");
  TGrabLog log;
  log.Add("from before");
  const auto written = MergeRawFiles(src, dst, log);
  ASSERT_TRUE(written);
  // Keys differing only in case are one key: the destination's text stays and the pair is logged.
  const std::string expected =
      "[form1]\r\nBtn.VC=Mine\r\nnew.VC=Same\r\nlbl.VC=Fill\r\n\r\n[Skin]\r\na.TC=A\r\n\r\n";
  EXPECT_EQ(*written, expected);
  EXPECT_EQ(ReadBytes(dst), expected);
  EXPECT_EQ(log.Lines(), (Lines{"Form1\tbtn.VC\tMine", "Form1\tbtn.VC\tOther", "", "Form1\tNEW.vc\tSame",
                                "Form1\tNEW.vc\tAdded", ""}));

  // Into itself: nothing changes, nothing is logged.
  ASSERT_TRUE(MergeRawFiles(dst, dst, log));
  EXPECT_EQ(ReadBytes(dst), expected);
  EXPECT_TRUE(log.Lines().empty());

  // A missing destination is created; a missing source writes nothing and says so.
  ASSERT_TRUE(MergeRawFiles(src, dir.File("new.rawmi"), log));
  EXPECT_EQ(ReadBytes(dir.File("new.rawmi")),
            "[Form1]\r\nbtn.VC=Other\r\nNEW.vc=Added\r\nlbl.VC=Fill\r\n\r\n[Skin]\r\na.TC=A\r\n\r\n");
  EXPECT_FALSE(MergeRawFiles(dir.File("gone.rawmi"), dst, log));
  EXPECT_EQ(log.Lines(), Lines{"Not Found!\t" + dir.File("gone.rawmi")});
  EXPECT_EQ(ReadBytes(dst), expected);
}

TEST(RawMerge, RemovalTakesKeysMarkedX) {
  TTempDir dir("filter");
  const std::string filter = dir.File("obsolete.txt"), dst = dir.File("all.rawmi");
  WriteBytes(filter, "[Main]\nold.VC=x\nold._CN=x\nkeep.VC=y\n[Gone]\nz=x\n");
  WriteBytes(dst, "[Main]\nold._CN=TLabel\nOLD.VC=Old\nkeep.VC=Keep\n[Other]\nold.VC=Other\n");
  TGrabLog log;
  log.Add("Filtering \tobsolete.txt");
  ASSERT_TRUE(FilterRawFile(filter, dst, log));
  EXPECT_EQ(ReadBytes(dst), "[Main]\r\nkeep.VC=Keep\r\n\r\n[Other]\r\nold.VC=Other\r\n\r\n");
  EXPECT_EQ(log.Lines(), (Lines{"Filtering \tobsolete.txt", "x\tMain\told._CN", "x\tMain\tOLD.VC"}));

  log.Clear();
  EXPECT_FALSE(FilterRawFile(dir.File("none.txt"), dst, log));
  EXPECT_EQ(log.Lines(), Lines{"Not Found!\t" + dir.File("none.txt")});
  EXPECT_FALSE(FilterRawFile(filter, dir.File("none.rawmi"), log));
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.rawmi")));
}

TEST(RawRebuild, EnglishTextsAndMessageCorrections) {
  TTempDir dir("rebuild");
  TRebuildOptions o;
  o.RawFile = dir.File("all.rawmi");
  o.DestFile = dir.File("Demo.SrcLng");
  o.EnglishFile = dir.File("EN.kxLng");
  o.MessageFile = dir.File("msgs.txt");
  WriteBytes(o.RawFile, "[Messages]\r\nA_000_.msg=Colour\r\nA_001_.msg=Gone again\r\nA_002_.msg=Fine\r\n"
                        "[Dlg]\r\nbtn._CN=TButton\r\nbtn.TC=Ok\r\nlbl.VC=Labl\r\nold.VC=Drop me\r\n"
                        "pre.VC=Raw\r\nesc.VC=x\r\n[Empty]\r\n[_info]\r\nDestLng=en\r\n");
  WriteBytes(o.EnglishFile, "[_info]\r\nDestLng=en\r\n[Messages]\r\nA_000_.msg=Color\r\n"
                            "[Dlg]\r\nbtn.TC=OK\r\nlbl.VC=[~]Label\r\nold.VC=\r\npre.VC=[?]\r\n"
                            "esc.VC=\\91Draft]\r\n");
  WriteBytes(o.MessageFile, "R=Gone again\r\nL=Gone again.\r\n\r\nR=Fine\r\nL=\r\n");
  TGrabLog log;

  // Without the English file the raw file is copied as it is.
  EXPECT_EQ(RebuildSrcLng(o, log), ReadBytes(o.RawFile));
  EXPECT_EQ(ReadBytes(o.DestFile), ReadBytes(o.RawFile));

  o.ApplyEnglish = true;
  RebuildSrcLng(o, log);
  // Messages never come from the English file; an empty English value drops the entry, an absent one
  // or one that is only a status prefix keeps the raw text; a prefix never reaches the source; "\91" is
  // text. "_info" goes first, "Messages" last, the empty section is left out.
  EXPECT_EQ(ReadBytes(o.DestFile), "[_info]\r\nDestLng=en\r\n\r\n[Dlg]\r\nbtn._CN=TButton\r\nbtn.TC=OK\r\n"
                                   "lbl.VC=Label\r\npre.VC=Raw\r\nesc.VC=\\91Draft]\r\n\r\n"
                                   "[Messages]\r\nA_000_.msg=Colour\r\nA_001_.msg=Gone again\r\n"
                                   "A_002_.msg=Fine\r\n\r\n");

  o.ApplyMessages = true;
  RebuildSrcLng(o, log);
  const std::string withMessages = ReadBytes(o.DestFile);
  EXPECT_NE(
      withMessages.find("[Messages]\r\nA_000_.msg=Colour\r\nA_001_.msg=Gone again.\r\nA_002_.msg=Fine\r\n"
                        "\r\n[_Messages]\r\nA_001_._msg=Gone again\r\n\r\n"),
      std::string::npos)
      << withMessages;

  // An empty word list file applies nothing.
  WriteBytes(o.MessageFile, "");
  RebuildSrcLng(o, log);
  EXPECT_EQ(ReadBytes(o.DestFile).find("_Messages"), std::string::npos);
}

TEST(RawRebuild, RefusesMissingRawAndWritingOverItsInput) {
  TTempDir dir("refuse");
  TRebuildOptions o;
  o.RawFile = dir.File("missing.rawmi");
  o.DestFile = dir.File("out.SrcLng");
  TGrabLog log;
  try {
    RebuildSrcLng(o, log);
    FAIL() << "no assertion";
  } catch (const EGrabAssertion &e) {
    EXPECT_STREQ(e.what(), "Assertion failure");
  }
  EXPECT_FALSE(std::filesystem::exists(o.DestFile));

  // The same file under two names: the raw data stays as it was, with or without English texts.
  o.RawFile = dir.File("all.rawmi");
  WriteBytes(o.RawFile, "[S]\nk=v\n");
  o.DestFile = dir.Path() + "/./all.rawmi";
  EXPECT_THROW(RebuildSrcLng(o, log), EGrabAssertion);
  o.ApplyEnglish = true;
  o.EnglishFile = o.RawFile;
  EXPECT_THROW(RebuildSrcLng(o, log), EGrabAssertion);
  EXPECT_EQ(ReadBytes(o.RawFile), "[S]\nk=v\n");
}
