#include "skin_design.h"

#include <sstream>

namespace skingen {
namespace {
// A calm slate-blue frame around light grey-blue faces; dark ink for text.
const Rgb kFace{236, 240, 243};
const Rgb kInk{34, 42, 52};
const Rgb kSoftInk{70, 80, 92};
const Rgb kWhite{255, 255, 255};
const Rgb kLine{150, 162, 174};
const Rgb kPaleLine{200, 206, 212};
const Rgb kAccent{74, 122, 170};
const Rgb kDisabledInk{168, 175, 182};
const Rgb kCapTop{92, 132, 170}, kCapBottom{62, 98, 136}, kCapEdge{40, 66, 96};
const Rgb kInTop{184, 191, 200}, kInBottom{164, 172, 182}, kInEdge{132, 140, 150};
const Rgb kMenu{250, 251, 252};

constexpr int kCaption = 30;  // caption height, the Top border's frame height
constexpr int kSide = 4;      // left, right and bottom frame widths

// States shared by most pieces.
enum TState { Normal, Pressed, Disabled, Hot, Focused };

struct TLook {
  Rgb border, top, bottom, ink;
};
TLook LookOf(TState s) {
  switch (s) {
    case Pressed: return {Darker(kAccent, 0.15), {198, 212, 226}, {218, 228, 238}, kInk};
    case Disabled: return {kPaleLine, {244, 245, 247}, {238, 240, 242}, kDisabledInk};
    case Hot: return {kAccent, {246, 250, 254}, {214, 229, 244}, kInk};
    case Focused: return {Darker(kAccent, 0.1), {252, 253, 254}, {226, 232, 238}, kInk};
    default: return {kLine, {252, 253, 254}, {226, 232, 238}, kSoftInk};
  }
}

// Arrow glyphs: a filled triangle pointing dir (0 up, 1 down, 2 left, 3 right),
// `size` pixels from base to tip, centred at (cx, cy).
void Arrow(Image& img, double cx, double cy, int dir, double size, Rgb c) {
  double h = size, w = size;  // half base width = size
  std::vector<std::pair<double, double>> p;
  switch (dir) {
    case 0: p = {{cx - w, cy + h / 2}, {cx + w, cy + h / 2}, {cx, cy - h / 2}}; break;
    case 1: p = {{cx - w, cy - h / 2}, {cx + w, cy - h / 2}, {cx, cy + h / 2}}; break;
    case 2: p = {{cx + h / 2, cy - w}, {cx + h / 2, cy + w}, {cx - h / 2, cy}}; break;
    default: p = {{cx - h / 2, cy - w}, {cx - h / 2, cy + w}, {cx + h / 2, cy}}; break;
  }
  img.FillPolygon(p, c);
}

// ---- frame ----------------------------------------------------------------

void CaptionRows(Image& img, int x0, int x1, bool active) {
  Rgb edge = active ? kCapEdge : kInEdge, top = active ? kCapTop : kInTop, bottom = active ? kCapBottom : kInBottom;
  img.HLine(x0, x1 - 1, 0, edge);
  img.HLine(x0, x1 - 1, 1, Lighter(top, 0.25));
  img.VerticalGradient(x0, 2, x1, kCaption, top, bottom);
}

Image LeftBorder() {
  const int h = kCaption + 30 + kSide;
  return Strip(2, kSide, h, [](int f, Image& c) {
    bool active = f == 1;
    Rgb edge = active ? kCapEdge : kInEdge, side = active ? kCapBottom : kInBottom;
    CaptionRows(c, 0, kSide, active);
    c.Fill(0, kCaption, kSide, c.Height(), side);
    c.VLine(0, 0, c.Height() - 1, edge);
    c.VLine(kSide - 1, kCaption, c.Height() - kSide, Darker(side, 0.2));  // inner line beside the client
    c.HLine(0, kSide - 1, c.Height() - 1, edge);
    // A rounded outer top corner: key-coloured pixels become holes in the window.
    c.Set(0, 0, kKey), c.Set(1, 0, kKey), c.Set(0, 1, kKey);
    c.Set(2, 0, edge), c.Set(1, 1, edge), c.Set(0, 2, edge);
  });
}

Image TopBorder() {
  return Strip(2, 64, kCaption, [](int f, Image& c) { CaptionRows(c, 0, 64, f == 1); }, true);
}

Image BottomBorder() {
  return Strip(2, 64, kSide, [](int f, Image& c) {
    bool active = f == 1;
    Rgb side = active ? kCapBottom : kInBottom;
    c.Fill(0, 0, 64, kSide, side);
    c.HLine(0, 63, 0, Darker(side, 0.2));
    c.HLine(0, 63, kSide - 1, active ? kCapEdge : kInEdge);
  }, true);
}

Image MenuBarImage() {
  return Strip(2, 40, 22, [](int f, Image& c) {
    if (f == 1)
      c.VerticalGradient(0, 0, 40, 22, {248, 250, 251}, {236, 240, 243});
    else
      c.Fill(0, 0, 40, 22, {240, 242, 244});
    c.HLine(0, 39, 21, {214, 220, 226});
  }, true);
}

// Caption buttons: 4 frames of 21 x 18, normal, pressed, hot, inactive.
enum TCaptionGlyph { GlyphClose, GlyphMax, GlyphRestore, GlyphMin };
void CaptionGlyph(Image& c, TCaptionGlyph g, int dx, int dy, Rgb ink) {
  const int x0 = 6 + dx, y0 = 5 + dy;  // an 9 x 8 glyph box
  switch (g) {
    case GlyphClose:
      for (int i = 0; i < 8; ++i) {
        c.Set(x0 + i, y0 + i, ink), c.Set(x0 + i + 1, y0 + i, ink);
        c.Set(x0 + 7 - i, y0 + i, ink), c.Set(x0 + 8 - i, y0 + i, ink);
      }
      break;
    case GlyphMax:
      c.Fill(x0, y0, x0 + 9, y0 + 2, ink);
      c.VLine(x0, y0, y0 + 7, ink), c.VLine(x0 + 8, y0, y0 + 7, ink), c.HLine(x0, x0 + 8, y0 + 7, ink);
      break;
    case GlyphRestore:
      c.HLine(x0 + 3, x0 + 8, y0, ink), c.HLine(x0 + 3, x0 + 8, y0 + 1, ink);
      c.VLine(x0 + 8, y0, y0 + 4, ink), c.VLine(x0 + 3, y0, y0 + 2, ink);
      c.Fill(x0, y0 + 3, x0 + 6, y0 + 5, ink);
      c.VLine(x0, y0 + 3, y0 + 7, ink), c.VLine(x0 + 5, y0 + 3, y0 + 7, ink), c.HLine(x0, x0 + 5, y0 + 7, ink);
      break;
    case GlyphMin: c.Fill(x0 + 1, y0 + 6, x0 + 8, y0 + 8, ink); break;
  }
}

Image CaptionButton(TCaptionGlyph g) {
  return Strip(4, 21, 18, [g](int f, Image& c) {
    Rgb ink = kWhite;
    if (f == 2) RoundedBox(c, 0, 0, 21, 18, 3, Darker(kCapEdge, 0.1), Darker(kCapBottom, 0.25), Darker(kCapTop, 0.2));
    if (f == 3) {
      if (g == GlyphClose)
        RoundedBox(c, 0, 0, 21, 18, 3, {150, 62, 56}, {214, 104, 92}, {190, 78, 68});
      else
        RoundedBox(c, 0, 0, 21, 18, 3, kCapEdge, Lighter(kCapTop, 0.25), Lighter(kCapBottom, 0.2));
    }
    if (f == 4) ink = {236, 238, 241};
    CaptionGlyph(c, g, f == 2 ? 1 : 0, f == 2 ? 1 : 0, ink);
  });
}

// The three buttons of a maximised child on the menu bar: minimise, restore, close.
Image MdiButtons() {
  Image all(3 * 4 * 16, 14);
  const TCaptionGlyph glyphs[] = {GlyphMin, GlyphRestore, GlyphClose};
  for (int b = 0; b < 3; ++b) {
    Image strip = Strip(4, 16, 14, [&](int f, Image& c) {
      TLook look = LookOf(f == 2 ? Pressed : f >= 3 ? Hot : Normal);
      if (f != 1) RoundedBox(c, 0, 0, 16, 14, 2, look.border, look.top, look.bottom);
      Image glyph(21, 18);
      CaptionGlyph(glyph, glyphs[b], 0, 0, kSoftInk);
      for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 16; ++x)
          if (glyph.Get(x + 2, y + 2) != kKey) c.Set(x + (f == 2 ? 1 : 0), y + (f == 2 ? 1 : 0), kSoftInk);
    });
    all.Blit(strip, b * 64, 0);
  }
  return all;
}

// ---- controls ---------------------------------------------------------------

// Push buttons: normal, pressed, disabled, hot, focused or default.
Image PushButton() {
  return Strip(5, 24, 24, [](int f, Image& c) {
    TLook look = LookOf(static_cast<TState>(f - 1));
    RoundedBox(c, 0, 0, 24, 24, 3, look.border, look.top, look.bottom);
    if (f == 5) {  // a second ring marks the focus
      c.HLine(2, 21, 1, Lighter(kAccent, 0.45)), c.HLine(2, 21, 22, Lighter(kAccent, 0.45));
      c.VLine(1, 2, 21, Lighter(kAccent, 0.45)), c.VLine(22, 2, 21, Lighter(kAccent, 0.45));
    }
  });
}

// Check and radio strips: unchecked, checked, unchecked disabled, checked disabled.
Image CheckStrip() {
  return Strip(4, 13, 13, [](int f, Image& c) {
    bool disabled = f >= 3, checked = f == 2 || f == 4;
    RoundedBox(c, 0, 0, 13, 13, 2, disabled ? kPaleLine : kLine, disabled ? Rgb{242, 244, 246} : kWhite,
               disabled ? Rgb{236, 238, 241} : Rgb{238, 242, 246});
    if (checked) {
      Rgb ink = disabled ? kDisabledInk : kAccent;
      const int tick[][2] = {{3, 6}, {4, 7}, {5, 8}, {6, 7}, {7, 6}, {8, 5}, {9, 4}};
      for (auto& p : tick) c.Set(p[0], p[1], ink), c.Set(p[0], p[1] + 1, ink);
    }
  });
}

Image RadioStrip() {
  return Strip(4, 13, 13, [](int f, Image& c) {
    bool disabled = f >= 3, checked = f == 2 || f == 4;
    RoundedBox(c, 0, 0, 13, 13, 6, disabled ? kPaleLine : kLine, disabled ? Rgb{242, 244, 246} : kWhite,
               disabled ? Rgb{236, 238, 241} : Rgb{238, 242, 246});
    if (checked) {
      Image dot(13, 13);
      RoundedBox(dot, 4, 4, 9, 9, 2, disabled ? kDisabledInk : kAccent, disabled ? kDisabledInk : kAccent,
                 disabled ? kDisabledInk : Darker(kAccent, 0.1));
      c.Blit(dot, 0, 0);
    }
  });
}

Image GroupBoxEdge() {
  return Strip(2, 16, 16, [](int f, Image& c) {
    RoundedBox(c, 0, 0, 16, 16, 3, f == 1 ? Rgb{176, 186, 196} : kAccent, kKey, kKey);
  });
}

Image GroupBoxLabel() {
  Image c(24, 18);
  RoundedBox(c, 0, 0, 24, 18, 3, {176, 186, 196}, {246, 248, 250}, kFace);
  return c;
}

// Scroll bars: 23 frames of 17 x 17; arrows left, right, up, down in the
// states normal, pressed, disabled, hot; then the grips; the last is unused.
Image ScrollArrow(int dir, TState s) {
  Image c(17, 17);
  TLook look = LookOf(s == Focused ? Normal : s);
  RoundedBox(c, 0, 0, 17, 17, 2, look.border, look.top, look.bottom);
  int shift = s == Pressed ? 1 : 0;
  Arrow(c, 8.5 + shift, 8.5 + shift, dir, 3.5, s == Disabled ? kDisabledInk : kSoftInk);
  return c;
}

Image Grip(bool vertical, TState s) {
  Image c(17, 17);
  Rgb dark = s == Pressed ? Darker(kAccent, 0.1) : s == Hot ? kAccent : kLine;
  for (int k = 0; k < 3; ++k) {
    int at = 5 + 3 * k;
    for (int i = 5; i <= 11; ++i) {
      if (vertical)
        c.Set(i, at, dark), c.Set(i, at + 1, kWhite);
      else
        c.Set(at, i, dark), c.Set(at + 1, i, kWhite);
    }
  }
  return c;
}

Image ScrollbarStrip() {
  Image all(23 * 17, 17);
  const int dirs[] = {2, 3, 0, 1};
  const TState states[] = {Normal, Pressed, Disabled, Hot};
  for (int a = 0; a < 4; ++a)
    for (int s = 0; s < 4; ++s) all.Blit(ScrollArrow(dirs[a], states[s]), (a * 4 + s) * 17, 0);
  const TState gripStates[] = {Normal, Pressed, Hot};
  for (int v = 0; v < 2; ++v)
    for (int s = 0; s < 3; ++s) all.Blit(Grip(v == 1, gripStates[s]), (16 + v * 3 + s) * 17, 0);
  for (int y = 0; y < 17; ++y)
    for (int x = 22 * 17; x < 23 * 17; ++x) all.Set(x, y, kFace);
  return all;
}

Image ScrollTrack(bool vertical) {
  Image h = Strip(4, 17, 17, [](int f, Image& c) {
    bool disabled = f >= 3;
    c.Fill(0, 0, 17, 17, disabled ? Rgb{244, 246, 248} : Rgb{230, 234, 238});
    c.HLine(0, 16, 0, disabled ? Rgb{232, 235, 238} : Rgb{214, 220, 226});
    c.HLine(0, 16, 16, disabled ? Rgb{232, 235, 238} : Rgb{214, 220, 226});
  });
  if (!vertical) return h;
  // Frames stay side by side: transpose each 17 x 17 cell in place.
  Image v(h.Width(), h.Height());
  for (int f = 0; f < 4; ++f)
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 17; ++x) v.Set(f * 17 + y, x, h.Get(f * 17 + x, y));
  return v;
}

