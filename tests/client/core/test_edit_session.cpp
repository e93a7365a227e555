// The edit session on a real project: settling, Undo, Update Current with its same-source copy,
// the status letters, the auto mark, the comment and batch changes.
#include "client/core/edit_session.h"

#include <gtest/gtest.h>
#include <utility>

namespace vt {
namespace {

class EditSessionTest : public ::testing::Test {
protected:
  void SetUp() override {
    Project = TRef<TWordList>(new TWordList);
    Ok1 = Add("A", "ok", "TC", "OK", "Aceptar");
    Ok2 = Add("B", "ok", "TC", "ok", "");        // same source apart from case, untranslated
    Ok3 = Add("C", "ok", "TC", "OK", "[~]Vale"); // same source, auto translated
    Cancel = Add("A", "cancel", "TC", "Cancel", "[?]Cancelar");
    Session.SetProject(Project.get());
  }
  TWordObj *Add(const char *section, const char *name, const char *kind, const char *source,
                const char *trans) {
    TWordObj *e = Project->AddEntry(section, name, kind, source);
    e->Translation = trans;
    return e;
  }
  TRef<TWordList> Project;
  TEditSession Session;
  TWordObj *Ok1 = nullptr, *Ok2 = nullptr, *Ok3 = nullptr, *Cancel = nullptr;
};

TEST_F(EditSessionTest, EveryChangeTheSectionCountsSeeStepsTheStamp) {
  // Counts made at one stamp are reused while it stays: each way an entry's state can change
  // must step it, and reading must not.
  auto stepped = [&, last = Project->EntriesStamp()]() mutable {
    const auto now = Project->EntriesStamp();
    return std::exchange(last, now) != now;
  };
  ASSERT_TRUE(Session.MakeCurrent(Ok2));
  Session.StoreEditorText(u"Vale");
  EXPECT_TRUE(stepped()) << "typing";
  ASSERT_TRUE(Session.Undo());
  EXPECT_EQ(Ok2->Translation, "");
  EXPECT_TRUE(stepped()) << "undo";
  EXPECT_TRUE(Session.SetFlag(efQuery, true));
  EXPECT_TRUE(stepped()) << "status letter";
  Ok1->SetSource("Okay");
  EXPECT_TRUE(stepped()) << "source";
  Project->AddEntry("D", "new", "TC", "New");
  EXPECT_TRUE(stepped()) << "new entry";
  (void)Ok1->State();
  (void)Project->TallySections();
  EXPECT_FALSE(stepped()) << "reading";
}

TEST_F(EditSessionTest, LeavingAnUntouchedEntryChangesNothing) {
  EXPECT_TRUE(Session.MakeCurrent(Ok1));
  EXPECT_FALSE(Session.MakeCurrent(Ok1)); // already current
  ASSERT_NE(Session.UndoCopy(), nullptr);
  EXPECT_TRUE(Session.MakeCurrent(Cancel));
  EXPECT_FALSE(Ok1->Changed);
  EXPECT_FALSE(Project->Modified);
  EXPECT_EQ(Ok2->Translation, "");
  EXPECT_EQ(Session.Current(), Cancel);
}

TEST_F(EditSessionTest, LeavingAnEditedEntrySettlesItAndCopiesToSameSource) {
  Session.MakeCurrent(Ok1);
  Session.StoreEditorText(u"Bien");
  EXPECT_TRUE(Ok1->Changed);
  EXPECT_TRUE(Project->Modified);
  Project->Modified = false;
  Ok1->Changed = false;

  Session.SetReplaceAll(false);
  EXPECT_TRUE(Session.MakeCurrent(nullptr));
  EXPECT_EQ(Session.Current(), nullptr);
  EXPECT_EQ(Session.UndoCopy(), nullptr);
  EXPECT_TRUE(Ok1->Changed);
  EXPECT_TRUE(Project->Modified);
  EXPECT_EQ(Ok2->TranslationText(), u"Bien"); // was empty: takes the text
  EXPECT_EQ(Ok3->Translation, "[~]Vale");     // has a translation and Replace ALL is off
}

TEST_F(EditSessionTest, ReplaceAllOverwritesSameSourceTranslations) {
  Session.MakeCurrent(Ok1);
  Session.StoreEditorText(u"Bien");
  EXPECT_TRUE(Session.Settle());
  EXPECT_EQ(Ok3->TranslationText(), u"Bien");
  EXPECT_EQ(Ok3->State(), esTranslated);
  EXPECT_FALSE(Session.Settle()); // the copy is gone: nothing more to settle
}

TEST_F(EditSessionTest, ClearedTextIsSettledButNotCopied) {
  Session.MakeCurrent(Ok1);
  Session.StoreEditorText(u"");
  EXPECT_TRUE(Session.Settle());
  EXPECT_TRUE(Ok1->Changed);
  EXPECT_EQ(Ok3->Translation, "[~]Vale");
}

TEST_F(EditSessionTest, UndoGoesBackToTheTextAndLettersOfTheCopy) {
  Session.MakeCurrent(Cancel);
  EXPECT_EQ(Session.UndoText(), u"Cancelar");
  Session.StoreEditorText(u"Anular");
  Session.SetFlag(efWarning, true);
  EXPECT_EQ(Cancel->Translation, "[?!]Anular");
  EXPECT_TRUE(Session.Undo());
  EXPECT_EQ(Cancel->Translation, "[?]Cancelar");
  EXPECT_FALSE(Session.Settle()); // back to where it started
  EXPECT_FALSE(Session.Undo());   // no copy after settling
}

TEST_F(EditSessionTest, UpdateCurrentMarksTranslatedAndCopies) {
  Session.MakeCurrent(Ok3);
  Session.SetReplaceAll(false);
  EXPECT_EQ(Session.UpdateCurrent(u"Vale"), 1); // Ok1 keeps its own translation
  EXPECT_EQ(Ok3->State(), esTranslated);
  EXPECT_TRUE(Ok3->Changed);
  EXPECT_TRUE(Project->Modified);
  EXPECT_EQ(Ok2->TranslationText(), u"Vale");
  EXPECT_EQ(Ok1->TranslationText(), u"Aceptar");

  Session.SetReplaceAll(true);
  EXPECT_EQ(Session.UpdateCurrent(u"De acuerdo"), 2);
  EXPECT_EQ(Ok1->TranslationText(), u"De acuerdo");

  Project->Modified = false;
  EXPECT_EQ(Session.UpdateCurrent(u""), 0);
  EXPECT_EQ(Ok3->State(), esUntranslated);
  EXPECT_EQ(Ok1->TranslationText(), u"De acuerdo");
}

TEST_F(EditSessionTest, CopiesToTheSameSourceNameTheEntriesTheyChanged) {
  std::vector<TEntryList> told;
  Session.OnCopied = [&](const TEntryList &entries) { told.push_back(entries); };
  Session.MakeCurrent(Ok3);
  Session.SetReplaceAll(false);
  Session.UpdateCurrent(u"Vale");
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], TEntryList{Ok2}); // Ok1 kept its own translation
  Session.SetReplaceAll(true);
  Session.StoreEditorText(u"Listo");
  Session.MakeCurrent(Cancel); // settling copies too
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[1], (TEntryList{Ok1, Ok2}));
  Session.MakeCurrent(nullptr); // nothing changed, nothing copied, nothing told
  EXPECT_EQ(told.size(), 2u);
}

