// Scroll-bar geometry: hit testing, arrow and thumb sizes, frames, the
// tracked thumb's clamping and the position of a dragged thumb.
#include <gtest/gtest.h>

#include "skin/portable/scroll_geometry.h"

namespace {

TScrollAxis Axis(int arrow, int length, int start, int end) {
  TScrollAxis a;
  a.ArrowSize = arrow;
  a.BarLength = length;
  a.ThumbStart = start;
  a.ThumbEnd = end;
  return a;
}

TEST(ScrollGeometry, HitTestNamesEveryPartAtItsEdges) {
  const TScrollAxis a = Axis(16, 200, 60, 90);
  EXPECT_EQ(ScrollHitTest(a, 0), spFirstArrow);
  EXPECT_EQ(ScrollHitTest(a, 15), spFirstArrow);
  EXPECT_EQ(ScrollHitTest(a, 16), spPageBefore);
  EXPECT_EQ(ScrollHitTest(a, 59), spPageBefore);
  EXPECT_EQ(ScrollHitTest(a, 60), spThumb);
  EXPECT_EQ(ScrollHitTest(a, 89), spThumb);
  EXPECT_EQ(ScrollHitTest(a, 90), spPageAfter);
  EXPECT_EQ(ScrollHitTest(a, 183), spPageAfter);
  EXPECT_EQ(ScrollHitTest(a, 184), spSecondArrow);
  EXPECT_EQ(ScrollHitTest(a, 199), spSecondArrow);
}

TEST(ScrollGeometry, ShortBarsHalveTheArrowsAndOddImagesTakeTheSystemThickness) {
  EXPECT_EQ(ScrollArrowLength(16, 32), 16);
  EXPECT_EQ(ScrollArrowLength(16, 31), 15);
  EXPECT_EQ(ScrollArrowLength(16, 9), 4);
  EXPECT_EQ(ScrollBarThickness(18, 16), 18);
  EXPECT_EQ(ScrollBarThickness(19, 16), 16);
  EXPECT_EQ(ScrollBarThickness(14, 16), 14);
  EXPECT_EQ(ScrollBarThickness(13, 16), 16);
}

TEST(ScrollGeometry, FramesFollowHotAndPressed) {
  EXPECT_EQ(ScrollArrowFrame(sfUpArrow, false, false), 9);
  EXPECT_EQ(ScrollArrowFrame(sfUpArrow, false, true), 9);
  EXPECT_EQ(ScrollArrowFrame(sfUpArrow, true, true), 10);
  EXPECT_EQ(ScrollArrowFrame(sfDownArrow, true, false), 16);
  EXPECT_EQ(ScrollThumbFrame(false, true), 1);
  EXPECT_EQ(ScrollThumbFrame(true, true), 2);
  EXPECT_EQ(ScrollThumbFrame(true, false), 3);
  EXPECT_EQ(ScrollGripFrame(sfVertGrip, true, true), 21);
  EXPECT_EQ(ScrollGripFrame(sfHorzGrip, true, false), 19);
}

TEST(ScrollGeometry, GripIsCentredAndLeftOutOfShortThumbs) {
  int start = -1;
  ASSERT_TRUE(ScrollGripStart(40, 80, 16, start));
  EXPECT_EQ(start, 52);
  ASSERT_TRUE(ScrollGripStart(40, 55, 16, start));  // 15 long: 16 < 17
  EXPECT_EQ(start, 40);
  EXPECT_FALSE(ScrollGripStart(40, 54, 16, start));  // 14 = grip - 2
  EXPECT_FALSE(ScrollGripStart(40, 40, 16, start));
}

TEST(ScrollGeometry, TrackedThumbKeepsItsLengthBetweenTheArrows) {
  TScrollAxis a = Axis(16, 200, 60, 90);
  TrackScrollThumb(a, 60, 25);
  EXPECT_EQ(a.ThumbStart, 85);
  EXPECT_EQ(a.ThumbEnd, 115);
  TrackScrollThumb(a, 60, 500);
  EXPECT_EQ(a.ThumbStart, 200 - 16 - 30);
  EXPECT_EQ(a.ThumbEnd, 184);
  TrackScrollThumb(a, 60, -500);
  EXPECT_EQ(a.ThumbStart, 16);
  EXPECT_EQ(a.ThumbEnd, 46);
  // A thumb longer than the track stays after the first arrow.
  TScrollAxis b = Axis(16, 60, 16, 56);
  TrackScrollThumb(b, 16, 10);
  EXPECT_EQ(b.ThumbStart, 16);
  EXPECT_EQ(b.ThumbEnd, 56);
}

TEST(ScrollGeometry, DraggedPositionWithAPage) {
  // 100 items, a page of 10: range 0..99.
  const int track = 200, thumb = 20;
  EXPECT_EQ(DraggedScrollPosition(0, track, thumb, 0, 99, 10), 0);
  EXPECT_EQ(DraggedScrollPosition(-30, track, thumb, 0, 99, 10), 0);
  EXPECT_EQ(DraggedScrollPosition(90, track, thumb, 0, 99, 10), 45);  // 90 * 89 / 180 = 44.5
  EXPECT_EQ(DraggedScrollPosition(180, track, thumb, 0, 99, 10), 90);
  EXPECT_EQ(DraggedScrollPosition(1000, track, thumb, 0, 99, 10), 90);
  EXPECT_EQ(DraggedScrollPosition(50, track, thumb, 5, 104, 10), 30);  // 50 * 89 / 180 = 24.7, + 5
  // A thumb that fills the track leaves nothing to scroll (no division by zero).
  EXPECT_EQ(DraggedScrollPosition(10, 40, 40, 0, 99, 10), 0);
}

TEST(ScrollGeometry, DraggedPositionWithoutAPage) {
  EXPECT_EQ(DraggedScrollPosition(0, 100, 10, 0, 50, 0), 0);
  EXPECT_EQ(DraggedScrollPosition(45, 100, 10, 0, 50, 0), 23);  // 22.5 rounds up
  EXPECT_EQ(DraggedScrollPosition(500, 100, 10, 0, 50, 0), 45);  // stops at track - thumb
  EXPECT_EQ(DraggedScrollPosition(5, 0, 0, 3, 50, 0), 3);
}

}  // namespace
