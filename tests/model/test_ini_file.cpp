#include "model/ini_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>

using namespace vt;

TEST(IniRead, TrimmingCommentsSectionsAndRawLines) {
  TIniFile ini;
  ini.LoadFromBytes("ignored=before section\r\n"
                    "  [ Main ]  \n"
                    "; a comment\r"
                    "\t key one =  value = with = signs \t\r\n"
                    "\r\n"
                    "just text\n"
                    "=starts with equals\n"
                    "Empty=\n"
                    "[Other]\n"
                    "K=\x01v\x1f\n");
  ASSERT_EQ(ini.Sections().size(), 2u);
  EXPECT_EQ(ini.Sections()[0].Name, "Main");
  EXPECT_EQ(ini.ReadString("Main", "key one"), "value = with = signs");
  EXPECT_EQ(ini.ReadString("Other", "K"), "v"); // control bytes are trimmed like spaces
  EXPECT_FALSE(ini.KeyExists("Main", "ignored"));
  EXPECT_TRUE(ini.KeyExists("Main", "Empty"));
  EXPECT_EQ(ini.ReadString("Main", "Empty", "def"), "");
  EXPECT_EQ(ini.SectionKeys("Main"), (std::vector<std::string>{"key one", "Empty"}));
  // Lines without a key are kept and written back as they stand; comments and blanks are not.
  EXPECT_EQ(ini.ToBytes(), "[Main]\r\nkey one=value = with = signs\r\njust text\r\n=starts with equals\r\n"
                           "Empty=\r\n\r\n[Other]\r\nK=v\r\n\r\n");
}

TEST(IniRead, CaseInsensitiveLookUpFirstMatchWins) {
  TIniFile ini;
  ini.LoadFromBytes("[Sec]\nKey=first\nKEY=second\n[sec]\nKey=other section\n[\xC4]\nx=1\n");
  EXPECT_EQ(ini.ReadString("SEC", "key"), "first");
  EXPECT_TRUE(ini.HasDuplicateKeys());
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Sec", "sec", "\xC4"}));
  // Only ASCII letters fold.
  EXPECT_FALSE(ini.SectionExists("\xE4"));
  // Deleting the first match uncovers the next one.
  ini.DeleteKey("sec", "KEY");
  EXPECT_EQ(ini.ReadString("Sec", "Key"), "second");
  ini.WriteString("Sec", "key", "replaced");
  EXPECT_EQ(ini.ToBytes(),
            "[Sec]\r\nKEY=replaced\r\n\r\n[sec]\r\nKey=other section\r\n\r\n[\xC4]\r\nx=1\r\n\r\n");
}

TEST(IniWrite, ReplaceInPlaceAppendAndDelete) {
  TIniFile ini;
  ini.LoadFromBytes("[A]\na=1\nb=2\nc=3\n[B]\nx=9\n");
  ini.WriteString("A", "b", "two");
  ini.WriteString("A", "d", "4");
  ini.WriteString("New", "n", "v");
  ini.DeleteKey("A", "a");
  ini.DeleteKey("A", "missing");
  ini.DeleteKey("Missing", "a");
  ini.WriteInteger("B", "i", -42);
  ini.WriteBool("B", "flag", true);
  ini.WriteString("B", "multi", "line\r\nbreak"); // never splits into two lines
  EXPECT_EQ(ini.ToBytes(),
            "[A]\r\nb=two\r\nc=3\r\nd=4\r\n\r\n[B]\r\nx=9\r\ni=-42\r\nflag=1\r\nmulti=line  break\r\n\r\n"
            "[New]\r\nn=v\r\n\r\n");
  EXPECT_EQ(ini.ReadInteger("B", "i"), -42);
  EXPECT_TRUE(ini.ReadBool("B", "flag"));
  EXPECT_EQ(ini.ReadInteger("B", "x", 5), 9);
  EXPECT_EQ(ini.ReadInteger("B", "multi", 5), 5);
  // Sections() shows no trace of the deleted lines.
  ASSERT_NE(ini.FindSection("a"), nullptr);
  EXPECT_EQ(ini.FindSection("a")->Lines.size(), 3u);
  EXPECT_EQ(ini.FindLineIndex("A", "c"), 1);
  // Look-ups still work after the compaction.
  EXPECT_EQ(ini.ReadString("a", "D"), "4");
  ini.EraseSection("B");
  EXPECT_FALSE(ini.SectionExists("B"));
  EXPECT_EQ(ini.ReadString("New", "n"), "v");
  ini.AppendRawLine("A", "  free text  ");
  EXPECT_EQ(ini.FindSection("A")->Lines.back().Value, "free text");
  EXPECT_EQ(ini.FindSection("A")->Lines.back().Key, "");
}

