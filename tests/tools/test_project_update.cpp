// Language projects following a new source file: source texts from a translation file, translations
// copied between projects, project creation and update, on real files.
#include "test_data.h"
#include "tools/error.h"
#include "tools/project_update.h"

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;
using Lines = std::vector<std::string>;

namespace {

std::string AssertionText(const std::function<void()> &run) {
  try {
    run();
  } catch (const EGrabAssertion &e) {
    return e.what();
  }
  return "(none)";
}

} // namespace

TEST(SrcHints, CopyWithTextsAndNotesOfQueriedEntries) {
  TTempDir dir("hints");
  const std::string src = dir.File("EN.SrcLng"), kx = dir.File("EN.kxLng");
  const std::string srcText = "[Dlg]\r\nBtn1._CN=TButton\r\nBtn1.TC=Ok\r\nLbl.VC=Name\r\nAuto.VC=Colour\r\n"
                              "Odd.VC=Same\r\nOnly.VC=Text\r\n[Messages]\r\nA_000_.msg=Msg\r\n\r\n";
  WriteBytes(src, srcText);
  WriteBytes(kx, "[Dlg]\r\nBtn1.TC=[?]OK\r\nBtn1.TC_?=Check the case\r\nLbl.VC=[~?]Name\r\n"
                 "Lbl.VC_?=Fine as it is\r\nAuto.VC=[~]Color\r\nOdd.VC=Same [~] here\r\nOnly.VC=[!]\r\n"
                 "[Messages]\r\nA_000_.msg=Message\r\n");
  TGrabLog log;
  log.Add("old");
  ASSERT_TRUE(UpdateSrcHints(src, kx, log));
  EXPECT_EQ(ReadBytes(src), srcText);
  // "[~?]" counts as a query; a prefix anywhere but the start is text; a bare prefix is no text;
  // messages are left alone.
  EXPECT_EQ(
      ReadBytes(src + ".new"),
      "[Dlg]\r\nBtn1._CN=TButton\r\nBtn1.TC=OK\r\nLbl.VC=Name\r\nAuto.VC=Color\r\nOdd.VC=Same [~] here\r\n"
      "Only.VC=Text\r\nBtn1._!TC=Check the case\r\nLbl._!VC=Fine as it is\r\n\r\n"
      "[Messages]\r\nA_000_.msg=Msg\r\n\r\n");
  EXPECT_EQ(log.Lines(),
            (Lines{"Dlg\tBtn1._!TC\tCheck the case", "~Dlg\tBtn1.TC\tOk\tOK", "Dlg\tLbl._!VC\tFine as it is",
                   "~Dlg\tAuto.VC\tColour\tColor", "~Dlg\tOdd.VC\tSame\tSame [~] here"}));
  EXPECT_FALSE(UpdateSrcHints(src, dir.File("none.kxLng"), log));
}

TEST(SrcApply, TextsInPlaceAndExtractedMessagesKept) {
  TTempDir dir("apply");
  const std::string src = dir.File("EN.SrcLng"), kx = dir.File("EN.kxLng");
  const std::string srcText =
      "[Dlg]\r\nBtn1.TC=Ok\r\nLbl.VC=Label\r\n[Messages]\r\nA_000_.msg=Colour\r\n"
      "A_001_.msg=Again\r\nA_002_.msg=Same\r\nS.MG=Oops\r\n[_Messages]\r\nA_001_._msg=Agian\r\n";
  WriteBytes(src, srcText);
  WriteBytes(kx, "[Dlg]\r\nBtn1.TC=[?]OK\r\nLbl.VC=[+]\r\n[Messages]\r\nA_000_.msg=[~]Color\r\n"
                 "A_001_.msg=Again!\r\nA_002_.msg=Same\r\nS.MG=Oops!\r\n");
  TGrabLog log;
  ASSERT_TRUE(ApplySrcTranslations(src, kx, log));
  EXPECT_EQ(ReadBytes(src + ".old"), srcText);
  // The text first extracted stays under "_Messages"; a key without ".msg" keeps its name there.
  EXPECT_EQ(ReadBytes(src), "[Dlg]\r\nBtn1.TC=OK\r\nLbl.VC=Label\r\n\r\n[Messages]\r\nA_000_.msg=Color\r\n"
                            "A_001_.msg=Again!\r\nA_002_.msg=Same\r\nS.MG=Oops!\r\n\r\n"
                            "[_Messages]\r\nA_001_._msg=Agian\r\nA_000_._msg=Colour\r\nS.MG=Oops\r\n\r\n");
  EXPECT_EQ(log.Lines(), (Lines{"~Messages\tA_000_.msg\t\tColour", "~Messages\tS.MG\t\tOops"}));
  EXPECT_FALSE(ApplySrcTranslations(dir.File("none.SrcLng"), kx, log));
}

