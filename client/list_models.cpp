#include "list_models.h"

#include "client/core/status_words.h"
#include "client/core/suggestion_rules.h"
#include "image_list.h"
#include "model/text_helpers.h"

#include <QBrush>
#include <QFontMetrics>

namespace vt {

QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar *>(text.data()), static_cast<qsizetype>(text.size()));
}

std::u16string ToU16(const QString &text) {
  return std::u16string(reinterpret_cast<const char16_t *>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}

namespace {

QString FromStored(const std::string &s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont ListFont(int pixelSize) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixelSize);
  return font;
}

} // namespace

// ---- vtList ------------------------------------------------------------------------------------

void TSectionListModel::SetRowCount(int rows) {
  beginResetModel();
  FRows = std::max(0, rows);
  FocusedRow = -1;
  endResetModel();
}

void TSectionListModel::RefreshAll() {
  if (FRows > 0) emit dataChanged(index(0, 0), index(FRows - 1, 1));
}

int TSectionListModel::StatusWidth(TSectionCounts counts) {
  QFont font = ListFont(11);
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(QString::fromStdString(FormatSectionStats(counts))) + 12;
}

int TSectionListModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : FRows;
}
int TSectionListModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : 2;
}

QVariant TSectionListModel::data(const QModelIndex &index, int role) const {
  const TLine *line = Line ? Line(index.row()) : nullptr;
  if (!line) return {};
  switch (role) {
  case Qt::DisplayRole:
  case Qt::AccessibleTextRole:
    if (index.column() == 0) return line->Name;
    return QString::fromStdString(FormatSectionStats(line->Stats));
  case Qt::ForegroundRole:
    return QBrush(index.column() == 1 ? QColor(128, 128, 128) : QColor(Qt::black));
  case Qt::FontRole: {
    QFont font = ListFont(11);
    font.setBold(index.row() == FocusedRow);
    return font;
  }
  case Qt::DecorationRole:
    if (index.column() != 0) return {};
    return ImageListIcon(SectionImage(line->Name.toStdString(), index.row() == 0));
  default:
    return {};
  }
}

QVariant TSectionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == 0 ? QStringLiteral("Unit Name") : QStringLiteral("Status");
}

// ---- vt1 / vt1a --------------------------------------------------------------------------------

TEntryListModel::TEntryListModel(bool sameSourceList, QObject *parent)
    : QAbstractTableModel(parent), FSameSource(sameSourceList), FSmallFont(ListFont(12)),
      FBoldFont(ListFont(12)) {
  FSmallFont.setPointSize(8);
  FBoldFont.setBold(true);
}

void TEntryListModel::SetRowCount(int rows) {
  beginResetModel();
  FRows = std::max(0, rows);
  endResetModel();
}

TWordObj *TEntryListModel::Entry(int row) const {
  const TReleaseList<TWordObj> *list = List ? List() : nullptr;
  if (!list || row < 0 || static_cast<std::size_t>(row) >= list->Count()) return nullptr;
  return (*list)[static_cast<std::size_t>(row)];
}

void TEntryListModel::RefreshAll() {
  if (FRows > 0) emit dataChanged(index(0, 0), index(FRows - 1, colCount - 1));
}

void TEntryListModel::RefreshRow(int row) {
  if (row >= 0 && row < FRows) emit dataChanged(index(row, 0), index(row, colCount - 1));
}

int TEntryListModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : FRows;
}
int TEntryListModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : colCount;
}

QColor TEntryListModel::TextColor(const TWordObj &e, int column) {
  QColor color(Qt::black);
  if (column == colName)
    return e.Kind() == kind::TC || e.Kind() == kind::VC ? QColor(128, 128, 128) : QColor(192, 192, 192);
  if (column == colId) return QColor(192, 192, 192);
  if (column == colSource) return QColor(100, 100, 140);
  if (column == colOriginal) {
    color = e.State() == esTranslated ? QColor(Qt::black) : QColor(128, 128, 128);
  } else if (column == colTranslated) {
    color = e.Changed ? QColor(0, 0, 128) : QColor(0, 128, 255);
    if (e.State() == esAutoTranslated) color = QColor(128, 128, 128);
  }
  const TEntryFlags flags = e.Flags();
  if (flags & efQuery) color = QColor(0, 128, 0);
  if (flags & efNeedsWork) color = QColor(255, 128, 64);
  if (flags & efWarning) color = QColor(200, 0, 0);
  return color;
}

