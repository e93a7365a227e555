// The ini dialect's lines as views of the file's one buffer: what stays a view, what owns its text,
// and saving in pieces (values longer than the write block included).
#include "model/ini_file.h"
#include "support/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

bool Inside(std::string_view text, const std::string &buffer) {
  return text.data() >= buffer.data() && text.data() + text.size() <= buffer.data() + buffer.size();
}

TEST(IniViews, LinesViewTheBufferUntilWritten) {
  TIniFile ini;
  ini.LoadFromBytes("; note\r\n[Main]\r\n  key = value \r\nraw line\r[Other]\nk=v\n");
  const std::string &bytes = *ini.Bytes();
  const TIniSection *main = ini.FindSection("main");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->Name.IsView());
  EXPECT_TRUE(Inside(main->Name, bytes));
  ASSERT_EQ(main->Lines.size(), 2u);
  EXPECT_TRUE(main->Lines[0].Key.IsView() && Inside(main->Lines[0].Key, bytes));
  EXPECT_EQ(main->Lines[0].Value, "value");
  EXPECT_TRUE(Inside(main->Lines[0].Value, bytes));
  EXPECT_EQ(main->Lines[1].Value, "raw line");

  // Writing the very bytes a line views copies nothing; another value gets a copy of its own.
  const TCompactText *v = ini.FindValue("Main", "KEY");
  ini.WriteValues("Main", {TIniWrite{"key", *v}});
  EXPECT_TRUE(ini.FindValue("Main", "key")->IsView());
  ini.WriteString("Main", "key", "new\r\nvalue");
  EXPECT_FALSE(ini.FindValue("Main", "key")->IsView());
  EXPECT_EQ(ini.ReadString("Main", "key"), "new  value");
  ini.WriteString("New", "n", "1");
  EXPECT_EQ(ini.ToBytes(),
            "[Main]\r\nkey=new  value\r\nraw line\r\n\r\n[Other]\r\nk=v\r\n\r\n[New]\r\nn=1\r\n\r\n");
  // The buffer as read never changes.
  EXPECT_EQ(bytes, "; note\r\n[Main]\r\n  key = value \r\nraw line\r[Other]\nk=v\n");
}

TEST(IniViews, SaveWritesInPiecesAndLongValuesWhole) {
  const fs::path dir = fs::temp_directory_path() / ("vt_ini_views_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "big.ini").string();
  TIniFile ini(path);
  std::string expected;
  const std::string longValue(3 << 20, 'x'); // longer than one write block
  for (int s = 0; s < 40; ++s) {
    const std::string section = "S" + std::to_string(s);
    expected += "[" + section + "]\r\n";
    for (int k = 0; k < 2000; ++k) {
      const std::string value = k == 1000 && s == 7 ? longValue : "value " + std::to_string(k);
      ini.WriteString(section, "k" + std::to_string(k), value);
      expected += "k" + std::to_string(k) + "=" + value + "\r\n";
    }
    expected += "\r\n";
  }
  ASSERT_TRUE(ini.Save());
  std::string written;
  ASSERT_TRUE(ReadFileBytes(path, written));
  EXPECT_EQ(written, expected);
  EXPECT_EQ(written, ini.ToBytes());

  // A folder that does not exist: false with a message, nothing written.
  std::string error;
  EXPECT_FALSE(ini.SaveToFile((dir / "missing" / "x.ini").string(), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(fs::exists(dir / "missing"));
  fs::remove_all(dir);
}

// Written texts share the file's store up to a bound, then own copies: rewriting every value many
// times over (more than the bound) keeps each line right, through a move and a fresh read too.
TEST(IniViews, TextsRewrittenBeyondTheStoresRoomStayRight) {
  TIniFile ini;
  std::string file = "[S]\r\n";
  for (int k = 0; k < 1000; ++k) file += "k" + std::to_string(k) + "=v\r\n";
  ini.LoadFromBytes(file);
  const auto valueOf = [](int k, int round) {
    return std::string(900, static_cast<char>('a' + round % 26)) + std::to_string(k);
  };
  constexpr int kRounds = 30; // about 27 MB written, beyond the room of a small file
  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::string> values;
    std::vector<TIniWrite> writes;
    for (int k = 0; k < 1000; ++k) values.push_back(valueOf(k, round));
    std::vector<std::string> keys;
    for (int k = 0; k < 1000; ++k) keys.push_back("k" + std::to_string(k));
    for (int k = 0; k < 1000; ++k) writes.push_back(TIniWrite{keys[k], values[k]});
    ini.WriteValues("S", writes, true);
    ini.WriteString("S", "added" + std::to_string(round), values[round]);
  }
  TIniFile moved(std::move(ini));
  for (int k = 0; k < 1000; k += 7) {
    const TCompactText *value = moved.FindValue("S", "K" + std::to_string(k));
    ASSERT_NE(value, nullptr);
    EXPECT_FALSE(value->IsView()); // the file's own text: readers copy it
    EXPECT_EQ(*value, valueOf(k, kRounds - 1));
  }
  EXPECT_EQ(moved.ReadString("S", "added3"), valueOf(3, 3));
  const std::string bytes = moved.ToBytes();
  EXPECT_EQ(bytes, moved.ComposedBytes());
  TIniFile again;
  again.LoadFromBytes(bytes);
  EXPECT_EQ(again.ReadString("S", "k999"), valueOf(999, kRounds - 1));
}

} // namespace
