// Prints the number of wave output devices Wine offers (the program asks the
// same before it plays anything).
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

int main() {
  std::printf("%u\n", waveOutGetNumDevs());
  return 0;
}
