#pragma once
// The two-part hint window: a short hint in bold over the full hint text.
#include <QWidget>

namespace vt {

class THintEx32 : public QWidget {
  Q_OBJECT
public:
  explicit THintEx32(QWidget *parent = nullptr);

  void SetTexts(const QString &shortText, const QString &fullText);
  QString ShortText() const { return FShort; }
  QString FullText() const { return FFull; }
  // Shows the window near the global point, kept on the screen; hides it after a while.
  void ActivateHint(const QPoint &globalPos);

  QSize sizeHint() const override;

  // "short|full" split at the first "|"; without a bar the whole text is the short one.
  static QString ShortPart(const QString &hint);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

private:
  QRect ShortRect() const;
  QRect FullRect() const;

  QString FShort, FFull;
};

} // namespace vt
