// The GBK conversion at the Win32 boundary over the whole code space.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/base/gbk_wide.h"

TEST(GbkWide, EveryCharacterConvertsWholeAndBack) {
  // Every single byte but NUL and every double-byte code, back to back.
  std::string all;
  for (int b = 1; b < 0x80; ++b) all += static_cast<char>(b);
  int doubles = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead)
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      all += static_cast<char>(lead);
      all += static_cast<char>(trail);
      ++doubles;
    }
  const std::wstring wide = GbkToWide(all);
  // One UTF-16 unit a character: none split, none run into the next.
  ASSERT_EQ(wide.size(), static_cast<std::size_t>(0x7F + doubles));
  EXPECT_EQ(WideToGbk(wide.substr(0, 0x7F)), all.substr(0, 0x7F));
  int roundTrips = 0;
  for (int i = 0; i < doubles; ++i) {
    const std::string gbk = all.substr(0x7F + 2 * static_cast<std::size_t>(i), 2);
    if (WideToGbk(wide.substr(0x7F + static_cast<std::size_t>(i), 1)) == gbk) ++roundTrips;
  }
  // GBK assigns 21886 characters; the rest of the space may have no character.
  EXPECT_GE(roundTrips, 21886);
  EXPECT_EQ(WideToGbk(GbkToWide("\xD6\xD0\xCE\xC4 abc")), "\xD6\xD0\xCE\xC4 abc");  // 中文 abc
}

TEST(GbkWide, EmptyTextNulsAndACutCharacter) {
  EXPECT_TRUE(GbkToWide("").empty());
  EXPECT_TRUE(WideToGbk(L"").empty());
  const std::string withNul("a\0b", 3);
  EXPECT_EQ(GbkToWide(withNul), std::wstring(L"a\0b", 3));
  EXPECT_EQ(WideToGbk(std::wstring(L"a\0b", 3)), withNul);
  // A lead byte without its trail takes nothing before it with it.
  const std::wstring cut = GbkToWide("\xD6\xD0\xD6");
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0], L'\x4E2D');
}
