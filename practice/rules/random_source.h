#pragma once
// The random numbers of the item draws. Draws ask a TRandomSource, so tests can
// hand in a fixed sequence.
#include "toolkit/base/sysutils.h"

class TRandomSource {
public:
  virtual ~TRandomSource() = default;
  // Uniform in 0 .. range-1; 0 when range <= 0.
  virtual int Random(int range) = 0;
};

// The process's generator, re-seeded before each draw. Randomize mixes a
// high-resolution counter into the old state, so draws made within one clock
// tick still differ.
class TSystemRandom : public TRandomSource {
public:
  int Random(int range) override {
    ::Randomize();
    return ::Random(range);
  }
};
