#include "asker.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace vt {

void TAsker::Message(QWidget *parent, const QString &text) {
  QMessageBox::information(parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

TAsker::TAnswer TDialogAsker::YesNoCancel(QWidget *parent, const QString &text) {
  const auto button =
      QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (button == QMessageBox::Yes) return TAnswer::Yes;
  if (button == QMessageBox::No) return TAnswer::No;
  return TAnswer::Cancel;
}

TAsker::TAnswer TDialogAsker::YesNo(QWidget *parent, const QString &text) {
  const auto button = QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  return button == QMessageBox::Yes ? TAnswer::Yes : TAnswer::No;
}

void TDialogAsker::Error(QWidget *parent, const QString &text) {
  QMessageBox::critical(parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

std::optional<QString> TDialogAsker::Input(QWidget *parent, const QString &title, const QString &prompt,
                                           const QString &value) {
  bool ok = false;
  const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, value, &ok);
  if (!ok) return std::nullopt;
  return answer;
}

std::optional<QString> TDialogAsker::OpenFileName(QWidget *parent, const QString &title,
                                                  const QString &folder, const QString &filter) {
  const QString file = QFileDialog::getOpenFileName(parent, title, folder, filter);
  if (file.isEmpty()) return std::nullopt;
  return file;
}

std::optional<QString> TDialogAsker::SaveFileName(QWidget *parent, const QString &title,
                                                  const QString &proposed, const QString &filter,
                                                  const QString &defaultSuffix) {
  QFileDialog dialog(parent, title, proposed, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  if (!proposed.isEmpty()) dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void TDialogAsker::Warning(QWidget *parent, const QString &text) {
  QMessageBox::warning(parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

} // namespace vt
