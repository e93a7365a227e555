#include "compact_text.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <stdexcept>

namespace vt {

void TCompactText::Assign(std::string_view text) {
  if (text.size() > UINT32_MAX) throw std::length_error("entry text longer than 4 GiB");
  if (text.empty()) {
    Free();
    return;
  }
  // Allocated before the old text goes: text may be a part of it.
  char *copy = new char[text.size()];
  std::memcpy(copy, text.data(), text.size());
  Free();
  FData = copy;
  FSize = static_cast<std::uint32_t>(text.size());
  FOwned = kOwnedBit | kChangedBit;
}

std::string TCompactText::Concat(std::string_view a, std::string_view b) {
  std::string out;
  out.reserve(a.size() + b.size());
  out.append(a).append(b);
  return out;
}

std::ostream &operator<<(std::ostream &out, const TCompactText &t) {
  return out << t.view();
}

std::string_view TTextStore::Hold(std::shared_ptr<const std::string> bytes) {
  const std::string_view held = bytes ? std::string_view(*bytes) : std::string_view();
  if (bytes) {
    FHeldBytes += bytes->size();
    FHeld.push_back(std::move(bytes));
  }
  return held;
}

bool TTextStore::KeepInRoom(std::string_view text, std::string_view &kept) {
  // A new block is needed only when the text does not fit the open one.
  const std::size_t grows = text.size() > FLeft ? std::max(text.size(), kBlock) : 0;
  if (FKeptBytes + grows > FHeldBytes + kSlack) return false;
  kept = Keep(text);
  return true;
}

std::string_view TTextStore::Keep(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > FLeft) {
    // Long texts get a block of their own; the current block stays open for short ones.
    const std::size_t size = text.size() > kBlock / 4 ? text.size() : kBlock;
    FBlocks.push_back(std::make_unique_for_overwrite<char[]>(size));
    FKeptBytes += size;
    if (size == kBlock) {
      FFree = FBlocks.back().get();
      FLeft = size;
    } else {
      std::memcpy(FBlocks.back().get(), text.data(), text.size());
      return {FBlocks.back().get(), text.size()};
    }
  }
  std::memcpy(FFree, text.data(), text.size());
  const std::string_view kept(FFree, text.size());
  FFree += text.size();
  FLeft -= text.size();
  return kept;
}

void TTextStore::ReserveEntryRoom(std::size_t bytes) {
  if (bytes <= FEntryLeft) return;
  // Plain memory, not advised for huge pages (see ReadFileBytes): a system that lends them from
  // memory it has not touched for long made a 10M-entry project open slower, not faster.
  FEntryBlocks.push_back(std::make_unique_for_overwrite<char[]>(bytes));
  FEntryFree = FEntryBlocks.back().get();
  FEntryLeft = bytes;
}

std::span<char> TTextStore::ReserveEntryRoom(std::size_t count, std::size_t size) {
  ReserveEntryRoom(count * EntryRoom(size));
  return {FEntryFree, FEntryLeft};
}

void *TTextStore::PlaceEntry(std::size_t size) {
  size = EntryRoom(size);
  if (size > FEntryLeft) ReserveEntryRoom(std::max(size, std::size_t{1} << 20));
  void *room = FEntryFree;
  FEntryFree += size;
  FEntryLeft -= size;
  return room;
}

} // namespace vt
