#include "practice/rules/random_source.h"

#include <chrono>

TCounterRandom::TCounterRandom() {
  auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::uint64_t s = static_cast<std::uint64_t>(ticks) * 0x9E3779B97F4A7C15ull;
  state_ = s ? s : 1;
}

// xorshift64*
std::uint64_t TCounterRandom::Next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return state_ * 0x2545F4914F6CDD1Dull;
}

int TCounterRandom::Random(int range) {
  if (range <= 0) return 0;
  return static_cast<int>((Next() >> 32) % static_cast<std::uint64_t>(range));
}
