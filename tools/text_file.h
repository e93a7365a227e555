#pragma once
// A text file opened for editing and saved back in the form it came in: UTF-8 (with or without a
// byte-order mark) or Windows-1252, CR LF or LF line ends.
#include <string>
#include <string_view>

namespace vt {

struct TTextFileFormat {
  bool Utf8 = true;
  bool ByteOrderMark = false;
  bool CrLf = true;
};

// Decodes the file's bytes (UTF-8 when they are valid UTF-8, else Windows-1252) into text with LF
// line ends and notes the form. False with a message when the file cannot be read.
bool ReadTextFile(const std::string &path, std::u16string &text, TTextFileFormat &format,
                  std::string *error = nullptr);
// The bytes of text (LF line ends) in the given form. A Windows-1252 text holding characters that
// code page lacks is written as UTF-8 instead (utf8Forced tells), so that nothing is lost.
std::string EncodeTextFile(std::u16string_view text, const TTextFileFormat &format,
                           bool *utf8Forced = nullptr);
// Copies an existing file to path + ".~bu", then writes the text atomically.
bool WriteTextFile(const std::string &path, std::u16string_view text, const TTextFileFormat &format,
                   bool *utf8Forced = nullptr, std::string *error = nullptr);

} // namespace vt
