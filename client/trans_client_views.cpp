// The lists of the main window: sections with progress, the filtered entry list, the same-source
// list, sorting by header, column choice, incremental search and Next/Previous.
#include "client/core/status_words.h"
#include "commit_combo_box.h"
#include "model/entry_sort.h"
#include "model/selection_summary.h"
#include "model/trans_man.h"
#include "trans_client_frm.h"
#include "virtual_tree.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <algorithm>

namespace vt {

TVirtualTree *TTransClientFrm3::MakeEntryList(const char *name, bool sameSource) {
  auto *list = new TVirtualTree(this);
  list->setObjectName(QLatin1String(name));
  list->setAccessibleName(sameSource ? QStringLiteral("Same source entries") : QStringLiteral("Entry list"));
  auto *model = new TEntryListModel(sameSource, this);
  model->setObjectName(QLatin1String(sameSource ? "vt1aModel" : "vt1Model"));
  model->List = [this, sameSource]() -> const TReleaseList<TWordObj> * {
    if (!Project) return nullptr;
    return sameSource ? &Project->SimilarItems : &Project->Selection;
  };
  model->Current = [this]() -> const TWordObj * { return FSession.Current(); };
  list->setModel(model);
  // A row is announced by its original text, not by its ID cell.
  list->SetSpeakingColumn(TEntryListModel::colOriginal);
  (sameSource ? vt1aModel : vt1Model) = model;
  ConfigureEntryColumns(list, sameSource);
  if (sameSource)
    list->SetSelectionColors(QColor(204, 254, 199), QColor(218, 254, 214));
  else
    list->SetSelectionColors(QColor(196, 224, 255), QColor(234, 244, 255));
  QFont cellFont(QStringLiteral("Tahoma"));
  cellFont.setPixelSize(12);
  list->setFont(cellFont);
  QFont headerFont(QStringLiteral("MS Sans Serif"));
  headerFont.setPixelSize(11);
  list->header()->setFont(headerFont);

  connect(list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this, list] { Guard("vt1FocusChanged", [&] { vt1FocusChanged(list); }); });
  // A press on the focused row makes its entry current again (the other list may own it now).
  connect(list, &TVirtualTree::RowPressed, this, [this, list](int, bool wasFocused) {
    if (wasFocused) Guard("vt1DragAllowed", [&] { vt1FocusChanged(list); });
  });
  connect(list->header(), &QHeaderView::sectionClicked, this, [this, sameSource](int column) {
    Guard("vt1HeaderClick", [&] { sameSource ? vt1aHeaderClick(column) : vt1HeaderClick(column); });
  });
  if (!sameSource)
    list->SearchRow = [this](const QString &text, int start) {
      return IncrementalSearchRow(Project->Selection.Raw(), start, ToU16(text));
    };
  list->installEventFilter(this);
  return list;
}

void TTransClientFrm3::ConfigureEntryColumns(TVirtualTree *list, bool sameSource) {
  QHeaderView *header = list->header();
  header->setStretchLastSection(false);
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setSortIndicator(TEntryListModel::colId, Qt::AscendingOrder);
  header->resizeSection(TEntryListModel::colName, 150);
  header->resizeSection(TEntryListModel::colOriginal, 300);
  header->resizeSection(TEntryListModel::colTranslated, sameSource ? 338 : 478);
  header->resizeSection(TEntryListModel::colId, 76);
  header->resizeSection(TEntryListModel::colSource, 140);
  header->setSectionResizeMode(TEntryListModel::colTranslated, QHeaderView::Stretch);
  header->moveSection(header->visualIndex(TEntryListModel::colId), 0);
  list->setColumnHidden(TEntryListModel::colName, true);
  list->setColumnHidden(TEntryListModel::colSource, !sameSource);
}

