#include "model/ids.h"
#include "model/text_helpers.h"

#include <gtest/gtest.h>

using namespace vt;

TEST(Identifiers, ComposeAndSplit) {
  EXPECT_EQ(Key("Panel1.Button1", "VC"), "Panel1.Button1.VC");
  EXPECT_EQ(ObjectId("Form1", "Panel1.Button1"), "Form1/Panel1.Button1");
  EXPECT_EQ(FullId("Form1", "Panel1.Button1", "VC"), "Form1/Panel1.Button1.VC");

  std::string name, kind;
  ASSERT_TRUE(SplitKey("Panel1.Button1.VC", name, kind));
  EXPECT_EQ(name, "Panel1.Button1");
  EXPECT_EQ(kind, "VC");
  // A developer note key is a hidden kind, not a VC entry.
  ASSERT_TRUE(SplitKey("Button1._!VC", name, kind));
  EXPECT_EQ(kind, "_!VC");
  EXPECT_TRUE(IsHiddenKind(kind));
  // A comment key would be a visible kind ending in "_?".
  ASSERT_TRUE(SplitKey("Button1.VC_?", name, kind));
  EXPECT_EQ(kind, "VC_?");
  EXPECT_FALSE(IsHiddenKind(kind));
}

TEST(Identifiers, KeysThatAreNoEntries) {
  std::string name = "keep", kind = "keep";
  for (const char *bad : {"NoDot", ".VC", "Button1.", "", "C:\\dir.x\\file", "a.b:c", "a.b\\"}) {
    EXPECT_FALSE(SplitKey(bad, name, kind)) << bad;
  }
}

TEST(Identifiers, KindsAndFilters) {
  EXPECT_TRUE(IsHintKind("VH"));
  EXPECT_TRUE(IsHintKind("THF"));
  EXPECT_FALSE(IsHintKind("TH"));
  EXPECT_FALSE(IsHintKind("vh"));
  EXPECT_EQ(TypeFilterKinds(TTypeFilter::All), "");
  EXPECT_EQ(TypeFilterKinds(TTypeFilter::Captions), "TC;VC");
  EXPECT_EQ(TypeFilterKinds(TTypeFilter::Hints), "THF;TH;TF;VH");
  EXPECT_EQ(TypeFilterKinds(TTypeFilter::ListItems), "VI;IT");
  EXPECT_EQ(TypeFilterKinds(TTypeFilter::Messages), "MG");
  // Untranslated includes automatic translations; Completed excludes them.
  EXPECT_EQ(StatusMask(TStatusFilter::Untranslated).States,
            StateBit(esUntranslated) | StateBit(esAutoTranslated));
  EXPECT_EQ(StatusMask(TStatusFilter::Completed).States, StateBit(esTranslated));
  EXPECT_EQ(StatusMask(TStatusFilter::Query).Flags, efQuery);
  EXPECT_EQ(StatusMask(TStatusFilter::Auto).States, StateBit(esAutoTranslated));
  EXPECT_EQ(StatusMask(TStatusFilter::Warnings).Flags, efWarning);
  EXPECT_EQ(StatusMask(TStatusFilter::NeedsWork).Flags, efNeedsWork);
  EXPECT_EQ(StatusMask(TStatusFilter::All).States, 0);
  EXPECT_EQ(StatusMask(TStatusFilter::All).Flags, 0);
}

TEST(TextHelpers, LineBreaksAndHints) {
  EXPECT_EQ(LineBreaksToBars(u"a\r\n\r\nb\nc\r"), u"a|b|c|");
  EXPECT_EQ(TrimTrailingLineBreaks(u"a\r\nb\r\n\n"), u"a\r\nb");
  EXPECT_EQ(TrimTrailingLineBreaks(u"\r\n\r"), u"");
  EXPECT_EQ(JoinHint(u"", u""), u"");
  EXPECT_EQ(JoinHint(u"s", u""), u"s");
  EXPECT_EQ(JoinHint(u"", u"l"), u"|l");
  EXPECT_EQ(JoinHint(u"s", u"l"), u"s|l");

  std::u16string s, l;
  EXPECT_TRUE(SplitHint(u"s|l|more", s, l));
  EXPECT_EQ(s, u"s");
  EXPECT_EQ(l, u"l|more");
  EXPECT_TRUE(SplitHint(u"|long", s, l));
  EXPECT_EQ(s, u"long");
  EXPECT_EQ(l, u"");
  EXPECT_FALSE(SplitHint(u"|", s, l));
  SplitAtBar(u"|long", s, l);
  EXPECT_EQ(s, u"");
  EXPECT_EQ(l, u"long");
  EXPECT_EQ(RemoveFirstAmpersand("&File && more"), "File && more");
}
