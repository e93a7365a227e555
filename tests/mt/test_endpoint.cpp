#include "mt/mt_endpoint.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace vt {
namespace {

class EndpointTest : public ::testing::Test {
protected:
  void SetUp() override {
    unsetenv("VT_MT_HOST");
    unsetenv("VT_MT_PAGE");
  }
  void TearDown() override { SetUp(); }
};

TEST_F(EndpointTest, DefaultsToTheLocalService) {
  const TMtEndpoint e = ResolveMtEndpoint();
  EXPECT_EQ(e.Host, "http://127.0.0.1:8787");
  EXPECT_EQ(e.Page, "http://127.0.0.1:8787/translate");
}

TEST_F(EndpointTest, EnvironmentThenOptionTakeOver) {
  setenv("VT_MT_HOST", "http://10.0.0.5:9000/", 1);
  EXPECT_EQ(ResolveMtEndpoint().Host, "http://10.0.0.5:9000");
  EXPECT_EQ(ResolveMtEndpoint().Page, "http://10.0.0.5:9000/translate");
  setenv("VT_MT_PAGE", "http://pages.example/tr?ie=UTF-8&hl=en&tab=wT", 1);
  EXPECT_EQ(ResolveMtEndpoint().Page, "http://pages.example/tr");
  // An explicit host serves both: the page of the environment belongs to another host.
  const TMtEndpoint e = ResolveMtEndpoint(std::string("http://127.0.0.1:1234"));
  EXPECT_EQ(e.Host, "http://127.0.0.1:1234");
  EXPECT_EQ(e.Page, "http://127.0.0.1:1234/translate");
  EXPECT_EQ(ResolveMtEndpoint(std::string()).Host, "http://10.0.0.5:9000");
}

} // namespace
} // namespace vt
