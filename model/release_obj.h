#pragma once
// Shared ownership of entries between the project's lists: an intrusive holder count.
// A new object has count 0, which stands for one holder; Release() below 0 destroys it.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vt {

class TReleaseObj {
public:
  TReleaseObj() = default;
  TReleaseObj(const TReleaseObj &) = delete;
  TReleaseObj &operator=(const TReleaseObj &) = delete;

  // Adds a holder.
  void AddHolder() noexcept { FRefCount.fetch_add(1, std::memory_order_relaxed); }
  // Gives one holder back; the last one destroys the object.
  void Release() noexcept;
  // Number of holders (count + 1).
  int32_t Holders() const noexcept { return FRefCount.load(std::memory_order_relaxed) + 1; }

protected:
  // Only Release() destroys; destroying an object that still has holders is a broken invariant.
  virtual ~TReleaseObj();

private:
  std::atomic<int32_t> FRefCount{0};
};

class TRefObj : public TReleaseObj {
public:
  // Adds a holder and returns the object itself; nothing for a null object.
  template <class T> static T *AddRef(T *obj) noexcept {
    if (obj) obj->AddHolder();
    return obj;
  }
  // Release that accepts a null object.
  static void Release(TReleaseObj *obj) noexcept {
    if (obj) obj->Release();
  }
  using TReleaseObj::Release;

  virtual int32_t GetIntProp() const { return FIntProp; }
  virtual void SetIntProp(int32_t value) { FIntProp = value; }

protected:
  ~TRefObj() override = default;

private:
  int32_t FIntProp = 0;
};

// A list of holders. Add() takes over the holder the caller passes in (use TRefObj::AddRef for an
// extra one); Clear() releases the items from last to first.
template <class T> class TReleaseList {
public:
  TReleaseList() = default;
  TReleaseList(const TReleaseList &) = delete;
  TReleaseList &operator=(const TReleaseList &) = delete;
  TReleaseList(TReleaseList &&other) noexcept : FItems(std::move(other.FItems)) { other.FItems.clear(); }
  TReleaseList &operator=(TReleaseList &&other) noexcept {
    if (this != &other) {
      Clear();
      FItems = std::move(other.FItems);
      other.FItems.clear();
    }
    return *this;
  }
  ~TReleaseList() { Clear(); }

  void Add(T *item) { FItems.push_back(item); }
  void Insert(std::size_t pos, T *item) {
    FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(pos), item);
  }
  // Removes the item at pos and releases it.
  void Delete(std::size_t pos) {
    T *item = FItems[pos];
    FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(pos));
    TRefObj::Release(item);
  }
  void Clear() noexcept {
    // The holder counts are scattered over the heap and each release is an atomic step that waits
    // for its line: fetch the lines a few items ahead so the waits overlap.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = FItems.size(); i-- > 0;) {
      if (i >= kAhead) __builtin_prefetch(FItems[i - kAhead], 1);
      TRefObj::Release(FItems[i]);
    }
    FItems.clear();
  }

  std::size_t Count() const noexcept { return FItems.size(); }
  bool Empty() const noexcept { return FItems.empty(); }
  T *operator[](std::size_t i) const { return FItems[i]; }
  // The raw pointers, for ordered walks, sorting and bulk compaction by the owner.
  std::vector<T *> &Raw() noexcept { return FItems; }
  const std::vector<T *> &Raw() const noexcept { return FItems; }
  auto begin() const noexcept { return FItems.begin(); }
  auto end() const noexcept { return FItems.end(); }

private:
  std::vector<T *> FItems;
};

// Owning handle for one holder (a Clone, an entry kept by a window).
template <class T> class TRef {
public:
  TRef() = default;
  // Adopts the holder the caller owns.
  explicit TRef(T *adopted) noexcept : FObj(adopted) {}
  TRef(const TRef &o) noexcept : FObj(TRefObj::AddRef(o.FObj)) {}
  TRef(TRef &&o) noexcept : FObj(std::exchange(o.FObj, nullptr)) {}
  TRef &operator=(TRef o) noexcept {
    std::swap(FObj, o.FObj);
    return *this;
  }
  ~TRef() { TRefObj::Release(FObj); }
  T *get() const noexcept { return FObj; }
  T *operator->() const noexcept { return FObj; }
  T &operator*() const noexcept { return *FObj; }
  explicit operator bool() const noexcept { return FObj != nullptr; }
  // Gives up the holder without releasing it.
  T *release() noexcept { return std::exchange(FObj, nullptr); }

private:
  T *FObj = nullptr;
};

} // namespace vt
