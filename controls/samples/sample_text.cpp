#include "sample_text.h"

#include <QFontMetrics>
#include <QPainter>

namespace vt::samples {

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

QString CaptionRichText(const QString &caption) {
  QString out;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption[i];
    if (c == QLatin1Char('&') && i + 1 < caption.size()) {
      const QChar next = caption[++i];
      if (next == QLatin1Char('&'))
        out += QStringLiteral("&amp;");
      else
        out += QStringLiteral("<u>") + QString(next).toHtmlEscaped() + QStringLiteral("</u>");
    } else if (c == QLatin1Char('\t')) {
      out += QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;");
    } else if (c == QLatin1Char('\n')) {
      out += QStringLiteral("<br>");
    } else if (c != QLatin1Char('\r')) {
      out += QString(c).toHtmlEscaped();
    }
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

} // namespace vt::samples
