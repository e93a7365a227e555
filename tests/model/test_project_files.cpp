#include "model/ini_file.h"
#include "model/trans_man.h"
#include "model/word_list.h"
#include "support/file_io.h"
#include "tests/scratch_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace vt;
namespace fs = std::filesystem;

namespace {

class ProjectFiles : public TScratchFolder {
protected:
  void WriteDemo() const {
    Write("Demo.SrcLng", "[Form1]\r\n"
                         "Button1._CN=TTntButton\r\n"
                         "Button1.VC=&Open\r\n"
                         "Button1.VH=Open a file|Opens a file from disk\r\n"
                         "Empty.VC=\r\n"
                         "NoKind=value\r\n"
                         "Panel1.Label1.VC=Name:\r\n"
                         "[Messages]\r\n"
                         "Err_001_.msg=Cannot open\\nthe file\r\n");
    Write("Demo.kxLng", "[_info]\r\nDestLng=de\r\n\r\n"
                        "[Form1]\r\n"
                        "Button1.VC=[?]\xC3\x96"
                        "ffnen \r\n"
                        "Button1.VC_?=check accel\r\n"
                        "Button1._CN=stale\r\n"
                        "Empty.VC=orphan\r\n"
                        "Gone.VC=kept\r\n"
                        "[Extra]\r\nK=V\r\n");
    Write("Demo.AutoLng", "[Form1]\r\nButton1.VC=Offnen\r\nPanel1.Label1.VC=Name:\r\n");
  }

  TRef<TWordList> Open(const std::string &name, TWordList::TOpenMode mode = TWordList::TOpenMode::Edit) {
    TRef<TWordList> list(new TWordList());
    Error.clear();
    Opened = list->Open(P(name), &Error, mode);
    return list;
  }

  bool Opened = false;
  std::string Error; // why the last Open failed
};

} // namespace

TEST_F(ProjectFiles, OpensTheSameProjectThroughAnyOfItsFiles) {
  WriteDemo();
  std::vector<std::string> views;
  for (const char *name : {"Demo.kxLng", "Demo.SrcLng", "Demo.AutoLng"}) {
    auto list = Open(name);
    ASSERT_TRUE(Opened) << name;
    std::ostringstream view;
    view << list->DestLng << "|" << list->Sections.size() << "\n";
    for (const TWordObj *e : list->Items)
      view << e->Index << " " << e->FullId() << " " << e->Hidden << " [" << e->Source() << "] ["
           << e->Translation << "] [" << e->Comment << "] [" << e->AutoText << "]\n";
    views.push_back(view.str());
    EXPECT_EQ(list->FileName, P(name));
  }
  EXPECT_EQ(views[0], views[1]);
  EXPECT_EQ(views[0], views[2]);
  EXPECT_EQ(views[0], "de|2\n"
                      "0 Form1/Button1._CN 1 [TTntButton] [] [] []\n"
                      "1 Form1/Button1.VC 0 [&Open] [[?]\xC3\x96"
                      "ffnen] [check accel] [Offnen]\n"
                      "2 Form1/Button1.VH 0 [Open a file|Opens a file from disk] [] [] []\n"
                      "3 Form1/Panel1.Label1.VC 0 [Name:] [] [] [Name:]\n"
                      "4 Messages/Err_001_.msg 0 [Cannot open\\nthe file] [] [] []\n");
}

TEST_F(ProjectFiles, OpenTalliesTheSectionsAsAWalkOverTheEntriesDoes) {
  WriteDemo();
  auto list = Open("Demo.kxLng");
  ASSERT_TRUE(Opened);
  const auto describe = [](const std::vector<TWordList::TSectionTally> &tallies) {
    std::string text;
    for (const auto &t : tallies)
      text +=
          std::string(t.Section) + " " + std::to_string(t.Translated) + "/" + std::to_string(t.Total) + ";";
    return text;
  };
  const std::string fromOpen = describe(list->TallySections());
  EXPECT_EQ(fromOpen, "Form1 1/3;Messages 0/1;");
  list->ItemsReordered(); // same entries, same order: the next tally walks them
  EXPECT_EQ(describe(list->TallySections()), fromOpen);
  list->Items[3]->SetStoredTranslation("Name:");
  EXPECT_EQ(describe(list->TallySections()), "Form1 2/3;Messages 0/1;");
}

