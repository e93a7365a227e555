// Skins: the list of definition files, binary and text definitions, naming and damaged files.
#include "skin_fixture.h"
#include "tools/error.h"
#include "tools/grab_session.h"
#include "tools/zlib_stream.h"

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::test;

TEST(Skin, DefinitionsBecomeNamedPseudoResources) {
  TTempDir dir("skin");
  const std::string skin = WriteSkin(dir);
  TGrabSession s;
  int refills = 0;
  s.OnFormListChanged = [&] { ++refills; };
  s.LoadGuiDefinitions(skin);
  EXPECT_EQ(s.FormList, (std::vector<std::string>{"Zt4_Actions__Zt4_Actions", "Tools__A.bui", "Tools__B.bui",
                                                  "Main_Tools__C.bui", "Plain__Plain.bui"}));
  EXPECT_EQ(refills, 1);
  // The root object takes the definition's name.
  auto lines = s.FormLines(s.FindForm("Main_Tools__C.bui"));
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->front(), "object Main_Tools: TToolComponentStore");
  EXPECT_EQ(s.FormLines(s.FindForm("Plain__Plain.bui"))->front(), "object Plain: TToolComponentStore");
  EXPECT_FALSE(s.FormLines(s.ResourceInfo.Count()));
  EXPECT_FALSE(s.FormLines(-1));
  EXPECT_EQ(s.FindForm("tools__A.bui"), -1);

  // A missing skin gives an empty list.
  s.LoadGuiDefinitions(dir.File("nothing.ini"));
  EXPECT_TRUE(s.FormList.empty());
  EXPECT_TRUE(s.ResourceInfo.Active());
}

TEST(Skin, DamagedDefinitionEndsLoadingKeepingEarlierOnes) {
  TTempDir dir("skinbad");
  const std::string skin = WriteSkin(dir);
  std::string broken = Deflate(ToolStore(u"Tools", "btnB", 7));
  broken.resize(broken.size() / 2);
  WriteBytes(dir.File("B.bui.lz"), broken);
  TGrabSession s;
  try {
    s.LoadGuiDefinitions(skin);
    FAIL();
  } catch (const EGrabError &e) {
    EXPECT_NE(std::string(e.what()).find("B.bui.lz"), std::string::npos);
  }
  EXPECT_EQ(s.ResourceInfo.Count(), 2);
  // A stream that is no binary form fails with the converter's message.
  WriteBytes(dir.File("B.bui.lz"), Deflate("not a form"));
  EXPECT_THROW(s.LoadGuiDefinitions(skin), EGrabError);
  // A text definition without an object header cannot be parsed.
  WriteBytes(dir.File("B.bui.lz"), Deflate(ToolStore(u"Tools", "btnB", 7)));
  WriteBytes(dir.File("Panel.dfm"), "garbage\r\n");
  EXPECT_THROW(s.LoadGuiDefinitions(skin), EGrabError);
}

TEST(Skin, TextDefinitionsAsEditorsSaveThem) {
  TTempDir dir("skintext");
  // A byte-order mark and blank lines before the header, the root's ContentName indented with a
  // tab and continued on a line of its own; a child's ContentName is not the root's.
  WriteBytes(dir.File("A.dfm"), "\xEF\xBB\xBF\r\n  \r\n\nobject Store1: TToolComponentStore\r\n"
                                "\tContentName =\r\n"
                                "\t\t'Edit ' +\r\n"
                                "\t\t'Tools'\r\n"
                                "  object actOpen: TAction\r\n"
                                "    ContentName = 'Inner'\r\n"
                                "  end\r\n"
                                "end\r\n");
  // Deeper than usual, and no ContentName of the root: the file's name stands in.
  WriteBytes(dir.File("B.dfm"), "\nobject Store2: TToolComponentStore\n"
                                "      Tag = 1\n"
                                "  object actOpen: TAction\n"
                                "    ContentName = 'Inner'\n"
                                "  end\n"
                                "end\n");
  WriteBytes(dir.File("C.dfm"), "object Store3: TToolComponentStore\n        ContentName = 'Deep'\nend\n");
  WriteBytes(dir.File("skin.ini"), "[GUI_Properties]\r\nCount=3\r\nG01=A.dfm\r\nG02=B.dfm\r\nG03=C.dfm\r\n");
  TGrabSession s;
  s.LoadGuiDefinitions(dir.File("skin.ini"));
  EXPECT_EQ(s.FormList, (std::vector<std::string>{"Edit_Tools__A", "B__B", "Deep__C"}));
  auto lines = s.FormLines(s.FindForm("Edit_Tools__A"));
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->front(), "object Edit_Tools: TToolComponentStore");
}

TEST(Skin, InflateIsBounded) {
  const std::string zeros(1 << 20, '\0');
  std::string out;
  EXPECT_TRUE(InflateZlib(Deflate(zeros), out));
  EXPECT_EQ(out.size(), zeros.size());
  EXPECT_FALSE(InflateZlib(Deflate(zeros), out, 1000));
  EXPECT_FALSE(InflateZlib("", out));
  EXPECT_FALSE(InflateZlib(Deflate(zeros).substr(0, 100), out));
}

TEST(Skin, RenameRootObjectKeepsKeywordAndPosition) {
  EXPECT_EQ(RenameRootObject("inherited Old: TX [2]\r\nend\r\n", "New"), "inherited New: TX [2]\r\nend\r\n");
  EXPECT_EQ(RenameRootObject("object TX\nend", "New"), "object New: TX\nend");
  EXPECT_EQ(RenameRootObject("no header", "New"), "no header");
}
