#pragma once
// The choices the sample controls offer: the layouts of the tool button and the badges that tell
// which kind of text the preview shows.
#include <cstdint>

namespace vt::samples {

enum class THotLayout : uint8_t { GlyphTop, GlyphLeft, GlyphOnly };

enum class TPreviewBadge : uint8_t { None, HintTF, HintTH, HintVH, HintTC, Menu };

} // namespace vt::samples
