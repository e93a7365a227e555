#include "support/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace vt {

namespace fs = std::filesystem;

namespace {

void SetError(std::string *error, const std::string &what, const std::string &path, int err = 0) {
  if (!error) return;
  *error = what + ": " + path;
  if (err != 0) *error += " (" + std::string(std::strerror(err)) + ")";
}

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Mode for the new file: the target's own mode when it exists, else the usual 0666 less umask.
mode_t ModeFor(const std::string &path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

} // namespace

bool FileExists(const std::string &path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

namespace {

// Opens path for a read of the whole file: a regular file of at most maxBytes, whose size it gives.
// -1 with the error set otherwise.
int OpenWholeFile(const std::string &path, std::size_t maxBytes, std::size_t &size, std::string *error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetError(error, "Unable to open file", path, errno);
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    SetError(error, "Not a regular file", path);
    return -1;
  }
  if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
    ::close(fd);
    SetError(error, "File too large (" + std::to_string(st.st_size) + " bytes)", path);
    return -1;
  }
  size = static_cast<std::size_t>(st.st_size);
  return fd;
}

// Reads size bytes at offset, as far as the file has them; false on a failed read.
bool ReadAt(int fd, char *to, std::size_t size, std::size_t offset, std::size_t &got) {
  got = 0;
  while (got < size) {
    const ssize_t n = ::pread(fd, to + got, size - got, static_cast<off_t>(offset + got));
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    got += static_cast<std::size_t>(n);
  }
  return true;
}

// Reads up to size bytes into data (fewer when the file shrank meanwhile) and closes fd; false with
// the error set when a read failed.
bool ReadWholeFile(int fd, char *data, std::size_t size, std::size_t &done, const std::string &path,
                   std::string *error) {
  if (!ReadAt(fd, data, size, 0, done)) {
    const int err = errno;
    ::close(fd);
    SetError(error, "Unable to read file", path, err);
    return false;
  }
  ::close(fd);
  return true;
}

} // namespace

bool ReadFileBytes(const std::string &path, std::string &out, std::string *error, std::size_t maxBytes) {
  out.clear();
  std::size_t size = 0, done = 0;
  const int fd = OpenWholeFile(path, maxBytes, size, error);
  if (fd < 0) return false;
  out.resize(size);
  if (!ReadWholeFile(fd, out.data(), size, done, path, error)) {
    out.clear();
    return false;
  }
  out.resize(done);
  return true;
}

bool ReadFileBytes(const std::string &path, TFileBytes &out, std::string *error, std::size_t maxBytes) {
  out = TFileBytes();
  std::size_t size = 0, done = 0;
  const int fd = OpenWholeFile(path, maxBytes, size, error);
  if (fd < 0) return false;
  // Not zero-filled first: the read fills it. Not advised for huge pages either: where freed
  // memory goes back to a virtual machine's host, a huge page's first touch costs several times
  // what its 512 small pages cost (a 10M-entry project opened in 4.5-5.9 s instead of 3.3 s).
  out.FData.reset(new (std::nothrow) char[size == 0 ? 1 : size]);
  if (!out.FData) {
    ::close(fd);
    SetError(error, "Unable to read file", path, ENOMEM);
    return false;
  }
  char *data = out.FData.get();
  if (!ReadWholeFile(fd, data, size, done, path, error)) {
    out = TFileBytes();
    return false;
  }
  out.FSize = done;
  return true;
}

bool WriteFileAtomic(const std::string &path, std::string_view bytes, std::string *error, TFileSync sync) {
  return WriteFileAtomic(
      path, [bytes](const TBytePut &put) { put(bytes); }, error, sync);
}

