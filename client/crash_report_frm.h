#pragma once
// The crash report dialog: the report read-only, a field for what the user was doing, and the
// ways to pass it on. Nothing leaves the machine unless the user presses Send by Mail or Upload.
#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vt {

class TCrashReportFrm : public QDialog {
  Q_OBJECT
public:
  // reportPath: the report file shown; uploadUrl: where Upload posts (the button is hidden when
  // empty); mailAddress: the recipient of Send by Mail (may be empty: the user fills it in).
  TCrashReportFrm(const QString &reportPath, const QString &reportText, const QString &uploadUrl,
                  const QString &mailAddress, QWidget *parent = nullptr);

  // What Copy, Send by Mail and Upload pass on: what the user was doing, then the report.
  QString ComposedText() const;

  void btnCopyClick();
  void btnSaveAsClick();
  void btnMailClick();
  void btnUploadClick();

  // Seams for the file dialog and the desktop's URL handler (tests replace them).
  std::function<QString(QWidget *parent, const QString &suggested)> ChooseSavePath;
  std::function<bool(const QString &url)> OpenUrl;

  QLabel *labelIntro = nullptr, *labelReport = nullptr, *labelWhatDoing = nullptr, *labelResult = nullptr;
  QPlainTextEdit *memoReport = nullptr, *memoWhatDoing = nullptr;
  QPushButton *btnCopy = nullptr, *btnSaveAs = nullptr, *btnMail = nullptr, *btnUpload = nullptr,
              *btnClose = nullptr;

private:
  void ShowResult(const QString &text);

  QString FReportPath;
  QString FUploadUrl;
  QString FMailAddress;
};

} // namespace vt
