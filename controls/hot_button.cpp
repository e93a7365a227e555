#include "hot_button.h"

#include "image_effects.h"

#include <QEnterEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace vt {

namespace {
constexpr int kPadding = 4;
constexpr int kGap = 2;
} // namespace

TStaticHotBtn::TStaticHotBtn(QWidget *parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::TabFocus);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_Hover);
  connect(this, &QAbstractButton::clicked, this, [this] { emit SubmitData(0, QVariant()); });
}

void TStaticHotBtn::SetCaption(const QString &caption) {
  setText(caption);
  updateGeometry();
  update();
}

void TStaticHotBtn::SetHints(const QString &hint, const QString &fullHint) {
  FHint = hint;
  FFullHint = fullHint;
  setToolTip(fullHint.isEmpty() ? hint : hint + QLatin1Char('|') + fullHint);
  // An icon-only button is read out by its hint.
  if (text().isEmpty()) setAccessibleName(hint);
  setAccessibleDescription(fullHint);
}

void TStaticHotBtn::SetGlyph(const QPixmap &glyph) {
  FGlyph = glyph;
  FNormalImage = glyph;
  FHoverImage = QPixmap();
  FDisabledImage = QPixmap();
  updateGeometry();
  update();
}

void TStaticHotBtn::DeriveHoverImage() {
  if (FGlyph.isNull()) return;
  FHoverImage = FGlyph;
  FNormalImage = DimmedImage(FGlyph);
  update();
}

void TStaticHotBtn::DeriveDisabledImage() {
  FDisabledImage = GreyedImage(FGlyph);
  update();
}

QPixmap TStaticHotBtn::CurrentImage() const {
  if (!isEnabled()) return FDisabledImage.isNull() ? FNormalImage : FDisabledImage;
  if ((FHot || isDown() || hasFocus()) && !FHoverImage.isNull()) return FHoverImage;
  return FNormalImage;
}

QSize TStaticHotBtn::sizeHint() const {
  const QSize icon = FGlyph.isNull() ? QSize(0, 0) : FGlyph.deviceIndependentSize().toSize();
  int w = icon.width(), h = icon.height();
  if (!text().isEmpty()) {
    const QFontMetrics fm(font());
    w = std::max(w, fm.horizontalAdvance(text()));
    h += (icon.isEmpty() ? 0 : kGap) + fm.height();
  }
  return {w + 2 * kPadding, h + 2 * kPadding};
}

void TStaticHotBtn::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (isEnabled() && (isDown() || FHot)) {
    // A soft rounded plate under the pointer, darker while pressed.
    const QColor fill = isDown() ? QColor(196, 220, 248) : QColor(226, 238, 252);
    p.setPen(QColor(150, 184, 228));
    p.setBrush(fill);
    p.drawRoundedRect(frame, 4, 4);
  }
  const QPixmap image = CurrentImage();
  const QSize icon = image.isNull() ? QSize(0, 0) : image.deviceIndependentSize().toSize();
  const QFontMetrics fm(font());
  const int textH = text().isEmpty() ? 0 : fm.height();
  const int total = icon.height() + (textH && icon.height() ? kGap : 0) + textH;
  int y = (height() - total) / 2 + (isDown() ? 1 : 0);
  if (!image.isNull()) {
    p.drawPixmap(QPoint((width() - icon.width()) / 2, y), image);
    y += icon.height() + kGap;
  }
  if (textH) {
    p.setPen(isEnabled() ? QColor(30, 40, 60) : QColor(150, 150, 150));
    p.drawText(QRect(0, y, width(), textH), Qt::AlignHCenter | Qt::AlignTop, text());
  }
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
  }
}

void TStaticHotBtn::enterEvent(QEnterEvent *event) {
  FHot = true;
  update();
  QAbstractButton::enterEvent(event);
}

void TStaticHotBtn::leaveEvent(QEvent *event) {
  FHot = false;
  update();
  QAbstractButton::leaveEvent(event);
}

} // namespace vt
