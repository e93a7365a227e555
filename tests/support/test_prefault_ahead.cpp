#include "support/prefault_ahead.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace vt {
namespace {

const std::size_t kPage = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));

// Fresh anonymous memory, none of it touched.
struct TFreshMemory {
  explicit TFreshMemory(std::size_t size) : Size(size) {
    void *p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    Data = p == MAP_FAILED ? nullptr : static_cast<char *>(p);
  }
  ~TFreshMemory() {
    if (Data) munmap(Data, Size);
  }
  // Which of the pages are in memory.
  std::vector<bool> Resident() const {
    std::vector<unsigned char> in((Size + kPage - 1) / kPage);
    EXPECT_EQ(mincore(Data, Size, in.data()), 0);
    return {in.begin(), in.end()};
  }
  std::size_t ResidentCount() const {
    std::size_t n = 0;
    for (const bool in : Resident()) n += in;
    return n;
  }
  char *Data = nullptr;
  std::size_t Size;
};

TEST(PrefaultAhead, TakesTheWholePagesOfTheBlockAndNothingAround) {
  const std::size_t pages = (std::size_t{64} << 20) / kPage;
  TFreshMemory memory((pages + 2) * kPage);
  ASSERT_NE(memory.Data, nullptr);
  ASSERT_EQ(memory.ResidentCount(), 0u);
  // The block starts inside page 0 and ends inside page pages + 1: pages 1..pages are its own.
  char *begin = memory.Data + 100;
  const char *end = memory.Data + (pages + 1) * kPage + 50;
  const auto size = static_cast<std::size_t>(end - begin);
  {
    TPrefaultAhead ahead(begin, size);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (memory.ResidentCount() < pages && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const std::vector<bool> resident = memory.Resident();
  EXPECT_FALSE(resident.front()); // shared with memory before the block
  EXPECT_FALSE(resident.back());  // shared with memory after it
  for (std::size_t p = 1; p <= pages; ++p) ASSERT_TRUE(resident[p]) << p;
  // Taken for writing, cleared: the block reads as fresh memory and takes writes.
  for (std::size_t i = 0; i < size; i += kPage / 2) ASSERT_EQ(begin[i], 0) << i;
  begin[size - 1] = 'x';
  EXPECT_EQ(begin[size - 1], 'x');
}

TEST(PrefaultAhead, StopsWhenTheFillerIsDoneAndLeavesSmallBlocksAlone) {
  // Gone at once: the steps taken before the stop came (a few, or more on a busy machine), not the
  // whole block, and nothing after.
  TFreshMemory large(std::size_t{2} << 30);
  ASSERT_NE(large.Data, nullptr);
  { TPrefaultAhead ahead(large.Data, large.Size); }
  const std::size_t taken = large.ResidentCount();
  EXPECT_LT(taken * kPage, large.Size / 2);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(large.ResidentCount(), taken);

  TFreshMemory small(TPrefaultAhead::kMinSize - kPage);
  ASSERT_NE(small.Data, nullptr);
  {
    TPrefaultAhead ahead(small.Data, small.Size);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(small.ResidentCount(), 0u);
}

} // namespace
} // namespace vt
