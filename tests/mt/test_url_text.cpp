#include "mt/result_box.h"
#include "mt/url_text.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(EncodeUrlText, KeepsOnlyUnreservedCharacters) {
  EXPECT_EQ(EncodeUrlText("Save As"), "Save%20As");
  EXPECT_EQ(EncodeUrlText("a&b"), "a%26b");
  EXPECT_EQ(EncodeUrlText("\xE9"), "%E9");
  EXPECT_EQ(EncodeUrlText("AZaz09-._~"), "AZaz09-._~");
  EXPECT_EQ(EncodeUrlText("%E9/+#\n"), "%25E9%2F%2B%23%0A");
  EXPECT_EQ(EncodeUrlText(std::string("\0\xFF", 2)), "%00%FF");
}

TEST(EscapeUnsafeUrlBytes, EncodesOnlyWhatCannotStandInAUrl) {
  EXPECT_EQ(EscapeUnsafeUrlBytes("Save As"), "Save%20As");
  EXPECT_EQ(EscapeUnsafeUrlBytes("caf%E9"), "caf%E9"); // existing sequences stay
  EXPECT_EQ(EscapeUnsafeUrlBytes("caf\xE9"), "caf%E9");
  EXPECT_EQ(EscapeUnsafeUrlBytes("a#b\"c'd"), "a%23b%22c%27d");
  EXPECT_EQ(EscapeUnsafeUrlBytes("tab\there\r\n"), "tab%09here%0D%0A");
  EXPECT_EQ(EscapeUnsafeUrlBytes("100%"), "100%25");
  EXPECT_EQ(EscapeUnsafeUrlBytes("50%zz"), "50%25zz");
  EXPECT_EQ(EscapeUnsafeUrlBytes("a&b=c+d/e"), "a&b=c+d/e"); // passed as the caller wrote it
}

TEST(PercentDecode, DecodesEachSequenceOnce) {
  EXPECT_EQ(PercentDecode("Save%20As"), "Save As");
  EXPECT_EQ(PercentDecode("%25E9"), "%E9");
  EXPECT_EQ(PercentDecode("%e9"), "\xE9");
  EXPECT_EQ(PercentDecode("C++"), "C++");
  EXPECT_EQ(PercentDecode("50%"), "50%");
  EXPECT_EQ(PercentDecode("%4"), "%4");
  EXPECT_EQ(PercentDecode("%G1"), "%G1");
}

TEST(TranslatorPageAddress, FragmentForEachMode) {
  EXPECT_EQ(BuildTranslatorPageAddress("http://h/translate", "es", false, "Save As"),
            "http://h/translate?ie=UTF-8&hl=en&tab=wT#en/es/Save%20As");
  EXPECT_EQ(BuildTranslatorPageAddress("http://h/translate", "", false, "a&b"),
            "http://h/translate?ie=UTF-8&hl=en&tab=wT#en/en/a%26b");
  EXPECT_EQ(BuildTranslatorPageAddress("http://h/translate", "es", true, "Guardar"),
            "http://h/translate?ie=UTF-8&hl=en&tab=wT#auto/en/Guardar");
  // A byte already prepared as "%E9" is encoded once more.
  EXPECT_EQ(BuildTranslatorPageAddress("p", "es", false, "caf%E9"), "p?ie=UTF-8&hl=en&tab=wT#en/es/caf%25E9");
}

} // namespace
} // namespace vt
