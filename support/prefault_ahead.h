#pragma once
// Fresh memory that one thread is about to fill from its start, faulted in ahead of it on another
// core. The first write to each page of fresh memory stops the writer for the kernel (a page taken
// and cleared): for a block of a gigabyte that is a quarter of a million stops on the thread that
// builds, while the other core may stand idle.
#include <cstddef>
#include <thread>

namespace vt {

class TPrefaultAhead {
public:
  // Starts taking the pages of [begin, begin + size) in order, a few megabytes at a time. A block
  // too small to be worth a thread, or a system that cannot take pages ahead, is left as it is:
  // its pages come as they are written, as always.
  TPrefaultAhead(void *begin, std::size_t size);
  // Stops after the pages being taken (the block is filled, or about to go) and waits.
  ~TPrefaultAhead();
  TPrefaultAhead(const TPrefaultAhead &) = delete;
  TPrefaultAhead &operator=(const TPrefaultAhead &) = delete;

  static constexpr std::size_t kMinSize = std::size_t{16} << 20;
  static constexpr std::size_t kStep = std::size_t{4} << 20;

private:
  std::jthread FThread;
};

} // namespace vt
