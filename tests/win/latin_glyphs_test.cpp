// Latin letters and digits as the program's own big labels, game symbol and
// article rows draw them under the shipped font: whole, the descenders of g,
// j, p, q, y included. The system clips a glyph to the line of its font
// (ascent above, descent below the baseline), whatever box it is drawn in, so
// each glyph's outline, as the system reads it from the font, must lie within
// that line; the big labels' ink on the screen is as tall and as wide as the
// outline.
#include <gtest/gtest.h>

#include <cmath>

#include "main_form_fixture.h"
#include "screen_pixels.h"
#include "screenshot.h"

namespace {

const char* const Letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
const char* const Capitals = Letters + 26;  // and digits: the games' symbols

// How far a glyph's outline reaches from its origin on the baseline, in
// pixels, up and right positive.
struct TOutlineExtent {
  double Left = 1e9, Right = -1e9, Top = -1e9, Bottom = 1e9;
  int Columns() const { return static_cast<int>(std::ceil(Right) - std::floor(Left)); }
  int Rows() const { return static_cast<int>(std::ceil(Top) - std::floor(Bottom)); }
};

double Pixels(const FIXED& f) { return f.value + f.fract / 65536.0; }

// The outline of `c` in the font selected in `dc` (its curves' points: the
// fonts put a point on every extreme of a curve).
TOutlineExtent OutlineOf(HDC dc, wchar_t c) {
  TOutlineExtent e;
  GLYPHMETRICS metrics{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  const DWORD size = GetGlyphOutlineW(dc, c, GGO_BEZIER, &metrics, 0, nullptr, &identity);
  if (size == GDI_ERROR || size == 0) return e;
  std::vector<BYTE> data(size);
  GetGlyphOutlineW(dc, c, GGO_BEZIER, &metrics, size, data.data(), &identity);
  auto take = [&e](const POINTFX& p) {
    e.Left = std::min(e.Left, Pixels(p.x));
    e.Right = std::max(e.Right, Pixels(p.x));
    e.Bottom = std::min(e.Bottom, Pixels(p.y));
    e.Top = std::max(e.Top, Pixels(p.y));
  };
  for (DWORD at = 0; at + sizeof(TTPOLYGONHEADER) <= size;) {
    const auto* polygon = reinterpret_cast<const TTPOLYGONHEADER*>(data.data() + at);
    take(polygon->pfxStart);
    for (DWORD curve = at + sizeof(TTPOLYGONHEADER); curve < at + polygon->cb;) {
      const auto* c = reinterpret_cast<const TTPOLYCURVE*>(data.data() + curve);
      for (WORD i = 0; i < c->cpfx; ++i) take(c->apfx[i]);
      curve += 2 * sizeof(WORD) + c->cpfx * sizeof(POINTFX);
    }
    at += polygon->cb;
  }
  return e;
}

// A screen DC with `font` selected, for as long as it lives.
struct TFontDC {
  explicit TFontDC(HFONT font) : Dc(GetDC(nullptr)), old(SelectObject(Dc, font)) {}
  ~TFontDC() {
    SelectObject(Dc, old);
    ReleaseDC(nullptr, Dc);
  }
  HDC Dc;
  HGDIOBJ old;
};

class LatinGlyphs : public MainFormTest {
protected:
  // `label` alone at a free place of the window.
  void ShowAlone(TLabel* label) {
    for (TLabel* other : {form->Label1, form->Label2, form->Label3, form->Label4, form->Label15})
      other->SetVisible(other == label);
    label->SetBounds(300, 170, label->GetWidth(), label->GetHeight());
  }
  // What `label` shows of `text` within its bounds: the ink of the whole
  // outline (less the faint edge pixel smoothing may leave on each side).
  void ExpectWhole(TLabel* label, const std::string& text) {
    SCOPED_TRACE(text);
    label->SetCaption(text);
    Pump();
    const TScreenPixels shown = ReadControl(label);
    const TInkBox ink = InkBox(shown, MeasureTextContrast(shown).Background);
    TFontDC dc(label->GetFont()->Handle());
    const TOutlineExtent outline = OutlineOf(dc.Dc, GbkToWide(text).at(0));
    EXPECT_GE(ink.Rows.Width(), outline.Rows() - 2) << "cut at the top or bottom of " << label->GetHeight() << " px";
    EXPECT_GE(ink.Columns.Width(), outline.Columns() - 2) << "cut at the side of " << label->GetWidth() << " px";
  }
};

// Whatever control draws them, the glyphs lie within their font's line.
TEST_F(LatinGlyphs, EveryLetterAndDigitLiesWithinTheLineOfItsFont) {
  struct Case {
    TControl* control;
    const char* letters;
  } cases[] = {{form->Label1, Letters}, {form->Label15, Capitals}, {form->RichEdit1, Letters}, {form->Edit2, Letters}};
  for (const Case& c : cases) {
    TFontDC dc(c.control->GetFont()->Handle());
    TEXTMETRICW line{};
    GetTextMetricsW(dc.Dc, &line);
    EXPECT_LE(line.tmHeight, c.control->GetHeight()) << c.control->GetName() << ": the line is taller than its control";
    for (const char* l = c.letters; *l; ++l) {
      const TOutlineExtent outline = OutlineOf(dc.Dc, static_cast<wchar_t>(*l));
      ASSERT_LT(outline.Bottom, outline.Top) << *l;
      EXPECT_LE(-outline.Bottom, line.tmDescent) << c.control->GetName() << " " << *l << " below the baseline";
      EXPECT_LE(outline.Top, line.tmAscent) << c.control->GetName() << " " << *l << " above the baseline";
    }
  }
}

TEST_F(LatinGlyphs, TheBigLabelsAndTheGameSymbolShowEveryLetterAndDigitWhole) {
  ShowAlone(form->Label1);
  for (const char* c = Letters; *c; ++c) ExpectWhole(form->Label1, std::string(1, *c));
  ShowAlone(form->Label15);
  for (const char* c = Capitals; *c; ++c) ExpectWhole(form->Label15, std::string(1, *c));
}

TEST_F(LatinGlyphs, SmallLettersDrillShowsDescendersWhole) {
  Click(form->RadioGroup1->Buttons(1)->Handle());
  Click(form->Button1->Handle());
  ASSERT_EQ(form->Button1->GetCaption(), "暂停");
  form->Timer1->SetEnabled(false);  // its tick would show the run's own symbols again
  // The symbols as the flash's end shows them after hits.
  const char* shown[] = {"g", "y", "p", "j"};
  TLabel* big[] = {form->Label1, form->Label2, form->Label3, form->Label4};
  for (int n = 0; n < 4; ++n) ExpectWhole(big[n], shown[n]);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "small-letters-descenders.bmp"));
  Key(form->Handle(), VK_ESCAPE);
}

}  // namespace
