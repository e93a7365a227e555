#pragma once
// Text helpers shared by the sample controls: conversions at the window boundary, captions with
// their "&" accelerator, and the two-part hint as a tool tip.
#include "controls/tool_text.h"

#include <QString>

#include <string>
#include <string_view>

namespace vt::samples {

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The caption and hint helpers of the product controls, used by the samples too.
using vt::CaptionWidth;
using vt::ControlHintToolTip;
using vt::DrawCaption;
using vt::PlainCaption;
using vt::TwoPartToolTip;

// Rich text of a caption for a label: the accelerator letter underlined, tabs as a wide gap.
QString CaptionRichText(const QString &caption);

} // namespace vt::samples
