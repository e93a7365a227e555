#include "model/word_obj.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace vt;

namespace {

TRef<TWordObj> Entry(std::string kind, std::string translation = {}) {
  TRef<TWordObj> e(new TWordObj("Form1", "Button1", std::move(kind), "Src"));
  e->Translation = std::move(translation);
  return e;
}

struct RecordingObserver final : TEntryObserver {
  std::vector<std::string> Events;
  void EntryKeyChanging(TWordObj &e) override { Events.push_back("before " + e.FullId() + " " + e.Source()); }
  void EntryKeyChanged(TWordObj &e) override { Events.push_back("after " + e.FullId() + " " + e.Source()); }
};

} // namespace

TEST(EntryPrefix, FlagsStateAndBody) {
  auto e = Entry("VC", "[?]");
  EXPECT_EQ(e->Flags(), efQuery);
  EXPECT_EQ(e->State(), esTranslated);
  EXPECT_EQ(e->TranslationText(), u"");

  e->Translation = "[~]Hallo";
  EXPECT_EQ(e->State(), esAutoTranslated);
  EXPECT_EQ(e->FlagPrefix(), "[~]");
  EXPECT_EQ(e->TranslationBody(), "Hallo");
  e->SetAutoState(esTranslated);
  EXPECT_EQ(e->Translation, "Hallo");
  EXPECT_EQ(e->State(), esTranslated);

  e->Translation = "[?!+]x";
  EXPECT_EQ(e->Flags(), efQuery | efWarning | efNeedsWork);
  // "[" without "]" is text, not a prefix.
  e->Translation = "[abc";
  EXPECT_EQ(e->FlagPrefix(), "");
  EXPECT_EQ(e->TranslationBody(), "[abc");
  EXPECT_EQ(e->State(), esTranslated);
  e->Translation.clear();
  EXPECT_EQ(e->State(), esUntranslated);
  EXPECT_EQ(e->Flags(), 0);
}

TEST(EntryPrefix, SetFlagsAndAutoStateKeepOrderAndBody) {
  auto e = Entry("VC", "[?]Body");
  e->SetFlags(0);
  EXPECT_EQ(e->Translation, "Body");
  e->SetFlags(efQuery);
  EXPECT_EQ(e->Translation, "[?]Body");

  e->Translation = "[~]Auto";
  e->SetFlags(efQuery);
  EXPECT_EQ(e->Translation, "[~?]Auto");
  e->SetFlags(efQuery | efWarning);
  EXPECT_EQ(e->Translation, "[~?!]Auto");
  e->SetFlags(efNeedsWork);
  EXPECT_EQ(e->Translation, "[~+]Auto");

  e->Translation = "[?]Q";
  e->SetAutoState(esAutoTranslated);
  EXPECT_EQ(e->Translation, "[?~]Q");
  e->SetAutoState(esUntranslated);
  EXPECT_EQ(e->Translation, "[?]Q");
  e->SetFlagPrefix("[]");
  EXPECT_EQ(e->Translation, "Q");
}

TEST(EntryText, SetTranslationTextDropsAutoMarkKeepsFlags) {
  auto e = Entry("VC", "[~?]old");
  e->SetTranslationText(u"new\r\ntext");
  EXPECT_EQ(e->Translation, "[?]new\\ntext");
  EXPECT_EQ(e->TranslationText(), u"new\r\ntext");
  e->SetTranslationText(u"");
  EXPECT_EQ(e->Translation, "[?]");
}

TEST(EntryText, ItemListKind) {
  auto e = Entry("IT");
  e->SetSourceText(u"One\r\nTwo");
  EXPECT_EQ(e->Source(), "\"One\",\"Two\"");
  EXPECT_EQ(e->SourceText(), u"One\r\nTwo");
  // A literal backslash-n inside an item stays text, not an item separator.
  e->SetTranslationText(u"a\\nb\r\nc");
  EXPECT_EQ(e->Translation, "\"a\\\\nb\",\"c\"");
  EXPECT_EQ(e->TranslationText(), u"a\\nb\r\nc");
  e->SetTranslationText(u"");
  EXPECT_EQ(e->Translation, "");
  // Other kinds keep quotes as text.
  auto vi = Entry("VI");
  vi->SetSourceText(u"One\r\nTwo");
  EXPECT_EQ(vi->Source(), "One\\nTwo");
}

