// The main list's filters on a project long enough for their walks to run in parts on several
// threads, against plain in-order scans: the parts' results, joined, must be those of one walk.
#include "model/text_helpers.h"
#include "model/word_list.h"
#include "support/ascii_case.h"
#include "support/parallel_parts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <unordered_set>

using namespace vt;

namespace {

// Past two parts' worth of entries, so every walk splits wherever there are two cores or more.
constexpr std::size_t kEntries = 90000;

const std::vector<std::string> kSections = {"F", "G", "TID_x"};
const std::vector<std::string> kKinds = {"VC", "TC", "TH", "_CN"};
const std::vector<std::string> kWords = {"Open", "&Open", "op&en", "SAVE", "save", "&", "a", "x&y", "Zoom"};

std::string AccelKey(std::string_view source) {
  return LowerAscii(RemoveFirstAmpersand(source));
}

std::vector<TWordObj *> Scan(const TWordList &p, const std::string &section, const std::string &text,
                             TTextMatch match, bool dedup, bool descending) {
  std::vector<TWordObj *> sel;
  const std::string wanted = LowerAscii(text);
  for (TWordObj *e : p.Items) {
    if (e->Hidden || (section != "[ALL]" && e->Section() != section)) continue;
    const std::string s = AccelKey(e->Source());
    const bool keep = match == TTextMatch::StartsWith ? s.starts_with(wanted)
                      : match == TTextMatch::Contains ? s.find(wanted) != std::string::npos
                                                      : s == wanted;
    if (keep) sel.push_back(e);
  }
  if (dedup) {
    std::unordered_set<std::string> seen;
    std::vector<TWordObj *> kept;
    for (std::size_t i = sel.size(); i-- > 0;)
      if (seen.insert(AccelKey(sel[i]->Source())).second) kept.push_back(sel[i]);
    sel.assign(kept.rbegin(), kept.rend());
  }
  std::stable_sort(sel.begin(), sel.end(), [&](const TWordObj *a, const TWordObj *b) {
    return CompareMainList(a, b, 0, descending) < 0;
  });
  return sel;
}

TEST(QueriesInParts, LongListMatchesScans) {
  ASSERT_GE(kEntries, 2 * (std::size_t{1} << 15));
  std::mt19937 rng(7);
  auto pick = [&](const std::vector<std::string> &pool) { return pool[rng() % pool.size()]; };
  TRef<TWordList> p(new TWordList());
  for (std::size_t i = 0; i < kEntries; ++i) {
    // Sources of a few words, often repeated, sometimes with an "&" that joins a match.
    std::string source = pick(kWords);
    for (unsigned w = rng() % 4; w > 0; --w) source += (rng() % 3 ? " " : "") + pick(kWords);
    p->AddEntry(pick(kSections), "N" + std::to_string(rng() % 5000), pick(kKinds), source);
  }
  struct TCase {
    const char *Section, *Text;
    TTextMatch Match;
    bool Dedup, Descending;
  };
  const TCase cases[] = {{"[ALL]", "open", TTextMatch::Contains, true, false},
                         {"[ALL]", "e", TTextMatch::Contains, true, true},
                         {"[ALL]", "pen sa", TTextMatch::Contains, false, false},
                         {"[ALL]", "x&y", TTextMatch::Contains, true, false},
                         {"G", "&open", TTextMatch::StartsWith, true, false},
                         {"[ALL]", "save", TTextMatch::FullMatch, false, true},
                         {"F", "", TTextMatch::Contains, true, false}};
  for (int round = 0; round < 2; ++round) {
    for (const TCase &c : cases) {
      const auto expected = Scan(*p, c.Section, c.Text, c.Match, c.Dedup, c.Descending);
      p->Select(c.Section, "", 0, 0);
      p->FilterByText(c.Text, c.Match);
      if (c.Dedup) p->RemoveDuplicateSources();
      p->SortSelection(TSortColumn::Name, c.Descending);
      ASSERT_EQ(p->Selection.Raw(), expected) << "round " << round << " text '" << c.Text << "'";
      for (const TWordObj *e : p->Selection) ASSERT_EQ(e->Holders(), 2); // Items and Selection
      // Sorted again the other way: the list no longer stands in the order of Items.
      std::vector<TWordObj *> again = expected;
      std::stable_sort(again.begin(), again.end(), [&](const TWordObj *a, const TWordObj *b) {
        return CompareMainList(a, b, 0, !c.Descending) < 0;
      });
      p->SortSelection(TSortColumn::Name, !c.Descending);
      ASSERT_EQ(p->Selection.Raw(), again) << "round " << round << " text '" << c.Text << "' sorted again";
    }
    // Changed sources leave the index's numbers behind: the second round takes the other paths.
    for (std::size_t i = 0; i < p->Items.Count(); i += 97) p->Items[i]->SetSource(pick(kWords));
  }
  p->ClearSelection();
  for (const TWordObj *e : p->Items) ASSERT_EQ(e->Holders(), 1);

  // Closing lets the entries go in parts; those held elsewhere stay whole and forget the project.
  std::vector<TRef<TWordObj>> kept;
  std::vector<std::string> sources;
  for (std::size_t i = 0; i < p->Items.Count(); i += 1000) {
    kept.emplace_back(TRefObj::AddRef(p->Items[i]));
    sources.emplace_back(p->Items[i]->Source());
  }
  p->Close();
  EXPECT_TRUE(p->Items.Empty());
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(kept[i]->Holders(), 1);
    EXPECT_EQ(kept[i]->Observer, nullptr);
    EXPECT_EQ(kept[i]->Source(), sources[i]);
  }
}

} // namespace

