#pragma once
// The theme service of the control library and the paint box that fills a panel with its
// background, behind the panel's other controls.
#include <QColor>
#include <QWidget>

class QPainter;

namespace vt {

class TThemeServices {
public:
  // The one theme of the process, created on first use.
  static TThemeServices &Instance();
  // Fills rect with the panel background: a soft vertical gradient with a light top edge and a
  // darker bottom line.
  void PaintBackground(QPainter &painter, const QRect &rect) const;
  QColor Top = QColor(250, 252, 255);
  QColor Bottom = QColor(222, 230, 242);
  QColor Line = QColor(176, 190, 210);
};

class TThemePaintBox : public QWidget {
  Q_OBJECT
public:
  explicit TThemePaintBox(QWidget *parent = nullptr);
  // Keeps the box as large as its parent and below every sibling.
  void FillParent();

protected:
  void paintEvent(QPaintEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  bool FFilling = false;
};

} // namespace vt
