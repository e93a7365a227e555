// The service's answers on the real Apertium engine.
#include "mt/translator_web_utils.h"
#include "services/mtserver/query_text.h"
#include "services/mtserver/translate_service.h"

#include <gtest/gtest.h>
#include <thread>

namespace vt::mtserver {
namespace {

const std::string kApp = "appId=" + std::string(kTranslatorAppId);

TEST(QueryText, DecodesOnceWithAWesternFallBack) {
  EXPECT_EQ(DecodeQueryText("caf%E9"), "caf\xC3\xA9");
  EXPECT_EQ(DecodeQueryText("caf%C3%A9"), "caf\xC3\xA9");
  EXPECT_EQ(DecodeQueryText("%80%9F"), "\xE2\x82\xAC\xC5\xB8"); // euro sign, Y with diaeresis
  EXPECT_EQ(DecodeQueryText("%25E9"), "%E9");
  EXPECT_EQ(DecodeQueryText("a+b"), "a+b");
  const auto q = ParseRawQuery("text=a%26b&to=es&to=ca&flag&=x&%74o2=y");
  EXPECT_EQ(q.at("text"), "a%26b"); // values stay raw until decoded once
  EXPECT_EQ(q.at("to"), "es");      // the first occurrence wins
  EXPECT_EQ(q.at("flag"), "");
  EXPECT_EQ(q.at("to2"), "y");
}

class TranslateServiceTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { FEngine = new TApertiumEngine(); }
  static void TearDownTestSuite() {
    delete FEngine;
    FEngine = nullptr;
  }
  static TServiceReply Ask(const std::string &query) { return HandleTranslate(query, *FEngine); }
  static inline TApertiumEngine *FEngine = nullptr;
};

TEST_F(TranslateServiceTest, InstalledPairsAreOffered) {
  const std::vector<std::string> expected{"ca", "eo", "es", "gl"};
  EXPECT_EQ(FEngine->Targets(), expected) << "install the Apertium pairs with scripts/install-deps.sh";
  EXPECT_EQ(FEngine->ReverseSources(), expected);
  EXPECT_EQ(HandleLanguages(*FEngine).Body, "{\"from\":\"en\",\"targets\":[\"ca\",\"eo\",\"es\",\"gl\"],"
                                            "\"reverse\":[\"ca\",\"eo\",\"es\",\"gl\"]}\n");
}

TEST_F(TranslateServiceTest, AnswersAMarkupDocumentWithEscapedText) {
  const TServiceReply r = Ask(kApp + "&text=The%20dog%20%3C%26%3E%20xyzzyq&from=en&to=es");
  EXPECT_EQ(r.Status, 200);
  ASSERT_EQ(r.Body.rfind("<string>", 0), 0u) << r.Body;
  EXPECT_NE(r.Body.find("&lt;&amp;&gt;"), std::string::npos) << r.Body;
  EXPECT_NE(r.Body.find(" xyzzyq</string>"), std::string::npos) << r.Body;
  EXPECT_EQ(StripTags(r.Body).find("dog"), std::string::npos) << r.Body;
}

TEST_F(TranslateServiceTest, ReservedSignsOfTheEngineComeBackAsText) {
  // "~" is the engine's own mark in its last stage; "[" and "]" open and close its blank blocks.
  const TServiceReply r = Ask(kApp + "&text=Press%20~%20to%20open%20%5Bx%5D%20qqx~zzq&from=en&to=es");
  ASSERT_EQ(r.Status, 200);
  const std::string text = StripTags(r.Body);
  EXPECT_NE(text.find(" ~ "), std::string::npos) << text;
  EXPECT_NE(text.find("[x]"), std::string::npos) << text;
  EXPECT_NE(text.find("qqx~zzq"), std::string::npos) << text;
  EXPECT_EQ(text.find("Press"), std::string::npos) << text; // translated all the same
}

TEST_F(TranslateServiceTest, KeepsLineBreaksAndBlankLines) {
  const TServiceReply r = Ask(kApp + "&text=Open%0D%0A%0D%0ASave&from=en&to=es");
  ASSERT_EQ(r.Status, 200);
  const std::string text = StripTags(r.Body);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
  EXPECT_NE(text.find("\r\n\r\n"), std::string::npos) << text;
}

TEST_F(TranslateServiceTest, RefusesBadRequestsWithAnExceptionPage) {
  struct TCase {
    std::string Query;
    const char *Says;
  };
  const std::vector<TCase> cases = {
      {"text=a&from=en&to=es", "Invalid appId"},
      {"appId=0000&text=a&from=en&to=es", "Invalid appId"},
      {kApp + "&from=en&to=es", "Missing text"},
      {kApp + "&text=&from=en&to=es", "Missing text"},
      {kApp + "&text=" + std::string(kMaxTextBytes + 1, 'a') + "&from=en&to=es", "Text too long"},
      {kApp + "&text=a&from=en&to=de", "Unsupported language pair en-de"},
      {kApp + "&text=a&from=en&to=%3Cscript%3E", "Unsupported language pair en-?"},
      {kApp + "&text=a&from=es&to=ca", "Unsupported language pair es-ca"},
      {kApp + "&text=a&from=en", "Unsupported language pair en-?"},
  };
  for (const TCase &c : cases) {
    const TServiceReply r = Ask(c.Query);
    EXPECT_EQ(r.Status, 400) << c.Query;
    const std::string text = StripTags(r.Body);
    EXPECT_NE(text.find("TranslateApiExceptionMethod"), std::string::npos) << r.Body;
    EXPECT_NE(text.find(c.Says), std::string::npos) << r.Body;
  }
  // Exactly the longest text is still accepted.
  EXPECT_EQ(Ask(kApp + "&text=" + std::string(kMaxTextBytes, 'a') + "&from=en&to=en").Status, 200);
}

TEST_F(TranslateServiceTest, ReverseModeDetectsTheSourceLanguage) {
  const TServiceReply es = Ask(kApp + "&text=Guardar%20el%20archivo%20en%20la%20carpeta&from=auto&to=en");
  ASSERT_EQ(es.Status, 200) << es.Body;
  EXPECT_EQ(es.DetectedLanguage, "es");
  const TServiceReply eo = Ask(kApp + "&text=La%20granda%20hundo%20manĝas&from=auto&to=en");
  ASSERT_EQ(eo.Status, 200) << eo.Body;
  EXPECT_EQ(eo.DetectedLanguage, "eo");
  const TServiceReply explicitSource = Ask(kApp + "&text=Obre%20el%20fitxer&from=ca&to=en");
  EXPECT_EQ(explicitSource.Status, 200);
  EXPECT_TRUE(explicitSource.DetectedLanguage.empty());
}

TEST_F(TranslateServiceTest, ConcurrentRequestsGetTheirOwnAnswers) {
  const std::vector<std::string> words = {"house", "dog", "water", "book", "table", "window"};
  std::vector<std::string> expected;
  for (const std::string &w : words) expected.push_back(Ask(kApp + "&text=" + w + "&to=es").Body);
  std::vector<std::thread> threads;
  std::vector<int> wrong(words.size(), 0);
  for (size_t t = 0; t < words.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 20; ++i) {
        const size_t k = (t + static_cast<size_t>(i)) % words.size();
        if (Ask(kApp + "&text=" + words[k] + "&to=es").Body != expected[k]) ++wrong[t];
      }
    });
  }
  for (auto &th : threads) th.join();
  for (size_t t = 0; t < words.size(); ++t) EXPECT_EQ(wrong[t], 0) << "thread " << t;
}

} // namespace
} // namespace vt::mtserver
