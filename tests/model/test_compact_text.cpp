// Compact entry texts: views of a project's files until first changed, own copies after; the bytes
// stay alive for entries that outlive their project; the project's look-ups follow a text that
// changes from view to own copy; files changed on disk while open do not reach the entries.
#include "model/compact_text.h"
#include "model/entry_walk.h"
#include "model/word_list.h"
#include "support/file_io.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

using namespace vt;
namespace fs = std::filesystem;

namespace {

TEST(CompactText, ReadsLikeAStringAndCopiesOnChange) {
  const std::string bytes = "[~]Hallo Welt";
  TCompactText t = TCompactText::View(bytes);
  EXPECT_TRUE(t.IsView());
  EXPECT_EQ(t.data(), bytes.data()); // no copy
  EXPECT_EQ(t, "[~]Hallo Welt");
  EXPECT_EQ(t.size(), bytes.size());
  EXPECT_EQ(t.substr(3), "Hallo Welt");
  EXPECT_EQ(t + "!", "[~]Hallo Welt!");
  EXPECT_EQ("<" + t, "<[~]Hallo Welt");
  EXPECT_EQ(std::string("a") + t + t, "a[~]Hallo Welt[~]Hallo Welt");
  const std::string converted = t;
  EXPECT_EQ(converted, bytes);
  std::ostringstream out;
  out << t;
  EXPECT_EQ(out.str(), bytes);
  EXPECT_LT(t, std::string_view("[~]Hallo Xelt"));

  // A copy is always its own, so it can never outlive the bytes of a view.
  TCompactText copy = t;
  EXPECT_FALSE(copy.IsView());
  EXPECT_NE(copy.data(), bytes.data());
  EXPECT_EQ(copy, t);

  // Assigning from a part of itself.
  copy = copy.substr(3, 5);
  EXPECT_EQ(copy, "Hallo");
  t = "neu";
  EXPECT_FALSE(t.IsView());
  EXPECT_EQ(t, "neu");
  t.clear();
  EXPECT_TRUE(t.empty());
  EXPECT_FALSE(t.IsView());

  TCompactText moved = std::move(copy);
  EXPECT_EQ(moved, "Hallo");
  EXPECT_TRUE(copy.empty()); // NOLINT(bugprone-use-after-move): the moved-from text is empty
}

TEST(CompactText, EntryStateIsSmall) {
  // Four identity texts, three more texts, numbers, flags, the observer and the store: the entry
  // must stay far below the 270 bytes of one string per text.
  EXPECT_EQ(sizeof(TCompactText), 16u);
  EXPECT_LE(sizeof(TWordObj), 160u);
}

TEST(CompactText, StoreKeepsCopiesApartAndAlive) {
  auto *store = new TTextStore();
  std::vector<std::string_view> kept;
  std::string big(300000, 'x');
  for (int i = 0; i < 5000; ++i) kept.push_back(store->Keep("text " + std::to_string(i)));
  kept.push_back(store->Keep(big));
  kept.push_back(store->Keep("after the big one"));
  for (int i = 0; i < 5000; ++i) EXPECT_EQ(kept[static_cast<std::size_t>(i)], "text " + std::to_string(i));
  EXPECT_EQ(kept[5000], big);
  EXPECT_EQ(kept[5001], "after the big one");
  EXPECT_TRUE(store->Keep("").empty());
  auto held = std::make_shared<const std::string>("file bytes");
  EXPECT_EQ(store->Hold(held).data(), held->data());
  store->Release();
}

TEST(CompactText, EntriesPlacedInAStoreLiveUntilTheirLastHolderAndTheStoreAfterThem) {
  auto *store = new TTextStore();
  auto held = std::make_shared<const std::string>("[S]\r\nName.VC=Text\r\n");
  const std::string_view bytes = store->Hold(held);
  // Room for two: the rest take further blocks.
  store->ReserveEntryRoom(2, sizeof(TWordObj));
  std::vector<TWordObj *> entries;
  for (int i = 0; i < 20000; ++i)
    entries.push_back(TWordObj::Place(*store, bytes.substr(1, 1), bytes.substr(5, 4), bytes.substr(10, 2),
                                      bytes.substr(13, 4)));
  TWordObj *own = new TWordObj(*store, bytes.substr(1, 1), bytes.substr(5, 4), "VC", "Text");
  EXPECT_EQ(reinterpret_cast<const char *>(entries[1]) - reinterpret_cast<const char *>(entries[0]),
            static_cast<std::ptrdiff_t>(sizeof(TWordObj)))
      << "placed entries lie side by side";
  store->Release(); // the entries hold it now
  TRefObj::AddRef(entries[7]);
  for (TWordObj *e : entries) e->Release();
  own->Release();
  // The one still held keeps its room and its texts; the store goes with it.
  EXPECT_EQ(entries[7]->FullId(), "S/Name.VC");
  EXPECT_EQ(entries[7]->SourceText(), u"Text");
  entries[7]->Translation = "Texto";
  EXPECT_EQ(entries[7]->Translation, "Texto");
  entries[7]->Release();
}

TEST(CompactText, EntriesReleasedTogetherGiveTheirStoresBackOnceAndOnlyWhenAllAreGone) {
  // Three stores; the entries of the first two alternate in runs, as lists of two projects may.
  // The bytes each store holds tell when it goes.
  TTextStore *stores[3];
  std::string_view bytes[3];
  std::weak_ptr<const std::string> alive[3];
  for (int s = 0; s < 3; ++s) {
    auto held = std::make_shared<const std::string>("[S]\r\nName.VC=Text\r\n");
    alive[s] = held;
    stores[s] = new TTextStore();
    bytes[s] = stores[s]->Hold(std::move(held));
  }
  const auto place = [&](int s) {
    const std::string_view b = bytes[s];
    return TWordObj::Place(*stores[s], b.substr(1, 1), b.substr(5, 4), b.substr(10, 2), b.substr(13, 4));
  };
  std::vector<TWordObj *> entries, few;
  // Enough for the release to run in parts on the cores.
  for (int i = 0; i < 3 * static_cast<int>(kMinEntryPart); ++i) entries.push_back(place((i / 1000) % 2));
  for (int i = 0; i < 3; ++i) few.push_back(place(2));
  for (TTextStore *s : stores) s->Release(); // the entries hold them now

  // Released within a batch on this thread: their store stays until the batch ends, then goes.
  {
    const TStoreReleaseBatch batch;
    for (TWordObj *e : few) e->Release();
    EXPECT_FALSE(alive[2].expired());
  }
  EXPECT_TRUE(alive[2].expired());
  // Released in parts, with one entry of each store held beyond: the stores stay with them, their
  // texts readable, and each goes with its last entry.
  TWordObj *kept[2] = {TRefObj::AddRef(entries[10]), TRefObj::AddRef(entries[1010])};
  ReleaseEntries(entries);
  EXPECT_TRUE(entries.empty());
  for (TWordObj *e : kept) {
    EXPECT_EQ(e->FullId(), "S/Name.VC");
    EXPECT_EQ(e->SourceText(), u"Text");
  }
  EXPECT_FALSE(alive[0].expired());
  EXPECT_FALSE(alive[1].expired());
  kept[0]->Release();
  EXPECT_TRUE(alive[0].expired());
  EXPECT_FALSE(alive[1].expired());
  kept[1]->Release();
  EXPECT_TRUE(alive[1].expired());
}

TEST(CompactText, StoreRoomBoundsWhatIsKeptAndHeldTextsAreNoViews) {
  auto *store = new TTextStore();
  store->Hold(std::make_shared<const std::string>(std::size_t{4} << 20, 'f'));
  const std::string text(1000, 't');
  std::vector<std::string_view> kept;
  std::string_view one;
  while (store->KeepInRoom(text, one)) kept.push_back(one);
  // As much as the bytes held and 16 MiB more, then no more: the caller copies instead.
  EXPECT_GE(store->KeptBytes(), std::size_t{19} << 20);
  EXPECT_LE(store->KeptBytes(), store->HeldBytes() + (std::size_t{16} << 20));
  EXPECT_FALSE(store->KeepInRoom(std::string(2 << 20, 'l'), one));
  for (std::size_t i = 0; i < kept.size(); i += 101) EXPECT_EQ(kept[i], text);

  // A held text is nobody's view to share: a copy owns its bytes, a move carries the holding.
  TCompactText held;
  held.SetHeld(kept[0]);
  EXPECT_FALSE(held.IsView());
  EXPECT_TRUE(held.IsChanged());
  TCompactText copy(held);
  EXPECT_NE(copy.data(), held.data());
  TCompactText moved;
  moved = std::move(held);
  EXPECT_EQ(moved.data(), kept[0].data());
  EXPECT_FALSE(moved.IsView());
  moved.clear(); // frees nothing of the store's
  EXPECT_EQ(kept[0], text);
  store->Release();
}

class CompactTextProject : public ::testing::Test {
protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    Dir = fs::temp_directory_path() /
          ("vt_compact_text_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::create_directories(Dir);
    Write("P.SrcLng", "[Form1]\r\nbtnOk._CN=TButton\r\nbtnOk.VC=&Ok\r\nbtnOk.VH=Ok|Closes\r\n"
                      "lblName.VC=Name:\r\n[Form2]\r\nbtnOk.VC=&Ok\r\n");
    Write("P.kxLng", "[_info]\r\nDestLng=es\r\n[Form1]\r\nbtnOk.VC=[?]&Aceptar\r\nbtnOk.VC_?=check\r\n"
                     "lblName.VC=Nombre:\r\n");
    Write("P.AutoLng", "[Form2]\r\nbtnOk.VC=Vale\r\n");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  std::string P(const std::string &name) const { return (Dir / name).string(); }
  void Write(const std::string &name, const std::string &bytes) const {
    std::ofstream(P(name), std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string Read(const std::string &name) const {
    std::string bytes;
    ReadFileBytes(P(name), bytes);
    return bytes;
  }
  fs::path Dir;
};

TEST_F(CompactTextProject, LoadedTextsAreViewsUntilChanged) {
  TRef<TWordList> list(new TWordList());
  ASSERT_TRUE(list->Open(P("P.kxLng")));
  TWordObj *ok = list->FindEntry("Form1/btnOk.VC");
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->Source().IsView());
  EXPECT_TRUE(ok->Translation.IsView());
  EXPECT_TRUE(ok->Comment.IsView());
  EXPECT_TRUE(ok->Section().IsView());
  EXPECT_EQ(ok->Translation, "[?]&Aceptar");
  EXPECT_EQ(ok->Comment, "check");
  EXPECT_EQ(list->FindEntry("Form2/btnOk.VC")->AutoText, "Vale");

  // A changed text is a copy the project keeps, no longer the file's bytes.
  const std::string_view file = *list->TransIni->Bytes();
  ok->SetFlags(0);
  EXPECT_FALSE(ok->Translation.data() >= file.data() && ok->Translation.data() < file.data() + file.size());
  EXPECT_EQ(ok->Translation, "&Aceptar");
  list->Modified = true;
  ASSERT_TRUE(list->Save());
  EXPECT_NE(Read("P.kxLng").find("btnOk.VC=&Aceptar\r\n"), std::string::npos);
}

TEST_F(CompactTextProject, LookUpsFollowASourceThatBecomesItsOwn) {
  TRef<TWordList> list(new TWordList());
  ASSERT_TRUE(list->Open(P("P.kxLng")));
  // Build the hashed tables over the viewed texts first.
  ASSERT_NE(list->FindByValue("Form1", "VC", "&Ok"), nullptr);
  TWordObj *form2 = list->FindEntry("Form2/btnOk.VC");
  ASSERT_NE(form2, nullptr);
  TWordObj *ok = list->FindEntry("Form1/btnOk.VC");
  list->UpdateSuggestions(form2, true, false);
  ASSERT_EQ(list->SimilarItems.Count(), 1u); // the other entry of the same source
  EXPECT_EQ(list->SimilarItems[0], ok);

  ok->SetSource("&Okay");
  ok->SetName("btnYes");
  EXPECT_FALSE(ok->Source().IsView());
  EXPECT_EQ(list->FindByValue("Form1", "VC", "&Ok"), nullptr);
  EXPECT_EQ(list->FindByValue("Form1", "VC", "&Okay"), ok);
  EXPECT_EQ(list->FindEntry("Form1/btnOk.VC"), nullptr);
  EXPECT_EQ(list->FindEntry("Form1/btnYes.VC"), ok);
  list->UpdateSuggestions(form2, true, false);
  EXPECT_EQ(list->SimilarItems.Count(), 0u);
  list->UpdateSuggestions(ok, true, false);
  EXPECT_EQ(list->SimilarItems.Count(), 0u);
  ok->SetSource("&OK"); // the same as Form2's apart from case
  list->UpdateSuggestions(form2, true, false);
  ASSERT_EQ(list->SimilarItems.Count(), 1u);
  EXPECT_EQ(list->SimilarItems[0], ok);
}

TEST_F(CompactTextProject, EntriesOutliveTheirProject) {
  TRef<TWordObj> kept, clone;
  {
    TRef<TWordList> list(new TWordList());
    ASSERT_TRUE(list->Open(P("P.kxLng")));
    kept = TRef<TWordObj>(TRefObj::AddRef(list->FindEntry("Form1/btnOk.VC")));
    clone = TRef<TWordObj>(list->FindEntry("Form1/lblName.VC")->Clone());
    list->Close();
    // A new project in the same object: the old bytes must not be reused under the kept entries.
    Write("P.SrcLng", "[Other]\r\nx.VC=yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy\r\n");
    Write("P.kxLng", "[Other]\r\nx.VC=zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz\r\n");
    ASSERT_TRUE(list->Open(P("P.kxLng")));
  }
  EXPECT_EQ(kept->FullId(), "Form1/btnOk.VC");
  EXPECT_EQ(kept->Source(), "&Ok");
  EXPECT_EQ(kept->Translation, "[?]&Aceptar");
  EXPECT_EQ(kept->Comment, "check");
  EXPECT_EQ(clone->FullId(), "Form1/lblName.VC");
  EXPECT_EQ(clone->Translation, "Nombre:");
}

TEST_F(CompactTextProject, FilesChangedOnDiskDoNotReachTheOpenProject) {
  TRef<TWordList> list(new TWordList());
  ASSERT_TRUE(list->Open(P("P.kxLng")));
  // Another program truncates one file and rewrites another in place while the project is open.
  fs::resize_file(P("P.SrcLng"), 0);
  {
    std::fstream f(P("P.kxLng"), std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(0);
    f << std::string(40, '#');
  }
  fs::resize_file(P("P.AutoLng"), 3);
  TWordObj *ok = list->FindEntry("Form1/btnOk.VC");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->Source(), "&Ok");
  EXPECT_EQ(ok->Translation, "[?]&Aceptar");
  EXPECT_EQ(list->FindEntry("Form2/btnOk.VC")->AutoText, "Vale");
  EXPECT_EQ(list->DestLng, "es");
  list->FindEntry("Form1/lblName.VC")->Translation = "Nombre";
  list->Modified = true;
  ASSERT_TRUE(list->Save());
  // The save writes the project as held, not what the other program left in the file.
  EXPECT_EQ(Read("P.kxLng"),
            "[_info]\r\nDestLng=es\r\n\r\n[Form1]\r\nbtnOk.VC=[?]&Aceptar\r\nbtnOk.VC_?=check\r\n"
            "lblName.VC=Nombre\r\n\r\n");
}

} // namespace
