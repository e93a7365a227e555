// The administrator's measures of a project: word frequencies, byte statistics, the raw dump, the
// collision test, and MurmurHash2 against an independent reference written in Python.
#include "client/core/project_measures.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <unistd.h>

namespace vt {
namespace {

class MeasuresTest : public ::testing::Test {
protected:
  void SetUp() override { Project = TRef<TWordList>(new TWordList); }
  TWordObj *Add(const char *section, const char *name, const char *kind, std::string_view source,
                std::string_view trans = {}) {
    TWordObj *e = Project->AddEntry(section, name, kind, source);
    e->Translation = trans;
    return e;
  }
  std::span<TWordObj *const> Items() const { return Project->Items.Raw(); }
  TRef<TWordList> Project;
};

TEST_F(MeasuresTest, WordFrequenciesFoldCaseAndSortAsText) {
  Add("A", "a", "TC", "Save the file");
  Add("A", "b", "TC", "save|SAVE");           // "|" separates words
  Add("A", "c", "TC", "x x x x x x x x x x"); // ten times x
  Add("A", "d", "TC", "y y y y y y y y y");   // nine times y
  Add("A", "e", "TC", "ta\tb line\\none");    // TAB vanishes inside a word; "\n" escape is a break
  Add("A", "f", "TC", "")->SetSourceText(u"caf\u00e9 CAF\u00c9"); // non-ASCII letters keep their case
  Add("_Hidden", "g", "_msg", "Save hidden words");
  const std::string list = WordFrequencyList(Items());
  // TAB sorts before digits, so "10" comes after every "1" and before "9".
  EXPECT_EQ(list, "1\tCAF\xC9\r\n"
                  "1\tcaf\xE9\r\n"
                  "1\tfile\r\n"
                  "1\tline\r\n"
                  "1\tone\r\n"
                  "1\ttab\r\n"
                  "1\tthe\r\n"
                  "10\tx\r\n"
                  "3\tSave\r\n"
                  "9\ty\r\n");
}

TEST_F(MeasuresTest, StatisticsAndDumpCountStoredBytesOfVisibleEntries) {
  TWordObj *cafe = Add("A", "a", "TC", "");
  cafe->SetSourceText(u"Caf\u00e9\u20ac"); // non-ASCII: every stored byte counts
  cafe->SetTranslationText(u"Caf\u00e9");
  cafe->SetFlagPrefix("[~]");
  Add("A", "b", "TC", "", "x");
  Add("A", "c", "TC", "Line\\nbreak", "");
  Add("_Messages", "m", "_msg", "hidden source", "hidden");
  // "Caf\xC3\xA9\xE2\x82\xAC" 8 bytes, "Line\\nbreak" 11; "[~]Caf\xC3\xA9" 8, "x" 1.
  const std::uint64_t raw = 8 + 11, lng = 8 + 1;
  const TProjectStatistics stats = ProjectStatistics(*Project);
  EXPECT_EQ(stats.RawChars, raw);
  EXPECT_EQ(stats.LngChars, lng);
  EXPECT_EQ(StatisticsCaption(stats),
            std::to_string(raw) + " raw chars ,   " + std::to_string(lng) + " lng chars");
  EXPECT_EQ(DumpRawStrings(Items()), cafe->Source() + "\r\nLine\\nbreak\r\n");
}

TEST_F(MeasuresTest, SeedTextIsA32BitDecimalIntegerAddedToTheBase) {
  EXPECT_EQ(HashSeedFromText("0"), kHashSeedBase);
  EXPECT_EQ(HashSeedFromText("-1"), kHashSeedBase - 1);
  EXPECT_EQ(HashSeedFromText("2147483647"), kHashSeedBase + 2147483647u);
  EXPECT_EQ(HashSeedFromText("-2147483648"), kHashSeedBase + 0x80000000u);
  std::string error;
  for (const char *bad : {"abc", "4294967296", "2147483648", "", "1x", "0x10", "--1"}) {
    EXPECT_FALSE(HashSeedFromText(bad, &error)) << bad;
    EXPECT_EQ(error, "'" + std::string(bad) + "' is not a valid integer value");
  }
}

TEST_F(MeasuresTest, CollisionTestStopsAtTheFirstRepeatedHash) {
  Add("A", "a", "TC", "Open");
  Add("A", "empty", "TC", "");
  Add("_Messages", "h", "_msg", "Close"); // hidden: not hashed
  TWordObj *first = Add("A", "b", "TC", "Close");
  Add("A", "c", "TC", "Save");
  TWordObj *second = Add("B", "d", "TC", "Close");
  TWordObj *open2 = Add("B", "e", "TC", "Open"); // never reached
  std::vector<std::string> seen;
  const THashTestResult r =
      HashCollisionTest(Items(), kHashSeedBase, [&](const TWordObj &e, std::uint32_t h) {
        EXPECT_EQ(h, MurmurHash2(e.Source(), kHashSeedBase));
        seen.push_back(e.FullId());
      });
  ASSERT_TRUE(r.Collision);
  EXPECT_EQ(r.First, first);
  EXPECT_EQ(r.Second, second);
  EXPECT_EQ(r.Hash, MurmurHash2("Close", kHashSeedBase));
  EXPECT_EQ(HashText(r.Hash).size(), 8u);
  EXPECT_EQ(seen, (std::vector<std::string>{"A/a.TC", "A/b.TC", "A/c.TC", "B/d.TC"}));
  Project->Items.Delete(Project->Items.Count() - 2); // the second "Close"
  const THashTestResult again = HashCollisionTest(Items(), kHashSeedBase);
  EXPECT_TRUE(again.Collision);
  EXPECT_EQ(again.Second, open2);
  Project->Items.Delete(Project->Items.Count() - 1);
  EXPECT_FALSE(HashCollisionTest(Items(), kHashSeedBase).Collision);
}

TEST(MurmurHash2Test, AgreesWithThePythonReferenceOnEveryTailLength) {
  // Lengths 0 to 9 cover every tail, bytes above 0x7F catch a signed read; several seeds.
  std::mt19937 random(15);
  std::vector<std::pair<std::string, std::uint32_t>> cases;
  for (const std::uint32_t seed : {kHashSeedBase, kHashSeedBase - 1, 0u, 0xFFFFFFFFu, 0x12345678u})
    for (std::size_t length = 0; length <= 9; ++length)
      for (int round = 0; round < 3; ++round) {
        std::string bytes(length, '\0');
        for (char &c : bytes) c = static_cast<char>(round == 0 ? 0xFF : random() & 0xFF);
        cases.emplace_back(bytes, seed);
      }
  std::ostringstream input;
  for (const auto &[bytes, seed] : cases) {
    input << seed << ' ';
    for (unsigned char c : bytes) input << "0123456789abcdef"[c >> 4] << "0123456789abcdef"[c & 15];
    input << '\n';
  }
  char inputPath[] = "/tmp/murmur_cases_XXXXXX";
  const int fd = mkstemp(inputPath);
  ASSERT_GE(fd, 0);
  const std::string text = input.str();
  ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(fd);
  const std::string command = std::string("python3 ") + VT_MURMUR_REFERENCE + " < " + inputPath;
  FILE *pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  std::remove(inputPath);
  std::istringstream lines(output);
  std::string expected;
  std::size_t compared = 0;
  for (const auto &[bytes, seed] : cases) {
    ASSERT_TRUE(std::getline(lines, expected));
    EXPECT_EQ(HashText(MurmurHash2(bytes, seed)), expected) << "length " << bytes.size() << " seed " << seed;
    ++compared;
  }
  EXPECT_EQ(compared, cases.size());
}

} // namespace
} // namespace vt