// Thumbs: normal, pressed, hot.
Image ScrollThumb(bool vertical) {
  const TState states[] = {Normal, Pressed, Hot};
  const int w = vertical ? 17 : 24, h = vertical ? 24 : 17;
  return Strip(3, w, h, [&](int f, Image& c) {
    TLook look = LookOf(states[f - 1]);
    if (vertical) {
      Image t(h, w);
      RoundedBox(t, 0, 1, h, w - 1, 3, look.border, look.top, look.bottom);
      c = t.Transposed();
    } else {
      RoundedBox(c, 0, 1, w, h - 1, 3, look.border, look.top, look.bottom);
    }
  });
}

// Combo box: the button (normal, pressed, disabled, hot), the sunk text field
// in the same states, and the arrow glyphs plus the size grip.
Image ComboButton() {
  return Strip(4, 19, 21, [](int f, Image& c) {
    const TState s[] = {Normal, Pressed, Disabled, Hot};
    TLook look = LookOf(s[f - 1]);
    RoundedBox(c, 0, 0, 19, 21, 2, look.border, look.top, look.bottom);
  });
}

Image SunkEdge() {
  return Strip(4, 20, 21, [](int f, Image& c) {
    Rgb border = f == 3 ? kPaleLine : (f == 2 || f == 4) ? kAccent : kLine;
    c.Fill(0, 0, 20, 21, f == 3 ? Rgb{244, 245, 247} : kWhite);
    c.HLine(0, 19, 0, border), c.HLine(0, 19, 20, border), c.VLine(0, 0, 20, border), c.VLine(19, 0, 20, border);
    if (f != 3) c.HLine(1, 18, 1, {236, 240, 243});  // a faint inner shadow under the top edge
  });
}

