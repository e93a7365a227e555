#pragma once
// TGTransFrm: gets a machine translation from a web translator page shown in an embedded browser.
//
// One instance lives for the whole run and is reused, hidden between uses. A caller:
//   dlg.RequestText = bytes;        // 8-bit text; encoded into the page address with EncodeUrlText
//   dlg.TargetLanguage = "es";      // "en" when empty
//   dlg.ReverseMode = false;        // true: from a detected language into English
//   dlg.AutoClose = false;          // true: close by itself once the page shows a new, stable result
//   if (dlg.exec() == TGTransFrm::mrYes && !dlg.ResultText.empty()) use(dlg.ResultText);
//   dlg.AutoClose = false;          // callers clear it again after an automatic run
// exec() gives mrYes when a result was taken, otherwise mrCancel. ResultText and the loaded page
// survive from one use to the next. The page address is TranslatorPage (from VT_MT_PAGE or the
// translation host, see mt/mt_endpoint.h) followed by "?ie=UTF-8&hl=en&tab=wT" and the fragment.
#include "mt/ui/browser_translator.h"

#include <QTimer>
#include <QUrl>
#include <string>

class QPushButton;
class QWebEngineView;
class QWidget;

namespace vt {

// Before the first web view: as root the browser cannot use its sandbox, so it starts without it
// (QTWEBENGINE_DISABLE_SANDBOX=1), saying so once on stderr. Nothing happens for other users or
// when the variable is already set.
void PrepareBrowserStart();

class TGTransFrm : public TBrowserTranslator {
  Q_OBJECT
public:
  explicit TGTransFrm(QWidget *owner = nullptr, const std::string &translatorPage = {});

  // The fields, in the order the callers know them, are TBrowserTranslator's.

  // Where the translator page lives (no query, no fragment).
  std::string TranslatorPage;
  // Bound of the wait for a complete page; when it runs out the page is shown as it is.
  int PageWaitLimitMs = 30000;

  // Components.
  QWebEngineView *wb = nullptr;
  QWidget *Panel2 = nullptr;
  QPushButton *Button1 = nullptr; // OK
  QPushButton *Button2 = nullptr; // Cancel
  QTimer Timer1;

  // Dialog operations.
  void StartTranslation();
  void ReadResult();
  QString GetPageHtml();
  static std::string EncodeUrlText(const std::string &text);
  void WaitMs(int milliseconds);
  // The address StartTranslation navigates to for the present inputs.
  std::string PageAddress() const;
  // True once the browser has finished loading the address it was sent to.
  bool PageComplete() const { return !FLoading; }

  // Handlers.
  void FormActivate();
  void FormClose();
  void Button1Click();
  void Button2Click() override;
  void Timer1Timer();
  bool wbNewWindow2();
  void wbScriptError();
  void wbDocumentComplete();

  void done(int result) override;

protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

private:
  bool FLoading = false;
  bool FActivated = false;
  QUrl FAfterBlank;      // loaded once the empty page in between has completed
  bool FReading = false; // a tick that comes while the page is read waits for the next one
};

} // namespace vt
