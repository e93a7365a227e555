#include "mt/ui/gtrans_dlg.h"

#include "mt/mt_endpoint.h"
#include "mt/result_box.h"
#include "mt/url_text.h"
#include "support/text_codec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <iostream>
#include <unistd.h>

namespace vt {

namespace {

// The page of the embedded browser: refuses new windows and keeps script errors to itself.
class TGTransPage : public QWebEnginePage {
public:
  TGTransPage(TGTransFrm *frm, QObject *parent) : QWebEnginePage(parent), FForm(frm) {}

protected:
  QWebEnginePage *createWindow(WebWindowType) override {
    FForm->wbNewWindow2();
    return nullptr;
  }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &, int,
                                const QString &) override {
    if (level == ErrorMessageLevel) FForm->wbScriptError();
  }
  void javaScriptAlert(const QUrl &, const QString &) override {}

private:
  TGTransFrm *FForm;
};

constexpr int kScriptWaitMs = 3000;

} // namespace

void PrepareBrowserStart() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  if (geteuid() != 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) return;
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  std::cerr << "Running as root: the embedded browser starts without its sandbox." << std::endl;
}

TGTransFrm::TGTransFrm(QWidget *owner, const std::string &translatorPage)
    : TBrowserTranslator(owner),
      TranslatorPage(translatorPage.empty() ? ResolveMtEndpoint().Page : translatorPage) {
  PrepareBrowserStart();
  setObjectName(QStringLiteral("GTransFrm"));
  setWindowTitle(QStringLiteral("GTransFrm"));
  QFont f(QStringLiteral("Trebuchet MS"));
  f.setPixelSize(11);
  setFont(f);
  resize(977, 648);

  wb = new QWebEngineView(this);
  wb->setObjectName(QStringLiteral("wb"));
  wb->setAccessibleName(QStringLiteral("Translator page"));
  wb->setPage(new TGTransPage(this, wb));
  wb->settings()->setAttribute(QWebEngineSettings::AutoLoadImages, true);
  wb->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);

  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFixedHeight(44);
  Button1 = new QPushButton(QStringLiteral("OK"), Panel2);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Cancel"), Panel2);
  Button2->setObjectName(QStringLiteral("Button2"));
  auto *buttons = new QHBoxLayout(Panel2);
  buttons->addStretch(1);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(wb, 1);
  layout->addWidget(Panel2);

  Timer1.setInterval(500);
  Timer1.setObjectName(QStringLiteral("Timer1"));

  connect(Button1, &QPushButton::clicked, this, &TGTransFrm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TGTransFrm::Button2Click);
  connect(&Timer1, &QTimer::timeout, this, &TGTransFrm::Timer1Timer);
  connect(wb, &QWebEngineView::loadStarted, this, [this] { FLoading = true; });
  connect(wb, &QWebEngineView::loadFinished, this, [this] {
    if (!FAfterBlank.isEmpty()) {
      const QUrl next = FAfterBlank;
      FAfterBlank.clear();
      wb->setUrl(next);
      return;
    }
    FLoading = false;
    wbDocumentComplete();
  });
}

std::string TGTransFrm::EncodeUrlText(const std::string &text) {
  return vt::EncodeUrlText(text);
}

std::string TGTransFrm::PageAddress() const {
  return vt::BuildTranslatorPageAddress(TranslatorPage, TargetLanguage, ReverseMode, RequestText);
}

void TGTransFrm::WaitMs(int milliseconds) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, milliseconds - static_cast<int>(t.elapsed()));
  }
}

void TGTransFrm::FormActivate() {
  PreviousResult = ResultText;
  StartTranslation();
}

void TGTransFrm::StartTranslation() {
  if (AutoClose) {
    ReadResult();
    PreviousResult = ResultText;
    ResultText.clear();
  }
  if (TargetLanguage.empty()) TargetLanguage = "en";
  const std::string address = PageAddress();
  setWindowTitle(QStringLiteral("Translating.."));
  FLoading = true;
  const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
  // An address that differs from the loaded one only in its fragment (or not at all) is a jump
  // within the page for the browser, which reports no load for it. Pass through an empty page
  // first, so that every use waits for a complete page as the first one does.
  if (wb->url().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment)) {
    FAfterBlank = url;
    wb->setUrl(QUrl(QStringLiteral("about:blank")));
  } else {
    FAfterBlank.clear();
    wb->setUrl(url);
  }
  // Bounded: a page that never completes is shown as it is.
  QElapsedTimer waited;
  waited.start();
  QPointer<TGTransFrm> self(this);
  while (self && !PageComplete() && isVisible() && waited.elapsed() < PageWaitLimitMs) WaitMs(5);
  if (!self) return;
  setWindowTitle(QStringLiteral("Complete"));
  if (AutoClose && isVisible()) Timer1.start();
}

QString TGTransFrm::GetPageHtml() {
  QString html;
  bool answered = false;
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  QPointer<QEventLoop> alive(&loop);
  wb->page()->runJavaScript(QStringLiteral("(function(){var e=document.body;if(!e)return '';"
                                           "while(e.parentElement)e=e.parentElement;return e.outerHTML;})()"),
                            [&html, &answered, alive](const QVariant &v) {
                              if (!alive) return;
                              html = v.toString();
                              answered = true;
                              alive->quit();
                            });
  if (!answered) {
    limit.start(kScriptWaitMs);
    loop.exec();
  }
  return html;
}

void TGTransFrm::ReadResult() {
  ResultText.clear();
  const QString html = GetPageHtml();
  if (html.isEmpty()) return;
  const QByteArray utf8 = html.toUtf8();
  const std::string text =
      ExtractResultBox(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
  if (!StoredUtf8ToUtf16(text, ResultText)) ResultText.clear();
}

void TGTransFrm::Button1Click() {
  ReadResult();
  done(ResultText.empty() ? mrCancel : mrYes);
}

void TGTransFrm::Button2Click() {
  done(mrCancel);
}

void TGTransFrm::Timer1Timer() {
  if (!AutoClose || !isVisible() || FReading) return;
  const std::u16string old = ResultText;
  FReading = true;
  ReadResult();
  FReading = false;
  if (ResultText == old && ResultText != PreviousResult && !ResultText.empty()) {
    Timer1.stop();
    done(mrYes);
  }
}

void TGTransFrm::FormClose() {
  Timer1.stop();
}

bool TGTransFrm::wbNewWindow2() {
  return false;
}

void TGTransFrm::wbScriptError() {}

void TGTransFrm::wbDocumentComplete() {}

void TGTransFrm::done(int result) {
  FormClose();
  FActivated = false;
  QDialog::done(result);
}

void TGTransFrm::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (QWidget *owner = parentWidget()) move(owner->window()->frameGeometry().center() - rect().center());
  // Once per use: the browser's own widgets can show the dialog's children again later.
  if (!event->spontaneous() && !FActivated) {
    FActivated = true;
    QMetaObject::invokeMethod(this, &TGTransFrm::FormActivate, Qt::QueuedConnection);
  }
}

void TGTransFrm::closeEvent(QCloseEvent *event) {
  FormClose();
  QDialog::closeEvent(event);
}

} // namespace vt
