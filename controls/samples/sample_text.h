#pragma once
// Text helpers shared by the sample controls: conversions at the window boundary, captions with
// their "&" accelerator, and the two-part hint as a tool tip.
#include <QFont>
#include <QString>

#include <string>
#include <string_view>

class QPainter;
class QRect;

namespace vt::samples {

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Draws a caption; "&x" underlines x and "&&" shows one "&".
void DrawCaption(QPainter &painter, const QRect &rect, int alignment, const QString &caption);
// Width of a caption as DrawCaption shows it.
int CaptionWidth(const QFont &font, const QString &caption);
// The caption without accelerator marks, as a reader hears it.
QString PlainCaption(const QString &caption);
// Rich text of a caption for a label: the accelerator letter underlined, tabs as a wide gap.
QString CaptionRichText(const QString &caption);

// The hint window's text: the short hint in bold over the full hint; empty when both are.
QString TwoPartToolTip(const QString &hint, const QString &fullHint);
// A control hint "short|long" split at its first bar, as the hint window shows it.
QString ControlHintToolTip(const QString &controlHint);

} // namespace vt::samples
