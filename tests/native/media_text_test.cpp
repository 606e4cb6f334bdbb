#include <gtest/gtest.h>

#include <string>

#include "tools/mediagen/rtf.h"
#include "tools/mediagen/text_convert.h"

using namespace mediagen;

TEST(MediaArticle, GbkWithCrLfAndNoFinalLineBreak) {
  std::string gbk, err;
  ASSERT_TRUE(ConvertArticle(u8"\xEF\xBB\xBF好人  \n第二行\r\n\n\n", false, gbk, err)) << err;
  EXPECT_EQ(gbk, "\xBA\xC3\xC8\xCB\r\n\xB5\xDA\xB6\xFE\xD0\xD0");
  ASSERT_TRUE(ConvertArticle("One line.\nTwo\n", true, gbk, err)) << err;
  EXPECT_EQ(gbk, "One line.\r\nTwo");
}

TEST(MediaArticle, RefusesWhatCannotBeTyped) {
  struct Case { const char* text; bool ascii; const char* says; };
  const Case cases[] = {
      {"ok\nbad\ttab\n", false, "line 2"},
      {"caf\xC3\xA9\n", true, "line 1: not a plain ASCII"},
      {"\xE5\xA5\xBD\xF0\x9F\x98\x80\n", false, "line 1, column 2"},  // an emoji has no GBK code
      {"\xE5\xA5\n", false, "UTF-8"},
      {"\n  \n", false, "empty"},
  };
  for (const auto& c : cases) {
    std::string gbk = "untouched", err;
    EXPECT_FALSE(ConvertArticle(c.text, c.ascii, gbk, err)) << c.text;
    EXPECT_NE(err.find(c.says), std::string::npos) << err;
  }
}

TEST(MediaScoreFile, TwoHeaderLinesAndNoRecords) {
  std::string f = EmptyScoreFile();
  size_t first = f.find("\r\n");
  ASSERT_NE(first, std::string::npos);
  size_t second = f.find("\r\n", first + 2);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(second + 2, f.size());
  std::string line2 = f.substr(first + 2, second - first - 2), utf8, err;
  // The headings stand at the record columns: 1, 101, 121, ... 261.
  const size_t columns[] = {0, 100, 120, 140, 160, 180, 200, 220, 260};
  for (size_t c : columns) {
    ASSERT_LT(c, line2.size());
    EXPECT_NE(line2[c], ' ') << c;
    if (c) EXPECT_EQ(line2[c - 1], ' ') << c;
  }
  ASSERT_TRUE(GbkToUtf8(line2.substr(100, 8), utf8, err)) << err;
  EXPECT_EQ(utf8, u8"打字类型");
  ASSERT_TRUE(GbkToUtf8(f.substr(0, first), utf8, err)) << err;
  EXPECT_NE(utf8.find(u8"成绩"), std::string::npos);
}

TEST(MediaRtf, HeadingsListsBoldAndEscapes) {
  std::string rtf, err;
  ASSERT_TRUE(MarkupToRtf(u8"# 标题\n\n## Part {one}\n\n- 好 **vbg**\n- b\\c\n\nline one\nline two\n"
                          u8"接着\n写\n",
                          rtf, err))
      << err;
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
  EXPECT_EQ(rtf.back(), '\n');
  // 标题 with its GBK bytes as fallback; codes above 32767 are negative.
  EXPECT_NE(rtf.find("\\fs44\\b\\cf2 \\u26631\\'b1\\'ea\\u-26472\\'cc\\'e2\\b0"), std::string::npos);
  EXPECT_NE(rtf.find("Part \\{one\\}"), std::string::npos);
  EXPECT_NE(rtf.find("\\bullet\\tab \\u22909\\'ba\\'c3 {\\b vbg}\\par"), std::string::npos);
  EXPECT_NE(rtf.find("b\\\\c"), std::string::npos);
  EXPECT_NE(rtf.find("line one line two\\u25509\\'bd\\'d3"), std::string::npos);  // Latin lines joined by a blank
  EXPECT_NE(rtf.find("\\u30528\\'d7\\'c5\\u20889\\'d0\\'b4"), std::string::npos);  // Chinese without
  // Braces balance.
  int depth = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') { ++i; continue; }
    depth += rtf[i] == '{';
    depth -= rtf[i] == '}';
    ASSERT_GE(depth, 0);
  }
  EXPECT_EQ(depth, 0);
}

TEST(MediaRtf, CodesBeyondTheBasicPlaneAndErrors) {
  std::string rtf, err;
  ASSERT_TRUE(MarkupToRtf(u8"\U00020000 and \u00FF", rtf, err)) << err;
  // No GBK code: "??" stands in.
  EXPECT_NE(rtf.find("\\u-10176\\'3f\\'3f\\u-9216\\'3f\\'3f and \\u255\\'3f\\'3f"), std::string::npos);
  EXPECT_NE(rtf.find("\\uc2"), std::string::npos);
  EXPECT_FALSE(MarkupToRtf("an **open bold", rtf, err));
  EXPECT_NE(err.find("**"), std::string::npos);
  EXPECT_FALSE(MarkupToRtf("\n\n", rtf, err));
}
