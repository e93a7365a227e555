#include "crash_report_frm.h"

#include "crash/crash_send.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vt {

namespace {

std::string Utf8(const QString &text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromUtf8(const std::string &text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption) {
  auto *button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

} // namespace

TCrashReportFrm::TCrashReportFrm(const QString &reportPath, const QString &reportText,
                                 const QString &uploadUrl, const QString &mailAddress, QWidget *parent)
    : QDialog(parent), FReportPath(reportPath), FUploadUrl(uploadUrl), FMailAddress(mailAddress) {
  setObjectName(QStringLiteral("TCrashReportFrm"));
  setWindowTitle(QStringLiteral("Crash Report"));
  resize(720, 560);

  labelIntro = new QLabel(
      QStringLiteral(
          "The program stopped unexpectedly last time. This report was written at that moment; it "
          "holds the program's stack and recent log, and the path of the open project but none of its "
          "texts. Nothing is sent unless you press Send by Mail or Upload."),
      this);
  labelIntro->setObjectName(QStringLiteral("labelIntro"));
  labelIntro->setWordWrap(true);

  labelReport = new QLabel(QStringLiteral("&Report:"), this);
  labelReport->setObjectName(QStringLiteral("labelReport"));
  memoReport = new QPlainTextEdit(this);
  memoReport->setObjectName(QStringLiteral("memoReport"));
  memoReport->setAccessibleName(QStringLiteral("Crash report"));
  memoReport->setReadOnly(true);
  memoReport->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  memoReport->setLineWrapMode(QPlainTextEdit::NoWrap);
  memoReport->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memoReport->setPlainText(reportText);
  memoReport->setTabChangesFocus(true);
  labelReport->setBuddy(memoReport);

  labelWhatDoing = new QLabel(QStringLiteral("&What were you doing when it happened?"), this);
  labelWhatDoing->setObjectName(QStringLiteral("labelWhatDoing"));
  memoWhatDoing = new QPlainTextEdit(this);
  memoWhatDoing->setObjectName(QStringLiteral("memoWhatDoing"));
  memoWhatDoing->setAccessibleName(QStringLiteral("What you were doing"));
  memoWhatDoing->setTabChangesFocus(true);
  memoWhatDoing->setFixedHeight(80);
  labelWhatDoing->setBuddy(memoWhatDoing);

  labelResult = new QLabel(this);
  labelResult->setObjectName(QStringLiteral("labelResult"));
  labelResult->setWordWrap(true);
  labelResult->setTextInteractionFlags(Qt::TextSelectableByMouse);

  btnCopy = MakeButton(this, "btnCopy", QStringLiteral("&Copy"));
  btnSaveAs = MakeButton(this, "btnSaveAs", QStringLiteral("Save &As..."));
  btnMail = MakeButton(this, "btnMail", QStringLiteral("Send by &Mail"));
  btnUpload = MakeButton(this, "btnUpload", QStringLiteral("&Upload"));
  btnClose = MakeButton(this, "btnClose", QStringLiteral("C&lose"));
  btnClose->setDefault(true);
  btnUpload->setVisible(!FUploadUrl.isEmpty());
  btnUpload->setToolTip(FUploadUrl);

  auto *buttons = new QHBoxLayout;
  for (QPushButton *b : {btnCopy, btnSaveAs, btnMail, btnUpload}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(btnClose);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(labelIntro);
  layout->addWidget(labelReport);
  layout->addWidget(memoReport, 1);
  layout->addWidget(labelWhatDoing);
  layout->addWidget(memoWhatDoing);
  layout->addWidget(labelResult);
  layout->addLayout(buttons);

  setTabOrder(memoWhatDoing, btnCopy);
  setTabOrder(btnCopy, btnSaveAs);
  setTabOrder(btnSaveAs, btnMail);
  setTabOrder(btnMail, btnUpload);
  setTabOrder(btnUpload, btnClose);
  setTabOrder(btnClose, memoReport);
  memoWhatDoing->setFocus();

  ChooseSavePath = [](QWidget *owner, const QString &suggested) {
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Save Crash Report"), suggested,
                                        QStringLiteral("Text File (*.txt);;All Files (*)"));
  };
  OpenUrl = [](const QString &url) { return QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode)); };

  connect(btnCopy, &QPushButton::clicked, this, &TCrashReportFrm::btnCopyClick);
  connect(btnSaveAs, &QPushButton::clicked, this, &TCrashReportFrm::btnSaveAsClick);
  connect(btnMail, &QPushButton::clicked, this, &TCrashReportFrm::btnMailClick);
  connect(btnUpload, &QPushButton::clicked, this, &TCrashReportFrm::btnUploadClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

QString TCrashReportFrm::ComposedText() const {
  QString note = memoWhatDoing->toPlainText().trimmed();
  if (note.isEmpty()) note = QStringLiteral("(not told)");
  return QStringLiteral("What the user was doing:\n") + note + QStringLiteral("\n\n") +
         memoReport->toPlainText();
}

void TCrashReportFrm::ShowResult(const QString &text) {
  labelResult->setText(text);
}

void TCrashReportFrm::btnCopyClick() {
  QApplication::clipboard()->setText(ComposedText());
  ShowResult(QStringLiteral("The report is on the clipboard."));
}

void TCrashReportFrm::btnSaveAsClick() {
  const QString suggested = QDir::home().filePath(
      QFileInfo(FReportPath).fileName().replace(QStringLiteral(".new.txt"), QStringLiteral(".txt")));
  const QString path = ChooseSavePath(this, suggested);
  if (path.isEmpty()) return;
  QFile file(path);
  const QByteArray bytes = ComposedText().toUtf8();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
      !file.flush()) {
    ShowResult(QStringLiteral("Unable to save file\r") + QDir::toNativeSeparators(path));
    return;
  }
  ShowResult(QStringLiteral("Saved to ") + QDir::toNativeSeparators(path));
}

void TCrashReportFrm::btnMailClick() {
  const std::string url = CrashMailUrl(
      Utf8(FMailAddress), Utf8(QApplication::applicationName() + QStringLiteral(" crash report")),
      Utf8(ComposedText()));
  if (OpenUrl(FromUtf8(url)))
    ShowResult(QStringLiteral("The report was handed to your mail program; send it from there."));
  else
    ShowResult(QStringLiteral("No mail program could be opened. Use Copy or Save As... instead."));
}

void TCrashReportFrm::btnUploadClick() {
  ShowResult(QStringLiteral("Uploading to %1 ...").arg(FUploadUrl));
  labelResult->repaint();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TUploadResult result = UploadCrashReport(Utf8(FUploadUrl), Utf8(ComposedText()));
  QApplication::restoreOverrideCursor();
  if (!result.Error.empty()) {
    ShowResult(QStringLiteral("Upload failed: %1 (%2)").arg(FromUtf8(result.Error), FUploadUrl));
    return;
  }
  const QString answer = FromUtf8(result.Answer).trimmed();
  ShowResult(QStringLiteral("%1 (HTTP %2)%3")
                 .arg(result.Ok ? QStringLiteral("Uploaded, thank you.") : QStringLiteral("Upload refused"))
                 .arg(result.Status)
                 .arg(answer.isEmpty() ? QString() : QStringLiteral(": ") + answer.left(500)));
}

} // namespace vt
