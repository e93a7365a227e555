// The machine-translation commands of the main window against a real mtserver on loopback:
// "Auto Translate" line by line (also from the "<Auto Translate>" suggestion) and the two
// browser commands through the real translator page.
#include "band_fixture.h"
#include "mtserver_window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace vt::test {

class MachineTest : public MtServerWindowTest<BandTest> {
protected:
  void SetUp() override {
    MtServerWindowTest<BandTest>::SetUp();
    if (HasFatalFailure()) return;
    Child<QLineEdit>(*W, "editLn")->setText(QStringLiteral("es"));
  }
  // Presses `button` of the dialog once the page shows a result (bounded); runs `command` meanwhile.
  void AnswerDialog(const std::function<void()> &command, bool ok) {
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    bool reading = false;
    // The page writes its result after it has asked the service: an OK waits for that result.
    auto resultReady = [&](TGTransFrm &d) {
      if (!ok) return true;
      reading = true;
      d.ReadResult();
      reading = false;
      return !d.ResultText.empty();
    };
    QObject::connect(&poll, &QTimer::timeout, [&] {
      TGTransFrm &d = *Browser;
      if (!d.isVisible() || reading) return;
      if (clock.elapsed() > 15000 || (!d.AutoClose && d.PageComplete() &&
                                      d.windowTitle() == QStringLiteral("Complete") && resultReady(d))) {
        poll.stop();
        QTest::mouseClick(ok && clock.elapsed() <= 15000 ? d.Button1 : d.Button2, Qt::LeftButton);
      }
    });
    poll.start(100);
    command();
  }
};

TEST_F(MachineTest, AutoTranslateTranslatesAHintPairLineByLine) {
  Pick("TID_Main/lblName.VH");
  ASSERT_EQ(Child<QPlainTextEdit>(*W, "TntMemoSrc")->toPlainText().count(QLatin1Char('\n')), 1);
  PressKey(Child<QPlainTextEdit>(*W, "TntMemoLng"), Qt::Key_T, Qt::ControlModifier);
  const QStringList lines = Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 2) << Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText().toStdString();
  for (const QString &line : lines) {
    EXPECT_FALSE(line.trimmed().isEmpty());
    EXPECT_FALSE(line.contains(QStringLiteral("ExceptionMethod")));
  }
  EXPECT_NE(lines[0].trimmed(), QStringLiteral("your name")); // Spanish, not the cleaned English
  TWordObj *e = Entry("TID_Main/lblName.VH");
  EXPECT_EQ(e->State(), esAutoTranslated);
  EXPECT_TRUE(Child<QCheckBox>(*W, "cIsAuto")->isChecked());
  EXPECT_EQ(ToQString(e->TranslationDisplay()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
            Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText());
}

TEST_F(MachineTest, AutoTranslateFallsBackToTheCleanedSourceAndDropsErrorReplies) {
  UseHost("http://127.0.0.1:1"); // nothing listens there
  Pick("TID_Main/lblName.VH");
  Child<QAction>(*W, "AutoTranslate1")->trigger();
  EXPECT_EQ(Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText(),
            QStringLiteral("your name\nthe name shown to others"));
  EXPECT_EQ(Entry("TID_Main/lblName.VH")->State(), esAutoTranslated);

  UseHost(Server->Url());
  Child<QLineEdit>(*W, "editLn")->setText(QStringLiteral("de")); // the service answers with error reports
  Pick("TID_A/btnOpen.TC");
  Child<QAction>(*W, "AutoTranslate1")->trigger();
  EXPECT_TRUE(Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText().isEmpty());
  EXPECT_EQ(Entry("TID_A/btnOpen.TC")->Translation, "[~]"); // empty text, "~" letter
}