Image ExtraImages() {
  return Strip(5, 12, 12, [](int f, Image& c) {
    if (f == 5) {  // size grip: dots along the diagonal
      for (int k = 0; k < 3; ++k)
        for (int j = 0; j <= k; ++j) {
          int x = 9 - 3 * j, y = 3 + 3 * k;
          c.Set(x, y, kLine), c.Set(x + 1, y + 1, kWhite);
        }
      return;
    }
    Rgb ink = f == 3 ? kDisabledInk : f == 4 ? kAccent : kSoftInk;
    int shift = f == 2 ? 1 : 0;
    Arrow(c, 6 + shift, 6 + shift, 1, 3.5, ink);
  });
}

// Tabs: normal, selected, hot, disabled, focused; the pane under them.
Image TabStrip() {
  return Strip(5, 32, 22, [](int f, Image& c) {
    TLook look;
    if (f == 2 || f == 5)
      look = {kLine, kWhite, {244, 247, 250}, kInk};
    else if (f == 3)
      look = {kLine, {246, 250, 254}, {226, 234, 242}, kInk};
    else if (f == 4)
      look = {kPaleLine, {240, 242, 244}, {236, 238, 240}, kDisabledInk};
    else
      look = {kLine, {234, 238, 242}, {222, 228, 234}, kSoftInk};
    Image tall(32, 28);
    RoundedBox(tall, 0, 0, 32, 28, 3, look.border, look.top, look.bottom);
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 32; ++x) c.Set(x, y, tall.Get(x, y));
    if (f == 2 || f == 5) {
      c.HLine(2, 29, 1, kAccent), c.HLine(3, 28, 2, Lighter(kAccent, 0.3));
    } else {
      c.HLine(0, 31, 21, kLine);  // unselected tabs sit on the pane's edge
    }
  });
}

