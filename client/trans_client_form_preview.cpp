// The form preview window from the main window's side: opening it for the chosen section or the
// current entry, refreshing it after edits, F12 and the toolbar toggle, "Show Original", a press on
// one of its controls making the matching entry current, and the fit report.
#include "client/core/fit_rules.h"
#include "client/core/form_preview_store.h"
#include "controls/hot_button.h"
#include "prev_dfm_frm.h"
#include "trans_client_frm.h"
#include "virtual_tree.h"

#include <QAction>
#include <QCheckBox>
#include <QStatusBar>

namespace vt {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void TTransClientFrm3::WireFormPreviewCommands() {
  Wire(PreviewScreenOnOff1, &QAction::triggered, &TTransClientFrm3::PreviewScreenOnOff1Click,
       "PreviewScreenOnOff1Click");
  stPreview->setCheckable(true);
  Wire(stPreview, &TStaticHotBtn::SubmitData, &TTransClientFrm3::stPreviewSubmitData, "stPreviewSubmitData");
  Wire(cShowTrans, &QCheckBox::clicked, &TTransClientFrm3::cShowTransClick, "cShowTransClick");
  Wire(vtList, &QAbstractItemView::doubleClicked, &TTransClientFrm3::vtListDblClick, "vtListDblClick");
  Wire(vt1, &QAbstractItemView::doubleClicked, &TTransClientFrm3::vt1DblClick, "vt1DblClick");
  Wire(vt1a, &QAbstractItemView::doubleClicked, &TTransClientFrm3::vt1DblClick, "vt1DblClick");
}

bool TTransClientFrm3::PreviewShowing() const {
  return PreviewForm && PreviewForm->isVisible();
}

void TTransClientFrm3::SetPreviewPressed(bool pressed) {
  stPreview->setChecked(pressed);
}

void TTransClientFrm3::FreeFormPreview() {
  if (!PreviewForm) return;
  FPreviewPlace = PreviewForm->pos();
  // The window may be freed from within one of its own events (a press whose entry change
  // refreshes another section): it goes once its events are done.
  TPrevDfmFrm *old = PreviewForm.release();
  old->TextStore = nullptr;
  old->hide();
  old->deleteLater();
  FPreviewStore.reset();
  SetPreviewPressed(false);
}

void TTransClientFrm3::ShowFormPreview() {
  const int line = ListboxSections.Chosen();
  if (line <= 0) return; // nothing chosen, or "[ALL]"
  OpenFormPreview(Q(ListboxSections.Name(line)), nullptr, false);
}

void TTransClientFrm3::ShowEntryPreview(TWordObj *entry) {
  if (!entry || entry->Section().view().empty()) return;
  OpenFormPreview(Q(entry->Section().view()), entry, true);
}

void TTransClientFrm3::OpenFormPreview(const QString &section, TWordObj *entry, bool entryMode) {
  const std::string name = section.toStdString();
  const bool showOriginal = cShowTrans->isChecked();
  if (!PreviewForm || PreviewForm->SectionName != section) {
    const std::string path = FindFormTextFile(Project->FileName, name);
    FreeFormPreview();
    if (path.empty()) {
      statusBar()->showMessage(QStringLiteral("No form text for %1").arg(section), 15000);
      return;
    }
    PreviewForm = std::make_unique<TPrevDfmFrm>(this);
    PreviewForm->move(FPreviewPlace);
    PreviewForm->SectionName = section;
    PreviewForm->FormTextFile = path;
    if (!PreviewForm->LoadFormText()) {
      const QString error = PreviewForm->LoadError;
      PreviewForm.reset();
      FPreviewStore.reset();
      SetPreviewPressed(false);
      statusBar()->showMessage(error, 15000);
      return;
    }
    // The stores hold the entries of the form's components, found through the hashed look-up.
    const std::vector<std::string> names = PreviewForm->ComponentNames();
    FPreviewStore = std::make_unique<TIniFile>(BuildPreviewStore(*Project, name, names, showOriginal));
    PreviewForm->TextStore = FPreviewStore.get();
    PreviewForm->ApplyTexts(FPreviewStore.get());
    PreviewForm->ApplyVisibility(BuildVisibilityStore(*Project, name, names));
    PreviewForm->OnControlClick = [this](QObject *, QObject *control) {
      Guard("PreviewControlClicked", [&] { PreviewControlClicked(control); });
    };
    PreviewForm->OnPreviewClose = [this](QObject *, QWidget *) { PreviewClosed(); };
    PreviewForm->setWindowTitle(section);
    PreviewForm->show();
    SetPreviewPressed(true);
    if (entryMode) {
      // The translator goes on typing in the main window.
      activateWindow();
    } else {
      PreviewForm->raise();
      PreviewForm->activateWindow();
    }
  } else {
    SetPreviewPressed(true);
    auto store = std::make_unique<TIniFile>(
        BuildPreviewStore(*Project, name, PreviewForm->ComponentNames(), showOriginal));
    PreviewForm->ApplyTexts(store.get());
    FPreviewStore = std::move(store);
    PreviewForm->OnPreviewClose = [this](QObject *, QWidget *) { PreviewClosed(); };
    PreviewForm->show();
    if (!entryMode) {
      PreviewForm->raise();
      PreviewForm->activateWindow();
    }
    const TWordObj *current = FSession.Current();
    if (!entryMode && current && current->Section().view() == name)
      PreviewForm->HighlightControl(Q(current->Name().view()));
  }
  if (entryMode && entry) PreviewForm->HighlightControl(Q(entry->Name().view()));
  ReportPreviewFit();
}

void TTransClientFrm3::HighlightCurrentInPreview() {
  if (!PreviewShowing()) return;
  const TWordObj *current = FSession.Current();
  const bool here = current && Q(current->Section().view()) == PreviewForm->SectionName;
  PreviewForm->HighlightControl(here ? Q(current->Name().view()) : QString());
}

void TTransClientFrm3::ReportPreviewFit() {
  if (!PreviewForm) return;
  PreviewForm->CheckFit();
  const qsizetype flagged = PreviewForm->FlaggedControls().size();
  if (flagged == 1)
    statusBar()->showMessage(QStringLiteral("1 control does not fit"));
  else if (flagged > 1)
    statusBar()->showMessage(QStringLiteral("%1 controls do not fit").arg(flagged));
  else
    statusBar()->clearMessage();
}

void TTransClientFrm3::PreviewControlClicked(QObject *control) {
  if (!PreviewForm || !control) return;
  const TFormComponent *c = PreviewForm->ComponentOf(control);
  if (!c || c->Name.isEmpty()) return;
  const std::string name = c->Name.toStdString();
  const std::string section = PreviewForm->SectionName.toStdString();
  // The entry of this control in this form: vt1 may list other sections with the same names.
  const auto &rows = Project->Selection.Raw();
  const int count = std::min(vt1Model->RowCount(), static_cast<int>(rows.size()));
  for (int row = 0; row < count; ++row) {
    const TWordObj *entry = rows[static_cast<std::size_t>(row)];
    if (entry->Name().view() != name || entry->Section().view() != section) continue;
    vt1->clearSelection();
    vt1->FocusRow(row, true);
    return;
  }
  if (PreviewShowing()) PreviewForm->HighlightControl(QString());
}

void TTransClientFrm3::PreviewClosed() {
  SetPreviewPressed(false);
}

void TTransClientFrm3::PreviewScreenOnOff1Click() {
  if (PreviewForm)
    FreeFormPreview();
  else
    ShowFormPreview();
}

void TTransClientFrm3::vtListDblClick() {
  ShowFormPreview();
}

void TTransClientFrm3::vt1DblClick() {
  ShowEntryPreview(FSession.Current());
}

void TTransClientFrm3::cShowTransClick() {
  // With a window the toggle runs twice: the window goes and comes back read anew.
  if (PreviewForm) FreeFormPreview();
  ShowFormPreview();
}

bool TTransClientFrm3::FitReportLines(const QString &section, std::vector<std::string> &lines,
                                      QString *error) {
  const auto fail = [&](const QString &text) {
    if (error) *error = text;
    return false;
  };
  std::vector<std::string> sections;
  if (!section.isEmpty()) {
    const std::string name = section.toStdString();
    if (std::find(Project->Sections.begin(), Project->Sections.end(), name) == Project->Sections.end())
      return fail(QStringLiteral("No section ") + section);
    if (FindFormTextFile(Project->FileName, name).empty())
      return fail(QStringLiteral("No form text for ") + section);
    sections.push_back(name);
  } else {
    for (const std::string &name : Project->Sections)
      if (!FindFormTextFile(Project->FileName, name).empty()) sections.push_back(name);
  }
  for (const std::string &name : sections) {
    TPrevDfmFrm form;
    form.SectionName = Q(name);
    form.FormTextFile = FindFormTextFile(Project->FileName, name);
    if (!form.LoadFormText()) return fail(form.LoadError);
    const TIniFile store = BuildPreviewStore(*Project, name, form.ComponentNames());
    form.ApplyTexts(&store);
    form.ApplyVisibility(BuildVisibilityStore(*Project, name, form.ComponentNames()));
    for (const TControlFit &fit : form.CheckFit()) {
      const std::string fullId = name + "/" + fit.Control.toStdString() + "." + fit.Kind;
      lines.push_back(FitReportLine(fullId, fit.Finding,
                                    std::u16string(reinterpret_cast<const char16_t *>(fit.Text.utf16()),
                                                   static_cast<std::size_t>(fit.Text.size()))));
    }
  }
  return true;
}

} // namespace vt
