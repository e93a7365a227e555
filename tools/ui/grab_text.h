#pragma once
// Conversions between the administrator window's texts and the toolkit's byte strings: paths and
// stored values are UTF-8, form texts 8-bit Windows-1252.
#include "support/text_codec.h"

#include <QString>
#include <string>

namespace vt {

inline QString FromUtf8(const std::string &s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string ToUtf8(const QString &s) {
  return s.toUtf8().toStdString();
}
inline QString FromFormText(const std::string &s) {
  return QString::fromStdU16String(Cp1252ToUtf16(s));
}

} // namespace vt