TEST(EntryText, HintKindsShowBarsAsLineBreaks) {
  auto e = Entry("VH");
  e->SetSource("Short|Long hint");
  EXPECT_EQ(e->SourceDisplay(), u"Short\r\nLong hint");
  EXPECT_EQ(e->SourceText(), u"Short|Long hint");
  e->SetTranslationFromEditor(u"Kurz\r\nLang\r\n\r\n");
  EXPECT_EQ(e->Translation, "Kurz|Lang");
  EXPECT_EQ(e->TranslationDisplay(), u"Kurz\r\nLang");
  // An escaped backslash before "n" is not a line break.
  e->SetTranslationFromEditor(u"C:\\new");
  EXPECT_EQ(e->TranslationDisplay(), u"C:\\new");

  auto th = Entry("TH");
  th->SetTranslationFromEditor(u"a\r\nb\r\n");
  EXPECT_EQ(th->Translation, "a\\nb");
  EXPECT_EQ(th->TranslationDisplay(), u"a\r\nb");
}

TEST(EntryText, RulesFollowTheKindWhenItChanges) {
  // The kind's rules are noted with the kind: a changed kind changes them, and a clone keeps them.
  auto e = Entry("VC");
  e->SetKind("IT");
  e->SetTranslationText(u"One\r\nTwo");
  EXPECT_EQ(e->Translation, "\"One\",\"Two\"");
  EXPECT_TRUE(e->IsListItem());
  TRef<TWordObj> copy(e->Clone());
  EXPECT_EQ(copy->TranslationText(), u"One\r\nTwo");
  e->SetKind("TH");
  EXPECT_FALSE(e->IsListItem());
  EXPECT_FALSE(e->IsHintKind());
  EXPECT_EQ(e->TranslationText(), u"\"One\",\"Two\""); // quotes are text now
  e->SetKind("THF");
  EXPECT_TRUE(e->IsHintKind());
  e->SetTranslationFromEditor(u"Kurz\r\nLang");
  EXPECT_EQ(e->Translation, "Kurz|Lang");
  e->SetKind("VC");
  EXPECT_FALSE(e->IsHintKind());
  EXPECT_TRUE(copy->IsListItem());
}

TEST(EntryText, LeadingBracketIsNeverTakenForAPrefix) {
  auto e = Entry("VC");
  e->SetTranslationText(u"[Alt] key");
  EXPECT_EQ(e->FlagPrefix(), "");
  EXPECT_EQ(e->Flags(), 0);
  EXPECT_EQ(e->TranslationText(), u"[Alt] key");
  e->SetFlags(efWarning);
  EXPECT_EQ(e->FlagPrefix(), "[!]");
  EXPECT_EQ(e->TranslationText(), u"[Alt] key");
  e->SetAutoState(esAutoTranslated);
  e->SetFlags(0);
  EXPECT_EQ(e->TranslationText(), u"[Alt] key");
  EXPECT_EQ(e->State(), esAutoTranslated);

  auto h = Entry("THF");
  h->SetTranslationFromEditor(u"[?] help\r\nmore");
  EXPECT_EQ(h->Flags(), 0);
  EXPECT_EQ(h->TranslationDisplay(), u"[?] help\r\nmore");
  // Only the body's first character is protected; later brackets are plain.
  h->SetTranslationFromEditor(u"x [y]");
  EXPECT_EQ(h->Translation, "x [y]");
}

TEST(EntryCopy, CloneIsIndependentAndHasNoComment) {
  auto e = Entry("VC", "[+]T");
  e->Comment = "note";
  e->AutoText = "auto";
  e->Index = 7;
  e->Score = 3;
  e->Changed = true;
  TRef<TWordObj> c(e->Clone());
  EXPECT_EQ(c->FullId(), e->FullId());
  EXPECT_EQ(c->Translation, "[+]T");
  EXPECT_EQ(c->AutoText, "auto");
  EXPECT_EQ(c->Index, 7);
  EXPECT_EQ(c->Score, 3);
  EXPECT_TRUE(c->Changed);
  EXPECT_EQ(c->Comment, "");
  EXPECT_EQ(c->Holders(), 1);
  c->Translation = "other";
  EXPECT_EQ(e->Translation, "[+]T");
}

