#pragma once
// The "Build Prj" page of the administrator window; for now it holds the compression test.
#include <QPushButton>
#include <QWidget>

namespace vt {

class TBuildPrjPage : public QWidget {
  Q_OBJECT
public:
  explicit TBuildPrjPage(QWidget *parent = nullptr);

  QPushButton *Button20; // "compress test"
};

} // namespace vt
