#include "static_group_box.h"

#include "sample_text.h"
#include "sample_theme.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace vt::samples {

TStaticGroupBox::TStaticGroupBox(QWidget *parent) : QWidget(parent) {
  resize(185, 80);
}

void TStaticGroupBox::SetCaption(const QString &caption) {
  FCaption = caption;
  setAccessibleName(PlainCaption(caption));
  update();
}

QString TStaticGroupBox::HintText() const {
  return FShowHint ? ControlHintToolTip(FHint) : QString();
}

bool TStaticGroupBox::event(QEvent *event) {
  if (event->type() == QEvent::ToolTip) {
    const QString text = HintText();
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text, this);
    return true;
  }
  return QWidget::event(event);
}

void TStaticGroupBox::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics fm(font());
  const qreal top = fm.height() / 2.0;
  painter.setPen(QPen(theme::kFrame, 1));
  painter.setBrush(QColor(255, 255, 255, 90));
  painter.drawRoundedRect(QRectF(0.5, top + 0.5, width() - 1.0, height() - top - 1.0), 4, 4);
  if (FCaption.isEmpty()) return;
  const int textW = CaptionWidth(font(), FCaption);
  const QRect textRect(8, 0, std::min(textW + 8, width() - 16), fm.height());
  // The caption interrupts the frame's top edge.
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette().window());
  painter.drawRect(textRect);
  painter.setPen(theme::kMark);
  DrawCaption(painter, textRect, Qt::AlignCenter, FCaption);
}

} // namespace vt::samples
