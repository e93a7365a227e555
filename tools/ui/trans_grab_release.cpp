// The pages "Merge RawFiles" and "Build Prj": the release steps from raw data files to language
// projects. The toolkit's plain functions do the work; these handlers read the controls, ask and show.
#include "grab_text.h"
#include "model/ini_file.h"
#include "support/file_io.h"
#include "tools/project_update.h"
#include "tools/raw_merge.h"
#include "trans_grab_frm.h"

#include <QPlainTextEdit>
#include <filesystem>
#include <system_error>

namespace vt {
namespace {

const QString kRawFilter = QStringLiteral("Raw data (*.rawmi);;All Files (*.*)");
const QString kSrcFilter = QStringLiteral("SrcLng (*.SrcLng);;All Files (*.*)");
const QString kKxFilter = QStringLiteral("kxLng (*.kxLng);;All Files (*.*)");
const QString kAnyFilter = QStringLiteral("All Files (*.*)");

// Stored texts are UTF-8 (per UTF-16 unit); a file that is not is read as Windows-1252.
QString DecodeText(const std::string &bytes) {
  std::u16string wide;
  if (!StoredUtf8ToUtf16(bytes, wide)) wide = Cp1252ToUtf16(bytes);
  QString text = QString::fromStdU16String(wide);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

QStringList DecodeLines(const std::vector<std::string> &lines) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string &l : lines) out << DecodeText(l);
  return out;
}

} // namespace

void TTransGrabFrm::ConnectRelease() {
  auto on = [this](QAbstractButton *button, void (TTransGrabFrm::*handler)()) {
    connect(button, &QAbstractButton::clicked, this, handler);
  };
  TMergeRawPage *m = FMergeRaw;
  TBuildPrjPage *b = FBuildPrj;
  on(m->dMerge, &TTransGrabFrm::dMergeClick);
  on(m->dFilterMI, &TTransGrabFrm::dFilterMIClick);
  on(m->Button16, &TTransGrabFrm::Button16Click);
  on(m->dResbuildSrcLng, &TTransGrabFrm::dResbuildSrcLngClick);
  on(m->SpeedButton2, &TTransGrabFrm::SpeedButton2Click);
  on(m->SpeedButton3, &TTransGrabFrm::SpeedButton3Click);
  on(m->SpeedButton4, &TTransGrabFrm::SpeedButton4Click);
  on(m->SpeedButton5, &TTransGrabFrm::SpeedButton5Click);
  on(m->SpeedButton6, &TTransGrabFrm::SpeedButton6Click);
  on(m->SpeedButton7, &TTransGrabFrm::SpeedButton7Click);
  on(m->SpeedButton8, &TTransGrabFrm::SpeedButton8Click);
  on(m->SpeedButton12, &TTransGrabFrm::SpeedButton12Click);
  on(m->SpeedButton13, &TTransGrabFrm::SpeedButton13Click);
  on(b->Button15, &TTransGrabFrm::Button15Click);
  on(b->Button17, &TTransGrabFrm::Button17Click);
  on(b->Button19, &TTransGrabFrm::Button19Click);
  on(b->Button18, &TTransGrabFrm::Button18Click);
  on(b->dRebuildDstPrj, &TTransGrabFrm::dRebuildDstPrjClick);
  on(b->SpeedButton9, &TTransGrabFrm::SpeedButton9Click);
  on(b->SpeedButton10, &TTransGrabFrm::SpeedButton10Click);
  on(b->SpeedButton11, &TTransGrabFrm::SpeedButton11Click);

  auto browse = [this](TFileNameEdit *edit, const QString &caption, const QString &filter, bool save) {
    edit->Browse = [this, caption, filter, save](const QString &current) {
      return save ? Dialogs.SaveFile(this, caption, current, filter)
                  : Dialogs.OpenFile(this, caption, current, filter);
    };
  };
  browse(m->FilenameEdit2, tr("Merge this file"), kAnyFilter, false);
  browse(m->FilenameEdit3, tr("Dest File"), kRawFilter, true);
  browse(m->FilenameRawFile, tr("Raw Filename"), kRawFilter, false);
  browse(m->FilenameTransFile, tr("English Translation File"), kKxFilter, false);
  browse(m->FilenameTransMessages, tr("English Message Corrections"), kAnyFilter, false);
  browse(m->FilenameDestSrcLng, tr("Dest Project File (SrcLng)"), kSrcFilter, true);
  browse(b->fnDstSrcLng, tr("Dest SrcLng File to Update"), kSrcFilter, false);
  browse(b->fnSrcKxLng, tr("Src KxLng File to use"), kKxFilter, false);
  browse(b->FilenameSrcTemplate, tr("SrcLng Template"), kSrcFilter, false);
  browse(b->filenameDstLngFile, tr("Dest SrcLng filename"), kSrcFilter, true);
}

void TTransGrabFrm::ViewFile(const QString &path) {
  std::string bytes, error;
  if (!ReadFileBytes(ToUtf8(path), bytes, &error)) {
    statusBar()->showMessage(tr("Unable to Open File") + QLatin1Char(' ') + path);
    return;
  }
  Memo1->setPlainText(DecodeText(bytes));
}

void TTransGrabFrm::ViewSections(const QString &path) {
  TIniFile ini;
  if (!ini.LoadFromFile(ToUtf8(path))) {
    statusBar()->showMessage(tr("Unable to Open File") + QLatin1Char(' ') + path);
    return;
  }
  Memo1->setPlainText(DecodeLines(ini.SectionNames()).join(QLatin1Char('\n')));
}

