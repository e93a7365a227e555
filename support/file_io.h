#pragma once
// File access of the system: whole-file reads, atomic writes (temporary file beside the target,
// then rename), backup copies. Failures come back as false plus a message; nothing throws.
#include <string>
#include <string_view>

namespace vt {

bool FileExists(const std::string &path);
// Reads the whole file; refuses files larger than maxBytes.
bool ReadFileBytes(const std::string &path, std::string &out, std::string *error = nullptr,
                   std::size_t maxBytes = std::size_t{1} << 31);
// Whether WriteFileAtomic waits until the bytes are on disk before the rename.
enum class TFileSync { Flush, NoFlush };
// Writes bytes to a temporary file in the target's folder, flushes it (unless told not to) and
// renames it over the target; on failure the target is untouched and the temporary file is removed.
bool WriteFileAtomic(const std::string &path, std::string_view bytes, std::string *error = nullptr,
                     TFileSync sync = TFileSync::Flush);
// Copies path to path + ".~bu" through WriteFileAtomic, overwriting an older copy; does nothing
// (true) when path is missing. No flush to disk: a copy made on every open need not cost a sync.
bool BackupFile(const std::string &path, std::string *error = nullptr);
// Replaces the extension (the part from the last "." after the last separator) with ext (".SrcLng").
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string ExtractFileName(std::string_view path);
std::string ExtractFileDir(std::string_view path);

} // namespace vt
