#include "sample_theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vt::samples::theme {

void DrawFace(QPainter &painter, const QRectF &rect, qreal radius, bool hot) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(rect.topLeft(), rect.bottomLeft());
  g.setColorAt(0, hot ? kHotTop : kFaceTop);
  g.setColorAt(1, hot ? kHotBottom : kFaceBottom);
  painter.setBrush(g);
  painter.setPen(QPen(hot ? kFrameHot : kFrame, 1));
  painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  painter.restore();
}

void DrawHotHighlight(QPainter &painter, const QRectF &rect) {
  DrawFace(painter, rect, 3, true);
}

void DrawCheckMark(QPainter &painter, const QRectF &box, bool checked, bool hot) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(hot ? kFrameHot : kFrame, 1));
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0, QColor(238, 242, 248));
  g.setColorAt(1, kField);
  painter.setBrush(g);
  painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
  if (checked) {
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.74);
    tick.lineTo(box.left() + box.width() * 0.80, box.top() + box.height() * 0.26);
    painter.setPen(QPen(kMark, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
  }
  painter.restore();
}

void DrawRadioMark(QPainter &painter, const QRectF &box, bool checked, bool hot) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(hot ? kFrameHot : kFrame, 1));
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0, QColor(238, 242, 248));
  g.setColorAt(1, kField);
  painter.setBrush(g);
  painter.drawEllipse(box.adjusted(0.5, 0.5, -0.5, -0.5));
  if (checked) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMark);
    const qreal inset = box.width() * 0.3;
    painter.drawEllipse(box.adjusted(inset, inset, -inset, -inset));
  }
  painter.restore();
}

} // namespace vt::samples::theme
