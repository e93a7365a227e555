#pragma once
// The main window of the translation client: the open project, its three lists, the filters and
// navigation of the top bar, and the editing band. Commands live in one source file per group:
// trans_client_frm.cpp (building the window), trans_client_lifecycle.cpp (open, save, close, exit,
// logon, hints), trans_client_views.cpp (lists, filters, sorting, navigation) and
// trans_client_edit.cpp (current entry, editing, status and comment commands),
// trans_client_suggest.cpp (suggestion band and machine translation) and trans_client_preview.cpp
// (the control preview) and trans_client_backup.cpp (backups, packed projects, project maintenance)
// and trans_client_wordlists.cpp (word lists, statistics, message tools),
// trans_client_form_preview.cpp (the form preview window).
#include "asker.h"
#include "client/core/edit_journal.h"
#include "client/core/edit_session.h"
#include "client/core/list_translate.h"
#include "client/core/machine_text.h"
#include "client/core/section_lines.h"
#include "client/core/suggestion_rules.h"
#include "list_models.h"
#include "model/word_list.h"
#include "mt/ui/browser_translator.h"
#include "support/zip_file.h"

#include <QMainWindow>
#include <QPoint>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSpinBox;
class QSplitter;
class QTimer;
class QToolButton;

namespace vt {

namespace samples {
class TPreviewSurface;
class TStaticToolControl;
} // namespace samples
struct TPreviewFont;

class TCommitComboBox;
class TProjectPreload;
class TStaticHotBtn;
class TThemePaintBox;
class TVirtualTree;

class TTransClientFrm3 : public QMainWindow {
  Q_OBJECT
public:
  explicit TTransClientFrm3(QWidget *parent = nullptr);
  ~TTransClientFrm3() override;

  static constexpr const char *kCaption = "Vantreo Translation Client 1.01";
  static constexpr const char *kSaveQuestion = "Save Changes to Current File?";
  static constexpr const char *kAdminPassword = "482";

  // Questions, messages and file dialogs; the window keeps the asker it is given.
  void SetAsker(std::unique_ptr<TAsker> asker);
  // The administrator window, shown by "Grab Source Data...".
  void SetGrabForm(QWidget *form);
  // The browser translation dialog, used by "Google Translate" and its reverse command. The window
  // makes its own when first needed unless one is given here; BrowserDialog() is null until then.
  void SetBrowserDialog(TBrowserTranslator *dialog);
  TBrowserTranslator *BrowserDialog() const { return FBrowserDialog; }

  // Start arguments and tests: open a file as OpenFile1Click does after its dialog; pick a section
  // row by name; make an entry current by its full id. Each returns whether it succeeded.
  // With a preload of that very file, the project it read is taken instead of reading it again.
  bool OpenProjectFile(const QString &path, TProjectPreload *preload = nullptr);
  // "Import Packed Project" for an archive chosen already (a packed project given at start): asks for
  // the target pair, unpacks and opens it. False when nothing was opened.
  bool ImportPackedProjectFrom(const QString &archive);
  bool ChooseSection(const QString &name);
  bool ChooseEntry(const QString &fullId);
  // Shows or hides the same-source band as "Advanced Tools" does.
  void ShowAdvancedTools(bool show);

  TWordList &CurrentProject() { return *Project; }
  TWordObj *Current() const { return FSession.Current(); }
  int UpdateDepthValue() const { return UpdateDepth; }
  // The main list's sort: column and sign (+1 ascending, -1 descending).
  TSortColumn SortColumnValue() const { return SortColumn; }
  int SortSignValue() const { return SortSign; }
  // Whether the suggestion lists of the current entry are still to be built.
  bool SuggestionsPending() const;

  // --- lifecycle -------------------------------------------------------------------------------
  void FormCreate();
  void FormDestroy();
  bool TntFormCloseQuery();
  void OpenFile1Click();
  void SaveFile1Click();
  void CloseCurrentFile1Click();
  void Exit1Click();
  void AdminLogon1Click();
  void AdvancedTools1Click();
  void Instructions1Click();
  void StaticHotBtn18SubmitData() { OpenFile1Click(); }
  void StaticHotBtn1SubmitData() { SaveFile1Click(); }
  void RxSplitter2PosChanged();
  void RxSplitter3PosChanged();
  void RxSplitter4PosChanged();
  void pnl_trans_rightResize();
  void ApplicationEvents1Hint(const QString &hint);
  bool ApplicationEvents1ShowHint(QWidget *control, const QPoint &globalPos);
  void TimerBUTimer();

