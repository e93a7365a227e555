#include "static_hot_btn.h"

#include "sample_theme.h"

namespace vt::samples {

void DressAsSample(TStaticHotBtn &button) {
  THotLook look;
  look.Spacing = kHotSpacing;
  look.PadX = 8;
  look.PadY = 4;
  look.Text = theme::kText;
  look.HotFace = [](QPainter &painter, const QRectF &rect, bool) { theme::DrawHotHighlight(painter, rect); };
  button.SetLook(std::move(look));
  button.SetCaptionShortcut(false);
  button.SetHintByWindow(false);
  button.SetShowHint(false);
  button.setFocusPolicy(Qt::NoFocus);
  button.unsetCursor();
}

TStaticHotBtn *NewSampleHotBtn(QWidget *parent) {
  auto *button = new TStaticHotBtn(parent);
  DressAsSample(*button);
  button->resize(64, 56);
  return button;
}

} // namespace vt::samples
