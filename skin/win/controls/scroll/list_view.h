#pragma once
// List views and their headers: the header's sections drawn from the skin's
// Headerbar strip (the section under the mouse in the second frame), the rest
// of the bar in the first frame.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "skin/win/controls/control.h"
#include "skin/win/controls/scroll/scrollbar.h"

class TSkinHeader : public TSkinControl {
  TK_CLASS(TSkinHeader)
public:
  explicit TSkinHeader(TComponent* owner);

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) override;
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;

  void PaintSection(HIMAGELIST imageList, HDC dc, HFONT font, int index, const RECT& r);
  // Alignment 0 left, 1 centred, 2 right.
  void PaintSectionContent(HDC dc, HFONT font, const RECT& r, int alignment, const std::wstring& text, int imageIndex,
                           HIMAGELIST imageList);

  // The hover zones of the last paint: each section less 3 pixels at both sides.
  std::vector<RECT> FSectionRects;
  int FHotSection = -1;
};

// A list view: its header window gets a TSkinHeader owned by the list view.
// The list view's scroll bars come from the scroll-bar family, its header from here.
class TSkinListView : public TSkinScrollbar {
  TK_CLASS(TSkinListView)
public:
  explicit TSkinListView(TComponent* owner);

  void AttachScrollbars(TControl* control, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) override;
  void Notification(TComponent* component, TOperation operation) override;
  // The header window's skin, made once for each header window.
  void AttachHeader();

  TSkinHeader* FHeader = nullptr;

protected:
  void WindowCreated() override;
};
