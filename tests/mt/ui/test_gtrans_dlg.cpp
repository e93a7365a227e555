// The browser dialog driven as a user would, against the translator page of a real mtserver.
#include "mt/ui/gtrans_dlg.h"
#include "mtserver_suite.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <arpa/inet.h>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

using vt::TGTransFrm;

namespace {

class GTransDlgTest : public vt::testing::MtServerSuite<> {
protected:
  void SetUp() override { ASSERT_NE(Server, nullptr); }

  static std::string Page() { return Server->Url() + "/translate"; }

  // Runs the dialog modally; `step` is called every 100 ms while it is open, until it returns true.
  static int RunModal(TGTransFrm &dlg, std::function<bool()> step, int limit_ms = 15000) {
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (!dlg.isVisible()) return;
      if (clock.elapsed() > limit_ms) {
        dlg.Button2->click();
        return;
      }
      if (step && step()) step = nullptr;
    });
    poll.start(100);
    return dlg.exec();
  }

  // The text the page shows in its result element, read without touching the dialog's fields.
  static QString PageResult(TGTransFrm &dlg) {
    QString text;
    bool done = false;
    dlg.wb->page()->runJavaScript(
        QStringLiteral(
            "(function(){var b=document.getElementById('result_box');return b?b.textContent:'';})()"),
        [&](const QVariant &v) {
          text = v.toString();
          done = true;
        });
    for (int i = 0; i < 100 && !done; ++i) QTest::qWait(10);
    return text;
  }
};

TEST_F(GTransDlgTest, DesignValues) {
  TGTransFrm dlg(nullptr, Page());
  EXPECT_EQ(dlg.size(), QSize(977, 648));
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("GTransFrm"));
  EXPECT_EQ(dlg.Panel2->height(), 44);
  EXPECT_EQ(dlg.Button1->text(), QStringLiteral("OK"));
  EXPECT_TRUE(dlg.Button1->isDefault());
  EXPECT_EQ(dlg.Button2->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(dlg.Timer1.interval(), 500);
  EXPECT_FALSE(dlg.Timer1.isActive());
  dlg.RequestText = "Save As";
  EXPECT_EQ(dlg.PageAddress(), Page() + "?ie=UTF-8&hl=en&tab=wT#en/en/Save%20As");
}

TEST_F(GTransDlgTest, ForwardTranslationTakenWithOk) {
  TGTransFrm dlg(nullptr, Page());
  dlg.RequestText = "Open the file\nSave the file";
  dlg.TargetLanguage = "es";
  QString title_when_done;
  const int result = RunModal(dlg, [&] {
    if (!dlg.PageComplete() || PageResult(dlg).isEmpty()) return false;
    title_when_done = dlg.windowTitle();
    QTest::mouseClick(dlg.Button1, Qt::LeftButton);
    return true;
  });
  EXPECT_EQ(result, TGTransFrm::mrYes);
  EXPECT_EQ(title_when_done, QStringLiteral("Complete"));
  const QString text = QString::fromStdU16String(dlg.ResultText);
  EXPECT_FALSE(text.isEmpty());
  EXPECT_TRUE(text.contains(QStringLiteral("\r\n"))) << text.toStdString(); // two lines
  EXPECT_FALSE(text.contains(QLatin1Char('<')));
  EXPECT_FALSE(text.contains(QStringLiteral("file")));
}

TEST_F(GTransDlgTest, AutomaticModeClosesOnANewStableResultOnly) {
  TGTransFrm dlg(nullptr, Page());
  dlg.RequestText = "The big dog";
  dlg.TargetLanguage = "es";
  dlg.AutoClose = true;
  QElapsedTimer t;
  t.start();
  EXPECT_EQ(RunModal(dlg, nullptr), TGTransFrm::mrYes);
  EXPECT_LT(t.elapsed(), 10000);
  const std::u16string first = dlg.ResultText;
  EXPECT_FALSE(first.empty());
  // Reverse mode on the same dialog: the page detects the language and translates into English.
  dlg.RequestText = "Guardar el archivo";
  dlg.ReverseMode = true;
  EXPECT_EQ(RunModal(dlg, nullptr), TGTransFrm::mrYes);
  EXPECT_NE(dlg.PageAddress().find("#auto/en/Guardar%20el%20archivo"), std::string::npos);
  EXPECT_FALSE(dlg.ResultText.empty());
  EXPECT_NE(dlg.ResultText, first);
  // The same request again shows the previous text: the dialog waits until the user cancels.
  QElapsedTimer waited;
  waited.start();
  const int again = RunModal(dlg, [&] {
    if (waited.elapsed() < 2500) return false;
    QTest::mouseClick(dlg.Button2, Qt::LeftButton);
    return true;
  });
  EXPECT_EQ(again, TGTransFrm::mrCancel);
  EXPECT_FALSE(dlg.Timer1.isActive());
}

TEST_F(GTransDlgTest, OkWithoutAResultGivesCancel) {
  TGTransFrm dlg(nullptr, Page());
  // The page reports an error for an unsupported language and its result stays empty.
  dlg.RequestText = "Hello";
  dlg.TargetLanguage = "xx";
  const int result = RunModal(dlg, [&] {
    if (!dlg.PageComplete()) return false;
    QTest::qWait(300);
    QTest::mouseClick(dlg.Button1, Qt::LeftButton);
    return true;
  });
  EXPECT_EQ(result, TGTransFrm::mrCancel);
  EXPECT_TRUE(dlg.ResultText.empty());
  // A page without the result element at all.
  TGTransFrm other(nullptr, Server->Url() + "/languages");
  other.RequestText = "Hello";
  const int none = RunModal(other, [&] {
    if (!other.PageComplete()) return false;
    QTest::mouseClick(other.Button1, Qt::LeftButton);
    return true;
  });
  EXPECT_EQ(none, TGTransFrm::mrCancel);
  EXPECT_TRUE(other.ResultText.empty());
}

TEST_F(GTransDlgTest, PageThatNeverCompletesIsShownAfterTheBound) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
  ASSERT_EQ(listen(fd, 4), 0);
  socklen_t len = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
  TGTransFrm dlg(nullptr, "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/translate");
  dlg.PageWaitLimitMs = 1000;
  dlg.RequestText = "Hello";
  dlg.TargetLanguage = "es";
  QElapsedTimer t;
  t.start();
  qint64 completed_at = -1;
  const int result = RunModal(dlg, [&] {
    if (dlg.windowTitle() != QStringLiteral("Complete")) return false;
    completed_at = t.elapsed();
    QTest::keyClick(&dlg, Qt::Key_Escape);
    return true;
  });
  EXPECT_EQ(result, TGTransFrm::mrCancel);
  EXPECT_GE(completed_at, 900);
  EXPECT_LT(completed_at, 5000);
  close(fd);
}

} // namespace
