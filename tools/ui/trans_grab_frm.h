#pragma once
// The administrator window: the form list of the current executable or skin, a view memo, a log
// memo, a status bar, and the Extract page that builds raw data files.
#include "extract_page.h"
#include "tools/grab_log.h"
#include "tools/grab_session.h"

#include <QMainWindow>
#include <functional>
#include <optional>

class QAction;
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

  QListWidget *ListBox1;
  QPlainTextEdit *Memo1; // view
  QPlainTextEdit *Memo2; // log
  QTabWidget *PageControl1;
  QAction *OpenRawScriptFile1, *SaveRawScriptFile1;

private:
  void BuildMenus();
  void ShowFormList();
  void ShowLog();
  // Runs a command; toolkit errors end it with a message box and a status-bar note.
  template <typename F> void Guarded(F &&body);

  TGrabSession FSession;
  TGrabLog FLog;
  TExtractPage *FExtract;
  QString FScriptOpenDefault, FScriptSaveDefault;
};

} // namespace vt
