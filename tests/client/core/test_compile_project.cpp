// The window's two short compilers on a real project written to disk: the hint split, the
// "Messages" block as the ini dialect reads it back, the raw file's limits, and the refused targets.
#include "client/core/compile_project.h"
#include "support/file_io.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vt {
namespace {

std::string Read(const std::string &path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

class CompileTest : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = std::filesystem::temp_directory_path() / ("vt-compile-" + std::to_string(getpid()));
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    WriteFileAtomic(Path("P.SrcLng"), "[F]\r\nopen.THF=Open|Opens a file\r\nbare.THF=|Opens a file\r\n"
                                      "one.THF=Open\r\nlone.THF=Bar\r\nok.TC=OK\r\nempty.TC=Empty\r\n"
                                      "secret._TC=x\r\n[Messages]\r\nP_000_.msg=File %s not found\r\n"
                                      "P_001_.msg=File %s not found\r\nP_002_.msg=Other\r\n");
    WriteFileAtomic(Path("P.kxLng"),
                    "[_info]\r\nDestLng=es\r\n[F]\r\nopen.THF=Abrir|Abre un archivo\r\n"
                    "bare.THF=|Abre un archivo\r\none.THF=Abrir\r\nlone.THF=|\r\n"
                    "ok.TC=[~]Aceptar  \r\nsecret._TC=y\r\n[Messages]\r\n"
                    "P_000_.msg=  Archivo %s no encontrado\r\nP_001_.msg=Archivo %s falta\r\n"
                    "P_002_.msg=Otro\r\n");
    std::string error;
    Project = TRef<TWordList>(new TWordList);
    ASSERT_TRUE(Project->Open(Path("P.kxLng"), &error, TWordList::TOpenMode::ReadOnly)) << error;
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }
  std::string Path(const char *name) const { return (Dir / name).string(); }

  std::filesystem::path Dir;
  TRef<TWordList> Project;
};

TEST(CompiledHint, SplitsAtTheFirstBar) {
  const auto parts = [](std::u16string_view t) {
    const THintParts p = SplitCompiledHint(t);
    return std::pair{p.Short, p.Full};
  };
  EXPECT_EQ(parts(u"Open|Opens a file"),
            (std::pair<std::u16string, std::u16string>{u"Open", u"Opens a file"}));
  EXPECT_EQ(parts(u"|Opens a file"), (std::pair<std::u16string, std::u16string>{u"Opens a file", u""}));
  EXPECT_EQ(parts(u"Open"), (std::pair<std::u16string, std::u16string>{u"Open", u""}));
  EXPECT_EQ(parts(u"a|b|c"), (std::pair<std::u16string, std::u16string>{u"a", u"b|c"}));
  EXPECT_EQ(parts(u"|"), (std::pair<std::u16string, std::u16string>{}));
  EXPECT_EQ(parts(u"||"), (std::pair<std::u16string, std::u16string>{})); // a lone "|" is never written
}

TEST_F(CompileTest, SelectionGivesHintPartsKeysAndMessagePairsWithoutBlankLines) {
  // Read back through the ini dialect, the block loses the blanks at the ends of values.
  Project->FindEntry("Messages/P_002_.msg")->SetTranslationText(u"  Otro  ");
  Project->FindEntry("F/ok.TC")->SetTranslationText(u"Aceptar  ");
  TCompileCounts counts;
  std::string error;
  ASSERT_TRUE(CompileSelectionFile(*Project, Project->Items.Raw(), Path("out.kxLng"), &counts, &error))
      << error;
  EXPECT_EQ(Read(Path("out.kxLng")),
            "[F]\r\nopen.TH=Abrir\r\nopen.TF=Abre un archivo\r\nbare.TH=Abre un archivo\r\n"
            "one.TH=Abrir\r\nok.TC=Aceptar\r\n\r\n"
            "[Messages]\r\nR=File %s not found\r\nL=Archivo %s no encontrado\r\n"
            "R=File %s not found\r\nL=Archivo %s falta\r\nR=Other\r\nL=Otro\r\n\r\n");
  EXPECT_EQ(counts.Keys, 5u);
  EXPECT_EQ(counts.Messages, 3u);
}

