// The word-list merge and export take texts as they are stored where decoding and encoding again
// would give the same bytes: checked against the general conversion over many random texts of
// every kind, on a project read from its files (whose store then keeps the merged texts).
#include "client/core/word_list_tools.h"

#include "support/file_io.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace vt {
namespace {

namespace fs = std::filesystem;

// Pieces random texts are made of: plain letters, the escapes and their look-alikes, list item
// quotes, a leading bracket, multi-byte and broken sequences, control characters.
const std::vector<std::string> kPieces = {"a",
                                          "Bc",
                                          " ",
                                          "\"",
                                          ",",
                                          "\",\"",
                                          "\\",
                                          "\\\\",
                                          "\\n",
                                          "\\t",
                                          "\\0",
                                          "\\09",
                                          "\\13",
                                          "\\31",
                                          "\\91",
                                          "\\x",
                                          "n",
                                          "t",
                                          "[",
                                          "]",
                                          "~",
                                          "?",
                                          "\xC3\xA9",
                                          "\xE2\x82\xAC",
                                          "\xF0\x9F\x98\x80",
                                          "\xFF",
                                          "\x80",
                                          "\x01",
                                          "\x1F",
                                          "\xED\xA0\x80",
                                          "\xC3",
                                          "|",
                                          "12"};
const std::vector<std::string> kKinds = {"TC", "IT", "VH", "THF", "msg"};

std::string RandomText(std::mt19937 &rnd) {
  std::string text;
  const int n = static_cast<int>(rnd() % 7);
  if (rnd() % 4 == 0) text += '"';
  for (int i = 0; i < n; ++i) text += kPieces[rnd() % kPieces.size()];
  if (rnd() % 4 == 0) text += '"';
  return text;
}

class MergeTextsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("vt_merge_texts_" + std::to_string(getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }

  // Writes and opens a project of one section whose entries are "e<i>.<kind>=s<i>" with the
  // translations given (empty: none written).
  TRef<TWordList> OpenProject(const std::vector<std::string> &kinds, const std::vector<std::string> &trans) {
    std::string src = "[S]\r\n", kx = "[_info]\r\nDestLng=es\r\n[S]\r\n";
    for (std::size_t i = 0; i < kinds.size(); ++i) {
      const std::string key = "e" + std::to_string(i) + "." + kinds[i];
      src += key + "=s" + std::to_string(i) + "\r\n";
      if (!trans[i].empty()) kx += key + "=" + trans[i] + "\r\n";
    }
    const std::string base = (Dir / "P").string();
    EXPECT_TRUE(WriteFileAtomic(base + ".SrcLng", src));
    EXPECT_TRUE(WriteFileAtomic(base + ".kxLng", kx));
    TRef<TWordList> project(new TWordList);
    std::string error;
    EXPECT_TRUE(project->Open(base + ".kxLng", &error, TWordList::TOpenMode::ReadOnly)) << error;
    return project;
  }
  fs::path Dir;
};

TEST_F(MergeTextsTest, MergeGivesWhatDecodingAndEncodingEachPairGives) {
  std::mt19937 rnd(15);
  for (int round = 0; round < 4; ++round) {
    constexpr std::size_t kEntries = 3000;
    std::vector<std::string> kinds, initial, pairs(kEntries);
    std::string list;
    for (std::size_t i = 0; i < kEntries; ++i) {
      kinds.push_back(kKinds[rnd() % kKinds.size()]);
      // Before: none, status letters only, a list item's empty quotes, or any text (the file trims it).
      const int what = static_cast<int>(rnd() % 10);
      const std::string prefix = rnd() % 2 ? "[?]" : "";
      initial.push_back(what == 0   ? "[~+]"
                        : what == 1 ? prefix + "\"\""
                        : what < 4  ? prefix + RandomText(rnd)
                        : what < 6  ? prefix
                                    : "");
      if (rnd() % 10 == 0) continue; // no pair
      pairs[i] = RandomText(rnd);
      list += "R=s" + std::to_string(i) + "\r\nL=" + pairs[i] + "\r\n\r\n";
    }
    TRef<TWordList> project = OpenProject(kinds, initial);
    for (std::size_t i = 0; i < kEntries; ++i) initial[i] = project->Items[i]->Translation;
    TTransWordList words;
    words.LoadFromBytes(list);
    TEntryList changed;
    const int count = MergeFromWordList(*project, project->Items.Raw(), words, &changed);

    int expectedCount = 0;
    std::size_t next = 0;
    for (std::size_t i = 0; i < kEntries; ++i) {
      const TWordObj &merged = *project->Items[i];
      TRef<TWordObj> ref(new TWordObj("S", "e" + std::to_string(i), kinds[i], "s" + std::to_string(i)));
      ref->Translation = initial[i];
      bool filled = false;
      // An empty pair is no pair: the list file skips it.
      if (!pairs[i].empty() && ref->TranslationText().empty()) {
        const std::u16string text = ref->DecodeValue(pairs[i]);
        if (!text.empty()) {
          ref->SetTranslationText(text);
          filled = true;
        }
      }
      ASSERT_EQ(merged.Translation, ref->Translation)
          << "kind " << kinds[i] << ", before \"" << initial[i] << "\", pair \"" << pairs[i] << '"';
      EXPECT_EQ(merged.Changed, filled) << i;
      if (filled) {
        ++expectedCount;
        ASSERT_LT(next, changed.size());
        EXPECT_EQ(changed[next++], &merged);
      }
    }
    EXPECT_EQ(count, expectedCount);
    EXPECT_EQ(project->Modified, expectedCount > 0);
  }
}

TEST_F(MergeTextsTest, ExportWritesWhatDecodingAndEncodingEachTranslationGives) {
  std::mt19937 rnd(16);
  constexpr std::size_t kEntries = 4000;
  std::vector<std::string> kinds, trans;
  for (std::size_t i = 0; i < kEntries; ++i) {
    kinds.push_back(kKinds[rnd() % kKinds.size()]);
    // The translation file trims its values and reads a line break as the end of one.
    const std::string prefix = rnd() % 3 == 0 ? "[?]" : "";
    trans.push_back(prefix + "x" + RandomText(rnd) + "y");
  }
  TRef<TWordList> project = OpenProject(kinds, trans);
  std::string expected;
  std::size_t expectedPairs = 0;
  for (const TWordObj *entry : project->Items) {
    const std::u16string text = entry->TranslationText();
    if (text.empty()) continue;
    expected += "R=" + entry->Source() + "\r\nL=" + entry->EncodeValue(text) + "\r\n\r\n";
    ++expectedPairs;
  }
  std::size_t pairs = 0;
  EXPECT_EQ(ExtractWordList(project->Items.Raw(), &pairs), expected);
  EXPECT_EQ(pairs, expectedPairs);
}

TEST_F(MergeTextsTest, WordListFileWrittenInBlocksHoldsTheExtractedBytes) {
  // Past one block of the file writer, and a project file refused as the target.
  constexpr std::size_t kEntries = 40000;
  std::vector<std::string> trans;
  for (std::size_t i = 0; i < kEntries; ++i)
    trans.push_back(i % 7 ? "Texto traducido " + std::to_string(i) + "\\t" : "");
  TRef<TWordList> project = OpenProject(std::vector<std::string>(kEntries, "TC"), trans);
  std::size_t pairs = 0, written = 0;
  const std::string expected = ExtractWordList(project->Items.Raw(), &pairs);
  ASSERT_GT(expected.size(), std::size_t{1} << 20);
  const std::string path = (Dir / "out.txt").string();
  std::string error, bytes;
  ASSERT_TRUE(WriteWordListFile(*project, project->Items.Raw(), path, &written, &error)) << error;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(written, pairs);
  const std::string own = (Dir / "P.kxLng").string();
  std::string before, after;
  ASSERT_TRUE(ReadFileBytes(own, before));
  EXPECT_FALSE(WriteWordListFile(*project, project->Items.Raw(), own, &written, &error));
  EXPECT_NE(error.find("refused"), std::string::npos);
  ASSERT_TRUE(ReadFileBytes(own, after));
  EXPECT_EQ(after, before);
}

TEST_F(MergeTextsTest, MergedTextsBelongToTheProjectAndTheirRoomIsBounded) {
  constexpr std::size_t kEntries = 400;
  TRef<TWordList> project =
      OpenProject(std::vector<std::string>(kEntries, "TC"), std::vector<std::string>(kEntries, ""));
  TTextStore *store = project->TextStore();
  ASSERT_NE(store, nullptr);
  const std::string listPath = (Dir / "words.txt").string();
  const auto textOf = [](std::size_t i, int round) {
    return "Traducci\xC3\xB3n " + std::string(2000, 'x') + std::to_string(i) + "\\n" + std::to_string(round);
  };
  // Each round fills every entry from a list file on disk, then clears them again: the texts kept
  // for merges stop growing at the project's room (its files' size and 16 MiB), and later merges
  // give each entry a copy of its own.
  constexpr int kRounds = 25;
  TRef<TWordObj> held;
  for (int round = 0; round < kRounds; ++round) {
    std::string list;
    for (std::size_t i = 0; i < kEntries; ++i)
      list += "R=s" + std::to_string(i) + "\r\nL=" + textOf(i, round) + "\r\n\r\n";
    ASSERT_TRUE(WriteFileAtomic(listPath, list));
    {
      TTransWordList words;
      ASSERT_TRUE(words.LoadFromFile(listPath));
      // The held entry keeps its first text.
      ASSERT_EQ(MergeFromWordList(*project, project->Items.Raw(), words),
                static_cast<int>(kEntries) - (round > 0));
    }
    // The list file changes, then goes: the project's texts stay.
    ASSERT_TRUE(WriteFileAtomic(listPath, std::string(list.size(), '#')));
    fs::remove(listPath);
    for (std::size_t i = 0; i < kEntries; i += 97)
      ASSERT_EQ(project->Items[i]->Translation, textOf(i, round));
    EXPECT_EQ(project->Items[1]->Translation, textOf(1, 0));
    if (round == 0) {
      EXPECT_TRUE(project->Items[1]->Translation.IsView()); // kept by the store, no copy per entry
      held = TRef<TWordObj>(TRefObj::AddRef(project->Items[1]));
    }
    if (round + 1 < kRounds)
      for (TWordObj *entry : project->Items)
        if (entry != held.get()) entry->Translation.clear();
  }
  EXPECT_LE(store->KeptBytes(), store->HeldBytes() + (std::size_t{17} << 20));
  EXPECT_FALSE(project->Items[0]->Translation.IsView());
  EXPECT_EQ(project->Items[0]->Translation, textOf(0, kRounds - 1));
  // An entry held beyond the project's close keeps the store, and so the text it views.
  project->Close();
  project = TRef<TWordList>();
  EXPECT_EQ(held->Translation, textOf(1, 0));
  EXPECT_EQ(held->Source(), "s1");
}

} // namespace
} // namespace vt
