// The hashed queries against plain in-order scans that compose every id, on randomized projects
// whose entries change identity, source and translation between the queries. Any difference in a
// result, its order or a score is a fault of the indexes.
#include "model/text_helpers.h"
#include "model/trans_man.h"
#include "model/word_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace vt;

namespace {

using TProject = TRef<TWordList>;

// Small pools, so that ids, sources and composed ids collide often.
const std::vector<std::string> kSections = {"F", "F/B", "G", "TID_x", "Zt4_Actions", "Main_Properties"};
const std::vector<std::string> kNames = {"B", "B.1", "1", "B/1", "btn"};
const std::vector<std::string> kKinds = {"VC", "vc",  "TC",   "TH",   "TF",  "THF",
                                         "VH", "_CN", "_AID", "_PID", "1.VC"};
const std::vector<std::string> kSources = {"Open", "&Open",   "OPEN",  "open&",    "Op&en",
                                           "Save", "save as", "a,b c", "x\\ny z",  " lead",
                                           "&",    "&&",      "7",     "Save all", "SAVE"};
const std::vector<std::string> kTranslations = {"", "[~]Ab", "Ab", "[?]Ab", "[~?]", "x|y", "[!]Zu", "Zu"};

class TRandomProject {
public:
  explicit TRandomProject(unsigned seed) : FRng(seed) {}

  template <class T> const T &Pick(const std::vector<T> &pool) { return pool[FRng() % pool.size()]; }
  std::size_t Below(std::size_t n) { return FRng() % n; }

  void Fill(TWordList &p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) AddOne(p);
  }
  void AddOne(TWordList &p) {
    TWordObj *e = p.AddEntry(Pick(kSections), Pick(kNames), Pick(kKinds), Pick(kSources));
    if (!e->Hidden) e->Translation = Pick(kTranslations);
  }
  // One random change; the same seed replays it on a twin project.
  void Mutate(TWordList &p) {
    if (p.Items.Empty()) return;
    TWordObj *e = p.Items[Below(p.Items.Count())];
    switch (Below(6)) {
    case 0:
      e->SetSource(Pick(kSources));
      break;
    case 1:
      e->SetKind(Pick(kKinds));
      break;
    case 2:
      e->SetSection(Pick(kSections));
      break;
    case 3:
      e->SetName(Pick(kNames));
      break;
    case 4:
      e->Translation = e->Hidden ? "" : Pick(kTranslations);
      break;
    default:
      AddOne(p);
      break;
    }
  }

private:
  std::mt19937 FRng;
};

// --- the in-order scans ----------------------------------------------------------------------------

TWordObj *RefFindEntry(const TWordList &p, const std::string &fullId) {
  if (fullId.empty()) return nullptr;
  for (TWordObj *e : p.Items)
    if (e->FullId() == fullId) return e;
  return nullptr;
}

TEntryList RefFindEntries(const TWordList &p, const std::string &objectId) {
  TEntryList out;
  for (TWordObj *e : p.Items)
    if (e->ObjectId() == objectId) out.push_back(e);
  return out;
}

TWordObj *RefFindByValue(const TWordList &p, const std::string &s, const std::string &k,
                         const std::string &v) {
  if (s.empty() || k.empty() || v.empty()) return nullptr;
  for (TWordObj *e : p.Items)
    if (e->Section() == s && e->Kind() == k && e->Source() == v) return e;
  return nullptr;
}

TWordObj *RefFindByKey(const TWordList &p, const std::string &s, const std::string &k, const std::string &n) {
  if (s.empty() || k.empty() || n.empty()) return nullptr;
  for (TWordObj *e : p.Items)
    if (e->Section() == s && e->Kind() == k && e->Name() == n) return e;
  return nullptr;
}

std::string AccelKey(const std::string &source) {
  return LowerAscii(RemoveFirstAmpersand(source));
}