Image TabPane() {
  Image c(30, 30, kFace);
  c.HLine(0, 29, 0, kLine), c.HLine(0, 29, 29, kLine), c.VLine(0, 0, 29, kLine), c.VLine(29, 0, 29, kLine);
  c.HLine(1, 28, 1, kWhite), c.VLine(1, 1, 28, kWhite);
  return c;
}

// Header sections: normal, hot, pressed, then normal again.
Image HeaderBar() {
  return Strip(5, 24, 22, [](int f, Image& c) {
    if (f == 2)
      c.VerticalGradient(0, 0, 24, 22, {246, 250, 254}, {220, 232, 244});
    else if (f == 3)
      c.VerticalGradient(0, 0, 24, 22, {214, 224, 234}, {230, 236, 242});
    else
      c.VerticalGradient(0, 0, 24, 22, {252, 253, 254}, {232, 236, 240});
    c.HLine(0, 23, 21, {190, 198, 206});
    c.VLine(22, 3, 18, {204, 210, 218}), c.VLine(23, 3, 18, kWhite);
  });
}

// Status bar panels: lowered, raised, flat.
Image StatusEdges() {
  return Strip(3, 12, 12, [](int f, Image& c) {
    c.Fill(0, 0, 12, 12, kFace);
    if (f == 3) return;
    Rgb tl = f == 1 ? Rgb{176, 186, 196} : kWhite, br = f == 1 ? kWhite : Rgb{176, 186, 196};
    c.HLine(0, 11, 0, tl), c.VLine(0, 0, 11, tl), c.HLine(0, 11, 11, br), c.VLine(11, 0, 11, br);
  });
}

