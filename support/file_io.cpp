#include "support/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
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

bool ReadFileBytes(const std::string &path, std::string &out, std::string *error, std::size_t maxBytes) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetError(error, "Unable to open file", path, errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    SetError(error, "Not a regular file", path);
    return false;
  }
  if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
    ::close(fd);
    SetError(error, "File too large (" + std::to_string(st.st_size) + " bytes)", path);
    return false;
  }
  out.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int err = errno;
      ::close(fd);
      out.clear();
      SetError(error, "Unable to read file", path, err);
      return false;
    }
    if (n == 0) break; // the file shrank meanwhile
    done += static_cast<std::size_t>(n);
  }
  out.resize(done);
  ::close(fd);
  return true;
}

bool WriteFileAtomic(const std::string &path, std::string_view bytes, std::string *error, TFileSync sync) {
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
  bool ok =
      ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && (sync == TFileSync::NoFlush || ::fsync(fd) == 0);
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

bool BackupFile(const std::string &path, std::string *error) {
  if (!FileExists(path)) return true;
  // The old copy stays whole until the new one is complete.
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error)) return false;
  const std::string target = path + ".~bu";
  if (WriteFileAtomic(target, bytes, nullptr, TFileSync::NoFlush)) return true;
  SetError(error, "Unable to save Backupfile", target);
  return false;
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
