// Batches of writes with keys in two pieces, written one at a time through the section writer,
// and saving files partly from their own buffer: both must give the very result of the plain ways.
#include "ini_save_fixture.h"
#include "model/ini_file.h"
#include "support/ascii_case.h"
#include "support/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <unistd.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

TEST(IniBatches, KeysInTwoPiecesEqualWritesOneByOne) {
  // Random files (repeated keys, other cases, raw lines, keys in and out of order) and random
  // batches whose keys are split anywhere (the comment suffix alone among them), given as one list
  // or write by write, keys said distinct whenever they are.
  const std::vector<std::string> keys = {"a.VC",
                                         "A.vc",
                                         "b.VC",
                                         "b.VC_?",
                                         "B.vc_?",
                                         "c.TC",
                                         "c.TC_?",
                                         "d.VH",
                                         "Longer.Name.Part1.THF",
                                         "LONGER.name.part1.thf",
                                         "longer.NAME.Part1.thf_?",
                                         "Longer.Name.Part1.THF_?",
                                         "Longer.Name.Part2.THF",
                                         "Longer.Name.Part1.THX"};
  const std::vector<std::string> values = {"", "", "x", "y\r\nz", "[~]w"};
  for (unsigned seed = 1; seed <= 400; ++seed) {
    std::mt19937 rng(seed);
    auto pick = [&](const std::vector<std::string> &pool) { return pool[rng() % pool.size()]; };
    std::string bytes;
    for (int s = 0; s < 3; ++s) {
      bytes += std::string("[") + "SsT"[rng() % 3] + "]\r\n";
      for (int l = static_cast<int>(rng() % 8); l > 0; --l)
        bytes += rng() % 6 == 0 ? "raw text\r\n" : pick(keys) + "=old\r\n";
    }
    TIniFile batch, single;
    batch.LoadFromBytes(bytes);
    single.LoadFromBytes(bytes);
    const std::string section = std::string(1, "SsTU"[rng() % 4]);
    std::vector<std::string> batchKeys;
    if (seed % 3 == 0) { // the section's own keys in order, now and then one left out
      if (const TIniSection *sec = single.FindSection(section))
        for (const TIniLine &line : sec->Lines)
          if (!line.Key.empty() && rng() % 5 != 0) batchKeys.push_back(line.Key);
    } else {
      for (int w = static_cast<int>(rng() % 8); w > 0; --w) batchKeys.push_back(pick(keys));
    }
    std::set<std::string> lowered;
    for (const std::string &k : batchKeys) lowered.insert(LowerAscii(k));
    const bool distinct = lowered.size() == batchKeys.size();

    std::vector<std::string> batchValues;
    for (std::size_t w = 0; w < batchKeys.size(); ++w) batchValues.push_back(pick(values));
    std::vector<TIniWrite> writes;
    for (std::size_t w = 0; w < batchKeys.size(); ++w) {
      const std::string_view k = batchKeys[w];
      const std::size_t cut = k.ends_with("_?") && rng() % 2 ? k.size() - 2 : rng() % (k.size() + 1);
      writes.push_back(TIniWrite{k.substr(0, cut), batchValues[w], k.substr(cut)});
      if (batchValues[w].empty())
        single.DeleteKey(section, k);
      else
        single.WriteString(section, k, batchValues[w]);
    }
    const bool sayDistinct = distinct && rng() % 2;
    if (seed % 2) {
      batch.WriteValues(section, writes, sayDistinct);
    } else {
      TIniSectionWriter writer(batch, section, sayDistinct);
      for (const TIniWrite &w : writes) writer.Write(w);
      writer.Finish();
    }
    ASSERT_EQ(batch.ToBytes(), single.ToBytes()) << "seed " << seed << "\n" << bytes;
    for (const std::string &k : keys)
      ASSERT_EQ(batch.ReadString(section, k, "-"), single.ReadString(section, k, "-")) << "seed " << seed;
  }
}

class IniSave : public TIniSaveFixture {};

TEST_F(IniSave, SavedBytesAreTheNormalFormWhateverTheFileLooksLike) {
  // Files in the normal form and in others (LF or CR ends, spaces, comments, raw lines, repeated
  // sections, a last line without end), long and short, with random edits: some values rewritten
  // with the text they had (a copy), others changed, deleted or added, new sections.
  const std::vector<std::string> ends = {"\r\n", "\r\n", "\n", "\r"};
  for (unsigned seed = 1; seed <= 60; ++seed) {
    std::mt19937 rng(seed);
    const bool normal = seed % 2;
    std::string bytes;
    std::vector<std::pair<std::string, std::string>> keyed; // section and key of each keyed line
    const int sections = 1 + static_cast<int>(rng() % 4);
    for (int s = 0; s < sections; ++s) {
      const std::string name = "Sec" + std::to_string(rng() % 3);
      const std::string end = normal ? "\r\n" : ends[rng() % ends.size()];
      if (!normal && rng() % 3 == 0) bytes += "; a note" + end;
      bytes += (normal ? "[" + name + "]" : " [" + name + "] ") + end;
      for (int l = static_cast<int>(rng() % 40); l > 0; --l) {
        const std::string key = "K" + std::to_string(rng() % 60);
        const std::string value = rng() % 9 == 0 ? std::string(200 + rng() % 5000, 'v') : "value " + key;
        if (!normal && rng() % 7 == 0)
          bytes += "raw " + key + end;
        else if (!normal && rng() % 4 == 0)
          bytes += "  " + key + " = " + value + " " + end;
        else
          bytes += key + "=" + value + end;
        keyed.emplace_back(name, key);
      }
      if (normal) bytes += "\r\n";
    }
    if (!normal && rng() % 2) bytes += "[Last]\r\nlast=1"; // no line end at all

    TIniFile ini;
    ini.LoadFromBytes(bytes);
    if (normal) {
      ASSERT_EQ(Saved(ini), bytes) << "seed " << seed; // unchanged: the file itself
    }
    for (int e = static_cast<int>(rng() % 12); e > 0 && !keyed.empty(); --e) {
      const auto &[section, key] = keyed[rng() % keyed.size()];
      switch (rng() % 5) {
      case 0:
        ini.WriteString(section, key, ini.ReadString(section, key)); // the same text, as a copy
        break;
      case 1:
        ini.WriteString(section, key, "changed " + std::to_string(e));
        break;
      case 2:
        ini.DeleteKey(section, key);
        break;
      case 3:
        ini.WriteString(section, "New" + std::to_string(e), "added");
        break;
      default:
        ini.WriteString("Fresh" + std::to_string(rng() % 2), "k", "v");
      }
    }
    ASSERT_EQ(Saved(ini), ini.ToBytes()) << "seed " << seed << "\n" << bytes;
  }
}

TEST_F(IniSave, ByteOrderMarkIsSkippedOnReadingAndNeverSaved) {
  const std::string path = (FDir / "marked.ini").string();
  const std::string text = "[A]\r\nk=v\r\n\r\n";
  ASSERT_TRUE(WriteFileAtomic(path, "\xEF\xBB\xBF" + text));
  TIniFile skipped, kept;
  ASSERT_TRUE(skipped.LoadFromFile(path, nullptr, true));
  ASSERT_TRUE(kept.LoadFromFile(path));
  EXPECT_EQ(skipped.ReadString("A", "k"), "v");
  EXPECT_EQ(*skipped.Bytes(), "\xEF\xBB\xBF" + text); // the file as read
  EXPECT_EQ(Saved(skipped), text);
  EXPECT_FALSE(kept.SectionExists("A")); // the mark is part of the first line then
}

} // namespace
