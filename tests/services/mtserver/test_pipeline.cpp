#include "services/mtserver/apertium_engine.h"
#include "services/mtserver/apertium_pipeline.h"

#include <chrono>
#include <gtest/gtest.h>

namespace vt::mtserver {
namespace {

TEST(ParseModeScript, SplitsStagesAndFillsTheMarksOption) {
  auto stages =
      ParseModeScript("lt-proc -z '/a b/x.bin' | apertium-tagger -z -g $2 'p' | lt-proc -z $1 'g'\n", "-n");
  ASSERT_TRUE(stages);
  ASSERT_EQ(stages->size(), 3u);
  EXPECT_EQ((*stages)[0], (TCommand{"lt-proc", "-z", "/a b/x.bin"}));
  EXPECT_EQ((*stages)[1], (TCommand{"apertium-tagger", "-z", "-g", "p"}));
  EXPECT_EQ((*stages)[2], (TCommand{"lt-proc", "-z", "-n", "g"}));
}

TEST(ParseModeScript, RefusesEverythingAShellWouldInterpret) {
  for (const char *script : {"a; rm x", "a && b", "a > /tmp/x", "a < f", "a `id`", "a $(id)", "a $HOME",
                             "a 'open", "a | | b", "| a", "a *", "a \"q\"", ""}) {
    EXPECT_FALSE(ParseModeScript(script, "-n")) << script;
  }
}

TEST(ApertiumText, EscapesReservedCharactersAndControls) {
  EXPECT_EQ(EscapeForApertium("a*b [c] $d^ /e @f <g> {h} #i \\k"),
            "a\\*b \\[c\\] \\$d\\^ \\/e \\@f \\<g\\> \\{h\\} \\#i \\\\k");
  // "~" travels in a blank block, which comes back as the sign alone.
  EXPECT_EQ(EscapeForApertium("Press ~ to x~y"), "Press [~] to x[~]y");
  EXPECT_EQ(UnescapeApertium(EscapeForApertium("~ a~b \\[x] ~"), nullptr), "~ a~b \\[x] ~");
  EXPECT_EQ(EscapeForApertium(std::string("a\0b\tc\x7F", 6)), "a b c ");
}

TEST(ApertiumText, UnescapesAndDropsUnknownWordMarks) {
  int marks = 0;
  EXPECT_EQ(UnescapeApertium("Un *xyzzy y #casa @perro", &marks), "Un xyzzy y casa perro");
  EXPECT_EQ(marks, 3);
  marks = 0;
  // Escaped and free-standing signs are text, not marks.
  EXPECT_EQ(UnescapeApertium("3 \\* 4 = 12 * 1 \\/ \\@home", &marks), "3 * 4 = 12 * 1 / @home");
  EXPECT_EQ(marks, 0);
  EXPECT_EQ(UnescapeApertium("trailing\\", nullptr), "trailing\\");
  // A word right after a blank block can carry a mark too; an open block ends with the answer.
  EXPECT_EQ(UnescapeApertium("*x[~]*y [\\]~", &marks), "x~y ]~");
  EXPECT_EQ(marks, 2);
}

// The plumbing with plain programs standing in for the engine's stages.
TEST(TApertiumPipeline, AnswersSegmentAfterSegmentWithOneSetOfProcesses) {
  // cat writes at once, as the engine's stages do after each NUL.
  TApertiumPipeline p({{"cat"}, {"cat"}, {"cat"}}, 5000);
  EXPECT_EQ(p.Process("hello"), "hello\n");
  EXPECT_TRUE(p.Running());
  EXPECT_EQ(p.Process("second"), "second\n");
  // Larger than a pipe's buffer: written and read at the same time.
  const std::string big(300000, 'x');
  const auto answer = p.Process(big);
  ASSERT_TRUE(answer);
  EXPECT_TRUE(*answer == big + "\n") << answer->size();
}

TEST(TApertiumPipeline, SilentStageIsStoppedAfterTheTimeOut) {
  TApertiumPipeline p({{"sleep", "30"}}, 300);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(p.Process("x"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_FALSE(p.Running());
}

TEST(TApertiumPipeline, RestartsAfterAStageEnds) {
  // head ends after its first 4 bytes: the second call fails, the third runs on a new pipeline.
  TApertiumPipeline p({{"head", "-c", "4"}}, 2000);
  EXPECT_FALSE(p.Process("abcdefgh"));
  EXPECT_FALSE(p.Running());
  EXPECT_EQ(p.Process("ab"), "ab\n"); // exactly four bytes with the end marks
  TApertiumPipeline missing({{"vt-no-such-program"}}, 2000);
  EXPECT_FALSE(missing.Process("x"));
  TApertiumPipeline cat({{"cat"}}, 2000);
  EXPECT_EQ(cat.Process("ok"), "ok\n");
}

} // namespace
} // namespace vt::mtserver
