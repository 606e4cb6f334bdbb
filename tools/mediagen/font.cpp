#include "font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace mediagen {

bool DecodeUtf8(const std::string& s, std::u32string& out) {
  out.clear();
  for (size_t i = 0; i < s.size();) {
    unsigned char b = s[i];
    int n = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    if (n < 0 || i + n >= s.size()) return false;
    char32_t cp = n == 0 ? b : (b & (0x3F >> n));
    for (int k = 1; k <= n; ++k) {
      unsigned char cb = s[i + k];
      if ((cb & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cb & 0x3F);
    }
    static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    out.push_back(cp);
    i += n + 1;
  }
  return true;
}

std::unique_ptr<Font> Font::Open(const std::string& path, int face_index, std::string& error) {
  std::unique_ptr<Font> f(new Font);
  FT_Library lib;
  if (FT_Init_FreeType(&lib)) { error = "FreeType did not start"; return nullptr; }
  f->library_ = lib;
  FT_Face face;
  if (FT_New_Face(lib, path.c_str(), face_index, &face)) {
    error = "cannot open font " + path;
    return nullptr;
  }
  f->face_ = face;
  return f;
}

Font::~Font() {
  if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
  if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

bool Font::HasGlyph(char32_t cp) const {
  return FT_Get_Char_Index(static_cast<FT_Face>(face_), cp) != 0;
}

static void SetSize(FT_Face face, int px) {
  if (face->num_fixed_sizes > 0) {
    for (int i = 0; i < face->num_fixed_sizes; ++i)
      if (face->available_sizes[i].height == px) { FT_Select_Size(face, i); return; }
  }
  FT_Set_Pixel_Sizes(face, 0, px);
}

int Font::Ascender(int px) {
  LineHeight(px);
  return metrics_[px].first;
}

int Font::LineHeight(int px) {
  auto it = metrics_.find(px);
  if (it == metrics_.end()) {
    FT_Face face = static_cast<FT_Face>(face_);
    SetSize(face, px);
    // CJK faces report generous line metrics: use the em box, 88% above the baseline.
    int asc = (px * 88 + 50) / 100;
    it = metrics_.emplace(px, std::make_pair(asc, asc - px)).first;
  }
  return it->second.first - it->second.second;
}

const Font::Glyph& Font::GlyphOf(char32_t cp, int px, bool bold) {
  auto key = std::make_tuple(cp, px, bold);
  auto it = cache_.find(key);
  if (it != cache_.end()) return it->second;
  Glyph g;
  FT_Face face = static_cast<FT_Face>(face_);
  SetSize(face, px);
  FT_UInt index = FT_Get_Char_Index(face, cp);
  bool strike = face->num_fixed_sizes > 0 && !bold;
  FT_Int32 flags = strike ? FT_LOAD_DEFAULT : FT_LOAD_NO_BITMAP;
  if (index && FT_Load_Glyph(face, index, flags) == 0) {
    FT_GlyphSlot slot = face->glyph;
    if (bold && slot->format == FT_GLYPH_FORMAT_OUTLINE)
      FT_Outline_Embolden(&slot->outline, px * 3);  // 26.6 units: about px/21 wide
    if (FT_Render_Glyph(slot, strike ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0) {
      const FT_Bitmap& bm = slot->bitmap;
      g.w = bm.width;
      g.h = bm.rows;
      g.left = slot->bitmap_left;
      g.top = slot->bitmap_top;
      g.coverage.resize(size_t(g.w) * g.h);
      for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x) {
          const unsigned char* row = bm.buffer + y * bm.pitch;
          unsigned char v = bm.pixel_mode == FT_PIXEL_MODE_MONO
                                ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255
                                : row[x];
          g.coverage[size_t(y) * g.w + x] = v;
        }
    }
    g.advance = int((slot->advance.x + 32) >> 6);
    if (bold) g.advance += px / 16;
  } else {
    g.advance = px / 2;
  }
  return cache_.emplace(key, std::move(g)).first->second;
}

int Font::Measure(const std::string& utf8, int px, bool bold) {
  std::u32string cps;
  if (!DecodeUtf8(utf8, cps)) return 0;
  int w = 0;
  for (char32_t cp : cps) w += GlyphOf(cp, px, bold).advance;
  return w;
}

int Font::Draw(Canvas& c, int x, int y, const std::string& utf8, int px, Rgba color, bool bold) {
  std::u32string cps;
  if (!DecodeUtf8(utf8, cps)) return 0;
  int base = y + Ascender(px), pen = x;
  for (char32_t cp : cps) {
    const Glyph& g = GlyphOf(cp, px, bold);
    for (int gy = 0; gy < g.h; ++gy)
      for (int gx = 0; gx < g.w; ++gx) {
        int cover = g.coverage[size_t(gy) * g.w + gx];
        if (steps_ > 1) cover = (cover * (steps_ - 1) + 127) / 255 * 255 / (steps_ - 1);
        c.Blend(pen + g.left + gx, base - g.top + gy, color, cover);
      }
    pen += g.advance;
  }
  return pen - x;
}

void Font::DrawCentered(Canvas& c, const Rect& r, const std::string& utf8, int px, Rgba color,
                        bool bold) {
  int w = Measure(utf8, px, bold);
  int h = LineHeight(px);
  Draw(c, r.x + (r.w - w) / 2, r.y + (r.h - h) / 2, utf8, px, color, bold);
}

}  // namespace mediagen