  // --- views, filters, navigation --------------------------------------------------------------
  void FillSectionList();
  void CountSectionProgress();
  void RebuildItemList();
  void SortItemList(TVirtualTree *list);
  void NavigateItem(int direction);
  void vtListFocusChanged();
  void ListboxSectionsClick();
  void vt1FocusChanged(TVirtualTree *list);
  void vt1HeaderClick(int column);
  void vt1aHeaderClick(int column);
  void IDValue1Click(QAction *item);
  void MenuItem1Click(QAction *item);
  void cbStatusClick() { ListboxSectionsClick(); }
  void cbTypesClick() { ListboxSectionsClick(); }
  void cDeDupClick() { ListboxSectionsClick(); }
  void Label9Click();
  void cTextfiltClick();
  void Label7Click();
  void cbSearchMethodClick();
  void Filter1Click();
  void ViewAll1Click();
  void stFilterSubmitData() { ViewAll1Click(); }
  void Next1Click() { NavigateItem(+1); }
  void Previous1Click() { NavigateItem(-1); }
  void stNextSubmitData() { NavigateItem(+1); }
  void stPrevSubmitData() { NavigateItem(-1); }

  // --- editing ---------------------------------------------------------------------------------
  // A command that changes many entries runs between these: the current entry is settled first,
  // and afterwards the editors are reloaded and a fresh undo copy taken.
  void BeginBatchChange();
  void EndBatchChange();
  void SelectEntry(TWordObj *entry);
  bool CommitEntryChange();
  void ShowEntryStatus();
  void TntMemoLngChange();
  void TntMemoSrcChange();
  void Update1Click();
  void Undo1Click();
  void ClearTranslation1Click();
  void CopyOriginaltoClipboard1Click();
  void CopyTranslationtoClipboard1Click();
  void PastefromClipboard1Click();
  void cFuzzyClick();
  void cWarningClick();
  void cNeedsWorkClick();
  void cIsAutoClick();
  void AutoTranslated1Click();
  void Queried1Click();
  void NeedsWork1Click();
  void Warning1Click();
  void editQueryChange();
  void Clear1Click();
  void NotSureaboutmeaning1Click();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void stMoveDownSubmitData();
  void stRawToTransSubmitData();

  // --- suggestions and machine translation ---------------------------------------------------------
  void Timer_SuggestionsTimer();
  void BuildSuggestions(bool similar, bool suggestions);
  void vt2FocusChanged();
  void vt2DblClick();
  void ApplytoSimilar1Click();
  void stApplyToSimilarSubmitData() { ApplytoSimilar1Click(); }
  void AutoTranslate1Click();
  void stAutoTranslateSubmitData() { AutoTranslate1Click(); }
  void ApplyAutoTranslation1Click();
  void GoogleTranslate1Click();
  void stGoogleTranslateSubmitData() { GoogleTranslate1Click(); }
  void GoogleReverseTranslation1Click();
  void stRevTransSubmitData() { GoogleReverseTranslation1Click(); }

  // --- backups, packed projects, project maintenance ------------------------------------------------
  void BackupFile1Click();
  void ExportPackedProject1Click();
  void ImportPackedProject1Click();
  void CloneProjectas1Click();
  void ResaveEntireFiles1Click();
  void BuildUpdatedSrcLng1Click();
  void MergeHints1Click();
  // The clock of backup names and archive times (the local time unless set).
  void SetBackupClock(TZipClock clock);

  // --- compile commands and list-wide machine translation (trans_client_compile.cpp) -------------
  void CompileFinalkxLngFile1Click();
  void CompileextractedkxLngfile1Click();
  void ExtractSrcLngdata1Click();
  void AutoTranslateList1Click();
  void AutoGoogleTranslateList1Click();
  // While a list run lasts: stops it and keeps command to run once it has ended (true); otherwise
  // false and the caller goes on.
  bool DeferDuringListRun(std::function<void()> command);
  bool ListRunActive() const { return FListRun.Active; }
  // How long one row of "Auto GoogleTranslateList" may take before it counts as cancelled.
  void SetListRowLimitMs(int ms) { ListRowLimitMs = ms; }