TEST_F(CompileTest, KeysMetTwiceAndSplitSectionsMergeAsTheIniFileDoes) {
  // btn.THF writes btn.TH, which the entry btn.TH writes again: the later value stands in place.
  TRef<TWordList> p(new TWordList);
  const auto add = [&](const char *section, const char *name, const char *kind, const char16_t *text) {
    p->AddEntry(section, name, kind, "x")->SetTranslationText(text);
  };
  add("G", "btn", "THF", u"Short|Full");
  add("G", "btn", "TH", u"Other");
  add("H", "a", "TC", u"A");
  add("g", "b", "TC", u"B"); // the first section again, in other case
  TCompileCounts counts;
  EXPECT_EQ(CompileSelectionBytes(p->Items.Raw(), &counts),
            "[G]\r\nbtn.TH=Other\r\nbtn.TF=Full\r\nb.TC=B\r\n\r\n[H]\r\na.TC=A\r\n\r\n");
  EXPECT_EQ(counts.Keys, 5u);
}

TEST(CompiledValue, StoredBytesGoOutAsTheirDecodedAndEncodedText) {
  // Values copied as stored must be what decoding and encoding them gives.
  TRef<TWordList> p(new TWordList);
  const std::vector<std::string> stored = {"Gr\xC3\xB6\xC3\x9F"
                                           "e",
                                           "a\\nb",
                                           "tab\\t",
                                           "\xF0\x9F\x98\x80 smile",
                                           "\xED\xA0\xBD\xED\xB8\x80",
                                           "caf\xE9 (ANSI)",
                                           "\xE0\x80\xAF",
                                           "x\\",
                                           "[~][not a prefix",
                                           "\\91bracket",
                                           "\x7F del"};
  for (std::size_t i = 0; i < stored.size(); ++i)
    p->AddEntry("S", "k" + std::to_string(i), "TC", "x")->Translation = stored[i];
  std::string expected = "[S]\r\n";
  for (const TWordObj *e : p->Items)
    expected += e->Key() + "=" + e->EncodeValue(e->TranslationText()) + "\r\n";
  EXPECT_EQ(CompileSelectionBytes(p->Items.Raw()), expected + "\r\n");
}

TEST_F(CompileTest, RawFileLimitsTheEntriesAndTheMessages) {
  WriteFileAtomic(Path("R.rawmi"), "[F]\r\nopen.THF=Open|Opens a file\r\nok.TC=OK\r\n[Messages]\r\n"
                                   "P_000_.msg=File %s not found\r\nP_009_.msg=File %s not found\r\n");
  TCompileCounts counts;
  std::string error;
  ASSERT_TRUE(CompileRawFile(*Project, Path("R.rawmi"), Path("R.kxLng"), &counts, &error)) << error;
  // Entries the raw file lacks are skipped (one.THF, the unlisted P_002_); a message goes by its text,
  // so P_001_ with the same source as the listed P_000_ gets its own pair.
  EXPECT_EQ(Read(Path("R.kxLng")),
            "[_info]\r\nDestLng=es\r\n\r\n[F]\r\nopen.TH=Abrir\r\nopen.TF=Abre un archivo\r\n"
            "ok.TC=Aceptar\r\n\r\n[Messages]\r\nR=File %s not found\r\n"
            "L=Archivo %s no encontrado\r\nR=File %s not found\r\nL=Archivo %s falta\r\n\r\n");
  EXPECT_EQ(counts.Keys, 3u);
  EXPECT_EQ(counts.Messages, 2u);

  // A message the raw file lists whose source is none of its message texts: a bare header.
  WriteFileAtomic(Path("R.rawmi"), "[F]\r\nok.TC=OK\r\n[Messages]\r\nP_002_.msg=Changed text\r\n");
  ASSERT_TRUE(CompileRawFile(*Project, Path("R.rawmi"), Path("R.kxLng"), &counts, &error)) << error;
  EXPECT_EQ(Read(Path("R.kxLng")),
            "[_info]\r\nDestLng=es\r\n\r\n[F]\r\nok.TC=Aceptar\r\n\r\n[Messages]\r\n\r\n");
  EXPECT_EQ(counts.Messages, 0u);
}

