#pragma once
// Output that a signal handler may use: plain write(2) calls, numbers formatted without the C
// library's locale-aware functions, dates computed without the time zone database.
#include <cstdint>
#include <ctime>
#include <string_view>

namespace vt {

// Writes all bytes (retrying short writes and EINTR); false when the descriptor refuses them.
bool SafeWrite(int fd, std::string_view bytes) noexcept;
void SafeWriteDecimal(int fd, long long value) noexcept;
void SafeWriteHex(int fd, std::uintptr_t value) noexcept;

// "YYYY-MM-DD hh:mm:ss UTC" into buffer (at least 24 bytes); returns the length.
std::size_t FormatUtcTime(std::time_t time, char *buffer) noexcept;
// "YYYYMMDD-hhmmss" into buffer (at least 16 bytes); returns the length.
std::size_t FormatUtcStamp(std::time_t time, char *buffer) noexcept;

// Bounded copies into fixed buffers; always end the copy with a NUL.
std::size_t SafeCopy(char *target, std::size_t capacity, std::string_view text) noexcept;
std::size_t SafeAppend(char *target, std::size_t capacity, std::size_t used, std::string_view text) noexcept;
std::size_t SafeAppendDecimal(char *target, std::size_t capacity, std::size_t used, long long value) noexcept;

} // namespace vt
