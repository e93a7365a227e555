#include "static_tool_control.h"

#include "sample_text.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace vt::samples {

TStaticToolControl::TStaticToolControl(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_Hover);
}

void TStaticToolControl::SetToolText(const QString &caption, const QString &hint, const QString &fullHint) {
  FCaption = caption;
  FHint = hint;
  FFullHint = fullHint;
  setAccessibleName(PlainCaption(caption).isEmpty() ? hint : PlainCaption(caption));
  update();
}

void TStaticToolControl::SetToolIcon(const QPixmap &picture, int size) {
  if (picture.isNull() || size <= 0) {
    FIcon = QPixmap();
    FIconSize = 0;
  } else {
    FIcon = picture;
    FIconSize = size;
  }
  update();
}

void TStaticToolControl::SetControlHint(const QString &hint) {
  FControlHint = hint;
}

QString TStaticToolControl::HintText() const {
  if (!FShowHint) return {};
  if (!FHint.isEmpty() || !FFullHint.isEmpty()) return TwoPartToolTip(FHint, FFullHint);
  return ControlHintToolTip(FControlHint);
}

bool TStaticToolControl::event(QEvent *event) {
  if (event->type() == QEvent::ToolTip) {
    const QString text = HintText();
    const auto *help = static_cast<QHelpEvent *>(event);
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), text, this);
    return true;
  }
  return QWidget::event(event);
}

void TStaticToolControl::enterEvent(QEnterEvent *event) {
  FHot = true;
  update();
  QWidget::enterEvent(event);
}

void TStaticToolControl::leaveEvent(QEvent *event) {
  FHot = false;
  update();
  QWidget::leaveEvent(event);
}

void TStaticToolControl::DrawIcon(QPainter &painter, const QRect &rect) const {
  if (FIcon.isNull() || FIconSize <= 0) return;
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(rect, FIcon);
}

} // namespace vt::samples
