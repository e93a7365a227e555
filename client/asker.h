#pragma once
// Every question, message and file dialog of the main window goes through one asker, so that the
// window can run where no dialog can be answered (tests install a scripted asker).
#include <QString>
#include <optional>

class QWidget;

namespace vt {

class TAsker {
public:
  enum class TAnswer { Yes, No, Cancel };
  virtual ~TAsker() = default;
  // A confirmation box with Yes, No and Cancel.
  virtual TAnswer YesNoCancel(QWidget *parent, const QString &text) = 0;
  // A question with Yes and No.
  virtual TAnswer YesNo(QWidget *parent, const QString &text) = 0;
  // An error box with an OK button.
  virtual void Error(QWidget *parent, const QString &text) = 0;
  // An input box; none on Cancel.
  virtual std::optional<QString> Input(QWidget *parent, const QString &title, const QString &prompt,
                                       const QString &value) = 0;
  // An open dialog ("Name (*.a);;Other (*.b)" filter); none on Cancel.
  virtual std::optional<QString> OpenFileName(QWidget *parent, const QString &title, const QString &folder,
                                              const QString &filter) = 0;
  // A save dialog proposing a file (a name, or a path); a chosen name without extension gets
  // defaultSuffix ("LngPrj"). None on Cancel.
  virtual std::optional<QString> SaveFileName(QWidget *parent, const QString &title, const QString &proposed,
                                              const QString &filter, const QString &defaultSuffix) = 0;
  // A warning box with an OK button.
  virtual void Warning(QWidget *parent, const QString &text) = 0;
  // An information box with an OK button.
  virtual void Message(QWidget *parent, const QString &text);
};

// The real dialogs.
class TDialogAsker final : public TAsker {
public:
  TAnswer YesNoCancel(QWidget *parent, const QString &text) override;
  TAnswer YesNo(QWidget *parent, const QString &text) override;
  void Error(QWidget *parent, const QString &text) override;
  std::optional<QString> Input(QWidget *parent, const QString &title, const QString &prompt,
                               const QString &value) override;
  std::optional<QString> OpenFileName(QWidget *parent, const QString &title, const QString &folder,
                                      const QString &filter) override;
  std::optional<QString> SaveFileName(QWidget *parent, const QString &title, const QString &proposed,
                                      const QString &filter, const QString &defaultSuffix) override;
  void Warning(QWidget *parent, const QString &text) override;
};

} // namespace vt