TEST_F(CompileTest, RawKeysInAnyOrderAndRepeatedCountByTheirFirstLine) {
  WriteFileAtomic(Path("Q.SrcLng"), "[F]\r\nb.TC=B\r\na.TC=A\r\nc.TC=C\r\nd.TC=D\r\ne.TC=E\r\n");
  WriteFileAtomic(Path("Q.kxLng"), "[F]\r\nb.TC=b\r\na.TC=a\r\nc.TC=c\r\nd.TC=d\r\ne.TC=e\r\n");
  TRef<TWordList> q(new TWordList);
  std::string error;
  ASSERT_TRUE(q->Open(Path("Q.kxLng"), &error, TWordList::TOpenMode::ReadOnly)) << error;
  ASSERT_TRUE(q->KeysDistinct());
  // a is listed twice, first without a value; e comes before d; x is the raw file's own.
  TIniFile raw;
  raw.LoadFromBytes("[F]\r\na.TC=\r\nb.TC=1\r\nA.tc=1\r\nx.TC=1\r\nc.TC=1\r\ne.TC=1\r\nd.TC=1\r\n");
  EXPECT_EQ(CompileRawBytes(*q, raw),
            "[_info]\r\nDestLng=\r\n\r\n[F]\r\nb.TC=b\r\nc.TC=c\r\nd.TC=d\r\ne.TC=e\r\n\r\n");
  raw.LoadFromBytes("[F]\r\ne.TC=1\r\nd.TC=\r\nc.TC=1\r\nb.TC=1\r\na.TC=1\r\n[F]\r\nd.TC=1\r\n");
  EXPECT_EQ(CompileRawBytes(*q, raw),
            "[_info]\r\nDestLng=\r\n\r\n[F]\r\nb.TC=b\r\na.TC=a\r\nc.TC=c\r\ne.TC=e\r\n\r\n");
}

TEST_F(CompileTest, RefusedTargetsAndEmptyResultsLeaveEveryFileAsItWas) {
  const std::string before = Read(Path("P.kxLng"));
  WriteFileAtomic(Path("R.rawmi"), "[F]\r\nnothing.TC=x\r\n");
  WriteFileAtomic(Path("old.kxLng"), "keep");
  std::string error;
  // The project's own files, by any spelling of their path, and the raw file.
  for (const std::string &target :
       {Path("P.kxLng"), (Dir / "." / "P.SrcLng").string(), Path("P.kxLng.~bu")}) {
    EXPECT_FALSE(CompileSelectionFile(*Project, Project->Items.Raw(), target, nullptr, &error)) << target;
    EXPECT_NE(error.find("Refusing"), std::string::npos);
  }
  EXPECT_FALSE(CompileRawFile(*Project, Path("R.rawmi"), Path("R.rawmi"), nullptr, &error));
  EXPECT_NE(error.find("R.rawmi"), std::string::npos);
  // Nothing listed, nothing selected, no raw file: an error, the old target stays.
  EXPECT_FALSE(CompileRawFile(*Project, Path("R.rawmi"), Path("old.kxLng"), nullptr, &error));
  EXPECT_NE(error.find("Nothing to compile"), std::string::npos);
  EXPECT_FALSE(CompileSelectionFile(*Project, {}, Path("old.kxLng"), nullptr, &error));
  EXPECT_FALSE(CompileRawFile(*Project, Path("missing.rawmi"), Path("old.kxLng"), nullptr, &error));
  EXPECT_NE(error.find("Unable to Open File"), std::string::npos);
  EXPECT_EQ(Read(Path("old.kxLng")), "keep");
  EXPECT_EQ(Read(Path("P.kxLng")), before);
  EXPECT_FALSE(FileExists(Path("P.kxLng.~bu")));
}

} // namespace
} // namespace vt
