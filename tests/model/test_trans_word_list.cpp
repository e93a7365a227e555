// The translation word list: pairing of "R=" and "L=" lines, first source wins, exact look-ups.
#include "model/trans_word_list.h"
#include "support/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace vt;

namespace {

std::vector<std::pair<std::string, std::string>> Pairs(const TTransWordList &list) {
  std::vector<std::pair<std::string, std::string>> out;
  for (std::size_t i = 0; const TTransWord *w = list.GetItem(i); ++i)
    out.emplace_back(w->Source, w->Translation);
  return out;
}

using P = std::vector<std::pair<std::string, std::string>>;

P Load(const std::vector<std::string> &lines) {
  TTransWordList list;
  list.LoadFromLines(lines);
  return Pairs(list);
}

} // namespace

TEST(WordListLines, PairingRules) {
  // One "R=" pairs with at most one "L=".
  EXPECT_EQ(Load({"R=a", "L=b", "L=c"}), (P{{"a", "b"}}));
  // Comments and empty lines keep the pending source.
  EXPECT_EQ(Load({"R=a", ";note", "", "L=b"}), (P{{"a", "b"}}));
  // Another letter with "=" is skipped; a line without "=" second clears the source.
  EXPECT_EQ(Load({"R=a", "X=y", "L=b"}), (P{{"a", "b"}}));
  EXPECT_EQ(Load({"R=a", "Lb", "L=b"}), (P{}));
  EXPECT_EQ(Load({"R=a", "x", "L=b"}), (P{{"a", "b"}})); // shorter than two bytes: skipped
  // An empty translation makes no pair and ends the pending source.
  EXPECT_EQ(Load({"R=a", "L=", "L=b"}), (P{}));
  EXPECT_EQ(Load({"R=", "L=b"}), (P{}));
  // Letters are case-sensitive; values keep their spaces and further "=".
  EXPECT_EQ(Load({"r=a", "L=b"}), (P{}));
  EXPECT_EQ(Load({"R= a=1 ", "L= b "}), (P{{" a=1 ", " b "}}));
  // A later "R=" replaces an unpaired one.
  EXPECT_EQ(Load({"R=a", "R=c", "L=d"}), (P{{"c", "d"}}));
}

TEST(WordListLookups, FirstSourceWinsAndCaseMatters) {
  TTransWordList list;
  list.LoadFromLines({"R=Open", "L=Abrir", "R=Open", "L=Otro", "R=open", "L=abrir"});
  ASSERT_EQ(list.Count(), 2u);
  ASSERT_NE(list.Find("Open"), nullptr);
  EXPECT_EQ(list.Find("Open")->Translation, "Abrir");
  EXPECT_EQ(list.Find("open")->Translation, "abrir");
  EXPECT_EQ(list.Find("OPEN"), nullptr);
  EXPECT_EQ(list.Find(""), nullptr);
  EXPECT_EQ(list.GetItem(2), nullptr);

  EXPECT_FALSE(list.AddPair("Open", "x"));
  EXPECT_TRUE(list.AddPair("Close", "Cerrar"));
  EXPECT_EQ(list.GetItem(2)->Translation, "Cerrar");
  // Many words: the index stays right as the list grows.
  for (int i = 0; i < 5000; ++i) list.AddPair("w" + std::to_string(i), std::to_string(i));
  EXPECT_EQ(list.Find("w4321")->Translation, "4321");
  EXPECT_EQ(list.Find("Open")->Translation, "Abrir");
}

