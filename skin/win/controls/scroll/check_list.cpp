#include "skin/win/controls/scroll/check_list.h"

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/text.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/check_list_box.h"

int CheckListGlyphFrame(int state, int frameCount) {
  if (state == 1) return frameCount == 12 ? 5 : 2;
  if (state == 2) return frameCount == 12 ? 8 : 4;
  return 1;
}

const TClassInfo& TSkinCheckList::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TSkinCheckList>("TSkinCheckList", &TSkinScrollbar::StaticClass()).Build();
  return info;
}

TSkinCheckList::TSkinCheckList(TComponent* owner) : TSkinScrollbar(owner) {}

bool TSkinCheckList::CanDrawItems() const {
  const TDataSkinButton* b = FSkinData ? FSkinData->Buttons.get() : nullptr;
  return b && b->Bitmap2 && !b->Bitmap2->Empty() && b->CheckFrameCount > 0;
}

bool TSkinCheckList::BeforeMessage(TMessage& m) {
  // Without a check strip the list draws its items itself.
  if (m.Msg == CN_DRAWITEM && CanDrawItems() && dynamic_cast<TCheckListBox*>(FControl)) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
    m.Result = 1;
    return false;
  }
  if (m.Msg == CN_DRAWITEM) FMode = 0;
  return TSkinScrollbar::BeforeMessage(m);
}

void TSkinCheckList::DrawItem(const DRAWITEMSTRUCT& item) {
  TCanvas own;
  TCanvas& canvas = FCanvas ? *FCanvas : own;
  canvas.SetHandle(item.hDC);
  canvas.Font().Assign(*FControl->GetFont());
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(FControl->GetColor());
  const int index = static_cast<int>(item.itemID);
  if (index >= 0 && (item.itemState & ODS_SELECTED)) {
    canvas.Brush().SetColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
  }
  if (index < 0) canvas.FillRect(item.rcItem);
  else DrawCheckItem(canvas, index, item.itemState, item.rcItem);
  canvas.SetHandle(nullptr);
}

void TSkinCheckList::DrawCheckItem(TCanvas& canvas, int index, UINT state, const RECT& r) {
  auto* list = dynamic_cast<TCheckListBox*>(FControl);
  if (!list || !CanDrawItems()) {
    FMode = 0;
    return;
  }
  if (index >= list->Items()->Count()) return;
  TDataSkinButton& buttons = *FSkinData->Buttons;
  TBitmap& strip = *buttons.Bitmap2;
  const int gw = strip.GetWidth() / buttons.CheckFrameCount, gh = strip.GetHeight();
  const int top = r.top + ((r.bottom - r.top) - gh) / 2;
  const bool enabled = list->GetEnabled() && list->ItemEnabled(index);
  const std::wstring text = GbkToWide(list->Items()->Strings(index));
  if (list->Header(index)) {
    // A header: its own colours across the whole row, the text without a glyph.
    canvas.Font().SetColor(list->GetHeaderColor());
    canvas.Brush().SetColor(list->GetHeaderBackgroundColor());
    canvas.FillRect(r);
    RECT t{r.left + 2, r.top, r.right, r.bottom};
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.DrawText(text, t, BiDiFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
    return;
  }
  const bool rtl = GetEnumPropByName(FControl, "BiDiMode") == "bdRightToLeft";
  RECT glyph, t;
  UINT flags;
  if (rtl) {
    glyph = RECT{r.right - gw, top, r.right, top + gh};
    t = RECT{r.left, r.top, r.right - gw - 2, r.bottom};
    flags = DT_RTLREADING | DT_RIGHT;
  } else {
    glyph = RECT{r.left + 2, top, r.left + 2 + gw, top + gh};
    t = RECT{glyph.right + 2, r.top, r.right, r.bottom};
    flags = 0;
  }
  flags |= DT_EXPANDTABS | DT_WORDBREAK;
  const int glyphFrame = CheckListGlyphFrame(static_cast<int>(list->State(index)), buttons.CheckFrameCount);
  DrawStripFrameMasked(canvas.Handle(), glyph, buttons.CheckFrameCount, glyphFrame, strip);
  canvas.FillRect(t);
  if (!enabled) canvas.Font().SetColor(clGrayText);
  const RECT focus = t;
  RECT measured = t;
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.DrawText(text, measured, flags | DT_CALCRECT | DT_NOCLIP);
  OffsetRect(&t, 0, ((t.bottom - t.top) - (measured.bottom - measured.top)) / 2);
  canvas.DrawText(text, t, flags);
  if (state & ODS_FOCUS) DrawFocusRect(canvas.Handle(), &focus);
}
