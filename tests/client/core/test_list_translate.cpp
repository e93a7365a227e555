// The list-wide machine translation loop over a real project with a stub translator: which rows are
// translated, where copies go, how a run ends (last row, abort, unreachable service).
#include "client/core/list_translate.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

class ListRunTest : public ::testing::Test {
protected:
  void SetUp() override {
    Project = TRef<TWordList>(new TWordList);
    Open1 = Add("A", "open", "TC", "Open", "");
    Done = Add("A", "save", "TC", "Save", "Guardar");
    Open2 = Add("B", "open", "TC", "open", "Abrir"); // same source, translated: must stay
    Open3 = Add("C", "open", "TC", "OPEN", "");      // same source, untranslated: takes a copy
    Hint = Add("C", "tip", "VH", "Shows it\\nin full", "");
    Session.SetProject(Project.get());
    Session.SetReplaceAll(true); // the window's start state
    Rows = {Open1, Done, Open2, Hint};
  }
  TWordObj *Add(const char *section, const char *name, const char *kind, const char *source,
                const char *trans) {
    TWordObj *e = Project->AddEntry(section, name, kind, source);
    e->Translation = trans;
    return e;
  }
  // A service that answers "es:" + the prepared text, or is unreachable for texts containing fail.
  TListRunSteps Steps(std::string fail = {}) {
    TListRunSteps steps;
    steps.ShowCaption = [this](const std::string &c) { Captions.push_back(c); };
    steps.Translate = [this, fail](TWordObj &) {
      return TranslateCurrentByService(Session, Session.Current()->SourceDisplay(), true, "es",
                                       [this, fail](const std::string &text, const std::string &target) {
                                         Asked.push_back(text);
                                         TMachineReply r;
                                         if (!fail.empty() && text.find(fail) != std::string::npos) {
                                           r.TransportFailed = true;
                                           return r;
                                         }
                                         for (char c : target + ":" + text)
                                           r.Text.push_back(static_cast<char16_t>(c));
                                         return r;
                                       });
    };
    return steps;
  }
  TRef<TWordList> Project;
  TEditSession Session;
  TWordObj *Open1 = nullptr, *Done = nullptr, *Open2 = nullptr, *Open3 = nullptr, *Hint = nullptr;
  TEntryList Rows;
  std::vector<std::string> Captions, Asked;
};

TEST_F(ListRunTest, TranslatesEmptyRowsAndCopiesToUntranslatedSameSourceOnly) {
  int copiedNotes = 0;
  Session.OnCopied = [&](const TEntryList &l) { copiedNotes += static_cast<int>(l.size()); };
  const TListRunResult r = RunTranslateList(Session, Rows, 0, Steps());
  Session.MakeCurrent(nullptr);

  EXPECT_EQ(r.Rows, 4u);
  EXPECT_EQ(r.Translated, 2u);
  EXPECT_FALSE(r.Aborted || r.TransportFailed);
  EXPECT_EQ(Open1->Translation, "[~]es:open");
  EXPECT_EQ(Open3->Translation, "[~]es:open"); // a copy of a machine text keeps the mark
  EXPECT_EQ(Open2->Translation, "Abrir");      // "Replace ALL" does not reach into the run
  EXPECT_EQ(Done->Translation, "Guardar");
  EXPECT_EQ(Hint->TranslationText(), u"es:shows it|es:in full"); // line by line, a hint pair
  EXPECT_EQ(Asked, (std::vector<std::string>{"open", "shows it", "in full"}));
  EXPECT_EQ(copiedNotes, 1);
  EXPECT_TRUE(Open1->Changed && Hint->Changed && Project->Modified);
  EXPECT_TRUE(Session.ReplaceAll()); // the user's choice is back
  EXPECT_EQ(Captions, (std::vector<std::string>{"0 A/open.TC", "1 A/save.TC", "2 B/open.TC", "3 C/tip.VH"}));
  EXPECT_EQ(r.FinalCaption, "Complete 3 C/tip.VH");
}

TEST_F(ListRunTest, StartingOnTheLastRowTranslatesOnlyIt) {
  const TListRunResult r = RunTranslateList(Session, Rows, 3, Steps());
  EXPECT_EQ(r.Rows, 1u);
  EXPECT_EQ(Asked.size(), 2u);
  EXPECT_EQ(Open1->Translation, "");
  EXPECT_EQ(Session.Current(), Hint);
}

TEST_F(ListRunTest, AnAbortEndsTheRunBeforeTheRowIsTranslated) {
  TListRunSteps steps = Steps();
  int pumps = 0;
  steps.Pump = [&] { ++pumps; };
  steps.Aborted = [&] { return pumps == 2; };
  const TListRunResult r = RunTranslateList(Session, Rows, 0, steps);
  EXPECT_TRUE(r.Aborted);
  EXPECT_EQ(r.Rows, 1u);
  EXPECT_EQ(r.FinalCaption, "Complete 1 A/save.TC");
  EXPECT_EQ(Open1->Translation, "[~]es:open");
  EXPECT_EQ(Hint->Translation, "");
}

TEST_F(ListRunTest, AnUnreachableServiceEndsTheRunAndLeavesThatRowUntouched) {
  // The second line of the hint fails: its first line must not be stored either.
  const TListRunResult r = RunTranslateList(Session, Rows, 0, Steps("full"));
  Session.MakeCurrent(nullptr);
  EXPECT_TRUE(r.TransportFailed);
  EXPECT_EQ(r.FailedId, "C/tip.VH");
  EXPECT_EQ(r.Rows, 3u);
  EXPECT_EQ(Hint->Translation, "");
  EXPECT_FALSE(Hint->Changed);
  EXPECT_EQ(Open1->Translation, "[~]es:open");

  // Failing at once changes nothing at all.
  Open1->Translation = "";
  Open3->Translation = "";
  Project->Modified = false;
  Open1->Changed = false;
  Asked.clear();
  const TListRunResult first = RunTranslateList(Session, Rows, 0, Steps("open"));
  Session.MakeCurrent(nullptr);
  EXPECT_TRUE(first.TransportFailed);
  EXPECT_EQ(first.Rows, 0u);
  EXPECT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Open1->Translation, "");
  EXPECT_EQ(Open3->Translation, "");
  EXPECT_FALSE(Project->Modified);
}

TEST_F(ListRunTest, RowsWhoseEntryLostTheFocusArePassedOver) {
  // Work let through by the pump (a click in the list) makes another entry current.
  TListRunSteps steps = Steps();
  steps.Pump = [&] {
    if (Session.Current() == Open1) Session.MakeCurrent(Done);
  };
  const TListRunResult r = RunTranslateList(Session, Rows, 0, steps);
  EXPECT_EQ(Open1->Translation, "");
  EXPECT_EQ(r.Translated, 1u); // the hint only
}

} // namespace
} // namespace vt