TEST_F(EditSessionTest, StatusLettersAndTheAutoMark) {
  EXPECT_FALSE(Session.Status().Editable);
  EXPECT_FALSE(Session.SetFlag(efQuery, true)); // no current entry

  Session.MakeCurrent(Ok3);
  TEntryStatus status = Session.Status();
  EXPECT_TRUE(status.Editable);
  EXPECT_TRUE(status.AutoEnabled);
  EXPECT_TRUE(status.Auto);
  EXPECT_FALSE(status.Query);

  EXPECT_TRUE(Session.SetFlag(efNeedsWork, true));
  EXPECT_FALSE(Session.SetFlag(efNeedsWork, true));
  EXPECT_FALSE(Project->Modified); // until the entry is settled
  EXPECT_TRUE(Session.Status().NeedsWork);
  EXPECT_TRUE(Session.SetAutoMark(false));
  EXPECT_EQ(Ok3->Translation, "[+]Vale");
  EXPECT_FALSE(Session.SetAutoMark(false));
  EXPECT_TRUE(Session.SetAutoMark(true));
  EXPECT_EQ(Ok3->State(), esAutoTranslated);
  EXPECT_TRUE(Session.SetFlag(efNeedsWork, false));
  EXPECT_EQ(Ok3->TranslationText(), u"Vale");
  EXPECT_EQ(Ok3->State(), esAutoTranslated);
  EXPECT_TRUE(Session.SetFlag(efWarning, true));
  EXPECT_TRUE(Session.Settle()); // the letters changed the stored translation
  EXPECT_TRUE(Ok3->Changed);
  EXPECT_TRUE(Project->Modified);

  // An untranslated entry cannot be marked auto translated.
  TWordObj *exit = Add("B", "exit", "TC", "Exit", "");
  Session.MakeCurrent(exit);
  EXPECT_FALSE(Session.Status().AutoEnabled);
  EXPECT_FALSE(Session.SetAutoMark(true));
  EXPECT_EQ(exit->State(), esUntranslated);
}

