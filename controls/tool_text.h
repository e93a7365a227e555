#pragma once
// Text helpers of the product controls: captions with their "&" accelerator and the two-part hint
// as the hint window shows it.
#include <QFont>
#include <QString>

class QPainter;
class QRect;

namespace vt {

// Draws a caption; "&x" underlines x and "&&" shows one "&".
void DrawCaption(QPainter &painter, const QRect &rect, int alignment, const QString &caption);
// Width of a caption as DrawCaption shows it.
int CaptionWidth(const QFont &font, const QString &caption);
// The caption without accelerator marks, as a reader hears it.
QString PlainCaption(const QString &caption);

// The hint window's text: the short hint in bold over the full hint; empty when both are.
QString TwoPartToolTip(const QString &hint, const QString &fullHint);
// A control hint "short|long" split at its first bar, as the hint window shows it.
QString ControlHintToolTip(const QString &controlHint);

} // namespace vt
