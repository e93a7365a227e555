// Sending a report: the upload to a real HTTP receiver on loopback (body, answer, refusals, a
// receiver that is absent or silent), and the mailto: address.
#include "crash/crash_send.h"
#include "report_receiver.h"

#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vt {
namespace {

TEST(CrashUpload, PostsTheTextAndShowsTheAnswer) {
  test::TReportReceiver receiver;
  const std::string text = "What the user was doing:\nsaving\n\nCrash report of transclient 1.01\n\xC3\xA9\n";
  const TUploadResult result = UploadCrashReport(receiver.Url(), text);
  EXPECT_TRUE(result.Ok) << result.Error;
  EXPECT_EQ(result.Status, 200);
  EXPECT_EQ(result.Answer, "report 42 received");
  EXPECT_EQ(receiver.Body(), text);
  EXPECT_EQ(receiver.ContentType(), "text/plain; charset=utf-8");
}

TEST(CrashUpload, ARefusalIsNotTakenForSuccess) {
  test::TReportReceiver receiver(503, "try later");
  const TUploadResult result = UploadCrashReport(receiver.Url(), "report");
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Status, 503);
  EXPECT_EQ(result.Answer, "try later");
  EXPECT_TRUE(result.Error.empty());
}

TEST(CrashUpload, AnAbsentReceiverFailsAtOnceWithAReason) {
  const std::string url = "http://127.0.0.1:" + std::to_string(test::UnusedLoopbackPort()) + "/reports";
  const auto start = std::chrono::steady_clock::now();
  const TUploadResult result = UploadCrashReport(url, "report");
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Status, 0);
  EXPECT_FALSE(result.Error.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(CrashUpload, ASilentReceiverIsGivenUpAfterTheTimeLimit) {
  // A socket that accepts connections (the kernel's backlog) but never answers.
  const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(sock, 4), 0);
  socklen_t size = sizeof address;
  ::getsockname(sock, reinterpret_cast<sockaddr *>(&address), &size);
  const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/reports";
  const auto start = std::chrono::steady_clock::now();
  const TUploadResult result = UploadCrashReport(url, "report", TUploadLimits{1, 2});
  const auto took = std::chrono::steady_clock::now() - start;
  ::close(sock);
  EXPECT_FALSE(result.Ok);
  EXPECT_FALSE(result.Error.empty());
  EXPECT_GE(took, std::chrono::milliseconds(1500));
  EXPECT_LT(took, std::chrono::seconds(6));
}

TEST(CrashMail, SubjectAndBodyAreEncodedAndALongBodyIsCutOnACharacter) {
  EXPECT_EQ(CrashMailUrl("dev@example.org", "transclient crash report", "a&b=c\nd?"),
            "mailto:dev%40example.org?subject=transclient%20crash%20report&body=a%26b%3Dc%0Ad%3F");
  EXPECT_EQ(CrashMailUrl("", "s", "x"), "mailto:?subject=s&body=x");
  // "é" is two bytes; a cut inside it moves back before it.
  const std::string body = std::string(9, 'a') + "\xC3\xA9" + "tail";
  const std::string url = CrashMailUrl("", "s", body, 10);
  EXPECT_EQ(url.find("mailto:?subject=s&body=aaaaaaaaa%0A%5B"), 0u) << url;
  EXPECT_EQ(url.find("%C3"), std::string::npos);
  EXPECT_EQ(url.find("tail"), std::string::npos);
}

} // namespace
} // namespace vt
