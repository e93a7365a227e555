#include "file_name_edit.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace vt {

TFileNameEdit::TFileNameEdit(const QString &name, const QString &accessibleName, QWidget *parent)
    : QWidget(parent), FEdit(new QLineEdit(this)), FButton(new QToolButton(this)) {
  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FEdit, 1);
  layout->addWidget(FButton);
  FEdit->setObjectName(name);
  FEdit->setAccessibleName(accessibleName);
  FButton->setObjectName(name + QStringLiteral("Button"));
  FButton->setText(QStringLiteral("..."));
  FButton->setAccessibleName(QStringLiteral("Browse for ") + accessibleName);
  connect(FButton, &QToolButton::clicked, this, [this] {
    if (!Browse) return;
    const QString chosen = Browse(FEdit->text());
    if (!chosen.isEmpty()) FEdit->setText(chosen);
  });
}

} // namespace vt
