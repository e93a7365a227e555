#pragma once
// The product's group box: a rounded frame with its caption set into the top edge.
#include <QWidget>

namespace vt::samples {

class TStaticGroupBox : public QWidget {
  Q_OBJECT
public:
  explicit TStaticGroupBox(QWidget *parent = nullptr);

  void SetCaption(const QString &caption);
  QString Caption() const { return FCaption; }
  void SetHint(const QString &hint) { FHint = hint; }
  QString Hint() const { return FHint; }
  void SetShowHint(bool on) { FShowHint = on; }
  bool ShowHint() const { return FShowHint; }
  QString HintText() const;

protected:
  bool event(QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

private:
  QString FCaption, FHint;
  bool FShowHint = false;
};

} // namespace vt::samples
