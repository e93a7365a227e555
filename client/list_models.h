#pragma once
// The virtual lists of the main window: each model holds only a row count and asks the project for
// every cell when it is drawn. No entry is copied.
#include "client/core/list_rules.h"
#include "model/word_list.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <functional>

namespace vt {

// Rows of vtList: the lines of the section holder with their counts.
class TSectionListModel : public QAbstractTableModel {
  Q_OBJECT
public:
  struct TLine {
    QString Name;
    TSectionCounts Stats;
  };
  // The lines live in the window's section holder; the model only reads them.
  std::function<const TLine *(int row)> Line;
  int FocusedRow = -1;

  void SetRowCount(int rows);
  int RowCount() const { return FRows; }
  void RefreshAll();
  // The width the Status column needs to show counts in full (in the bold font of the focused row).
  static int StatusWidth(TSectionCounts counts);

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
  int FRows = 0;
};

// Rows of vt1 (the project's Selection) and vt1a (SimilarItems), with the colours, fonts and
// images of the entry lists.
class TEntryListModel : public QAbstractTableModel {
  Q_OBJECT
public:
  enum TColumn { colName = 0, colOriginal = 1, colTranslated = 2, colId = 3, colSource = 4, colCount = 5 };
  explicit TEntryListModel(bool sameSourceList, QObject *parent = nullptr);

  std::function<const TReleaseList<TWordObj> *()> List;
  std::function<const TWordObj *()> Current;

  void SetRowCount(int rows);
  int RowCount() const { return FRows; }
  // The entry on a row, or none when the list changed under the view.
  TWordObj *Entry(int row) const;
  // Redraws every visible cell (colours and images follow the current entry).
  void RefreshAll();
  void RefreshRow(int row);

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  static QColor TextColor(const TWordObj &entry, int column);

private:
  bool FSameSource;
  int FRows = 0;
  QFont FSmallFont, FBoldFont;
};

// vt2, the suggestion list (the project's Suggestions): texts, weights and colours of its cells
// follow the current entry and the focused row.
class TSuggestionListModel : public QAbstractTableModel {
  Q_OBJECT
public:
  TSuggestionListModel();
  std::function<const TReleaseList<TWordObj> *()> List;
  std::function<const TWordObj *()> Current;
  std::function<int()> FocusedRow;

  void SetRowCount(int rows);
  int RowCount() const { return FRows; }
  TWordObj *Entry(int row) const;
  void RefreshAll();

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
  int FRows = 0;
  QFont FFont, FBoldFont;
};

QString ToQString(std::u16string_view text);
std::u16string ToU16(const QString &text);

} // namespace vt
