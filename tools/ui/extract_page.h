#pragma once
// The "Extract" page of the administrator window: the inputs of a "Build Raw" run and its two
// buttons. Check boxes enable the edits they govern, whoever checks them.
#include "file_name_edit.h"
#include "tools/raw_script.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QWidget>

namespace vt {

class TExtractPage : public QWidget {
  Q_OBJECT
public:
  explicit TExtractPage(QWidget *parent = nullptr);

  QCheckBox *cExeFilename, *cDfmGui, *cMessageStrings, *cExeDfmBlackListFilename, *cTabMap, *cSkinFile,
      *cErasePrevious;
  TFileNameEdit *FilenameExe, *FilenameDfmBlacklist, *FilenameTabMap, *FilenameGUI, *FilenameRawMI;
  QComboBox *cbVarChar;
  QPushButton *Button1, *dExtractData;

  // The run's inputs as the controls hold them, and the reverse (ErasePrevious excepted).
  TRawOptions Options() const;
  void SetOptions(const TRawOptions &options);
  // Applies the enabling rule of every check box.
  void UpdateEnabling();
};

} // namespace vt
