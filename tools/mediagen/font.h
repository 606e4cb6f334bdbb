// Text drawing with FreeType, glyphs cached by code point, size and weight.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "canvas.h"

namespace mediagen {

// Decodes UTF-8; false on a malformed sequence.
bool DecodeUtf8(const std::string& s, std::u32string& out);

class Font {
 public:
  // Face 0 of the font collection is drawn smooth; a face with bitmap strikes
  // (such as the "Sharp" face) is drawn crisp at the strike sizes.
  static std::unique_ptr<Font> Open(const std::string& path, int face_index, std::string& error);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  bool HasGlyph(char32_t cp) const;
  // Advance width of the text in pixels.
  int Measure(const std::string& utf8, int px, bool bold = false);
  // Draws the text with its line box's top-left corner at (x, y); returns the advance.
  int Draw(Canvas& c, int x, int y, const std::string& utf8, int px, Rgba color, bool bold = false);
  // Draws the text centred in the rectangle.
  void DrawCentered(Canvas& c, const Rect& r, const std::string& utf8, int px, Rgba color,
                    bool bold = false);
  // Height of the line box (ascender minus descender) at a size.
  int LineHeight(int px);
  // Rounds smooth edges to this many coverage steps (0: all 256); fewer
  // steps mean fewer colours in an indexed picture.
  void SetCoverageSteps(int steps) { steps_ = steps; }

 private:
  struct Glyph {
    int w = 0, h = 0, left = 0, top = 0, advance = 0;
    std::vector<unsigned char> coverage;
  };
  Font() = default;
  const Glyph& GlyphOf(char32_t cp, int px, bool bold);
  int Ascender(int px);

  int steps_ = 0;
  void* library_ = nullptr;
  void* face_ = nullptr;
  std::map<std::tuple<char32_t, int, bool>, Glyph> cache_;
  std::map<int, std::pair<int, int>> metrics_;  // px -> ascender, descender
};

}  // namespace mediagen
