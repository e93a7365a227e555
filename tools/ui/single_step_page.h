#pragma once
// "TabSheet4" of the administrator window: single steps of the extraction that show their result
// in the view memo, and a plain file editor over the view memo.
#include "file_name_edit.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace vt {

class TSingleStepPage : public QWidget {
  Q_OBJECT
public:
  explicit TSingleStepPage(QWidget *parent = nullptr);

  QPushButton *Button2, *Button3, *Button4, *Button9, *Button10, *Button11, *Button12, *Button13;
  QPushButton *Button22, *Button23, *Button24, *Button25;
  TFileNameEdit *FilenameGeneral;
  QPlainTextEdit *Memo3;
};

} // namespace vt