TEST_F(ProjectFiles, RefusesMissingFilesAndEmptyProjectsSayingWhy) {
  EXPECT_FALSE(Open("Nothing.kxLng")->Items.Count());
  EXPECT_FALSE(Opened);
  EXPECT_EQ(Error, "File not found: " + P("Nothing.kxLng"));
  Write("Only.SrcLng", "[A]\nX.VC=x\n");
  Open("Only.SrcLng");
  EXPECT_FALSE(Opened);
  EXPECT_EQ(Error, "Translation file not found: " + P("Only.kxLng"));
  Write("Lone.kxLng", "[A]\n");
  Open("Lone.kxLng");
  EXPECT_EQ(Error, "Source file not found: " + P("Lone.SrcLng"));
  Write("Bare.SrcLng", "[A]\nX.VC=\nNoKind=1\n");
  Write("Bare.kxLng", "");
  auto list = Open("Bare.kxLng");
  EXPECT_FALSE(Opened);
  EXPECT_EQ(Error, "No entries in " + P("Bare.SrcLng"));
  EXPECT_TRUE(list->FileName.empty());
  EXPECT_TRUE(list->TransIni != nullptr); // files stay attached until Close
  // A file that exists but cannot be read: its name and the system's reason.
  Write("Dir.SrcLng", "[A]\nX.VC=x\n");
  fs::create_directories(P("Dir.kxLng"));
  Open("Dir.SrcLng");
  EXPECT_FALSE(Opened);
  EXPECT_NE(Error.find(P("Dir.kxLng")), std::string::npos) << Error;
  TRef<TWordList> empty(new TWordList());
  std::string error;
  EXPECT_FALSE(empty->Open("", &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(ProjectFiles, ReadOnlyOpenLeavesEveryFileAsItWas) {
  WriteDemo();
  const std::string src = "\xEF\xBB\xBF" + Read("Demo.SrcLng");
  const std::string trans = "\xEF\xBB\xBF" + Read("Demo.kxLng");
  const std::string autoText = "\xEF\xBB\xBF" + Read("Demo.AutoLng");
  Write("Demo.SrcLng", src);
  Write("Demo.kxLng", trans);
  Write("Demo.AutoLng", autoText);
  auto list = Open("Demo.kxLng", TWordList::TOpenMode::ReadOnly);
  ASSERT_TRUE(Opened) << Error;
  // The marks are skipped in memory: the first section of each file is read.
  EXPECT_EQ(list->DestLng, "de");
  ASSERT_NE(list->FindEntry("Form1/Button1.VC"), nullptr);
  EXPECT_EQ(list->FindEntry("Form1/Button1.VC")->AutoText, "Offnen");
  EXPECT_EQ(Read("Demo.SrcLng"), src);
  EXPECT_EQ(Read("Demo.kxLng"), trans);
  EXPECT_EQ(Read("Demo.AutoLng"), autoText);
  EXPECT_FALSE(fs::exists(P("Demo.kxLng.~bu")));
  std::size_t files = 0;
  for ([[maybe_unused]] const auto &e : fs::directory_iterator(Dir)) ++files;
  EXPECT_EQ(files, 3u);
}

TEST_F(ProjectFiles, ByteOrderMarkIsStrippedAfterTheBackupKeepsIt) {
  WriteDemo();
  const std::string withBom = "\xEF\xBB\xBF" + Read("Demo.kxLng");
  Write("Demo.kxLng", withBom);
  auto list = Open("Demo.SrcLng");
  ASSERT_TRUE(Opened);
  EXPECT_EQ(list->DestLng, "de"); // "_info" is found although the mark stood before it
  EXPECT_EQ(Read("Demo.kxLng.~bu"), withBom);
  EXPECT_EQ(Read("Demo.kxLng"), withBom.substr(3));

  // Only the whole mark counts: a leading 0xEF alone is data.
  Write("x.txt", "\xEF\xBB"
                 "abc");
  EXPECT_TRUE(TWordList::StripUtf8Bom(P("x.txt")));
  EXPECT_EQ(Read("x.txt"), "\xEF\xBB"
                           "abc");
  Write("y.txt", "\xEF");
  EXPECT_TRUE(TWordList::StripUtf8Bom(P("y.txt")));
  EXPECT_EQ(Read("y.txt"), "\xEF");
  Write("z.txt", "\xEF\xBB\xBF");
  EXPECT_TRUE(TWordList::StripUtf8Bom(P("z.txt")));
  EXPECT_EQ(Read("z.txt"), "");
  std::string error;
  EXPECT_FALSE(TWordList::StripUtf8Bom(P("missing.txt"), &error));
  EXPECT_NE(error.find(P("missing.txt")), std::string::npos) << error;
}

TEST_F(ProjectFiles, BackupCopiesAndOverwrites) {
  Write("f.kxLng", "one");
  ASSERT_TRUE(TWordList::BackupFile(P("f.kxLng")));
  Write("f.kxLng", "two");
  ASSERT_TRUE(TWordList::BackupFile(P("f.kxLng")));
  EXPECT_EQ(Read("f.kxLng.~bu"), "two");
  EXPECT_TRUE(TWordList::BackupFile(P("none.kxLng")));
  EXPECT_FALSE(fs::exists(P("none.kxLng.~bu")));
}

TEST_F(ProjectFiles, SaveAndReopenKeepTranslationsCommentsAndFlags) {
  WriteDemo();
  {
    auto list = Open("Demo.kxLng");
    ASSERT_TRUE(Opened);
    TWordObj *open = list->Items[1], *hint = list->Items[2], *label = list->Items[3], *msg = list->Items[4];
    EXPECT_EQ(open->Translation, "[?]\xC3\x96"
                                 "ffnen"); // trailing space gone on reading
    open->Comment.clear();                 // emptied comment loses its key
    hint->SetTranslationFromEditor(u"Datei \u00F6ffnen\r\nL\u00E4dt eine Datei  ");
    hint->SetFlags(efNeedsWork);
    hint->Comment = "long hint";
    label->SetTranslationText(u"[Name] field");
    label->SetFlags(efWarning);
    label->SetAutoState(esAutoTranslated);
    msg->SetTranslationText(u"Kann nicht\r\n\u00F6ffnen \U0001F600");
    list->Modified = true;
    hint->Changed = true;
    std::string error;
    ASSERT_TRUE(list->Save(&error)) << error;
    EXPECT_FALSE(list->Modified);
    EXPECT_FALSE(hint->Changed);
  }
  const std::string saved = Read("Demo.kxLng");
  // Keys of hidden kinds go, keys of vanished entries and other sections stay, new keys are
  // appended at their section's end, a missing section at the file's end.
  EXPECT_EQ(saved, "[_info]\r\nDestLng=de\r\n\r\n"
                   "[Form1]\r\n"
                   "Button1.VC=[?]\xC3\x96"
                   "ffnen\r\n"
                   "Empty.VC=orphan\r\n"
                   "Gone.VC=kept\r\n"
                   "Button1.VH=[+]Datei \xC3\xB6"
                   "ffnen|L\xC3\xA4"
                   "dt eine Datei  \r\n"
                   "Button1.VH_?=long hint\r\n"
                   "Panel1.Label1.VC=[!~]\\91Name] field\r\n"
                   "\r\n[Extra]\r\nK=V\r\n\r\n"
                   "[Messages]\r\n"
                   "Err_001_.msg=Kann nicht\\n\xC3\xB6"
                   "ffnen \xED\xA0\xBD\xED\xB8\x80\r\n\r\n");

  auto list = Open("Demo.kxLng");
  ASSERT_TRUE(Opened);
  const TWordObj *hint = list->Items[2], *label = list->Items[3], *msg = list->Items[4];
  EXPECT_EQ(list->Items[1]->Comment, "");
  EXPECT_EQ(hint->Flags(), efNeedsWork);
  // The value's surrounding spaces are gone after the round trip, as the dialect reads it.
  EXPECT_EQ(hint->TranslationDisplay(), u"Datei \u00F6ffnen\r\nL\u00E4dt eine Datei");
  EXPECT_EQ(hint->Comment, "long hint");
  EXPECT_EQ(label->TranslationText(), u"[Name] field");
  EXPECT_EQ(label->Flags(), efWarning);
  EXPECT_EQ(label->State(), esAutoTranslated);
  EXPECT_EQ(msg->TranslationText(), u"Kann nicht\r\n\u00F6ffnen \U0001F600");

  // Emptied translations lose their keys too.
  list->Items[1]->SetTranslationText(u"");
  list->Items[1]->SetFlags(0);
  ASSERT_TRUE(list->Save());
  EXPECT_EQ(Read("Demo.kxLng").find("Button1.VC="), std::string::npos);
}

TEST_F(ProjectFiles, FailedSaveKeepsModifiedAndLeavesTheFileAlone) {
  WriteDemo();
  auto list = Open("Demo.kxLng");
  ASSERT_TRUE(Opened);
  const std::string before = Read("Demo.kxLng");
  list->Items[1]->SetTranslationText(u"Neu");
  list->Items[1]->Changed = true;
  list->Modified = true;
  // The translation file's name now names a folder: the rename over it must fail.
  fs::remove(P("Demo.kxLng"));
  fs::create_directory(P("Demo.kxLng"));
  std::string error;
  EXPECT_FALSE(list->Save(&error));
  EXPECT_NE(error.find("Demo.kxLng"), std::string::npos);
  EXPECT_TRUE(list->Modified);
  EXPECT_TRUE(list->Items[1]->Changed);
  EXPECT_TRUE(fs::is_directory(P("Demo.kxLng")));
  fs::remove(P("Demo.kxLng"));
  Write("Demo.kxLng", before);
  // A folder that does not exist fails the same way, without leaving temporary files behind.
  list->TransIni->SetFileName(P("no/such/dir/Demo.kxLng"));
  EXPECT_FALSE(list->Save(&error));
  EXPECT_TRUE(list->Modified);
  EXPECT_EQ(Read("Demo.kxLng"), before);
  std::size_t files = 0;
  for (const auto &e : fs::directory_iterator(Dir)) files += e.is_regular_file();
  EXPECT_EQ(files, 4u); // SrcLng, kxLng, AutoLng, backup
}

TEST_F(ProjectFiles, CloseReleasesEveryHolderAndDetachesEntries) {
  WriteDemo();
  auto list = Open("Demo.kxLng");
  ASSERT_TRUE(Opened);
  TRef<TWordObj> kept(TRefObj::AddRef(list->Items[1]));
  list->Selection.Add(TRefObj::AddRef(list->Items[1]));
  list->SimilarItems.Add(TRefObj::AddRef(list->Items[1]));
  list->Suggestions.Add(list->Items[1]->Clone());
  EXPECT_EQ(kept->Holders(), 4);
  EXPECT_EQ(kept->Observer != nullptr, true);
  list->CurrentProps = std::vector<std::string>{"VC=x"};
  list->Close();
  EXPECT_EQ(kept->Holders(), 1);
  EXPECT_EQ(kept->Observer, nullptr);
  EXPECT_TRUE(list->Items.Empty());
  EXPECT_TRUE(list->Sections.empty());
  EXPECT_FALSE(list->CurrentProps.has_value());
  EXPECT_EQ(list->TransIni, nullptr);
  EXPECT_TRUE(list->FileName.empty());
  EXPECT_TRUE(list->DestLng.empty());
  kept->SetName("Renamed"); // must not call into the closed project
  // Save without a translation file does nothing.
  EXPECT_TRUE(list->Save());
}

TEST_F(ProjectFiles, AddEntryNumbersAndObservesEntries) {
  TRef<TWordList> list(new TWordList());
  TWordObj *a = list->AddEntry("S", "A", "VC", "a");
  TWordObj *b = list->AddEntry("S", "B", "_CN", "TButton");
  EXPECT_EQ(a->Index, 0);
  EXPECT_EQ(b->Pos, 1);
  EXPECT_TRUE(b->Hidden);
  EXPECT_NE(a->Observer, nullptr);
  std::swap(list->Items.Raw()[0], list->Items.Raw()[1]);
  list->ItemsReordered();
  EXPECT_EQ(a->Pos, 1);
  EXPECT_EQ(a->Index, 0);
}

TEST_F(ProjectFiles, RepeatedSectionsAndKeysGiveOneEntryEach) {
  Write("D.SrcLng", "[A]\nX.VC=first\nx.vc=second\n[a]\nY.VC=hidden by the first section\n[B]\nZ.VC=z\n");
  Write("D.kxLng", "[A]\nX.VC=T1\nX.VC=T2\n");
  auto list = Open("D.kxLng");
  ASSERT_TRUE(Opened);
  ASSERT_EQ(list->Items.Count(), 2u);
  EXPECT_EQ(list->Items[0]->Source(), "first");
  EXPECT_EQ(list->Items[0]->Translation, "T1");
  EXPECT_EQ(list->Sections, (std::vector<std::string>{"A", "B"}));
}

TEST_F(ProjectFiles, SameSourceCopiesOfAnOpenedProjectSkipOnlyTheEntryItself) {
  // Keys read from files are distinct, so a copy need not compare keys: it still goes to every
  // other entry of the source and never back to the entry, nor, from a clone, to its original.
  Write("K.SrcLng", "[A]\nX.VC=Open\nY.VC=open\n[B]\nX.VC=OPEN\n");
  Write("K.kxLng", "[A]\nX.VC=Auf\n");
  auto list = Open("K.kxLng");
  ASSERT_TRUE(Opened);
  ASSERT_TRUE(list->KeysDistinct());
  TWordObj *x = list->Items[0];
  TRef<TWordObj> clone(x->Clone());
  clone->Translation = "Zu";
  TEntryList changed;
  EXPECT_EQ(list->ApplyToSameSource(clone.get(), true, &changed), 2);
  EXPECT_EQ(x->Translation, "Auf"); // the clone's original keeps its own text
  EXPECT_EQ(list->Items[1]->Translation, "Zu");
  EXPECT_EQ(list->Items[2]->Translation, "Zu");
  EXPECT_EQ(list->ApplyToSameSource(x, true), 2);
  EXPECT_EQ(x->Translation, "Auf");
  EXPECT_EQ(list->Items[2]->Translation, "Auf");
}

TEST_F(ProjectFiles, SameSourceCopiesShareOneStoredTextButKeepFlagLetters) {
  // Members without flag letters take one kept copy of the text; a member with letters keeps them,
  // a list item gets the text as a list, and each saves as its own line.
  Write("F.SrcLng", "[A]\nX.VC=Open\nZ.VC=OPEN\nY.VC=open\nW.TC=Open\nL.IT=Open\n");
  Write("F.kxLng", "[A]\nX.VC=Auf\nZ.VC=alt\nY.VC=[?]alt\n");
  auto list = Open("F.kxLng");
  ASSERT_TRUE(Opened);
  TWordObj *x = list->Items[0], *z = list->Items[1], *y = list->Items[2], *w = list->Items[3],
           *l = list->Items[4];
  EXPECT_EQ(list->ApplyToSameSource(x, true), 4);
  EXPECT_EQ(y->Translation, "[?]Auf");
  EXPECT_EQ(z->Translation, "Auf");
  EXPECT_EQ(w->Translation, "Auf");
  EXPECT_EQ(z->Translation.data(), w->Translation.data());
  EXPECT_EQ(l->Translation, "\"Auf\"");
  z->SetStoredTranslation("Zu");
  EXPECT_EQ(w->Translation, "Auf");
  ASSERT_TRUE(list->Save());
  EXPECT_EQ(Read("F.kxLng"), "[A]\r\nX.VC=Auf\r\nZ.VC=Zu\r\nY.VC=[?]Auf\r\nW.TC=Auf\r\nL.IT=\"Auf\"\r\n\r\n");
}

TEST_F(ProjectFiles, SameSourceGroupsRefuseEntriesOutsideTheList) {
  // The groups are of the list's positions: an entry that is not in the list (a clone, or one
  // whose position is that of another entry now) has none, however the entries are ordered.
  TRef<TWordList> list(new TWordList());
  for (const char *name : {"A", "B", "C", "D"})
    list->AddEntry("S", name, "VC", name[0] == 'D' ? "Close" : "open");
  TWordObj *a = list->Items[0], *b = list->Items[1], *c = list->Items[2], *d = list->Items[3];
  TRef<TWordObj> outside(b->Clone());
  outside->Pos = b->Pos;
  EXPECT_FALSE(list->SameSources({a, outside.get(), c}).has_value());
  EXPECT_FALSE(list->SameSources({c, outside.get()}).has_value());
  for (const TEntryList &entries : {TEntryList{a, b, c, d}, TEntryList{b, d}, TEntryList{d, a, c}}) {
    const auto same = list->SameSources(entries);
    ASSERT_TRUE(same.has_value());
    const auto group = same->Of(*c);
    EXPECT_EQ(std::vector<TWordObj *>(group.begin(), group.end()), (std::vector<TWordObj *>{a, b, c}));
    EXPECT_EQ(same->Of(*d).size(), 1u);
  }
}

TEST_F(ProjectFiles, TranslationsOutOfSourceOrderAreStillFound) {
  Write("O.SrcLng", "[A]\nA.VC=a\nB.VC=b\nC.VC=c\nD.VC=d\n");
  Write("O.kxLng", "[a]\nd.vc=D\nB.VC_?=note\nB.VC=B\nA.VC=A\n");
  auto list = Open("O.kxLng");
  ASSERT_TRUE(Opened);
  std::string got;
  for (const TWordObj *e : list->Items) got += e->Translation + "/" + e->Comment + ";";
  EXPECT_EQ(got, "A/;B/note;/;D/;");
}

TEST_F(ProjectFiles, SectionsOutOfTurnReadAsFirstMatchLookUps) {
  // Random sections: lines in turn, keys a save appended at the end, keys moved, repeats, other case,
  // comments, unknown keys and raw lines. Each text must be what a look-up of the file finds.
  std::mt19937 rng(7);
  const auto pick = [&](unsigned n) { return static_cast<unsigned>(rng() % n); };
  std::string src, trans, autos;
  for (int s = 0; s < 40; ++s) {
    const std::string name = "S" + std::to_string(s);
    const unsigned count = 1 + pick(60);
    src += "[" + name + "]\n";
    // Each file's lines in turn, then those a save appended.
    std::vector<std::string> lines, appended, autoLines, autoAppended;
    for (unsigned i = 0; i < count; ++i) {
      const std::string key = "K" + std::to_string(i) + ".VC";
      src += key + "=source\n";
      const std::string spelt = pick(8) == 0 ? "k" + std::to_string(i) + ".vc" : key;
      const std::string value = "t" + std::to_string(s) + "_" + std::to_string(i);
      auto &to = pick(4) == 0 ? appended : lines;
      if (pick(3) != 0) to.push_back(spelt + "=" + value);
      if (pick(5) == 0) to.push_back(key + "_?=note " + value);
      if (pick(12) == 0) to.push_back(key + "=repeat " + value);
      if (pick(4) != 0) (pick(6) == 0 ? autoAppended : autoLines).push_back(key + "=auto " + value);
    }
    if (pick(10) == 0) lines.push_back("Unknown.VC=x");
    if (pick(10) == 0) lines.push_back("raw line");
    if (pick(6) == 0 && lines.size() > 1) std::swap(lines.front(), lines.back());
    trans += "[" + name + "]\n";
    for (const auto &l : lines) trans += l + "\n";
    for (const auto &l : appended) trans += l + "\n";
    autos += "[" + name + "]\n";
    for (const auto &l : autoLines) autos += l + "\n";
    for (const auto &l : autoAppended) autos += l + "\n";
  }
  Write("R.SrcLng", src);
  Write("R.kxLng", trans);
  Write("R.AutoLng", autos);
  auto list = Open("R.kxLng", TWordList::TOpenMode::ReadOnly);
  ASSERT_TRUE(Opened) << Error;
  TIniFile transIni(P("R.kxLng")), autoIni(P("R.AutoLng"));
  ASSERT_TRUE(transIni.Load());
  ASSERT_TRUE(autoIni.Load());
  const auto found = [](const TIniFile &ini, std::string_view section, const std::string &key) {
    const TCompactText *value = ini.FindValue(section, key);
    return value ? value->str() : std::string();
  };
  std::size_t checked = 0;
  for (const TWordObj *e : list->Items) {
    const std::string key = e->Key();
    EXPECT_EQ(e->Translation.str(), found(transIni, e->Section(), key)) << e->Section() << " " << key;
    EXPECT_EQ(e->Comment.str(), found(transIni, e->Section(), key + "_?")) << e->Section() << " " << key;
    EXPECT_EQ(e->AutoText.str(), found(autoIni, e->Section(), key)) << e->Section() << " " << key;
    ++checked;
  }
  EXPECT_GT(checked, 500u);
}

TEST_F(ProjectFiles, OrderedReadingGivesWayWhereTheFileDoesNotLineUp) {
  // Later repeats of a key, keys met out of turn, and a source key that looks like another entry's
  // comment key must all read as first-match look-ups would.
  Write("W.SrcLng", "[A]\nA.VC=a\nB.VC=b\n[C]\nX.VC=x\nX.VC_?=odd kind\nY.VC=y\n[E]\nE.VC=e\nF.VC=f\n");
  Write("W.kxLng", "[A]\nB.VC=1\nA.VC=2\nB.VC=3\n"
                   "[C]\nX.VC_?=c\nY.VC=ty\n"
                   "[e]\ne.vc=te\ne.VC_?=ce\nraw line\nf.vc=tf\n");
  Write("W.AutoLng", "[A]\nB.VC=auto b\nA.VC=auto a\n[E]\nE.VC=ae\nF.VC=af\nF.VC=second af\n");
  auto list = Open("W.kxLng");
  ASSERT_TRUE(Opened);
  std::string got;
  for (const TWordObj *e : list->Items)
    got += e->Key() + ":" + e->Translation + "/" + e->Comment + "/" + e->AutoText + ";";
  EXPECT_EQ(got, "A.VC:2//auto a;B.VC:1//auto b;X.VC:/c/;X.VC_?:c//;Y.VC:ty//;E.VC:te/ce/ae;F.VC:tf//af;");
}
