#pragma once
// Work handed from one thread to another, item by item, and done there in the order handed: the
// handing thread goes on with its own part meanwhile. Without a thread to spare, each item is done
// at once on the handing thread.
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace vt {

template <class Item> class TSerialWorker {
public:
  explicit TSerialWorker(std::function<void(Item &)> work) : FWork(std::move(work)) {
    try {
      FThread = std::thread([this] { Run(); });
    } catch (const std::system_error &) {
      // No thread: Push does the work.
    }
  }
  // Waits for the items handed over; a failure nobody asked Finish about is dropped.
  ~TSerialWorker() { Stop(); }
  TSerialWorker(const TSerialWorker &) = delete;
  TSerialWorker &operator=(const TSerialWorker &) = delete;

  void Push(Item item) {
    if (!FThread.joinable()) {
      FWork(item);
      return;
    }
    {
      const std::lock_guard lock(FMutex);
      FItems.push_back(std::move(item));
    }
    FReady.notify_one();
  }

  // Waits until every item handed over is done, then throws what the work threw first, if it did
  // (the items after that one are left undone).
  void Finish() {
    Stop();
    if (FFailure) std::rethrow_exception(std::exchange(FFailure, nullptr));
  }

private:
  void Stop() noexcept {
    if (!FThread.joinable()) return;
    {
      const std::lock_guard lock(FMutex);
      FDone = true;
    }
    FReady.notify_one();
    FThread.join();
  }

  void Run() {
    std::unique_lock lock(FMutex);
    for (;;) {
      FReady.wait(lock, [this] { return FDone || !FItems.empty(); });
      if (FItems.empty()) return; // done, and nothing left
      Item item = std::move(FItems.front());
      FItems.pop_front();
      lock.unlock();
      if (!FFailure) {
        try {
          FWork(item);
        } catch (...) {
          FFailure = std::current_exception();
        }
      }
      lock.lock();
    }
  }

  std::function<void(Item &)> FWork;
  std::mutex FMutex;
  std::condition_variable FReady;
  std::deque<Item> FItems;
  bool FDone = false;
  std::exception_ptr FFailure; // the worker's until it is joined
  std::thread FThread;         // last: started when everything it uses is made
};

} // namespace vt