TEST(IniWrite, ReadingTheOutputGivesTheSameFile) {
  TIniFile ini;
  ini.LoadFromBytes("[S]\n  k  =  v  \nraw\n[T]\n");
  const std::string once = ini.ToBytes();
  TIniFile again;
  again.LoadFromBytes(once);
  EXPECT_EQ(again.ToBytes(), once);
  EXPECT_EQ(again.ReadString("S", "k"), "v");
}

TEST(IniFileIo, LoadSaveAndRefuseMissingOrDirectory) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() /
                       ("vt_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                        std::to_string(reinterpret_cast<std::uintptr_t>(&dir)));
  fs::create_directories(dir);
  const std::string path = (dir / "a.ini").string();
  TIniFile ini(path);
  ini.WriteString("S", "k", "v");
  std::string error;
  ASSERT_TRUE(ini.Save(&error)) << error;
  TIniFile back;
  ASSERT_TRUE(back.LoadFromFile(path, &error)) << error;
  EXPECT_EQ(back.ReadString("S", "k"), "v");
  EXPECT_FALSE(back.LoadFromFile((dir / "missing.ini").string(), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(back.LoadFromFile(dir.string(), &error));
  fs::remove_all(dir);
}

TEST(IniScale, MillionKeysWithManyDeletesStayLinear) {
  std::string bytes;
  bytes.reserve(40u << 20);
  constexpr int kSections = 1000, kPerSection = 1000;
  for (int s = 0; s < kSections; ++s) {
    bytes += "[S" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < kPerSection; ++k)
      bytes += "Key" + std::to_string(k) + ".VC=value " + std::to_string(k) + "\r\n";
  }
  const auto start = std::chrono::steady_clock::now();
  TIniFile ini;
  ini.LoadFromBytes(bytes);
  // Delete every other key and rewrite the rest, as a save does.
  for (int s = 0; s < kSections; ++s) {
    const std::string sec = "s" + std::to_string(s);
    for (int k = 0; k < kPerSection; ++k) {
      const std::string key = "key" + std::to_string(k) + ".vc";
      if (k % 2)
        ini.DeleteKey(sec, key);
      else
        ini.WriteString(sec, key, "new");
    }
  }
  const std::string out = ini.ToBytes();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(ini.ReadString("S999", "Key998.VC"), "new");
  EXPECT_FALSE(ini.KeyExists("S999", "Key999.VC"));
  EXPECT_EQ(ini.FindSection("S500")->Lines.size(), 500u);
  EXPECT_LT(seconds, 20.0); // quadratic deletes would take hours here
}

TEST(IniRead, NameHashFoldsOnlyAsciiLetters) {
  // Every length around the eight-byte steps, and the bytes next to 'A' and 'Z'.
  std::string upper, lower;
  for (int i = 0; i < 40; ++i) {
    const char c = "AZ@[`{Mq0\xC4\xDA"[i % 11];
    upper += c;
    lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    EXPECT_EQ(IniNameHash(upper), IniNameHash(lower)) << i;
    EXPECT_TRUE(SameIniName(upper, lower));
  }
  EXPECT_NE(IniNameHash("\xC4"), IniNameHash("\xE4"));
  EXPECT_NE(IniNameHash("@"), IniNameHash("`"));
  EXPECT_NE(IniNameHash("a"), IniNameHash(std::string_view("a\0", 2)));
}

TEST(IniRead, LookUpsBeforeAndAfterTheKeyTableIsBuilt) {
  TIniFile ini;
  std::string bytes = "[Info]\nLang=de\n[Big]\n";
  for (int k = 0; k < 100; ++k) bytes += "K" + std::to_string(k) + "=" + std::to_string(k) + "\n";
  bytes += "k5=repeat\n";
  ini.LoadFromBytes(bytes);
  EXPECT_EQ(ini.ReadString("info", "LANG"), "de"); // small section: read without the table
  ini.WriteString("Info", "Added", "1");
  EXPECT_EQ(ini.ReadString("Big", "k5"), "5"); // first match, through the table
  EXPECT_TRUE(ini.HasDuplicateKeys());
  ini.WriteString("Info", "lang", "fr");
  EXPECT_EQ(ini.ReadString("INFO", "Lang"), "fr");
  EXPECT_EQ(ini.ReadString("Info", "added"), "1");
  ini.DeleteKey("Big", "K5");
  EXPECT_EQ(ini.ReadString("Big", "k5"), "repeat");
}

TEST(IniWrite, BatchWritesEqualWritesOneByOne) {
  // Random files (repeated keys, other cases, raw lines, keys in and out of order) and random
  // batches (repeats, deletes of missing keys, new sections) must give the same file as the
  // single writes, also when the batch follows the file's order exactly.
  const std::vector<std::string> keys = {"a.VC", "A.vc", "b.VC", "b.VC_?", "c.TC", "d.VH", "e.VI"};
  const std::vector<std::string> values = {"", "", "x", "y\r\nz", "[~]w"};
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    auto pick = [&](const std::vector<std::string> &pool) { return pool[rng() % pool.size()]; };
    std::string bytes;
    for (int s = 0; s < 3; ++s) {
      bytes += std::string("[") + "SsT"[rng() % 3] + "]\n";
      for (int l = static_cast<int>(rng() % 6); l > 0; --l)
        bytes += rng() % 5 == 0 ? "raw text\n" : pick(keys) + "=old\n";
    }
    TIniFile batch, single;
    batch.LoadFromBytes(bytes);
    single.LoadFromBytes(bytes);
    const std::string section = std::string(1, "SsTU"[rng() % 4]);
    std::vector<std::string> batchKeys;
    if (seed % 3 == 0) { // the section's own keys in order
      if (const TIniSection *sec = single.FindSection(section))
        for (const TIniLine &line : sec->Lines)
          if (!line.Key.empty()) batchKeys.push_back(line.Key);
    } else {
      for (int w = static_cast<int>(rng() % 6); w > 0; --w) batchKeys.push_back(pick(keys));
    }
    std::vector<std::string> batchValues;
    for (std::size_t w = 0; w < batchKeys.size(); ++w) batchValues.push_back(pick(values));
    std::vector<TIniWrite> writes;
    for (std::size_t w = 0; w < batchKeys.size(); ++w) {
      writes.push_back(TIniWrite{batchKeys[w], batchValues[w]});
      if (batchValues[w].empty())
        single.DeleteKey(section, batchKeys[w]);
      else
        single.WriteString(section, batchKeys[w], batchValues[w]);
    }
    batch.WriteValues(section, writes);
    ASSERT_EQ(batch.ToBytes(), single.ToBytes()) << "seed " << seed << "\n" << bytes;
    for (const std::string &k : keys)
      ASSERT_EQ(batch.ReadString(section, k, "-"), single.ReadString(section, k, "-"));
  }
}