// Toolbar buttons: flat, pressed, disabled, hot, checked.
Image ToolBars() {
  return Strip(5, 24, 24, [](int f, Image& c) {
    if (f == 2) RoundedBox(c, 0, 0, 24, 24, 3, LookOf(Pressed).border, LookOf(Pressed).top, LookOf(Pressed).bottom);
    if (f == 4) RoundedBox(c, 0, 0, 24, 24, 3, LookOf(Hot).border, LookOf(Hot).top, LookOf(Hot).bottom);
    if (f == 5) RoundedBox(c, 0, 0, 24, 24, 3, kAccent, {220, 232, 244}, {232, 240, 248});
  });
}

// Progress: trough and bar (two frames); the chunk of the chunked style.
Image ProgressImage() {
  return Strip(2, 24, 16, [](int f, Image& c) {
    if (f == 1)
      RoundedBox(c, 0, 0, 24, 16, 3, {166, 176, 186}, {222, 228, 234}, {242, 245, 248});
    else
      RoundedBox(c, 0, 0, 24, 16, 3, {64, 136, 108}, {136, 200, 172}, {82, 158, 126});
  });
}

Image ProgressChunk() {
  Image c(8, 12);
  c.VerticalGradient(0, 0, 7, 12, {136, 200, 172}, {82, 158, 126});
  return c;
}

// Menus: item frames (normal, separator, normal, selected, selected) and the
// popup background.
Image MenuItem() {
  return Strip(5, 24, 20, [](int f, Image& c) {
    c.Fill(0, 0, 24, 20, kMenu);
    if (f == 2) {  // separators use the bottom rows of this frame
      c.HLine(0, 23, 15, {214, 220, 226});
      c.HLine(0, 23, 16, kWhite);
    }
    if (f >= 4) {
      Image sel(24, 20, kMenu);
      RoundedBox(sel, 1, 1, 23, 19, 3, {150, 182, 214}, {230, 239, 248}, {212, 227, 242});
      c.Blit(sel, 0, 0);
    }
  });
}

Image MenuBackground() {
  Image c(24, 24, kMenu);
  c.HLine(0, 23, 0, {166, 176, 186}), c.HLine(0, 23, 23, {166, 176, 186});
  c.VLine(0, 0, 23, {166, 176, 186}), c.VLine(23, 0, 23, {166, 176, 186});
  return c;
}

// Up-down buttons: first button normal, pressed, disabled, hot; then the second.
Image UpDownFace(bool vertical) {
  const int w = vertical ? 16 : 11, h = vertical ? 11 : 16;
  const TState s[] = {Normal, Pressed, Disabled, Hot};
  return Strip(8, w, h, [&](int f, Image& c) {
    TLook look = LookOf(s[(f - 1) % 4]);
    RoundedBox(c, 0, 0, w, h, 2, look.border, look.top, look.bottom);
  });
}

Image UpDownGlyphs(bool vertical) {
  const int w = vertical ? 7 : 4, h = vertical ? 4 : 7;
  return Strip(8, w, h, [&](int f, Image& c) {
    int k = (f - 1) % 4;
    Rgb ink = k == 2 ? kDisabledInk : k == 3 ? kAccent : kSoftInk;
    int dir = vertical ? (f <= 4 ? 0 : 1) : (f <= 4 ? 2 : 3);
    Arrow(c, w / 2.0, h / 2.0, dir, vertical ? 3.5 : 3.5, ink);
  });
}

// Track bar: the groove and the thumbs (five frames; the middle one is shown).
// The groove is copied whole (no key colour): its corners take a light grey.
Image TrackGroove() {
  Image c(20, 5, {228, 232, 236});
  const Rgb rows[] = {{150, 160, 172}, {190, 198, 206}, {222, 228, 234}, {246, 248, 250}, kWhite};
  for (int y = 0; y < 5; ++y) c.HLine(1, 18, y, rows[y]);
  c.VLine(0, 1, 3, {170, 180, 190}), c.VLine(19, 1, 3, {210, 216, 222});
  return c;
}

Image ThumbFrames(const std::function<void(Image&, TLook)>& shape, int w, int h) {
  const TState s[] = {Normal, Normal, Hot, Pressed, Disabled};
  return Strip(5, w, h, [&](int f, Image& c) {
    TLook look = LookOf(s[f - 1]);
    if (f == 2) look.border = {120, 134, 150};
    shape(c, look);
  });
}

Image ThumbBox() {
  return ThumbFrames([](Image& c, TLook l) { RoundedBox(c, 0, 0, 11, 19, 3, l.border, l.top, l.bottom); }, 11, 19);
}

