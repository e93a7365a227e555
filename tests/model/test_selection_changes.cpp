// The main list's de-duplication and sorts after the project or the list changed between the
// selection and the next step: they must see the entries as they are now.
#include "model/release_obj.h"
#include "model/word_list.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vt;

namespace {

using TProject = TRef<TWordList>;
using Strings = std::vector<std::string>;

TProject FourEntries() {
  TProject p(new TWordList());
  p->AddEntry("S", "a", "VC", "Delta");
  p->AddEntry("S", "b", "VC", "Bravo");
  p->AddEntry("S", "c", "VC", "&Charlie");
  p->AddEntry("S", "d", "VC", "Alpha");
  return p;
}

Strings Names(const TReleaseList<TWordObj> &list) {
  Strings out;
  for (const TWordObj *e : list) out.push_back(e->Name());
  return out;
}

} // namespace

TEST(SelectionChanges, SourceEditAfterSelectReachesDedupAndSort) {
  TProject p = FourEntries();
  // Warm the per-position numbers so a stale table would show.
  p->Select(section::All, "", 0, 0);
  p->RemoveDuplicateSources();
  p->SortSelection(TSortColumn::Original, false);
  // Sources sort by their stored bytes: "&" before letters.
  EXPECT_EQ(Names(p->Selection), (Strings{"c", "d", "b", "a"}));

  p->Select(section::All, "", 0, 0);
  p->Items[0]->SetSource("bra&vo"); // now in the group of "b", the later one, which stays
  p->RemoveDuplicateSources();
  EXPECT_EQ(Names(p->Selection), (Strings{"b", "c", "d"}));
  p->SortSelection(TSortColumn::Original, false);
  EXPECT_EQ(Names(p->Selection), (Strings{"c", "d", "b"}));

  // A text filter between the two keeps the list's order facts; the later edit still counts.
  p->Select(section::All, "", 0, 0);
  p->FilterByText("r", TTextMatch::Contains);
  EXPECT_EQ(Names(p->Selection), (Strings{"a", "b", "c"}));
  p->Items[2]->SetSource("Zulu");
  p->SortSelection(TSortColumn::Original, false);
  EXPECT_EQ(Names(p->Selection), (Strings{"b", "c", "a"}));
}

TEST(SelectionChanges, ReorderedItemsAfterSelectKeepTheRealOrder) {
  TProject p = FourEntries();
  p->Select(section::All, "", 0, 0);
  auto &items = p->Items.Raw();
  std::reverse(items.begin(), items.end());
  p->ItemsReordered();
  p->SortSelection(TSortColumn::Name, true);
  EXPECT_EQ(Names(p->Selection), (Strings{"d", "c", "b", "a"}));
  p->SortSelection(TSortColumn::Original, false);
  EXPECT_EQ(Names(p->Selection), (Strings{"c", "d", "b", "a"}));

  // An entry appended after the selection stays out of it, and the numbers take it in.
  p->Select(section::All, "", 0, 0);
  p->AddEntry("S", "e", "VC", "alpha");
  p->RemoveDuplicateSources();
  EXPECT_EQ(Names(p->Selection), (Strings{"d", "c", "b", "a"}));
  p->SortSelection(TSortColumn::Original, true);
  EXPECT_EQ(Names(p->Selection), (Strings{"a", "b", "d", "c"}));
}

// A list in load order sorts by number without reading keys; once it is in any other order (another
// sort, turned round, or Items reordered), sorting by number sorts for real.
TEST(SelectionChanges, SortByNumberKnowsWhenTheListIsInLoadOrder) {
  TProject p = FourEntries();
  p->Select(section::All, "", 0, 0);
  p->FilterByText("a", TTextMatch::Contains); // drops nothing of the order
  p->SortSelection(TSortColumn::Id, false);
  EXPECT_EQ(Names(p->Selection), (Strings{"a", "b", "c", "d"}));
  p->SortSelection(TSortColumn::Id, true);
  EXPECT_EQ(Names(p->Selection), (Strings{"d", "c", "b", "a"}));
  p->SortSelection(TSortColumn::Id, true);
  EXPECT_EQ(Names(p->Selection), (Strings{"d", "c", "b", "a"}));
  p->SortSelection(TSortColumn::Id, false);
  EXPECT_EQ(Names(p->Selection), (Strings{"a", "b", "c", "d"}));
  p->SortSelection(TSortColumn::Original, false);
  EXPECT_EQ(Names(p->Selection), (Strings{"c", "d", "b", "a"}));
  p->SortSelection(TSortColumn::Id, false);
  EXPECT_EQ(Names(p->Selection), (Strings{"a", "b", "c", "d"}));

  auto &items = p->Items.Raw();
  std::reverse(items.begin(), items.end());
  p->ItemsReordered();
  p->Select(section::All, "", 0, 0);
  EXPECT_EQ(Names(p->Selection), (Strings{"d", "c", "b", "a"}));
  p->SortSelection(TSortColumn::Id, false);
  EXPECT_EQ(Names(p->Selection), (Strings{"a", "b", "c", "d"}));
  p->Select(section::All, "", 0, 0);
  p->SortSelection(TSortColumn::Id, true);
  EXPECT_EQ(Names(p->Selection), (Strings{"d", "c", "b", "a"}));
}

TEST(SelectionChanges, EntriesPutIntoTheListByHandAreSortedAndDeduplicated) {
  TProject p = FourEntries();
  p->Select(section::All, "", 0, 0);
  // A copy that is not in the project, in place of the first entry (same list size).
  TWordObj *copy = p->Items[3]->Clone();
  copy->SetSource("Charlie");
  TRefObj::Release(p->Selection.Raw()[0]);
  p->Selection.Raw()[0] = copy;
  p->RemoveDuplicateSources();
  EXPECT_EQ(Names(p->Selection), (Strings{"b", "c", "d"}));
  EXPECT_EQ(p->Selection.Raw()[1]->Source(), "&Charlie");

  p->Select(section::All, "", 0, 0);
  TRefObj::Release(p->Selection.Raw()[1]);
  p->Selection.Raw()[1] = p->Items[3]->Clone();
  p->SortSelection(TSortColumn::Original, false);
  // The copy and its original tie on source and Index: they keep their list order.
  EXPECT_EQ(Names(p->Selection), (Strings{"c", "d", "d", "a"}));
  EXPECT_EQ(p->Selection.Raw()[1]->Pos, -1);
}
