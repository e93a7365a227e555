#include "sample_text.h"

namespace vt::samples {

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

} // namespace vt::samples
