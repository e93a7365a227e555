// The batch commands change plain stored texts as bytes; over many generated projects, each command
// must leave exactly what the general way (decode, change, encode every text) leaves: the same
// stored texts, change flags, counts and lists of changed entries.
#include "client/core/batch_fixes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace vt {
namespace {

// Pieces of stored values: plain words in ASCII and UTF-8 (lower- and upper-case first letters,
// "ß", a surrogate pair stored as two sequences, a four-byte sequence), escapes, the separators of
// each kind, brackets, quotes, ampersands, full stops, control bytes and broken UTF-8.
constexpr std::array<std::string_view, 40> kPieces = {
    "a",
    "open",
    "File",
    "x",
    " ",
    "aa",
    "\xC3\xB6"
    "ffnen",
    "\xC3\x9F",
    "\xC3\x89t\xC3\xA9",
    "\xC7\x86",
    "\xCE\xAD",
    "\xED\xA0\x81\xED\xB0\xA8",
    "\xF0\x90\x90\xA8",
    "\xE2\x80\xA6",
    "\\n",
    "\\n",
    "\\\\",
    "\\t",
    "\\91",
    "\\13",
    "|",
    "|",
    "\",\"",
    "\"",
    "[",
    "]",
    "[?]",
    "&",
    "&&",
    "...",
    ".",
    ":",
    "1",
    "\r",
    "\n",
    "\xFF",
    "\xC3",
    "\xE0\x80\xAF",
    "a",
    "lt;&gt;",
};
constexpr std::array<std::string_view, 6> kPrefixes = {"", "", "[~]", "[?]", "[!~]", "["};
constexpr std::array<std::string_view, 7> kKinds = {"TC", "VC", "VH", "THF", "IT", "VI", "_CN"};

class TProjectMaker {
public:
  explicit TProjectMaker(unsigned seed) : FRng(seed) {}

  std::string Value(std::size_t maxPieces) {
    std::string s;
    const std::size_t n = Pick(maxPieces + 1);
    for (std::size_t i = 0; i < n; ++i) s += kPieces[Pick(kPieces.size())];
    if (Pick(3) == 0) s = "\"" + s + "\""; // quoted, as list items are stored
    return s;
  }

  // Sources come from a few values (with case changes) so that same-source copies happen.
  void Fill(TWordList &project, std::size_t entries) {
    std::vector<std::string> sources;
    for (int i = 0; i < 12; ++i) sources.push_back(Value(3));
    for (std::size_t i = 0; i < entries; ++i) {
      std::string source = sources[Pick(sources.size())];
      if (Pick(4) == 0 && !source.empty() && source[0] >= 'a' && source[0] <= 'z') source[0] -= 32;
      if (Pick(8) == 0) source = Value(4);
      const std::string_view kindName = kKinds[Pick(kKinds.size())];
      TWordObj *e = project.AddEntry(Pick(2) ? "TID_A" : "B", "n" + std::to_string(i % (entries - 3)),
                                     kindName, source);
      e->Index = static_cast<int32_t>(i);
      if (Pick(5) != 0) e->Translation = std::string(kPrefixes[Pick(kPrefixes.size())]) + Value(5);
      if (Pick(3) == 0) e->AutoText = Value(4);
    }
    project.Select("", "", 0, 0);
  }

private:
  std::size_t Pick(std::size_t n) { return FRng() % n; }
  std::mt19937 FRng;
};

struct TOutcome {
  int Result = 0;
  std::vector<int32_t> Changed; // load indexes of the listed entries
  std::vector<std::string> Translations;
  std::vector<bool> Flags;
  bool Modified = false;
};

// The selection a command works on: the whole list as listed, every other entry, or the whole
// list backwards (which the same-source groups of the list must not take for the list's order).
enum class TShape { All, EveryOther, Backwards };

TOutcome Run(unsigned seed, bool storedPaths, const std::function<int(TWordList &, TEntryList *)> &command,
             TShape shape = TShape::All) {
  TRef<TWordList> project(new TWordList);
  TProjectMaker(seed).Fill(*project, 400);
  if (shape != TShape::All) {
    const TEntryList all(project->Selection.begin(), project->Selection.end());
    TEntryList picked;
    for (std::size_t i = 0; i < all.size(); ++i)
      if (shape == TShape::Backwards || i % 2 == 0) picked.push_back(all[i]);
    if (shape == TShape::Backwards) std::reverse(picked.begin(), picked.end());
    project->ClearSelection();
    for (TWordObj *e : picked) project->Selection.Add(TRefObj::AddRef(e));
  }
  UseStoredTextPaths(storedPaths);
  TOutcome out;
  TEntryList changed;
  out.Result = command(*project, &changed);
  UseStoredTextPaths(true);
  for (const TWordObj *e : changed) out.Changed.push_back(e->Index);
  for (const TWordObj *e : project->Items) {
    out.Translations.push_back(e->Translation);
    out.Flags.push_back(e->Changed);
  }
  out.Modified = project->Modified;
  return out;
}

void ExpectSameBothWays(const char *name, const std::function<int(TWordList &, TEntryList *)> &command,
                        TShape shape = TShape::All) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    const TOutcome fast = Run(seed, true, command, shape), general = Run(seed, false, command, shape);
    SCOPED_TRACE(std::string(name) + " seed " + std::to_string(seed) + " shape " +
                 std::to_string(static_cast<int>(shape)));
    EXPECT_EQ(fast.Result, general.Result);
    EXPECT_EQ(fast.Changed, general.Changed);
    EXPECT_EQ(fast.Modified, general.Modified);
    ASSERT_EQ(fast.Translations.size(), general.Translations.size());
    for (std::size_t i = 0; i < fast.Translations.size(); ++i) {
      EXPECT_EQ(fast.Translations[i], general.Translations[i]) << "entry " << i;
      EXPECT_EQ(fast.Flags[i], general.Flags[i]) << "entry " << i;
    }
    if (testing::Test::HasFailure()) return;
  }
}

