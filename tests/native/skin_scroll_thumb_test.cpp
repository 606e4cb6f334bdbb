// The position a dragged drop-down thumb sends.
#include <gtest/gtest.h>

#include "skin/portable/scroll_thumb.h"

TEST(ScrollThumb, PagedRangeReachesItsLastPageAndStartsAtItsMinimum) {
  // 100 items, 10 shown: a track of 200 with a thumb of 20.
  EXPECT_EQ(ThumbDragPosition(0, 200, 20, 0, 99, 10), 0);
  EXPECT_EQ(ThumbDragPosition(-15, 200, 20, 0, 99, 10), 0) << "dragged above the track";
  EXPECT_EQ(ThumbDragPosition(180, 200, 20, 0, 99, 10), 90) << "at the bottom";
  EXPECT_EQ(ThumbDragPosition(500, 200, 20, 0, 99, 10), 90) << "past the bottom";
  EXPECT_EQ(ThumbDragPosition(90, 200, 20, 0, 99, 10), 45);  // half way: 89 / 2 rounded
  EXPECT_EQ(ThumbDragPosition(90, 200, 20, 5, 104, 10), 50) << "a range that starts above 0";
}

TEST(ScrollThumb, UnpagedRangeAndAThumbAsLongAsTheTrack) {
  EXPECT_EQ(ThumbDragPosition(100, 200, 20, 0, 50, 0), 25);
  EXPECT_EQ(ThumbDragPosition(400, 200, 20, 0, 50, 0), 45) << "the offset stops where the thumb ends";
  EXPECT_EQ(ThumbDragPosition(10, 20, 20, 0, 9, 10), 0) << "no room to move: no division by zero";
  EXPECT_EQ(ThumbDragPosition(10, 0, 0, 3, 9, 0), 3);
}
