// "Auto Translate" line by line against the real mtserver on loopback: a hint pair gives two
// Spanish lines, a service that cannot be reached gives the cleaned source, error answers give none.
#include "client/core/machine_text.h"
#include "mt/translator_web_utils.h"
#include "mtserver_suite.h"

#include <gtest/gtest.h>

using namespace vt;

namespace {

class AutoTranslateService : public vt::testing::MtServerSuite<> {
protected:
  static TTranslateFn Via(const std::string &host) {
    return [host](const std::string &text, const std::string &target) {
      TFetchLimits limits;
      limits.ConnectTimeoutMs = limits.TotalTimeoutMs = 5000;
      return TranslateText(text, target, host, limits);
    };
  }
};

} // namespace

TEST_F(AutoTranslateService, HintPairTranslatedLineByLine) {
  std::vector<std::u16string> appended;
  const auto lines =
      AutoTranslateLines(u"&Open the picture...\r\nShows the picture in the viewer:", true, "es",
                         Via(Server->Url()), [&](const std::u16string &l) { appended.push_back(l); });
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(appended, lines);
  for (const auto &l : lines) {
    EXPECT_FALSE(l.empty());
    EXPECT_EQ(l.find(u"ExceptionMethod"), std::u16string::npos);
    EXPECT_EQ(l.find(u'&'), std::u16string::npos);
  }
  EXPECT_NE(lines[0], u"open the picture"); // Spanish, not the cleaned English
  EXPECT_NE(lines[1], u"shows the picture in the viewer");
  // English to English shows exactly what the cleaning sent.
  EXPECT_EQ(AutoTranslateLines(u"&Caf\u00e9 Menu:", false, "en", Via(Server->Url())),
            (std::vector<std::u16string>{u"Caf\u00e9 Menu"}));
}

TEST_F(AutoTranslateService, UnreachableServiceFallsBackErrorsAreDropped) {
  // Nothing listens on port 1: each line falls back to its cleaned, prepared text.
  EXPECT_EQ(AutoTranslateLines(u"Save &As...\nDelete:", true, "es", Via("http://127.0.0.1:1")),
            (std::vector<std::u16string>{u"save as", u"delete"}));
  // A language the service does not have: its error answers are not translations.
  EXPECT_TRUE(AutoTranslateLines(u"Open\r\nClose", true, "de", Via(Server->Url())).empty());
  // A line that cleans to nothing draws an error answer and is dropped; the rest stays.
  const auto mixed = AutoTranslateLines(u"...\r\nOpen", true, "es", Via(Server->Url()));
  ASSERT_EQ(mixed.size(), 1u);
  EXPECT_FALSE(mixed[0].empty());
}
