#include "hint_ex32.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace vt {

namespace {
constexpr int kMargin = 6;
constexpr int kMaxTextWidth = 320;
constexpr int kShowMs = 8000;
} // namespace

THintEx32::THintEx32(QWidget *parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("HintEx32"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

QString THintEx32::ShortPart(const QString &hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.left(bar);
}

void THintEx32::SetTexts(const QString &shortText, const QString &fullText) {
  FShort = shortText;
  // The full text repeats the short one before its bar; show only what it adds.
  const qsizetype bar = fullText.indexOf(QLatin1Char('|'));
  FFull = bar < 0 ? (fullText == shortText ? QString() : fullText) : fullText.mid(bar + 1);
  resize(sizeHint());
  update();
}

QRect THintEx32::ShortRect() const {
  QFont bold = font();
  bold.setBold(true);
  return QFontMetrics(bold).boundingRect(QRect(0, 0, kMaxTextWidth, 1000), Qt::TextWordWrap, FShort);
}

QRect THintEx32::FullRect() const {
  if (FFull.isEmpty()) return {};
  return fontMetrics().boundingRect(QRect(0, 0, kMaxTextWidth, 1000), Qt::TextWordWrap, FFull);
}

QSize THintEx32::sizeHint() const {
  const QRect s = ShortRect(), f = FullRect();
  const int w = std::max(s.width(), f.width());
  const int h = s.height() + (f.isEmpty() ? 0 : kMargin / 2 + f.height());
  return {w + 2 * kMargin, h + 2 * kMargin};
}

void THintEx32::ActivateHint(const QPoint &globalPos) {
  resize(sizeHint());
  QPoint pos = globalPos + QPoint(12, 18);
  if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
    const QRect area = screen->availableGeometry();
    pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() - width())));
    if (pos.y() + height() > area.bottom()) pos.setY(globalPos.y() - height() - 4);
  }
  move(pos);
  show();
  QTimer::singleShot(kShowMs, this, &QWidget::hide);
}

void THintEx32::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.fillRect(rect(), QColor(255, 255, 236));
  p.setPen(QColor(160, 160, 120));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  QFont bold = font();
  bold.setBold(true);
  p.setFont(bold);
  p.setPen(QColor(20, 20, 40));
  const QRect s = ShortRect();
  p.drawText(QRect(kMargin, kMargin, kMaxTextWidth, s.height()), Qt::TextWordWrap, FShort);
  if (!FFull.isEmpty()) {
    p.setFont(font());
    p.setPen(QColor(70, 70, 90));
    const int y = kMargin + s.height() + kMargin / 2;
    p.drawText(QRect(kMargin, y, kMaxTextWidth, FullRect().height()), Qt::TextWordWrap, FFull);
  }
}

void THintEx32::mousePressEvent(QMouseEvent *) {
  hide();
}

} // namespace vt
