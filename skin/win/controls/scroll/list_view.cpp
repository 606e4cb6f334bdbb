#include "skin/win/controls/scroll/list_view.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/text.h"
#include "skin/win/user32.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/controls.h"

// --- Header ----------------------------------------------------------------------

const TClassInfo& TSkinHeader::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinHeader>("TSkinHeader", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinHeader::TSkinHeader(TComponent* owner) : TSkinControl(owner) {}

void TSkinHeader::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  TSkinControl::AttachControl(list, skinData, setColor, canvas);
  FHotSection = -1;
}

void TSkinHeader::AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) {
  TSkinControl::AttachHandle(handle, skinData, list, canvas);
  FHotSection = -1;
}

namespace {
bool HasHeaderbar(const TSkinData* data) { return data && data->Headerbar && data->Headerbar->HasImage(); }
}  // namespace

bool TSkinHeader::BeforeMessage(TMessage& m) {
  switch (m.Msg) {
    // Without a Headerbar image the header paints itself: its texts stay.
    case WM_PAINT:
      if (!HasHeaderbar(FSkinData)) return true;
      PaintViaBeginPaint(m);
      return false;
    case WM_ERASEBKGND:
      if (!HasHeaderbar(FSkinData)) return true;
      m.Result = 1;
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinHeader::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE: {
      const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      for (std::size_t i = 0; i < FSectionRects.size(); ++i) {
        if (!PtInRect(&FSectionRects[i], p) || static_cast<int>(i) == FHotSection) continue;
        FHotSection = static_cast<int>(i);
        Redraw();
        break;
      }
      TrackMouseLeave(Handle());
      break;
    }
    case WM_MOUSELEAVE:
      FHotSection = -1;
      Redraw();
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinHeader::PaintSkin(HDC dc, const RECT& r) {
  if (!HasHeaderbar(FSkinData)) return;
  const TDataSkinObject& bar = *FSkinData->Headerbar;
  TBitmap face;
  face.SetPixelFormat(TPixelFormat::pf24bit);
  face.SetSize(r.right - r.left, r.bottom - r.top);
  HDC fdc = face.CanvasDC();
  auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  SetBkMode(fdc, TRANSPARENT);
  FEnabled = true;
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle(), HDM_GETIMAGELIST, 0, 0));
  const int n = std::max(0, static_cast<int>(SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0)));
  FSectionRects.assign(static_cast<std::size_t>(n), RECT{});
  int right = r.left;
  for (int i = 0; i < n; ++i) {
    RECT s;
    if (!SendMessageW(Handle(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&s))) continue;
    PaintSection(images, fdc, font, i, s);
    FSectionRects[static_cast<std::size_t>(i)] = RECT{s.left + 3, s.top, s.right - 3, s.bottom};
    right = std::max(right, static_cast<int>(s.right));
  }
  if (right < r.right) {
    const RECT rest{right, r.top, r.right, r.bottom};
    std::unique_ptr<TBitmap> part = SkinRenderPart(RECT{0, 0, rest.right - rest.left, rest.bottom - rest.top},
                                                   *bar.Bitmap, bar.Margins(), 1, bar.FrameCount, bar.Tile != 0, false);
    if (part && !part->Empty())
      BitBlt(fdc, rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top, part->CanvasDC(), 0, 0,
             SRCCOPY);
  }
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, fdc, 0, 0, SRCCOPY);
}

void TSkinHeader::PaintSection(HIMAGELIST imageList, HDC dc, HFONT font, int index, const RECT& r) {
  const TDataSkinObject& bar = *FSkinData->Headerbar;
  wchar_t text[101] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text;
  item.cchTextMax = 100;
  if (!SendMessageW(Handle(), HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) text[0] = 0;
  const RECT local{0, 0, r.right - r.left, r.bottom - r.top};
  std::unique_ptr<TBitmap> part = SkinRenderPart(local, *bar.Bitmap, bar.Margins(), index == FHotSection ? 2 : 1,
                                                 bar.FrameCount, bar.Tile != 0, false);
  if (!part || part->Empty()) return;
  std::wstring caption;
  WideCopy(text, -1, caption);
  if (!caption.empty()) {
    const int low = item.fmt & 0xFF;
    const int alignment = low == HDF_RIGHT ? 2 : low == HDF_CENTER ? 1 : 0;
    const int image = (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? item.iImage : -1;
    PaintSectionContent(part->CanvasDC(), font, local, alignment, caption, image, imageList);
  }
  BitBlt(dc, r.left, r.top, local.right, local.bottom, part->CanvasDC(), 0, 0, SRCCOPY);
}

void TSkinHeader::PaintSectionContent(HDC dc, HFONT font, const RECT& r, int alignment, const std::wstring& text,
                                      int imageIndex, HIMAGELIST imageList) {
  int cx = 0, cy = 0;
  if (imageList) ImageList_GetIconSize(imageList, &cx, &cy);
  const UINT flags = DT_END_ELLIPSIS | DT_EXPANDTABS;
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  const TImageTextLayout at =
      LayoutImageAndText(dc, r, alignment, text, cx, imageIndex != -1 && imageList != nullptr, flags);
  if (at.Image) ImageList_Draw(imageList, imageIndex, dc, at.ImageAt.x, at.ImageAt.y, ILD_TRANSPARENT);
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    TColor color = clWindowText;
    if (auto* owner = dynamic_cast<TControl*>(Owner())) color = owner->GetFont()->GetColor();
    if (FSkinData->ColorGiven[scWindowText]) color = FSkinData->Colors[scWindowText];
    SetTextColor(dc, ColorToRGB(color));
    RECT t = at.Text;
    SkinDrawText(dc, text, t, BiDiFlags(flags));
  }
  if (oldFont) SelectObject(dc, oldFont);
}

// --- List view --------------------------------------------------------------------

const TClassInfo& TSkinListView::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinListView>("TSkinListView", &TSkinScrollbar::StaticClass()).Build();
  return info;
}

TSkinListView::TSkinListView(TComponent* owner) : TSkinScrollbar(owner) {}

void TSkinListView::AttachScrollbars(TControl* control, TSkinData* skinData, TSkinControlList* list,
                                     TCanvas* canvas) {
  TSkinScrollbar::AttachScrollbars(control, skinData, list, canvas);
  AttachHeader();
}

void TSkinListView::WindowCreated() {
  TSkinScrollbar::WindowCreated();
  AttachHeader();
}

void TSkinListView::AttachHeader() {
  if (!Handle() || FHeader || !FControl) return;
  auto header = reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
  if (!header) return;
  FHeader = new TSkinHeader(FControl);
  FHeader->FreeNotification(this);
  FHeader->AttachHandle(header, FSkinData, FControlList, FCanvas);
}

void TSkinListView::Notification(TComponent* component, TOperation operation) {
  TSkinScrollbar::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FHeader) FHeader = nullptr;
}