TEST_F(EditSessionTest, CommentQueriesTheEntryOnlyWhenNotEmpty) {
  EXPECT_FALSE(Session.SetComment("x"));
  Session.MakeCurrent(Ok1);
  EXPECT_TRUE(Session.SetComment("Formal?"));
  EXPECT_EQ(Ok1->Comment, "Formal?");
  EXPECT_TRUE(Session.Status().Query);
  EXPECT_TRUE(Ok1->Changed);
  EXPECT_TRUE(Project->Modified);
  // Clearing the text keeps the query: the translator clears that with its own box.
  EXPECT_TRUE(Session.SetComment(""));
  EXPECT_EQ(Ok1->Comment, "");
  EXPECT_TRUE(Session.Status().Query);
}

TEST_F(EditSessionTest, MachineTextIsMarkedAutoTranslated) {
  Session.MakeCurrent(Ok2);
  EXPECT_TRUE(Session.TakeMachineText(u"Bueno"));
  EXPECT_EQ(Ok2->Translation, "[~]Bueno");
  EXPECT_TRUE(Project->Modified);
}

TEST_F(EditSessionTest, BatchSettlesFirstAndReloadsOnceWithAFreshCopy) {
  int reloads = 0;
  Session.OnReload = [&] { ++reloads; };
  Session.MakeCurrent(Ok1);
  Session.StoreEditorText(u"Bien");
  {
    TBatchChange outer(Session);
    EXPECT_TRUE(Session.InBatch());
    EXPECT_EQ(Ok2->TranslationText(), u"Bien"); // settled before the batch works
    EXPECT_EQ(Session.UndoCopy(), nullptr);
    {
      TBatchChange inner(Session);
      Ok1->SetTranslationText(u"Correcto");
    }
    EXPECT_EQ(reloads, 0);
  }
  EXPECT_FALSE(Session.InBatch());
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(Session.Current(), Ok1);
  ASSERT_NE(Session.UndoCopy(), nullptr);
  EXPECT_EQ(Session.UndoText(), u"Correcto"); // Undo goes back to the batch's result, not before it
  Session.EndBatch();                         // an unmatched end is ignored
  EXPECT_EQ(reloads, 1);
}

TEST_F(EditSessionTest, ForgetDropsTheEntryWithoutSettling) {
  Session.MakeCurrent(Ok1);
  Session.StoreEditorText(u"Bien");
  Project->Modified = false;
  Session.Forget();
  EXPECT_EQ(Session.Current(), nullptr);
  EXPECT_FALSE(Session.Settle());
  EXPECT_EQ(Ok2->Translation, "");
}

} // namespace
} // namespace vt
