// The program's own popup menus wearing the skin: the help and exit menus of
// the main window and its system menu, each looked at while it is open.
#include <windows.h>

#include <functional>
#include <memory>

#include "main_form_fixture.h"
#include "practice/main/Unit2.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/popup.h"
#include "skin/win/menu/tracking.h"
#include "skin/win/messages.h"
#include "skinned_frame.h"
#include "toolkit/win/bitmap.h"

namespace {

struct TOpenMenu {
  HWND Popup = nullptr;
  bool Skinned = false;
  bool HasBackground = false;
  bool Highlighted = false;
  HWND Window = nullptr;
  int Items = 0;
  // The middle of the popup's left edge, and the skin's MenuBackground there.
  TColor Edge = clNone, SkinEdge = clBlack;
  std::string Shot;
};
TOpenMenu seen;
int ticks = 0;

HWND VisiblePopup() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        if (IsWindowVisible(w) && GetClassNameString(w) == "#32768") *reinterpret_cast<HWND*>(lp) = w;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ++ticks;
  HWND popup = VisiblePopup();
  if (popup && !seen.Popup && !seen.Highlighted) {
    // The first item highlighted, then looked at.
    seen.Highlighted = true;
    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 1);
    return;
  }
  if (popup && !seen.Popup) {
    seen.Popup = popup;
    seen.Skinned = SendMessageW(popup, SM_ISSKINNED, 0, 0) == 1;
    seen.Items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
    if (TSkinManage* m = SkinManager())
      for (const auto& p : m->PopupMenus())
        if (p->Window() == popup) seen.HasBackground = p->Background() != nullptr && p->Menu() != nullptr;
    RECT r{};
    GetWindowRect(popup, &r);
    HDC dc = GetWindowDC(popup);
    seen.Edge = static_cast<TColor>(GetPixel(dc, 0, (r.bottom - r.top) / 2));
    ReleaseDC(popup, dc);
    if (TWinSkinForm* f = SkinnedFrame(seen.Window)) {
      TBitmap& background = *f->SkinData()->MenuBackground->Bitmap;
      seen.SkinEdge = background.GetPixel(0, background.GetHeight() / 2);
    }
    SaveWindowShot(popup, ArtefactFolder() + seen.Shot + ".bmp");
    SaveWindowShot(seen.Window, ArtefactFolder() + seen.Shot + "_in_window.bmp");
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 1);
  }
  if (seen.Popup || ticks > 40) KillTimer(nullptr, id);
}

class SkinnedMenus : public MainFormTest {
protected:
  void Look(const char* shot, const std::function<void()>& open) {
    seen = TOpenMenu{};
    seen.Shot = shot;
    seen.Window = form->Handle();
    ticks = 0;
    SetTimer(nullptr, 0, 150, LookAtMenu);
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    SetCursorPos(r.left + 200, r.top + 120);
    open();
    PumpUntil([] { return !VisiblePopup() && (seen.Popup || ticks > 40); }, 8000);
    PumpFor(50);
  }
};

TEST_F(SkinnedMenus, HelpExitAndSystemMenusWearTheSkin) {
  ASSERT_NE(WaitForSkinnedFrame(form->Handle()), nullptr);
  Look("skinned_help_menu", [&] { form->Button5Click(nullptr); });
  EXPECT_TRUE(seen.Skinned);
  EXPECT_TRUE(seen.HasBackground);
  EXPECT_EQ(seen.Items, 7);
  EXPECT_EQ(seen.Edge, seen.SkinEdge);

  Look("skinned_exit_menu", [&] { form->Button4Click(nullptr); });
  EXPECT_TRUE(seen.Skinned);
  EXPECT_TRUE(seen.HasBackground);
  EXPECT_EQ(seen.Items, 3);
  EXPECT_EQ(seen.Edge, seen.SkinEdge);

  // The main window has no system menu (no border icons): Alt+Space opens
  // nothing there and leaves no menu kind behind.
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  EXPECT_EQ(VisiblePopup(), nullptr);
  EXPECT_EQ(MenuTracking().NextPopupKind(), TMenuKind::Context);

  // The about box has one.
  std::unique_ptr<TForm2> about(CreateFormObject<TForm2>(Application));
  about->Show();
  ASSERT_NE(WaitForSkinnedFrame(about->Handle()), nullptr);
  const HWND aboutWindow = about->Handle();
  seen = TOpenMenu{};
  seen.Shot = "skinned_system_menu";
  seen.Window = aboutWindow;
  ticks = 0;
  SetTimer(nullptr, 0, 150, LookAtMenu);
  SendMessageW(aboutWindow, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  PumpUntil([] { return !VisiblePopup() && (seen.Popup || ticks > 40); }, 8000);
  EXPECT_TRUE(seen.Skinned);
  EXPECT_TRUE(seen.HasBackground);
  EXPECT_GT(seen.Items, 3);
  EXPECT_EQ(seen.Edge, seen.SkinEdge);
  EXPECT_EQ(MenuTracking().NextPopupKind(), TMenuKind::Context);
}

}  // namespace
