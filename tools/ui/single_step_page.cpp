#include "single_step_page.h"

#include "named_button.h"

#include <QGridLayout>
#include <QLabel>

namespace vt {
TSingleStepPage::TSingleStepPage(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TabSheet4"));
  Button2 = NamedButton(this, "Button2", QStringLiteral("open exe"));
  Button3 = NamedButton(this, "Button3", QStringLiteral("ini make dfm"));
  Button4 = NamedButton(this, "Button4", QStringLiteral("Button4"));
  Button4->setAccessibleName(tr("Hint properties of the form"));
  Button9 = NamedButton(this, "Button9", QStringLiteral("msg str"));
  Button10 = NamedButton(this, "Button10", QStringLiteral("make ini msg"));
  Button11 = NamedButton(this, "Button11", QStringLiteral("Open Skin"));
  Button12 = NamedButton(this, "Button12", QStringLiteral("GUI used Actions"));
  Button13 = NamedButton(this, "Button13", QStringLiteral("get filtered Actions"));
  FilenameGeneral = new TFileNameEdit(QStringLiteral("FilenameGeneral"), tr("File to edit"), this);
  auto *fileLabel = new QLabel(tr("File:"), this);
  fileLabel->setBuddy(FilenameGeneral->edit());
  Button22 = NamedButton(this, "Button22", QStringLiteral("Open"));
  Button23 = NamedButton(this, "Button23", QStringLiteral("Save"));
  Button24 = NamedButton(this, "Button24", QStringLiteral("Clear"));
  Button24->setAccessibleName(tr("Clear file names"));
  Button25 = NamedButton(this, "Button25", QStringLiteral("Add filename"));
  Memo3 = new QPlainTextEdit(this);
  Memo3->setObjectName(QStringLiteral("Memo3"));
  Memo3->setAccessibleName(tr("File names"));
  Memo3->setLineWrapMode(QPlainTextEdit::NoWrap);

  auto *grid = new QGridLayout(this);
  int row = 0;
  grid->addWidget(Button2, row, 0);
  grid->addWidget(Button3, row, 1);
  grid->addWidget(Button4, row++, 2);
  grid->addWidget(Button9, row, 0);
  grid->addWidget(Button10, row++, 1);
  grid->addWidget(Button11, row, 0);
  grid->addWidget(Button12, row, 1);
  grid->addWidget(Button13, row++, 2);
  grid->addWidget(fileLabel, row, 0);
  grid->addWidget(FilenameGeneral, row++, 1, 1, 2);
  grid->addWidget(Button22, row, 0);
  grid->addWidget(Button23, row, 1);
  grid->addWidget(Button25, row++, 2);
  grid->addWidget(Memo3, row++, 0, 1, 3);
  grid->addWidget(Button24, row, 0);
  grid->setRowStretch(row - 1, 1);
}

} // namespace vt
