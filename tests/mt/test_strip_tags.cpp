#include "mt/result_box.h"
#include "mt/translator_web_utils.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(StripTags, KeepsTextOutsideMarkup) {
  EXPECT_EQ(StripTags("<string>Hallo Welt</string>"), "Hallo Welt");
  EXPECT_EQ(StripTags("<p>Tom &amp; Jerry</p>"), "Tom &amp; Jerry"); // entities are not decoded
  EXPECT_EQ(StripTags(""), "");
  EXPECT_EQ(StripTags("plain"), "plain");
  EXPECT_EQ(StripTags("<a><b>x</b>y</a>z"), "xyz");
}

TEST(StripTags, StrayClosingBracketSuppressesTheRest) {
  EXPECT_EQ(StripTags("<p>a > b</p>c"), "a /p");
  // The nesting counter returns to zero only when a "<" balances the stray ">".
  EXPECT_EQ(StripTags("x>y<z"), "xz");
  EXPECT_EQ(StripTags("<<a>b>c"), "c");
}

TEST(ExtractResultBox, ReadsTheElementUpToItsClosingDiv) {
  EXPECT_EQ(ExtractResultBox("<html><div id=\"result_box\" class=\"r\">Hola</div></html>"), "Hola");
  EXPECT_EQ(ExtractResultBox("<div id=\"result_box\">uno<br>dos</div>"), "uno\r\ndos");
  EXPECT_EQ(ExtractResultBox("<div id=\"result_box\"><span>A &amp; B</span></div>"), "A &amp; B");
  // The first mark wins; the first "</div" after it ends the text.
  EXPECT_EQ(ExtractResultBox("<p id=\"result_box\">one</p></div><div id=\"result_box\">two</div>"), "one");
}

TEST(ExtractResultBox, MissingMarksGiveNothing) {
  EXPECT_EQ(ExtractResultBox(""), "");
  EXPECT_EQ(ExtractResultBox("<div id=\"other\">x</div>"), "");
  EXPECT_EQ(ExtractResultBox("<div id=\"result_box\">no end"), "");
  EXPECT_EQ(ExtractResultBox("<div id='result_box'>single quotes</div>"), "");
}

} // namespace
} // namespace vt
