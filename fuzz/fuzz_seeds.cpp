// Makes the seeds of fuzz_seeds.h (scripts/fuzz.sh runs it).
//   fuzz_seeds dict DICTIONARY_FOLDER CORPUS_FOLDER
//   fuzz_seeds bmp IMAGE.bmp CORPUS_FOLDER
#include <cstdio>
#include <string>

#include "fuzz_seeds.h"

int main(int argc, char** argv) {
  const std::string kind = argc == 4 ? argv[1] : "";
  int written = -1;
  if (kind == "dict") written = MakeDictionarySeeds(argv[2], argv[3]);
  else if (kind == "bmp") written = MakeBitmapSeeds(argv[2], argv[3]);
  else {
    std::fprintf(stderr, "usage: fuzz_seeds dict DICTIONARY_FOLDER CORPUS | fuzz_seeds bmp IMAGE.bmp CORPUS\n");
    return 2;
  }
  if (written < 0) return 1;
  std::printf("fuzz_seeds: %d seeds\n", written);
  return 0;
}
