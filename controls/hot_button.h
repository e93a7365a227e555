#pragma once
// The product's tool button: a tool text (caption, hint, full hint), a tool icon of any size in
// one of three layouts, a hover image and a dimmed or greyed normal image derived from the designed
// icon, the control's own hint with its show-hint switch, and OnSubmitData as its click. The
// window's toolbar shows it with the glyph on top; the translation preview shows it as the
// translated program will.
#include "button_layout.h"

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QVariant>

#include <functional>

namespace vt {

// How the button dresses itself; the defaults are the window's toolbar.
struct THotLook {
  int Spacing = 2;         // between icon and caption
  int PadX = 4, PadY = 4;  // around the glyph-on-top block
  QColor Text{30, 40, 60}; // caption colour while enabled
  // The face under the pointer and while pressed; empty: a light rounded plate.
  std::function<void(QPainter &, const QRectF &, bool down)> HotFace;
};

class TStaticHotBtn : public QAbstractButton {
  Q_OBJECT
public:
  explicit TStaticHotBtn(QWidget *parent = nullptr);

  void SetLook(THotLook look);
  const THotLook &Look() const { return FLook; }

  // The tool text: the caption ("&x" marks the accelerator) and the two hints.
  void SetToolText(const QString &caption, const QString &hint, const QString &fullHint);
  void SetCaption(const QString &caption);
  QString Caption() const { return text(); }
  // The short hint and the full hint; the tool tip is "hint|full hint", as the hint window splits it.
  void SetHints(const QString &hint, const QString &fullHint);
  QString Hint() const { return FHint; }
  QString FullHint() const { return FFullHint; }
  QString ToolHint() const { return FHint; }
  QString ToolFullHint() const { return FFullHint; }
  // Whether an accelerator in the caption takes its Alt shortcut in the window (on by default).
  // A button that only shows a caption, such as the preview's sample, keeps it off.
  void SetCaptionShortcut(bool on);
  bool CaptionShortcut() const { return FCaptionShortcut; }

  // The designed icon at its own size; it is the normal image until a hover image is derived.
  void SetGlyph(const QPixmap &glyph);
  // The icon drawn size by size pixels; a null picture or size 0 clears it.
  void SetToolIcon(const QPixmap &picture, int size);
  QPixmap Glyph() const { return FGlyph; }
  const QPixmap &ToolIcon() const { return FGlyph; }
  int ToolIconSize() const { return FIconBox.width(); }
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

  void SetLayout(TButtonLayout layout);
  TButtonLayout Layout() const { return FLayout; }

  // The control's own hint ("short|long"), shown when the tool text has no hint.
  void SetControlHint(const QString &hint) { FControlHint = hint; }
  QString ControlHint() const { return FControlHint; }
  // Hints show on hover only while this is on (on by default).
  void SetShowHint(bool on);
  bool ShowHint() const { return FShowHint; }
  // Who shows the hints: the window's hint window, which reads the tool tip "hint|full hint" (on by
  // default), or the button itself with HintText, as the preview's sample does (its tool tip stays
  // empty then, so the window's hint window passes it by).
  void SetHintByWindow(bool on);
  bool HintByWindow() const { return FHintByWindow; }
  // What the hint window shows on hover; empty when hints are off or there is nothing to show.
  QString HintText() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

signals:
  // Raised on every click, by mouse or key; command number and context are for the handler.
  void SubmitData(int command, const QVariant &context);

protected:
  bool event(QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;

private:
  void UpdateAccessibleName();
  void UpdateToolTip();
  void SetIcon(const QPixmap &picture, QSize box);
  void Changed();

  THotLook FLook;
  QString FHint, FFullHint, FControlHint;
  QPixmap FGlyph, FNormalImage, FHoverImage, FDisabledImage;
  QSize FIconBox{0, 0};
  TButtonLayout FLayout = TButtonLayout::GlyphTop;
  bool FCaptionShortcut = true;
  bool FShowHint = true;
  bool FHintByWindow = true;
  bool FHot = false;
};

} // namespace vt
