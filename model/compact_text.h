#pragma once
// A text held compactly (the texts of entries, the lines of ini files): a view of bytes that stay
// alive elsewhere (a file as read) until the text is first changed, from then on a heap copy of its
// own. 16 bytes, no heap for unchanged text. Reads like a string: compares, concatenates and
// converts to std::string and std::string_view. A copy is always a copy of its own, so it never
// outlives the bytes it views; owners that share views say so explicitly (SetView).
//
// A text carries a change mark, at no cost in size: every assignment, SetView and clear sets it,
// and so does making a text anew (empty, from a string, a copy); a view made by View starts without
// it, and moving carries it along. An owner that has stored the text elsewhere (the project's
// translation file) clears it, and later finds what changed since without comparing texts.
#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vt {

// Equal texts, found at once when they are the very same bytes (views of one file mostly are).
inline bool SameBytes(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() && (a.data() == b.data() || a == b);
}

class TCompactText {
public:
  TCompactText() noexcept = default;
  explicit TCompactText(std::string_view text) { Assign(text); }
  TCompactText(const TCompactText &other) { Assign(other.view()); }
  TCompactText(TCompactText &&other) noexcept
      : FData(std::exchange(other.FData, nullptr)), FSize(std::exchange(other.FSize, 0)),
        FOwned(std::exchange(other.FOwned, kChangedBit)) {}
  TCompactText &operator=(const TCompactText &other) {
    if (this != &other)
      Assign(other.view());
    else
      FOwned |= kChangedBit;
    return *this;
  }
  TCompactText &operator=(TCompactText &&other) noexcept {
    if (this != &other) {
      Free();
      FData = std::exchange(other.FData, nullptr);
      FSize = std::exchange(other.FSize, 0);
      FOwned = (std::exchange(other.FOwned, kChangedBit) & (kOwnedBit | kHeldBit)) | kChangedBit;
    } else {
      FOwned |= kChangedBit;
    }
    return *this;
  }
  TCompactText &operator=(std::string_view text) {
    Assign(text);
    return *this;
  }
  ~TCompactText() { Free(); }

  // A view of bytes that stay alive and unchanged as long as this text views them.
  // It starts without the change mark.
  static TCompactText View(std::string_view bytes) noexcept {
    TCompactText t;
    t.FData = bytes.data();
    t.FSize = static_cast<std::uint32_t>(bytes.size());
    t.FOwned = 0;
    return t;
  }
  // Replaces the text with a view (see View).
  void SetView(std::string_view bytes) noexcept {
    Free();
    FData = bytes.data();
    FSize = static_cast<std::uint32_t>(bytes.size());
  }
  // Replaces the text with bytes its owner keeps in a store of its own for as long as it keeps
  // the text (never a view of a file as read: copies and readers copy it). Marked changed.
  void SetHeld(std::string_view bytes) noexcept {
    SetView(bytes);
    if (FSize != 0) FOwned |= kHeldBit;
  }
  // Replaces the text with a copy of its own.
  void Assign(std::string_view text);
  // Whether the text is a view of bytes it does not own (an empty text is neither).
  bool IsView() const noexcept { return FSize != 0 && !(FOwned & (kOwnedBit | kHeldBit)); }
  // Whether the text was set or made since the change mark was last cleared.
  bool IsChanged() const noexcept { return (FOwned & kChangedBit) != 0; }
  void ClearChanged() noexcept { FOwned &= ~kChangedBit; }

  std::string_view view() const noexcept { return {FData, FSize}; }
  operator std::string_view() const noexcept { return view(); }
  operator std::string() const { return std::string(view()); }
  std::string str() const { return std::string(view()); }

  const char *data() const noexcept { return FData; }
  std::size_t size() const noexcept { return FSize; }
  std::size_t length() const noexcept { return FSize; }
  bool empty() const noexcept { return FSize == 0; }
  char front() const noexcept { return FData[0]; }
  char back() const noexcept { return FData[FSize - 1]; }
  char operator[](std::size_t i) const noexcept { return FData[i]; }
  const char *begin() const noexcept { return FData; }
  const char *end() const noexcept { return FData + FSize; }
  std::size_t find(char c, std::size_t from = 0) const noexcept { return view().find(c, from); }
  std::size_t find(std::string_view s, std::size_t from = 0) const noexcept { return view().find(s, from); }
  std::size_t rfind(char c, std::size_t from = std::string_view::npos) const noexcept {
    return view().rfind(c, from);
  }
  std::string_view substr(std::size_t pos, std::size_t n = std::string_view::npos) const {
    return view().substr(pos, n);
  }
  int compare(std::string_view other) const noexcept { return view().compare(other); }
  bool starts_with(std::string_view s) const noexcept { return view().starts_with(s); }
  bool ends_with(std::string_view s) const noexcept { return view().ends_with(s); }
  void clear() noexcept { Free(); }

