// The process-wide random generator (a SplitMix64 sequence).
#include <chrono>
#include <cstdint>
#include <mutex>

#include "toolkit/base/sysutils.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ull;

std::uint64_t Mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint64_t HighResolutionCounter() {
#ifdef _WIN32
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<std::uint64_t>(c.QuadPart);
#else
  return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

struct TGenerator {
  std::mutex Lock;
  std::uint64_t State = 0;
  std::uint64_t Seeds = 0;

  std::uint64_t Next() {
    State += kGolden;
    return Mix(State);
  }
};

TGenerator& Generator() {
  static TGenerator g;
  return g;
}
}  // namespace

void Randomize() {
  TGenerator& g = Generator();
  std::lock_guard<std::mutex> hold(g.Lock);
  std::uint64_t wall = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  // The old state stays in the mix: equal counter readings still give new seeds.
  g.State = Mix(g.State ^ Mix(HighResolutionCounter() ^ (wall << 1))) + (++g.Seeds) * kGolden;
}

int Random(int range) {
  if (range <= 0) return 0;
  TGenerator& g = Generator();
  std::lock_guard<std::mutex> hold(g.Lock);
  const std::uint64_t n = static_cast<std::uint64_t>(range);
  const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;  // reject the uneven tail
  std::uint64_t v;
  do v = g.Next(); while (v >= limit);
  return static_cast<int>(v % n);
}
