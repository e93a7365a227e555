#pragma once
// Where a tool button puts its icon: above the caption, left of it, or alone.
#include <cstdint>

namespace vt {

enum class TButtonLayout : uint8_t { GlyphTop, GlyphLeft, GlyphOnly };

} // namespace vt
