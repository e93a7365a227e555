#pragma once
// A drop-down list that tells a committed choice from browsing. A closed box changes its value on
// arrow keys, typed letters and the mouse wheel, and Qt reports each step as "activated"; here those
// steps only change the value, and Committed is raised for a pick from the opened list or for Enter.
#include <QComboBox>

namespace vt {

class TCommitComboBox : public QComboBox {
  Q_OBJECT
public:
  explicit TCommitComboBox(QWidget *parent = nullptr);

signals:
  void Committed(int index);

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;

private:
  bool FBrowsing = false;
};

} // namespace vt
