// The project's queries on small hand-made projects: filters, look-ups, the current object, the
// same-source and suggestion lists, the hint merge, and the summary line of the main list.
#include "model/release_obj.h"
#include "model/selection_summary.h"
#include "model/word_list.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vt;

namespace {

using TProject = TRef<TWordList>;

TProject NewProject() {
  return TProject(new TWordList());
}

TWordObj *Add(TWordList &p, const char *section, const char *name, const char *kind, const char *source,
              const char *translation = "") {
  TWordObj *e = p.AddEntry(section, name, kind, source);
  e->Translation = translation;
  return e;
}

std::vector<std::string> Keys(const TReleaseList<TWordObj> &list) {
  std::vector<std::string> out;
  for (const TWordObj *e : list) out.push_back(e->FullId());
  return out;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(Select, SectionsKindsStatesAndFlags) {
  TProject p = NewProject();
  Add(*p, "F1", "B1", "VC", "Open", "Abrir");
  Add(*p, "F1", "B1", "_CN", "TButton");
  Add(*p, "F1", "B1", "vh", "Hint", "[~]Pista");
  Add(*p, "F2", "T1", "TC", "Save", "[?]Guardar");
  Add(*p, "F2", "T1", "TF", "Save all", "[~!]x");
  Add(*p, "f2", "T2", "MG", "Msg");

  p->Select(section::All, "", 0, 0);
  EXPECT_EQ(Keys(p->Selection), (Strings{"F1/B1.VC", "F1/B1.vh", "F2/T1.TC", "F2/T1.TF", "f2/T2.MG"}));
  p->Select("", "", 0, 0);
  EXPECT_EQ(p->Selection.Count(), 5u);

  // Section names match exactly, kinds without regard to case.
  p->Select("F2", "", 0, 0);
  EXPECT_EQ(Keys(p->Selection), (Strings{"F2/T1.TC", "F2/T1.TF"}));
  p->Select(section::All, TypeFilterKinds(TTypeFilter::Hints), 0, 0);
  EXPECT_EQ(Keys(p->Selection), (Strings{"F1/B1.vh", "F2/T1.TF"}));

  const TStatusMask untranslated = StatusMask(TStatusFilter::Untranslated),
                    completed = StatusMask(TStatusFilter::Completed),
                    query = StatusMask(TStatusFilter::Query);
  p->Select(section::All, "", untranslated.Flags, untranslated.States);
  EXPECT_EQ(Keys(p->Selection), (Strings{"F1/B1.vh", "F2/T1.TF", "f2/T2.MG"}));
  p->Select(section::All, "", completed.Flags, completed.States);
  EXPECT_EQ(Keys(p->Selection), (Strings{"F1/B1.VC", "F2/T1.TC"}));
  p->Select(section::All, "", query.Flags, query.States);
  EXPECT_EQ(Keys(p->Selection), (Strings{"F2/T1.TC"}));
  p->Select(section::All, "", efQuery | efWarning, 0);
  EXPECT_TRUE(p->Selection.Empty());

  // Selection holds a holder of its own on each entry and gives it back.
  TWordObj *open = p->Items[0];
  p->Select(section::All, "", 0, 0);
  EXPECT_EQ(open->Holders(), 2);
  p->ClearSelection();
  EXPECT_EQ(open->Holders(), 1);
  EXPECT_EQ(p->CountTranslated(), 0);
}

TEST(Filters, TextModesIgnoreCaseAndFirstAmpersand) {
  TProject p = NewProject();
  Add(*p, "S", "A", "VC", "Save");
  Add(*p, "S", "B", "VC", "&Save");
  Add(*p, "S", "C", "VC", "SAVE as");
  Add(*p, "S", "D", "VC", "Do not save");
  Add(*p, "S", "E", "VC", "S&&ave"); // only the first "&" goes: "s&ave"

  auto run = [&](const char *text, TTextMatch mode) {
    p->Select(section::All, "", 0, 0);
    p->FilterByText(text, mode);
    return Keys(p->Selection);
  };
  EXPECT_EQ(run("save", TTextMatch::StartsWith), (Strings{"S/A.VC", "S/B.VC", "S/C.VC"}));
  EXPECT_EQ(run("SAVE", TTextMatch::Contains), (Strings{"S/A.VC", "S/B.VC", "S/C.VC", "S/D.VC"}));
  EXPECT_EQ(run("save", TTextMatch::FullMatch), (Strings{"S/A.VC", "S/B.VC"}));
  EXPECT_EQ(run("s&ave", TTextMatch::FullMatch), (Strings{"S/E.VC"}));
}

TEST(Filters, WordCountAndCountWords) {
  EXPECT_EQ(CountWords(""), 0);
  EXPECT_EQ(CountWords("one"), 1);
  EXPECT_EQ(CountWords("one two  three"), 3);
  EXPECT_EQ(CountWords(" lead"), 2);
  EXPECT_EQ(CountWords("trail "), 2);
  EXPECT_EQ(CountWords("   "), 2);

  TProject p = NewProject();
  Add(*p, "S", "A", "VC", "one two three");
  Add(*p, "S", "B", "VC", "one,two\\nthree four"); // commas and "\n" escapes separate words
  Add(*p, "S", "C", "VC", "one two");
  auto run = [&](int limit, TWordCountMatch direction) {
    p->Select(section::All, "", 0, 0);
    p->FilterByWordCount(limit, direction);
    return Keys(p->Selection);
  };
  EXPECT_EQ(run(3, TWordCountMatch::MoreThan), (Strings{"S/B.VC"}));
  EXPECT_EQ(run(3, TWordCountMatch::AtMost), (Strings{"S/A.VC", "S/C.VC"}));
  EXPECT_EQ(run(3, TWordCountMatch::FewerThan), (Strings{"S/C.VC"}));
}

TEST(Filters, DuplicatesKeepTheLastOfEachGroup) {
  TProject p = NewProject();
  Add(*p, "S", "A", "VC", "&Open");
  Add(*p, "S", "B", "VC", "Close");
  Add(*p, "S", "C", "VC", "Open");
  Add(*p, "S", "D", "VC", "OPEN");
  Add(*p, "S", "E", "VC", "close");
  Add(*p, "S", "F", "VC", "Op&en&");
  p->Select(section::All, "", 0, 0);
  p->RemoveDuplicateSources();
  EXPECT_EQ(Keys(p->Selection), (Strings{"S/D.VC", "S/E.VC", "S/F.VC"}));
  // Removed entries gave their holder back.
  EXPECT_EQ(p->Items[0]->Holders(), 1);
  EXPECT_EQ(p->Items[3]->Holders(), 2);
}

TEST(Sorting, MainListOrderWithIndexTiesAndDescending) {
  TProject p = NewProject();
  Add(*p, "S", "b", "VC", "x", "[~]z");
  Add(*p, "S", "a", "VC", "y", "a");
  Add(*p, "S", "c", "VC", "x", "");
  Add(*p, "S.", "a", "VC", "x", "b"); // "S./a.VC" sorts before "S/..." since "." < "/"
  p->Select(section::All, "", 0, 0);
  p->SortSelection(TSortColumn::Name, false);
  EXPECT_EQ(Keys(p->Selection), (Strings{"S./a.VC", "S/a.VC", "S/b.VC", "S/c.VC"}));
  p->SortSelection(TSortColumn::Original, false); // equal sources by Index
  EXPECT_EQ(Keys(p->Selection), (Strings{"S/b.VC", "S/c.VC", "S./a.VC", "S/a.VC"}));
  p->SortSelection(TSortColumn::Original, true); // the whole comparison negated, ties included
  EXPECT_EQ(Keys(p->Selection), (Strings{"S/a.VC", "S./a.VC", "S/c.VC", "S/b.VC"}));
  p->SortSelection(TSortColumn::Translated, false); // by the stored bytes, status prefix included ("[" < "a")
  EXPECT_EQ(Keys(p->Selection), (Strings{"S/c.VC", "S/b.VC", "S/a.VC", "S./a.VC"}));
  p->SortSelection(TSortColumn::Section, false);
  EXPECT_EQ(Keys(p->Selection), (Strings{"S/b.VC", "S/a.VC", "S/c.VC", "S./a.VC"}));
  p->SortSelection(TSortColumn::Id, true);
  EXPECT_EQ(Keys(p->Selection), (Strings{"S./a.VC", "S/c.VC", "S/a.VC", "S/b.VC"}));
}

TEST(Lookups, FirstMatchAndKeyChanges) {
  TProject p = NewProject();
  TWordObj *a = Add(*p, "F", "B.1", "VC", "Open");
  TWordObj *b = Add(*p, "F", "B.1", "VH", "Open file");
  TWordObj *c = Add(*p, "F", "B.1", "_CN", "TButton");
  TWordObj *d = Add(*p, "F/B", "1", "VC", "Open"); // "F/B/1.VC"
  TWordObj *e = Add(*p, "F", "B", "1.VC", "Twin"); // composes to the same full id as a

  EXPECT_EQ(p->FindEntry("F/B.1.VC"), a);
  EXPECT_EQ(p->FindEntry("F/B/1.VC"), d);
  EXPECT_EQ(p->FindEntry(""), nullptr);
  EXPECT_EQ(p->FindEntry("F/B.1.vc"), nullptr);
  EXPECT_EQ(p->FindEntries("F/B.1"), (TEntryList{a, b, c}));
  EXPECT_TRUE(p->FindEntries("F/B.2").empty());
  EXPECT_EQ(p->FindByKey("F", "VC", "B.1"), a);
  EXPECT_EQ(p->FindByKey("F", "1.VC", "B"), e);
  EXPECT_EQ(p->FindByKey("F", "VC", ""), nullptr);
  EXPECT_EQ(p->FindByValue("F", "VC", "Open"), a);
  EXPECT_EQ(p->FindByValue("F", "VC", "open"), nullptr);
  EXPECT_EQ(p->FindByValue("", "VC", "Open"), nullptr);

  // The index follows entries whose identity or source changes.
  a->SetKind("TC");
  EXPECT_EQ(p->FindEntry("F/B.1.VC"), e);
  EXPECT_EQ(p->FindEntry("F/B.1.TC"), a);
  e->SetSource("Closed");
  EXPECT_EQ(p->FindByValue("F", "1.VC", "Closed"), e);
  EXPECT_EQ(p->FindByValue("F", "1.VC", "Twin"), nullptr);
  a->SetKind("VC"); // back: the first of Items wins again
  EXPECT_EQ(p->FindEntry("F/B.1.VC"), a);
  b->SetName("B.2");
  EXPECT_EQ(p->FindEntries("F/B.1"), (TEntryList{a, c}));
  EXPECT_EQ(p->FindEntries("F/B.2"), (TEntryList{b}));
  d->SetSection("G");
  EXPECT_EQ(p->FindEntry("F/B/1.VC"), nullptr);
  EXPECT_EQ(p->FindEntry("G/1.VC"), d);
  // New entries are found, and a closed project finds nothing.
  TWordObj *f = Add(*p, "G", "1", "VC", "Later");
  EXPECT_EQ(p->FindByValue("G", "VC", "Later"), f);
  p->Close();
  EXPECT_EQ(p->FindEntry("G/1.VC"), nullptr);
  EXPECT_TRUE(p->FindEntries("F/B.1").empty());
}

TEST(CurrentObject, ValuesTextsAndCache) {
  TProject p = NewProject();
  Add(*p, "F", "Btn", "_CN", "TStaticHotBtn");
  Add(*p, "F", "Btn", "TC", "Play", "Abspielen");
  Add(*p, "F", "Btn", "THF", "Play|Start playback|now", "");
  Add(*p, "F", "Btn", "_ToolIconSize", "24");
  Add(*p, "F", "Btn", "_Width", "12px");
  Add(*p, "F", "Old", "TH", "Short", "Kurz");
  Add(*p, "F", "Old", "TF", "Long");
  Add(*p, "F", "Ctl", "VC", "OK");
  Add(*p, "F", "Ctl", "VH", "Hint|Long hint", "[~]Hinweis|Langer");

  std::string value;
  long long number = 0;
  EXPECT_FALSE(p->GetObjectValue("_CN", value)); // no current object yet
  p->SetCurrentObject("F/Btn");
  EXPECT_EQ(p->CurrentObject, "F/Btn");
  ASSERT_TRUE(p->CurrentProps.has_value());
  EXPECT_EQ((*p->CurrentProps)[0], "_CN=TStaticHotBtn");
  EXPECT_EQ(p->CurrentProps->size(), 5u);
  EXPECT_TRUE(p->GetObjectValue("_cn", value));
  EXPECT_EQ(value, "TStaticHotBtn");
  EXPECT_TRUE(p->GetObjectInt("_ToolIconSize", number));
  EXPECT_EQ(number, 24);
  EXPECT_FALSE(p->GetObjectInt("_Width", number));
  EXPECT_FALSE(p->GetObjectInt("_Height", number));

  std::u16string caption, shortHint, longHint;
  EXPECT_TRUE(p->GetToolTexts(caption, shortHint, longHint));
  EXPECT_EQ(caption, u"Abspielen");
  EXPECT_EQ(shortHint, u"Play");
  EXPECT_EQ(longHint, u"Start playback|now");

  p->SetCurrentObject("F/Old");
  EXPECT_TRUE(p->GetToolTexts(caption, shortHint, longHint));
  EXPECT_EQ(caption, u"");
  EXPECT_EQ(shortHint, u"Kurz");
  EXPECT_EQ(longHint, u"Long");

  p->SetCurrentObject("F/Ctl");
  std::u16string hint;
  EXPECT_TRUE(p->GetControlTexts(caption, hint));
  EXPECT_EQ(caption, u"OK");
  EXPECT_EQ(hint, u"Hinweis|Langer");

  // An unknown object is remembered without values; an empty id forgets everything.
  p->SetCurrentObject("F/None");
  EXPECT_FALSE(p->CurrentProps.has_value());
  EXPECT_FALSE(p->GetControlTexts(caption, hint));
  p->SetCurrentObject("");
  EXPECT_EQ(p->CurrentObject, "");
  EXPECT_EQ(p->GetObjectText("VC"), u"");
}

TEST(Links, SourceNoteAndLinkedText) {
  TProject p = NewProject();
  TWordObj *btn = Add(*p, "F", "Btn", "TC", "Play");
  Add(*p, "F", "Btn", "_!TC", "Keep it short");
  Add(*p, "F", "Btn", "_AID", "42");
  TWordObj *lbl = Add(*p, "F", "Lbl", "VC", "Volume");
  Add(*p, "F", "Lbl", "_PID", "7");
  TWordObj *lone = Add(*p, "F", "Lone", "VC", "x");
  Add(*p, "F", "Lone", "_AID", "99");
  Add(*p, "F", "Lone", "_PID", "7"); // an action link wins even when the action is unknown
  Add(*p, "Zt4_Actions", "actPlay", "_AID", "42");
  Add(*p, "Zt4_Actions", "actPlay", "TC", "Play");
  Add(*p, "Zt4_Actions", "actPlay", "THF", "Play|Start playback");
  Add(*p, "Main_Properties", "propVol", "_PID", "7");
  Add(*p, "Main_Properties", "propVol", "TC", "Volume level");

  EXPECT_EQ(p->GetSourceNote(*btn), "Keep it short");
  EXPECT_EQ(p->GetSourceNote(*lbl), "");
  EXPECT_EQ(p->GetLinkedText(*btn), "Play|Start playback");
  EXPECT_EQ(p->GetLinkedText(*lbl), "Volume level");
  EXPECT_EQ(p->GetLinkedText(*lone), "");
}

TEST(SameSource, ScoresOrderAndSuggestions) {
  TProject p = NewProject();
  TWordObj *cur = Add(*p, "F", "A", "VC", "&Open");
  TWordObj *same = Add(*p, "F", "B", "VC", "Open");            // 8 + 2 + 1 (both untranslated)
  TWordObj *exact = Add(*p, "G", "A", "TC", "&Open", "[~]Ab"); // 32 + 16 + 4
  TWordObj *upper = Add(*p, "G", "C", "VC", "&OPEN", "Ab");    // 16 + 8
  Add(*p, "F", "A", "_CN", "&Open");                           // hidden: never a candidate
  Add(*p, "F", "D", "VC", "Opener");
  cur->AutoText = "Auto";

  TEntryList similar = p->FindSimilar(cur);
  EXPECT_EQ(similar, (TEntryList{exact, upper, same}));
  EXPECT_EQ(exact->Score, 52);
  EXPECT_EQ(upper->Score, 24);
  EXPECT_EQ(same->Score, 11);
  EXPECT_TRUE(p->FindSimilar(nullptr).empty());

  // Two entries with one body: the plain translation replaces the automatic one at its place.
  EXPECT_EQ(TWordList::DistinctTranslations({exact, same, upper}), (TEntryList{upper}));

  p->UpdateSuggestions(cur, true, true);
  EXPECT_EQ(Keys(p->SimilarItems), (Strings{"G/A.TC", "G/C.VC", "F/B.VC"}));
  ASSERT_EQ(p->Suggestions.Count(), 2u);
  EXPECT_EQ(p->Suggestions[0], upper);
  EXPECT_NE(p->Suggestions[1], cur); // the untranslated entry's own clone comes last
  EXPECT_EQ(p->Suggestions[1]->AutoText, "Auto");
  EXPECT_EQ(upper->Holders(), 3);

  // Only the lists whose flag is set are refilled; a translated entry's clone comes first.
  cur->Translation = "Abrir";
  p->UpdateSuggestions(cur, false, true);
  EXPECT_EQ(p->SimilarItems.Count(), 3u);
  ASSERT_EQ(p->Suggestions.Count(), 2u);
  EXPECT_EQ(p->Suggestions[0]->Translation, "Abrir");
  EXPECT_EQ(p->Suggestions[1], upper);
  p->UpdateSuggestions(nullptr, true, true);
  EXPECT_TRUE(p->SimilarItems.Empty());
  EXPECT_TRUE(p->Suggestions.Empty());
  EXPECT_EQ(upper->Holders(), 1);
}

TEST(SameSource, ApplyCopiesToEntriesWithTheSameLowerCasedSource) {
  TProject p = NewProject();
  TWordObj *cur = Add(*p, "F", "A", "VC", "Open", "[?]Abrir");
  TWordObj *empty = Add(*p, "F", "B", "VC", "OPEN");
  TWordObj *flagged = Add(*p, "F", "C", "VC", "open", "[~!]Viejo");
  TWordObj *accel = Add(*p, "F", "D", "VC", "&Open");      // "&" not removed here: no match
  TWordObj *twin = Add(*p, "F", "A", "VC", "Open", "");    // same full id: skipped
  TWordObj *hidden = Add(*p, "F", "E", "_CN", "Open", ""); // hidden: skipped

  EXPECT_EQ(p->ApplyToSameSource(cur, false), 1);
  EXPECT_EQ(empty->Translation, "Abrir");
  EXPECT_EQ(flagged->Translation, "[~!]Viejo");
  EXPECT_EQ(p->ApplyToSameSource(cur, true), 2);
  EXPECT_EQ(flagged->Translation, "[!]Abrir"); // its flags stay, the automatic mark goes
  EXPECT_EQ(accel->Translation, "");
  EXPECT_EQ(twin->Translation, "");
  EXPECT_EQ(hidden->Translation, "");
  EXPECT_FALSE(empty->Changed);
}

TEST(MergeHints, PairsLoneHintsAndOrder) {
  TProject p = NewProject();
  Add(*p, "F", "Play", "TH", "Play");
  Add(*p, "F", "Play", "TC", "Play");
  Add(*p, "F", "Play", "TF", "Start playback");
  Add(*p, "F", "Stop", "TF", "Stops it", "Hält an");
  Add(*p, "F", "Stop2", "TF", "Untranslated");
  Add(*p, "F", "Rec", "TH", "Record", "Aufnehmen");
  Add(*p, "A", "Next", "TF", "Next track", "[?]Weiter");
  Add(*p, "A", "Next", "TH", "Next", "");
  p->Select(section::All, "", 0, 0);
  TWordObj *removed = p->Items[0];
  EXPECT_EQ(removed->Holders(), 2);

  p->MergeHints();
  std::vector<std::string> got;
  for (const TWordObj *e : p->Items)
    got.push_back(e->FullId() + "=" + e->Source() + "=" + e->Translation + "=" + std::to_string(e->Index));
  EXPECT_EQ(got, (Strings{
                     "A/Next.THF=Next|Next track=[?]Next|Weiter=6", // short part falls back to its source
                     "F/Play.TC=Play==1",
                     "F/Play.THF=Play|Start playback=Play|Start playback=2", // no translations: sources
                     "F/Rec.THF=Record=Aufnehmen=5",
                     "F/Stop.THF=|Stops it=|Hält an=3",
                     "F/Stop2.THF=|Untranslated==4",
                 }));
  for (std::size_t i = 0; i < p->Items.Count(); ++i) EXPECT_EQ(p->Items[i]->Pos, static_cast<int32_t>(i));
  // The merged short hint left Items but lives on in the selection that still holds it.
  EXPECT_EQ(removed->Holders(), 1);
  EXPECT_EQ(removed->Kind(), "TH");
  EXPECT_EQ(p->FindEntry("F/Play.TH"), nullptr);
  EXPECT_EQ(p->FindEntry("F/Play.THF"), p->Items[2]);
  p->ClearSelection();
}

TEST(Summary, StatusBarLine) {
  EXPECT_EQ(SelectionSummary("TID_Form1", 40, 11), "TID_Form1 ,  40  ,  27.5%");
  EXPECT_EQ(SelectionSummary("[ALL]", 0, 0), "[ALL] ,  (Empty)");
  EXPECT_EQ(SelectionSummary("S", 3, 3), "S ,  3  ,  100.0%");
  EXPECT_EQ(SelectionSummary("S", 3, 1), "S ,  3  ,  33.3%");
  EXPECT_EQ(SelectionSummary("S", 3, 2), "S ,  3  ,  66.7%");
  EXPECT_EQ(SelectionSummary("S", 400, 1), "S ,  400  ,  0.3%"); // halves round away from zero
}
