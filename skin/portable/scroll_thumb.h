#pragma once
// Where a dragged scroll-bar thumb puts the scroll position: the thumb's
// offset from the track's start (trackLength long, the thumb thumbLength)
// against the range min..max with page size page (0: no page).
int ThumbDragPosition(int offset, int trackLength, int thumbLength, int min, int max, int page);
