#pragma once
// The "Build Prj" page of the administrator window: source texts corrected from a translation file,
// translations copied between projects, creation and update of a target-language project, and the
// compression test.
#include "file_name_edit.h"
#include "tools/project_update.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace vt {

class TBuildPrjPage : public QWidget {
  Q_OBJECT
public:
  explicit TBuildPrjPage(QWidget *parent = nullptr);

  TFileNameEdit *fnDstSrcLng, *fnSrcKxLng;
  QPushButton *Button15, *Button17, *Button19; // "UpdateSrcHints", "src <-- kx DE", "kx msg <-- kx DE"
  TFileNameEdit *FilenameSrcTemplate, *filenameDstLngFile;
  QComboBox *cbLng;
  QCheckBox *cRebuildKxLng;
  QPushButton *Button18, *dRebuildDstPrj;
  QToolButton *SpeedButton9, *SpeedButton10, *SpeedButton11;
  QPushButton *Button20; // "compress test"

  // The project's files and language as the controls hold them.
  TProjectOptions ProjectOptions() const;
};

} // namespace vt
