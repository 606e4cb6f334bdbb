#pragma once
// The random numbers of the item draws. Draws ask a TRandomSource, so tests can
// hand in a fixed sequence.
#include <cstdint>

class TRandomSource {
public:
  virtual ~TRandomSource() = default;
  // Uniform in 0 .. range-1; 0 when range <= 0.
  virtual int Random(int range) = 0;
};

// Seeded once from a high-resolution counter and never reset, so draws made
// within one clock tick still differ.
class TCounterRandom : public TRandomSource {
public:
  TCounterRandom();
  explicit TCounterRandom(std::uint64_t seed) : state_(seed ? seed : 1) {}
  int Random(int range) override;

private:
  std::uint64_t Next();
  std::uint64_t state_;
};
