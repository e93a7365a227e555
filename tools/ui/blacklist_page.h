#pragma once
// The "Blacklist" page of the administrator window: a memo of form names to leave out of
// extraction, filled from the form list or a file and saved as a sorted list.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace vt {

class TBlacklistPage : public QWidget {
  Q_OBJECT
public:
  explicit TBlacklistPage(QWidget *parent = nullptr);

  QPlainTextEdit *memoBL;
  QToolButton *SpeedButton1; // "<-- Add"
  QPushButton *Button5, *Button6, *Button7, *Button8, *Button21;
};

} // namespace vt
