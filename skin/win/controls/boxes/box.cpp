#include "skin/win/controls/boxes/box.h"

#include "skin/win/data/skin_data.h"
#include "toolkit/win/controls.h"

const TClassInfo& TSkinBox::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinBox>("TSkinBox", &TSkinControl::StaticClass()).Build();
  return info;
}

void TSkinBox::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  if (Attached() || !TakeOwnerControl(list, skinData, canvas)) return;
  FSetColor = setColor;
  if (setColor) {
    AdjustParentBackground(true);
    FOldColor = FControl->GetColor();
    FControl->SetColor(FaceColor());
  }
  MarkAttached();
}

void TSkinBox::Unskin() {
  if (!FSetColor || !FControl || !FOldColor) return;
  AdjustParentBackground(false);
  FControl->SetColor(*FOldColor);
}

const TClassInfo& TSkinBoxH::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinBoxH>("TSkinBoxH", &TSkinControl::StaticClass()).Build();
  return info;
}

bool TSkinBoxH::BeforeMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: {
      RECT wr;
      GetWindowRect(Handle(), &wr);
      RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
      FillRectColor(reinterpret_cast<HDC>(m.WParam), r, FaceColor());
      m.Result = 0;
      return false;
    }
    case WM_CTLCOLORSTATIC:
      CallDefault(m);
      // Opaque text of a static control stands on the same colour.
      SetBkColor(reinterpret_cast<HDC>(m.WParam), ColorToRGB(FaceColor()));
      if (FSkinData && FSkinData->FaceBrush) m.Result = reinterpret_cast<LRESULT>(FSkinData->FaceBrush);
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}
