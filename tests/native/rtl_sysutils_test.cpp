#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "toolkit/base/exception.h"
#include "toolkit/base/sysutils.h"

namespace {
// GBK characters whose trail byte equals an ASCII code: 丄 = 81 41 ('A'),
// 乤 = 81 61 ('a'), 乗 = 81 5C ('\'), 中 = D6 D0.
const std::string kTrailA = "\x81\x41";
const std::string kTrailLowerA = "\x81\x61";
const std::string kTrailBackslash = "\x81\x5C";
const std::string kZhong = "中";
}  // namespace

// --- StrToInt ------------------------------------------------------------------

TEST(RtlStrToInt, AcceptedTexts) {
  struct Case { const char* text; int value; } cases[] = {
      {"0", 0}, {"7", 7}, {"-7", -7}, {"+7", 7}, {"0012", 12},
      {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
      {"$1F", 31}, {"$1f", 31}, {"-$10", -16}, {"$7FFFFFFF", 2147483647}, {"$FFFFFFFF", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
    int v = 12345;
    EXPECT_TRUE(TryStrToInt(c.text, v)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST(RtlStrToInt, RejectedTextsRaiseAndKeepDefault) {
  const char* cases[] = {"", " ", "+", "-", "$", "-$", " 5", "5 ", "5\t", "1.5", "12a", "0x10",
                         "2147483648", "-2147483649", "$100000000", "99999999999999999999", "--1", "\xD6\xD0"};
  for (const char* text : cases) {
    EXPECT_THROW(StrToInt(text), EConvertError) << "[" << text << "]";
    EXPECT_EQ(StrToIntDef(text, -99), -99) << "[" << text << "]";
    int v = 4;
    EXPECT_FALSE(TryStrToInt(text, v));
    EXPECT_EQ(v, 4);
  }
  try {
    StrToInt("12x");
  } catch (const EConvertError& e) {
    EXPECT_NE(std::string(e.what()).find("'12x'"), std::string::npos) << e.what();
  }
}

// --- Trim --------------------------------------------------------------------------

TEST(RtlTrim, RemovesBlanksAndControlCharactersOnly) {
  struct Case { std::string in, both, left, right; } cases[] = {
      {"", "", "", ""},
      {"   ", "", "", ""},
      {"  ab  ", "ab", "ab  ", "  ab"},
      {std::string("\0\x01\t\r\nab\x1F\x7F", 9), "ab\x1F\x7F", "ab\x1F\x7F", std::string("\0\x01\t\r\nab\x1F\x7F", 9)},
      {"a b", "a b", "a b", "a b"},
      // Bytes above 0x80 are text, not blanks (a signed comparison would strip them).
      {" " + kZhong + " ", kZhong, kZhong + " ", " " + kZhong},
      {"\xA1\xA1", "\xA1\xA1", "\xA1\xA1", "\xA1\xA1"},
      {"\xFF x", "\xFF x", "\xFF x", "\xFF x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Trim(c.in), c.both);
    EXPECT_EQ(TrimLeft(c.in), c.left);
    EXPECT_EQ(TrimRight(c.in), c.right);
  }
}

// --- Format --------------------------------------------------------------------------

TEST(RtlFormat, Conversions) {
  EXPECT_EQ(Format("%d|%s|%u|%x", -12, "ab", 7u, 255), "-12|ab|7|FF");
  EXPECT_EQ(Format("%5d|%-5d|%3s|%-3s|", 42, 42, "a", "b"), "   42|42   |  a|b  |");
  EXPECT_EQ(Format("%.3d|%5.3d|%.2d", 7, -7, 123), "007| -007|123");
  EXPECT_EQ(Format("%.2f|%.0f|%f|%8.3f|%-7.1f|", 3.14159, 2.6, 1.0, -1.5, 0.26), "3.14|3|1.00|  -1.500|0.3    |");
  EXPECT_EQ(Format("%.1f", 3), "3.0");
  EXPECT_EQ(Format("100%% %s", std::string("done")), "100% done");
  EXPECT_EQ(Format("%x|%u", -1, -1), "FFFFFFFF|4294967295");
  EXPECT_EQ(Format("%x", -1LL), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Format("%s%s", 'A', kZhong), "A" + kZhong);
  EXPECT_EQ(Format("no conversions"), "no conversions");
  // A field longer than its width is written whole.
  EXPECT_EQ(Format("%-3s|%2d", "abcdef", 12345), "abcdef|12345");
}

TEST(RtlFormat, BadFormatsRaise) {
  EXPECT_THROW(Format("%d"), EConvertError);              // missing argument
  EXPECT_THROW(Format("%d", "text"), EConvertError);      // wrong kind
  EXPECT_THROW(Format("%s", 5), EConvertError);
  EXPECT_THROW(Format("%d", 1.5), EConvertError);
  EXPECT_THROW(Format("%q", 1), EConvertError);           // unknown conversion
  EXPECT_THROW(Format("50%"), EConvertError);             // dangling percent
  EXPECT_THROW(Format("%99999d", 1), EConvertError);      // absurd width
  EXPECT_THROW(Format("%.99999999999999999999f", 1.0), EConvertError);
}

// --- GBK bytes ------------------------------------------------------------------------

TEST(RtlGbk, ByteTypeScansFromTheStart) {
  using B = TMbcsByteType;
  struct Case { std::string s; std::vector<B> types; } cases[] = {
      {"ab", {B::mbSingleByte, B::mbSingleByte}},
      {kZhong, {B::mbLeadByte, B::mbTrailByte}},
      // The trail byte 0x41 is 'A' and the trail 0x81 of "\x81\x81" would be a
      // lead byte if looked at alone.
      {"x" + kTrailA + "A", {B::mbSingleByte, B::mbLeadByte, B::mbTrailByte, B::mbSingleByte}},
      {"\x81\x81\x81\x41", {B::mbLeadByte, B::mbTrailByte, B::mbLeadByte, B::mbTrailByte}},
      {kZhong + "\xD6", {B::mbLeadByte, B::mbTrailByte, B::mbLeadByte}},  // lead byte at the end
      {kTrailLowerA + kTrailBackslash, {B::mbLeadByte, B::mbTrailByte, B::mbLeadByte, B::mbTrailByte}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.s.size(), c.types.size());
    for (std::size_t i = 0; i < c.types.size(); ++i)
      EXPECT_EQ(ByteType(c.s, i + 1), c.types[i]) << "byte " << i + 1 << " of case " << &c - cases;
  }
  EXPECT_TRUE(IsLeadByte(0x81) && IsLeadByte(0xFE) && !IsLeadByte(0x80) && !IsLeadByte(0xFF) && !IsLeadByte('A'));
  EXPECT_EQ(ByteType("ab", 0), B::mbSingleByte);
  EXPECT_EQ(ByteType("ab", 3), B::mbSingleByte);
  EXPECT_EQ(ByteType("", 1), B::mbSingleByte);
}

TEST(RtlGbk, CutNeverSplitsACharacter) {
  const std::string mixed = "a" + kZhong + kTrailA + "b";  // a 中 丄 b: 6 bytes
  struct Case { std::string s; std::size_t max; std::string cut; } cases[] = {
      {mixed, 0, ""},
      {mixed, 1, "a"},
      {mixed, 2, "a"},                   // would split 中
      {mixed, 3, "a" + kZhong},
      {mixed, 4, "a" + kZhong},          // would split 丄
      {mixed, 5, "a" + kZhong + kTrailA},
      {mixed, 6, mixed},
      {mixed, 60, mixed},
      {"\x81\x81\x81\x41", 3, "\x81\x81"},
      {kTrailA + "AB", 3, kTrailA + "A"}, // the 'A' after a character is a whole letter
  };
  for (const Case& c : cases) EXPECT_EQ(CutGbk(c.s, c.max), c.cut) << c.max;
}

// --- File names ------------------------------------------------------------------------

TEST(RtlFileNames, PathAndNameWithEitherDelimiter) {
  struct Case { std::string full, path, name; } cases[] = {
      {"C:\\Prog\\wb1.dat", "C:\\Prog\\", "wb1.dat"},
      {"/opt/prog/wb1.dat", "/opt/prog/", "wb1.dat"},
      {"C:\\Prog/English\\a.txt", "C:\\Prog/English\\", "a.txt"},
      {"name.txt", "", "name.txt"},
      {"dir\\", "dir\\", ""},
      {"", "", ""},
      // 乗 ends in 0x5C: it is part of the name, not a delimiter.
      {"C:\\a\\" + kTrailBackslash + "x.txt", "C:\\a\\", kTrailBackslash + "x.txt"},
      {"C:\\" + kTrailBackslash + "\\f", "C:\\" + kTrailBackslash + "\\", "f"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.full), c.path) << c.full;
    EXPECT_EQ(ExtractFileName(c.full), c.name) << c.full;
  }
}

TEST(RtlFileNames, TrailingDelimiter) {
  const std::string d(1, PathDelim);
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Prog\\"), "C:\\Prog\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/opt/prog/"), "/opt/prog/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("folder"), "folder" + d);
  EXPECT_EQ(IncludeTrailingPathDelimiter("a\\" + kTrailBackslash), "a\\" + kTrailBackslash + d);
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), d);
}

// --- Dates -------------------------------------------------------------------------------

TEST(RtlDate, WeekdaysOfKnownDates) {
  struct Case { int y, m, d, dow; } cases[] = {
      {2026, 12, 9, 3}, {2000, 1, 1, 6}, {1970, 1, 1, 4}, {2024, 2, 29, 4},
      {1900, 3, 1, 4}, {2100, 2, 28, 0}, {2023, 12, 31, 0}, {2024, 1, 6, 6}, {2019, 3, 1, 5},
  };
  for (const Case& c : cases) {
    TDateTimeRec r;
    r.Year = c.y; r.Month = c.m; r.Day = c.d;
    EXPECT_EQ(DayOfWeek(r), c.dow) << c.y << "-" << c.m << "-" << c.d;
  }
}

TEST(RtlDate, WeekdayName) {
  EXPECT_EQ(WeekdayName(0), "星期日");
  EXPECT_EQ(WeekdayName(6), "星期六");
  EXPECT_EQ(WeekdayName(7), "");
}

// --- Random ------------------------------------------------------------------------------

TEST(RtlRandom, RandomizeBeforeEachDrawDoesNotRepeat) {
  // Seeding from a coarse clock before every draw makes a tight loop draw one value.
  std::set<int> seen;
  int repeats = 0, last = -1;
  for (int i = 0; i < 2000; ++i) {
    Randomize();
    int v = Random(999999999);
    if (v == last) ++repeats;
    last = v;
    seen.insert(v);
  }
  EXPECT_GE(seen.size(), 1990u);
  EXPECT_LE(repeats, 1);
  // Small ranges: a run of identical letters means the seed did not change.
  std::set<int> letters;
  for (int i = 0; i < 50; ++i) {
    Randomize();
    letters.insert(Random(26));
  }
  EXPECT_GE(letters.size(), 10u);
}

TEST(RtlRandom, RangeAndSpread) {
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-5), 0);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(Random(1), 0);
  Randomize();
  const int kDraws = 100000;
  int counts[10] = {};
  for (int i = 0; i < kDraws; ++i) {
    int v = Random(10);
    ASSERT_TRUE(v >= 0 && v < 10) << v;
    ++counts[v];
  }
  // Expected 10000 each; 5 standard deviations is about 475.
  for (int c : counts) EXPECT_NEAR(c, kDraws / 10, 600);
  int top = 0;
  for (int i = 0; i < 1000; ++i) top = std::max(top, Random(2147483647));
  EXPECT_GT(top, 2000000000);  // large ranges reach their upper part
}

TEST(RtlCase, DoubleByteCharactersAreLeftAlone) {
  // The trail byte of 猘 is 'a' (0x61), of 狝 'A' (0x41).
  EXPECT_EQ(UpperCase("猘x"), "猘X");
  EXPECT_EQ(LowerCase("狝X"), "狝x");
  EXPECT_NE(CompareText("猘", "狝"), 0);
  EXPECT_EQ(CompareText("ab猘Cd", "AB猘cD"), 0);
  EXPECT_FALSE(SameText("a猘", "A狝"));
  EXPECT_EQ(UpperCase(std::string("a\x81")), std::string("A\x81")) << "a lead byte at the end is kept";
}
