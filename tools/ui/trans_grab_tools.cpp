// The administrator window's smaller tools: file comparison, the form list and view, the manual
// tree, the black-list page, the single steps and the compression test. The work is done by the
// toolkit's plain functions; these handlers read the controls, ask, and show.
#include "grab_text.h"
#include "support/file_io.h"
#include "tools/black_list.h"
#include "tools/compare_lng.h"
#include "tools/compress_test.h"
#include "tools/form_lists.h"
#include "tools/help_tree.h"
#include "tools/message_lists.h"
#include "tools/message_scan.h"
#include "trans_grab_frm.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>

namespace vt {
namespace {

const QString kLngFilter = QStringLiteral("kxLng (*.kxLng);;SrcLng (*.SrcLng);;All Files (*.*)");
const QString kListFilter = QStringLiteral("Text files (*.txt);;All Files (*.*)");

QString JoinLines(const std::vector<std::string> &lines, QString (*decode)(const std::string &)) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string &l : lines) out << decode(l);
  return out.join(QLatin1Char('\n'));
}

// A file people write by hand: UTF-8 when it is valid UTF-8, else Windows-1252.
QString DecodeFileText(const std::string &bytes) {
  std::u16string wide;
  if (!StoredUtf8ToUtf16(bytes, wide)) wide = Cp1252ToUtf16(bytes);
  return QString::fromStdU16String(wide);
}

// Memos hold LF line ends.
QString WithLf(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

std::string MemoBytes(const QPlainTextEdit *memo) {
  return ToUtf8(memo->toPlainText());
}

} // namespace

void TTransGrabFrm::ConnectTools() {
  auto on = [this](QAbstractButton *button, void (TTransGrabFrm::*handler)()) {
    connect(button, &QAbstractButton::clicked, this, handler);
  };
  on(FBlacklist->SpeedButton1, &TTransGrabFrm::SpeedButton1Click);
  on(FBlacklist->Button5, &TTransGrabFrm::Button5Click);
  on(FBlacklist->Button6, &TTransGrabFrm::Button6Click);
  on(FBlacklist->Button7, &TTransGrabFrm::Button7Click);
  on(FBlacklist->Button8, &TTransGrabFrm::Button8Click);
  on(FBlacklist->Button21, &TTransGrabFrm::Button21Click);
  on(FSingleStep->Button2, &TTransGrabFrm::Button2Click);
  on(FSingleStep->Button3, &TTransGrabFrm::Button3Click);
  on(FSingleStep->Button4, &TTransGrabFrm::Button4Click);
  on(FSingleStep->Button9, &TTransGrabFrm::Button9Click);
  on(FSingleStep->Button10, &TTransGrabFrm::Button10Click);
  on(FSingleStep->Button11, &TTransGrabFrm::Button11Click);
  on(FSingleStep->Button12, &TTransGrabFrm::Button12Click);
  on(FSingleStep->Button13, &TTransGrabFrm::Button13Click);
  on(FSingleStep->Button22, &TTransGrabFrm::Button22Click);
  on(FSingleStep->Button23, &TTransGrabFrm::Button23Click);
  on(FSingleStep->Button24, &TTransGrabFrm::Button24Click);
  on(FSingleStep->Button25, &TTransGrabFrm::Button25Click);
  on(FBuildPrj->Button20, &TTransGrabFrm::Button20Click);
  FSingleStep->FilenameGeneral->Browse = [this](const QString &current) {
    return Dialogs.OpenFile(this, tr("Select File"), current, QStringLiteral("All Files (*.*)"));
  };
}

void TTransGrabFrm::ShowLines(const std::vector<std::string> &lines) {
  Memo1->setPlainText(JoinLines(lines, &FromUtf8));
}

void TTransGrabFrm::ShowFormTextLines(const std::vector<std::string> &lines) {
  Memo1->setPlainText(JoinLines(lines, &FromFormText));
}

QString TTransGrabFrm::SelectedForm() const {
  const QListWidgetItem *item = ListBox1->currentItem();
  return item && item->isSelected() ? item->text() : QString();
}

// --- Edit and CustomExtract menus

void TTransGrabFrm::CompareFiles() {
  const QString a = Dialogs.OpenFile(this, QStringLiteral("Open KxLng"), QString(), kLngFilter);
  if (a.isEmpty()) return;
  const QString b = Dialogs.OpenFile(this, QStringLiteral("Open KxLng"), a, kLngFilter);
  if (b.isEmpty()) return;
  std::vector<std::string> lines;
  std::string failed;
  if (!CompareLngFiles(ToUtf8(a), ToUtf8(b), lines, &failed)) {
    Dialogs.ShowError(this, QStringLiteral("Unable to Open File\r") + FromUtf8(failed));
    return;
  }
  ShowLines(lines);
  statusBar()->showMessage(tr("%1 lines of differences").arg(lines.size() - 3));
}

