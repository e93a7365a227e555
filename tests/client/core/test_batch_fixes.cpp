// The batch text fixes on real projects: which entries each command visits, what it changes, the
// change flags it leaves, and the editor rules on wide text.
#include "client/core/batch_fixes.h"

#include "model/text_helpers.h"
#include "support/ascii_case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace vt {
namespace {

class BatchFixesTest : public ::testing::Test {
protected:
  void SetUp() override { Project = TRef<TWordList>(new TWordList); }
  TWordObj *Add(const char *section, const char *name, const char *kind, const char *source,
                const char *trans, const char *autoText = "") {
    TWordObj *e = Project->AddEntry(section, name, kind, source);
    e->Translation = trans;
    e->AutoText = autoText;
    return e;
  }
  // The main list with every visible entry.
  void SelectAll() { Project->Select("", "", 0, 0); }
  TRef<TWordList> Project;
};

TEST_F(BatchFixesTest, FlagCommandsChangeOnlySelectedVisibleEntriesAndMarkTheProject) {
  TWordObj *plain = Add("A", "a", "TC", "Open", "Abrir");
  TWordObj *untranslated = Add("A", "b", "TC", "Close", "");
  TWordObj *queried = Add("A", "c", "TC", "Save", "[?~]Guardar");
  TWordObj *other = Add("B", "d", "TC", "Quit", "Salir");
  Project->Select("A", "", 0, 0);

  TEntryList changed;
  EXPECT_EQ(SetAutoTranslatedFlag(*Project, &changed), 1); // untranslated skipped, auto already auto
  EXPECT_EQ(plain->Translation, "[~]Abrir");
  EXPECT_EQ(changed, TEntryList{plain});
  EXPECT_TRUE(Project->Modified);
  EXPECT_FALSE(plain->Changed);

  EXPECT_EQ(SetQueryFlags(*Project), 2); // untranslated gains a bare "[?]", queried stays
  EXPECT_EQ(untranslated->Translation, "[?]");
  EXPECT_EQ(SetQueryFlags(*Project), 0);
  EXPECT_EQ(other->Translation, "Salir"); // not in the selection
  EXPECT_EQ(SetWarning(*Project), 3);
  EXPECT_EQ(RemoveQueryFlags(*Project), 3);
  EXPECT_EQ(queried->Translation, "[~!]Guardar");
  EXPECT_EQ(RemoveWarnings(*Project), 3);
  EXPECT_EQ(ClearAutoTranslatedFlag(*Project), 2);
  EXPECT_EQ(plain->Translation, "Abrir");
  EXPECT_EQ(queried->Translation, "Guardar");

  EXPECT_EQ(SetModifiedFlag(*Project), 3);
  EXPECT_TRUE(plain->Changed && untranslated->Changed && queried->Changed);
  EXPECT_FALSE(other->Changed);
  EXPECT_EQ(RemoveModifiedFlag(*Project), 3);
  EXPECT_FALSE(plain->Changed);

  Project->Modified = false;
  EXPECT_EQ(SetWarning(*Project), 3);
  EXPECT_TRUE(Project->Modified);
}

TEST_F(BatchFixesTest, FlagCommandsStoreWhatTheEntrysOwnOperationsStore) {
  // The commands rewrite the prefix in one step; where a letter changes, the result must be the
  // entry's own SetFlags and SetAutoState, letters in odd orders and stray brackets included (an
  // entry whose letters already say so stays byte for byte).
  const char *stored[] = {"",    "Abrir",  "[?]Abrir", "[~?!]Abrir", "[[?]Abrir", "[?Abrir", "[]Abrir",
                          "[~]", "[+~?]x", "[!]",      "[x~y]z",     "\\91a] b",  "[??]x"};
  for (const char *value : stored) {
    for (int command = 0; command < 6; ++command) {
      SetUp();
      TWordObj *e = Add("A", "a", "TC", "Open", value);
      TRef<TWordObj> model(e->Clone());
      SelectAll();
      switch (command) {
      case 0:
        SetQueryFlags(*Project);
        if (!(model->Flags() & efQuery)) model->SetFlags(model->Flags() | efQuery);
        break;
      case 1:
        RemoveQueryFlags(*Project);
        if (model->Flags() & efQuery) model->SetFlags(model->Flags() & ~efQuery);
        break;
      case 2:
        SetWarning(*Project);
        if (!(model->Flags() & efWarning)) model->SetFlags(model->Flags() | efWarning);
        break;
      case 3:
        RemoveWarnings(*Project);
        if (model->Flags() & efWarning) model->SetFlags(model->Flags() & ~efWarning);
        break;
      case 4:
        SetAutoTranslatedFlag(*Project);
        if (!model->TranslationText().empty() && model->State() != esAutoTranslated)
          model->SetAutoState(esAutoTranslated);
        break;
      default:
        ClearAutoTranslatedFlag(*Project);
        if (model->State() == esAutoTranslated) model->SetAutoState(esUntranslated);
        break;
      }
      EXPECT_EQ(e->Translation, model->Translation) << value << " command " << command;
    }
  }
}

TEST_F(BatchFixesTest, ClearAllTranslationsKeepsFlagsAsBarePrefix) {
  TWordObj *a = Add("A", "a", "TC", "Open", "[?~]Abrir");
  TWordObj *b = Add("A", "b", "TC", "Close", "Cerrar");
  TWordObj *hidden = Add("A", "c", "_CN", "TButton", "x");
  SelectAll();
  Project->Selection.Add(TRefObj::AddRef(hidden)); // a selection that holds a hidden entry
  EXPECT_EQ(ClearAllTranslations(*Project), 3);
  EXPECT_EQ(a->Translation, "[?]");
  EXPECT_EQ(b->Translation, "");
  EXPECT_EQ(hidden->Translation, "");
  EXPECT_TRUE(Project->Modified);
}

TEST_F(BatchFixesTest, ItemsCommandsReachFilteredEntriesAndSetChanged) {
  TWordObj *empty = Add("A", "a", "TC", "Open", "");
  TWordObj *exact = Add("B", "b", "TC", "Close", "[?]Close");
  TWordObj *differs = Add("B", "c", "TC", "Save", "Guardar");
  TWordObj *hidden = Add("B", "d", "_CN", "Same", "Same");
  Project->Select("A", "", 0, 0); // the filters hide section B

  EXPECT_EQ(RemoveExactTranslations(*Project), 1);
  EXPECT_EQ(exact->Translation, ""); // flags go with the text
  EXPECT_TRUE(exact->Changed);
  EXPECT_TRUE(Project->Modified);
  EXPECT_EQ(hidden->Translation, "Same");

  Project->Modified = false;
  TEntryList changed;
  EXPECT_EQ(CopyFromSrcText(*Project, &changed), 2);
  EXPECT_EQ(empty->TranslationText(), u"Open");
  EXPECT_EQ(exact->TranslationText(), u"Close");
  EXPECT_EQ(differs->Translation, "Guardar");
  EXPECT_TRUE(empty->Changed);
  EXPECT_TRUE(Project->Modified);
  EXPECT_EQ(changed, (TEntryList{empty, exact}));
}

TEST_F(BatchFixesTest, TestMarkerAndNumbersRunTwiceChangeOnce) {
  TWordObj *untranslated = Add("A", "a", "TC", "Open", "");
  TWordObj *translated = Add("A", "b", "TC", "Close", "[?]Cerrar");
  TWordObj *digit = Add("A", "c", "TC", "3D view", "3D vista");
  TWordObj *nothing = Add("A", "d", "TC", "", "");
  SelectAll();

  EXPECT_EQ(AddUnicodeTestChar(*Project), 4);
  EXPECT_EQ(untranslated->TranslationText(), u"\u03ADOpen");
  EXPECT_EQ(translated->Translation.view().substr(0, 3), "[?]");
  EXPECT_EQ(nothing->TranslationText(), u"\u03AD");
  EXPECT_EQ(AddUnicodeTestChar(*Project), 0);
  EXPECT_EQ(RemoveUnicodeTestChar(*Project), 4);
  EXPECT_EQ(untranslated->TranslationText(), u"Open"); // the source stays as the translation
  EXPECT_EQ(translated->Translation, "[?]Cerrar");

  untranslated->Translation.clear();
  nothing->Translation.clear();
  EXPECT_EQ(AddNumbers(*Project), 1);
  EXPECT_EQ(translated->Translation, "[?]" + std::to_string(translated->Index) + "_Cerrar");
  EXPECT_EQ(digit->TranslationText(), u"3D vista");
  EXPECT_EQ(AddNumbers(*Project), 0);
}

TEST_F(BatchFixesTest, ShowOnlyGuiAndAppNarrowTheSelectionInOrder) {
  Add("TID_Form1", "a", "TC", "A", "");
  Add("Messages", "b", "msg", "B", "");
  Add("Zt4_Actions", "c", "TC", "C", "");
  Add("Main_Properties", "d", "TC", "D", "");
  Add("Other", "e", "TC", "E", "");
  SelectAll();
  EXPECT_EQ(ShowOnlyGui(*Project), 2);
  ASSERT_EQ(Project->Selection.Count(), 3u);
  EXPECT_EQ(Project->Selection[0]->Name(), "a");
  EXPECT_EQ(Project->Selection[2]->Name(), "d");
  EXPECT_EQ(Project->Items.Count(), 5u);
  EXPECT_EQ(ShowOnlyApp(*Project), 3);
  EXPECT_TRUE(Project->Selection.Empty());
  SelectAll();
  EXPECT_EQ(ShowOnlyApp(*Project), 3);
  EXPECT_EQ(Project->Selection[1]->Name(), "e");
}

TEST_F(BatchFixesTest, SourceFixesRemoveOneCharacterAndKeepDoubledAmpersands) {
  TWordObj *save = Add("A", "a", "TC", "&Save && Exit", "");
  TWordObj *fish = Add("A", "b", "TC", "Fish && Chips", "");
  TWordObj *late = Add("A", "c", "TC", "a && &b", "");
  TWordObj *options = Add("A", "d", "TC", "Options...", "");
  TWordObj *colon = Add("A", "e", "TC", "Name:", "");
  SelectAll();
  TEntryList changed;
  EXPECT_EQ(RemoveAccelerators(*Project, &changed), 2);
  EXPECT_EQ(save->Source(), "Save && Exit");
  EXPECT_EQ(fish->Source(), "Fish && Chips");
  EXPECT_EQ(late->Source(), "a && b");
  EXPECT_EQ(RemoveTrailingPeriod(*Project), 2);
  EXPECT_EQ(options->Source(), "Options..");
  EXPECT_EQ(colon->Source(), "Name");
  EXPECT_FALSE(Project->Modified);
  EXPECT_FALSE(save->Changed);
}

TEST_F(BatchFixesTest, LookupsAgreeWithAPlainScanAfterSourceFixes) {
  const char *sources[] = {"&Save", "Save", "S&ave", "save.", "Save:", "&Open", "Open", "O&pen."};
  int n = 0;
  for (const char *s : sources) Add("A", std::to_string(++n).c_str(), "TC", s, "");
  SelectAll();
  // The look-ups are built before the fixes so that they must follow the changes.
  for (TWordObj *e : Project->Items) (void)Project->FindSimilar(e);
  RemoveAccelerators(*Project);
  RemoveTrailingPeriod(*Project);

  const auto key = [](const TWordObj *e) { return LowerAscii(RemoveFirstAmpersand(e->Source())); };
  for (TWordObj *e : Project->Items) {
    std::set<TWordObj *> found, scanned;
    for (TWordObj *s : Project->FindSimilar(e)) found.insert(s);
    for (TWordObj *c : Project->Items)
      if (c != e && !c->Hidden && key(c) == key(e)) scanned.insert(c);
    EXPECT_EQ(found, scanned) << e->Source();
  }
  SelectAll();
  Project->FilterByText("save", TTextMatch::FullMatch);
  std::size_t plain = 0;
  for (TWordObj *c : Project->Items) plain += key(c) == "save";
  EXPECT_EQ(Project->Selection.Count(), plain);
  EXPECT_EQ(plain, 5u);
}

TEST_F(BatchFixesTest, FlagAutoTakesSuggestionsAndKeepsTheTranslatorsWork) {
  TWordObj *untranslated = Add("A", "a", "TC", "Open", "", "Abrir");
  TWordObj *prefixOnly = Add("A", "b", "TC", "Close", "[?+]", "[~]Cerrar");
  TWordObj *differs = Add("A", "c", "TC", "Save", "Salvar", "Guardar");
  TWordObj *commented = Add("A", "d", "TC", "Quit", "Salir", "Terminar");
  commented->Comment = "ask the team";
  TWordObj *same = Add("A", "e", "TC", "Edit", "[!]Editar", "Editar");
  TWordObj *asSource = Add("A", "f", "TC", "OK", "", "OK");
  TWordObj *hidden = Add("A", "g", "_CN", "TButton", "", "Boton");
  TWordObj *bracket = Add("A", "h", "TC", "Name", "", "[~][name]");

  TEntryList changed;
  EXPECT_EQ(FlagAuto(*Project, &changed), 6);
  EXPECT_EQ(untranslated->Translation, "[~]Abrir");
  EXPECT_TRUE(untranslated->Changed);
  EXPECT_EQ(prefixOnly->State(), esAutoTranslated);
  EXPECT_EQ(prefixOnly->Flags(), efQuery | efNeedsWork);
  EXPECT_EQ(prefixOnly->TranslationText(), u"Cerrar");
  EXPECT_EQ(differs->Translation, "[?]Salvar");
  EXPECT_EQ(differs->Comment, "Guardar");
  EXPECT_EQ(commented->Comment, "ask the team");
  EXPECT_EQ(commented->Flags(), efQuery);
  EXPECT_EQ(same->Translation, "[!]Editar");
  EXPECT_EQ(asSource->Translation, "");
  EXPECT_EQ(hidden->Translation, "[~]Boton");
  EXPECT_EQ(bracket->TranslationText(), u"[name]"); // a text, not a prefix
  EXPECT_EQ(bracket->State(), esAutoTranslated);
  EXPECT_TRUE(Project->Modified);
}

TEST_F(BatchFixesTest, TextRepairsWarnAndStoreTheFixedText) {
  TWordObj *html = Add("A", "a", "TC", "x", "a &lt;b&gt;&nbsp;c");
  TWordObj *param = Add("A", "b", "TC", "x", "Insert [file] and [Page");
  TWordObj *leading = Add("A", "c", "TC", "x", "\\91name] here");
  TWordObj *umlaut = Add("A", "d", "TC", "x",
                         "Datei [name] \xC3\xB6"
                         "ffnen");
  TWordObj *invalid = Add("A", "e", "TC", "x", "[?~]");
  TWordObj *fine = Add("A", "f", "TC", "x", "[PARAM] ok");

  EXPECT_EQ(FixHtmlCodes(*Project), 1);
  EXPECT_EQ(html->Translation, "[!]a <b> c");
  EXPECT_EQ(FixParamCase(*Project), 3);
  EXPECT_EQ(param->Translation, "[!]Insert [FILE] and [PAGE");
  EXPECT_EQ(leading->TranslationText(), u"[NAME] here");
  EXPECT_EQ(leading->Flags(), efWarning);
  EXPECT_EQ(umlaut->TranslationText(), u"Datei [NAME] \u00F6ffnen");
  EXPECT_EQ(fine->Translation, "[PARAM] ok");
  EXPECT_EQ(FixParamCase(*Project), 0);
  EXPECT_TRUE(param->Changed);

  EXPECT_EQ(FixInvalid(*Project), 1);
  EXPECT_EQ(invalid->Translation, "[?]");
  EXPECT_TRUE(invalid->Changed);
}

TEST_F(BatchFixesTest, MarkersReachHiddenEntriesAndSkipEmptySources) {
  TWordObj *accented = Add("A", "a", "TC", "Caf\xC3\xA9", "");
  TWordObj *hidden = Add("A", "b", "_CN", "Gr\xC3\xBC\xC3\x9F", "");
  TWordObj *ascii = Add("A", "c", "TC", "Plain", "");
  TWordObj *empty = Add("A", "d", "TC", "", "");
  TWordObj *apiError = Add("A", "e", "TC", "x", "Error: TranslateApiExceptionMethod failed");
  Project->Select("Z", "", 0, 0); // nothing selected: these work on Items
  EXPECT_EQ(MarkNonAscii(*Project), 2);
  EXPECT_EQ(accented->Flags(), efWarning);
  EXPECT_EQ(hidden->Flags(), efWarning);
  EXPECT_EQ(ascii->Translation, "");
  EXPECT_EQ(empty->Translation, "");
  EXPECT_EQ(MarkNonAscii(*Project), 0);
  EXPECT_EQ(MarkTransAPIErrors(*Project), 1);
  EXPECT_EQ(apiError->Flags(), efWarning);
  EXPECT_TRUE(Project->Modified);
}

TEST_F(BatchFixesTest, ReplaceTextEndsAndCountsEntries) {
  TWordObj *a = Add("A", "a", "TC", "x", "aaaa");
  TWordObj *b = Add("A", "b", "TC", "x", "[?]banana");
  TWordObj *c = Add("A", "c", "TC", "x", "none");
  SelectAll();
  EXPECT_EQ(ReplaceText(*Project, u"", u"x"), 0);
  EXPECT_EQ(ReplaceText(*Project, u"a", u"aa"), 2);
  EXPECT_EQ(a->TranslationText(), u"aaaaaaaa");
  EXPECT_EQ(b->Translation, "[?]baanaanaa");
  EXPECT_EQ(c->Translation, "none");
  EXPECT_TRUE(a->Changed);
  EXPECT_EQ(ReplaceText(*Project, u"aa", u"b"), 2);
  EXPECT_EQ(a->TranslationText(), u"bbbb");
}

TEST_F(BatchFixesTest, TestCheckBeepsOnNonAsciiAndEmptiesCopiesOfTheSource) {
  TWordObj *copy = Add("A", "a", "TC", "Open", "Open");
  TWordObj *accented = Add("A", "b", "TC", "x", "Caf\xC3\xA9");
  TWordObj *ellipsis = Add("A", "c", "TC", "x", "Wait\x85");
  TWordObj *hidden = Add("A", "d", "_CN", "Same", "Same");
  TTestCheck check = TestEntry(*Project, *copy);
  EXPECT_FALSE(check.Beep);
  EXPECT_TRUE(check.Emptied);
  EXPECT_EQ(copy->Translation, "");
  EXPECT_TRUE(Project->Modified);
  EXPECT_TRUE(TestEntry(*Project, *accented).Beep);
  EXPECT_FALSE(TestEntry(*Project, *ellipsis).Beep); // a final 0x85 reads as "@" both ways
  EXPECT_FALSE(TestEntry(*Project, *hidden).Emptied);
}

TEST(EditorRulesTest, CapitalizeUpperCasesTheFirstCharacterOfEveryLine) {
  EXPECT_EQ(Capitalize(u"hello world"), u"Hello world\r\n");
  EXPECT_EQ(Capitalize(u"\u00DFtra\u00DFe"), u"SStra\u00DFe\r\n");
  EXPECT_EQ(Capitalize(u"\U00010428x"), u"\U00010400x\r\n"); // outside the BMP
  EXPECT_EQ(Capitalize(u"a\r\nb\rc\nd"), u"A\r\nB\r\nC\r\nD\r\n");
  EXPECT_EQ(Capitalize(u"a\r\n\r\nb\r\n"), u"A\r\n\r\nB\r\n");
  EXPECT_EQ(Capitalize(u""), u"");
  EXPECT_EQ(Capitalize(u"\u00E9t\u00E9"), u"\u00C9t\u00E9\r\n");
}

TEST(EditorRulesTest, TrailingEllipsisRules) {
  EXPECT_TRUE(EndsInEllipsis(u"Wait...."));
  EXPECT_FALSE(EndsInEllipsis(u".."));
  EXPECT_EQ(StripTrailing(u"Wait.."), u"Wait..");
  EXPECT_EQ(StripTrailing(u"Wait...."), u"Wait.");
  EXPECT_EQ(AddTrailing(u"Wait.."), u"Wait.....");
  EXPECT_EQ(AddTrailing(u"Wait..."), u"Wait...");
  EXPECT_EQ(AddTrailing(u""), u"");
  EXPECT_EQ(MirrorTrailing(u"Abrir", u"Open..."), u"Abrir...");
  EXPECT_EQ(MirrorTrailing(u"Abrir...", u"Open"), u"Abrir");
  EXPECT_EQ(MirrorTrailing(u"Abrir...", u""), u"Abrir...");
  EXPECT_EQ(StripEOL(u"Name:"), u"Name");
  EXPECT_EQ(StripEOL(u"Done."), u"Done");
  EXPECT_EQ(StripEOL(u""), u"");
}

TEST_F(BatchFixesTest, ListEditorCommandsActAsTypedEditsWithSameSourceCopies) {
  TWordObj *open = Add("A", "a", "TC", "Open...", "abrir");
  TWordObj *twin = Add("B", "a", "TC", "Open...", "otra");
  TWordObj *close = Add("A", "b", "TC", "Close", "cerrar...");
  TWordObj *hiddenTwin = Add("B", "z", "_CN", "Open...", "");
  Project->Select("A", "", 0, 0);
  TEntryList changed;
  EXPECT_EQ(ReplicateTrailingPeriods(*Project, true, &changed), 2);
  EXPECT_EQ(open->TranslationText(), u"abrir...");
  EXPECT_EQ(close->TranslationText(), u"cerrar");
  EXPECT_EQ(twin->TranslationText(), u"abrir..."); // Replace ALL: the copy overwrites
  EXPECT_EQ(hiddenTwin->Translation, "");
  EXPECT_TRUE(open->Changed && close->Changed);
  EXPECT_TRUE(std::find(changed.begin(), changed.end(), twin) != changed.end());

  twin->Translation = "otra";
  EXPECT_EQ(CaptilaizeSelectedList(*Project, false, nullptr), 2);
  EXPECT_EQ(open->TranslationText(), u"Abrir...");
  EXPECT_EQ(close->TranslationText(), u"Cerrar");
  EXPECT_EQ(twin->Translation, "otra"); // without Replace ALL a translation stays
  EXPECT_EQ(CaptilaizeSelectedList(*Project, false, nullptr), 0);
}

TEST_F(BatchFixesTest, EditorCopiesGoToSourcesEqualApartFromCaseOnly) {
  TWordObj *first = Add("A", "a", "TC", "save file", "guardar archivo");
  TWordObj *second = Add("A", "b", "TC", "Other", "otro");
  TWordObj *accel = Add("B", "a", "TC", "&Save File", "x");
  TWordObj *upper = Add("B", "b", "TC", "SAVE FILE", "");
  TWordObj *longer = Add("B", "c", "TC", "Save Files", "y");
  Project->Select("A", "", 0, 0);
  TEntryList changed;
  EXPECT_EQ(CaptilaizeSelectedList(*Project, true, &changed), 2);
  EXPECT_EQ(upper->TranslationText(), u"Guardar archivo");
  EXPECT_EQ(upper->State(), esTranslated);
  EXPECT_EQ(accel->Translation, "x"); // the "&" makes it another text here
  EXPECT_EQ(longer->Translation, "y");
  EXPECT_EQ(changed, (TEntryList{upper, first, second})); // a copy is listed before its edit
}

} // namespace
} // namespace vt
