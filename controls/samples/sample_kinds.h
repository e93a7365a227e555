#pragma once
// The choices the sample controls offer: the layouts of the tool button and the badges that tell
// which kind of text the preview shows.
#include "controls/button_layout.h"

#include <cstdint>

namespace vt::samples {

using THotLayout = vt::TButtonLayout;

enum class TPreviewBadge : uint8_t { None, HintTF, HintTH, HintVH, HintTC, Menu };

} // namespace vt::samples
