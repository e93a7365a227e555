#pragma once
// Splitting a walk over [0, n) into consecutive parts that run at once, one thread each (the
// calling thread takes the first part). For walks whose step per position is pure, so that the
// parts' results, joined in order, are those of one walk.
#include <cstddef>
#include <functional>

namespace vt {

// How many parts a walk over n positions gets: one per core (at most kMaxParts), each at least
// minPerPart long; 1 when n is too short to be worth a thread.
std::size_t PartCount(std::size_t n, std::size_t minPerPart);
// Runs fn(part, begin, end) for each of the PartCount(n, minPerPart) parts and returns when all
// are done. fn must only touch state of its own part (or atomics). When parts throw (out of memory,
// say), every part still runs to its end, and then the first failing part's exception is thrown
// here, on the calling thread.
void RunInParts(std::size_t n, std::size_t minPerPart,
                const std::function<void(std::size_t part, std::size_t begin, std::size_t end)> &fn);

} // namespace vt
