// Saving takes sections still as read, whose bytes are their normal form, straight from the buffer:
// checked against the file composed line by line, over files of many shapes and random edits.
#include "ini_save_fixture.h"
#include "model/ini_file.h"
#include "support/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <unistd.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

// A random ini text: mostly the normal form, with sections here and there that are not (other line
// ends, spaces around "=", comments, extra or missing empty lines, raw lines, repeated sections and
// keys, a last line without an end, lines before the first section).
std::string RandomIniText(std::mt19937 &rng, std::vector<std::pair<std::string, std::string>> &keyed) {
  const auto odd = [&](unsigned in) { return rng() % in == 0; };
  std::string text;
  if (odd(6)) text += "loose=line\r\n";
  if (odd(8)) text += "\r\n";
  const int sections = 1 + static_cast<int>(rng() % 6);
  for (int s = 0; s < sections; ++s) {
    const std::string name = "Sec" + std::to_string(rng() % 4);
    const std::string end = odd(5) ? (odd(2) ? "\n" : "\r") : "\r\n";
    text += (odd(12) ? " [" + name + "]" : odd(12) ? "[ " + name + "]" : "[" + name + "]") + end;
    for (int l = static_cast<int>(rng() % 12); l > 0; --l) {
      const std::string key = (odd(2) ? "K" : "k") + std::to_string(rng() % 10);
      const std::string lineEnd = odd(15) ? "\n" : end;
      switch (rng() % 16) {
      case 0:
        text += "; comment" + lineEnd;
        break;
      case 1:
        text += "raw " + key + lineEnd;
        break;
      case 2:
        text += key + " = v " + key + lineEnd;
        break;
      case 3:
        text += key + "=" + lineEnd;
        break;
      case 4:
        text += "=" + key + lineEnd;
        break;
      case 5:
        text += lineEnd;
        break;
      case 6:
        text += "\t" + key + "=tab" + lineEnd;
        break;
      case 7:
        text += key + " =before" + lineEnd;
        break;
      case 8:
        text += key + "= after" + lineEnd;
        break;
      default:
        text += key + "=value " + std::to_string(rng() % 100) + lineEnd;
      }
      keyed.emplace_back(name, key);
    }
    if (!odd(6)) text += end;
    if (odd(10)) text += end;
  }
  if (odd(4)) text += "[Last]\r\nlast=1"; // no line end at all
  return text;
}

class IniWholeSections : public TIniSaveFixture {};

TEST_F(IniWholeSections, SavedBytesEqualTheFileComposedLineByLine) {
  for (unsigned seed = 1; seed <= 400; ++seed) {
    std::mt19937 rng(seed);
    std::vector<std::pair<std::string, std::string>> keyed;
    const std::string text = RandomIniText(rng, keyed);
    TIniFile ini;
    ini.LoadFromBytes(text);
    // Saving to disk (pieces handed to the file) for some, the same pieces in memory for all.
    const bool toDisk = seed % 16 == 0;
    if (toDisk) {
      ASSERT_EQ(Saved(ini), ini.ComposedBytes()) << "seed " << seed << "\n" << text;
    }
    ASSERT_EQ(ini.ToBytes(), ini.ComposedBytes()) << "seed " << seed << "\n" << text;
    for (int round = 0; round < 3; ++round) {
      for (int e = static_cast<int>(rng() % 6); e > 0; --e) {
        const auto [section, key] =
            keyed.empty() ? std::pair<std::string, std::string>("Sec0", "K0") : keyed[rng() % keyed.size()];
        switch (rng() % 8) {
        case 0:
          ini.WriteString(section, key, ini.ReadString(section, key) + ""); // the same text, a copy
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
        case 4:
          ini.AppendRawLine(section, "raw appended");
          break;
        case 5:
          ini.EraseSection(section);
          break;
        case 6: {
          // In order, as a project writes a section: the values the lines view already, one changed.
          const TIniSection *sec = ini.FindSection(section);
          if (!sec) break;
          std::vector<TIniWrite> writes;
          for (const TIniLine &line : sec->Lines)
            if (!line.Key.empty()) writes.push_back(TIniWrite{line.Key, line.Value});
          if (!writes.empty()) writes[rng() % writes.size()].Value = "in order";
          ini.WriteValues(section, writes, !ini.HasDuplicateKeys());
          break;
        }
        default:
          ini.WriteString("Fresh" + std::to_string(rng() % 2), "k", "v");
        }
      }
      if (toDisk) {
        ASSERT_EQ(Saved(ini), ini.ComposedBytes()) << "seed " << seed << " round " << round;
      }
      ASSERT_EQ(ini.ToBytes(), ini.ComposedBytes()) << "seed " << seed << " round " << round << "\n" << text;
    }
  }
}

TEST_F(IniWholeSections, FileInTheNormalFormIsSavedAsReadAndTheStampFollowsChanges) {
  const std::string text = "[A]\r\nk=1\r\nraw\r\n\r\n[B]\r\nx=2\r\n\r\n";
  TIniFile ini;
  ini.LoadFromBytes(text);
  EXPECT_EQ(Saved(ini), text);
  const std::uint64_t read = ini.ChangeStamp();
  // Reading, and writing a value its line views already, change nothing.
  ini.WriteValues("A", {TIniWrite{"k", *ini.FindValue("A", "k")}});
  EXPECT_EQ(ini.ReadString("B", "x"), "2");
  EXPECT_EQ(ini.ChangeStamp(), read);
  ini.WriteString("B", "x", "3");
  EXPECT_NE(ini.ChangeStamp(), read);
  EXPECT_EQ(Saved(ini), "[A]\r\nk=1\r\nraw\r\n\r\n[B]\r\nx=3\r\n\r\n");
  // Another file never shares a stamp with this one.
  TIniFile other;
  other.LoadFromBytes(text);
  EXPECT_NE(other.ChangeStamp(), ini.ChangeStamp());
}

} // namespace
