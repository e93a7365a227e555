// The suggestion band and the machine-translation commands: the debounce of the same-source and
// suggestion lists, taking a suggestion, the double-click fill, "Apply to Similar", "Auto
// Translate" line by line, "Apply Auto Translation" and the two browser commands.
#include "controls/hot_button.h"
#include "mt/translator_web_utils.h"
#include "trans_client_frm.h"
#include "virtual_tree.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace vt {

void TTransClientFrm3::WireSuggestionCommands() {
  Wire(AutoTranslate1, &QAction::triggered, &TTransClientFrm3::AutoTranslate1Click, "AutoTranslate1Click");
  Wire(ApplyAutoTranslation1, &QAction::triggered, &TTransClientFrm3::ApplyAutoTranslation1Click,
       "ApplyAutoTranslation1Click");
  Wire(GoogleTranslate1, &QAction::triggered, &TTransClientFrm3::GoogleTranslate1Click,
       "GoogleTranslate1Click");
  Wire(GoogleReverseTranslation1, &QAction::triggered, &TTransClientFrm3::GoogleReverseTranslation1Click,
       "GoogleReverseTranslation1Click");
  Wire(ApplytoSimilar1, &QAction::triggered, &TTransClientFrm3::ApplytoSimilar1Click, "ApplytoSimilar1Click");
  Wire(stApplyToSimilar, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stApplyToSimilarSubmitData,
       "stApplyToSimilarSubmitData");
  Wire(stAutoTranslate, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stAutoTranslateSubmitData,
       "stAutoTranslateSubmitData");
  Wire(stGoogleTranslate, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stGoogleTranslateSubmitData,
       "stGoogleTranslateSubmitData");
  Wire(stRevTrans, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stRevTransSubmitData,
       "stRevTransSubmitData");
  connect(vt2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { Guard("vt2FocusChanged", [this] { vt2FocusChanged(); }); });
  connect(vt2, &QAbstractItemView::doubleClicked, this,
          [this] { Guard("vt2DblClick", [this] { vt2DblClick(); }); });
}

void TTransClientFrm3::SetBrowserDialog(TBrowserTranslator *dialog) {
  FBrowserDialog = dialog;
  if (FBrowserDialog) FOwnBrowserDialog.reset();
}

// The embedded browser is started only by the first command that needs it, so the window never
// depends on it starting.
TBrowserTranslator *TTransClientFrm3::NeedBrowserDialog() {
  if (!FBrowserDialog) {
    QString error;
    FOwnBrowserDialog.reset(MakeBrowserTranslator(nullptr, &error));
    FBrowserDialog = FOwnBrowserDialog.get();
    if (!FBrowserDialog) FAsker->Error(this, error);
  }
  return FBrowserDialog;
}

bool TTransClientFrm3::SuggestionsPending() const {
  return Timer_Suggestions->isActive();
}

void TTransClientFrm3::RepaintSuggestionLists() {
  RepaintEntryLists();
  vt2Model->RefreshAll();
}

// ---- debounce and lists -----------------------------------------------------------------------

void TTransClientFrm3::Timer_SuggestionsTimer() {
  if (!SuggestionCountdown.Tick()) {
    if (!SuggestionCountdown.Running()) Timer_Suggestions->stop();
    return;
  }
  Timer_Suggestions->stop();
  BuildSuggestions(!FocusInSameSource, true);
}

void TTransClientFrm3::BuildSuggestions(bool similar, bool suggestions) {
  if (!Project) return;
  Project->UpdateSuggestions(FSession.Current(), similar, suggestions);
  TUpdateScope scope(UpdateDepth);
  if (similar) vt1aModel->SetRowCount(static_cast<int>(Project->SimilarItems.Count()));
  if (suggestions) vt2Model->SetRowCount(static_cast<int>(Project->Suggestions.Count()));
}

// ---- taking suggestions -----------------------------------------------------------------------

