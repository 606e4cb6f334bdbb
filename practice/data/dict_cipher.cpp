#include "practice/data/dict_cipher.h"

#include <algorithm>
#include <cstring>

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

// One half-round; V is a 32-bit word or a vector of them.
template <class V>
V Mix(V v, std::uint32_t a, std::uint32_t b, std::uint32_t sum) {
  return (v << 4) + (a ^ v) + ((v >> 5) ^ sum) + b;
}

// The input zero-padded to whole blocks.
TBytes Padded(const TBytes& data) {
  TBytes out((data.size() + 7) / 8 * 8, 0);
  std::copy(data.begin(), data.end(), out.begin());
  return out;
}

const std::uint32_t kDecipherSum = 0xC6EF3720u;  // kDelta * kRounds

// Four blocks' halves side by side in one vector register (GCC vector extension).
using TLanes = std::uint32_t __attribute__((vector_size(16)));
const int kVectors = 8;            // vectors in flight, so that their rounds overlap
const int kGroup = 4 * kVectors;   // blocks per pass

// Blocks are independent: a group of them goes through the rounds together,
// four per vector, instead of one block waiting on its previous round.
void DecipherBlocks(std::uint8_t* p, std::size_t blocks, const TTeaKey& key) {
  const std::uint32_t k0 = key.k[0], k1 = key.k[1], k2 = key.k[2], k3 = key.k[3];
  std::size_t b = 0;
  for (; b + kGroup <= blocks; b += kGroup) {
    std::uint32_t ys[kGroup], zs[kGroup];
    for (int j = 0; j < kGroup; ++j) {
      ys[j] = GetLE(p + 8 * (b + j));
      zs[j] = GetLE(p + 8 * (b + j) + 4);
    }
    TLanes y[kVectors], z[kVectors];
    std::memcpy(y, ys, sizeof y);
    std::memcpy(z, zs, sizeof z);
    std::uint32_t sum = kDecipherSum;
    for (int i = 0; i < kRounds; ++i) {
      for (int h = 0; h < kVectors; ++h) z[h] -= Mix(y[h], k2, k3, sum);
      for (int h = 0; h < kVectors; ++h) y[h] -= Mix(z[h], k0, k1, sum);
      sum -= kDelta;
    }
    std::memcpy(ys, y, sizeof y);
    std::memcpy(zs, z, sizeof z);
    for (int j = 0; j < kGroup; ++j) {
      PutLE(p + 8 * (b + j), ys[j]);
      PutLE(p + 8 * (b + j) + 4, zs[j]);
    }
  }
  for (; b < blocks; ++b) DecipherBlock(p + 8 * b, key);
}
}  // namespace

void DecipherBlock(std::uint8_t block[8], const TTeaKey& key) {
  std::uint32_t y = GetLE(block), z = GetLE(block + 4);
  std::uint32_t sum = kDecipherSum;
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

TBytes DecipherBytes(const TBytes& data, const TTeaKey& key) {
  TBytes out = Padded(data);
  DecipherBlocks(out.data(), out.size() / 8, key);
  return out;
}

TBytes EncipherBytes(const TBytes& data, const TTeaKey& key) {
  TBytes out = Padded(data);
  for (std::size_t pos = 0; pos < out.size(); pos += 8) EncipherBlock(out.data() + pos, key);
  return out;
}

bool DecipherFile(const std::string& path, TBytes& out, const TTeaKey& key) {
  if (!ReadFileInto(path, out)) return false;
  out.resize((out.size() + 7) / 8 * 8, 0);  // deciphered in place
  DecipherBlocks(out.data(), out.size() / 8, key);
  return true;
}
