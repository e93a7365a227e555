#pragma once
// A path edit with a browse button: the line edit carries the component name, the button opens
// an open or save dialog through the window's dialog hooks.
#include <QLineEdit>
#include <QWidget>
#include <functional>

class QToolButton;

namespace vt {

class TFileNameEdit : public QWidget {
  Q_OBJECT
public:
  TFileNameEdit(const QString &name, const QString &accessibleName, QWidget *parent = nullptr);

  QString text() const { return FEdit->text(); }
  void setText(const QString &text) { FEdit->setText(text); }
  QLineEdit *edit() const { return FEdit; }
  QToolButton *button() const { return FButton; }

  // Asked for a path when the button is pressed; an empty answer changes nothing.
  std::function<QString(const QString &current)> Browse;

private:
  QLineEdit *FEdit;
  QToolButton *FButton;
};

} // namespace vt