void TTransGrabFrm::ComparekxLngfiles1Click() {
  CompareFiles();
}

void TTransGrabFrm::ExtractRawMsgs1Click() {
  CompareFiles();
}

void TTransGrabFrm::DumpDfmList1Click() {
  ShowLines(GlobalTransForms(FSession.ResourceInfo));
}

void TTransGrabFrm::ListBox1Click() {
  if (!cViewDfm->isChecked()) return;
  const QString name = SelectedForm();
  if (name.isEmpty()) return;
  Memo1->clear();
  Guarded([&] {
    const bool filter = cFilterDFM->isChecked();
    const auto lines = FormView(FSession, ToUtf8(name), filter);
    if (!lines) return;
    if (filter)
      ShowLines(*lines);
    else
      ShowFormTextLines(*lines);
  });
}

void TTransGrabFrm::ExtractManualTree1Click() {
  const QString path =
      Dialogs.OpenFile(this, QStringLiteral("Open List"), QString::fromLatin1(kManualTreeFile), kListFilter);
  if (path.isEmpty()) return;
  std::unique_ptr<THelpNode> root;
  std::string error;
  if (!ReadHelpTree(ToUtf8(path), root, &error)) {
    Dialogs.ShowError(this, FromUtf8(error));
    return;
  }
  if (!root) {
    statusBar()->showMessage(tr("No manual tree in %1").arg(path));
    return;
  }
  const std::vector<std::string> lines = HelpTreeLines(*root);
  ShowLines(lines);
  const QString raw = FExtract->FilenameRawMI->text();
  // Without a raw data file there is nothing to ask about.
  if (!raw.isEmpty() && !Dialogs.AskYesNo(this, QStringLiteral("Update Rawmi with Help Tree?\r") + raw)) {
    FLog.Clear();
    return;
  }
  FLog.Clear();
  if (!WriteHelpTree(ToUtf8(raw), lines, FLog, &error) && !raw.isEmpty())
    Dialogs.ShowError(this, FromUtf8(error));
}

// --- "Blacklist" page

void TTransGrabFrm::SpeedButton1Click() {
  const QString name = SelectedForm();
  if (!name.isEmpty()) FBlacklist->memoBL->appendPlainText(name);
}

void TTransGrabFrm::Button5Click() {
  FBlacklist->memoBL->clear();
}