QString TTransClientFrm3::ChosenSectionName() const {
  const std::string_view name = ListboxSections.Name(ListboxSections.Chosen());
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void TTransClientFrm3::RepaintEntryLists() {
  vt1Model->RefreshAll();
  vt1aModel->RefreshAll();
  DescribeEntryStatus();
}

void TTransClientFrm3::DescribeEntryStatus() {
  const TWordObj *entry = FSession.Current();
  const QString words =
      entry ? QStringLiteral("Status: ") + QString::fromStdString(EntryStatusWords(*entry)) : QString();
  if (TntMemoLng->accessibleDescription() != words) TntMemoLng->setAccessibleDescription(words);
}

// ---- sections ----------------------------------------------------------------------------------

void TTransClientFrm3::FillSectionList() {
  TUpdateScope scope(UpdateDepth);
  vtListModel->SetRowCount(0);
  ListboxSections.Fill(Project->Sections);
  CountSectionProgress();
  vtListModel->SetRowCount(ListboxSections.Count());
}

void TTransClientFrm3::CountSectionProgress() {
  const std::vector<TSectionCounts> counts = vt::CountSectionProgress(*Project, ListboxSections.Names());
  // "[ALL]" holds the largest numbers: the column fits them.
  if (!counts.empty())
    vtList->header()->resizeSection(1, std::max(75, TSectionListModel::StatusWidth(counts.front())));
  ListboxSections.SetStats(counts);
  vtListModel->RefreshAll();
}

void TTransClientFrm3::vtListFocusChanged() {
  if (UpdateDepth > 0) return;
  const int row = vtList->FocusedRow();
  if (row < 0) return;
  CountSectionProgress(); // the project counts again only when an entry changed since
  ListboxSections.Choose(row);
  vtListModel->FocusedRow = row;
  vtListModel->RefreshAll();
  ListboxSectionsClick();
}

void TTransClientFrm3::ListboxSectionsClick() {
  SelectEntry(nullptr);
  RebuildItemList();
  if (PreviewShowing()) ShowFormPreview();
}

bool TTransClientFrm3::ChooseSection(const QString &name) {
  const int row = ListboxSections.Find(name.toStdString());
  if (row < 0) return false;
  if (vtList->FocusedRow() == row)
    vtListFocusChanged();
  else
    vtList->FocusRow(row, true);
  return ListboxSections.Chosen() == row;
}

// ---- entry list ----------------------------------------------------------------------------------

void TTransClientFrm3::RebuildItemList() {
  {
    TUpdateScope scope(UpdateDepth);
    vt1Model->SetRowCount(0);
  }
  StatusPanel0->clear();
  const QString section = ChosenSectionName();
  if (section.isEmpty()) return;

  const TStatusMask status = StatusMask(static_cast<TStatusFilter>(cbStatus->currentIndex()));
  Project->Select(section.toStdString(), TypeFilterKinds(static_cast<TTypeFilter>(cbTypes->currentIndex())),
                  status.Flags, status.States);
  const QString search = editSearchText->text();
  const TFilterMode mode = EffectiveFilterMode(cTextfilt->isChecked(), ChosenFilterMode(), search.isEmpty());
  if (IsTextFilter(mode))
    Project->FilterByText(TTransMan::EncodeText(ToU16(search)), TextMatchOf(mode));
  else if (mode == TFilterMode::MoreWords)
    Project->FilterByWordCount(rxWordCount->value(), TWordCountMatch::MoreThan);
  else if (mode == TFilterMode::AtMostWords)
    Project->FilterByWordCount(rxWordCount->value(), TWordCountMatch::AtMost);
  if (cDeDup->isChecked()) Project->RemoveDuplicateSources();
  Project->SortSelection(SortColumn, SortSign < 0);
  {
    TUpdateScope scope(UpdateDepth);
    vt1Model->SetRowCount(static_cast<int>(Project->Selection.Count()));
  }
  StatusPanel0->setText(
      QString::fromStdString(SelectionSummary(section.toStdString(), Project->Selection.Count(),
                                              static_cast<std::size_t>(Project->CountTranslated()))));
}

void TTransClientFrm3::vt1FocusChanged(TVirtualTree *list) {
  if (UpdateDepth > 0) return;
  const int row = list->FocusedRow();
  TWordObj *entry = nullptr;
  if (list == vt1a) {
    FocusInSameSource = true;
    entry = vt1aModel->Entry(row);
  } else {
    FocusInSameSource = false;
    entry = vt1Model->Entry(row);
    TUpdateScope scope(UpdateDepth);
    vt1a->clearSelection();
  }
  SelectEntry(entry);
}

bool TTransClientFrm3::ChooseEntry(const QString &fullId) {
  TWordObj *entry = Project->FindEntry(fullId.toStdString());
  if (!entry) return false;
  const auto rowOf = [&] {
    const auto &rows = Project->Selection.Raw();
    const auto it = std::find(rows.begin(), rows.end(), entry);
    return it == rows.end() || vt1Model->RowCount() != static_cast<int>(rows.size())
               ? -1
               : static_cast<int>(it - rows.begin());
  };
  int row = rowOf();
  if (row < 0 && ChooseSection(QString::fromStdString(entry->Section()))) row = rowOf();
  if (row < 0 && ChooseSection(QString::fromUtf8(section::All.data(), section::All.size()))) row = rowOf();
  if (row < 0) return false;
  vt1->clearSelection();
  vt1->FocusRow(row, true);
  return FSession.Current() == entry;
}

// ---- sorting and columns -------------------------------------------------------------------------

void TTransClientFrm3::vt1HeaderClick(int column) {
  int &sortColumn = FHeaderSortColumn[0];
  bool &descending = FHeaderDescending[0];
  if (column == sortColumn)
    descending = !descending;
  else
    sortColumn = column;
  vt1->header()->setSortIndicator(sortColumn, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  SortItemList(vt1);
}

void TTransClientFrm3::vt1aHeaderClick(int column) {
  int &sortColumn = FHeaderSortColumn[1];
  bool &descending = FHeaderDescending[1];
  if (column == sortColumn)
    descending = !descending;
  else
    sortColumn = column;
  vt1a->header()->setSortIndicator(sortColumn, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  SortItemList(vt1a);
}

void TTransClientFrm3::SortItemList(TVirtualTree *list) {
  const int index = list == vt1a ? 1 : 0;
  SortSign = FHeaderDescending[index] ? -1 : +1;
  SortColumn = static_cast<TSortColumn>(FHeaderSortColumn[index]);
  TEntryListModel *model = list == vt1a ? vt1aModel : vt1Model;
  TWordObj *focused = model->Entry(list->FocusedRow());
  TUpdateScope scope(UpdateDepth);
  std::vector<TWordObj *> &rows = list == vt1a ? Project->SimilarItems.Raw() : Project->Selection.Raw();
  if (list == vt1a)
    SortMainList(rows, SortColumn, SortSign < 0);
  else
    Project->SortSelection(SortColumn, SortSign < 0);
  model->SetRowCount(static_cast<int>(rows.size())); // drops the old focus with the old order
  const auto it = std::find(rows.begin(), rows.end(), focused);
  if (focused && it != rows.end()) list->FocusRow(static_cast<int>(it - rows.begin()), list == vt1);
}

void TTransClientFrm3::IDValue1Click(QAction *item) {
  vt1->setColumnHidden(item->data().toInt(), !item->isChecked());
}

void TTransClientFrm3::MenuItem1Click(QAction *item) {
  vt1a->setColumnHidden(item->data().toInt(), !item->isChecked());
}

// ---- filters -------------------------------------------------------------------------------------

void TTransClientFrm3::Label9Click() {
  cDeDup->setChecked(!cDeDup->isChecked());
  cDeDupClick();
}

void TTransClientFrm3::Label7Click() {
  cTextfilt->setChecked(!cTextfilt->isChecked());
  cTextfiltClick();
}

void TTransClientFrm3::cTextfiltClick() {
  cbSearchMethod->setVisible(cTextfilt->isChecked());
  Filter1Click();
}

TFilterMode TTransClientFrm3::ChosenFilterMode() const {
  // The box lists the modes in their order.
  return static_cast<TFilterMode>(
      std::clamp(cbSearchMethod->currentIndex(), 0, static_cast<int>(TFilterMode::AtMostWords)));
}

void TTransClientFrm3::cbSearchMethodClick() {
  const TFilterMode mode = ChosenFilterMode();
  rxWordCount->setVisible(mode == TFilterMode::MoreWords || mode == TFilterMode::AtMostWords);
  editSearchText->setVisible(IsTextFilter(mode));
  Filter1Click();
}

void TTransClientFrm3::Filter1Click() {
  const TFilterMode mode = cTextfilt->isChecked() ? ChosenFilterMode() : TFilterMode::None;
  const QString prompt = cbSearchMethod->itemText(static_cast<int>(mode));
  if (mode == TFilterMode::MoreWords || mode == TFilterMode::AtMostWords) {
    const auto answer =
        FAsker->Input(this, QStringLiteral("Apply Filter"), prompt, QString::number(rxWordCount->value()));
    if (!answer) return;
    bool ok = false;
    const long long value = answer->trimmed().toLongLong(&ok);
    if (!ok) return;
    rxWordCount->setValue(static_cast<int>(std::clamp<long long>(value, 1, rxWordCount->maximum())));
    ListboxSectionsClick();
  } else if (IsTextFilter(mode)) {
    const auto answer = FAsker->Input(this, QStringLiteral("Apply Filter"), prompt, editSearchText->text());
    if (!answer) return;
    editSearchText->setText(*answer);
    ListboxSectionsClick();
  } else {
    ListboxSectionsClick();
  }
}

void TTransClientFrm3::ViewAll1Click() {
  cbTypes->setCurrentIndex(0);
  cbStatus->setCurrentIndex(0);
  cbSearchMethod->setCurrentIndex(0);
  cTextfilt->setChecked(false);
  cbSearchMethod->setVisible(false);
  cbTypesClick();
}

// ---- navigation ----------------------------------------------------------------------------------

void TTransClientFrm3::NavigateItem(int direction) {
  TVirtualTree *list = FocusInSameSource ? vt1a : vt1;
  const std::vector<TWordObj *> &rows =
      FocusInSameSource ? Project->SimilarItems.Raw() : Project->Selection.Raw();
  if (static_cast<int>(rows.size()) != (FocusInSameSource ? vt1aModel : vt1Model)->RowCount()) return;
  const int row = FindNavigationRow(rows, list->FocusedRow(), direction, cbNavMethod->currentIndex());
  if (row < 0) return;
  list->clearSelection();
  list->FocusRow(row, true);
}

} // namespace vt