TEST(CopyTranslations, FillsEmptyTranslationsByKeyAndMessagesByText) {
  TTempDir dir("copy");
  WriteBytes(dir.File("DE.SrcLng"),
             "[Dlg]\r\nBtn.TC=OK\r\nLbl.VC=Name\r\n[Messages]\r\nX_000_.msg=Gone.\r\n"
             "X_001_.msg=Twice\r\nX_002_.msg=Twice\r\n[_Messages]\r\nX_000_._msg=Gone\r\n");
  WriteBytes(dir.File("DE.kxLng"), "[Dlg]\r\nBtn.TC=[~]OK-de\r\nLbl.VC=Name-de\r\n[Messages]\r\n"
                                   "X_000_.msg=Weg\r\nX_001_.msg=\r\nX_002_.msg=Zweimal\r\n");
  const std::string target = dir.File("AT.SrcLng");
  WriteBytes(target,
             "[Dlg]\r\nBtn.TC=OK\r\nLbl.VC=Name\r\n[Messages]\r\nY_005_.msg=Gone.\r\nY_006_.msg=Twice\r\n"
             "Y_007_.msg=Kept\r\n[_Messages]\r\nY_005_._msg=Gone\r\n");
  const std::string targetKx =
      "[_info]\r\nDestLng=de-AT\r\n[Dlg]\r\nLbl.VC=Name-at\r\n[Messages]\r\nY_007_.msg=Bleibt\r\n";
  WriteBytes(dir.File("AT.kxLng"), targetKx);
  TGrabLog log;
  CopyTranslations(dir.File("DE.kxLng"), target, log);
  EXPECT_EQ(ReadBytes(dir.File("AT.kxLng.old")), targetKx);
  // Messages are matched by the text first extracted; of two keys with one text the first translated
  // one gives it.
  EXPECT_EQ(ReadBytes(dir.File("AT.kxLng")),
            "[_info]\r\nDestLng=de-AT\r\n\r\n[Dlg]\r\nLbl.VC=Name-at\r\nBtn.TC=[~]OK-de\r\n\r\n"
            "[Messages]\r\nY_007_.msg=Bleibt\r\nY_005_.msg=Weg\r\nY_006_.msg=Zweimal\r\n\r\n");

  EXPECT_EQ(AssertionText([&] { CopyTranslations(dir.File("FR.kxLng"), target, log); }),
            "Cant find : " + dir.File("FR.SrcLng"));
  EXPECT_EQ(AssertionText([&] { CopyTranslations(dir.File("DE.kxLng"), dir.File("IT.SrcLng"), log); }),
            "Cant find " + dir.File("IT.SrcLng"));
}

TEST(LngProject, BuildCopiesTheTemplateAndSetsTheLanguage) {
  TTempDir dir("build");
  TProjectOptions o;
  o.TemplatePath = dir.File("Demo.SrcLng");
  o.ProjectPath = dir.File("FR.SrcLng");
  o.Lang = "fr";
  TGrabLog log;
  EXPECT_EQ(AssertionText([&] { BuildLngProject(o, log); }),
            "Sourcefile does not exists!\r" + o.TemplatePath);
  EXPECT_FALSE(std::filesystem::exists(o.ProjectPath));

  const std::string tmpl = "; comment kept\r\n[Dlg]\r\nBtn.TC=OK\r\n";
  WriteBytes(o.TemplatePath, tmpl);
  BuildLngProject(o, log);
  EXPECT_EQ(ReadBytes(o.ProjectPath), tmpl);
  EXPECT_EQ(ReadBytes(dir.File("FR.kxLng")), "[_info]\r\nDestLng=fr\r\n\r\n");

  // An existing translation file is left alone unless erasing is asked for, and then keeps its texts.
  WriteBytes(dir.File("FR.kxLng"), "[Dlg]\r\nBtn.TC=D'accord\r\n");
  o.Lang = "fr-CA";
  BuildLngProject(o, log);
  EXPECT_EQ(ReadBytes(dir.File("FR.kxLng")), "[Dlg]\r\nBtn.TC=D'accord\r\n");
  o.EraseKxLng = true;
  BuildLngProject(o, log);
  EXPECT_EQ(ReadBytes(dir.File("FR.kxLng")),
            "[Dlg]\r\nBtn.TC=D'accord\r\n\r\n[_info]\r\nDestLng=fr-CA\r\n\r\n");

  // The template as its own project would be lost: refused before anything is written.
  o.ProjectPath =
      dir.Path() + "/../" + std::filesystem::path(dir.Path()).filename().string() + "/Demo.SrcLng";
  EXPECT_THROW(BuildLngProject(o, log), EGrabAssertion);
  EXPECT_EQ(ReadBytes(o.TemplatePath), tmpl);
}

