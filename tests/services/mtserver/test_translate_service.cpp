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
  static void SetUpTestSuite() { engine_ = new ApertiumEngine(); }
  static void TearDownTestSuite() {
    delete engine_;
    engine_ = nullptr;
  }
  static ServiceReply Ask(const std::string &query) { return HandleTranslate(query, *engine_); }
  static inline ApertiumEngine *engine_ = nullptr;
};

TEST_F(TranslateServiceTest, InstalledPairsAreOffered) {
  const std::vector<std::string> expected{"ca", "eo", "es", "gl"};
  EXPECT_EQ(engine_->Targets(), expected) << "install the Apertium pairs with scripts/install-deps.sh";
  EXPECT_EQ(engine_->ReverseSources(), expected);
  EXPECT_EQ(HandleLanguages(*engine_).body, "{\"from\":\"en\",\"targets\":[\"ca\",\"eo\",\"es\",\"gl\"],"
                                            "\"reverse\":[\"ca\",\"eo\",\"es\",\"gl\"]}\n");
}

TEST_F(TranslateServiceTest, AnswersAMarkupDocumentWithEscapedText) {
  const ServiceReply r = Ask(kApp + "&text=The%20dog%20%3C%26%3E%20xyzzyq&from=en&to=es");
  EXPECT_EQ(r.status, 200);
  ASSERT_EQ(r.body.rfind("<string>", 0), 0u) << r.body;
  EXPECT_NE(r.body.find("&lt;&amp;&gt;"), std::string::npos) << r.body;
  EXPECT_NE(r.body.find(" xyzzyq</string>"), std::string::npos) << r.body;
  EXPECT_EQ(StripTags(r.body).find("dog"), std::string::npos) << r.body;
}

TEST_F(TranslateServiceTest, ReservedSignsOfTheEngineComeBackAsText) {
  // "~" is the engine's own mark in its last stage; "[" and "]" open and close its blank blocks.
  const ServiceReply r = Ask(kApp + "&text=Press%20~%20to%20open%20%5Bx%5D%20qqx~zzq&from=en&to=es");
  ASSERT_EQ(r.status, 200);
  const std::string text = StripTags(r.body);
  EXPECT_NE(text.find(" ~ "), std::string::npos) << text;
  EXPECT_NE(text.find("[x]"), std::string::npos) << text;
  EXPECT_NE(text.find("qqx~zzq"), std::string::npos) << text;
  EXPECT_EQ(text.find("Press"), std::string::npos) << text; // translated all the same
}

TEST_F(TranslateServiceTest, KeepsLineBreaksAndBlankLines) {
  const ServiceReply r = Ask(kApp + "&text=Open%0D%0A%0D%0ASave&from=en&to=es");
  ASSERT_EQ(r.status, 200);
  const std::string text = StripTags(r.body);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
  EXPECT_NE(text.find("\r\n\r\n"), std::string::npos) << text;
}

TEST_F(TranslateServiceTest, RefusesBadRequestsWithAnExceptionPage) {
  struct Case {
    std::string query;
    const char *says;
  };
  const std::vector<Case> cases = {
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
  for (const Case &c : cases) {
    const ServiceReply r = Ask(c.query);
    EXPECT_EQ(r.status, 400) << c.query;
    const std::string text = StripTags(r.body);
    EXPECT_NE(text.find("TranslateApiExceptionMethod"), std::string::npos) << r.body;
    EXPECT_NE(text.find(c.says), std::string::npos) << r.body;
  }
  // Exactly the longest text is still accepted.
  EXPECT_EQ(Ask(kApp + "&text=" + std::string(kMaxTextBytes, 'a') + "&from=en&to=en").status, 200);
}

TEST_F(TranslateServiceTest, ReverseModeDetectsTheSourceLanguage) {
  const ServiceReply es = Ask(kApp + "&text=Guardar%20el%20archivo%20en%20la%20carpeta&from=auto&to=en");
  ASSERT_EQ(es.status, 200) << es.body;
  EXPECT_EQ(es.detected_language, "es");
  const ServiceReply eo = Ask(kApp + "&text=La%20granda%20hundo%20manĝas&from=auto&to=en");
  ASSERT_EQ(eo.status, 200) << eo.body;
  EXPECT_EQ(eo.detected_language, "eo");
  const ServiceReply explicit_source = Ask(kApp + "&text=Obre%20el%20fitxer&from=ca&to=en");
  EXPECT_EQ(explicit_source.status, 200);
  EXPECT_TRUE(explicit_source.detected_language.empty());
}

TEST_F(TranslateServiceTest, ConcurrentRequestsGetTheirOwnAnswers) {
  const std::vector<std::string> words = {"house", "dog", "water", "book", "table", "window"};
  std::vector<std::string> expected;
  for (const std::string &w : words) expected.push_back(Ask(kApp + "&text=" + w + "&to=es").body);
  std::vector<std::thread> threads;
  std::vector<int> wrong(words.size(), 0);
  for (size_t t = 0; t < words.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 20; ++i) {
        const size_t k = (t + static_cast<size_t>(i)) % words.size();
        if (Ask(kApp + "&text=" + words[k] + "&to=es").body != expected[k]) ++wrong[t];
      }
    });
  }
  for (auto &th : threads) th.join();
  for (size_t t = 0; t < words.size(); ++t) EXPECT_EQ(wrong[t], 0) << "thread " << t;
}

} // namespace
} // namespace vt::mtserver
