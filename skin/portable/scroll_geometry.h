#pragma once
// Geometry of a skinned scroll bar along its axis: which part a point hits,
// how long the arrows are, which strip frames the parts take, where the
// dragged thumb and its grip go, and the position a dragged thumb stands for.
// Lengths are pixels along the bar, measured from its start (arrows included).

// Part codes; they equal the system's scroll request codes (SB_LINEUP ...
// SB_THUMBTRACK), so a scroll message's request can be stored as a part.
enum TScrollPart : int {
  spNone = -1,
  spFirstArrow = 0,
  spSecondArrow = 1,
  spPageBefore = 2,
  spPageAfter = 3,
  spThumb = 5
};

struct TScrollAxis {
  int ArrowSize = 0;  // the system's arrow size
  int BarLength = 0;
  int ThumbStart = 0, ThumbEnd = 0;
};

int ScrollHitTest(const TScrollAxis& axis, int p);
// The arrows' length: the arrow size, or half a bar too short for two.
int ScrollArrowLength(int arrowSize, int barLength);
// The bar's thickness: the arrow image's height unless it is more than 2
// pixels off the system's arrow size.
int ScrollBarThickness(int imageHeight, int arrowSize);

// Frames of the 23-frame arrow and grip strip.
enum TScrollStripFrame : int {
  sfLeftArrow = 1,
  sfRightArrow = 5,
  sfUpArrow = 9,
  sfDownArrow = 13,
  sfHorzGrip = 17,
  sfVertGrip = 20,
  ScrollStripFrames = 23
};
// An arrow's frame from its base: pressed + 1, hot + 3.
int ScrollArrowFrame(int base, bool hot, bool pressed);
// The thumb's frame: 1 normal, 2 pressed, 3 hot.
int ScrollThumbFrame(bool hot, bool pressed);
// The grip's frame from its base: pressed + 1, hot + 2.
int ScrollGripFrame(int base, bool hot, bool pressed);

// The grip's start along the axis, centred on the thumb; false when the
// thumb is too short for it (not longer than the grip less 2 pixels).
bool ScrollGripStart(int thumbStart, int thumbEnd, int gripLength, int& start);

// The thumb following the cursor: the length kept, the start moved by the
// cursor's travel and kept between the arrows.
void TrackScrollThumb(TScrollAxis& axis, int pressThumbStart, int cursorTravel);

// The scroll position of a thumb dragged to offset (pixels past the first
// arrow) on a track of trackLength with a thumb of thumbLength, for the range
// min..max and page (0: no page).
int DraggedScrollPosition(int offset, int trackLength, int thumbLength, int min, int max, int page);
