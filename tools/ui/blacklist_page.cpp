#include "blacklist_page.h"

#include "named_button.h"

#include <QGridLayout>

namespace vt {
TBlacklistPage::TBlacklistPage(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Blacklist"));
  memoBL = new QPlainTextEdit(this);
  memoBL->setObjectName(QStringLiteral("memoBL"));
  memoBL->setAccessibleName(tr("Blacklist"));
  memoBL->setLineWrapMode(QPlainTextEdit::NoWrap);
  SpeedButton1 = new QToolButton(this);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setText(QStringLiteral("<-- Add"));
  SpeedButton1->setAccessibleName(tr("Add the selected form"));
  Button5 = NamedButton(this, "Button5", QStringLiteral("Clear"));
  Button6 = NamedButton(this, "Button6", QStringLiteral("Save List..."));
  Button7 = NamedButton(this, "Button7", QStringLiteral("Load List..."));
  Button8 = NamedButton(this, "Button8", QStringLiteral("Add All"));
  Button21 = NamedButton(this, "Button21", QStringLiteral("<-- Add ini BL to memo1 ini"));

  auto *grid = new QGridLayout(this);
  grid->addWidget(SpeedButton1, 0, 0);
  grid->addWidget(Button8, 0, 1);
  grid->addWidget(Button5, 0, 2);
  grid->addWidget(memoBL, 1, 0, 1, 3);
  grid->addWidget(Button7, 2, 0);
  grid->addWidget(Button6, 2, 1);
  grid->addWidget(Button21, 3, 0, 1, 3);
  grid->setRowStretch(1, 1);
}

} // namespace vt
