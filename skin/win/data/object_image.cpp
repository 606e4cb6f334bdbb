#include "skin/win/data/object_image.h"

#include <string>
#include <utility>
#include <vector>

#include "skin/win/data/skin_data.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/controls.h"

std::unique_ptr<TBitmap> ArrangeGlyphCells(TBitmap& strip, int frameCount, int kind) {
  if (strip.Empty() || frameCount <= 0) return nullptr;
  const int w = strip.GetWidth() / frameCount, h = strip.GetHeight();
  if (w <= 0) return nullptr;
  // Source frame -> cells of the result, all from 1.
  std::vector<std::pair<int, std::vector<int>>> copies;
  int cells = 0;
  switch (kind) {
    case TSkinObjImage::ikCustomCheck:
      cells = 9;
      copies = {{1, {1, 4}}, {2, {2, 5}}, {3, {7}}, {4, {8}}};
      if (frameCount == 5) copies.push_back({5, {3, 6, 9}});
      break;
    case TSkinObjImage::ikCustomRadio:
      cells = 6;
      copies = {{1, {1, 3}}, {2, {2, 4}}, {3, {5}}, {4, {6}}};
      break;
    case TSkinObjImage::ikPropertiesCheck:
      cells = 6;
      copies = {{1, {1, 4}}, {2, {2, 5}}};
      if (frameCount == 5) copies.push_back({5, {3, 6}});
      break;
    default:
      return nullptr;
  }
  auto g = std::make_unique<TBitmap>();
  g->SetPixelFormat(TPixelFormat::pf24bit);
  g->SetSize(cells * w, h);
  for (const auto& [from, to] : copies) {
    if (from > frameCount) continue;  // a frame the strip lacks stays black
    for (int cell : to)
      BitBlt(g->CanvasDC(), (cell - 1) * w, 0, w, h, strip.CanvasDC(), (from - 1) * w, 0, SRCCOPY);
  }
  return g;
}

const TClassInfo& TSkinObjImage::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinObjImage>("TSkinObjImage", &TSkinControl::StaticClass()).Build();
  return info;
}

void TSkinObjImage::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  if (Attached() || !TakeOwnerControl(list, skinData, canvas)) return;
  HandOverGlyphs();
  MarkAttached();
}

void TSkinObjImage::SkinChanged() { HandOverGlyphs(); }

void TSkinObjImage::Unskin() {
  if (!FControl) return;
  if (FImageKind == ikPropertiesCheck) {
    TObject* properties = GetObjectPropByName(FControl, "Properties", TObject::StaticClass());
    if (auto* glyph = dynamic_cast<TBitmap*>(GetObjectPropByName(properties, "Glyph", TBitmap::StaticClass())))
      glyph->SetSize(0, 0);
  } else {
    SetPropByName(FControl, "UseCustomGlyphs", "false");
  }
}

void TSkinObjImage::HandOverGlyphs() {
  const TDataSkinButton* buttons = FSkinData ? FSkinData->Buttons.get() : nullptr;
  if (!buttons || !FControl) return;
  const bool radio = FImageKind == ikCustomRadio;
  TBitmap& strip = radio ? *buttons->Bitmap3 : *buttons->Bitmap2;
  std::unique_ptr<TBitmap> g =
      ArrangeGlyphCells(strip, radio ? buttons->RadioFrameCount : buttons->CheckFrameCount, FImageKind);
  if (!g) return;
  if (FImageKind == ikPropertiesCheck) {
    TObject* properties = GetObjectPropByName(FControl, "Properties", TObject::StaticClass());
    if (auto* glyph = dynamic_cast<TBitmap*>(GetObjectPropByName(properties, "Glyph", TBitmap::StaticClass()))) {
      CopyBitmap(*g, *glyph);
      glyph->SetTransparentColor(clFuchsia);
      glyph->SetTransparent(false);
    }
    return;
  }
  if (auto* custom = dynamic_cast<TBitmap*>(GetObjectPropByName(FControl, "CustomGlyphs", TBitmap::StaticClass())))
    CopyBitmap(*g, *custom);
  SetPropByName(FControl, "transparentcolor", std::to_string(0xFF00FF));
  // Off and on again: the control loads its glyphs anew.
  SetPropByName(FControl, "UseCustomGlyphs", "false");
  SetPropByName(FControl, "UseCustomGlyphs", "true");
}
