#include "skin/win/draw/arrow_glyph.h"

namespace {

void Segment(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void Path(HDC dc, const POINT* points, int count) {
  MoveToEx(dc, points[0].x, points[0].y, nullptr);
  for (int i = 1; i < count; ++i) LineTo(dc, points[i].x, points[i].y);
}

}  // namespace

void DrawArrowGlyph(HDC dc, int x, int y, int direction) {
  POINT old;
  MoveToEx(dc, 0, 0, &old);
  switch (direction) {
    case adUp:
      Segment(dc, x, y, x, y - 1);
      Segment(dc, x + 1, y + 1, x + 4, y + 4);
      Segment(dc, x, y + 1, x + 3, y + 4);
      Segment(dc, x, y + 2, x + 2, y + 4);
      Segment(dc, x - 1, y + 1, x - 4, y + 4);
      Segment(dc, x, y + 2, x - 3, y + 4);
      Segment(dc, x, y + 1, x - 2, y + 4);
      break;
    case adDown:
      Segment(dc, x, y + 3, x, y + 4);
      Segment(dc, x + 1, y + 2, x + 4, y - 1);
      Segment(dc, x, y + 2, x + 3, y - 1);
      Segment(dc, x, y + 1, x + 2, y);
      Segment(dc, x - 1, y + 2, x - 4, y - 1);
      Segment(dc, x, y + 2, x - 3, y - 1);
      Segment(dc, x, y + 1, x - 2, y);
      break;
    case adLeft: {
      const POINT p[] = {{x, y}, {x + 1, y + 2}, {x + 1, y - 2}, {x - 1, y}, {x + 1, y + 2}};
      Path(dc, p, 5);
      break;
    }
    case adRight: {
      const POINT p[] = {{x, y}, {x - 1, y + 2}, {x - 1, y - 2}, {x + 1, y}, {x - 1, y + 2}};
      Path(dc, p, 5);
      break;
    }
    default:
      break;
  }
  MoveToEx(dc, old.x, old.y, nullptr);
}