TEST(EntryKey, SettersTellTheObserverAroundTheChange) {
  RecordingObserver obs;
  auto e = Entry("VC");
  e->Observer = &obs;
  e->SetName("Button2");
  e->SetSource("New");
  e->SetSourceText(u"Newer");
  ASSERT_EQ(obs.Events.size(), 6u);
  EXPECT_EQ(obs.Events[0], "before Form1/Button1.VC Src");
  EXPECT_EQ(obs.Events[1], "after Form1/Button2.VC Src");
  EXPECT_EQ(obs.Events[3], "after Form1/Button2.VC New");
  EXPECT_EQ(obs.Events[5], "after Form1/Button2.VC Newer");
  e->Observer = nullptr;
  e->SetSection("X");
  EXPECT_EQ(obs.Events.size(), 6u);
  EXPECT_EQ(e->ObjectId(), "X/Button2");
  EXPECT_EQ(e->Key(), "Button2.VC");
}

TEST(EntryOrder, OrderingsAndMainListComparison) {
  auto a = Entry("VC", "b");
  auto b = Entry("VC", "a");
  a->SetSection("F");
  b->SetSection("F");
  a->SetName("A");
  b->SetName("A.B");
  a->Index = 2;
  b->Index = 1;
  // "F/A.VC" vs "F/A.B.VC": byte order of the whole id ('V' > 'B').
  EXPECT_FALSE(LessByFullId(a.get(), b.get()));
  EXPECT_TRUE(LessByFullId(b.get(), a.get()));
  EXPECT_EQ(CompareMainList(a.get(), b.get(), 0, false), 1);
  EXPECT_EQ(CompareMainList(a.get(), b.get(), 0, true), -1);
  EXPECT_EQ(CompareMainList(a.get(), b.get(), 2, false), 1);
  // Equal sources fall back to Index, and descending negates that too.
  EXPECT_EQ(CompareMainList(a.get(), b.get(), 1, false), 1);
  EXPECT_EQ(CompareMainList(a.get(), b.get(), 1, true), -1);
  EXPECT_EQ(CompareMainList(a.get(), b.get(), 9, false), 1);
  EXPECT_EQ(CompareMainList(a.get(), a.get(), 0, false), 0);
  EXPECT_TRUE(LessByIndex(b.get(), a.get()));
  a->Score = 5;
  EXPECT_TRUE(MoreByScore(a.get(), b.get()));
  // Prefix relation: "F/A.VC" is less than "F/A.VCX".
  auto c = Entry("VCX");
  c->SetSection("F");
  c->SetName("A");
  EXPECT_TRUE(LessByFullId(a.get(), c.get()));
  EXPECT_FALSE(LessByFullId(c.get(), a.get()));
}

namespace {
// Counts destructions so tests see exactly when the last holder lets go.
struct Counted : TRefObj {
  explicit Counted(int &d) : Destroyed(d) {}
  ~Counted() override { ++Destroyed; }
  int &Destroyed;
};
} // namespace

TEST(SharedOwnership, HolderCountsAndListRelease) {
  int destroyed = 0;
  auto *obj = new Counted(destroyed);
  EXPECT_EQ(obj->Holders(), 1);
  EXPECT_EQ(TRefObj::AddRef(obj), obj);
  EXPECT_EQ(TRefObj::AddRef<Counted>(nullptr), nullptr);
  TRefObj::Release(nullptr);
  EXPECT_EQ(obj->Holders(), 2);
  {
    TReleaseList<Counted> a, b;
    a.Add(obj);                  // takes the first holder
    b.Add(TRefObj::AddRef(obj)); // a third
    EXPECT_EQ(obj->Holders(), 3);
    b.Clear();
    EXPECT_EQ(obj->Holders(), 2);
    EXPECT_EQ(destroyed, 0);
    obj->Release();
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);

  // Clear walks from last to first.
  std::vector<int> order;
  struct Ordered : TRefObj {
    Ordered(std::vector<int> &o, int i) : Order(o), Id(i) {}
    ~Ordered() override { Order.push_back(Id); }
    std::vector<int> &Order;
    int Id;
  };
  TReleaseList<Ordered> list;
  for (int i = 0; i < 3; ++i) list.Add(new Ordered(order, i));
  list.Delete(1);
  list.Clear();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 0}));
  EXPECT_TRUE(list.Empty());
}

#ifndef NDEBUG
TEST(SharedOwnershipDeathTest, DestroyingAHeldObjectIsAnAssertionFailure) {
  struct Public : TRefObj {
    ~Public() override = default;
  };
  EXPECT_DEATH({ Public onStack; }, "Assertion failure");
}
#endif
