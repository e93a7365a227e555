#pragma once
// The product's push button, check box and radio button, drawn with their tool text.
#include "static_tool_control.h"

namespace vt::samples {

class TStaticPushBtn : public TStaticToolControl {
  Q_OBJECT
public:
  explicit TStaticPushBtn(QWidget *parent = nullptr);

protected:
  void paintEvent(QPaintEvent *event) override;
};

// A check box or radio button: mark at the left, caption beside it.
class TStaticMarkControl : public TStaticToolControl {
  Q_OBJECT
public:
  explicit TStaticMarkControl(QWidget *parent = nullptr);
  void SetChecked(bool checked);
  bool Checked() const { return FChecked; }
  static constexpr int kMarkSize = 13;
  static constexpr int kMarkGap = 5;

protected:
  void paintEvent(QPaintEvent *event) override;
  virtual void DrawMark(QPainter &painter, const QRectF &box) const = 0;

private:
  bool FChecked = false;
};

class TStaticCheckBox : public TStaticMarkControl {
  Q_OBJECT
public:
  explicit TStaticCheckBox(QWidget *parent = nullptr);

protected:
  void DrawMark(QPainter &painter, const QRectF &box) const override;
};

class TStaticRadioBtn : public TStaticMarkControl {
  Q_OBJECT
public:
  explicit TStaticRadioBtn(QWidget *parent = nullptr);

protected:
  void DrawMark(QPainter &painter, const QRectF &box) const override;
};

} // namespace vt::samples
