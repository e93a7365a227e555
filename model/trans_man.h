#pragma once
// Conversion between the wide text the editors show (UTF-16) and the stored form of the project
// files: backslash escapes, then UTF-8 per UTF-16 code unit (surrogates as two 3-byte sequences),
// with Windows-1252 as the fall-back when stored bytes are not valid in that form. The byte-level
// conversions are those of support/text_codec.h.
#include "release_obj.h"
#include "support/ascii_case.h"
#include "support/text_codec.h"

#include <string>
#include <string_view>

namespace vt {

class TTransMan : public TRefObj {
public:
  static std::u16string EscapeText(std::u16string_view wide);
  static std::u16string UnescapeText(std::u16string_view wide);
  static std::string EncodeText(std::u16string_view wide);
  static std::u16string DecodeText(std::string_view stored);
};

// The one converter of the process.
TTransMan &TransMan();

} // namespace vt
