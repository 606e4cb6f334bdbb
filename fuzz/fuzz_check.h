#pragma once
// What a fuzz target promises of the code under test: a broken promise stops
// the run, and libFuzzer keeps the input that broke it.
#include <cstdlib>

inline void Check(bool promise) {
  if (!promise) std::abort();
}
