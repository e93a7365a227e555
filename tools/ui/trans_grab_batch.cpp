// The "Compile" page and the batch project of the administrator window: the window reads its
// controls, calls the toolkit's compile and batch runs, and shows their logs.
#include "grab_text.h"
#include "support/file_io.h"
#include "tools/compile.h"
#include "trans_grab_frm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace vt {

namespace {

QString Joined(const std::vector<std::string> &lines) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string &l : lines) out << FromUtf8(l);
  return out.join(QLatin1Char('\n'));
}

} // namespace

template <typename F> void TTransGrabFrm::WithLogShownAtEnd(F &&body) {
  FLog.OnChange = nullptr;
  Guarded(body);
  FLog.OnChange = [this] { ShowLog(); };
  ShowLog();
}

void TTransGrabFrm::AddBatchMenus(QMenu *file) {
  OpenBatchPrjFile1 =
      file->addAction(tr("Open &Batch Prj File"), this, &TTransGrabFrm::OpenBatchPrjFile1Click);
  OpenBatchPrjFile1->setObjectName(QStringLiteral("OpenBatchPrjFile1"));
  BatchProcess1 = menuBar()->addMenu(tr("Batc&h Process"));
  BatchProcess1->setObjectName(QStringLiteral("BatchProcess1"));
  Extractrawmidata1 =
      BatchProcess1->addAction(tr("&Extract rawmi data"), this, &TTransGrabFrm::Extractrawmidata1Click);
  Extractrawmidata1->setObjectName(QStringLiteral("Extractrawmidata1"));
  RebuildSrcLngfile1 =
      BatchProcess1->addAction(tr("&Rebuild SrcLng file"), this, &TTransGrabFrm::RebuildSrcLngfile1Click);
  RebuildSrcLngfile1->setObjectName(QStringLiteral("RebuildSrcLngfile1"));
  UpdateDstLng1 =
      BatchProcess1->addAction(tr("&Update Dst Lng Prj"), this, &TTransGrabFrm::UpdateDstLng1Click);
  UpdateDstLng1->setObjectName(QStringLiteral("UpdateDstLng1"));
  BatchProcess1->setEnabled(false);
  BatchProcess1->menuAction()->setEnabled(false);

  auto *batchPath = new QLabel(this);
  batchPath->setObjectName(QStringLiteral("BatchPrjPath"));
  statusBar()->addPermanentWidget(batchPath);

  // The page is built before the menus; its browse buttons ask through the window's dialogs.
  FCompile->FilenameEdit5->Browse = [this](const QString &current) {
    return Dialogs.OpenFile(this, tr("Src rawmi file"), current, tr("Raw data (*.rawmi);;All files (*)"));
  };
  FCompile->FilenameEdit1->Browse = [this](const QString &current) {
    return Dialogs.OpenFile(this, tr("Project to Compile"), current, tr("Translation (*.kxLng)"));
  };
  FCompile->FilenameEdit6->Browse = [this](const QString &current) {
    QString path = Dialogs.SaveFile(this, tr("Dst compiled file"), current, tr("Compiled (*.kxLng)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".kxLng");
    return path;
  };
  for (TFileNameEdit *dir : {FCompile->DirectoryEdit3, FCompile->DirectoryEdit1})
    dir->Browse = [this](const QString &current) {
      return QFileDialog::getExistingDirectory(this, tr("Select Folder"), current);
    };
  connect(FCompile->dCompile, &QPushButton::clicked, this, &TTransGrabFrm::dCompileClick);
  connect(FCompile->Button14, &QPushButton::clicked, this, &TTransGrabFrm::Button14Click);
}

void TTransGrabFrm::SetTranslationFile(const QString &path) {
  FCompile->FilenameEdit1->setText(path);
}

void TTransGrabFrm::dCompileClick() {
  TGrabLog echo;
  WithLogShownAtEnd([&] {
    Compile(ToUtf8(FCompile->FilenameEdit5->text()), ToUtf8(FCompile->FilenameEdit1->text()),
            ToUtf8(FCompile->FilenameEdit6->text()), FLog, echo);
  });
  if (!echo.Lines().empty()) Memo1->appendPlainText(Joined(echo.Lines()));
}

void TTransGrabFrm::Button14Click() {
  if (!FBatch) {
    Dialogs.ShowError(this, QStringLiteral("No Batch Prj Open!"));
    return;
  }
  TGrabLog echo;
  bool ran = false;
  WithLogShownAtEnd([&] {
    const TBatchCompileResult result = BatchCompile(
        *FBatch, ToUtf8(FCompile->FilenameEdit1->text()), ToUtf8(FCompile->DirectoryEdit3->text()),
        [this](const std::string &q) { return Dialogs.AskYesNo(this, FromUtf8(q)); }, FLog, echo,
        [this](const std::string &raw, const std::string &out) {
          FCompile->FilenameEdit5->setText(FromUtf8(raw));
          FCompile->FilenameEdit6->setText(FromUtf8(out));
        });
    ran = result.Asked;
  });
  if (ran) Memo1->setPlainText(Joined(echo.Lines()));
}

void TTransGrabFrm::OpenBatchPrjFile1Click() {
  const QString start = FBatch ? FromUtf8(FBatch->FileName) : QString();
  const QString path = Dialogs.OpenFile(this, QStringLiteral("Open BatchPrj"), start,
                                        tr("BatchPrj (*.BatchPrj);;All Files (*)"));
  if (!path.isEmpty()) OpenBatchProject(path);
}

bool TTransGrabFrm::OpenBatchProject(const QString &path) {
  auto batch = std::make_unique<TBatchProject>();
  std::string error;
  if (!batch->Load(ToUtf8(path), &error)) {
    Dialogs.ShowError(this, tr("Unable to Open File") + QLatin1Char('\r') + path);
    return false;
  }
  FBatch = std::move(batch);
  if (auto *label = statusBar()->findChild<QLabel *>(QStringLiteral("BatchPrjPath"))) label->setText(path);
  Memo1->setPlainText(FromUtf8(FBatch->Text));
  BatchProcess1->setEnabled(true);
  BatchProcess1->menuAction()->setEnabled(true);
  if (!FBatch->DstSrcLng.empty())
    for (const char *name : {"FilenameSrcTemplate", "FilenameDestSrcLng"})
      if (auto *edit = findChild<QLineEdit *>(QString::fromLatin1(name)))
        edit->setText(FromUtf8(FBatch->DstSrcLng));
  return true;
}

void TTransGrabFrm::Extractrawmidata1Click() {
  if (!FBatch) return;
  WithLogShownAtEnd([&] {
    BatchExtract(
        *FBatch, FSession, FExtract->Options(),
        [this](const std::string &q) { return Dialogs.AskYesNo(this, FromUtf8(q)); }, FLog);
  });
}

void TTransGrabFrm::RebuildSrcLngfile1Click() {
  if (!FBatch) return;
  auto setText = [this](const char *name, const std::string &text) {
    if (auto *edit = findChild<QLineEdit *>(QString::fromLatin1(name))) edit->setText(FromUtf8(text));
  };
  auto setChecked = [this](const char *name, bool on) {
    if (auto *box = findChild<QCheckBox *>(QString::fromLatin1(name))) box->setChecked(on);
  };
  WithLogShownAtEnd([&] {
    const auto options = BatchRebuild(
        *FBatch, [this](const std::string &q) { return Dialogs.AskYesNo(this, FromUtf8(q)); }, FLog);
    if (!options) return;
    // The controls as the run left them, so that the page's own buttons repeat its steps.
    setText("FilenameEdit3", FBatch->RawDst);
    if (!FBatch->RawDstBL.empty() && FileExists(FBatch->RawDstBL)) setText("FilenameEdit2", FBatch->RawDstBL);
    setText("FilenameRawFile", options->RawFile);
    if (options->ApplyEnglish) setText("FilenameTransFile", options->EnglishFile);
    setChecked("cApplyEnglishTranslationFile", options->ApplyEnglish);
    if (options->ApplyMessages) setText("FilenameTransMessages", options->MessageFile);
    setChecked("cApplyMessageTransFile", options->ApplyMessages);
    setText("FilenameDestSrcLng", options->DestFile);
  });
}

void TTransGrabFrm::UpdateDstLng1Click() {
  if (!FBatch) return;
  WithLogShownAtEnd([&] {
    if (FBatch->DstSrcLng.empty() || !FileExists(FBatch->DstSrcLng))
      throw EGrabAssertion("Assertion failure");
    auto *templ = findChild<QLineEdit *>(QStringLiteral("FilenameSrcTemplate"));
    auto *target = findChild<QLineEdit *>(QStringLiteral("filenameDstLngFile"));
    if (templ) templ->setText(FromUtf8(FBatch->DstSrcLng));
    const QString path =
        Dialogs.OpenFile(this, tr("Dest SrcLng filename"), target ? target->text() : QString(),
                         QStringLiteral("SrcLng (*.SrcLng)"));
    if (path.isEmpty()) return;
    if (target) target->setText(path);
    const auto *lang = findChild<QComboBox *>(QStringLiteral("cbLng"));
    const auto *erase = findChild<QCheckBox *>(QStringLiteral("cRebuildKxLng"));
    BatchUpdate(
        *FBatch, ToUtf8(path), lang ? ToUtf8(lang->currentText()) : std::string(),
        erase && erase->isChecked(),
        [this](const std::string &q) { return Dialogs.AskYesNo(this, FromUtf8(q)); }, FLog);
  });
}

} // namespace vt
