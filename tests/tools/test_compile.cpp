// Compiled language files: the text helpers, the order and content of the written file, the message
// look-up across renumbered messages, and the outputs that are refused.
#include "support/file_io.h"
#include "test_data.h"
#include "tools/compile.h"

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;

namespace {

const std::string kRaw = "[OptionsDlg]\r\nOptionsDlg._CN=TOptionsDlg\r\nOptionsDlg.VC=Options\r\n"
                         "OptionsDlg._Width=400\r\nbtnOK._CN=TButton\r\nbtnOK.VC=OK\r\n"
                         "btnOK.VH=Close\\nand save\r\nbtnOK._Width=75\r\ncbMode._CN=TComboBox\r\n"
                         "cbMode.VI=Fast\\nSlow\r\ncbMode._Width=120\r\ntbSave._CN=TStaticHotBtn\r\n"
                         "tbSave.THF=Save|Save the file\r\n\r\n[Messages]\r\nSetup_000_.msg=File missing\r\n";
const std::string kProject = "[_info]\r\nDestLng=de\r\n\r\n[OptionsDlg]\r\nOptionsDlg.VC=Optionen\r\n"
                             "btnOK.VH=[~]Schliessen\\nund speichern\r\n"
                             "tbSave.THF=Speichern|Datei speichern\r\n\r\n[Messages]\r\n"
                             "Setup_000_.msg=Datei fehlt\r\n";

struct TFixture {
  TTempDir Dir{"compile"};
  TGrabLog Log, Echo;
  std::string Raw = Dir.File("App.rawmi"), Project = Dir.File("De.kxLng"), Out = Dir.File("out/App.kxLng");
  TFixture() { std::filesystem::create_directories(Dir.File("out")); }
  ECompileResult Run() { return Compile(Raw, Project, Out, Log, Echo); }
  std::string Messages() {
    const std::string out = ReadBytes(Out);
    return out.substr(out.find("[Messages]"));
  }
};

} // namespace

TEST(CompileText, NormaliseSplitAndUpper) {
  EXPECT_EQ(NormaliseCompiledText("[~]Bonjour"), "Bonjour");
  EXPECT_EQ(NormaliseCompiledText("[~?]x"), "x");
  EXPECT_EQ(NormaliseCompiledText("[~Bonjour"), "");
  EXPECT_EQ(NormaliseCompiledText("a\r\nb\nc\rd"), "a\\nb\\nc\\nd");
  EXPECT_EQ(NormaliseCompiledText("\\91x] y"), "\\91x] y"); // an escaped "[" is text
  EXPECT_EQ(NormaliseCompiledText("[]"), "");

  EXPECT_EQ(SplitCompiledHint("a|b|c").Short, "a");
  EXPECT_EQ(SplitCompiledHint("a|b|c").Full, "b|c");
  EXPECT_EQ(SplitCompiledHint("|b").Short, "");
  EXPECT_EQ(SplitCompiledHint("a").Full, "");

  EXPECT_EQ(UpperBracketed("Datei [name] fehlt"), "Datei [NAME] fehlt");
  EXPECT_EQ(UpperBracketed("[a\\nb] [x\\ty\\\\z]"), "[A\\nB] [X\\tY\\\\Z]");
  EXPECT_EQ(UpperBracketed("open [rest"), "open [rest");
  EXPECT_EQ(UpperBracketed("[a [b] c"), "[a [B] c");
  EXPECT_EQ(UpperBracketed("[\xC3\xA4x]"), "[\xC3\xA4X]");

  EXPECT_TRUE(IsCompiledKey("a.VC"));
  EXPECT_TRUE(IsCompiledKey("a.V"));
  EXPECT_FALSE(IsCompiledKey("a._CN"));
  EXPECT_FALSE(IsCompiledKey("nodot"));
  EXPECT_FALSE(IsCompiledKey("a."));
  EXPECT_FALSE(IsCompiledKey("a.b\\c"));
}

TEST(Compile, ExampleByteForByteWithEchoAndLog) {
  TFixture f;
  WriteBytes(f.Raw, kRaw);
  WriteBytes(f.Project, kProject);
  ASSERT_EQ(f.Run(), ECompileResult::Written);
  EXPECT_EQ(ReadBytes(f.Out),
            "[_info]\r\nDestLng=de\r\ndeflng=de\r\n\r\n[OptionsDlg]\r\nOptionsDlg.VC=Optionen\r\n"
            "btnOK.VH=Schliessen\\nund speichern\r\ntbSave.TH=Speichern\r\n"
            "tbSave.TF=Datei speichern\r\n\r\n[Messages]\r\nR=File missing\r\n"
            "L=Datei fehlt\r\n\r\n");
  const std::vector<std::string> echo{"",
                                      "[OptionsDlg]",
                                      "OptionsDlg.VC=Optionen",
                                      "btnOK.VH=Schliessen\\nund speichern",
                                      "tbSave.TH=Speichern",
                                      "tbSave.TF=Datei speichern",
                                      "[Messages]",
                                      "R=File missing",
                                      "L=Datei fehlt",
                                      ""};
  EXPECT_EQ(f.Echo.Lines(), echo);
  const std::vector<std::string> log{"Compile: \t" + f.Raw, "[_info]", "DestLng=de", "Section:\tOptionsDlg"};
  EXPECT_EQ(f.Log.Lines(), log);

  // A byte-order mark on every input is skipped, and the source file beside the project is read.
  WriteBytes(f.Raw, "\xEF\xBB\xBF" + kRaw);
  WriteBytes(f.Project, "\xEF\xBB\xBF" + kProject);
  WriteBytes(ChangeFileExt(f.Project, ".SrcLng"),
             "\xEF\xBB\xBF[Messages]\r\nSetup_000_.msg=File missing\r\n");
  const std::string before = ReadBytes(f.Out);
  ASSERT_EQ(f.Run(), ECompileResult::Written);
  EXPECT_EQ(ReadBytes(f.Out), before);
}

