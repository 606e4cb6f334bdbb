#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/base/float_format.h"

TEST(FloatRound, HalvesToEvenAndTruncTowardsZero) {
  struct Case {
    double value;
    std::int64_t rounded, cut;
  } cases[] = {{0.5, 0, 0},      {1.5, 2, 1},       {2.5, 2, 2},   {-0.5, 0, 0},
               {-1.5, -2, -1},   {-2.5, -2, -2},    {2.5000001, 3, 2}, {-2.9, -3, -2},
               {4503599627370497.0, 4503599627370497, 4503599627370497}};
  for (const Case& c : cases) {
    EXPECT_EQ(Round(c.value), c.rounded) << c.value;
    EXPECT_EQ(Trunc(c.value), c.cut) << c.value;
  }
  EXPECT_THROW(Round(1e300), EInvalidOp);
  EXPECT_THROW(Trunc(std::nan("")), EInvalidOp);
}

TEST(FormatFloat, Pictures) {
  struct Case {
    const char* format;
    double value;
    const char* text;
  } cases[] = {
      {"##.##%", 95.5, "95.5%"},     {"##.##%", 100, "100%"},         {"##.##%", 0.5, ".5%"},
      {"##.##%", 0, "%"},            {"##.##%", 200.0 / 3, "66.67%"}, {"##.##%", 3.125, "3.13%"},  // half away
      {"##.##%", 99.996, "100%"},    {"##.##%", 1234.5, "1234.5%"},   {"##.##%", -0.001, "%"},
      {"##.##%", -2.5, "-2.5%"},     {"0.00", 2.675, "2.68"},         {"000", 7, "007"},
      {"#.0#", 3, "3.0"},            {".##", 3.25, "3.25"},           {"'x'0\"%\"", 4, "x4%"},
      {"0.#", 1e20, "100000000000000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " " << c.value;
}