TEST(BatchFixesPathsTest, EditorCommandsOnStoredBytesMatchTheGeneralWay) {
  ExpectSameBothWays("capitalize",
                     [](TWordList &p, TEntryList *c) { return CaptilaizeSelectedList(p, true, c); });
  ExpectSameBothWays("capitalize, empty only",
                     [](TWordList &p, TEntryList *c) { return CaptilaizeSelectedList(p, false, c); });
  ExpectSameBothWays("mirror",
                     [](TWordList &p, TEntryList *c) { return ReplicateTrailingPeriods(p, true, c); });
  for (const TShape shape : {TShape::EveryOther, TShape::Backwards}) {
    ExpectSameBothWays(
        "capitalize", [](TWordList &p, TEntryList *c) { return CaptilaizeSelectedList(p, true, c); }, shape);
    ExpectSameBothWays(
        "mirror", [](TWordList &p, TEntryList *c) { return ReplicateTrailingPeriods(p, true, c); }, shape);
  }
}

TEST(BatchFixesPathsTest, ListCommandsOnStoredBytesMatchTheGeneralWay) {
  ExpectSameBothWays("set-auto", SetAutoTranslatedFlag);
  ExpectSameBothWays("set-query", SetQueryFlags);
  ExpectSameBothWays("set-warning", SetWarning);
  ExpectSameBothWays("copy-from-source", CopyFromSrcText);
  ExpectSameBothWays("remove-exact", RemoveExactTranslations);
  ExpectSameBothWays("add-test-char", AddUnicodeTestChar);
  ExpectSameBothWays("remove-test-char", RemoveUnicodeTestChar);
  ExpectSameBothWays("add-numbers", AddNumbers);
  ExpectSameBothWays("flag-auto", FlagAuto);
  for (const auto &[search, replacement] :
       std::vector<std::pair<std::u16string, std::u16string>>{{u"a", u"aa"},
                                                              {u"n", u"N"},
                                                              {u"\u00F6", u"oe"},
                                                              {u"\"", u"'"},
                                                              {u",", u"\",\""},
                                                              {u"a", u""},
                                                              {u"ff", u"\u00DF"},
                                                              {u"|", u"/"},
                                                              {u"\r\n", u" "},
                                                              {u"x", u"\\"}}) {
    ExpectSameBothWays("replace",
                       [&](TWordList &p, TEntryList *c) { return ReplaceText(p, search, replacement, c); });
  }
}

} // namespace
} // namespace vt
