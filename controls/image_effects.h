#pragma once
// Images derived from a button's designed icon: the dimmed normal look of a hot button and the
// greyed look of a disabled one.
#include <QPixmap>

namespace vt {

// The same picture, faded towards transparency and slightly desaturated.
QPixmap DimmedImage(const QPixmap &source);
// A grey-scale, lightened copy for the disabled state.
QPixmap GreyedImage(const QPixmap &source);

} // namespace vt
