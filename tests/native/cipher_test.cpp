#include <gtest/gtest.h>
#include <cstring>
#include "practice/data/dict_cipher.h"
#include "practice/data/dict_load.h"
#include "dict_test_util.h"

namespace {
std::string Hex(const std::uint8_t* b, int n) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (int i = 0; i < n; ++i) s += digits[b[i] >> 4], s += digits[b[i] & 15];
  return s;
}
}  // namespace

// Blocks deciphered by an independent implementation of the round function.
TEST(CipherTest, DecipherMatchesKnownBlocks) {
  struct Case {
    const char* plain;
    TTeaKey key;
    const char* expected;
  } cases[] = {
      {"\0\0\0\0\0\0\0\0", {{0, 0, 0, 0}}, "e7468ce222e33602"},
      {"ABCDEFGH", {{1, 2, 3, 4}}, "f5d86ff81b81a9f2"},
      {"\xff\xff\xff\xff\xff\xff\xff\xff", DictionaryKey, "bec888d5f63cf284"},
  };
  for (const auto& c : cases) {
    std::uint8_t block[8];
    std::memcpy(block, c.plain, 8);
    DecipherBlock(block, c.key);
    EXPECT_EQ(Hex(block, 8), c.expected);
  }
}

TEST(CipherTest, EncipherIsTheExactInverse) {
  const TTeaKey keys[] = {{{0, 0, 0, 0}}, {{0xFFFFFFFFu, 1, 0x80000000u, 7}}, DictionaryKey};
  for (const auto& key : keys) {
    for (int seed = 0; seed < 64; ++seed) {
      std::uint8_t block[8], orig[8];
      for (int i = 0; i < 8; ++i) orig[i] = block[i] = std::uint8_t(seed * 37 + i * 101 + (seed >> 3));
      EncipherBlock(block, key);
      EXPECT_NE(std::memcmp(block, orig, 8), 0);
      DecipherBlock(block, key);
      EXPECT_EQ(std::memcmp(block, orig, 8), 0);
    }
  }
}

TEST(CipherTest, WholeBuffersPadToBlocks) {
  for (std::size_t n : {0u, 1u, 7u, 8u, 9u, 13u, 64u}) {
    TBytes data(n);
    for (std::size_t i = 0; i < n; ++i) data[i] = std::uint8_t(i * 7 + 1);
    TBytes cipher = EncipherBytes(data);
    ASSERT_EQ(cipher.size(), (n + 7) / 8 * 8) << n;
    TBytes plain = DecipherBytes(cipher);
    ASSERT_EQ(plain.size(), cipher.size());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), plain.begin())) << n;
    for (std::size_t i = n; i < plain.size(); ++i) EXPECT_EQ(plain[i], 0) << n;
  }
}

// Buffers and files are deciphered several blocks side by side: every block,
// those of a final short group and the zero-padded tail included, must come out
// as DecipherBlock gives it alone.
TEST(CipherTest, WholeBuffersMatchBlockByBlock) {
  TDictFolder dir;
  for (std::size_t n : {8u * 7, 8u * 31, 8u * 32, 8u * 32 + 3, 8u * 65 + 5, 8u * 100}) {
    TBytes data(n);
    for (std::size_t i = 0; i < n; ++i) data[i] = std::uint8_t(i * 131 + (i >> 5));
    TBytes expected = data;
    expected.resize((n + 7) / 8 * 8, 0);
    for (std::size_t pos = 0; pos < expected.size(); pos += 8) DecipherBlock(&expected[pos], DictionaryKey);
    EXPECT_EQ(DecipherBytes(data), expected) << n;
    dir.WritePlain("blocks.dat", std::string(data.begin(), data.end()));
    TBytes fromFile;
    ASSERT_TRUE(DecipherFile(dir.Path() + "blocks.dat", fromFile));
    EXPECT_EQ(fromFile, expected) << n;
  }
}

TEST(CipherTest, AnotherKeyDoesNotDecipher) {
  TBytes data = {'w', 'b', 'O', 'n', 'e', '.', 'd', 'a'};
  TTeaKey other = DictionaryKey;
  other.k[3] ^= 1;
  EXPECT_NE(DecipherBytes(EncipherBytes(data), other), data);
}

TEST(CipherTest, ThirteenByteRootFileGivesTwoRecords) {
  TDictFolder dir;
  dir.WritePlain("wbzg.dat", std::string("0123456789abc"));
  TBytes out;
  ASSERT_TRUE(DecipherFile(dir.Path() + "wbzg.dat", out));
  EXPECT_EQ(out.size(), 16u);
  TBinaryBuffer buf;
  LoadWbzgDictionary(dir.Path(), buf);
  EXPECT_EQ(buf.Count, 2);
  EXPECT_EQ(buf.Data.size(), 17u);
  EXPECT_EQ(buf.Data.back(), 0);
}

TEST(CipherTest, MissingFileIsReported) {
  TDictFolder dir;
  TBytes out = {1};
  EXPECT_FALSE(DecipherFile(dir.Path() + "nothing.dat", out));
  EXPECT_EQ(out.size(), 1u);
  TBinaryBuffer buf;
  try {
    LoadWbzgDictionary(dir.Path(), buf);
    FAIL() << "no error";
  } catch (const EDictionaryError& e) {
    EXPECT_EQ(e.FileName, "wbzg.dat");
  }
}