TEST(Compile, SectionsPrefixesHintsAndInfo) {
  TFixture f;
  WriteBytes(f.Raw, "[Empty]\r\na.VC=x\r\n\r\n[F]\r\nb.THF=x\r\nc.THF=x\r\nd.THF=x\r\ne.VC=x\r\nf.VC=x\r\n"
                    "g.V=x\r\nnodot=x\r\nh._vis=x\r\ni.VC=x\r\n");
  WriteBytes(f.Project, "[Empty]\r\na.VC=\r\n[F]\r\nb.THF=a|b|c\r\nc.THF=|b\r\nd.THF=a\r\ne.VC=[~]Bonjour\r\n"
                        "f.VC=[~Bonjour\r\ng.V=one\r\nnodot=no\r\nh._vis=no\r\ni.VC=\\91x]\r\n");
  ASSERT_EQ(f.Run(), ECompileResult::Written);
  EXPECT_EQ(ReadBytes(f.Out), "[F]\r\nb.TH=a\r\nb.TF=b|c\r\nc.TF=b\r\nd.TH=a\r\ne.VC=Bonjour\r\ng.V=one\r\n"
                              "i.VC=\\91x]\r\n\r\n[Messages]\r\n\r\n");
}

TEST(Compile, MessagesFoundByTextAcrossRenumbering) {
  TFixture f;
  // The build renumbered its messages: keys moved, texts stayed; "Old text" was corrected in the
  // project to "New text" (kept under "_Messages"); "Twice" stands under two keys.
  WriteBytes(f.Raw, "[Messages]\r\nS_000_.msg=Moved\r\nS_001_.msg=Old text\r\nS_002_.msg=Datei\r\n"
                    "S_003_.msg=Unknown\r\nS_004_.msg=Twice\r\nS_005_.msg=Twice\r\nS_006_.msg=Prefix\r\n");
  WriteBytes(ChangeFileExt(f.Project, ".SrcLng"),
             "[Messages]\r\nS_000_.msg=Gone\r\nS_001_.msg=Unknown other\r\nS_002_.msg=Datei\r\n"
             "S_003_.msg=Something else\r\nS_007_.msg=Moved\r\nS_008_.msg=New text\r\nS_009_.msg=Twice\r\n"
             "S_006_.msg=Prefix\r\n[_Messages]\r\nS_008_._msg=Old text\r\n");
  WriteBytes(f.Project,
             "[Messages]\r\nS_000_.msg=Weg\r\nS_001_.msg=Wrong\r\nS_002_.msg=Datei [name] fehlt\r\n"
             "S_003_.msg=Falsch\r\nS_005_.msg=Wrong too\r\nS_007_.msg=Verschoben\r\n"
             "S_008_.msg=Neuer Text\r\nS_009_.msg=Zweimal\r\nS_006_.msg=[~\r\n");
  ASSERT_EQ(f.Run(), ECompileResult::Written);
  EXPECT_EQ(f.Messages(),
            "[Messages]\r\nR=Moved\r\nL=Verschoben\r\nR=Old text\r\nL=Neuer Text\r\n"
            "R=Datei\r\nL=Datei [NAME] fehlt\r\nR=Twice\r\nL=Zweimal\r\nR=Twice\r\nL=Zweimal\r\n\r\n");

  // Without a source file the translation under the same key is taken.
  std::filesystem::remove(ChangeFileExt(f.Project, ".SrcLng"));
  ASSERT_EQ(f.Run(), ECompileResult::Written);
  EXPECT_EQ(f.Messages(), "[Messages]\r\nR=Moved\r\nL=Weg\r\nR=Old text\r\nL=Wrong\r\nR=Datei\r\n"
                          "L=Datei [NAME] fehlt\r\nR=Unknown\r\nL=Falsch\r\nR=Twice\r\nL=Wrong too\r\n\r\n");
}

TEST(Compile, MissingInputsAndDestroyingOutputsWriteNothing) {
  TFixture f;
  EXPECT_EQ(f.Run(), ECompileResult::RawNotFound);
  EXPECT_EQ(f.Log.Lines().back(), "Not Found!\t" + f.Raw);
  WriteBytes(f.Raw, kRaw);
  EXPECT_EQ(f.Run(), ECompileResult::ProjectNotFound);
  EXPECT_EQ(f.Log.Lines().back(), "LMI Not Found!\t" + f.Project);
  EXPECT_FALSE(std::filesystem::exists(f.Out));

  WriteBytes(f.Project, kProject);
  WriteBytes(ChangeFileExt(f.Project, ".SrcLng"), "[Messages]\r\n");
  for (const std::string &target : {f.Raw, f.Project, ChangeFileExt(f.Project, ".SrcLng"),
                                    f.Dir.File("out/../De.kxLng"), std::string()}) {
    const std::string before = FileExists(target) ? ReadBytes(target) : "";
    EXPECT_EQ(Compile(f.Raw, f.Project, target, f.Log, f.Echo), ECompileResult::Refused) << target;
    EXPECT_TRUE(f.Log.Lines().back().starts_with("Refused!\t"));
    if (!target.empty()) {
      EXPECT_EQ(ReadBytes(target), before);
    }
  }
  EXPECT_TRUE(f.Echo.Lines().empty());
}