std::vector<std::pair<TWordObj *, int>> RefFindSimilar(const TWordList &p, TWordObj *entry) {
  std::vector<std::pair<TWordObj *, int>> out;
  for (TWordObj *c : p.Items) {
    if (c->Hidden || c == entry || AccelKey(c->Source()) != AccelKey(entry->Source())) continue;
    int score = 0;
    if (c->Source() == entry->Source()) score += 32;
    if (LowerAscii(c->Source()) == LowerAscii(entry->Source())) score += 16;
    if (c->Kind() == entry->Kind()) score += 8;
    if (c->Name() == entry->Name()) score += 4;
    if (c->Section() == entry->Section()) score += 2;
    if (c->State() == entry->State()) score += 1;
    out.emplace_back(c, score);
  }
  std::stable_sort(out.begin(), out.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
  return out;
}

struct TFilter {
  std::string Section;
  std::string Kinds;
  TEntryFlags Flags = 0;
  TEntryStates States = 0;
  int TextMode = 0; // 1..3 text, 4 word count
  std::string Text;
  int Limit = 0, Direction = 0;
  bool Dedup = false;
  int Column = 3;
  bool Descending = false;
};

std::vector<TWordObj *> RefPipeline(const TWordList &p, const TFilter &f) {
  std::vector<TWordObj *> sel;
  std::vector<std::string> kinds;
  if (!f.Kinds.empty()) {
    std::string k = f.Kinds;
    std::replace(k.begin(), k.end(), ';', '\n');
    std::size_t at = 0;
    while (at < k.size()) {
      const std::size_t nl = std::min(k.find('\n', at), k.size());
      kinds.push_back(LowerAscii(k.substr(at, nl - at)));
      at = nl + 1;
    }
  }
  for (TWordObj *e : p.Items) {
    if (e->Hidden) continue;
    if (!f.Section.empty() && f.Section != "[ALL]" && e->Section() != f.Section) continue;
    if (!f.Kinds.empty() && std::find(kinds.begin(), kinds.end(), LowerAscii(e->Kind())) == kinds.end())
      continue;
    if (f.States && !(f.States & StateBit(e->State()))) continue;
    if (f.Flags && (e->Flags() & f.Flags) != f.Flags) continue;
    sel.push_back(e);
  }
  if (f.TextMode >= 1 && f.TextMode <= 3) {
    const std::string text = LowerAscii(f.Text);
    for (std::size_t i = sel.size(); i-- > 0;) {
      const std::string s = AccelKey(sel[i]->Source());
      const bool keep = f.TextMode == 1   ? s.rfind(text, 0) == 0
                        : f.TextMode == 2 ? s.find(text) != s.npos
                                          : s == text;
      if (!keep) sel.erase(sel.begin() + static_cast<long>(i));
    }
  } else if (f.TextMode == 4) {
    for (std::size_t i = sel.size(); i-- > 0;) {
      std::string s = sel[i]->Source();
      for (std::size_t at; (at = s.find("\\n")) != s.npos;) s.replace(at, 2, " ");
      std::replace(s.begin(), s.end(), ',', ' ');
      const int n = CountWords(s);
      const bool keep = f.Direction > 0 ? n > f.Limit : f.Direction < 0 ? n < f.Limit : n <= f.Limit;
      if (!keep) sel.erase(sel.begin() + static_cast<long>(i));
    }
  }
  if (f.Dedup) {
    std::set<std::string> seen;
    for (std::size_t i = sel.size(); i-- > 0;)
      if (!seen.insert(AccelKey(sel[i]->Source())).second) sel.erase(sel.begin() + static_cast<long>(i));
  }
  std::stable_sort(sel.begin(), sel.end(), [&](const TWordObj *a, const TWordObj *b) {
    return CompareMainList(a, b, f.Column, f.Descending) < 0;
  });
  return sel;
}

std::vector<TWordObj *> RunPipeline(TWordList &p, const TFilter &f) {
  p.Select(f.Section, f.Kinds, f.Flags, f.States);
  if (f.TextMode >= 1 && f.TextMode <= 3) p.FilterByText(f.Text, static_cast<TTextMatch>(f.TextMode - 1));
  if (f.TextMode == 4)
    p.FilterByWordCount(f.Limit, f.Direction > 0   ? TWordCountMatch::MoreThan
                                 : f.Direction < 0 ? TWordCountMatch::FewerThan
                                                   : TWordCountMatch::AtMost);
  if (f.Dedup) p.RemoveDuplicateSources();
  p.SortSelection(static_cast<TSortColumn>(f.Column), f.Descending);
  return p.Selection.Raw();
}

void RefApplyToSameSource(TWordList &p, TWordObj *entry, bool replaceAll) {
  const std::string lower = LowerAscii(entry->Source());
  for (TWordObj *c : p.Items) {
    if (c->Hidden || c == entry || LowerAscii(c->Source()) != lower || c->FullId() == entry->FullId())
      continue;
    if (!c->Translation.empty() && !replaceAll) continue;
    c->SetTranslationText(entry->TranslationText());
    c->SetAutoState(!c->Translation.empty() ? esTranslated : esAutoTranslated);
  }
}

void LoneFullHint(TWordObj *e) {
  e->SetKind("THF");
  e->SetSourceText(JoinHint(u"", e->SourceText()));
  if (!e->TranslationText().empty()) e->SetTranslationText(JoinHint(u"", e->TranslationText()));
}

void RefMergeHints(TWordList &p) {
  auto &items = p.Items.Raw();
  std::stable_sort(items.begin(), items.end(), LessByFullId);
  for (std::size_t i = items.size() - 1; i >= 1 && i < items.size(); --i) {
    TWordObj *e = items[i], *pred = items[i - 1];
    if (e->Kind() == "TH" && pred->ObjectId() == e->ObjectId() && pred->Kind() == "TF") {
      const std::u16string ss = e->SourceText(), ls = pred->SourceText();
      std::u16string st = e->TranslationText(), lt = pred->TranslationText();
      if (st.empty()) st = ss;
      if (lt.empty()) lt = ls;
      pred->SetKind("THF");
      pred->SetSourceText(JoinHint(ss, ls));
      pred->SetTranslationText(JoinHint(st, lt));
      p.Items.Delete(i); // one by one, as the plain algorithm does
    } else if (e->Kind() == "TH") {
      e->SetKind("THF");
    } else if (e->Kind() == "TF") {
      LoneFullHint(e);
    }
  }
  for (std::size_t i = items.size(); i-- > 0;) {
    if (items[i]->Kind() == "TH")
      items[i]->SetKind("THF");
    else if (items[i]->Kind() == "TF")
      LoneFullHint(items[i]);
  }
  p.ItemsReordered();
}

std::vector<std::string> Dump(const TWordList &p) {
  std::vector<std::string> out;
  for (const TWordObj *e : p.Items)
    out.push_back(e->FullId() + "|" + e->Source() + "|" + e->Translation + "|" + std::to_string(e->Index));
  return out;
}

// Compares every look-up of the fast project with the scans, for ids taken from the project and
// for composed ids that may or may not exist.
void CheckLookups(TWordList &p, TRandomProject &rnd) {
  for (int q = 0; q < 30; ++q) {
    const std::string s = rnd.Pick(kSections), n = rnd.Pick(kNames), k = rnd.Pick(kKinds),
                      v = rnd.Pick(kSources);
    std::string fullId = FullId(s, n, k), objectId = ObjectId(s, n);
    if (!p.Items.Empty() && q % 2) {
      const TWordObj *e = p.Items[rnd.Below(p.Items.Count())];
      fullId = e->FullId();
      objectId = e->ObjectId();
    }
    ASSERT_EQ(p.FindEntry(fullId), RefFindEntry(p, fullId)) << fullId;
    ASSERT_EQ(p.FindEntries(objectId), RefFindEntries(p, objectId)) << objectId;
    ASSERT_EQ(p.FindByValue(s, k, v), RefFindByValue(p, s, k, v)) << s << " " << k << " " << v;
    ASSERT_EQ(p.FindByKey(s, k, n), RefFindByKey(p, s, k, n)) << s << " " << k << " " << n;
  }
  for (int q = 0; q < 10 && !p.Items.Empty(); ++q) {
    TWordObj *e = p.Items[rnd.Below(p.Items.Count())];
    const auto expected = RefFindSimilar(p, e);
    const TEntryList got = p.FindSimilar(e);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      ASSERT_EQ(got[i], expected[i].first) << i;
      ASSERT_EQ(got[i]->Score, expected[i].second) << i;
    }
  }
}

