#include "signal_safe_io.h"

#include <cerrno>
#include <unistd.h>

namespace vt {

namespace {

struct TCivil {
  long long Year;
  unsigned Month, Day, Hour, Minute, Second;
};

// Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
TCivil ToCivil(std::time_t time) noexcept {
  long long seconds = static_cast<long long>(time);
  long long days = seconds / 86400;
  long long rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  TCivil c{};
  c.Day = doy - (153 * mp + 2) / 5 + 1;
  c.Month = mp < 10 ? mp + 3 : mp - 9;
  c.Year = static_cast<long long>(yoe) + era * 400 + (c.Month <= 2 ? 1 : 0);
  c.Hour = static_cast<unsigned>(rest / 3600);
  c.Minute = static_cast<unsigned>(rest / 60 % 60);
  c.Second = static_cast<unsigned>(rest % 60);
  return c;
}

char *PutDigits(char *out, long long value, int width) noexcept {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

} // namespace

bool SafeWrite(int fd, std::string_view bytes) noexcept {
  const char *p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

void SafeWriteDecimal(int fd, long long value) noexcept {
  char buffer[32];
  const std::size_t n = SafeAppendDecimal(buffer, sizeof buffer, 0, value);
  SafeWrite(fd, std::string_view(buffer, n));
}

void SafeWriteHex(int fd, std::uintptr_t value) noexcept {
  char buffer[2 + 2 * sizeof(value)];
  char *end = buffer + sizeof buffer;
  char *p = end;
  do {
    *--p = "0123456789abcdef"[value & 15];
    value >>= 4;
  } while (value != 0);
  *--p = 'x';
  *--p = '0';
  SafeWrite(fd, std::string_view(p, static_cast<std::size_t>(end - p)));
}

std::size_t FormatUtcTime(std::time_t time, char *buffer) noexcept {
  const TCivil c = ToCivil(time);
  char *p = PutDigits(buffer, c.Year, 4);
  *p++ = '-';
  p = PutDigits(p, c.Month, 2);
  *p++ = '-';
  p = PutDigits(p, c.Day, 2);
  *p++ = ' ';
  p = PutDigits(p, c.Hour, 2);
  *p++ = ':';
  p = PutDigits(p, c.Minute, 2);
  *p++ = ':';
  p = PutDigits(p, c.Second, 2);
  for (char ch : {' ', 'U', 'T', 'C'}) *p++ = ch;
  *p = '\0';
  return static_cast<std::size_t>(p - buffer);
}

std::size_t FormatUtcStamp(std::time_t time, char *buffer) noexcept {
  const TCivil c = ToCivil(time);
  char *p = PutDigits(buffer, c.Year, 4);
  p = PutDigits(p, c.Month, 2);
  p = PutDigits(p, c.Day, 2);
  *p++ = '-';
  p = PutDigits(p, c.Hour, 2);
  p = PutDigits(p, c.Minute, 2);
  p = PutDigits(p, c.Second, 2);
  *p = '\0';
  return static_cast<std::size_t>(p - buffer);
}

std::size_t SafeCopy(char *target, std::size_t capacity, std::string_view text) noexcept {
  return SafeAppend(target, capacity, 0, text);
}

std::size_t SafeAppend(char *target, std::size_t capacity, std::size_t used, std::string_view text) noexcept {
  if (capacity == 0) return 0;
  if (used >= capacity) used = capacity - 1;
  std::size_t n = text.size();
  if (n > capacity - 1 - used) n = capacity - 1 - used;
  for (std::size_t i = 0; i < n; ++i) target[used + i] = text[i];
  target[used + n] = '\0';
  return used + n;
}

std::size_t SafeAppendDecimal(char *target, std::size_t capacity, std::size_t used,
                              long long value) noexcept {
  char digits[24];
  std::size_t n = 0;
  unsigned long long v =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  char text[25];
  std::size_t t = 0;
  if (value < 0) text[t++] = '-';
  while (n > 0) text[t++] = digits[--n];
  return SafeAppend(target, capacity, used, std::string_view(text, t));
}

} // namespace vt