  // --- control preview -------------------------------------------------------------------------
  void ShowPreview();
  void SetPreviewControl(QWidget *control);
  void PlacePreviewControl(QWidget *control, int width, int height);
  void ApplyPreviewFont(QWidget *control, const TPreviewFont &font);
  void ApplyPreviewIcon(samples::TStaticToolControl *control, int iconSize);
  QWidget *PreviewControl() const;
  samples::TPreviewSurface &PreviewSurface() { return *FPreviewSurface; }

  // --- form preview window (trans_client_form_preview.cpp) ---------------------------------------
  void ShowFormPreview();
  void ShowEntryPreview(TWordObj *entry);
  void PreviewControlClicked(QObject *control);
  void PreviewClosed();
  void PreviewScreenOnOff1Click();
  void stPreviewSubmitData() { PreviewScreenOnOff1Click(); }
  void vtListDblClick();
  void vt1DblClick();
  void cShowTransClick();
  // The preview window, shown or hidden; null when there is none.
  class TPrevDfmFrm *PreviewWindow() const {
    return PreviewForm.get();
  }
  bool PreviewShowing() const;
  // The fit check of every section with a form text (or of one): one line per finding, "full id,
  // needed px, available px, reason, text" separated by tabs. False with a reason when a named
  // section has no form text or a form text cannot be read.
  bool FitReportLines(const QString &section, std::vector<std::string> &lines, QString *error);
  // --- batch text fixes (trans_client_batch.cpp) ------------------------------------------------
  void SetAutoTranslatedFlag1Click();
  void ClearAutoTranslatedFlag1Click();
  void ClearallTranslations1Click();
  void CopyFromSrcText1Click();
  void RemoveExactTranslations1Click();
  void SetQueryFlag1Click();
  void RemoveQueryFlags1Click();
  void SetModifiedFlag1Click();
  void RemoveModifiedFlag1Click();
  void SetWarning1Click();
  void RemoveWarnings1Click();
  void AddUnicodeTestChar1Click();
  void RemoveUnicodeTestChar1Click();
  void AddNumbers1Click();
  void ShowGUI1Click();
  void ShowApp1Click();
  void ReplicatetrailingPeriods1Click();
  void RemoveTrailingperiod1Click();
  void RemoveAccelerators1Click();
  void CaptilaizeSelected1Click();
  void test1Click();
  void FlagAuto1Click();
  void FixInvalid1Click();
  void FixHtmlCodes1Click();
  void FixParamcase1Click();
  void MarknonAscii1Click();
  void MarkTransAPIErros1Click();
  void ReplaceText1Click();
  void Capitalize1Click();
  void AddTrailing1Click();
  void StripTrailing1Click();
  void MirrorTrailing1Click();
  void StripEOL1Click();
  // How often "test" sounded the system beep.
  int BeepCount() const { return FBeepCount; }

