#pragma once
// File access of the system: whole-file reads, atomic writes (temporary file beside the target,
// then rename), backup copies. Failures come back as false plus a message; nothing throws.
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vt {

bool FileExists(const std::string &path);
// Reads the whole file; refuses files larger than maxBytes.
bool ReadFileBytes(const std::string &path, std::string &out, std::string *error = nullptr,
                   std::size_t maxBytes = std::size_t{1} << 31);
// A file's bytes read whole into memory of their own, for a reader that only views them: the memory
// is not filled before the read (a string's would be, a pass over all of it for nothing).
class TFileBytes {
public:
  std::string_view View() const noexcept { return {FData.get(), FSize}; }

private:
  friend bool ReadFileBytes(const std::string &, TFileBytes &, std::string *, std::size_t);
  std::unique_ptr<char[]> FData; // plain memory: the system's page policy decides its pages
  std::size_t FSize = 0;
};
// The same as ReadFileBytes into a string, with the same checks and messages.
bool ReadFileBytes(const std::string &path, TFileBytes &out, std::string *error = nullptr,
                   std::size_t maxBytes = std::size_t{1} << 31);
// Whether WriteFileAtomic waits until the bytes are on disk before the rename.
enum class TFileSync { Flush, NoFlush };
// Writes bytes to a temporary file in the target's folder, flushes it (unless told not to) and
// renames it over the target; on failure the target is untouched and the temporary file is removed.
bool WriteFileAtomic(const std::string &path, std::string_view bytes, std::string *error = nullptr,
                     TFileSync sync = TFileSync::Flush);
// The same for bytes made piece by piece: produce hands each piece to put, which returns false once
// a write failed (produce should then stop); nothing of a failed write reaches the target.
using TBytePut = std::function<bool(std::string_view)>;
bool WriteFileAtomic(const std::string &path, const std::function<void(const TBytePut &put)> &produce,
                     std::string *error = nullptr, TFileSync sync = TFileSync::Flush);
// Copies path to path + ".~bu" through WriteFileAtomic, overwriting an older copy; does nothing
// (true) when path is missing. No flush to disk: a copy made on every open need not cost a sync.
bool BackupFile(const std::string &path, std::string *error = nullptr);
// Replaces the extension (the part from the last "." after the last separator) with ext (".SrcLng").
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string ExtractFileName(std::string_view path);
std::string ExtractFileDir(std::string_view path);

} // namespace vt
