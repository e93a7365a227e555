#pragma once
// File names between the model's UTF-8 bytes and the window's texts, and the message of a failed file
// operation, shared by the window's command files.
#include <QDir>
#include <QString>
#include <string>

namespace vt {

inline QString PathText(const std::string &path) {
  return QDir::toNativeSeparators(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
}

inline std::string PathBytes(const QString &path) {
  return QDir::fromNativeSeparators(path).toStdString();
}

// The text, CR, the path, and the reason on a line of its own.
inline QString FailureText(const char *text, const std::string &path, const std::string &reason) {
  QString message = QLatin1String(text) + QLatin1Char('\r') + PathText(path);
  if (!reason.empty())
    message += QLatin1Char('\r') + QString::fromUtf8(reason.data(), qsizetype(reason.size()));
  return message;
}

} // namespace vt
