#pragma once
// The product's tool button: a caption under an icon, a short hint and a full hint, a hover image
// and a dimmed or greyed normal image derived from the designed icon, and OnSubmitData as its click.
#include <QAbstractButton>
#include <QPixmap>
#include <QVariant>

namespace vt {

class TStaticHotBtn : public QAbstractButton {
  Q_OBJECT
public:
  explicit TStaticHotBtn(QWidget *parent = nullptr);

  void SetCaption(const QString &caption);
  QString Caption() const { return text(); }
  // The short hint and the full hint; the tool tip is "hint|full hint", as the hint window splits it.
  void SetHints(const QString &hint, const QString &fullHint);
  QString Hint() const { return FHint; }
  QString FullHint() const { return FFullHint; }

  // The designed icon; it is the normal image until a hover image is derived from it.
  void SetGlyph(const QPixmap &glyph);
  QPixmap Glyph() const { return FGlyph; }
  bool HasHoverImage() const { return !FHoverImage.isNull(); }
  QPixmap HoverImage() const { return FHoverImage; }
  QPixmap NormalImage() const { return FNormalImage; }
  QPixmap DisabledImage() const { return FDisabledImage; }
  // The designed icon becomes the hover image and a dimmed copy the normal image.
  void DeriveHoverImage();
  // A greyed copy of the icon is shown while the button is disabled.
  void DeriveDisabledImage();
  // The picture the button paints in its present state.
  QPixmap CurrentImage() const;
  bool IsHot() const { return FHot; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

signals:
  // Raised on every click, by mouse or key; command number and context are for the handler.
  void SubmitData(int command, const QVariant &context);

protected:
  void paintEvent(QPaintEvent *event) override;
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;

private:
  QString FHint, FFullHint;
  QPixmap FGlyph, FNormalImage, FHoverImage, FDisabledImage;
  bool FHot = false;
};

} // namespace vt