TEST(LngProject, RebuildCarriesMessagesAndCommentsByText) {
  TTempDir dir("rebuild");
  TProjectOptions o;
  o.TemplatePath = dir.File("New.SrcLng");
  o.ProjectPath = dir.File("ES.SrcLng");
  const std::string kxPath = dir.File("ES.kxLng");
  const std::string oldSrc = "[Dlg]\r\nBtn.TC=OK\r\n[Messages]\r\nA_000_.msg=One\r\nA_001_.msg=Two\r\n"
                             "A_002_.msg=One\r\nA_003_.msg=Changed\r\nS.MG=Same key\r\n";
  const std::string oldKx =
      "[_info]\r\nDestLng=es\r\n[Messages]\r\nA_000_.msg=[?]Uno\r\nA_000_.msg_?=Check\r\n"
      "A_001_.msg=Dos\r\nA_002_.msg=Otro uno\r\nA_003_.msg=Cambiado\r\nS.MG=Misma\r\n"
      "S.MG_?=Nota\r\n[Dlg]\r\nBtn.TC=Aceptar\r\nGone.TC=Keep me\r\n";
  WriteBytes(o.ProjectPath, oldSrc);
  WriteBytes(kxPath, oldKx);
  const std::string tmpl =
      "[Dlg]\r\nBtn.TC=OK\r\n[Messages]\r\nA_000_.msg=New\r\nA_001_.msg=One\r\nA_002_.msg=Two\r\n"
      "A_003_.msg=One\r\nA_004_.msg=Changed now\r\nS.MG=Same key\r\n";
  WriteBytes(o.TemplatePath, tmpl);
  TGrabLog log;
  RebuildDstProject(o, log);
  EXPECT_EQ(ReadBytes(o.ProjectPath), tmpl);
  EXPECT_EQ(ReadBytes(o.ProjectPath + ".~bu"), oldSrc);
  EXPECT_EQ(ReadBytes(kxPath + ".~bu"), oldKx);
  // Renumbered messages keep translation and comment (the first key of a text gives them); a changed
  // text loses them; other sections stay, translations of dropped entries too.
  EXPECT_EQ(ReadBytes(kxPath),
            "[_info]\r\nDestLng=es\r\n\r\n[Dlg]\r\nBtn.TC=Aceptar\r\nGone.TC=Keep me\r\n\r\n"
            "[Messages]\r\nA_001_.msg=[?]Uno\r\nA_001_.msg_?=Check\r\nA_002_.msg=Dos\r\n"
            "A_003_.msg=[?]Uno\r\nA_003_.msg_?=Check\r\nS.MG=Misma\r\nS.MG_?=Nota\r\n\r\n");

  // Erasing starts the translation file afresh, with the language given or the one it had.
  o.EraseKxLng = true;
  RebuildDstProject(o, log);
  EXPECT_EQ(ReadBytes(kxPath), "[_info]\r\nDestLng=es\r\n\r\n");
  o.Lang = "es-MX";
  RebuildDstProject(o, log);
  EXPECT_EQ(ReadBytes(kxPath), "[_info]\r\nDestLng=es-MX\r\n\r\n");

  // A missing template: the assertion, and nothing written, not even a backup.
  std::filesystem::remove(kxPath + ".~bu");
  o.TemplatePath = dir.File("Gone.SrcLng");
  EXPECT_EQ(AssertionText([&] { RebuildDstProject(o, log); }),
            "Sourcefile does not exists!\r" + o.TemplatePath);
  EXPECT_FALSE(std::filesystem::exists(kxPath + ".~bu"));
}
