#pragma once
// A window fixture (Base: WindowTest or one derived from it) beside one real mtserver on loopback
// for the whole test program, with the window's machine translation pointed at it, and one
// browser dialog on its translator page, made on first use and kept to the end.
#include "mt/ui/gtrans_dlg.h"
#include "mtserver_suite.h"
#include "window_fixture.h"

#include <string>

namespace vt::test {

template <class Base> class MtServerWindowTest : public vt::testing::MtServerSuite<Base> {
protected:
  using Suite = vt::testing::MtServerSuite<Base>;
  using Suite::Server;

  static void TearDownTestSuite() {
    delete Browser;
    Browser = nullptr;
    Suite::TearDownTestSuite();
  }
  void SetUp() override {
    ASSERT_NE(Server, nullptr);
    UseHost(Server->Url());
    Base::SetUp();
  }
  static void UseHost(const std::string &url) { qputenv("VT_MT_HOST", QByteArray::fromStdString(url)); }
  // The browser dialog on the service's translator page, handed to the window: it waits at most
  // ten seconds for a page and does not close by itself.
  TGTransFrm &Dialog() {
    if (!Browser) Browser = new TGTransFrm(nullptr, Server->Url() + "/translate");
    Browser->AutoClose = false;
    Browser->PageWaitLimitMs = 10000;
    this->W->SetBrowserDialog(Browser);
    return *Browser;
  }

  static inline TGTransFrm *Browser = nullptr; // one browser for the whole program
};

} // namespace vt::test
