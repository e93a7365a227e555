#pragma once
// A push button that carries its component name, so tests and automation find it.
#include <QPushButton>
#include <QString>

namespace vt {

inline QPushButton *NamedButton(QWidget *parent, const char *name, const QString &caption) {
  auto *button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

} // namespace vt
