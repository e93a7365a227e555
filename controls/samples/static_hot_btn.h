#pragma once
// The product's tool button as the preview shows it: the sample theme's face and colours, the
// caption spaced as the translated program spaces it, no keyboard focus and no shortcut of its own
// (an accelerator in a previewed caption must not take a key of the window around it).
#include "controls/hot_button.h"

namespace vt::samples {

// Room between icon and caption of the sample.
inline constexpr int kHotSpacing = 4;

// Dresses a tool button as the sample: it shows its own hints, and none until a plan turns them on.
void DressAsSample(TStaticHotBtn &button);
// A new button dressed as the sample, 64 by 56 pixels until it is sized.
TStaticHotBtn *NewSampleHotBtn(QWidget *parent);

} // namespace vt::samples
