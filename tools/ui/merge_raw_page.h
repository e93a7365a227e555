#pragma once
// The "Merge RawFiles" page of the administrator window: merging raw data files, removing filtered
// entries and rebuilding the source-language file, with buttons that show the files involved.
#include "file_name_edit.h"
#include "tools/raw_merge.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace vt {

class TMergeRawPage : public QWidget {
  Q_OBJECT
public:
  explicit TMergeRawPage(QWidget *parent = nullptr);

  TFileNameEdit *FilenameEdit2, *FilenameEdit3;
  QPushButton *dMerge, *dFilterMI, *Button16;
  TFileNameEdit *FilenameRawFile, *FilenameTransFile, *FilenameTransMessages, *FilenameDestSrcLng;
  QCheckBox *cApplyEnglishTranslationFile, *cApplyMessageTransFile;
  QPushButton *dResbuildSrcLng;
  // Viewing buttons: "<" whole text, "ss" section names, "?" whole text.
  QToolButton *SpeedButton3, *SpeedButton4, *SpeedButton6, *SpeedButton7, *SpeedButton12, *SpeedButton2,
      *SpeedButton5, *SpeedButton13, *SpeedButton8;

  // The rebuild's inputs as the controls hold them.
  TRebuildOptions RebuildOptions() const;
  // Each check box enables its own file edit.
  void UpdateEnabling();
};

} // namespace vt