namespace {

// The one way a file is replaced: fill(fd) writes a temporary file in the target's folder, which is
// flushed (unless told not to) and renamed over the target; on failure the target is untouched and
// the temporary file is removed. fill returns false with errno set when it failed.
bool ReplaceFile(const std::string &path, const std::function<bool(int fd)> &fill, std::string *error,
                 TFileSync sync) {
  std::string dir = ExtractFileDir(path);
  if (dir.empty()) dir.push_back('.');
  std::string tmpl = std::move(dir);
  tmpl.append("/.").append(ExtractFileName(path)).append(".tmp-XXXXXX");
  const mode_t mode = ModeFor(path);
  const int fd = ::mkstemp(tmpl.data());
  if (fd < 0) {
    SetError(error, "Unable to save file", path, errno);
    return false;
  }
  bool ok = ::fchmod(fd, mode) == 0 && fill(fd);
  ok = ok && (sync == TFileSync::NoFlush || ::fsync(fd) == 0);
  int err = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && ::rename(tmpl.c_str(), path.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(tmpl.c_str());
    SetError(error, "Unable to save file", path, err);
  }
  return ok;
}

// Copies the rest of in to out. The bytes stay in the kernel (copy_file_range) where the file
// system allows it; otherwise, or for files that report no size (whose bytes only a read
// reveals), they go through one small buffer.
bool CopyRest(int in, int out, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size - done, 0);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n == 0) return true; // the file shrank meanwhile
    if (errno == EINTR) continue;
    // Refused for this pair of files (another file system, no support): the loop below does it.
    if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != EPERM &&
        errno != EBADF)
      return false;
    break;
  }
  if (size != 0 && done == size) return true;
  char buffer[64 * 1024];
  while (true) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (!WriteAll(out, std::string_view(buffer, static_cast<std::size_t>(n)))) return false;
  }
}

} // namespace

bool WriteFileAtomic(const std::string &path, const std::function<void(const TBytePut &put)> &produce,
                     std::string *error, TFileSync sync) {
  return ReplaceFile(
      path,
      [&produce](int fd) {
        bool ok = true;
        produce([&](std::string_view bytes) { return ok = ok && WriteAll(fd, bytes); });
        return ok;
      },
      error, sync);
}

namespace {

// Whether the plain file at path holds the size bytes of the open file in, byte for byte (in's
// offset stays where it is).
bool HoldsSameBytes(const std::string &path, int in, std::size_t size) {
  const int other = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (other < 0) return false;
  struct stat st {};
  bool same = ::fstat(other, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) == size;
  const std::size_t chunk = std::min(std::size_t{1} << 20, size);
  const auto mine = same ? std::make_unique_for_overwrite<char[]>(chunk) : nullptr;
  const auto theirs = same ? std::make_unique_for_overwrite<char[]>(chunk) : nullptr;
  for (std::size_t done = 0; same && done < size;) {
    const std::size_t want = std::min(chunk, size - done);
    std::size_t a = 0, b = 0;
    same = ReadAt(in, mine.get(), want, done, a) && ReadAt(other, theirs.get(), want, done, b) && a == want &&
           b == want && std::memcmp(mine.get(), theirs.get(), want) == 0;
    done += want;
  }
  ::close(other);
  return same;
}

} // namespace

bool BackupFile(const std::string &path, std::string *error) {
  if (!FileExists(path)) return true;
  const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    SetError(error, "Unable to open file", path, errno);
    return false;
  }
  struct stat st {};
  const std::size_t size = ::fstat(in, &st) == 0 ? static_cast<std::size_t>(st.st_size) : 0;
  const std::string target = path + ".~bu";
  // A project opened again without a save in between has the copy already: comparing reads what
  // a copy would, but neither writes nor frees the old copy's pages.
  if (HoldsSameBytes(target, in, size)) {
    ::close(in);
    return true;
  }
  // The old copy stays whole until the new one is complete.
  const bool ok = ReplaceFile(
      target, [&](int out) { return CopyRest(in, out, size); }, nullptr, TFileSync::NoFlush);
  ::close(in);
  if (!ok) SetError(error, "Unable to save Backupfile", target);
  return ok;
}

namespace {
std::size_t LastSeparator(std::string_view path) {
  return path.find_last_of("/\\");
}
} // namespace

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  const auto sep = LastSeparator(path);
  const auto dot = path.rfind('.');
  std::string out;
  if (dot != std::string_view::npos && (sep == std::string_view::npos || dot > sep))
    out.assign(path.substr(0, dot));
  else
    out.assign(path);
  out.append(ext);
  return out;
}

std::string ExtractFileName(std::string_view path) {
  const auto sep = LastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtractFileDir(std::string_view path) {
  const auto sep = LastSeparator(path);
  if (sep == std::string_view::npos) return {};
  if (sep == 0) return "/";
  return std::string(path.substr(0, sep));
}

} // namespace vt
