#include "skin/win/menu/draw.h"

#include <algorithm>
#include <memory>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/form.h"
#include "toolkit/win/image_list.h"

namespace {

constexpr TColor kKey = static_cast<TColor>(0xFF00FF);

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

std::unique_ptr<TBitmap> ItemBitmap(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(TPixelFormat::pf24bit);
  b->SetSize(std::max(w, 0), std::max(h, 0));
  return b;
}

void UseMenuFont(TCanvas& canvas) {
  if (Screen) canvas.Font().Assign(*Screen->MenuFont());
}

// The popup window's background under rect, or the Menu colour.
void FillBackground(TSkinData& data, TBitmap& target, const RECT& rect, const TMenuBackground& bg) {
  RECT all{0, 0, target.GetWidth(), target.GetHeight()};
  HBRUSH brush = CreateSolidBrush(ColorToRGB(data.Colors[scMenu]));
  FillRect(target.CanvasDC(), &all, brush);
  DeleteObject(brush);
  if (!bg.Bitmap || bg.Bitmap->Empty()) return;
  BitBlt(target.CanvasDC(), 0, 0, all.right, all.bottom, bg.Bitmap->CanvasDC(), rect.left + bg.ClientOffset.x,
         rect.top + bg.ClientOffset.y, SRCCOPY);
}

void DrawStrip(TSkinData& data, TBitmap& target, bool selected) {
  TDataSkinObject& o = *data.MenuItem;
  RECT all{0, 0, target.GetWidth(), target.GetHeight()};
  SkinDrawPart(target.CanvasDC(), all, *o.Bitmap, o.Margins(), selected ? 4 : 1, 5, o.Trans == 1, o.Tile == 1, false);
}

// The system's check mark in colour, key colour around it, drawn transparent.
void DrawCheckMark(HDC dc, int centreX, int centreY) {
  HBITMAP check = static_cast<HBITMAP>(LoadImageW(nullptr, MAKEINTRESOURCEW(32760), IMAGE_BITMAP, 0, 0, 0));
  if (!check) return;
  BITMAP info{};
  GetObjectW(check, sizeof info, &info);
  TBitmap mark;
  mark.SetPixelFormat(TPixelFormat::pf24bit);
  mark.SetSize(info.bmWidth, info.bmHeight);
  HDC src = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(src, check);
  SetTextColor(mark.CanvasDC(), ColorToRGB(clBtnText));
  SetBkColor(mark.CanvasDC(), ColorToRGB(kKey));
  BitBlt(mark.CanvasDC(), 0, 0, info.bmWidth, info.bmHeight, src, 0, 0, SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(check);
  int x = centreX - info.bmWidth / 2, y = centreY - info.bmHeight / 2;
  TransparentBlit(dc, RECT{x, y, x + info.bmWidth, y + info.bmHeight}, mark, kKey);
}

// The toolkit's pattern of button face and highlight behind a checked image.
void FillCheckedBox(HDC dc, const RECT& box) {
  TBitmap pattern;
  pattern.SetPixelFormat(TPixelFormat::pf24bit);
  pattern.SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      pattern.SetPixel(x, y, static_cast<TColor>(ColorToRGB((x + y) % 2 ? clBtnFace : clBtnHighlight)));
  HBRUSH brush = CreatePatternBrush(pattern.Handle());
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

// A disabled item's image: its pixels in light greys, transparent around them.
void DrawGreyedImage(TImageList& images, int index, HDC dc, int x, int y) {
  TBitmap glyph;
  glyph.SetPixelFormat(TPixelFormat::pf24bit);
  glyph.SetSize(images.GetWidth(), images.GetHeight());
  RECT all{0, 0, glyph.GetWidth(), glyph.GetHeight()};
  HBRUSH key = CreateSolidBrush(ColorToRGB(kKey));
  FillRect(glyph.CanvasDC(), &all, key);
  DeleteObject(key);
  images.Draw(glyph.Canvas(), 0, 0, index);
  for (int py = 0; py < all.bottom; ++py)
    for (int px = 0; px < all.right; ++px) {
      COLORREF c = static_cast<COLORREF>(glyph.GetPixel(px, py));
      if (c == ColorToRGB(kKey)) continue;
      int grey = 128 + (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 200;
      glyph.SetPixel(px, py, static_cast<TColor>(RGB(grey, grey, grey)));
    }
  TransparentBlit(dc, RECT{x, y, x + all.right, y + all.bottom}, glyph, kKey);
}

}  // namespace

TMenuItemFace FaceOfItem(TMenuItem& item, bool rightToLeft) {
  TMenuItemFace f;
  f.RightToLeft = rightToLeft;
  f.Caption = item.GetCaption();
  std::size_t tab = f.Caption.find('\t');
  if (tab != std::string::npos) {
    f.ShortCutText = f.Caption.substr(tab + 1);
    f.Caption.resize(tab);
  }
  if (item.GetShortCut()) f.ShortCutText = ShortCutToText(item.GetShortCut());
  f.Enabled = item.GetEnabled();
  f.Checked = item.GetChecked();
  f.Default = item.GetDefault();
  f.ImageIndex = item.GetImageIndex();
  if (TMenu* menu = item.GetParentMenu()) f.Images = menu->GetImages();
  return f;
}

TMenuItemFace FaceOfMenuEntry(HMENU menu, UINT command, bool rightToLeft) {
  TMenuItemFace f;
  f.RightToLeft = rightToLeft;
  wchar_t text[81] = {};
  GetMenuStringW(menu, command, text, 80, MF_BYCOMMAND);
  std::string caption = WideToGbk(text);
  std::size_t tab = caption.find('\t');
  if (tab != std::string::npos) {
    f.ShortCutText = caption.substr(tab + 1);
    caption.resize(tab);
  }
  f.Caption = caption.empty() ? "-" : caption;
  UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
  if (state != static_cast<UINT>(-1)) {
    f.Enabled = !(state & (MF_GRAYED | MF_DISABLED));
    f.Checked = (state & MF_CHECKED) != 0;
  }
  return f;
}

int DrawMenuText(TSkinData& data, const TMenuItemFace& face, TCanvas& canvas, UINT flags, bool selected, RECT& rect,
                 const std::string& text) {
  std::string shown = text;
  const bool measuring = (flags & DT_CALCRECT) != 0;
  if (measuring && (shown.empty() || shown == "&")) shown += ' ';
  if (shown == "-") {
    if (measuring) return canvas.DrawText(shown, rect, flags);
    RECT line{rect.left, rect.top + 4, rect.right, rect.bottom + 4};
    DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
    return 0;
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Font().SetStyle(face.Default ? TFontStyles{fsBold} : TFontStyles{0});
  TColor colour = data.Colors[scMenuText];
  if (face.Enabled && selected) colour = data.Colors[scHilightText];
  else if (!face.Enabled)
    colour = ColorToRGB(data.Colors[scButtonShadow]) == ColorToRGB(data.Colors[scMenuText]) ? clGrayText
                                                                                             : data.Colors[scButtonShadow];
  canvas.Font().SetColor(static_cast<TColor>(ColorToRGB(colour)));
  return canvas.DrawText(shown, rect, flags);
}

void DrawMenuItemContents(TSkinData& data, const TMenuItemFace& face, TCanvas& canvas, bool selected,
                          const RECT& rect) {
  const bool line = face.IsLine();
  const int margin = data.MenuItem ? data.MenuItem->LeftWidth : 0;
  const int itemH = HeightOf(rect);
  int g = face.Images ? face.Images->GetWidth() : 16;
  if (face.Checked) g = std::max(g, 16);
  RECT box{};
  if (!line) {
    if (face.RightToLeft) box = RECT{rect.right - 1 - margin - g, rect.top + 1, rect.right - 1 - margin, rect.top + 1 + g};
    else box = RECT{rect.left + 1 + margin, rect.top + 1, rect.left + 1 + margin + g, rect.top + 1 + g};
  }
  HDC dc = canvas.Handle();
  const bool image = !line && face.Images && face.ImageIndex >= 0 && face.ImageIndex < face.Images->Count();
  if (image) {
    int h = face.Checked ? 16 : face.Images->GetHeight();
    OffsetRect(&box, 0, rect.top + (itemH - h) / 2 - box.top);
    if (face.Checked) {
      FillCheckedBox(dc, box);
      RECT edge = box;
      DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    if (face.Enabled) face.Images->Draw(canvas, box.left, box.top, face.ImageIndex);
    else DrawGreyedImage(*face.Images, face.ImageIndex, dc, box.left, box.top);
  } else if (!line && face.Checked) {
    DrawCheckMark(dc, (box.left + box.right) / 2 + 1, rect.top + itemH / 2 + 1);
  }
  const UINT measure = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
  if (face.RightToLeft) {
    RECT t{rect.left + 1, rect.top, (line ? rect.right : box.left) - 3, rect.bottom};
    RECT m = t;
    DrawMenuText(data, face, canvas, measure | DT_RTLREADING, selected, m, face.Caption);
    int shift = (itemH - HeightOf(m)) / 2;
    RECT text{t.left, t.top + shift, t.right, t.top + shift + HeightOf(m)};
    DrawMenuText(data, face, canvas, DT_EXPANDTABS | DT_SINGLELINE | DT_RIGHT | DT_RTLREADING, selected, text,
                 face.Caption);
    if (!face.ShortCutText.empty() && !line) {
      RECT s{rect.left + 11, text.top, t.right - WidthOf(m), text.bottom};
      DrawMenuText(data, face, canvas, DT_EXPANDTABS | DT_SINGLELINE | DT_LEFT, selected, s, face.ShortCutText);
    }
    return;
  }
  RECT t{(line ? 0 : box.right) + 3, rect.top, rect.right - 1, rect.bottom};
  RECT m = t;
  DrawMenuText(data, face, canvas, measure, selected, m, face.Caption);
  OffsetRect(&m, 0, (itemH - HeightOf(m)) / 2);
  RECT text = m;
  if (line) text.right = t.right;
  DrawMenuText(data, face, canvas, DT_EXPANDTABS | DT_SINGLELINE, selected, text, face.Caption);
  if (!face.ShortCutText.empty() && !line) {
    RECT s{m.right, m.top, rect.right - 11, m.bottom};
    DrawMenuText(data, face, canvas, DT_EXPANDTABS | DT_SINGLELINE | DT_RIGHT, selected, s, face.ShortCutText);
  }
}

void DrawMenuSeparator(TSkinData& data, HDC dc, const RECT& rect) {
  if (!data.MenuItem || !data.MenuItem->HasImage()) return;
  TDataSkinObject& o = *data.MenuItem;
  TBitmap& image = *o.Bitmap;
  const int W = WidthOf(rect), H = HeightOf(rect);
  if (W <= 0 || H <= 0) return;
  const int FW = image.GetWidth() / 5, IH = image.GetHeight();
  const int SY = H < IH ? IH - H : 0;
  // Caps never wider than the item: a narrow item keeps them in order, unmirrored.
  const int lw = std::clamp(o.LeftWidth, 0, std::min(W, FW));
  const int rw = std::clamp(o.RightWidth, 0, std::min(W - lw, FW - lw));
  auto line = ItemBitmap(W, H);
  HDC d = line->CanvasDC(), s = image.CanvasDC();
  SetStretchBltMode(d, COLORONCOLOR);
  auto piece = [&](int dx1, int dx2, int sx1, int sx2) {
    if (dx2 > dx1 && sx2 > sx1) StretchBlt(d, dx1, 0, dx2 - dx1, H, s, sx1, SY, sx2 - sx1, IH - SY, SRCCOPY);
  };
  piece(0, lw, FW, FW + lw);
  piece(W - rw, W, 2 * FW - rw, 2 * FW);
  piece(lw, W - rw, FW + lw, 2 * FW - rw);
  TransparentBlit(dc, rect, *line, kKey);
}

void DrawSkinMenuItem(TSkinData& data, const TMenuItemFace& face, HDC dc, const RECT& rect, bool selected,
                      const TMenuBackground& background, bool frameSeparators) {
  if (!data.MenuItem || !data.MenuItem->HasImage()) {
    DrawPlainMenuItem(data, face, dc, rect, selected);
    return;
  }
  auto item = ItemBitmap(WidthOf(rect), HeightOf(rect));
  if (item->Empty()) return;
  FillBackground(data, *item, rect, background);
  RECT local{0, 0, item->GetWidth(), item->GetHeight()};
  if (face.IsLine() && !frameSeparators) {
    DrawMenuSeparator(data, item->CanvasDC(), local);
  } else {
    DrawStrip(data, *item, selected);
    TCanvas canvas(item->CanvasDC());
    UseMenuFont(canvas);
    DrawMenuItemContents(data, face, canvas, selected, local);
  }
  BitBlt(dc, rect.left, rect.top, local.right, local.bottom, item->CanvasDC(), 0, 0, SRCCOPY);
}

void DrawPlainMenuItem(TSkinData& data, const TMenuItemFace& face, HDC dc, const RECT& rect, bool selected) {
  auto item = ItemBitmap(WidthOf(rect), HeightOf(rect));
  if (item->Empty()) return;
  RECT local{0, 0, item->GetWidth(), item->GetHeight()};
  HBRUSH brush = CreateSolidBrush(ColorToRGB(data.Colors[selected ? scHilight : scMenu]));
  FillRect(item->CanvasDC(), &local, brush);
  DeleteObject(brush);
  {
    TCanvas canvas(item->CanvasDC());
    UseMenuFont(canvas);
    DrawMenuItemContents(data, face, canvas, selected, local);
  }
  BitBlt(dc, rect.left, rect.top, local.right, local.bottom, item->CanvasDC(), 0, 0, SRCCOPY);
}

int MenuItemExtraWidth(TSkinData& data, const TMenuItemFace& face, TCanvas& canvas, bool withImages) {
  int extra = data.MenuItem ? data.MenuItem->LeftWidth : 0;
  extra += withImages ? 12 : 35;
  if (!face.ShortCutText.empty()) extra += canvas.TextWidth(face.ShortCutText) + 11 + 8;
  return extra;
}