  // Runs a command; an error escaping it ends only that command and is written to stderr and the
  // status bar.
  template <class Fn> void Guard(const char *command, Fn &&fn);
  void ReportError(const char *command, const QString &what);

protected:
  void closeEvent(QCloseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  // Building the window (trans_client_frm.cpp).
  void BuildTopPanel();
  void BuildClientArea();
  void BuildBottomBand();
  QWidget *BuildRawLeft();
  QWidget *BuildTransRight();
  void BuildMenus();
  void BuildPopupMenus();
  void ApplyAccessibleIds();
  // Puts the keyboard focus into a main pane (showing a pane that was dragged shut).
  void GoToPane(QWidget *pane);
  QAction *AddAction(QMenu *menu, const QString &caption, const char *name, const QKeySequence &key = {});
  template <class Sender, class Signal, class Handler>
  void Wire(Sender *sender, Signal signal, Handler handler, const char *command);
  TStaticHotBtn *MakeButton(QWidget *parent, const char *name, const QString &caption, const char *icon,
                            int iconSize, const QString &hint, const QString &fullHint);

  // Views (trans_client_views.cpp).
  TVirtualTree *MakeEntryList(const char *name, bool sameSource);
  void ConfigureEntryColumns(TVirtualTree *list, bool sameSource);
  void RepaintEntryLists();
  // The translation editor's description carries the current entry's status in words.
  void DescribeEntryStatus();
  QString ChosenSectionName() const;
  TFilterMode ChosenFilterMode() const;

  // Lifecycle helpers (trans_client_lifecycle.cpp).
  // Asks the save question when modified; false when the user cancelled or the save failed.
  bool SettleModifiedProject();
  bool SaveProject();
  void RunBackup();
  void ResetProject();

  // Edit helpers (trans_client_edit.cpp).
  // Loads the editors, the status boxes and the preview from the current entry.
  void ReloadEditors();
  // The editor's text with its line breaks as CR LF.
  static std::u16string EditorText(const QPlainTextEdit *memo);
  void FillInfoMemo(const TWordObj *entry);
  void SetQueryColor();
  void StatusBoxClick(QCheckBox *box, QAction *item, TEntryFlags flag);
  void ToggleStatusBox(QCheckBox *box);
  void AnnounceStatusChange(const QCheckBox *box);
  void SetMemoText(QPlainTextEdit *memo, const QString &text);

  // Backup helpers (trans_client_backup.cpp).
  void WireBackupCommands();
  // Writes the backup now; false (after its message) when it could not be written.
  bool WriteBackup();
  // A save dialog of the maintenance commands; the chosen path, or empty on Cancel.
  std::string AskTargetFile(const QString &title, const QString &proposed, const QString &filter,
                            const QString &suffix);
  // Asks before files other than the one the dialog confirmed are replaced; true to go on.
  bool ConfirmReplace(const std::vector<std::string> &targets, const std::string &chosen);

  // --- batch text fixes (trans_client_batch.cpp) ------------------------------------------------
  void WireBatchCommands();
  // Runs a list command between BeginBatchChange and EndBatchChange and journals what it changed.
  void RunListFix(int (*fix)(TWordList &, TEntryList *));
  // Puts an editor rule's result into the translation editor, whose change handler stores it.
  void PutEditorResult(const std::u16string &result);
  // Makes each visible entry of the list current in turn and runs an editor command on it.
  void EditEachSelected(void (TTransClientFrm3::*command)());
  int FBeepCount = 0;

  // --- journal of unsaved edits (trans_client_journal.cpp) ----------------------------------------
  // After a project opened: offers to replay a journal left behind, then starts journalling.
  void OfferJournalRecovery();
  // Notes entries that a command changed besides the current one.
  void JournalEntries(const TEntryList &entries);
  // After every command: notes the current entry and writes what was noted.
  void JournalCommandDone();
  // The project was saved: the journal starts afresh.
  void JournalSaved();
  // The project's changes were deliberately dropped (or there were none): the journal goes.
  void JournalDiscard();

  // Compile and list-run helpers (trans_client_compile.cpp).
  void WireCompileCommands();
  void RunListTranslation(bool browser);
  TRowOutcome TranslateListRowByBrowser(TBrowserTranslator &dialog, TWordObj &entry);
  struct TListRunState {
    bool Active = false;
    bool Stop = false;
    std::function<void()> After; // a command asked for during the run
  };
  TListRunState FListRun;
  int ListRowLimitMs = 30000;
  QAction *CompileFinalkxLngFile1 = nullptr, *CompileextractedkxLngfile1 = nullptr,
          *ExtractSrcLngdata1 = nullptr, *AutoTranslateList1 = nullptr, *AutoGoogleTranslateList1 = nullptr;
  // Form preview helpers (trans_client_form_preview.cpp).
  void WireFormPreviewCommands();
  // Opens or refreshes the preview of a section; with an entry, as ShowEntryPreview does.
  void OpenFormPreview(const QString &section, TWordObj *entry, bool entryMode);
  void FreeFormPreview();
  void SetPreviewPressed(bool pressed);
  // While the preview shows: frames the current entry's control, or nothing for an entry of
  // another section.
  void HighlightCurrentInPreview();
  // The fit check of the shown preview, told in the status bar.
  void ReportPreviewFit();
  std::unique_ptr<class TPrevDfmFrm> PreviewForm;
  std::unique_ptr<class TIniFile> FPreviewStore;
  QPoint FPreviewPlace{0, 0};

  // Suggestion helpers (trans_client_suggest.cpp).
  void WireSuggestionCommands();
  void RepaintSuggestionLists();
  // Runs the browser dialog on a request; puts an accepted result into the editor as an update.
  void RunBrowserDialog(const std::string &request, bool reverse);
  // The browser dialog given by SetBrowserDialog, or one made now.
  TBrowserTranslator *NeedBrowserDialog();

  // --- components ------------------------------------------------------------------------------
  QWidget *PanelTop = nullptr;
  TThemePaintBox *PaintBox1 = nullptr;
  TStaticHotBtn *StaticHotBtn18 = nullptr, *StaticHotBtn1 = nullptr, *stFilter = nullptr, *stPrev = nullptr,
                *stNext = nullptr, *StaticHotBtn2 = nullptr;
  QComboBox *cbStatus = nullptr, *cbTypes = nullptr, *cbNavMethod = nullptr;
  TCommitComboBox *cbSearchMethod = nullptr;
  QCheckBox *cDeDup = nullptr, *cTextfilt = nullptr;
  QLabel *Label9 = nullptr, *Label7 = nullptr;

  QWidget *pnl_client = nullptr;
  QSplitter *RxSplitter3 = nullptr, *RxSplitter2 = nullptr, *RxSplitter4 = nullptr, *RxSplitter5 = nullptr,
            *RxSplitter1 = nullptr;
  TVirtualTree *vtList = nullptr, *vt1 = nullptr, *vt1a = nullptr, *vt2 = nullptr;
  TSectionListModel *vtListModel = nullptr;
  TEntryListModel *vt1Model = nullptr, *vt1aModel = nullptr;
  TSuggestionListModel *vt2Model = nullptr;
  QWidget *Panel1 = nullptr, *PanelPreview = nullptr;

  QWidget *pnl_RT_Bottom = nullptr, *pnl_rawleft = nullptr, *pnl_trans_right = nullptr;
  TStaticHotBtn *stRevTrans = nullptr, *stCopyRaw = nullptr, *stPreview = nullptr, *stRawToTrans = nullptr;
  QCheckBox *cShowTrans = nullptr, *cStripCaps = nullptr;
  QLineEdit *editLn = nullptr;
  QLabel *labelStInfo = nullptr, *Label2 = nullptr, *TntLabel1 = nullptr;
  QPlainTextEdit *TntMemoSrc = nullptr, *memoInfo = nullptr, *TntMemoLng = nullptr;
  QCheckBox *cWarning = nullptr, *cNeedsWork = nullptr, *cReplaceAuto = nullptr, *cIsAuto = nullptr,
            *cFuzzy = nullptr;
  TStaticHotBtn *stClear = nullptr, *stUndo = nullptr, *stCopyTrans = nullptr, *stPaste = nullptr,
                *stApplyToSimilar = nullptr, *stGoogleTranslate = nullptr, *stAutoTranslate = nullptr,
                *stMoveDown = nullptr, *stUpdate = nullptr;
  QWidget *BevelRight = nullptr, *Bevel8 = nullptr;
  QToolButton *RxSpeedButton1 = nullptr, *SpeedButton1 = nullptr, *SpeedButton2 = nullptr;
  QLineEdit *editQuery = nullptr;
  QLabel *StatusPanel0 = nullptr, *StatusPanel1 = nullptr;

  TSectionLines ListboxSections;
  QWidget *PanelHidden = nullptr;
  QLineEdit *editSearchText = nullptr;
  QSpinBox *rxWordCount = nullptr;

  QTimer *Timer_Suggestions = nullptr, *TimerBU = nullptr, *TimerJournal = nullptr;
  TSuggestionCountdown SuggestionCountdown;

  QMenu *PopupMenu1 = nullptr, *PopupMenu2 = nullptr, *PopupMenu3 = nullptr, *PopupMenu4 = nullptr;
  QMenu *AdminMenus[5] = {};
  QAction *OpenFile1 = nullptr, *SaveFile1 = nullptr, *CloseCurrentFile1 = nullptr, *AdminLogon1 = nullptr,
          *Exit1 = nullptr, *Next1 = nullptr, *Previous1 = nullptr, *Undo1 = nullptr,
          *ClearTranslation1 = nullptr, *Update1 = nullptr, *ApplytoSimilar1 = nullptr,
          *CopyTranslationtoClipboard1 = nullptr, *CopyOriginaltoClipboard1 = nullptr,
          *PastefromClipboard1 = nullptr, *ViewAll1 = nullptr, *AdvancedTools1 = nullptr,
          *AutoTranslated1 = nullptr, *Queried1 = nullptr, *NeedsWork1 = nullptr, *Warning1 = nullptr,
          *Filter1 = nullptr, *Instructions1 = nullptr, *Clear1 = nullptr, *NotSureaboutmeaning1 = nullptr,
          *AutoTranslate1 = nullptr, *GoogleTranslate1 = nullptr, *GoogleReverseTranslation1 = nullptr,
          *ApplyAutoTranslation1 = nullptr;
  QAction *BackupFile1 = nullptr, *ImportPackedProject1 = nullptr, *ExportPackedProject1 = nullptr,
          *BuildUpdatedSrcLng1 = nullptr, *ResaveEntireFiles1 = nullptr, *CloneProjectas1 = nullptr,
          *MergeHints1 = nullptr;
  QAction *PreviewScreenOnOff1 = nullptr;
  // One key to each main pane: sections, entries, translation.
  QAction *GoToSections1 = nullptr, *GoToEntries1 = nullptr, *GoToTranslation1 = nullptr;

  // --- state -----------------------------------------------------------------------------------
  TRef<TWordList> Project;
  // The current entry, its undo copy and the rules that change entries.
  TEditSession FSession;
  // Every change to an entry, written beside the project until it is saved.
  TEditJournal FJournal;
  int UpdateDepth = 0;
  bool FocusInSameSource = false;
  TSortColumn SortColumn = TSortColumn::Id;
  int SortSign = +1;
  int MemoLngGuard = 0; // re-entry guard of TntMemoLng

  std::unique_ptr<TAsker> FAsker;
  TZipClock FBackupClock;
  QWidget *FGrabForm = nullptr;
  TBrowserTranslator *FBrowserDialog = nullptr;
  std::unique_ptr<TBrowserTranslator> FOwnBrowserDialog;
  std::unique_ptr<samples::TPreviewSurface> FPreviewSurface;
  class THintEx32 *FHintWindow = nullptr;
  QString FCurrentHint;
  bool FDestroyed = false;
  int FHeaderSortColumn[2] = {3, 3};
  bool FHeaderDescending[2] = {false, false};

  // --- word lists, statistics, message tools (trans_client_wordlists.cpp) --------------------------
public:
  void ExtractWordList1Click();
  void MergefromWordList1Click();
  void ExtractRawMsgs1Click();
  void MergeRawWordlist1Click();
  void ListMsgDiffs1Click();
  void LoadfromTranslationRepository1Click();
  void WordFrequList1Click();
  void Statistics1Click();
  void DumpRawStrings1Click();
  void Hash1Click();
  // Shows a command's text result in TntMemoSrc, read-only and scrollable, until an entry becomes
  // current; the current entry is settled and let go first, so the text is no entry's original.
  void ShowTextResult(const QString &text);

private:
  void WireWordListCommands();
  std::string AskExportTarget();
  std::string AskImportSource();
  void WriteExportResult(const std::string &bytes, const std::string &path);
  void MergeWordListFile(bool rawMessages);
  // Journal, backup timer, section counts and lists after a command filled entries.
  void EntriesFilled(const TEntryList &changed);
  QAction *ExtractWordList1 = nullptr, *MergefromWordList1 = nullptr, *ExtractRawMsgs1 = nullptr,
          *MergeRawWordlist1 = nullptr, *ListMsgDiffs1 = nullptr, *LoadfromTranslationRepository1 = nullptr,
          *WordFrequList1 = nullptr, *Statistics1 = nullptr, *DumpRawStrings1 = nullptr, *Hash1 = nullptr;
};

// Raised around every programmatic change of the window's views, memos and boxes.
class TUpdateScope {
public:
  explicit TUpdateScope(int &depth) : FDepth(depth) { ++FDepth; }
  ~TUpdateScope() { --FDepth; }
  TUpdateScope(const TUpdateScope &) = delete;
  TUpdateScope &operator=(const TUpdateScope &) = delete;

private:
  int &FDepth;
};

template <class Fn> void TTransClientFrm3::Guard(const char *command, Fn &&fn) {
  try {
    fn();
  } catch (const std::exception &error) {
    ReportError(command, QString::fromUtf8(error.what()));
  } catch (...) {
    ReportError(command, QStringLiteral("unknown error"));
  }
  JournalCommandDone();
}

template <class Sender, class Signal, class Handler>
void TTransClientFrm3::Wire(Sender *sender, Signal signal, Handler handler, const char *command) {
  connect(sender, signal, this, [this, handler, command] { Guard(command, [&] { (this->*handler)(); }); });
}

} // namespace vt
