#include "tool_text.h"

#include <QFontMetrics>
#include <QPainter>

namespace vt {

void DrawCaption(QPainter &painter, const QRect &rect, int alignment, const QString &caption) {
  painter.drawText(rect, alignment | Qt::TextShowMnemonic, caption);
}

int CaptionWidth(const QFont &font, const QString &caption) {
  return QFontMetrics(font).horizontalAdvance(PlainCaption(caption));
}

QString PlainCaption(const QString &caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
    out.append(caption[i]);
  }
  return out;
}

QString TwoPartToolTip(const QString &hint, const QString &fullHint) {
  if (hint.isEmpty() && fullHint.isEmpty()) return {};
  if (fullHint.isEmpty()) return QStringLiteral("<b>%1</b>").arg(hint.toHtmlEscaped());
  if (hint.isEmpty()) return fullHint.toHtmlEscaped();
  return QStringLiteral("<b>%1</b><br>%2").arg(hint.toHtmlEscaped(), fullHint.toHtmlEscaped());
}

QString ControlHintToolTip(const QString &controlHint) {
  const qsizetype bar = controlHint.indexOf(QLatin1Char('|'));
  if (bar < 0) return TwoPartToolTip(controlHint, {});
  return TwoPartToolTip(controlHint.left(bar), controlHint.mid(bar + 1));
}

} // namespace vt
