// The manual tree: its line format, cover pages, partial and broken files, and trees too deep for a
// recursive walk.
#include "support/help_node.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vt;

namespace {

std::unique_ptr<THelpNode> Parse(const std::vector<std::string_view> &lines, std::size_t &pos,
                                 std::string *error = nullptr) {
  return ParseHelpTree(lines, pos, error);
}

std::unique_ptr<THelpNode> Parse(const std::vector<std::string_view> &lines) {
  std::size_t pos = 0;
  return Parse(lines, pos);
}

std::vector<std::string> List(const THelpNode &node) {
  std::vector<std::string> out;
  node.ListNodes(out);
  return out;
}

} // namespace

TEST(HelpNode, FolderWithOnePage) {
  std::size_t pos = 0;
  const std::vector<std::string_view> lines{"[", "T=Manual", "<", "F=intro.htm",  "T=Introduction",
                                            ">", "]",        "[", "T=Second tree"};
  auto root = Parse(lines, pos);
  ASSERT_TRUE(root);
  EXPECT_EQ(pos, 7u); // after the line that closed the root
  EXPECT_FALSE(root->IsPage);
  EXPECT_EQ(root->Title, "Manual");
  ASSERT_EQ(root->ChildCount(), 1u);
  THelpNode *page = root->Child(0);
  EXPECT_TRUE(page->IsPage);
  EXPECT_EQ(page->Parent, root.get());
  EXPECT_EQ(root->Child(1), nullptr);
  EXPECT_EQ(List(*root), (std::vector<std::string>{"=Manual", "intro.htm=Introduction"}));
  // The next call reads the next tree; unclosed, it ends with the lines.
  auto second = Parse(lines, pos);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Title, "Second tree");
  EXPECT_EQ(pos, lines.size());
}

TEST(HelpNode, KeyLinesAndLinesThatChangeNothing) {
  auto root = Parse({"T=before any node", "<", "D=a.htm", "T=", "K=alpha beta", "X=1", "  T=indented",
                     "Q=other letter", "T", "t=lower case", "T=Title ", "F=b.htm", ">"});
  ASSERT_TRUE(root);
  EXPECT_TRUE(root->IsPage);
  EXPECT_EQ(root->PageFile, "b.htm"); // "F=" after "D=" replaces it
  EXPECT_EQ(root->Title, "Title ");   // never trimmed
  EXPECT_EQ(root->Keywords, "alpha beta");
  EXPECT_TRUE(root->Marked);
  EXPECT_EQ(root->ChildCount(), 0u);
  // Either closing character closes either kind; the rest of an opening line is ignored.
  auto mixed = Parse({"[folder text", "T=F", "<page text", "F=p.htm", "]", "T=back in F", ">"});
  ASSERT_TRUE(mixed);
  EXPECT_EQ(mixed->Title, "back in F");
  EXPECT_EQ(mixed->Child(0)->PageFile, "p.htm");
}

TEST(HelpNode, CoverPagesMergeIntoTheirParent) {
  auto root = Parse({"[", "T=Manual", "F=old.htm", "K=old", "<", "F=@cover.htm", "T=Cover", ">", "<",
                     "F=intro.htm", "T=Intro", ">", "]"});
  ASSERT_TRUE(root);
  EXPECT_EQ(List(*root), (std::vector<std::string>{"@cover.htm=Cover", "intro.htm=Intro"}));
  EXPECT_EQ(root->Keywords, ""); // empty values replace too

  // The rule looks at the name after the last "/" or "\"; a page below the cover goes with it.
  auto nested = Parse({"[", "T=A", "<", "F=pages\\@start.htm", "T=Start", "<", "F=lost.htm", "T=Lost", ">",
                       ">", "<", "F=docs/@end.htm", "T=End", ">", "<", "F=a@b/x.htm", "T=X", ">", "]"});
  ASSERT_TRUE(nested);
  EXPECT_EQ(List(*nested), (std::vector<std::string>{"docs/@end.htm=End", "a@b/x.htm=X"}));
  // A folder is no cover page, whatever its file.
  auto folder = Parse({"[", "T=A", "[", "F=@folder.htm", "T=B", "]", "]"});
  ASSERT_TRUE(folder);
  EXPECT_EQ(List(*folder), (std::vector<std::string>{"=A", "@folder.htm=B"}));
}

