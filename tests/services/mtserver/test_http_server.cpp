// The HTTP front in-process, and the program as a user starts and stops it.
#include "mt/translator_web_utils.h"
#include "mtserver_process.h"
#include "services/mtserver/mt_http_server.h"

#include <httplib.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

namespace vt::mtserver {
namespace {

class HttpServerTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    FEngine = new TApertiumEngine();
    FServer = new TMtHttpServer(*FEngine, TServerOptions{"127.0.0.1", 0});
    FPort = FServer->Bind();
    ASSERT_GT(FPort, 0);
    FThread = new std::thread([] { FServer->Run(); });
  }
  static void TearDownTestSuite() {
    FServer->Stop();
    FThread->join();
    delete FThread;
    delete FServer;
    delete FEngine;
  }
  static httplib::Client Client() {
    httplib::Client c("127.0.0.1", FPort);
    c.set_read_timeout(10, 0);
    return c;
  }
  static inline TApertiumEngine *FEngine = nullptr;
  static inline TMtHttpServer *FServer = nullptr;
  static inline std::thread *FThread = nullptr;
  static inline int FPort = 0;
};

TEST_F(HttpServerTest, ServesTheTranslatorPageWithItsResultElement) {
  auto res = Client().Get("/translate?ie=UTF-8&hl=en&tab=wT");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
  const size_t box = res->body.find("id=\"result_box\"");
  ASSERT_NE(box, std::string::npos);
  EXPECT_NE(res->body.find("</div", box), std::string::npos);
  EXPECT_EQ(res->body.find("id=\"result_box\"", box + 1), std::string::npos) << "the mark must be unique";
  EXPECT_NE(res->body.find(std::string(kTranslatorAppId)), std::string::npos);
  // Text is written as text, never as markup.
  EXPECT_EQ(res->body.find("innerHTML"), std::string::npos);
}

TEST_F(HttpServerTest, TranslatesAndListsLanguages) {
  const std::string path =
      "/v2/Http.svc/Translate?appId=" + std::string(kTranslatorAppId) + "&text=Save%20As&from=auto&to=en";
  auto res = Client().Get(path);
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(res->body.rfind("<string>", 0), 0u);
  EXPECT_TRUE(res->has_header("X-Detected-Language"));
  auto langs = Client().Get("/languages");
  ASSERT_TRUE(langs);
  EXPECT_NE(langs->body.find("\"es\""), std::string::npos);
}

TEST_F(HttpServerTest, OversizedRequestsAreRefused) {
  const std::string path = "/v2/Http.svc/Translate?appId=" + std::string(kTranslatorAppId) +
                           "&text=" + std::string(20000, 'a') + "&from=en&to=es";
  auto res = Client().Get(path);
  ASSERT_TRUE(res);
  EXPECT_GE(res->status, 400);
  auto unknown = Client().Get("/etc/passwd");
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->status, 404);
  EXPECT_EQ(unknown->body.find("root:"), std::string::npos);
}

TEST(MtServerProgram, StopsCleanlyOnSigterm) {
  vt::testing::TMtServerProcess p;
  ASSERT_TRUE(p.Start(VT_MTSERVER_PROGRAM)) << p.Log();
  httplib::Client c("127.0.0.1", p.port());
  c.set_read_timeout(10, 0);
  auto res = c.Get("/languages");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(p.Stop(std::chrono::seconds(3)), 0) << p.Log();
  EXPECT_NE(p.Log().find("mtserver: stopped"), std::string::npos) << p.Log();
}

TEST(MtServerProgram, PortFileThatCannotBeWrittenEndsTheProgram) {
  // Whoever waits for the port file would wait for ever: the program says why and exits 1.
  const std::string missing = "/nonexistent-vt-folder/port";
  const std::string cmd = std::string("timeout 20 ") + VT_MTSERVER_PROGRAM +
                          " --port 0 --preload es --port-file " + missing + " 2>&1";
  FILE *pipe = popen(cmd.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buf[512];
  while (std::size_t n = fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
  const int status = pclose(pipe);
  EXPECT_EQ(WEXITSTATUS(status), 1) << out;
  EXPECT_NE(out.find("Unable to save file: " + missing), std::string::npos) << out;
  EXPECT_EQ(out.find("listening"), std::string::npos) << out;
}

} // namespace
} // namespace vt::mtserver