void TTransClientFrm3::vt2FocusChanged() {
  if (UpdateDepth > 0) return;
  const TWordObj *s = vt2Model->Entry(vt2->FocusedRow());
  if (!s || !FSession.Current()) return;
  const TSuggestionPick pick = TakeSuggestion(*s);
  if (pick.Action == TSuggestionAction::AutoTranslate) {
    AutoTranslate1Click();
    return;
  }
  if (pick.Action == TSuggestionAction::SetText) {
    const QString text = ToQString(pick.Text);
    if (TntMemoLng->toPlainText() != text)
      TntMemoLng->setPlainText(text); // the change handler stores it as an edit
    else
      TntMemoLngChange();
  }
  RepaintSuggestionLists();
}

void TTransClientFrm3::vt2DblClick() {
  if (!FSession.Current()) return;
  // The filled entries are unconfirmed suggestions (no Changed mark), but they are new work that a
  // close must not drop without asking.
  for (const TWordObj *entry : Project->SimilarItems) FJournal.Baseline(*entry);
  if (FillSimilarFromEditor(Project->SimilarItems, EditorText(TntMemoLng)) > 0) Project->Modified = true;
  for (const TWordObj *entry : Project->SimilarItems) FJournal.Note(*entry);
  ShowEntryStatus();
  RepaintSuggestionLists();
}

void TTransClientFrm3::ApplytoSimilar1Click() {
  const TWordObj *chosen = vt1Model->Entry(vt1->FocusedRow());
  if (!chosen || !FSession.Current()) return;
  TntMemoLng->setPlainText(ToQString(chosen->TranslationDisplay()));
  RepaintSuggestionLists();
}

// ---- machine translation ----------------------------------------------------------------------

void TTransClientFrm3::AutoTranslate1Click() {
  TWordObj *entry = FSession.Current();
  if (!entry) return;
  TntMemoLng->clear();
  const std::string target = editLn->text().toStdString();
  const auto translate = [](const std::string &text, const std::string &language) {
    return TranslateText(text, language);
  };
  // Each line shows as soon as it is known; the window repaints while the next one is asked for,
  // but takes no input that could change the current entry under the run.
  const auto append = [this, entry](const std::u16string &line) {
    if (FSession.Current() != entry) return;
    TntMemoLng->setPlainText(ToQString(AppendMemoLine(EditorText(TntMemoLng), line)));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  AutoTranslateLines(EditorText(TntMemoSrc), cStripCaps->isChecked(), target, translate, append);
  if (FSession.Current() != entry) return;
  FSession.TakeMachineText(EditorText(TntMemoLng));
  ShowEntryStatus();
  ShowPreview();
  RepaintSuggestionLists();
}

void TTransClientFrm3::ApplyAutoTranslation1Click() {
  ApplyAutoTranslation(FSession.Current());
  ShowEntryStatus();
  RepaintSuggestionLists();
}

void TTransClientFrm3::GoogleTranslate1Click() {
  if (!FSession.Current()) return;
  RunBrowserDialog(GoogleRequestText(EditorText(TntMemoSrc), cStripCaps->isChecked()), false);
}

void TTransClientFrm3::GoogleReverseTranslation1Click() {
  if (!FSession.Current()) return;
  RunBrowserDialog(ReverseRequestText(EditorText(TntMemoLng)), true);
}

void TTransClientFrm3::RunBrowserDialog(const std::string &request, bool reverse) {
  TBrowserTranslator *dialog = NeedBrowserDialog();
  if (!dialog) return;
  TWordObj *entry = FSession.Current();
  dialog->RequestText = request;
  dialog->TargetLanguage = editLn->text().toStdString();
  dialog->ReverseMode = reverse;
  const int result = dialog->exec();
  if (result != TBrowserTranslator::mrYes || dialog->ResultText.empty() || FSession.Current() != entry)
    return;
  TntMemoLng->setPlainText(ToQString(dialog->ResultText));
  Update1Click();
}

} // namespace vt
