// Stand-in for libFuzzer when the compiler has none: replays every file of the given corpus
// folders, then feeds deterministic mutations of them (bit flips, cuts, splices, repeats).
// Usage: target [-runs=N] [-max_total_time=SECONDS] [DIR|FILE]...
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path &p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Run(const std::vector<uint8_t> &input) {
  // Copy into an exactly sized buffer so the sanitizer sees reads past the end.
  std::vector<uint8_t> exact(input);
  LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
}

std::vector<uint8_t> Mutate(std::vector<uint8_t> in, const std::vector<std::vector<uint8_t>> &pool,
                            std::mt19937 &rng) {
  auto pick = [&](size_t n) { return n == 0 ? size_t{0} : static_cast<size_t>(rng() % n); };
  const int steps = 1 + static_cast<int>(rng() % 4);
  for (int s = 0; s < steps; ++s) {
    switch (rng() % 7) {
    case 0: // flip a bit
      if (!in.empty()) in[pick(in.size())] ^= static_cast<uint8_t>(1u << (rng() % 8));
      break;
    case 1: // random byte
      if (!in.empty()) in[pick(in.size())] = static_cast<uint8_t>(rng());
      break;
    case 2: // cut the tail
      in.resize(pick(in.size() + 1));
      break;
    case 3: { // erase a run
      if (in.empty()) break;
      size_t at = pick(in.size()), len = 1 + pick(std::min<size_t>(16, in.size() - at));
      in.erase(in.begin() + static_cast<long>(at),
               in.begin() + static_cast<long>(std::min(in.size(), at + len)));
      break;
    }
    case 4: { // splice from another input
      const auto &other = pool[pick(pool.size())];
      if (other.empty()) break;
      size_t from = pick(other.size()), len = 1 + pick(std::min<size_t>(64, other.size() - from));
      in.insert(in.begin() + static_cast<long>(pick(in.size() + 1)), other.begin() + static_cast<long>(from),
                other.begin() + static_cast<long>(from + len));
      break;
    }
    case 5: { // repeat a run
      if (in.empty() || in.size() > (1u << 20)) break;
      size_t at = pick(in.size()), len = 1 + pick(std::min<size_t>(32, in.size() - at));
      std::vector<uint8_t> run(in.begin() + static_cast<long>(at), in.begin() + static_cast<long>(at + len));
      for (int r = 0; r < 4; ++r) in.insert(in.begin() + static_cast<long>(at), run.begin(), run.end());
      break;
    }
    default: { // interesting 32-bit values
      static const uint32_t vals[] = {0, 1, 0x7f, 0x80, 0xff, 0xffff, 0x7fffffff, 0x80000000u, 0xffffffffu};
      if (in.size() < 4) break;
      uint32_t v = vals[pick(std::size(vals))];
      std::memcpy(&in[pick(in.size() - 3)], &v, 4);
      break;
    }
    }
  }
  return in;
}

} // namespace

int main(int argc, char **argv) {
  long runs = 1000;
  long seconds = 0; // 0: no time bound
  std::vector<std::vector<uint8_t>> pool;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.rfind("-runs=", 0) == 0) {
      runs = std::stol(arg.substr(6));
      continue;
    }
    if (arg.rfind("-max_total_time=", 0) == 0) {
      seconds = std::stol(arg.substr(16));
      continue;
    }
    if (!arg.empty() && arg[0] == '-') continue; // other libFuzzer flags are ignored here
    std::filesystem::path p(arg);
    if (std::filesystem::is_directory(p)) {
      std::vector<std::filesystem::path> files;
      for (const auto &e : std::filesystem::directory_iterator(p))
        if (e.is_regular_file()) files.push_back(e.path());
      std::sort(files.begin(), files.end());
      for (const auto &f : files) pool.push_back(ReadAll(f));
    } else if (std::filesystem::is_regular_file(p)) {
      pool.push_back(ReadAll(p));
    }
  }
  if (pool.empty()) pool.emplace_back();
  for (const auto &input : pool) Run(input);
  std::mt19937 rng(20261208);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  long done = 0;
  for (; done < runs; ++done) {
    if (seconds > 0 && (done & 63) == 0 && std::chrono::steady_clock::now() >= deadline) break;
    Run(Mutate(pool[static_cast<size_t>(rng() % pool.size())], pool, rng));
  }
  std::printf("replayed %zu inputs and %ld mutations\n", pool.size(), done);
  return 0;
}