  friend bool operator==(const TCompactText &a, const TCompactText &b) noexcept {
    return a.view() == b.view();
  }
  friend bool operator==(const TCompactText &a, std::string_view b) noexcept { return a.view() == b; }
  friend bool operator==(const TCompactText &a, const char *b) noexcept { return a.view() == b; }
  friend bool operator==(const TCompactText &a, const std::string &b) noexcept { return a.view() == b; }
  friend bool operator<(const TCompactText &a, const TCompactText &b) noexcept { return a.view() < b.view(); }
  friend bool operator<(const TCompactText &a, std::string_view b) noexcept { return a.view() < b; }
  friend bool operator<(std::string_view a, const TCompactText &b) noexcept { return a < b.view(); }
  friend std::string operator+(const TCompactText &a, std::string_view b) { return Concat(a.view(), b); }
  friend std::string operator+(std::string_view a, const TCompactText &b) { return Concat(a, b.view()); }
  friend std::string operator+(const TCompactText &a, const char *b) { return Concat(a.view(), b); }
  friend std::string operator+(const char *a, const TCompactText &b) { return Concat(a, b.view()); }
  friend std::string operator+(const TCompactText &a, const std::string &b) { return Concat(a.view(), b); }
  friend std::string operator+(const std::string &a, const TCompactText &b) { return Concat(a, b.view()); }
  friend std::string operator+(std::string &&a, const TCompactText &b) {
    return std::move(a.append(b.view()));
  }
  friend std::string operator+(const TCompactText &a, const TCompactText &b) {
    return Concat(a.view(), b.view());
  }
  friend std::string operator+(const TCompactText &a, char b) {
    return Concat(a.view(), std::string_view(&b, 1));
  }
  friend std::ostream &operator<<(std::ostream &out, const TCompactText &t);

private:
  static std::string Concat(std::string_view a, std::string_view b);
  static constexpr std::uint32_t kOwnedBit = 1;   // FData is this text's own heap copy
  static constexpr std::uint32_t kChangedBit = 2; // the change mark
  static constexpr std::uint32_t kHeldBit = 4;    // FData is kept alive by the text's owner (SetHeld)
  // Lets the text go; what remains is the empty text, marked changed.
  void Free() noexcept {
    if (FOwned & kOwnedBit) delete[] FData;
    FData = nullptr;
    FSize = 0;
    FOwned = kChangedBit;
  }

  const char *FData = nullptr;
  std::uint32_t FSize = 0;
  std::uint32_t FOwned = kChangedBit; // kOwnedBit or kHeldBit, | kChangedBit
};

// Keeps the bytes that entries' texts view alive for as long as any entry views them: the files of
// the project as read, and copies of texts the reader had to compose. Each entry created by a
// project holds one reference; the project holds one more until it closes.
class TTextStore {
public:
  TTextStore() = default;
  TTextStore(const TTextStore &) = delete;
  TTextStore &operator=(const TTextStore &) = delete;

  void AddRefs(std::uint32_t n) noexcept { FRefs.fetch_add(n, std::memory_order_relaxed); }
  // Gives n references back; the last one destroys the store.
  void Release(std::uint32_t n = 1) noexcept {
    if (n != 0 && FRefs.fetch_sub(n, std::memory_order_acq_rel) == n) delete this;
  }

  // Keeps bytes alive (a file as read); returns them.
  std::string_view Hold(std::shared_ptr<const std::string> bytes);
  // Copies text into the store's own blocks; the copy lives as long as the store.
  std::string_view Keep(std::string_view text);
  // Keep, as long as the blocks stay within the store's room: as much as the bytes held, and
  // 16 MiB more. False, and nothing kept, beyond. Owners that replace texts again and again keep
  // them so (a command changing many texts makes no heap copy per text): the replaced copies stay
  // until the store goes, and the room bounds them.
  bool KeepInRoom(std::string_view text, std::string_view &kept);
  // Room for the entries of a project (TWordObj::Place): they share a few large blocks instead of
  // a heap allocation each, and lie in memory in the order they were made. ReserveEntryRoom sizes
  // the next block (an upper bound of what will be placed: room never touched costs no memory)
  // and returns the room the next entries will be placed in, in order.
  // One thread places at a time; the room lives as long as the store. Entries are aligned as
  // pointers are.
  static constexpr std::size_t kEntryAlign = alignof(void *);
  std::span<char> ReserveEntryRoom(std::size_t count, std::size_t size);
  void *PlaceEntry(std::size_t size);
  // Bytes held (files as read) and bytes taken by Keep's blocks so far.
  std::size_t HeldBytes() const noexcept { return FHeldBytes; }
  std::size_t KeptBytes() const noexcept { return FKeptBytes; }

private:
  ~TTextStore() = default;
  static constexpr std::size_t EntryRoom(std::size_t size) noexcept {
    return (size + kEntryAlign - 1) & ~(kEntryAlign - 1);
  }
  void ReserveEntryRoom(std::size_t bytes);
  static constexpr std::size_t kBlock = std::size_t{1} << 20;  // short texts share blocks this large
  static constexpr std::size_t kSlack = std::size_t{16} << 20; // room beyond the bytes held
  std::atomic<std::uint32_t> FRefs{1};
  std::vector<std::shared_ptr<const std::string>> FHeld;
  std::vector<std::unique_ptr<char[]>> FBlocks;
  std::vector<std::unique_ptr<char[]>> FEntryBlocks;
  char *FEntryFree = nullptr;
  std::size_t FEntryLeft = 0;
  char *FFree = nullptr;
  std::size_t FLeft = 0;
  std::size_t FHeldBytes = 0;
  std::size_t FKeptBytes = 0;
};

} // namespace vt
