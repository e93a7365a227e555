// The client against the real mtserver and against small servers on loopback that misbehave.
#include "lngtool_runner.h"
#include "mt/translator_web_utils.h"
#include "mtserver_suite.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>

namespace vt {
namespace {

using Clock = std::chrono::steady_clock;

class WebClientTest : public testing::MtServerSuite<> {
protected:
  static void TearDownTestSuite() {
    EXPECT_EQ(Server->Stop(), 0) << "mtserver did not stop cleanly on SIGTERM";
    MtServerSuite::TearDownTestSuite();
  }
  static std::u16string Translate(std::string_view text, std::string_view to) {
    return TranslateText(text, to, Server->Url());
  }
};

TEST_F(WebClientTest, TranslatesEnglishIntoSpanish) {
  const std::u16string r = Translate("Open the file", "es");
  ASSERT_FALSE(r.empty());
  EXPECT_NE(r, u"Open the file");
  EXPECT_EQ(r.find(u'<'), std::u16string::npos);
  // An unknown word comes back as it was, without the engine's marks.
  const std::u16string unknown = Translate("Open xyzzyq", "es");
  EXPECT_NE(unknown.find(u"xyzzyq"), std::u16string::npos);
  EXPECT_EQ(unknown.find(u"*"), std::u16string::npos);
}

TEST_F(WebClientTest, EveryInstalledPairAnswers) {
  for (const char *lang : {"ca", "gl", "eo"}) {
    const std::u16string r = Translate("The big dog", lang);
    EXPECT_FALSE(r.empty()) << lang;
    EXPECT_EQ(r.find(u"ExceptionMethod"), std::u16string::npos) << lang;
  }
}

TEST_F(WebClientTest, ErrorAnswersReadAsExceptionText) {
  const std::u16string unsupported = Translate("Hello", "de");
  EXPECT_NE(unsupported.find(u"TranslateApiExceptionMethod"), std::u16string::npos);
  EXPECT_NE(unsupported.find(u"en-de"), std::u16string::npos);
  const std::u16string tooLong = Translate(std::string(6000, 'a'), "es");
  EXPECT_NE(tooLong.find(u"TranslateApiExceptionMethod"), std::u16string::npos);
  EXPECT_NE(tooLong.find(u"too long"), std::u16string::npos);
  const std::u16string empty = Translate("", "es");
  EXPECT_NE(empty.find(u"Missing text"), std::u16string::npos);
}

// English to English echoes the text, which shows exactly what reached the server.
TEST_F(WebClientTest, TextReachesTheServerAsTheCallerWroteIt) {
  EXPECT_EQ(Translate("Save As", "en"), u"Save As");
  EXPECT_EQ(Translate("caf%E9", "en"), u"caf\u00E9");  // prepared Western byte
  EXPECT_EQ(Translate("caf\xE9", "en"), u"caf\u00E9"); // raw Western byte
  EXPECT_EQ(Translate("Gr\xC3\xBC\xC3\x9F"
                      "e",
                      "en"),
            u"Gr\u00FC\u00DFe"); // UTF-8
  EXPECT_EQ(Translate("Press #1 \"now\" 'ok'", "en"), u"Press #1 \"now\" 'ok'");
  EXPECT_EQ(Translate("100% done", "en"), u"100% done");
  EXPECT_EQ(Translate("%25E9", "en"), u"%E9"); // decoded once only
  EXPECT_EQ(Translate("C++", "en"), u"C++");
  // Markup characters come back escaped, and the client does not decode entities.
  EXPECT_EQ(Translate("a<b", "en"), u"a&lt;b");
}

TEST_F(WebClientTest, NoServerGivesEmptyAtOnce) {
  const auto start = Clock::now();
  bool unreachable = false;
  EXPECT_EQ(TranslateText("Hello", "es", "http://127.0.0.1:1", {}, &unreachable), u"");
  EXPECT_TRUE(unreachable);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(FetchUrl("file:///etc/passwd"), ""); // web addresses only
  EXPECT_EQ(FetchUrl("not a url"), "");
}

// A small server of our own for the answers the real service never gives.
class TOddServer {
public:
  TOddServer() {
    Server.Get("/big", [](const httplib::Request &, httplib::Response &res) {
      std::string body = "<string>";
      body.append(3u << 20, 'x');
      body += "</string>";
      res.set_content(body, "text/xml");
    });
    Server.Get("/gone", [](const httplib::Request &, httplib::Response &res) {
      res.status = 404;
      res.set_content("<p>not here</p>", "text/html");
    });
    Server.Get(R"(/v2/Http.svc/Translate)", [](const httplib::Request &, httplib::Response &res) {
      res.set_content("<string>caf\xE9</string>", "text/xml"); // not UTF-8
    });
    FPort = Server.bind_to_any_port("127.0.0.1");
    FThread = std::thread([this] { Server.listen_after_bind(); });
    while (!Server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ~TOddServer() {
    Server.stop();
    FThread.join();
  }
  std::string Url(const char *path) const { return "http://127.0.0.1:" + std::to_string(FPort) + path; }

private:
  httplib::Server Server;
  int FPort = 0;
  std::thread FThread;
};

TEST(FetchUrl, ReadsBodiesWhateverTheirSizeOrStatus) {
  TOddServer odd;
  const std::string big = FetchUrl(odd.Url("/big"));
  ASSERT_EQ(big.size(), (3u << 20) + 17);
  EXPECT_EQ(StripTags(big).size(), 3u << 20);
  EXPECT_EQ(FetchUrl(odd.Url("/gone")), "<p>not here</p>");
  // Over the body cap the answer is a failure, not a truncated text.
  TFetchLimits small;
  small.MaxBodyBytes = 1u << 20;
  bool unreachable = true;
  EXPECT_EQ(FetchUrl(odd.Url("/big"), small, &unreachable), "");
  EXPECT_FALSE(unreachable); // the server answered, however unusably
  // A body that is not UTF-8 gives no translation.
  unreachable = true;
  EXPECT_EQ(TranslateText("x", "es", odd.Url(""), {}, &unreachable), u"");
  EXPECT_FALSE(unreachable);
}

TEST(FetchUrl, SilentServerEndsWithinTheBound) {
  // Accepts connections (the kernel does) but never answers.
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
  ASSERT_EQ(listen(fd, 4), 0);
  socklen_t len = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
  const std::string host = "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port));
  TFetchLimits limits;
  limits.TotalTimeoutMs = 800;
  const auto start = Clock::now();
  bool unreachable = false;
  EXPECT_EQ(TranslateText("Hello", "es", host, limits, &unreachable), u"");
  EXPECT_TRUE(unreachable); // a time-out counts as not reached
  const auto took = Clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(700));
  EXPECT_LT(took, std::chrono::milliseconds(3000));
  close(fd);
}

TEST_F(WebClientTest, LngtoolTranslatesLineByLine) {
  auto [code, out] = test::LngtoolWithErrors("translate --to en --host " + Server->Url() +
                                             " \"$(printf 'first line\\nsecond')\"");
  EXPECT_EQ(code, 0) << out;
  EXPECT_EQ(out, "first line\nsecond\n");
  // The whole text reaches the service: signs that would end or change the query value included.
  // (Markup signs come back as character references, which the client leaves as they are.)
  auto [ampCode, ampOut] = test::LngtoolWithErrors("translate --to en --host " + Server->Url() +
                                                   " 'Salt & pepper, a+b=c #1 100%25 %E9 caf\xC3\xA9'");
  EXPECT_EQ(ampCode, 0) << ampOut;
  EXPECT_EQ(ampOut, "Salt &amp; pepper, a+b=c #1 100%25 %E9 caf\xC3\xA9\n");
  auto [badCode, badOut] = test::LngtoolWithErrors("translate --to xx --host " + Server->Url() + " Hello");
  EXPECT_EQ(badCode, 1);
  EXPECT_NE(badOut.find("Unsupported language pair"), std::string::npos) << badOut;
  EXPECT_EQ(badOut.find('\n'), badOut.size() - 1) << "one line expected: " << badOut;
}

} // namespace
} // namespace vt
