#pragma once
// Base of the product's text-carrying controls: a tool text (caption, hint, full hint), an
// optional tool icon of a given size, the control's own hint and the show-hint switch.
#include <QPixmap>
#include <QWidget>

namespace vt::samples {

class TStaticToolControl : public QWidget {
  Q_OBJECT
public:
  explicit TStaticToolControl(QWidget *parent = nullptr);

  void SetToolText(const QString &caption, const QString &hint, const QString &fullHint);
  QString Caption() const { return FCaption; }
  QString ToolHint() const { return FHint; }
  QString ToolFullHint() const { return FFullHint; }

  // Picture and size in pixels; a null picture or size 0 clears both.
  void SetToolIcon(const QPixmap &picture, int size);
  int ToolIconSize() const { return FIconSize; }
  const QPixmap &ToolIcon() const { return FIcon; }

  // The control's own hint ("short|long"), shown when the tool text has no hint.
  void SetControlHint(const QString &hint);
  QString ControlHint() const { return FControlHint; }
  void SetShowHint(bool on) { FShowHint = on; }
  bool ShowHint() const { return FShowHint; }
  // What the hint window shows on hover; empty when hints are off or there is nothing to show.
  QString HintText() const;

protected:
  bool event(QEvent *event) override;
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;
  bool IsHot() const { return FHot; }
  // Draws the icon scaled into rect (the pictures are drawn for their size; scaling is a fallback).
  void DrawIcon(QPainter &painter, const QRect &rect) const;

private:
  QString FCaption, FHint, FFullHint, FControlHint;
  QPixmap FIcon;
  int FIconSize = 0;
  bool FShowHint = false;
  bool FHot = false;
};

} // namespace vt::samples
