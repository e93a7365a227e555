#pragma once
// File access of the model: whole-file reads, atomic writes (temporary file beside the target,
// then rename), backup copies. Failures come back as false plus a message; nothing throws.
#include <string>
#include <string_view>

namespace vt {

bool FileExists(const std::string &path);
// Reads the whole file; refuses files larger than maxBytes.
bool ReadFileBytes(const std::string &path, std::string &out, std::string *error = nullptr,
                   std::size_t maxBytes = std::size_t{1} << 31);
// Writes bytes to a temporary file in the target's folder, flushes it and renames it over the
// target; on failure the target is untouched and the temporary file is removed.
bool WriteFileAtomic(const std::string &path, std::string_view bytes, std::string *error = nullptr);
// Copies path to path + ".~bu", overwriting an older copy; does nothing (true) when path is missing.
bool BackupFile(const std::string &path, std::string *error = nullptr);
// Copies a file, overwriting the target (atomically).
bool CopyFileOverwrite(const std::string &from, const std::string &to, std::string *error = nullptr);
// Replaces the extension (the part from the last "." after the last separator) with ext (".SrcLng").
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string ExtractFileName(std::string_view path);
std::string ExtractFileDir(std::string_view path);

} // namespace vt
