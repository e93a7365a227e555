#include "build_prj_page.h"

#include <QVBoxLayout>

namespace vt {

TBuildPrjPage::TBuildPrjPage(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BuildPrj"));
  Button20 = new QPushButton(QStringLiteral("compress test"), this);
  Button20->setObjectName(QStringLiteral("Button20"));
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(Button20);
  layout->addStretch(1);
}

} // namespace vt
