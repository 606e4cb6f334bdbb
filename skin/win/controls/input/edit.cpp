#include "skin/win/controls/input/edit.h"

#include "skin/win/controls/input/updown.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/controls.h"

bool IsSpinClassName(const std::string& className) {
  const std::string name = LowerCase(className);
  return name == "msctls_updown32" || name.find("spin") != std::string::npos ||
         name.find("updown") != std::string::npos;
}

const TClassInfo& TSkinEdit::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinEdit>("TSkinEdit", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinEdit::TSkinEdit(TComponent* owner) : TSkinControl(owner) {}

void TSkinEdit::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_PRINT:
      PrintBorder(reinterpret_cast<HDC>(m.WParam));
      break;
    case SM_PAINTEDIT:
      if (m.LParam != SKIN_MESSAGE_TAG) break;
      if (m.WParam) {
        TMessage paint{WM_PAINT, m.WParam, 0, 0};
        CallDefault(paint);
      }
      m.Result = SKIN_MESSAGE_TAG;
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinEdit::FindUpDown() {
  for (HWND child = GetTopWindow(Handle()); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsSpinClassName(GetClassNameString(child))) continue;
    SkinSpinChild(child, true);
    return;
  }
}

void TSkinEdit::PaintSkin(HDC dc, const RECT& r) {
  if (!FSkinData) return;
  if (FSkinData->SkinControls & SetOf(xcSpin)) FindUpDown();
  RECT c;
  GetClientRect(Handle(), &c);
  if (c.right == r.right - r.left || c.bottom == r.bottom - r.top) return;  // no border on one axis
  RECT f = r;
  FrameRectColor(dc, f, FSkinData->Colors[scButtonShadow]);
  InflateRect(&f, -1, -1);
  FrameRectColor(dc, f, clWhite);
  InflateRect(&f, -1, -1);
  FrameRectColor(dc, f, clWhite);
}

void TSkinEdit::PrintBorder(HDC given) {
  RECT wr, c;
  if (!FSkinData || !GetWindowRect(Handle(), &wr)) return;
  FWindowRect = wr;
  const RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  GetClientRect(Handle(), &c);
  if (c.right + 2 >= r.right || c.bottom + 2 >= r.bottom) return;
  HDC dc = given ? given : GetWindowDC(Handle());
  // The DC's own brush is borrowed: used, never deleted.
  RECT inner = r;
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  FrameRectColor(dc, r, FSkinData->Colors[scButtonShadow]);
  if (!given) ReleaseDC(Handle(), dc);
}