namespace {

TEST(QueriesInParts, SectionTalliesJoinRunsCutBetweenParts) {
  // Runs A, B, A; the first is cut wherever the parts split.
  TRef<TWordList> p(new TWordList());
  for (std::size_t i = 0; i < kEntries; ++i) {
    const char *section = i < 60000 ? "A" : i < 70000 ? "B" : "A";
    TWordObj *e = p->AddEntry(section, "N" + std::to_string(i), i % 10 == 0 ? "_CN" : "TC", "Text");
    if (i % 3 == 0) e->SetStoredTranslation("Texto");
    if (i % 3 == 1) e->SetStoredTranslation("[~]Auto");
  }
  std::vector<TWordList::TSectionTally> expected;
  std::uint64_t withTranslation = 0;
  for (const TWordObj *e : p->Items) {
    if (e->Hidden) continue;
    if (expected.empty() || expected.back().Section != e->Section()) expected.push_back({e->Section()});
    ++expected.back().Total;
    expected.back().Translated += e->State() == esTranslated;
    withTranslation += !e->Translation.empty();
  }
  ASSERT_EQ(expected.size(), 3u);
  const auto tallies = p->TallySections();
  ASSERT_EQ(tallies.size(), expected.size());
  for (std::size_t i = 0; i < tallies.size(); ++i) {
    EXPECT_EQ(tallies[i].Section, expected[i].Section) << i;
    EXPECT_EQ(tallies[i].Total, expected[i].Total) << i;
    EXPECT_EQ(tallies[i].Translated, expected[i].Translated) << i;
  }
  // Select counts the translations as it takes the entries; a change or a narrower list counts anew.
  p->Select("[ALL]", "", 0, 0);
  EXPECT_EQ(static_cast<std::uint64_t>(p->CountTranslated()), withTranslation);
  p->SortSelection(TSortColumn::Name, true);
  EXPECT_EQ(static_cast<std::uint64_t>(p->CountTranslated()), withTranslation);
  TWordObj *untranslated = p->Items[2];
  ASSERT_TRUE(untranslated->Translation.empty() && !untranslated->Hidden);
  untranslated->SetStoredTranslation("Neu");
  EXPECT_EQ(static_cast<std::uint64_t>(p->CountTranslated()), withTranslation + 1);
  p->Select("B", "", 0, 0);
  const auto inB = static_cast<int>(std::count_if(p->Items.begin(), p->Items.end(), [](const TWordObj *e) {
    return !e->Hidden && e->Section() == "B" && !e->Translation.empty();
  }));
  EXPECT_EQ(p->CountTranslated(), inB);
}

} // namespace
