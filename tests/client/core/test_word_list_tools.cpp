// Word lists between projects, the raw message tools and the repository load, on real entries and
// real files: what is exported, what a merge fills and what it leaves, and which targets are refused.
#include "client/core/word_list_tools.h"

#include "support/file_io.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace vt {
namespace {

class WordListToolsTest : public ::testing::Test {
protected:
  void SetUp() override {
    P = TRef<TWordList>(new TWordList);
    Q = TRef<TWordList>(new TWordList);
  }
  static TWordObj *Add(TWordList &p, const char *section, const char *name, const char *kind,
                       std::string_view source, std::string_view trans = {}) {
    TWordObj *e = p.AddEntry(section, name, kind, source);
    e->Translation = trans;
    return e;
  }
  static std::span<TWordObj *const> All(const TWordList &p) { return p.Items.Raw(); }
  TRef<TWordList> P, Q;
};

TEST_F(WordListToolsTest, ExportThenMergeFillsExactlyTheUntranslatedEntriesOfMatchingSource) {
  Add(*P, "A", "ok", "TC", "OK", "[~]Aceptar"); // letters dropped on export
  Add(*P, "A", "items", "IT", "\"One\",\"Two\"", "\"Uno\",\"Dos\"");
  Add(*P, "A", "tab", "TC", "a\\tb", "x\\ty"); // TAB escape inside a word
  Add(*P, "A", "none", "TC", "Untranslated", "");
  Add(*P, "_Messages", "m", "_msg", "Hidden", "Oculto"); // hidden: not exported
  Add(*P, "B", "ok2", "TC", "OK", "Vale");               // same source again: the first pair wins
  std::size_t pairs = 0;
  const std::string file = ExtractWordList(All(*P), &pairs);
  EXPECT_EQ(pairs, 4u);
  EXPECT_EQ(file.substr(0, 22), "R=OK\r\nL=Aceptar\r\n\r\nR=\"");

  TTransWordList words;
  words.LoadFromBytes(file);
  TWordObj *ok = Add(*Q, "X", "ok", "TC", "OK");
  TWordObj *okCase = Add(*Q, "X", "okc", "TC", "Ok");           // differs in case: no pair
  TWordObj *kept = Add(*Q, "X", "kept", "TC", "OK", "[?]Bien"); // translated: never overwritten
  TWordObj *items = Add(*Q, "X", "items", "IT", "\"One\",\"Two\"");
  TWordObj *tab = Add(*Q, "X", "tab", "TC", "a\\tb");
  TWordObj *hidden = Add(*Q, "_Messages", "ok", "_msg", "OK");
  TEntryList changed;
  EXPECT_EQ(MergeFromWordList(*Q, All(*Q), words, &changed), 3);
  EXPECT_EQ(changed, (TEntryList{ok, items, tab}));
  EXPECT_TRUE(Q->Modified);
  EXPECT_EQ(ok->Translation, "Aceptar");
  EXPECT_TRUE(ok->Changed);
  EXPECT_EQ(items->TranslationText(), u"Uno\r\nDos");
  EXPECT_EQ(items->Translation, "\"Uno\",\"Dos\"");
  EXPECT_EQ(tab->TranslationText(), u"x\ty");
  EXPECT_EQ(okCase->Translation, "");
  EXPECT_EQ(kept->Translation, "[?]Bien");
  EXPECT_FALSE(kept->Changed);
  EXPECT_EQ(hidden->Translation, "");

  // Nothing found: the project stays unmodified.
  Q->Modified = false;
  EXPECT_EQ(MergeFromWordList(*Q, All(*Q), words), 0);
  EXPECT_FALSE(Q->Modified);
}

TEST_F(WordListToolsTest, MergeReadsCrOnlyLinesCommentsAndSkipsEmptyTranslations) {
  TTransWordList words;
  words.LoadFromBytes("; a comment\rR=Open\r;note\rL=Abrir\rR=Save\rL=\\91x]\rR=\"Empty\"\rL=\"\"\r");
  TWordObj *open = Add(*P, "A", "o", "TC", "Open");
  TWordObj *save = Add(*P, "A", "s", "TC", "Save");
  TWordObj *empty = Add(*P, "A", "e", "IT", "\"Empty\""); // the pair decodes to an empty list
  EXPECT_EQ(words.Count(), 3u);
  EXPECT_EQ(MergeFromWordList(*P, All(*P), words), 2);
  EXPECT_EQ(empty->Translation, "");
  EXPECT_FALSE(empty->Changed);
  EXPECT_EQ(open->Translation, "Abrir");
  // A text beginning "[" keeps its first character escaped, so it is no status prefix.
  EXPECT_EQ(save->TranslationText(), u"[x]");
  EXPECT_EQ(save->Flags(), 0);
}

TEST_F(WordListToolsTest, RawMessagesAreKeyedByTheirCounterpartsText) {
  TWordObj *m1 = Add(*P, "Messages", "m1", "msg", "File not found.", "Archivo no encontrado.");
  Add(*P, "_Messages", "m1", "_msg", "File not found");                        // raw text differs
  TWordObj *m2 = Add(*P, "Messages", "m2", "msg", "Disk full", "Disco lleno"); // no counterpart
  Add(*P, "A", "c", "TC", "Cancel", "Cancelar");                               // not a message
  std::size_t pairs = 0;
  const std::string file = ExtractRawMsgs(*P, &pairs);
  EXPECT_EQ(pairs, 2u);
  EXPECT_EQ(file, "R=File not found\r\nL=Archivo no encontrado.\r\n\r\nR=Disk full\r\nL=Disco lleno\r\n\r\n");
  EXPECT_EQ(ListRawMsgDiffs(*P), "File not found\tFile not found.\r\n");
  EXPECT_EQ(RawMessageText(*P, *m1), "File not found");
  EXPECT_EQ(RawMessageText(*P, *m2), "Disk full");

  TTransWordList words;
  words.LoadFromBytes(file);
  TWordObj *q1 = Add(*Q, "Messages", "m1", "msg", "File not found!"); // source changed since, raw text same
  Add(*Q, "_Messages", "m1", "_msg", "File not found");
  TWordObj *q2 = Add(*Q, "Messages", "m2", "msg", "Disk full");
  TWordObj *other = Add(*Q, "A", "d", "TC", "Disk full"); // same text, but no message
  TEntryList changed;
  EXPECT_EQ(MergeRawWordList(*Q, words, &changed), 2);
  EXPECT_EQ(changed, (TEntryList{q1, q2}));
  EXPECT_EQ(q1->Translation, "Archivo no encontrado.");
  EXPECT_EQ(q2->Translation, "Disco lleno");
  EXPECT_EQ(other->Translation, "");
  EXPECT_TRUE(Q->Modified);
}

TEST_F(WordListToolsTest, RepositoryValuesComeOverWithTheirStatusLetters) {
  TIniFile repo;
  repo.LoadFromBytes("[A]\r\nok.TC=[~]Aceptar\r\nc.TC=Cancelar\r\nm.msg=Mensaje\r\nt.TC=Otra\r\ne.TC=\r\n");
  TWordObj *ok = Add(*P, "A", "ok", "TC", "OK");
  TWordObj *c = Add(*P, "A", "c", "TC", "Cancel", "[?]"); // letters only: no translation text yet
  TWordObj *m = Add(*P, "A", "m", "msg", "Message");      // messages are not taken
  TWordObj *t = Add(*P, "A", "t", "TC", "Other", "Mine"); // translated: kept
  TWordObj *e = Add(*P, "A", "e", "TC", "Empty");         // empty value: nothing
  TEntryList changed;
  EXPECT_EQ(LoadFromRepository(*P, All(*P), repo, &changed), 2);
  EXPECT_EQ(changed, (TEntryList{ok, c}));
  EXPECT_EQ(ok->Translation, "[~]Aceptar");
  EXPECT_EQ(ok->State(), esAutoTranslated);
  EXPECT_EQ(c->Translation, "Cancelar");
  EXPECT_EQ(m->Translation, "");
  EXPECT_EQ(t->Translation, "Mine");
  EXPECT_EQ(e->Translation, "");
  EXPECT_TRUE(P->Modified);
}

TEST_F(WordListToolsTest, ExportsRefuseTheProjectsOwnFiles) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("wl_targets_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string base = (dir / "P").string();
  ASSERT_TRUE(WriteFileAtomic(base + ".SrcLng", "[A]\r\nok.TC=OK\r\n"));
  ASSERT_TRUE(WriteFileAtomic(base + ".kxLng", "[A]\r\nok.TC=Aceptar\r\n"));
  TRef<TWordList> project(new TWordList);
  ASSERT_TRUE(project->Open(base + ".SrcLng", nullptr, TWordList::TOpenMode::ReadOnly));
  fs::create_symlink(base + ".kxLng", dir / "link.txt");
  std::string error;
  for (const std::string &target : {base + ".kxLng", base + ".SrcLng", base + ".AutoLng", base + ".kxLng.~bu",
                                    (dir / "sub" / ".." / "P.kxLng").string(), (dir / "link.txt").string()}) {
    EXPECT_FALSE(WriteExportFile(*project, target, "R=a\r\nL=b\r\n", &error)) << target;
    EXPECT_NE(error.find("refused"), std::string::npos);
  }
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(base + ".kxLng", bytes));
  EXPECT_EQ(bytes, "[A]\r\nok.TC=Aceptar\r\n");
  EXPECT_TRUE(WriteExportFile(*project, base + ".words.kxLng", "R=a\r\nL=b\r\n", &error)) << error;
  ASSERT_TRUE(ReadFileBytes(base + ".words.kxLng", bytes));
  EXPECT_EQ(bytes, "R=a\r\nL=b\r\n");
  fs::remove_all(dir);
}

} // namespace
} // namespace vt
