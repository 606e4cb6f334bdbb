#include "skin/portable/scroll_geometry.h"

#include <algorithm>
#include <cstdint>

namespace {

// a * b / c rounded to the nearest, halves away from zero (c != 0).
int MulDivRound(int a, int b, int c) {
  const std::int64_t n = static_cast<std::int64_t>(a) * b;
  const std::int64_t d = c;
  const bool negative = (n < 0) != (d < 0);
  const std::int64_t an = n < 0 ? -n : n, ad = d < 0 ? -d : d;
  const std::int64_t q = (an + ad / 2) / ad;
  return static_cast<int>(negative ? -q : q);
}

}  // namespace

int ScrollHitTest(const TScrollAxis& axis, int p) {
  if (p < axis.ArrowSize) return spFirstArrow;
  if (p < axis.ThumbStart) return spPageBefore;
  if (p < axis.ThumbEnd) return spThumb;
  if (p < axis.BarLength - axis.ArrowSize) return spPageAfter;
  return spSecondArrow;
}

int ScrollArrowLength(int arrowSize, int barLength) {
  return barLength < 2 * arrowSize ? barLength / 2 : arrowSize;
}

int ScrollBarThickness(int imageHeight, int arrowSize) {
  const int off = imageHeight - arrowSize;
  return off > 2 || off < -2 ? arrowSize : imageHeight;
}

int ScrollArrowFrame(int base, bool hot, bool pressed) {
  if (!hot) return base;
  return base + (pressed ? 1 : 3);
}

int ScrollThumbFrame(bool hot, bool pressed) {
  if (!hot) return 1;
  return pressed ? 2 : 3;
}

int ScrollGripFrame(int base, bool hot, bool pressed) {
  if (!hot) return base;
  return base + (pressed ? 1 : 2);
}

bool ScrollGripStart(int thumbStart, int thumbEnd, int gripLength, int& start) {
  const int length = thumbEnd - thumbStart;
  if (gripLength >= length + 2) return false;
  start = thumbStart + (length - gripLength) / 2;
  return true;
}

void TrackScrollThumb(TScrollAxis& axis, int pressThumbStart, int cursorTravel) {
  const int length = axis.ThumbEnd - axis.ThumbStart;
  int start = pressThumbStart + cursorTravel;
  // The far end first, so a thumb longer than the track still starts after the first arrow.
  start = std::min(start, axis.BarLength - axis.ArrowSize - length);
  start = std::max(start, axis.ArrowSize);
  axis.ThumbStart = start;
  axis.ThumbEnd = start + length;
}

int DraggedScrollPosition(int offset, int trackLength, int thumbLength, int min, int max, int page) {
  offset = std::max(offset, 0);
  const int room = trackLength - thumbLength;
  int pos;
  if (page <= 0) {
    if (trackLength <= 0) return min;
    offset = std::min(offset, room);
    pos = std::min(MulDivRound(offset, max - min, trackLength) + min, max);
  } else {
    if (room <= 0) return min;
    if (offset > room) offset = room + 1;
    pos = MulDivRound(offset, max - min - page, room) + min;
    if (pos >= max - page) pos = max - page + 1;
  }
  return std::max(pos, min);
}
