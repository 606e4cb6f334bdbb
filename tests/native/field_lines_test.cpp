// A result line broken to fit its label only between fields.
#include <gtest/gtest.h>

#include "practice/rules/field_lines.h"

namespace {
// One unit a byte: a Chinese character is two.
int Bytes(const std::string& s) { return static_cast<int>(s.size()); }

TEST(FieldLines, BreakOnlyBetweenFields) {
  const std::string result = "英文(小)练习,总数:971 正确率:100.00% 错误:0 速度:767字/分 用时:0:1:16";
  struct Case {
    int width;
    const char* lines;
  } cases[] = {
      {69, "英文(小)练习,总数:971 正确率:100.00% 错误:0 速度:767字/分 用时:0:1:16"},
      // The field that would cross the edge goes whole to the next line.
      {48, "英文(小)练习,总数:971 正确率:100.00% 错误:0\r\n速度:767字/分 用时:0:1:16"},
      {30, "英文(小)练习,总数:971\r\n正确率:100.00% 错误:0\r\n速度:767字/分 用时:0:1:16"},
      // A comma ends a field too.
      {20, "英文(小)练习,\r\n总数:971\r\n正确率:100.00%\r\n错误:0 速度:767字/分\r\n用时:0:1:16"},
      // A field wider than the label keeps a line of its own.
      {9, "英文(小)练习,\r\n总数:971\r\n正确率:100.00%\r\n错误:0\r\n速度:767字/分\r\n用时:0:1:16"},
  };
  for (const Case& c : cases) EXPECT_EQ(BreakBetweenFields(result, c.width, Bytes), c.lines) << c.width;
}

TEST(FieldLines, TextWithoutSeparatorsStaysAsItIs) {
  const std::string note = "注意：练习过程按ESC键结束";
  EXPECT_EQ(BreakBetweenFields(note, 4, Bytes), note);
  EXPECT_EQ(BreakBetweenFields("", 4, Bytes), "");
}
}  // namespace
