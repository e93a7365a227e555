#include "hot_button.h"

#include "image_effects.h"
#include "tool_text.h"

#include <QEnterEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>

namespace vt {

namespace {
// The glyph-left layout keeps this much room left of the icon and right of the caption.
constexpr int kSideRoom = 6;

void DrawPlate(QPainter &p, const QRectF &rect, bool down) {
  // A soft rounded plate under the pointer, darker while pressed.
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(150, 184, 228));
  p.setBrush(down ? QColor(196, 220, 248) : QColor(226, 238, 252));
  p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  p.restore();
}
} // namespace

TStaticHotBtn::TStaticHotBtn(QWidget *parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::TabFocus);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_Hover);
  connect(this, &QAbstractButton::clicked, this, [this] { emit SubmitData(0, QVariant()); });
}

void TStaticHotBtn::SetLook(THotLook look) {
  FLook = std::move(look);
  Changed();
}

void TStaticHotBtn::SetToolText(const QString &caption, const QString &hint, const QString &fullHint) {
  SetCaption(caption);
  SetHints(hint, fullHint);
}

void TStaticHotBtn::SetCaption(const QString &caption) {
  setText(caption);
  // Setting the text takes the accelerator's shortcut; give it back when the caption only shows.
  if (!FCaptionShortcut) setShortcut(QKeySequence());
  UpdateAccessibleName();
  Changed();
}

void TStaticHotBtn::SetCaptionShortcut(bool on) {
  FCaptionShortcut = on;
  setShortcut(on ? QKeySequence::mnemonic(text()) : QKeySequence());
}

void TStaticHotBtn::SetHints(const QString &hint, const QString &fullHint) {
  FHint = hint;
  FFullHint = fullHint;
  UpdateToolTip();
  UpdateAccessibleName();
  setAccessibleDescription(fullHint);
}

void TStaticHotBtn::SetShowHint(bool on) {
  FShowHint = on;
  UpdateToolTip();
}

void TStaticHotBtn::SetHintByWindow(bool on) {
  FHintByWindow = on;
  UpdateToolTip();
}

void TStaticHotBtn::UpdateToolTip() {
  if (!FHintByWindow || !FShowHint)
    setToolTip(QString());
  else
    setToolTip(FFullHint.isEmpty() ? FHint : FHint + QLatin1Char('|') + FFullHint);
}

void TStaticHotBtn::UpdateAccessibleName() {
  // Read out by the caption without its accelerator marks; an icon-only button by its hint.
  const QString plain = PlainCaption(text());
  setAccessibleName(plain.isEmpty() ? FHint : plain);
}

void TStaticHotBtn::SetGlyph(const QPixmap &glyph) {
  SetIcon(glyph, glyph.isNull() ? QSize(0, 0) : glyph.deviceIndependentSize().toSize());
}

void TStaticHotBtn::SetToolIcon(const QPixmap &picture, int size) {
  if (picture.isNull() || size <= 0)
    SetIcon(QPixmap(), QSize(0, 0));
  else
    SetIcon(picture, QSize(size, size));
}

void TStaticHotBtn::SetIcon(const QPixmap &picture, QSize box) {
  FGlyph = picture;
  FIconBox = box;
  FNormalImage = picture;
  FHoverImage = QPixmap();
  FDisabledImage = QPixmap();
  Changed();
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

void TStaticHotBtn::SetLayout(TButtonLayout layout) {
  FLayout = layout;
  Changed();
}

void TStaticHotBtn::Changed() {
  updateGeometry();
  update();
}

QString TStaticHotBtn::HintText() const {
  if (!FShowHint) return {};
  if (!FHint.isEmpty() || !FFullHint.isEmpty()) return TwoPartToolTip(FHint, FFullHint);
  return ControlHintToolTip(FControlHint);
}

QSize TStaticHotBtn::sizeHint() const {
  const QFontMetrics fm(font());
  const bool hasText = !text().isEmpty();
  const int textW = hasText ? CaptionWidth(font(), text()) : 0;
  const int textH = hasText ? fm.height() : 0;
  const QSize box = FGlyph.isNull() ? QSize(0, 0) : FIconBox;
  if (box.isEmpty()) return {textW + 2 * FLook.PadX, textH + 2 * FLook.PadY}; // the caption alone
  switch (FLayout) {
  case TButtonLayout::GlyphOnly:
    return {box.width() + 2 * FLook.PadY, box.height() + 2 * FLook.PadY};
  case TButtonLayout::GlyphLeft:
    return {box.width() + (hasText ? FLook.Spacing + textW : 0) + 2 * kSideRoom,
            std::max(box.height(), textH) + 2 * FLook.PadY};
  case TButtonLayout::GlyphTop:
    break;
  }
  return {std::max(box.width(), textW) + 2 * FLook.PadX,
          box.height() + (hasText ? FLook.Spacing + textH : 0) + 2 * FLook.PadY};
}

bool TStaticHotBtn::event(QEvent *event) {
  if (event->type() == QEvent::ToolTip) {
    const QString hint = HintText();
    if (hint.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), hint, this);
    return true;
  }
  return QAbstractButton::event(event);
}

void TStaticHotBtn::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRect r = rect();
  // A checkable button that is checked stays pressed, as a toggle of the toolbar shows its state.
  const bool down = isDown() || isChecked();
  if (isEnabled() && (down || FHot)) {
    if (FLook.HotFace)
      FLook.HotFace(p, QRectF(r), down);
    else
      DrawPlate(p, QRectF(r), down);
  }
  p.setPen(isEnabled() ? FLook.Text : QColor(150, 150, 150));
  const QString caption = text();
  const QPixmap image = CurrentImage();
  const int shift = down ? 1 : 0;
  if (image.isNull() || FIconBox.isEmpty()) { // without an icon every layout shows the caption alone
    DrawCaption(p, r.adjusted(3, 2 + shift, -3, -2 + shift), Qt::AlignCenter | Qt::TextWordWrap, caption);
  } else {
    const QSize icon = FIconBox;
    switch (FLayout) {
    case TButtonLayout::GlyphOnly:
      p.drawPixmap(
          QRect(QPoint((r.width() - icon.width()) / 2, (r.height() - icon.height()) / 2 + shift), icon),
          image);
      break;
    case TButtonLayout::GlyphLeft: {
      const QRect iconRect(QPoint(kSideRoom, (r.height() - icon.height()) / 2 + shift), icon);
      p.drawPixmap(iconRect, image);
      const int left = iconRect.right() + 1 + FLook.Spacing;
      DrawCaption(p, QRect(left, shift, r.width() - left - 4, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                  caption);
      break;
    }
    case TButtonLayout::GlyphTop: {
      const int textH = caption.isEmpty() ? 0 : QFontMetrics(font()).height();
      const int block = icon.height() + (textH ? FLook.Spacing + textH : 0);
      const int top = std::max(2, (r.height() - block) / 2) + shift;
      p.drawPixmap(QRect(QPoint((r.width() - icon.width()) / 2, top), icon), image);
      const int textTop = top + icon.height() + FLook.Spacing;
      if (textH)
        DrawCaption(p, QRect(2, textTop, r.width() - 4, r.height() - textTop),
                    Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption);
      break;
    }
    }
  }
  if (hasFocus()) {
    p.setRenderHint(QPainter::Antialiasing);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = r.adjusted(1, 1, -1, -1);
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