TFilter RandomFilter(TRandomProject &rnd) {
  static const std::vector<std::string> sections = {"[ALL]", "", "F", "G", "TID_x", "f"};
  static const std::vector<std::string> kinds = {"", "TC;VC", "THF;TH;TF;VH", "VI;IT", "MG", ";vc", "tc;"};
  static const std::vector<std::string> texts = {"open", "SAVE", "a", "&", "", " ", "save a", "x\\n"};
  TFilter f;
  f.Section = rnd.Pick(sections);
  f.Kinds = rnd.Pick(kinds);
  const TStatusMask status = StatusMask(static_cast<TStatusFilter>(rnd.Below(7)));
  f.Flags = status.Flags;
  f.States = status.States;
  f.TextMode = static_cast<int>(rnd.Below(5));
  f.Text = rnd.Pick(texts);
  f.Limit = static_cast<int>(rnd.Below(4));
  f.Direction = static_cast<int>(rnd.Below(3)) - 1;
  f.Dedup = rnd.Below(2) == 1;
  f.Column = static_cast<int>(rnd.Below(5));
  f.Descending = rnd.Below(2) == 1;
  return f;
}

} // namespace

TEST(QueriesMatchScans, LookupsAndSimilarUnderChanges) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    TRandomProject rnd(seed);
    TProject p(new TWordList());
    rnd.Fill(*p, 40 + seed * 25);
    for (int round = 0; round < 15; ++round) {
      CheckLookups(*p, rnd);
      if (HasFatalFailure()) return;
      for (int m = 0; m < 15; ++m) rnd.Mutate(*p);
    }
  }
}

