// A program without windows reports a fatal signal on stderr, with its stack, and still ends with
// that signal.
#include "child_process.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(CrashStderr, ASegmentationFaultOfTheServiceIsReportedAndEndsItWithTheSignal) {
  const std::string stem =
      (std::filesystem::temp_directory_path() / ("vt-crash-mtserver-" + std::to_string(::getpid()))).string();
  const std::string log = stem + ".log", portFile = stem + ".port";
  test::TChildProcess server;
  ASSERT_TRUE(server.Start(VT_MTSERVER_PROGRAM, {"--port", "0", "--port-file", portFile, "--preload", "none"},
                           {}, log));
  // Once it names its port, its handlers are in place.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!std::filesystem::exists(portFile) && std::chrono::steady_clock::now() < deadline &&
         server.Running())
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_TRUE(std::filesystem::exists(portFile)) << server.Output();
  server.Signal(SIGSEGV);
  ASSERT_TRUE(server.Wait(std::chrono::seconds(30)));
  EXPECT_EQ(server.TermSignal(), SIGSEGV);
  const std::string out = server.Output();
  EXPECT_NE(out.find("Crash report of mtserver 1.01"), std::string::npos) << out;
  EXPECT_NE(out.find("Signal: SIGSEGV"), std::string::npos) << out;
  EXPECT_NE(out.find("Stack of the crashing thread:"), std::string::npos) << out;
  EXPECT_NE(out.find("--- end of report ---"), std::string::npos) << out;
  std::filesystem::remove(log);
  std::filesystem::remove(portFile);
}

} // namespace
} // namespace vt
