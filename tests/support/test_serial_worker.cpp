#include "support/serial_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace vt {
namespace {

TEST(SerialWorker, DoesEveryItemInTheOrderHandedOnAnotherThread) {
  std::vector<int> done;
  std::atomic<int> elsewhere{0};
  const auto caller = std::this_thread::get_id();
  TSerialWorker<std::vector<int>> worker([&](std::vector<int> &items) {
    elsewhere += std::this_thread::get_id() != caller;
    done.insert(done.end(), items.begin(), items.end());
  });
  std::vector<int> expected;
  for (int batch = 0; batch < 500; ++batch) {
    std::vector<int> items;
    for (int i = 0; i < batch % 7; ++i) items.push_back(batch * 10 + i);
    expected.insert(expected.end(), items.begin(), items.end());
    worker.Push(std::move(items));
  }
  worker.Finish();
  EXPECT_EQ(done, expected);
  EXPECT_EQ(elsewhere.load(), 500); // a thread of its own, even on one core
  worker.Finish();                  // again: nothing left, nothing thrown
}

TEST(SerialWorker, AFailureComesBackFromFinishAndStopsTheItemsAfterIt) {
  std::vector<int> done;
  TSerialWorker<int> worker([&](int &item) {
    if (item == 3) throw std::runtime_error("item 3");
    done.push_back(item);
  });
  for (int i = 0; i < 6; ++i) worker.Push(i);
  EXPECT_THROW(worker.Finish(), std::runtime_error);
  EXPECT_EQ(done, (std::vector<int>{0, 1, 2}));

  // Gone without Finish: the items handed over are still done before it goes.
  std::atomic<int> count{0};
  {
    TSerialWorker<int> unfinished([&](int &) { ++count; });
    for (int i = 0; i < 100; ++i) unfinished.Push(i);
  }
  EXPECT_EQ(count.load(), 100);
}

} // namespace
} // namespace vt
