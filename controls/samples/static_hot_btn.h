#pragma once
// The product's tool button as the preview shows it: icon and caption in one of three layouts.
#include "static_tool_control.h"

#include "sample_kinds.h"

namespace vt::samples {

class TStaticHotBtn : public TStaticToolControl {
  Q_OBJECT
public:
  explicit TStaticHotBtn(QWidget *parent = nullptr);

  void SetLayout(THotLayout layout);
  THotLayout Layout() const { return FLayout; }
  // Room between icon and caption.
  static constexpr int kSpacing = 4;

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  THotLayout FLayout = THotLayout::GlyphTop;
};

} // namespace vt::samples
