#include "compile_page.h"

#include "named_button.h"

#include <QGridLayout>
#include <QLabel>

namespace vt {

TCompilePage::TCompilePage(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Compile"));
  auto *grid = new QGridLayout(this);
  int row = 0;
  auto field = [&](TFileNameEdit *&edit, const char *name, const QString &label, const QString &accessible) {
    edit = new TFileNameEdit(QString::fromLatin1(name), accessible, this);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(edit->edit());
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row++, 1);
  };
  field(FilenameEdit5, "FilenameEdit5", tr("Src &rawmi file"), tr("Src rawmi file"));
  field(FilenameEdit1, "FilenameEdit1", tr("&Project to Compile"), tr("Project to Compile"));
  field(FilenameEdit6, "FilenameEdit6", tr("Dst c&ompiled file"), tr("Dst compiled file"));
  field(DirectoryEdit3, "DirectoryEdit3", tr("Compiled &Dir:"), tr("Compiled Dir"));
  field(DirectoryEdit1, "DirectoryEdit1", tr("Source D&ir"), tr("Source Dir"));
  dCompile = NamedButton(this, "dCompile", tr("&Compile"));
  Button14 = NamedButton(this, "Button14", tr("&Batch Compile"));
  grid->addWidget(dCompile, row, 0);
  grid->addWidget(Button14, row++, 1, Qt::AlignLeft);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);
}

} // namespace vt
