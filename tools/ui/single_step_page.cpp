#include "single_step_page.h"

#include <QGridLayout>
#include <QLabel>

namespace vt {
namespace {

QPushButton *Button(QWidget *parent, const char *name, const QString &caption) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

} // namespace

TSingleStepPage::TSingleStepPage(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TabSheet4"));
  Button2 = Button(this, "Button2", QStringLiteral("open exe"));
  Button3 = Button(this, "Button3", QStringLiteral("ini make dfm"));
  Button4 = Button(this, "Button4", QStringLiteral("Button4"));
  Button4->setAccessibleName(tr("Hint properties of the form"));
  Button9 = Button(this, "Button9", QStringLiteral("msg str"));
  Button10 = Button(this, "Button10", QStringLiteral("make ini msg"));
  Button11 = Button(this, "Button11", QStringLiteral("Open Skin"));
  Button12 = Button(this, "Button12", QStringLiteral("GUI used Actions"));
  Button13 = Button(this, "Button13", QStringLiteral("get filtered Actions"));
  FilenameGeneral = new TFileNameEdit(QStringLiteral("FilenameGeneral"), tr("File to edit"), this);
  auto *fileLabel = new QLabel(tr("File:"), this);
  fileLabel->setBuddy(FilenameGeneral->edit());
  Button22 = Button(this, "Button22", QStringLiteral("Open"));
  Button23 = Button(this, "Button23", QStringLiteral("Save"));
  Button24 = Button(this, "Button24", QStringLiteral("Clear"));
  Button24->setAccessibleName(tr("Clear file names"));
  Button25 = Button(this, "Button25", QStringLiteral("Add filename"));
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