QVariant TEntryListModel::data(const QModelIndex &index, int role) const {
  const TWordObj *e = Entry(index.row());
  if (!e) return {};
  const int column = index.column();
  switch (role) {
  case Qt::DisplayRole:
  case Qt::AccessibleTextRole:
    switch (column) {
    case colName:
      return FromStored(e->Key());
    case colOriginal:
      return ToQString(LineBreaksToBars(e->SourceText()));
    case colTranslated:
      return ToQString(LineBreaksToBars(e->TranslationText()));
    case colId:
      return QStringLiteral("%1 - %2").arg(e->Index).arg(index.row());
    case colSource:
      return FromStored(e->Section());
    default:
      return {};
    }
  case Qt::AccessibleDescriptionRole:
    // Colour, font and icon in words, on every cell of the row.
    return QString::fromStdString(EntryStatusWords(*e));
  case Qt::ForegroundRole:
    return QBrush(TextColor(*e, column));
  case Qt::FontRole:
    if (column == colName || column == colId || column == colSource) return FSmallFont;
    if (column == colTranslated && e->Changed) return FBoldFont;
    return {};
  case Qt::BackgroundRole: {
    const TWordObj *current = Current ? Current() : nullptr;
    if (current && current->Section() == e->Section() && current->Name() == e->Name())
      return QBrush(QColor(232, 243, 255));
    return {};
  }
  case Qt::DecorationRole: {
    int position = image::None;
    if (column == colSource)
      position = SectionImage(e->Section(), false);
    else if (column == colTranslated)
      position = StatusImage(*e, Current && Current() == e);
    else if (column == colId)
      position = KindImage(e->Kind());
    if (position == image::None) return {};
    return ImageListIcon(position);
  }
  default:
    return {};
  }
}

QVariant TEntryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
  case colName:
    return QStringLiteral("Item Name");
  case colOriginal:
    return FSameSource ? QStringLiteral("Original Text (Others)") : QStringLiteral("Original Text");
  case colTranslated:
    return QStringLiteral("Translated Value");
  case colId:
    return QStringLiteral("ID");
  case colSource:
    return QStringLiteral("Source");
  default:
    return {};
  }
}

// ---- vt2 ---------------------------------------------------------------------------------------

TSuggestionListModel::TSuggestionListModel() : FFont(QStringLiteral("Tahoma")) {
  FFont.setPixelSize(11);
  FBoldFont = FFont;
  FBoldFont.setBold(true);
}

void TSuggestionListModel::SetRowCount(int rows) {
  beginResetModel();
  FRows = std::max(0, rows);
  endResetModel();
}

void TSuggestionListModel::RefreshAll() {
  if (FRows > 0) emit dataChanged(index(0, 0), index(FRows - 1, 1));
}

TWordObj *TSuggestionListModel::Entry(int row) const {
  const TReleaseList<TWordObj> *list = List ? List() : nullptr;
  if (!list || row < 0 || row >= FRows || static_cast<std::size_t>(row) >= list->Count()) return nullptr;
  return (*list)[static_cast<std::size_t>(row)];
}

int TSuggestionListModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : FRows;
}
int TSuggestionListModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : 2;
}

QVariant TSuggestionListModel::data(const QModelIndex &index, int role) const {
  const TWordObj *s = Entry(index.row());
  if (!s) return {};
  const TWordObj *current = Current ? Current() : nullptr;
  switch (role) {
  case Qt::DisplayRole:
    return ToQString(SuggestionCellText(*s, index.column(), current));
  case Qt::FontRole: {
    const auto style = SuggestionCellStyle(*s, index.column(), current, false);
    return style && style->Bold ? FBoldFont : FFont;
  }
  case Qt::ForegroundRole: {
    const bool focused = FocusedRow && FocusedRow() == index.row();
    const auto style = SuggestionCellStyle(*s, index.column(), current, focused);
    if (!style) return {};
    return QBrush(QColor(style->Color.R, style->Color.G, style->Color.B));
  }
  default:
    return {};
  }
}

QVariant TSuggestionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return ToQString(section == 0 ? kSuggestionColumn0 : kSuggestionColumn1);
}

} // namespace vt
