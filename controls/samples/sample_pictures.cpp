#include "sample_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vt::samples {

namespace {

const QColor kBubbleTop(255, 251, 214);
const QColor kBubbleBottom(250, 226, 130);
const QColor kBubbleLine(176, 132, 28);
const QColor kInk(88, 64, 12);
const QColor kBlueTop(120, 176, 240);
const QColor kBlueBottom(40, 104, 196);
const QColor kBlueLine(24, 70, 140);

QPixmap Blank(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  return pm;
}

// A speech bubble filling most of the badge, with its tail at the lower left.
void DrawBubble(QPainter &p) {
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(0.5, 0.5, 15, 11.5), 3, 3);
  QPainterPath tail;
  tail.moveTo(3, 11);
  tail.lineTo(3, 15.5);
  tail.lineTo(8, 11);
  tail.closeSubpath();
  QLinearGradient g(0, 0, 0, 12);
  g.setColorAt(0, kBubbleTop);
  g.setColorAt(1, kBubbleBottom);
  p.setPen(QPen(kBubbleLine, 1));
  p.setBrush(g);
  p.drawPath(bubble.united(tail));
}

void DrawLines(QPainter &p, std::initializer_list<std::pair<qreal, qreal>> rows, qreal width) {
  p.setPen(QPen(kInk, width, Qt::SolidLine, Qt::RoundCap));
  for (const auto &[y, len] : rows) p.drawLine(QPointF(3.5, y), QPointF(3.5 + len, y));
}

QPixmap HintBadge(TPreviewBadge badge) {
  QPixmap pm = Blank(kBadgeSize);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  DrawBubble(p);
  switch (badge) {
  case TPreviewBadge::HintTF: // a long hint: three lines of text
    DrawLines(p, {{3.5, 9}, {6, 9}, {8.5, 6}}, 1.2);
    break;
  case TPreviewBadge::HintTH: // a short hint: one bold line
    DrawLines(p, {{6, 8}}, 2.4);
    break;
  default: { // a hint pair: a bold line over a thin one
    DrawLines(p, {{4, 6}}, 2.0);
    DrawLines(p, {{8, 9}}, 1.2);
    break;
  }
  }
  return pm;
}

QPixmap CaptionBadge() {
  QPixmap pm = Blank(kBadgeSize);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, 16);
  g.setColorAt(0, kBlueTop);
  g.setColorAt(1, kBlueBottom);
  p.setPen(QPen(kBlueLine, 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  // A "T" for the caption of a tool button.
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4, 3.5, 8, 2));
  p.drawRect(QRectF(7, 3.5, 2, 9));
  return pm;
}

QPixmap MenuBadge() {
  QPixmap pm = Blank(kBadgeSize);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 132, 150), 1));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
  // The highlighted item.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 196, 246));
  p.drawRect(QRectF(1.5, 6, 13, 4));
  p.setPen(QPen(QColor(60, 70, 90), 1.2, Qt::SolidLine, Qt::RoundCap));
  for (const qreal y : {3.5, 8.0, 12.5}) p.drawLine(QPointF(4, y), QPointF(12, y));
  return pm;
}

} // namespace

QPixmap BadgePicture(TPreviewBadge badge) {
  switch (badge) {
  case TPreviewBadge::None:
    return {};
  case TPreviewBadge::HintTC:
    return CaptionBadge();
  case TPreviewBadge::Menu:
    return MenuBadge();
  default:
    return HintBadge(badge);
  }
}

QPixmap IconPicture(int size) {
  if (size <= 0) return {};
  QPixmap pm = Blank(size);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  const qreal edge = std::max<qreal>(1, s / 16);
  const QRectF frame(edge / 2, edge / 2 + s * 0.06, s - edge, s * 0.86 - edge);
  // White photo border with a soft shadow line.
  p.setPen(QPen(QColor(96, 110, 130), edge));
  p.setBrush(Qt::white);
  p.drawRoundedRect(frame, s / 12, s / 12);
  const QRectF photo = frame.adjusted(s * 0.1, s * 0.1, -s * 0.1, -s * 0.1);
  QLinearGradient sky(photo.topLeft(), photo.bottomLeft());
  sky.setColorAt(0, QColor(92, 166, 238));
  sky.setColorAt(1, QColor(196, 228, 252));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawRect(photo);
  p.save();
  p.setClipRect(photo);
  p.setBrush(QColor(255, 208, 64));
  const qreal sun = photo.height() * 0.28;
  p.drawEllipse(QPointF(photo.right() - sun * 1.2, photo.top() + sun * 1.1), sun * 0.6, sun * 0.6);
  QPainterPath far;
  far.moveTo(photo.left(), photo.bottom());
  far.lineTo(photo.left() + photo.width() * 0.38, photo.top() + photo.height() * 0.38);
  far.lineTo(photo.left() + photo.width() * 0.72, photo.bottom());
  p.setBrush(QColor(70, 140, 80));
  p.drawPath(far);
  QPainterPath nearHill;
  nearHill.moveTo(photo.left() + photo.width() * 0.3, photo.bottom());
  nearHill.lineTo(photo.left() + photo.width() * 0.68, photo.top() + photo.height() * 0.55);
  nearHill.lineTo(photo.right() + 1, photo.bottom());
  p.setBrush(QColor(44, 110, 60));
  p.drawPath(nearHill);
  p.restore();
  return pm;
}

} // namespace vt::samples
