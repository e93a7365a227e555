// Texts on their way to the machine translators: cleaning, byte preparation and the
// line-by-line "Auto Translate" run with a translator that answers as a real service can.
#include "client/core/machine_text.h"

#include <gtest/gtest.h>

using namespace vt;

TEST(CleanMachineText, RemovesMarksInOrder) {
  EXPECT_EQ(CleanMachineText("....."), ""); // "..." first leaves "..", which goes next
  EXPECT_EQ(CleanMachineText("...."), "."); // "..." leaves one point, which no pass takes
  EXPECT_EQ(CleanMachineText("&Open..."), "Open");
  EXPECT_EQ(CleanMachineText("File:"), "File");
  EXPECT_EQ(CleanMachineText("Save && Exit: a..b"), "Save  Exit ab");
  EXPECT_EQ(CleanMachineText("Ratio 1.5"), "Ratio 1.5");
  EXPECT_EQ(CleanMachineText(""), "");
}

TEST(MachineRequestText, StripLowersAsciiOnly) {
  EXPECT_EQ(MachineRequestText("File:", false), "File");
  EXPECT_EQ(MachineRequestText("File:", true), "file");
  // 201 is "É" in the Western code page: lower-casing leaves it, preparation encodes it.
  EXPECT_EQ(MachineRequestText("\xC9T\xC9:", true), "%C9t%C9");
}

TEST(PrepareMachineText, EncodesHighBytesDropsQuotesAndLineFeeds) {
  EXPECT_EQ(PrepareMachineText("caf\xE9"), "caf%E9");
  EXPECT_EQ(PrepareMachineText("\x91quoted\x92"), "quoted");
  EXPECT_EQ(PrepareMachineText("a\r\nb"), "a\rb");
  EXPECT_EQ(PrepareMachineText("\x80\xFF\x93"), "%80%FF%93");
  EXPECT_EQ(PrepareMachineText("100% sure?"), "100% sure?");
}

TEST(GoogleRequestText, WholeOriginalAsOneText) {
  // A hint pair stays one request; its line feed is dropped, its carriage return kept.
  EXPECT_EQ(GoogleRequestText(u"&Open...\r\nOpens a caf\u00e9 file", true), "open\ropens a caf%E9 file");
  EXPECT_EQ(GoogleRequestText(u"\u2018Quote\u2019", false), "Quote");
  // The reverse request is the translation as it stands, in UTF-8.
  EXPECT_EQ(ReverseRequestText(u"Caf\u00e9: &Abrir..."), "Caf\xC3\xA9: &Abrir...");
}

TEST(EditorLineBreaks, EveryBreakBecomesCrLf) {
  EXPECT_EQ(EditorLineBreaks(u"Open\nOpens a file"), u"Open\r\nOpens a file");
  EXPECT_EQ(EditorLineBreaks(u"a\r\nb\rc\n\nd"), u"a\r\nb\r\nc\r\n\r\nd");
  EXPECT_EQ(EditorLineBreaks(u"\n"), u"\r\n");
  EXPECT_EQ(EditorLineBreaks(u"plain"), u"plain");
  // What the editor hands over no longer runs the lines together on the way to the translator.
  EXPECT_EQ(GoogleRequestText(EditorLineBreaks(u"Open\nOpens a file"), false), "Open\rOpens a file");
}

TEST(MemoLines, SplitAndAppend) {
  using L = std::vector<std::u16string>;
  EXPECT_EQ(SplitMemoLines(u"a\r\nb\nc\rd"), (L{u"a", u"b", u"c", u"d"}));
  EXPECT_EQ(SplitMemoLines(u"a\r\n\r\nb\r\n"), (L{u"a", u"", u"b"}));
  EXPECT_EQ(SplitMemoLines(u""), L{});
  EXPECT_EQ(AppendMemoLine(u"", u"uno"), u"uno");
  EXPECT_EQ(AppendMemoLine(u"uno", u"dos"), u"uno\r\ndos");
  EXPECT_EQ(AppendMemoLine(u"uno\r\n", u"dos"), u"uno\r\ndos");
}

namespace {

struct TCall {
  std::string Text, Target;
  friend bool operator==(const TCall &, const TCall &) = default;
};

// A translator that records its requests and answers from a table; unknown texts fail.
struct TRecordingTranslator {
  std::vector<TCall> Calls;
  std::vector<std::pair<std::string, std::u16string>> Answers;
  TTranslateFn Fn() {
    return [this](const std::string &text, const std::string &target) {
      Calls.push_back({text, target});
      for (const auto &[q, a] : Answers)
        if (q == text) return a;
      return std::u16string();
    };
  }
};

} // namespace

TEST(AutoTranslateLines, HintPairLineByLine) {
  TRecordingTranslator t;
  t.Answers = {{"open", u"abrir"}, {"opens a file", u"abre un archivo"}};
  std::vector<std::u16string> sunk;
  const auto lines = AutoTranslateLines(u"&Open...\r\nOpens a file", true, "es", t.Fn(),
                                        [&](const std::u16string &l) { sunk.push_back(l); });
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"abrir", u"abre un archivo"}));
  EXPECT_EQ(sunk, lines);
  EXPECT_EQ(t.Calls, (std::vector<TCall>{{"open", "es"}, {"opens a file", "es"}}));
}

TEST(AutoTranslateLines, FailuresFallBackErrorsAreDroppedEmptyLinesSkipped) {
  TRecordingTranslator t;
  t.Answers = {{"Good", u"Bueno"}, {"Broken", u"TranslateApiExceptionMethod: bad language"}, {"Empty", u""}};
  const auto lines = AutoTranslateLines(u"Good\n\nBroken\r\nCaf\u00e9 Menu:\n\nEmpty", false, "xx", t.Fn());
  // The failed line comes back as its prepared text, high byte encoded.
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"Bueno", u"Caf%E9 Menu", u"Empty"}));
  EXPECT_EQ(t.Calls.size(), 4u); // empty lines are never sent
}

TEST(AutoTranslateLines, NothingToSendOrNoTranslator) {
  TRecordingTranslator t;
  EXPECT_TRUE(AutoTranslateLines(u"\r\n\r\n", true, "es", t.Fn()).empty());
  EXPECT_TRUE(t.Calls.empty());
  // A line that cleans to nothing is still sent, and an empty fallback gives no line.
  EXPECT_TRUE(AutoTranslateLines(u"...", true, "es", t.Fn()).empty());
  EXPECT_EQ(t.Calls, (std::vector<TCall>{{"", "es"}}));
  EXPECT_EQ(AutoTranslateLines(u"Plain", true, "es", TTranslateFn()),
            (std::vector<std::u16string>{u"plain"}));
}
