// The hint hand-over's stress run, built with ThreadSanitizer (which reports
// any data race and fails the run).
#include <cstdio>

#include "tests/tsan/handover_stress.h"

int main() {
  const std::string error = RunHandOverStress(80, 10000);
  if (!error.empty()) {
    std::printf("hand-over stress failed: %s\n", error.c_str());
    return 1;
  }
  std::printf("hand-over stress: 80 runs of 10000 releases, no lost request, no late result\n");
  return 0;
}
