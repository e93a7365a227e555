#pragma once
// An asker that answers from a script and records what the window asked and said.
#include "client/asker.h"

#include <QStringList>
#include <deque>

namespace vt::test {

class TScriptedAsker : public TAsker {
public:
  std::deque<TAnswer> Answers;                  // for YesNoCancel
  std::deque<std::optional<QString>> Inputs;    // for Input
  std::deque<std::optional<QString>> OpenFiles; // for OpenFileName
  std::deque<std::optional<QString>> SaveFiles; // for SaveFileName
  QStringList Questions, Errors, Prompts, Filters, Warnings, SaveProposals, Messages;

  TAnswer YesNoCancel(QWidget *, const QString &text) override {
    Questions << text;
    if (Answers.empty()) return TAnswer::Cancel;
    const TAnswer a = Answers.front();
    Answers.pop_front();
    return a;
  }
  // Takes the next scripted answer too; No when none is left.
  TAnswer YesNo(QWidget *, const QString &text) override {
    Questions << text;
    if (Answers.empty()) return TAnswer::No;
    const TAnswer a = Answers.front();
    Answers.pop_front();
    return a;
  }
  void Error(QWidget *, const QString &text) override { Errors << text; }
  std::optional<QString> Input(QWidget *, const QString &title, const QString &prompt,
                               const QString &) override {
    Prompts << title + QLatin1Char(':') + prompt;
    if (Inputs.empty()) return std::nullopt;
    auto a = Inputs.front();
    Inputs.pop_front();
    return a;
  }
  std::optional<QString> OpenFileName(QWidget *, const QString &, const QString &,
                                      const QString &filter) override {
    Filters << filter;
    if (OpenFiles.empty()) return std::nullopt;
    auto a = OpenFiles.front();
    OpenFiles.pop_front();
    return a;
  }
  // Records "title|proposed|filter|suffix".
  std::optional<QString> SaveFileName(QWidget *, const QString &title, const QString &proposed,
                                      const QString &filter, const QString &suffix) override {
    SaveProposals << title + QLatin1Char('|') + proposed + QLatin1Char('|') + filter + QLatin1Char('|') +
                         suffix;
    if (SaveFiles.empty()) return std::nullopt;
    auto a = SaveFiles.front();
    SaveFiles.pop_front();
    return a;
  }
  void Warning(QWidget *, const QString &text) override { Warnings << text; }
  void Message(QWidget *, const QString &text) override { Messages << text; }
};

} // namespace vt::test
