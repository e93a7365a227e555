#pragma once
// A fixture (Base: ::testing::Test or one derived from it) with one real mtserver (the program
// VT_MTSERVER_PROGRAM) for the whole suite: started before its first test, stopped after its last.
#include "mtserver_process.h"

#include <gtest/gtest.h>

namespace vt::testing {

template <class Base = ::testing::Test> class MtServerSuite : public Base {
protected:
  static void SetUpTestSuite() {
    Server = new TMtServerProcess;
    ASSERT_TRUE(Server->Start(VT_MTSERVER_PROGRAM)) << Server->Log();
  }
  static void TearDownTestSuite() {
    delete Server;
    Server = nullptr;
  }

  static inline TMtServerProcess *Server = nullptr;
};

} // namespace vt::testing