void TTransGrabFrm::dMergeClick() {
  Guarded([&] {
    const QString dest = FMergeRaw->FilenameEdit3->text();
    const std::optional<std::string> content =
        MergeRawFiles(ToUtf8(FMergeRaw->FilenameEdit2->text()), ToUtf8(dest), FLog);
    if (!content) return;
    Memo1->setPlainText(DecodeText(*content));
    statusBar()->showMessage(tr("Merged into %1").arg(dest));
  });
}

void TTransGrabFrm::dFilterMIClick() {
  Guarded([&] {
    const QString dest = FMergeRaw->FilenameEdit3->text();
    if (FilterRawFile(ToUtf8(FMergeRaw->FilenameEdit2->text()), ToUtf8(dest), FLog))
      statusBar()->showMessage(tr("Filtered %1").arg(dest));
  });
}

void TTransGrabFrm::Button16Click() {
  const QString path = FMergeRaw->FilenameEdit3->text();
  if (path.isEmpty()) return;
  if (!FileExists(ToUtf8(path))) {
    Dialogs.ShowMessage(this, QStringLiteral("Not Found!\r") + path);
    return;
  }
  if (!Dialogs.AskYesNo(this, QStringLiteral("Delete File?\r") + path)) return;
  std::error_code ec;
  if (!std::filesystem::remove(std::filesystem::path(ToUtf8(path)), ec))
    Dialogs.ShowError(this, tr("Unable to delete file") + QLatin1Char('\r') + path);
  else
    statusBar()->showMessage(tr("Deleted %1").arg(path));
}

void TTransGrabFrm::dResbuildSrcLngClick() {
  Guarded([&] {
    RebuildSrcLng(FMergeRaw->RebuildOptions(), FLog);
    statusBar()->showMessage(tr("SrcLng written: %1").arg(FMergeRaw->FilenameDestSrcLng->text()));
  });
}

void TTransGrabFrm::Button15Click() {
  Guarded([&] {
    TGrabLog view;
    const QString src = FBuildPrj->fnDstSrcLng->text();
    if (!UpdateSrcHints(ToUtf8(src), ToUtf8(FBuildPrj->fnSrcKxLng->text()), view)) return;
    Memo1->setPlainText(DecodeLines(view.Lines()).join(QLatin1Char('\n')));
    statusBar()->showMessage(tr("Written: %1.new").arg(src));
  });
}

void TTransGrabFrm::Button17Click() {
  Guarded([&] {
    const QString src = FBuildPrj->fnDstSrcLng->text();
    if (ApplySrcTranslations(ToUtf8(src), ToUtf8(FBuildPrj->fnSrcKxLng->text()), FLog))
      statusBar()->showMessage(tr("Updated %1").arg(src));
  });
}

void TTransGrabFrm::Button19Click() {
  Guarded([&] {
    const QString target = FBuildPrj->fnDstSrcLng->text();
    CopyTranslations(ToUtf8(FBuildPrj->fnSrcKxLng->text()), ToUtf8(target), FLog);
    statusBar()->showMessage(tr("Updated %1").arg(FromUtf8(KxLngOf(ToUtf8(target)))));
  });
}

void TTransGrabFrm::Button18Click() {
  Guarded([&] {
    BuildLngProject(FBuildPrj->ProjectOptions(), FLog);
    statusBar()->showMessage(tr("Project built: %1").arg(FBuildPrj->filenameDstLngFile->text()));
  });
}

void TTransGrabFrm::dRebuildDstPrjClick() {
  Guarded([&] {
    RebuildDstProject(FBuildPrj->ProjectOptions(), FLog);
    statusBar()->showMessage(tr("Project updated: %1").arg(FBuildPrj->filenameDstLngFile->text()));
  });
}

void TTransGrabFrm::SpeedButton2Click() {
  ViewFile(FMergeRaw->FilenameRawFile->text());
}
void TTransGrabFrm::SpeedButton3Click() {
  ViewFile(FMergeRaw->FilenameEdit2->text());
}
void TTransGrabFrm::SpeedButton4Click() {
  ViewFile(FMergeRaw->FilenameEdit3->text());
}
void TTransGrabFrm::SpeedButton5Click() {
  ViewFile(FMergeRaw->FilenameTransFile->text());
}
void TTransGrabFrm::SpeedButton13Click() {
  ViewFile(FMergeRaw->FilenameTransFile->text());
}
void TTransGrabFrm::SpeedButton6Click() {
  ViewSections(FMergeRaw->FilenameEdit2->text());
}
void TTransGrabFrm::SpeedButton7Click() {
  ViewSections(FMergeRaw->FilenameEdit3->text());
}
void TTransGrabFrm::SpeedButton8Click() {
  ViewFile(FMergeRaw->FilenameDestSrcLng->text());
}
void TTransGrabFrm::SpeedButton9Click() {
  ViewFile(FBuildPrj->FilenameSrcTemplate->text());
}
void TTransGrabFrm::SpeedButton10Click() {
  ViewFile(FBuildPrj->filenameDstLngFile->text());
}
void TTransGrabFrm::SpeedButton11Click() {
  ViewFile(FromUtf8(KxLngOf(ToUtf8(FBuildPrj->filenameDstLngFile->text()))));
}

void TTransGrabFrm::SpeedButton12Click() {
  const QString path = FMergeRaw->FilenameEdit3->text();
  TIniFile ini;
  if (!ini.LoadFromFile(ToUtf8(path))) {
    statusBar()->showMessage(tr("Unable to Open File") + QLatin1Char(' ') + path);
    return;
  }
  Memo1->setPlainText(DecodeLines(DistinctMessageTexts(ini)).join(QLatin1Char('\n')));
}

} // namespace vt
