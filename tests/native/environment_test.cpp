#include <gtest/gtest.h>
#include <string>

// Literals are compiled to GBK bytes.
TEST(Environment, LiteralsAreGbk) {
  const std::string s = "打开字库失败！";
  EXPECT_EQ(s.size(), 14u);
  EXPECT_EQ(static_cast<unsigned char>(s[0]), 0xB4);
  EXPECT_EQ(static_cast<unsigned char>(s[1]), 0xF2);
}
