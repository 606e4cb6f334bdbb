#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "toolkit/base/float_format.h"

TEST(FloatRound, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    std::int64_t rounded, cut;
  } cases[] = {
      {0.5, 0, 0},   {1.5, 2, 1},    {2.5, 2, 2},          {3.5, 4, 3},     {-0.5, 0, 0},
      {-1.5, -2, -1}, {-2.5, -2, -2}, {2.4999999, 2, 2},    {2.5000001, 3, 2}, {-2.9, -3, -2},
      {7.0, 7, 7},   {0.0, 0, 0},    {4503599627370497.0, 4503599627370497, 4503599627370497},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Round(c.value), c.rounded) << c.value;
    EXPECT_EQ(Trunc(c.value), c.cut) << c.value;
  }
}

TEST(FloatRound, OutOfRangeRaises) {
  EXPECT_THROW(Round(1e300), EInvalidOp);
  EXPECT_THROW(Trunc(-1e19), EInvalidOp);
  EXPECT_THROW(Round(std::nan("")), EInvalidOp);
}

TEST(FormatFloat, Pictures) {
  struct Case {
    const char* format;
    double value;
    const char* text;
  } cases[] = {
      {"##.##%", 95.5, "95.5%"},
      {"##.##%", 100, "100%"},
      {"##.##%", 0.5, ".5%"},
      {"##.##%", 0, "%"},
      {"##.##%", 200.0 / 3.0, "66.67%"},
      {"##.##%", 3.125, "3.13%"},    // half away from zero, not to even
      {"##.##%", 99.996, "100%"},    // carry through every digit
      {"##.##%", 99.994, "99.99%"},
      {"##.##%", 12.30, "12.3%"},
      {"##.##%", 0.004, "%"},
      {"##.##%", 1234.5, "1234.5%"}, // digits beyond the places all shown
      {"##.##%", -2.5, "-2.5%"},
      {"##.##%", -0.001, "%"},       // rounds to nothing: no sign
      {"0.00", 0, "0.00"},
      {"0.00", 1.5, "1.50"},
      {"0.00", 2.675, "2.68"},       // decided on 15 significant digits
      {"000", 7, "007"},
      {"0", 2.5, "3"},
      {"#.0#", 0.25, ".25"},
      {"#.0#", 3, "3.0"},
      {"'x'0\"%\"", 4, "x4%"},
      {"0.#", 1e20, "100000000000000000000"},
      {"#.##", 1e-20, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " " << c.value;
}
