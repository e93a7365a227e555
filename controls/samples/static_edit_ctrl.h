#pragma once
// The product's edit control with a tool icon: a white field with the icon at its left, the
// caption as the field's prompt beside it (icon gap between them), a margin kept free at the
// right edge for the field's button, and a default width used when no width is given.
#include "static_tool_control.h"

namespace vt::samples {

class TStaticEditCtrl : public TStaticToolControl {
  Q_OBJECT
public:
  explicit TStaticEditCtrl(QWidget *parent = nullptr);

  void SetMetrics(int margin, int defWidth, int iconGap);
  int Margin() const { return FMargin; }
  int DefWidth() const { return FDefWidth; }
  int IconGap() const { return FIconGap; }
  // Where the caption is drawn at the present size.
  QRect TextRect() const;
  static constexpr int kPadding = 4;

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  int FMargin = 15, FDefWidth = 65, FIconGap = 2;
};

} // namespace vt::samples