void TTransGrabFrm::Button6Click() {
  QString path = Dialogs.SaveFile(this, QStringLiteral("Save List"), FExtract->FilenameDfmBlacklist->text(),
                                  kListFilter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
  std::string bytes;
  for (const std::string &name : DistinctSortedNames(MemoBytes(FBlacklist->memoBL))) bytes += name + "\r\n";
  std::string error;
  if (!BackupFile(ToUtf8(path), &error) || !WriteFileAtomic(ToUtf8(path), bytes, &error)) {
    Dialogs.ShowError(this,
                      QStringLiteral("Unable to save file\r") + path + QLatin1Char('\r') + FromUtf8(error));
    return;
  }
  FExtract->FilenameDfmBlacklist->setText(path);
  statusBar()->showMessage(tr("Blacklist saved: %1").arg(path));
}

void TTransGrabFrm::Button7Click() {
  const QString path = Dialogs.OpenFile(this, QStringLiteral("Open List"),
                                        FExtract->FilenameDfmBlacklist->text(), kListFilter);
  if (path.isEmpty()) return;
  std::string bytes, error;
  if (!ReadFileBytes(ToUtf8(path), bytes, &error)) {
    Dialogs.ShowError(this,
                      QStringLiteral("Unable to Open File\r") + path + QLatin1Char('\r') + FromUtf8(error));
    return;
  }
  FBlacklist->memoBL->setPlainText(WithLf(DecodeFileText(bytes)));
  FExtract->FilenameDfmBlacklist->setText(path);
}

void TTransGrabFrm::Button8Click() {
  QStringList names;
  for (int i = 0; i < ListBox1->count(); ++i) names << ListBox1->item(i)->text();
  FBlacklist->memoBL->setPlainText(names.join(QLatin1Char('\n')));
}

void TTransGrabFrm::Button21Click() {
  const std::string merged = MergeIniValues(MemoBytes(Memo1), MemoBytes(FBlacklist->memoBL));
  Memo1->setPlainText(WithLf(FromUtf8(merged)));
}

// --- "TabSheet4", single steps

void TTransGrabFrm::Button2Click() {
  const QString exe = FExtract->FilenameExe->text();
  if (exe.isEmpty()) {
    Dialogs.ShowError(this, tr("No executable selected"));
    return;
  }
  Guarded([&] {
    FSession.OpenExecutable(ToUtf8(exe));
    std::vector<std::string> names = GlobalTransForms(FSession.ResourceInfo);
    ShowLines(names);
    FSession.SetFormList(std::move(names));
    cViewDfm->setChecked(true);
  });
}

void TTransGrabFrm::Button3Click() {
  const QString name = SelectedForm();
  if (name.isEmpty()) return;
  Memo1->clear();
  Guarded([&] {
    if (const auto lines = FormView(FSession, ToUtf8(name), true)) ShowLines(*lines);
  });
}

void TTransGrabFrm::Button4Click() {
  Memo1->clear();
  if (FSession.FormTree) ShowFormTextLines(HintLines(*FSession.FormTree));
}

std::optional<std::vector<std::string>> TTransGrabFrm::ScanExecutable() {
  const QString exe = FExtract->FilenameExe->text();
  std::string bytes, error;
  if (exe.isEmpty() || !ReadFileBytes(ToUtf8(exe), bytes, &error, kMaxExecutableSize)) {
    Dialogs.ShowError(this, QStringLiteral("Unable to Open File\r") + exe);
    return std::nullopt;
  }
  return ScanMessages(bytes);
}

void TTransGrabFrm::Button9Click() {
  const auto found = ScanExecutable();
  if (!found) return;
  FLog.Assign(NumberedMessages(*found));
  ShowLines(DistinctMessages(*found));
}

void TTransGrabFrm::Button10Click() {
  const auto found = ScanExecutable();
  if (!found) return;
  ShowLines(MessageIniLines(ToUtf8(FExtract->FilenameExe->text()), *found));
}

void TTransGrabFrm::Button11Click() {
  LoadGuiDefinitions(FExtract->FilenameGUI->text());
}

void TTransGrabFrm::Button12Click() {
  Memo1->clear();
  ShowLines(UsedActionsSorted(FSession.ResourceInfo));
}

void TTransGrabFrm::Button13Click() {
  Memo1->clear();
  Guarded([&] { ShowLines(PrunedActionsSection(FSession)); });
}

void TTransGrabFrm::Button22Click() {
  const QString path = FSingleStep->FilenameGeneral->text();
  std::u16string text;
  TTextFileFormat format;
  std::string error;
  if (path.isEmpty() || !ReadTextFile(ToUtf8(path), text, format, &error)) {
    Dialogs.ShowError(this, QStringLiteral("Unable to Open File\r") + path);
    return;
  }
  FGeneralPath = path;
  FGeneralFormat = format;
  Memo1->setPlainText(QString::fromStdU16String(text));
}

void TTransGrabFrm::Button23Click() {
  const QString path = FSingleStep->FilenameGeneral->text();
  if (path.isEmpty()) {
    Dialogs.ShowError(this, tr("No file name given"));
    return;
  }
  TTextFileFormat format = FGeneralFormat;
  if (path != FGeneralPath) {
    // Not opened here: keep the form of the file that is there, if any.
    std::u16string ignored;
    format = TTextFileFormat{};
    if (FileExists(ToUtf8(path))) ReadTextFile(ToUtf8(path), ignored, format);
  }
  bool utf8Forced = false;
  std::string error;
  if (!WriteTextFile(ToUtf8(path), Memo1->toPlainText().toStdU16String(), format, &utf8Forced, &error)) {
    Dialogs.ShowError(this,
                      QStringLiteral("Unable to save file\r") + path + QLatin1Char('\r') + FromUtf8(error));
    return;
  }
  if (utf8Forced) {
    format.Utf8 = true;
    FLog.Add("Saved as UTF-8: the text holds characters Windows-1252 lacks\t" + ToUtf8(path));
  }
  FGeneralPath = path;
  FGeneralFormat = format;
  statusBar()->showMessage(tr("Saved: %1").arg(path));
}

void TTransGrabFrm::Button24Click() {
  FSingleStep->Memo3->clear();
}

void TTransGrabFrm::Button25Click() {
  FSingleStep->Memo3->appendPlainText(FSingleStep->FilenameGeneral->text());
}

// --- "Build Prj"

void TTransGrabFrm::Button20Click() {
  std::string back;
  if (!CompressTest(MemoBytes(Memo1), FLog, back)) {
    Dialogs.ShowError(this, tr("The compression test failed"));
    return;
  }
  Memo1->setPlainText(FromUtf8(back));
}

} // namespace vt
