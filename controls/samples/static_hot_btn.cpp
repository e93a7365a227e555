#include "static_hot_btn.h"

#include "sample_text.h"
#include "sample_theme.h"

#include <QFontMetrics>
#include <QPainter>

namespace vt::samples {

TStaticHotBtn::TStaticHotBtn(QWidget *parent) : TStaticToolControl(parent) {
  resize(64, 56);
}

void TStaticHotBtn::SetLayout(THotLayout layout) {
  FLayout = layout;
  update();
}

QSize TStaticHotBtn::sizeHint() const {
  const int textW = CaptionWidth(font(), Caption());
  const int textH = QFontMetrics(font()).height();
  const int icon = ToolIconSize();
  switch (FLayout) {
  case THotLayout::GlyphOnly:
    return {icon + 8, icon + 8};
  case THotLayout::GlyphLeft:
    return {icon + kSpacing + textW + 12, std::max(icon, textH) + 8};
  case THotLayout::GlyphTop:
    break;
  }
  return {std::max(icon, textW) + 16, icon + kSpacing + textH + 8};
}

void TStaticHotBtn::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  const QRect r = rect();
  if (IsHot()) theme::DrawHotHighlight(painter, r);
  painter.setPen(theme::kText);
  const int icon = ToolIconSize();
  const int textH = QFontMetrics(font()).height();
  if (icon <= 0) { // without an icon every layout shows the caption alone
    DrawCaption(painter, r.adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWordWrap, Caption());
    return;
  }
  switch (FLayout) {
  case THotLayout::GlyphOnly:
    DrawIcon(painter, QRect((r.width() - icon) / 2, (r.height() - icon) / 2, icon, icon));
    break;
  case THotLayout::GlyphLeft: {
    const QRect iconRect(6, (r.height() - icon) / 2, icon, icon);
    DrawIcon(painter, iconRect);
    const QRect textRect(iconRect.right() + 1 + kSpacing, 0, r.width() - iconRect.right() - 1 - kSpacing - 4,
                         r.height());
    DrawCaption(painter, textRect, Qt::AlignLeft | Qt::AlignVCenter, Caption());
    break;
  }
  case THotLayout::GlyphTop: {
    const int block = icon + kSpacing + textH;
    const int top = std::max(2, (r.height() - block) / 2);
    DrawIcon(painter, QRect((r.width() - icon) / 2, top, icon, icon));
    DrawCaption(painter, QRect(2, top + icon + kSpacing, r.width() - 4, r.height() - top - icon - kSpacing),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, Caption());
    break;
  }
  }
}

} // namespace vt::samples
