#include "program_bitmaps.h"

#include <fstream>
#include <stdexcept>
#include <vector>

#include "image.h"

namespace skingen {
namespace {
const Rgb kGrey{128, 128, 128}, kSilver{192, 192, 192}, kWhite{255, 255, 255}, kBlack{0, 0, 0};
const Rgb kOlive{128, 128, 0};  // the media bitmaps' transparent colour
// The 16 colours of a 4-bit picture.
const std::vector<Rgb> kPalette16 = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                     {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                     {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                     {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

// The horizontal groove, 16 x 4, rows from the top.
Image Track() {
  Image t(16, 4, kWhite);
  t.Set(0, 0, kSilver), t.Set(1, 0, kSilver);
  t.HLine(2, 13, 0, kGrey);
  t.Set(0, 1, kSilver), t.Set(1, 1, kSilver);
  t.Set(0, 2, kGrey), t.Set(1, 2, kSilver);
  t.Set(0, 3, kSilver), t.Set(1, 3, kSilver);
  return t;
}

// The vertical groove, 4 x 16.
Image TrackVert() {
  Image t(4, 16, kWhite);
  const Rgb row0[] = {kSilver, kSilver, kGrey, kSilver};
  for (int x = 0; x < 4; ++x) t.Set(x, 0, row0[x]), t.Set(x, 1, kSilver);
  for (int y = 2; y < 14; ++y) t.Set(0, y, kGrey);
  return t;
}

// Four 16 x 16 black glyphs on white: two windows, one window, a bar, a cross.
Image MenuGlyphs() {
  Image m(64, 16, kWhite);
  auto frame = [&m](int x0, int y0, int x1, int y1) {
    m.HLine(x0, x1, y0, kBlack), m.HLine(x0, x1, y0 + 1, kBlack), m.HLine(x0, x1, y1, kBlack);
    m.VLine(x0, y0, y1, kBlack), m.VLine(x1, y0, y1, kBlack);
  };
  frame(6, 3, 13, 9);
  m.Fill(3, 6, 11, 13, kWhite);
  frame(3, 6, 10, 12);
  frame(16 + 3, 3, 16 + 12, 12);
  m.Fill(32 + 4, 10, 32 + 11, 12, kBlack);
  for (int i = 0; i < 8; ++i) {
    m.Set(48 + 4 + i, 4 + i, kBlack), m.Set(48 + 5 + i, 4 + i, kBlack);
    m.Set(48 + 11 - i, 4 + i, kBlack), m.Set(48 + 12 - i, 4 + i, kBlack);
  }
  return m;
}

// Media glyphs, 16 x 16 on olive.
enum TMediaButton { Play, Pause, Stop, Next, Prev, Step, Back, Record, Eject };
const char* const kMediaNames[] = {"MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV",
                                   "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};

void MediaGlyph(Image& m, TMediaButton b, Rgb c, int dx, int dy) {
  using P = std::vector<std::pair<double, double>>;
  auto poly = [&](P p) {
    for (auto& q : p) q.first += dx, q.second += dy;
    m.FillPolygon(p, c);
  };
  auto box = [&](int x0, int y0, int x1, int y1) { m.Fill(x0 + dx, y0 + dy, x1 + dx, y1 + dy, c); };
  switch (b) {
    case Play: poly({{5, 3}, {12, 8}, {5, 13}}); break;
    case Pause: box(4, 4, 7, 12), box(9, 4, 12, 12); break;
    case Stop: box(4, 4, 12, 12); break;
    case Next: poly({{3, 4}, {9, 8}, {3, 12}}), box(10, 4, 12, 12); break;
    case Prev: box(4, 4, 6, 12), poly({{13, 4}, {7, 8}, {13, 12}}); break;
    case Step: poly({{2, 4}, {7, 8}, {2, 12}}), poly({{8, 4}, {13, 8}, {8, 12}}); break;
    case Back: poly({{14, 4}, {9, 8}, {14, 12}}), poly({{8, 4}, {3, 8}, {8, 12}}); break;
    case Record: {
      Image dot(16, 16, kOlive);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
          if ((x - 7.5) * (x - 7.5) + (y - 7.5) * (y - 7.5) <= 4.2 * 4.2) m.Set(x + dx, y + dy, c);
      break;
    }
    case Eject: poly({{3, 9}, {8, 3}, {13, 9}}), box(3, 11, 13, 13); break;
  }
}

Image MediaBitmap(TMediaButton b, char state) {
  Image m(16, 16, kOlive);
  const Rgb colours[] = {{46, 140, 90},  {200, 150, 40}, {60, 90, 150}, {60, 110, 170}, {60, 110, 170},
                         {60, 110, 170}, {60, 110, 170}, {190, 50, 50}, {60, 90, 150}};
  if (state == 'D') {  // disabled: embossed grey
    MediaGlyph(m, b, kWhite, 1, 1);
    MediaGlyph(m, b, {140, 146, 152}, 0, 0);
  } else {
    MediaGlyph(m, b, state == 'C' ? colours[b] : Rgb{34, 42, 52}, 0, 0);
  }
  return m;
}
}  // namespace

void WriteProgramBitmaps(const std::string& folder) {
  std::vector<std::string> names;
  auto save24 = [&](const Image& img, const std::string& name) {
    SaveBmp24(img, folder + "/" + name + ".bmp");
    names.push_back(name);
  };
  SaveBmpIndexed(Track(), kPalette16, 4, folder + "/TRACK.bmp");
  SaveBmpIndexed(TrackVert(), kPalette16, 4, folder + "/TRACKVERT.bmp");
  SaveBmpIndexed(MenuGlyphs(), {kBlack, kWhite}, 1, folder + "/VELLORAMENU.bmp");
  names = {"TRACK", "TRACKVERT", "VELLORAMENU"};
  for (const char* prefix : {"EN", "DI", "CL"})
    for (int b = Play; b <= Eject; ++b)
      save24(MediaBitmap(static_cast<TMediaButton>(b), prefix[0]), std::string(prefix) + "_" + kMediaNames[b]);

  std::ofstream rc(folder + "/program_bitmaps.rc");
  for (const std::string& n : names) rc << n << " BITMAP \"" << folder << "/" << n << ".bmp\"\n";
  if (!rc) throw std::runtime_error("cannot write the resource script in " + folder);
}

}  // namespace skingen
