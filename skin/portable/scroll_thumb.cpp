#include "skin/portable/scroll_thumb.h"

#include <algorithm>
#include <cstdint>

namespace {

// a * b / c rounded half away from zero; c = 0 gives 0.
int MulDivRound(int a, int b, int c) {
  if (c == 0) return 0;
  const std::int64_t p = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = (c < 0 ? -c : c) / 2;
  const std::int64_t q = ((p < 0) != (c < 0) ? p - (p < 0 ? half : -half) : p + (p < 0 ? -half : half)) / c;
  return static_cast<int>(q);
}

}  // namespace

int ThumbDragPosition(int offset, int trackLength, int thumbLength, int min, int max, int page) {
  offset = std::max(offset, 0);
  const int room = trackLength - thumbLength;
  int pos;
  if (page == 0) {
    offset = std::min(offset, room);
    pos = std::min(MulDivRound(offset, max - min, trackLength) + min, max);
  } else {
    if (offset > room) offset = room + 1;
    pos = MulDivRound(offset, max - min - page, room) + min;
    if (pos >= max - page) pos = max - page + 1;
  }
  return std::max(pos, min);
}
