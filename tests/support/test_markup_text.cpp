// Text placed into markup: the signs of markup become references, the rest stays byte for byte.
#include "support/markup_text.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(MarkupText, SignsOfMarkupBecomeReferencesAndQuotesOnlyWhenAsked) {
  const std::string text = "a<b>&c \"d\" 'e' &amp; caf\xC3\xA9";
  std::string out = "<x>";
  AppendMarkupText(out, text);
  EXPECT_EQ(out, "<x>a&lt;b&gt;&amp;c \"d\" 'e' &amp;amp; caf\xC3\xA9"); // appended, nothing taken twice
  out.clear();
  AppendMarkupText(out, text, true);
  EXPECT_EQ(out, "a&lt;b&gt;&amp;c &quot;d&quot; 'e' &amp;amp; caf\xC3\xA9");
}

} // namespace
} // namespace vt
