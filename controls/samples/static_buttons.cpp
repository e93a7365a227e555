#include "static_buttons.h"

#include "sample_text.h"
#include "sample_theme.h"

#include <QPainter>

namespace vt::samples {

TStaticPushBtn::TStaticPushBtn(QWidget *parent) : TStaticToolControl(parent) {
  resize(75, 25);
}

void TStaticPushBtn::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  theme::DrawFace(painter, rect(), 3, IsHot());
  painter.setPen(theme::kText);
  DrawCaption(painter, rect().adjusted(4, 1, -4, -1), Qt::AlignCenter, Caption());
}

TStaticMarkControl::TStaticMarkControl(QWidget *parent) : TStaticToolControl(parent) {
  resize(120, 17);
}

void TStaticMarkControl::SetChecked(bool checked) {
  FChecked = checked;
  update();
}

void TStaticMarkControl::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  const QRectF box(0, (height() - kMarkSize) / 2, kMarkSize, kMarkSize);
  DrawMark(painter, box);
  painter.setPen(theme::kText);
  const int x = kMarkSize + kMarkGap;
  DrawCaption(painter, QRect(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, Caption());
}

TStaticCheckBox::TStaticCheckBox(QWidget *parent) : TStaticMarkControl(parent) {
  SetChecked(true);
}

void TStaticCheckBox::DrawMark(QPainter &painter, const QRectF &box) const {
  theme::DrawCheckMark(painter, box, Checked(), IsHot());
}

TStaticRadioBtn::TStaticRadioBtn(QWidget *parent) : TStaticMarkControl(parent) {
  SetChecked(true);
}

void TStaticRadioBtn::DrawMark(QPainter &painter, const QRectF &box) const {
  theme::DrawRadioMark(painter, box, Checked(), IsHot());
}

} // namespace vt::samples
