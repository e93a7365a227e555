#include "trans_grab_frm.h"

#include "grab_text.h"
#include "model/trans_man.h"
#include "support/file_io.h"
#include "tools/error.h"
#include "tools/raw_extract.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vt {
namespace {

QPlainTextEdit *Memo(QWidget *parent, const char *name, const QString &accessibleName) {
  auto *memo = new QPlainTextEdit(parent);
  memo->setObjectName(QString::fromLatin1(name));
  memo->setAccessibleName(accessibleName);
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  return memo;
}

} // namespace

TTransGrabFrm::TTransGrabFrm(QWidget *parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("TransGrabFrm"));
  setWindowTitle(QStringLiteral("TransGrabFrm"));
  Dialogs.OpenFile = [](QWidget *w, const QString &caption, const QString &start, const QString &filter) {
    return QFileDialog::getOpenFileName(w, caption, start, filter);
  };
  Dialogs.SaveFile = [](QWidget *w, const QString &caption, const QString &start, const QString &filter) {
    return QFileDialog::getSaveFileName(w, caption, start, filter);
  };
  Dialogs.ShowError = [](QWidget *w, const QString &text) {
    QMessageBox::critical(w, tr("TransGrabFrm"), text);
  };
  Dialogs.AskYesNo = [](QWidget *w, const QString &text) {
    return QMessageBox::question(w, tr("TransGrabFrm"), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
  };
  Dialogs.ShowMessage = [](QWidget *w, const QString &text) {
    QMessageBox::information(w, tr("TransGrabFrm"), text);
  };

  auto *central = new QWidget(this);
  auto *topPanel = new QWidget(central);
  topPanel->setObjectName(QStringLiteral("Panel1"));
  cViewDfm = new QCheckBox(tr("Vie&w Dfm"), topPanel);
  cViewDfm->setObjectName(QStringLiteral("cViewDfm"));
  cFilterDFM = new QCheckBox(tr("Fi&lter DFM"), topPanel);
  cFilterDFM->setObjectName(QStringLiteral("cFilterDFM"));
  cFilterDFM->setChecked(true);
  auto *topLayout = new QHBoxLayout(topPanel);
  topLayout->setContentsMargins(0, 0, 0, 0);
  topLayout->addWidget(cViewDfm);
  topLayout->addWidget(cFilterDFM);
  topLayout->addStretch(1);

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setAccessibleName(tr("Forms"));
  Memo1 = Memo(this, "Memo1", tr("View"));
  Memo1->setReadOnly(false); // edited by the ini merge and the file editor of the single steps
  Memo2 = Memo(this, "Memo2", tr("Log"));
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  FExtract = new TExtractPage(PageControl1);
  FBlacklist = new TBlacklistPage(PageControl1);
  FMergeRaw = new TMergeRawPage(PageControl1);
  FBuildPrj = new TBuildPrjPage(PageControl1);
  FSingleStep = new TSingleStepPage(PageControl1);
  PageControl1->addTab(FExtract, QStringLiteral("Extract"));
  PageControl1->addTab(FBlacklist, QStringLiteral("Blacklist"));
  PageControl1->addTab(FMergeRaw, QStringLiteral("Merge RawFiles"));
  PageControl1->addTab(FBuildPrj, QStringLiteral("Build Prj"));
  PageControl1->addTab(FSingleStep, QStringLiteral("TabSheet4"));
  PageControl1->setCurrentWidget(FBlacklist);

  auto *middle = new QSplitter(Qt::Horizontal);
  middle->addWidget(ListBox1);
  middle->addWidget(Memo1);
  middle->addWidget(PageControl1);
  middle->setStretchFactor(1, 3);
  middle->setStretchFactor(2, 2);
  middle->setSizes({200, 500, 400});
  auto *main = new QSplitter(Qt::Vertical);
  main->addWidget(middle);
  main->addWidget(Memo2);
  main->setStretchFactor(0, 3);
  auto *layout = new QVBoxLayout(central);
  layout->addWidget(topPanel);
  layout->addWidget(main, 1);
  setCentralWidget(central);
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  resize(1100, 700);

  BuildMenus();
  ConnectTools();
  ConnectRelease();
  FSession.OnFormListChanged = [this] { ShowFormList(); };
  FLog.OnChange = [this] { ShowLog(); };

  connect(FExtract->Button1, &QPushButton::clicked, this, &TTransGrabFrm::Button1Click);
  connect(FExtract->dExtractData, &QPushButton::clicked, this, &TTransGrabFrm::dExtractDataClick);
  connect(ListBox1, &QListWidget::itemClicked, this, &TTransGrabFrm::ListBox1Click);
  connect(ListBox1, &QListWidget::itemActivated, this, &TTransGrabFrm::ListBox1Click);
  auto browse = [this](TFileNameEdit *edit, const QString &caption, const QString &filter, bool save) {
    edit->Browse = [this, caption, filter, save](const QString &current) {
      return save ? Dialogs.SaveFile(this, caption, current, filter)
                  : Dialogs.OpenFile(this, caption, current, filter);
    };
  };
  browse(FExtract->FilenameExe, tr("Select EXE File"), tr("Executable (*.exe);;All files (*)"), false);
  browse(FExtract->FilenameDfmBlacklist, tr("Select Blacklist File"), tr("All files (*)"), false);
  browse(FExtract->FilenameTabMap, tr("Select Tabmap File"), tr("Tabmap (*.tabmap)"), false);
  browse(FExtract->FilenameGUI, tr("Select Skin File"), tr("Skin file (*.ini)"), false);
  FExtract->FilenameRawMI->Browse = [this](const QString &current) {
    QString path =
        Dialogs.SaveFile(this, tr("Dest Raw Filename (*.rawmi)"), current, tr("Raw data (*.rawmi)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".rawmi");
    return path;
  };
}

TTransGrabFrm::~TTransGrabFrm() {
  // The session outlives no widget callbacks.
  FSession.OnFormListChanged = nullptr;
  FLog.OnChange = nullptr;
}

void TTransGrabFrm::BuildMenus() {
  QMenu *file = menuBar()->addMenu(tr("&File"));
  OpenRawScriptFile1 =
      file->addAction(tr("&Open Raw Script File"), this, &TTransGrabFrm::OpenRawScriptFile1Click);
  OpenRawScriptFile1->setObjectName(QStringLiteral("OpenRawScriptFile1"));
  SaveRawScriptFile1 =
      file->addAction(tr("&Save Raw Script File"), this, &TTransGrabFrm::SaveRawScriptFile1Click);
  SaveRawScriptFile1->setObjectName(QStringLiteral("SaveRawScriptFile1"));
  file->addSeparator();
  QAction *close = file->addAction(tr("&Close"), this, &QWidget::close);
  close->setObjectName(QStringLiteral("Close1"));

  QMenu *edit = menuBar()->addMenu(tr("Ed&it"));
  DumpDfmList1 = edit->addAction(tr("&Dump Dfm List"), this, &TTransGrabFrm::DumpDfmList1Click);
  DumpDfmList1->setObjectName(QStringLiteral("DumpDfmList1"));
  ComparekxLngfiles1 =
      edit->addAction(tr("&Compare kxLng files"), this, &TTransGrabFrm::ComparekxLngfiles1Click);
  ComparekxLngfiles1->setObjectName(QStringLiteral("ComparekxLngfiles1"));
  edit->addSeparator();
  ExtractRawMsgs1 = edit->addAction(tr("E&xtract Raw Msgs"), this, &TTransGrabFrm::ExtractRawMsgs1Click);
  ExtractRawMsgs1->setObjectName(QStringLiteral("ExtractRawMsgs1"));
  QMenu *custom = menuBar()->addMenu(tr("C&ustomExtract"));
  ExtractManualTree1 =
      custom->addAction(tr("Extract &ManualTree"), this, &TTransGrabFrm::ExtractManualTree1Click);
  ExtractManualTree1->setObjectName(QStringLiteral("ExtractManualTree1"));
}

void TTransGrabFrm::ShowFormList() {
  ListBox1->clear();
  for (const std::string &name : FSession.FormList) ListBox1->addItem(FromUtf8(name));
}

void TTransGrabFrm::ShowLog() {
  QStringList lines;
  for (const std::string &l : FLog.Lines()) lines << FromUtf8(l);
  Memo2->setPlainText(lines.join(QLatin1Char('\n')));
}

void TTransGrabFrm::Button1Click() {
  const QString path = Dialogs.OpenFile(this, tr("Select EXE File"), FExtract->FilenameExe->text(),
                                        tr("Executable (*.exe);;All files (*)"));
  if (path.isEmpty()) return;
  FExtract->FilenameExe->setText(path);
  FExtract->cExeFilename->setChecked(true);
  const std::string tabMap = ChangeFileExt(ToUtf8(path), ".tabmap");
  FExtract->FilenameTabMap->setText(FromUtf8(tabMap));
  FExtract->cTabMap->setChecked(FileExists(tabMap));
  FExtract->cSkinFile->setChecked(false);
}

void TTransGrabFrm::dExtractDataClick() {
  statusBar()->showMessage(tr("Building raw data..."));
  Guarded([&] {
    const std::optional<std::string> content = BuildRaw(FSession, FExtract->Options(), FLog);
    if (!content) {
      statusBar()->showMessage(tr("No destination file"));
      return;
    }
    Memo1->setPlainText(FromUtf8(*content));
    statusBar()->showMessage(tr("Raw data written: %1").arg(FExtract->FilenameRawMI->text()));
  });
}

void TTransGrabFrm::SaveRawScriptFile1Click() {
  const QString path = Dialogs.SaveFile(this, QStringLiteral("Save Raw Script File "), FScriptSaveDefault,
                                        tr("RawScript (*.RawScript)"));
  if (path.isEmpty()) return;
  FScriptSaveDefault = FScriptOpenDefault = path;
  std::string error;
  if (!SaveRawScript(ToUtf8(path), FExtract->Options(), &error)) {
    Dialogs.ShowError(this, tr("Unable to save file") + QLatin1Char('\r') + path);
    return;
  }
  statusBar()->showMessage(tr("Raw script saved: %1").arg(path));
}

void TTransGrabFrm::OpenRawScriptFile1Click() {
  const QString path = Dialogs.OpenFile(this, QStringLiteral("Open Raw Script File (*.rawscript)"),
                                        FScriptOpenDefault, tr("RawScript (*.RawScript);;All files (*)"));
  if (path.isEmpty()) return;
  FScriptOpenDefault = FScriptSaveDefault = path;
  if (!LoadRawScript(path)) Dialogs.ShowError(this, tr("Unable to Open File") + QLatin1Char('\r') + path);
}

bool TTransGrabFrm::LoadRawScript(const QString &path) {
  TRawOptions o = FExtract->Options();
  if (!vt::LoadRawScript(ToUtf8(path), o)) return false;
  FExtract->SetOptions(o);
  statusBar()->showMessage(tr("Raw script loaded: %1").arg(path));
  return true;
}

void TTransGrabFrm::OpenExecutable(const QString &path) {
  Guarded([&] {
    FSession.OpenExecutable(ToUtf8(path));
    FillFormList();
  });
}

int TTransGrabFrm::FindForm(const QString &name) const {
  return FSession.FindForm(ToUtf8(name));
}

std::optional<QStringList> TTransGrabFrm::FormLines(int index) const {
  auto lines = FSession.FormLines(index);
  if (!lines) return std::nullopt;
  QStringList out;
  for (const std::string &l : *lines) out << FromFormText(l);
  return out;
}

void TTransGrabFrm::FillFormList() {
  FSession.FillFormList();
}

void TTransGrabFrm::LoadGuiDefinitions(const QString &skinFile) {
  Guarded([&] { FSession.LoadGuiDefinitions(ToUtf8(skinFile)); });
}

} // namespace vt
