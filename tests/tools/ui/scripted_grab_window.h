#pragma once
// The administrator window for tests, shown, with every dialog answered from a script and what it
// was asked recorded.
#include "tools/ui/trans_grab_frm.h"

#include <QString>
#include <QStringList>
#include <string>

namespace vt::test {

inline QString Q(const std::string &s) {
  return QString::fromUtf8(s.c_str());
}

struct TScriptedGrabWindow {
  TTransGrabFrm Frm;
  // A file dialog takes the first of Answers (none left: cancelled) and records its caption and
  // start path.
  QStringList Answers, Captions, Starts;
  QStringList Errors, Messages, Questions;
  bool Yes = true; // the answer to every question
  TScriptedGrabWindow() {
    auto answer = [this](QWidget *, const QString &caption, const QString &start, const QString &) {
      Captions << caption;
      Starts << start;
      return Answers.isEmpty() ? QString() : Answers.takeFirst();
    };
    Frm.Dialogs.OpenFile = answer;
    Frm.Dialogs.SaveFile = answer;
    Frm.Dialogs.ShowError = [this](QWidget *, const QString &text) { Errors << text; };
    Frm.Dialogs.ShowMessage = [this](QWidget *, const QString &text) { Messages << text; };
    Frm.Dialogs.AskYesNo = [this](QWidget *, const QString &text) {
      Questions << text;
      return Yes;
    };
    Frm.show();
  }
};

} // namespace vt::test
