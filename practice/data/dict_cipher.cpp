#include "practice/data/dict_cipher.h"

const TTeaKey DictionaryKey = {{0x5461706Du, 0x69726144u, 0x69637431u, 0x8E3A2F17u}};

namespace {
const std::uint32_t kDelta = 0x9E3779B9u;
const int kRounds = 32;

std::uint32_t GetLE(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

void PutLE(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
  p[2] = std::uint8_t(v >> 16);
  p[3] = std::uint8_t(v >> 24);
}

std::uint32_t Mix(std::uint32_t v, std::uint32_t a, std::uint32_t b, std::uint32_t sum) {
  return (v << 4) + (a ^ v) + ((v >> 5) ^ sum) + b;
}

TBytes ByBlocks(const TBytes& data, const TTeaKey& key, void (*fn)(std::uint8_t*, const TTeaKey&)) {
  TBytes out;
  out.reserve((data.size() + 7) / 8 * 8);
  for (std::size_t pos = 0; pos < data.size(); pos += 8) {
    std::uint8_t block[8] = {0};
    for (std::size_t i = 0; i < 8 && pos + i < data.size(); ++i) block[i] = data[pos + i];
    fn(block, key);
    out.insert(out.end(), block, block + 8);
  }
  return out;
}
}  // namespace

void DecipherBlock(std::uint8_t block[8], const TTeaKey& key) {
  std::uint32_t y = GetLE(block), z = GetLE(block + 4);
  std::uint32_t sum = 0xC6EF3720u;
  for (int i = 0; i < kRounds; ++i) {
    z -= Mix(y, key.k[2], key.k[3], sum);
    y -= Mix(z, key.k[0], key.k[1], sum);
    sum -= kDelta;
  }
  PutLE(block, y);
  PutLE(block + 4, z);
}

void EncipherBlock(std::uint8_t block[8], const TTeaKey& key) {
  std::uint32_t y = GetLE(block), z = GetLE(block + 4);
  std::uint32_t sum = 0;
  for (int i = 0; i < kRounds; ++i) {
    sum += kDelta;
    y += Mix(z, key.k[0], key.k[1], sum);
    z += Mix(y, key.k[2], key.k[3], sum);
  }
  PutLE(block, y);
  PutLE(block + 4, z);
}

TBytes DecipherBytes(const TBytes& data, const TTeaKey& key) { return ByBlocks(data, key, DecipherBlock); }

TBytes EncipherBytes(const TBytes& data, const TTeaKey& key) { return ByBlocks(data, key, EncipherBlock); }

bool DecipherFile(const std::string& path, TBytes& out, const TTeaKey& key) {
  TBytes raw;
  if (!ReadFileBytes(path, raw)) return false;
  out = DecipherBytes(raw, key);
  return true;
}
