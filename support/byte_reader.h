#pragma once
// Checked reads over a byte range: every read reports success, offsets and sizes are computed in
// 64 bits, and sub-ranges are handed out only after a range check.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vt {

class TByteReader {
public:
  TByteReader() = default;
  explicit TByteReader(std::span<const std::byte> data) : FData(data) {}
  explicit TByteReader(std::string_view data)
      : FData(reinterpret_cast<const std::byte *>(data.data()), data.size()) {}

  std::size_t Size() const noexcept { return FData.size(); }
  std::size_t Pos() const noexcept { return FPos; }
  std::size_t Remaining() const noexcept { return FData.size() - FPos; }
  bool AtEnd() const noexcept { return FPos >= FData.size(); }
  bool Seek(std::uint64_t pos) noexcept {
    if (pos > FData.size()) return false;
    FPos = static_cast<std::size_t>(pos);
    return true;
  }
  // n is checked against what remains: a huge n must not wrap around to an earlier position.
  bool Skip(std::uint64_t n) noexcept { return n <= Remaining() && Seek(std::uint64_t{FPos} + n); }

  std::optional<std::uint8_t> PeekU8() const noexcept {
    if (FPos >= FData.size()) return std::nullopt;
    return static_cast<std::uint8_t>(FData[FPos]);
  }
  std::optional<std::uint8_t> U8() noexcept { return Le<std::uint8_t>(); }
  std::optional<std::uint16_t> U16() noexcept { return Le<std::uint16_t>(); }
  std::optional<std::uint32_t> U32() noexcept { return Le<std::uint32_t>(); }
  std::optional<std::uint64_t> U64() noexcept { return Le<std::uint64_t>(); }

  // n bytes from the current position, or none when fewer remain.
  std::optional<std::span<const std::byte>> Bytes(std::uint64_t n) noexcept {
    if (n > Remaining()) return std::nullopt;
    auto out = FData.subspan(FPos, static_cast<std::size_t>(n));
    FPos += static_cast<std::size_t>(n);
    return out;
  }
  std::optional<std::string_view> Chars(std::uint64_t n) noexcept {
    auto b = Bytes(n);
    if (!b) return std::nullopt;
    return std::string_view(reinterpret_cast<const char *>(b->data()), b->size());
  }

  // The sub-range [offset, offset + size) of the whole data, or none when it does not fit.
  std::optional<std::span<const std::byte>> Range(std::uint64_t offset, std::uint64_t size) const noexcept {
    if (offset > FData.size() || size > FData.size() - offset) return std::nullopt;
    return FData.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
  }

private:
  template <typename T> std::optional<T> Le() noexcept {
    if (Remaining() < sizeof(T)) return std::nullopt;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      v |= std::uint64_t{static_cast<std::uint8_t>(FData[FPos + i])} << (8 * i);
    FPos += sizeof(T);
    return static_cast<T>(v);
  }

  std::span<const std::byte> FData;
  std::size_t FPos = 0;
};

inline std::string_view AsChars(std::span<const std::byte> b) {
  return {reinterpret_cast<const char *>(b.data()), b.size()};
}

} // namespace vt