TEST(WordListFile, LineEndsAndFile) {
  TTransWordList list;
  list.LoadFromBytes("R=a\r\nL=b\r\n\r\nR=c\nL=d\rR=e\n\rL=f\r\nR=g\r\nL=h");
  EXPECT_EQ(Pairs(list), (P{{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}}));
  // The list keeps its own texts: the bytes it read from and added texts may go, and the list
  // may move, short texts included.
  {
    std::string bytes = "R=" + std::string(40, 'x') + "\nL=y\n";
    list.LoadFromBytes(bytes);
    bytes.assign(bytes.size(), '#');
    std::string added = "short";
    list.AddPair(added, added + "!");
    added.assign(added.size(), '#');
  }
  const TTransWordList moved = std::move(list);
  ASSERT_NE(moved.Find(std::string(40, 'x')), nullptr);
  EXPECT_EQ(moved.Find(std::string(40, 'x'))->Translation, "y");
  ASSERT_NE(moved.Find("short"), nullptr);
  EXPECT_EQ(moved.Find("short")->Translation, "short!");
  EXPECT_EQ(moved.Find("c")->Translation, "d");

  const auto dir = std::filesystem::temp_directory_path() / "vt_word_list_test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "list.txt").string();
  ASSERT_TRUE(WriteFileAtomic(path, "; exported\r\nR=Save\\n\r\nL=Guardar\\n\r\n\r\n"));
  TTransWordList fromFile;
  ASSERT_TRUE(fromFile.LoadFromFile(path));
  ASSERT_NE(fromFile.Find("Save\\n"), nullptr);
  EXPECT_EQ(fromFile.Find("Save\\n")->Translation, "Guardar\\n");
  std::string error;
  EXPECT_FALSE(fromFile.LoadFromFile((dir / "missing.txt").string(), &error));
  EXPECT_FALSE(error.empty());
  std::filesystem::remove_all(dir);
}

// Reading bytes splits lines eight bytes at a time and drops repeated sources while indexing:
// compared with splitting the same bytes one byte at a time and adding the pairs one by one, and
// the batch look-up with single look-ups, over many random lists (loaded twice into one list, so
// the second load meets sources of the first).
TEST(WordListFile, BytesReadAsTheirLinesAddedOneByOne) {
  std::mt19937 rnd(15);
  // Lines of few short words, so that sources repeat; words long enough for the eight-byte steps.
  const std::vector<std::string> heads = {"R=", "R=", "L=", "L=", ";", "X=", "R", ""};
  const std::vector<std::string> words = {"a", "Ab", "\xC3\xA9", "a=b", " ", "0123456789", "\t"};
  const std::vector<std::string> breaks = {"\r\n", "\n", "\r", "\n\r"};
  const auto randomBytes = [&] {
    std::string bytes;
    for (int n = static_cast<int>(rnd() % 60); n > 0; --n) {
      bytes += heads[rnd() % heads.size()];
      for (int w = static_cast<int>(rnd() % 3); w > 0; --w) bytes += words[rnd() % words.size()];
      if (n > 1 || rnd() % 2) bytes += breaks[rnd() % breaks.size()];
    }
    return bytes;
  };
  for (int round = 0; round < 300; ++round) {
    const std::string first = randomBytes(), second = randomBytes();
    TTransWordList fast;
    fast.LoadFromBytes(first);
    fast.LoadFromBytes(second);
    TTransWordList slow;
    std::vector<std::string> all;
    for (const std::string *bytes : {&first, &second}) {
      std::vector<std::string> lines(1);
      for (std::size_t i = 0; i < bytes->size(); ++i) {
        const char c = (*bytes)[i];
        if (c != '\r' && c != '\n') {
          lines.back() += c;
          continue;
        }
        if (c == '\r' && i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') ++i;
        lines.emplace_back();
      }
      slow.LoadFromLines(lines); // a source pending at the end of one file pairs with nothing
      all.insert(all.end(), lines.begin(), lines.end());
    }
    ASSERT_EQ(Pairs(fast), Pairs(slow)) << "round " << round;

    std::vector<std::string_view> sources;
    for (const std::string &line : all)
      if (line.size() >= 2) sources.push_back(std::string_view(line).substr(2));
    std::vector<const TTransWord *> found(sources.size());
    fast.FindAll(sources, found);
    for (std::size_t i = 0; i < sources.size(); ++i) ASSERT_EQ(found[i], fast.Find(sources[i])) << sources[i];
  }
}
