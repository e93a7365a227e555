#include "theme_painter.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

namespace vt {

TThemeServices &TThemeServices::Instance() {
  static TThemeServices theme;
  return theme;
}

void TThemeServices::PaintBackground(QPainter &painter, const QRect &rect) const {
  QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
  gradient.setColorAt(0, Top);
  gradient.setColorAt(1, Bottom);
  painter.fillRect(rect, gradient);
  painter.setPen(Line);
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
}

TThemePaintBox::TThemePaintBox(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void TThemePaintBox::FillParent() {
  QWidget *parent = parentWidget();
  if (!parent) return;
  if (!FFilling) parent->installEventFilter(this);
  FFilling = true;
  setGeometry(parent->rect());
  lower();
}

void TThemePaintBox::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  TThemeServices::Instance().PaintBackground(painter, rect());
}

bool TThemePaintBox::eventFilter(QObject *watched, QEvent *event) {
  if (FFilling && watched == parentWidget() && event->type() == QEvent::Resize) {
    setGeometry(parentWidget()->rect());
    lower();
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace vt
