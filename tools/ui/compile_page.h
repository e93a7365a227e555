#pragma once
// The "Compile" page of the administrator window: a raw data file and a language project into a
// compiled language file, or every extracted file of the open batch project into one folder.
#include "file_name_edit.h"

#include <QPushButton>
#include <QWidget>

namespace vt {

class TCompilePage : public QWidget {
  Q_OBJECT
public:
  explicit TCompilePage(QWidget *parent = nullptr);

  TFileNameEdit *FilenameEdit5;  // "Src rawmi file"
  TFileNameEdit *FilenameEdit1;  // "Project to Compile"
  TFileNameEdit *FilenameEdit6;  // "Dst compiled file"
  TFileNameEdit *DirectoryEdit3; // "Compiled Dir:"
  TFileNameEdit *DirectoryEdit1; // "Source Dir" (shown only)
  QPushButton *dCompile, *Button14;
};

} // namespace vt
