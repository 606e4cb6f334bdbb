#pragma once
// A drawing surface over a device context, with its font, brush and pen.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/win/color.h"
#include "toolkit/win/font.h"

class TBitmap;

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TPersistent {
  TK_CLASS(TBrush)
public:
  ~TBrush() override;
  TColor GetColor() const { return color_; }
  void SetColor(TColor c);
  TBrushStyle GetStyle() const { return style_; }
  void SetStyle(TBrushStyle s);
  HBRUSH Handle() const;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  mutable HBRUSH handle_ = nullptr;
};

class TPen : public TPersistent {
  TK_CLASS(TPen)
public:
  ~TPen() override;
  TColor GetColor() const { return color_; }
  void SetColor(TColor c);
  int GetWidth() const { return width_; }
  void SetWidth(int w);
  HPEN Handle() const;

private:
  TColor color_ = clBlack;
  int width_ = 1;
  mutable HPEN handle_ = nullptr;
};

// Text is GBK; drawing goes through the wide API with code page 936.
class TCanvas : public TPersistent {
  TK_CLASS(TCanvas)
public:
  TCanvas() = default;
  explicit TCanvas(HDC dc) : dc_(dc) {}
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc);  // restores the old DC's objects first
  TFont& Font() { return font_; }
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }

  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void Rectangle(int x1, int y1, int x2, int y2);
  // A closed figure outlined with the pen and filled with the brush.
  void Polygon(const std::vector<POINT>& points);
  // The Pixels of the surface (0x00BBGGRR); outside the clip area reads clNone
  // and a write does nothing.
  TColor GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOut(int x, int y, const std::string& text);
  void TextRect(const RECT& r, int x, int y, const std::string& text);
  int DrawText(const std::string& text, RECT& r, UINT format);
  // Text that is wide already (UTF-16), drawn as it is.
  int DrawText(const std::wstring& text, RECT& r, UINT format);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, HBITMAP bitmap);
  // Bitmaps at their size or stretched into `r`; a transparent bitmap leaves its key colour out.
  void Draw(int x, int y, TBitmap& bitmap);
  void StretchDraw(const RECT& r, TBitmap& bitmap);
  // Copies sourceRect of another canvas into dest, stretching when the sizes differ.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

  // Selects font, brush and pen into the DC before drawing.
  void Prepare();

private:
  void Restore();
  HDC dc_ = nullptr;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
};

// A canvas on the screen in `font`, for measuring text before anything is
// drawn; the screen's DC is given back at the end.
class TScreenCanvas : public TCanvas {
public:
  explicit TScreenCanvas(const TFont& font) : TCanvas(GetDC(nullptr)) { Font().Assign(font); }
  ~TScreenCanvas() override {
    HDC dc = Handle();
    SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
  }
};
