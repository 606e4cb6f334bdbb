// The dictionary fuzz target's seeds: pieces of the generated dictionary files
// (deciphered, then enciphered again), in both of its input forms.
#include <algorithm>
#include <cstdio>
#include <string>

#include "fuzz_seeds.h"

#include "dict_files.h"
#include "practice/data/dict_cipher.h"
#include "toolkit/base/file_io.h"

namespace {
using namespace dictfiles;

// The first bytes of a text up to and including its line end before `limit`.
TBytes WholeLines(const TBytes& text, std::size_t limit) {
  std::size_t end = 0;
  for (std::size_t i = 0; i + 1 < text.size() && i + 1 < limit; ++i)
    if (text[i] == '\r' && text[i + 1] == '\n') end = i + 2;
  return TBytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end));
}

bool WriteSeed(const std::string& path, std::uint8_t selector, const TBytes& body) {
  TBytes seed(1, selector);
  seed.insert(seed.end(), body.begin(), body.end());
  return WriteFileBytes(path, seed.data(), seed.size());
}
}  // namespace

int MakeDictionarySeeds(const std::string& folder, const std::string& corpus) {
  const std::string from = folder + "/", to = corpus + "/";
  int written = 0;
  for (int i = 0; i < kFileCount; ++i) {
    const TFile& f = kFiles[i];
    TBytes stored;
    if (!ReadFileBytes(from + f.Name, stored)) {
      std::fprintf(stderr, "fuzz_seeds: cannot read %s%s\n", from.c_str(), f.Name);
      return -1;
    }
    const std::string seed = to + "seed-" + f.Name;
    if (f.Kind == TKind::Plain) {
      stored.resize(std::min(stored.size(), std::size_t(40) * f.MinLength));
      written += WriteSeed(seed, Selector(i, false), stored);
      continue;
    }
    const TBytes plain = DecipherBytes(stored);
    // A short piece and, to reach the smaller tables' capacity, a long one.
    for (std::size_t limit : {std::size_t(2000), std::size_t(64000)}) {
      TBytes text = f.Kind == TKind::Wbzg ? TBytes(plain.begin(), plain.begin() + std::min(plain.size(), limit / 10))
                                          : WholeLines(plain, limit);
      const std::string tag = "-" + std::to_string(limit);
      written += WriteSeed(seed + tag + "-text", Selector(i, true), text);
      written += WriteSeed(seed + tag + "-stored", Selector(i, false), EncipherBytes(text));
    }
  }
  return written;
}