TEST_F(MachineTest, AutoTranslateMarkerSuggestionRunsTheCommand) {
  Entry("TID_D/btnOpen.TC")->Translation = "<Auto Translate>";
  PickAndSettle("TID_C/btnOpen.TC");
  const int row = SuggestionRowOf("TID_D");
  ASSERT_GE(row, 0);
  ClickRow(Child<TVirtualTree>(*W, "vt2"), row, 0);
  const QString text = Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText();
  EXPECT_FALSE(text.isEmpty());
  EXPECT_NE(text, QStringLiteral("<Auto Translate>"));
  EXPECT_EQ(Entry("TID_C/btnOpen.TC")->State(), esAutoTranslated);
}

TEST_F(MachineTest, BrowserCommandsTakeAnAcceptedResultAsAnOrdinaryTranslation) {
  Dialog();
  ASSERT_TRUE(Child<QAction>(*W, "GoogleTranslate1")->isEnabled());
  Pick("TID_C/btnOpen.TC");
  AnswerDialog([&] { Child<QAction>(*W, "GoogleTranslate1")->trigger(); }, true);
  EXPECT_EQ(Browser->RequestText, "open");
  EXPECT_FALSE(Browser->ReverseMode);
  TWordObj *c = Entry("TID_C/btnOpen.TC");
  ASSERT_FALSE(c->TranslationText().empty());
  EXPECT_EQ(c->State(), esTranslated);
  EXPECT_TRUE(c->Changed);
  EXPECT_TRUE(W->CurrentProject().Modified);
  EXPECT_EQ(ToQString(c->TranslationDisplay()), Child<QPlainTextEdit>(*W, "TntMemoLng")->toPlainText());
  // "Update Current" copied it to the same-source entries.
  EXPECT_EQ(Entry("TID_A/btnOpen.TC")->Translation, c->Translation);

  // Cancel leaves the translation as it was.
  const std::string before = c->Translation;
  AnswerDialog([&] { Child<QAction>(*W, "GoogleReverseTranslation1")->trigger(); }, false);
  EXPECT_TRUE(Browser->ReverseMode);
  EXPECT_EQ(c->Translation, before);
  // OK takes the English text the page produced; Undo brings the earlier translation back.
  // The dialog closes by itself on the page's new, stable result.
  Pick("TID_Main/btnHot.TC");
  Browser->AutoClose = true;
  AnswerDialog([&] { Child<QAction>(*W, "GoogleReverseTranslation1")->trigger(); }, false);
  Browser->AutoClose = false;
  EXPECT_EQ(Browser->RequestText, "Imprimir");
  TWordObj *hot = Entry("TID_Main/btnHot.TC");
  EXPECT_FALSE(hot->TranslationText().empty());
  EXPECT_NE(hot->Translation, "Imprimir");
  Child<QAction>(*W, "Undo1")->trigger();
  EXPECT_EQ(hot->Translation, "Imprimir");
}

TEST_F(MachineTest, BrowserRequestOfAHintPairKeepsItsLinesApart) {
  Dialog();
  Pick("TID_Main/lblName.VH");
  AnswerDialog([&] { Child<QAction>(*W, "GoogleTranslate1")->trigger(); }, false);
  // The editor breaks lines with LF alone; the request keeps a break between the two parts.
  EXPECT_EQ(Browser->RequestText, "your name\rthe name shown to others"); // "Strip" lower-cases
}

TEST_F(MachineTest, TheWindowMakesItsOwnBrowserOnFirstUse) {
  Pick("TID_C/btnOpen.TC");
  ASSERT_EQ(W->BrowserDialog(), nullptr);
  QTimer cancel;
  // The dialog comes from the browser's module, which the window loads now.
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    TBrowserTranslator *dialog = W->BrowserDialog();
    if (dialog && dialog->isVisible())
      QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("Button2")), Qt::LeftButton);
  });
  cancel.start(100);
  Child<QAction>(*W, "GoogleTranslate1")->trigger();
  TBrowserTranslator *dialog = W->BrowserDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->RequestText, "open");
  EXPECT_TRUE(Entry("TID_C/btnOpen.TC")->Translation.empty()); // Cancel took nothing
}

} // namespace vt::test