TEST(HelpNode, BrokenAndPartialFiles) {
  std::size_t pos = 0;
  EXPECT_EQ(Parse({"]", "[", "T=A", "]"}, pos), nullptr);
  EXPECT_EQ(pos, 1u);
  pos = 0;
  EXPECT_EQ(Parse({}, pos), nullptr);
  EXPECT_EQ(Parse({"T=A", "", "K=x"}), nullptr);
  // Unclosed nodes end as far as they were built, the inner ones attached to their parents.
  auto open = Parse({"[", "T=A", "[", "T=B", "<", "F=c.htm", "T=C"});
  ASSERT_TRUE(open);
  EXPECT_EQ(List(*open), (std::vector<std::string>{"=A", "=B", "c.htm=C"}));
  // An unclosed cover page still merges.
  auto cover = Parse({"[", "T=A", "<", "F=@c.htm", "T=C"});
  ASSERT_TRUE(cover);
  EXPECT_EQ(List(*cover), (std::vector<std::string>{"@c.htm=C"}));
}

TEST(HelpNode, LinesSplitAtEveryLineEndAndAreNotTrimmed) {
  EXPECT_EQ(SplitHelpLines("[\rT=A \r\n<\nF=x\r\r>"),
            (std::vector<std::string_view>{"[", "T=A ", "<", "F=x", "", ">"}));
  EXPECT_TRUE(SplitHelpLines("").empty());
  const std::string text = "[\rT=Manual\r<\rF=intro.htm\rT=Introduction\r>\r]\r";
  const auto lines = SplitHelpLines(text);
  std::size_t pos = 0;
  auto root = ParseHelpTree(lines, pos);
  ASSERT_TRUE(root);
  EXPECT_EQ(List(*root), (std::vector<std::string>{"=Manual", "intro.htm=Introduction"}));
}

TEST(HelpNode, NestingIsBoundedAndDeepTreesFreeWithoutRecursion) {
  std::vector<std::string_view> lines(kMaxHelpTreeDepth, "[");
  std::size_t pos = 0;
  std::string error = "stale";
  auto deepest = Parse(lines, pos, &error);
  ASSERT_TRUE(deepest);
  EXPECT_TRUE(error.empty());
  std::size_t depth = 1;
  for (const THelpNode *n = deepest.get(); n->ChildCount(); n = n->Child(0)) ++depth;
  EXPECT_EQ(depth, kMaxHelpTreeDepth);

  lines.assign(100000, "[");
  pos = 0;
  EXPECT_EQ(Parse(lines, pos, &error), nullptr);
  EXPECT_EQ(error, "Manual tree nested deeper than 256 levels at line 257");
  EXPECT_EQ(pos, 257u);

  // A tree built in code has no bound: listing and freeing it must not use the call stack.
  auto root = std::make_unique<THelpNode>();
  THelpNode *tip = root.get();
  for (int i = 0; i < 1000000; ++i) tip = tip->AddChild(std::make_unique<THelpNode>(true));
  tip->Title = "leaf";
  std::vector<std::string> listed;
  root->ListNodes(listed);
  EXPECT_EQ(listed.size(), 1000001u);
  EXPECT_EQ(listed.back(), "=leaf");
  root.reset();
}

TEST(HelpNode, AddChildTakesOnlyRealChildren) {
  THelpNode parent;
  EXPECT_EQ(parent.AddChild(nullptr), nullptr);
  EXPECT_EQ(parent.ChildCount(), 0u);
  std::unique_ptr<THelpNode> self(&parent);
  EXPECT_EQ(parent.AddChild(std::move(self)), nullptr); // neither taken nor freed
  EXPECT_EQ(parent.ChildCount(), 0u);
  auto *a = parent.AddChild(std::make_unique<THelpNode>());
  auto *b = parent.AddChild(std::make_unique<THelpNode>(true));
  EXPECT_EQ(parent.ChildCount(), 2u);
  EXPECT_EQ(parent.Child(0), a);
  EXPECT_EQ(parent.Child(1), b);
  EXPECT_EQ(b->Parent, &parent);
  EXPECT_TRUE(b->IsPage);
}
