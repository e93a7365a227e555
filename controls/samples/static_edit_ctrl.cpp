#include "static_edit_ctrl.h"

#include "sample_text.h"
#include "sample_theme.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace vt::samples {

TStaticEditCtrl::TStaticEditCtrl(QWidget *parent) : TStaticToolControl(parent) {
  resize(sizeHint());
}

void TStaticEditCtrl::SetMetrics(int margin, int defWidth, int iconGap) {
  FMargin = std::max(0, margin);
  FDefWidth = std::max(0, defWidth);
  FIconGap = std::max(0, iconGap);
  updateGeometry();
  update();
}

QSize TStaticEditCtrl::sizeHint() const {
  return {FDefWidth, std::max(QFontMetrics(font()).height(), ToolIconSize()) + 6};
}

QRect TStaticEditCtrl::TextRect() const {
  const int icon = ToolIconSize();
  const int left = kPadding + (icon > 0 ? icon + FIconGap : 0);
  return {left, 0, std::max(0, width() - left - FMargin), height()};
}

void TStaticEditCtrl::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(IsHot() ? theme::kFrameHot : theme::kFrame, 1));
  painter.setBrush(theme::kField);
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  const int icon = ToolIconSize();
  if (icon > 0) DrawIcon(painter, QRect(kPadding, (height() - icon) / 2, icon, icon));
  painter.setPen(theme::kText);
  DrawCaption(painter, TextRect(), Qt::AlignLeft | Qt::AlignVCenter, Caption());
}

} // namespace vt::samples
