#pragma once
// The browser translation dialog as the windows use it, without the embedded browser itself: the
// dialog (TGTransFrm) lives in a module of its own that is loaded when a command first needs it,
// so that starting the client does not load the browser's libraries.
//
// A caller sets the request fields, runs exec() and takes ResultText when it gives mrYes (see
// gtrans_dlg.h for the whole protocol).
#include <QDialog>
#include <QString>
#include <string>

namespace vt {

class TBrowserTranslator : public QDialog {
public:
  enum TModalResult { mrCancel = QDialog::Rejected, mrYes = QDialog::Accepted };

  using QDialog::QDialog;

  std::u16string PreviousResult;
  std::string RequestText;
  std::string TargetLanguage;
  bool ReverseMode = false;
  std::u16string ResultText;
  bool AutoClose = false;

  // Ends the present use as its Cancel button does.
  virtual void Button2Click() = 0;
};

// The file name of the module that makes the dialog (without folder).
inline constexpr const char *kBrowserModuleName = "libvt_browser.so";

// A new dialog from the module, found beside the program, where it is installed or where this build
// put it; none, with the reason in error, when the module cannot be loaded.
TBrowserTranslator *MakeBrowserTranslator(QWidget *owner, QString *error);

} // namespace vt
