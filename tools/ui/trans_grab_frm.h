#pragma once
// The administrator window: the form list of the current executable or skin, a view memo, a log
// memo, a status bar, the Extract page that builds raw data files, and the smaller tools: file
// comparison, form lists and views, the black list, single extraction steps and the manual tree.
#include "blacklist_page.h"
#include "build_prj_page.h"
#include "extract_page.h"
#include "merge_raw_page.h"
#include "single_step_page.h"
#include "tools/error.h"
#include "tools/grab_log.h"
#include "tools/grab_session.h"
#include "tools/text_file.h"

#include <QMainWindow>
#include <QStatusBar>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;

namespace vt {

// The window's questions to the user; tests replace them.
struct TGrabDialogs {
  // caption, start path, filter; an empty result means cancelled.
  std::function<QString(QWidget *, const QString &, const QString &, const QString &)> OpenFile;
  std::function<QString(QWidget *, const QString &, const QString &, const QString &)> SaveFile;
  std::function<void(QWidget *, const QString &)> ShowError;
  // A question with Yes and No; true for Yes.
  std::function<bool(QWidget *, const QString &)> AskYesNo;
  // A message with an OK button.
  std::function<void(QWidget *, const QString &)> ShowMessage;
};

class TTransGrabFrm : public QMainWindow {
  Q_OBJECT
public:
  explicit TTransGrabFrm(QWidget *parent = nullptr);
  ~TTransGrabFrm() override;

  TGrabDialogs Dialogs;

  // Handlers, named after their components.
  void Button1Click();
  void dExtractDataClick();
  void SaveRawScriptFile1Click();
  void OpenRawScriptFile1Click();
  void ListBox1Click();
  // Menus "Edit" and "CustomExtract".
  void ComparekxLngfiles1Click();
  void ExtractRawMsgs1Click();
  void DumpDfmList1Click();
  void ExtractManualTree1Click();
  // The "Blacklist" page.
  void SpeedButton1Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Button21Click();
  // "TabSheet4", the single steps.
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button9Click();
  void Button10Click();
  void Button11Click();
  void Button12Click();
  void Button13Click();
  void Button22Click();
  void Button23Click();
  void Button24Click();
  void Button25Click();
  // "Build Prj": "compress test".
  void Button20Click();
  // "Merge RawFiles" and "Build Prj" (trans_grab_release.cpp): merge, removal, rebuild, source texts,
  // language projects, and the buttons that show their files.
  void dMergeClick();
  void dFilterMIClick();
  void Button16Click();
  void dResbuildSrcLngClick();
  void Button15Click();
  void Button17Click();
  void Button19Click();
  void Button18Click();
  void dRebuildDstPrjClick();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void SpeedButton5Click();
  void SpeedButton6Click();
  void SpeedButton7Click();
  void SpeedButton8Click();
  void SpeedButton9Click();
  void SpeedButton10Click();
  void SpeedButton11Click();
  void SpeedButton12Click();
  void SpeedButton13Click();
  TMergeRawPage *MergeRawPage() const { return FMergeRaw; }
  // Sets the Extract page from a raw script; false when the file does not exist.
  bool LoadRawScript(const QString &path);

  // Helpers over the form reader.
  void OpenExecutable(const QString &path);
  int FindForm(const QString &name) const;
  std::optional<QStringList> FormLines(int index) const;
  void FillFormList();
  void LoadGuiDefinitions(const QString &skinFile);

  TGrabSession &Session() { return FSession; }
  TExtractPage *ExtractPage() const { return FExtract; }
  TBlacklistPage *BlacklistPage() const { return FBlacklist; }
  TSingleStepPage *SingleStepPage() const { return FSingleStep; }
  TBuildPrjPage *BuildPrjPage() const { return FBuildPrj; }

  QCheckBox *cViewDfm, *cFilterDFM;
  QListWidget *ListBox1;
  QPlainTextEdit *Memo1; // view
  QPlainTextEdit *Memo2; // log
  QTabWidget *PageControl1;
  QAction *OpenRawScriptFile1, *SaveRawScriptFile1;
  QAction *DumpDfmList1, *ComparekxLngfiles1, *ExtractRawMsgs1, *ExtractManualTree1;

private:
  void BuildMenus();
  void ConnectTools();
  void ConnectRelease();
  // The whole text of a file, or its section names, in the view memo.
  void ViewFile(const QString &path);
  void ViewSections(const QString &path);
  void ShowFormList();
  // The view memo in one piece: lines of stored (UTF-8) text, or of 8-bit form text.
  void ShowLines(const std::vector<std::string> &lines);
  void ShowFormTextLines(const std::vector<std::string> &lines);
  // The selected name of the form list, or empty.
  QString SelectedForm() const;
  // The marked messages of the Extract page's executable; none after an error was shown.
  std::optional<std::vector<std::string>> ScanExecutable();
  void CompareFiles();
  void ShowLog();
  // Runs a command; toolkit errors end it with a message box and a status-bar note.
  template <typename F> void Guarded(F &&body);

  TGrabSession FSession;
  TGrabLog FLog;
  TExtractPage *FExtract;
  TBlacklistPage *FBlacklist;
  TMergeRawPage *FMergeRaw;
  TBuildPrjPage *FBuildPrj;
  TSingleStepPage *FSingleStep;
  QString FScriptOpenDefault, FScriptSaveDefault;
  // The form of the file "Open" last read into the view memo, so that "Save" writes it back alike.
  QString FGeneralPath;
  TTextFileFormat FGeneralFormat;
};

template <typename F> void TTransGrabFrm::Guarded(F &&body) {
  try {
    body();
  } catch (const EGrabAssertion &e) {
    const QString text = QString::fromUtf8(e.what()) + QStringLiteral(" (") +
                         QString::fromLatin1(EGrabAssertion::Source) + QStringLiteral(")");
    statusBar()->showMessage(text);
    Dialogs.ShowError(this, text);
  } catch (const EGrabError &e) {
    statusBar()->showMessage(QString::fromUtf8(e.what()));
    Dialogs.ShowError(this, QString::fromUtf8(e.what()));
  }
}

} // namespace vt