// A thumb whose lower end is a point.
Image ThumbPointDown() {
  return ThumbFrames(
      [](Image& c, TLook l) {
        c.FillPolygon({{0, 0}, {11, 0}, {11, 13}, {5.5, 19}, {0, 13}}, l.border);
        Image inner(11, 19, kKey);
        inner.FillPolygon({{1, 1}, {10, 1}, {10, 12.6}, {5.5, 17.6}, {1, 12.6}}, l.top);
        for (int y = 0; y < 19; ++y)
          for (int x = 0; x < 11; ++x)
            if (inner.Get(x, y) != kKey) c.Set(x, y, Mix(l.top, l.bottom, y / 18.0));
      },
      11, 19);
}

Image FramesTransposed(const Image& strip, int frames) {
  int fw = strip.Width() / frames, fh = strip.Height();
  Image out(fh * frames, fw);
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x) out.Set(f * fh + y, x, strip.Get(f * fw + x, y));
  return out;
}

Image FramesFlipped(const Image& strip) { return strip.Flipped(); }
Image FramesMirrored(const Image& strip, int frames) {
  int fw = strip.Width() / frames;
  Image out(strip.Width(), strip.Height());
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < strip.Height(); ++y)
      for (int x = 0; x < fw; ++x) out.Set(f * fw + fw - 1 - x, y, strip.Get(f * fw + x, y));
  return out;
}

// ---- description --------------------------------------------------------------

std::string Rgb3(Rgb c) {
  return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b);
}

class TIniWriter {
public:
  TIniWriter& Section(const std::string& name) {
    if (!text_.empty()) text_ += "\r\n";
    text_ += "[" + name + "]\r\n";
    return *this;
  }
  TIniWriter& Key(const std::string& key, const std::string& value) {
    text_ += key + "=" + value + "\r\n";
    return *this;
  }
  TIniWriter& Key(const std::string& key, int value) { return Key(key, std::to_string(value)); }
  TIniWriter& Comment(const std::string& text) {
    text_ += "; " + text + "\r\n";
    return *this;
  }
  // An image section with its margins and switches.
  TIniWriter& ImageSection(const std::string& name, const std::string& file, int l, int t, int r, int b, int trans,
                           int tile, int frame = -1) {
    Section(name).Key("Image", file).Key("LeftWidth", l).Key("TopHeight", t).Key("RightWidth", r);
    Key("BottomHeight", b).Key("Trans", trans).Key("Tile", tile);
    if (frame >= 0) Key("Frame", frame);
    return *this;
  }
  const std::string& Text() const { return text_; }

private:
  std::string text_;
};
}  // namespace

