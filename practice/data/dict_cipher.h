#pragma once
// Block cipher of the enciphered dictionary files: a TEA-shaped 64-bit block
// cipher with 32 rounds and its own round function.
#include <cstdint>
#include <string>
#include "toolkit/base/file_io.h"

struct TTeaKey {
  std::uint32_t k[4];
};

// The one key every enciphered dictionary file is written with.
extern const TTeaKey DictionaryKey;

// Deciphers / enciphers 8 bytes in place; each is the exact inverse of the other.
void DecipherBlock(std::uint8_t block[8], const TTeaKey& key);
void EncipherBlock(std::uint8_t block[8], const TTeaKey& key);

// Whole buffers, block by block; a final part shorter than 8 bytes is padded
// with zero bytes, so the output is the input size rounded up to 8.
TBytes DecipherBytes(const TBytes& data, const TTeaKey& key = DictionaryKey);
TBytes EncipherBytes(const TBytes& data, const TTeaKey& key = DictionaryKey);

// Reads and deciphers a whole file into `out` (reusing its memory); false when
// it cannot be read.
bool DecipherFile(const std::string& path, TBytes& out, const TTeaKey& key = DictionaryKey);
