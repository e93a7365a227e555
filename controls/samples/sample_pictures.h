#pragma once
// The pictures of the preview: 16 x 16 badges that tell which kind of text is shown, and the icon
// samples of the five tool icon sizes. All are drawn here, in one style, for their exact size.
#include "sample_kinds.h"

#include <QPixmap>

namespace vt::samples {

inline constexpr int kBadgeSize = 16;
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64};

QPixmap BadgePicture(TPreviewBadge badge);
// The sample icon (a framed landscape) drawn for the given size.
QPixmap IconPicture(int size);

} // namespace vt::samples