TEST(QueriesMatchScans, FilterPipelineAndSort) {
  for (unsigned seed = 100; seed < 110; ++seed) {
    TRandomProject rnd(seed);
    TProject p(new TWordList());
    rnd.Fill(*p, 300);
    for (int round = 0; round < 40; ++round) {
      const TFilter f = RandomFilter(rnd);
      const std::vector<TWordObj *> expected = RefPipeline(*p, f);
      ASSERT_EQ(RunPipeline(*p, f), expected)
          << "seed " << seed << " section " << f.Section << " kinds " << f.Kinds << " mode " << f.TextMode
          << " text '" << f.Text << "' dedup " << f.Dedup << " column " << f.Column << " desc "
          << f.Descending;
      for (int m = 0; m < 10; ++m) rnd.Mutate(*p);
    }
    p->ClearSelection();
  }
}

TEST(QueriesMatchScans, ApplyToSameSourceOnTwinProjects) {
  for (unsigned seed = 200; seed < 210; ++seed) {
    TRandomProject fastRnd(seed), refRnd(seed);
    TProject fast(new TWordList()), ref(new TWordList());
    fastRnd.Fill(*fast, 200);
    refRnd.Fill(*ref, 200);
    for (int round = 0; round < 30; ++round) {
      const std::size_t at = fastRnd.Below(fast->Items.Count());
      const bool all = fastRnd.Below(2) == 1;
      refRnd.Below(ref->Items.Count());
      refRnd.Below(2);
      fast->ApplyToSameSource(fast->Items[at], all);
      RefApplyToSameSource(*ref, ref->Items[at], all);
      ASSERT_EQ(Dump(*fast), Dump(*ref)) << "seed " << seed << " round " << round;
      for (int m = 0; m < 10; ++m) {
        fastRnd.Mutate(*fast);
        refRnd.Mutate(*ref);
      }
    }
  }
}

TEST(QueriesMatchScans, MergeHintsOnTwinProjectsThenLookups) {
  for (unsigned seed = 300; seed < 320; ++seed) {
    TRandomProject fastRnd(seed), refRnd(seed);
    TProject fast(new TWordList()), ref(new TWordList());
    fastRnd.Fill(*fast, 150);
    refRnd.Fill(*ref, 150);
    // Warm the indexes so that the merge has to leave them right, not just rebuild them.
    TRandomProject lookRnd(seed + 1000);
    CheckLookups(*fast, lookRnd);
    for (int m = 0; m < 20; ++m) {
      fastRnd.Mutate(*fast);
      refRnd.Mutate(*ref);
    }
    fast->MergeHints();
    RefMergeHints(*ref);
    ASSERT_EQ(Dump(*fast), Dump(*ref)) << "seed " << seed;
    for (std::size_t i = 0; i < fast->Items.Count(); ++i)
      ASSERT_EQ(fast->Items[i]->Pos, static_cast<int32_t>(i));
    for (int round = 0; round < 5; ++round) {
      CheckLookups(*fast, lookRnd);
      if (HasFatalFailure()) return;
      for (int m = 0; m < 10; ++m) lookRnd.Mutate(*fast);
    }
  }
}