TSkinDesign MakeSkin() {
  TSkinDesign d;
  auto& im = d.images;
  im["left.bmp"] = LeftBorder();
  im["right.bmp"] = FramesMirrored(LeftBorder(), 2);
  im["top.bmp"] = TopBorder();
  im["bottom.bmp"] = BottomBorder();
  im["menubar.bmp"] = MenuBarImage();
  im["close.bmp"] = CaptionButton(GlyphClose);
  im["maximize.bmp"] = CaptionButton(GlyphMax);
  im["restore.bmp"] = CaptionButton(GlyphRestore);
  im["minimize.bmp"] = CaptionButton(GlyphMin);
  im["mdibuttons.bmp"] = MdiButtons();
  im["button.bmp"] = PushButton();
  im["checkbox.bmp"] = CheckStrip();
  im["radio.bmp"] = RadioStrip();
  im["groupboxedge.bmp"] = GroupBoxEdge();
  im["groupbox.bmp"] = GroupBoxLabel();
  im["scrollbar.bmp"] = ScrollbarStrip();
  im["horzscroll.bmp"] = ScrollTrack(false);
  im["vertscroll.bmp"] = ScrollTrack(true);
  im["horzthumb.bmp"] = ScrollThumb(false);
  im["vertthumb.bmp"] = ScrollThumb(true);
  im["combobutton.bmp"] = ComboButton();
  im["sunkedge.bmp"] = SunkEdge();
  im["extraimages.bmp"] = ExtraImages();
  im["tabs.bmp"] = TabStrip();
  im["tabpane.bmp"] = TabPane();
  im["header.bmp"] = HeaderBar();
  im["statusbar.bmp"] = StatusEdges();
  im["toolbars.bmp"] = ToolBars();
  im["progress.bmp"] = ProgressImage();
  im["progresschunk.bmp"] = ProgressChunk();
  im["menuitem.bmp"] = MenuItem();
  im["menubackground.bmp"] = MenuBackground();
  im["updownvert.bmp"] = UpDownFace(true);
  im["updownvertglyph.bmp"] = UpDownGlyphs(true);
  im["updownhorz.bmp"] = UpDownFace(false);
  im["updownhorzglyph.bmp"] = UpDownGlyphs(false);
  im["track.bmp"] = TrackGroove();
  im["trackvert.bmp"] = TrackGroove().Transposed();
  im["thumbhorz.bmp"] = ThumbBox();
  im["thumbvert.bmp"] = FramesTransposed(ThumbBox(), 5);
  im["thumbdown.bmp"] = ThumbPointDown();
  im["thumbup.bmp"] = FramesFlipped(ThumbPointDown());
  im["thumbright.bmp"] = FramesTransposed(ThumbPointDown(), 5);
  im["thumbleft.bmp"] = FramesMirrored(FramesTransposed(ThumbPointDown(), 5), 5);

  TIniWriter ini;
  ini.Comment("Tapmira: a calm slate-blue frame around light faces.");
  ini.Section("Personality");
  for (const char* b : {"Left", "Right", "Top", "Bottom"}) {
    std::string s = b;
    bool side = s == "Left" || s == "Right";
    std::string file = s;
    file[0] = static_cast<char>(file[0] - 'A' + 'a');
    ini.Key(s, file + ".bmp");
    ini.Key(s + "TopHeight", side ? kCaption : 0).Key(s + "BotHeight", side ? kSide : 0);
    ini.Key(s + "Frame", 2).Key(s + "Stretch", 1).Key(s + "Trans", side ? 1 : 0);
  }
  ini.Key("menuBar", "menubar.bmp").Key("TileMenu", 1).Key("TileLeftMenu", 4).Key("TileRightMenu", 4);
  ini.Key("TextShift", 28).Key("TextShiftVert", 0).Key("TextRightClip", 80).Key("TextAlignment", 0);
  ini.Key("ActiveTextR", 255).Key("ActiveTextG", 255).Key("ActiveTextB", 255);
  ini.Key("InActiveTextR", 60).Key("InActiveTextG", 66).Key("InActiveTextB", 74);

  ini.Section("Fonts").Key("FontHeight", 14);

  const Rgb hilight{208, 224, 240};
  ini.Section("Colours");
  ini.Key("WindowText", Rgb3(kInk)).Key("TitleTextActive", Rgb3(kWhite)).Key("TitleTextNoActive", "60 66 74");
  ini.Key("ButtonFace", Rgb3(kFace)).Key("ButtonText", Rgb3(kInk)).Key("ButtonHilight", Rgb3(kWhite));
  ini.Key("Buttonlight", "246 248 250").Key("ButtonShadow", Rgb3(kLine)).Key("ButtonDkShadow", "100 110 122");
  ini.Key("HilightText", "20 30 40").Key("Hilight", Rgb3(hilight)).Key("Menubar", "242 245 247");
  ini.Key("MenuBarText", Rgb3(kInk)).Key("MenuText", Rgb3(kInk)).Key("Menu", Rgb3(kMenu));
  ini.Key("Scrollbar", "232 236 240");
  ini.Section("Colour.Accent").Key("color", Rgb3(kAccent));
  ini.Section("Customcolors");
  const Rgb custom[10] = {kAccent, {82, 158, 126}, {200, 150, 40}, {190, 78, 68}, kInk,
                          kSoftInk, kLine, kFace, kMenu, kWhite};
  for (int i = 0; i < 10; ++i) ini.Key("Color" + std::to_string(i), Rgb3(custom[i]));

  // Caption buttons from the right edge: close, maximise or restore, minimise; the icon.
  // Maximise, restore and minimise show only on windows with a maximize or minimize box
  // (Visibility1 6), so a dialog's caption carries no buttons that cannot act.
  struct TCaptionButton {
    const char* file;
    int action, visibility, visibility1, x;
  };
  const TCaptionButton buttons[] = {{"close.bmp", 0, 0, 0, 27}, {"maximize.bmp", 1, 2, 6, 50},
                                    {"restore.bmp", 1, 1, 6, 50}, {"minimize.bmp", 2, 0, 6, 73}};
  int n = 0;
  for (const auto& b : buttons) {
    ini.Section("Button" + std::to_string(n++)).Key("Action", b.action).Key("Align", 1).Key("Xcoord", b.x);
    ini.Key("Ycoord", 6).Key("Visibility", b.visibility).Key("Visibility1", b.visibility1).Key("frame", 4);
    ini.Key("ButtonImage", b.file);
  }
  ini.Section("Button" + std::to_string(n)).Key("Action", 3).Key("Align", 0).Key("Xcoord", 7).Key("Ycoord", 7);
  ini.Key("Visibility", 0);
  ini.Section("MDICONTROLS").Key("Image", "mdibuttons.bmp");

  ini.Section("Buttons").Key("Bitmap", "button.bmp").Key("LeftWidth", 4).Key("RightWidth", 4);
  ini.Key("TopHeight", 4).Key("BottomHeight", 4).Key("Trans", 1).Key("Tile", 0);
  ini.Key("CheckButton", "checkbox.bmp").Key("CheckButtonFrame", 4);
  ini.Key("RadioButton", "radio.bmp").Key("RadioButtonFrame", 4);
  ini.Key("NormalColour2", Rgb3(kInk)).Key("MouseOverColour2", Rgb3(Darker(kAccent, 0.35)));
  ini.Key("PressedColour2", Rgb3(kInk));

  ini.Section("Progress").Key("Bitmap", "progress.bmp").Key("Style", 0).Key("LeftWidth", 4);
  ini.Key("RightWidth", 4).Key("TopHeight", 4).Key("BottomHeight", 4).Key("Trans", 1).Key("Tile", 0);
  // Image sections: name, file, margins (left, top, right, bottom), Trans, Tile, Frame (-1: none).
  struct TImageSection {
    const char* name;
    const char* file;
    int l, t, r, b, trans, tile, frame;
  };
  const TImageSection sections[] = {
      {"Progress.Chunk", "progresschunk.bmp", 0, 0, 0, 0, 1, 1, 1},
      {"GroupBoxEdge", "groupboxedge.bmp", 4, 4, 4, 4, 1, 0, -1},
      {"GroupBox", "groupbox.bmp", 4, 4, 4, 4, 1, 0, -1},
      {"Tabs", "tabs.bmp", 4, 4, 4, 2, 1, 0, -1},
      {"StatusBarEdges", "statusbar.bmp", 2, 2, 2, 2, 0, 0, -1},
      {"Tab.Pane", "tabpane.bmp", 4, 4, 4, 4, 0, 0, -1},
      {"ToolBars", "toolbars.bmp", 4, 4, 4, 4, 1, 0, -1},
      {"ComboButton", "combobutton.bmp", 3, 3, 3, 3, 1, 0, -1},
      {"SunkEdge", "sunkedge.bmp", 2, 2, 2, 2, 0, 0, -1},
      {"ExtraImages", "extraimages.bmp", 0, 0, 0, 0, 1, 0, -1},
      {"Headerbar", "header.bmp", 3, 3, 3, 3, 0, 0, 5},
      {"MenuItem", "menuitem.bmp", 4, 4, 4, 4, 0, 0, -1},
      {"MenuBackground", "menubackground.bmp", 2, 2, 2, 2, 0, 0, -1},
      {"Scrollbar", "scrollbar.bmp", 0, 0, 0, 0, 1, 0, -1},
      {"HorzScroll", "horzscroll.bmp", 0, 2, 0, 2, 0, 0, -1},
      {"VertScroll", "vertscroll.bmp", 2, 0, 2, 0, 0, 0, -1},
      {"HorzScrollThumb", "horzthumb.bmp", 4, 4, 4, 4, 1, 0, -1},
      {"VertScrollThumb", "vertthumb.bmp", 4, 4, 4, 4, 1, 0, -1},
      {"Trackbar.ThumbHorz", "thumbhorz.bmp", 0, 0, 0, 0, 1, 0, -1},
      {"Trackbar.ThumbVert", "thumbvert.bmp", 0, 0, 0, 0, 1, 0, -1},
      {"Trackbar.ThumbLeft", "thumbleft.bmp", 0, 0, 0, 0, 1, 0, -1},
      {"Trackbar.ThumbRight", "thumbright.bmp", 0, 0, 0, 0, 1, 0, -1},
      {"Trackbar.ThumbUp", "thumbup.bmp", 0, 0, 0, 0, 1, 0, -1},
      {"Trackbar.ThumbDown", "thumbdown.bmp", 0, 0, 0, 0, 1, 0, -1},
      {"UpDown.Vert", "updownvert.bmp", 2, 2, 2, 2, 1, 0, -1},
      {"UpDown.Horz", "updownhorz.bmp", 2, 2, 2, 2, 1, 0, -1},
      {"Track", "track.bmp", 3, 1, 3, 1, 1, 0, 1},
      {"TRACKVERT", "trackvert.bmp", 1, 3, 1, 3, 1, 0, 1},
  };
  for (const TImageSection& s : sections) {
    ini.ImageSection(s.name, s.file, s.l, s.t, s.r, s.b, s.trans, s.tile, s.frame);
    const std::string name = s.name;
    if (name == "GroupBox")
      ini.Key("BackgroundAlignment", 0).Key("BackgroundLeftShift", 0).Key("BackgroundRightShift", 0);
    if (name == "Tabs") {
      ini.Key("Border", "tabpane.bmp").Key("Style", 0);
      ini.Key("NormalColour2", Rgb3(kSoftInk)).Key("MouseOverColour2", Rgb3(kInk));
    }
    if (name == "StatusBarEdges") ini.Key("NormalColour2", "50 60 72");
    if (name == "Headerbar") ini.Key("NormalColour2", Rgb3(kInk));
    if (name == "HorzScrollThumb" || name == "VertScrollThumb") ini.Key("FrameCount", 3);
    if (name == "UpDown.Vert") ini.Key("GlyphImage", "updownvertglyph.bmp");
    if (name == "UpDown.Horz") ini.Key("GlyphImage", "updownhorzglyph.bmp");
  }
  d.description = ini.Text();
  return d;
}

}  // namespace skingen
