// Skinned menus in real windows: owner-drawn items read back from memory DCs,
// the menu bar in the frame, pull-downs tracked with keys, the skinned popup
// window, and windows closed while their menu is open.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "app_support.h"
#include "message_spy.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "skin/win/menu/owner.h"
#include "skin/win/menu/popup.h"
#include "skin/win/menu/tracking.h"
#include "skin/win/messages.h"
#include "skin_support_frame.h"
#include "skin_support_menu.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/app_errors.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"

using namespace menu_skin;

namespace {

// Runs one step of a script every 100 ms, also inside a menu's own loop,
// until a step returns true.
std::function<bool()> script;
bool scriptDone = false;
int scriptTicks = 0;
void CALLBACK ScriptTick(HWND, UINT, UINT_PTR id, DWORD) {
  ++scriptTicks;
  if (scriptDone || !script || script() || scriptTicks > 80) {
    scriptDone = true;
    KillTimer(nullptr, id);
  }
}
void RunScript(std::function<bool()> steps) {
  script = std::move(steps);
  scriptDone = false;
  scriptTicks = 0;
  SetTimer(nullptr, 0, 100, ScriptTick);
}

std::vector<HWND> VisiblePopups() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        if (IsWindowVisible(w) && GetClassNameString(w) == "#32768") reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HMENU MenuOfPopup(HWND popup) { return reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)); }

void PostKey(HWND w, WORD vk) {
  PostMessageW(w, WM_KEYDOWN, vk, 1);
  PostMessageW(w, WM_KEYUP, vk, 0xC0000001);
}

COLORREF PixelOf(HWND w, int x, int y) { return static_cast<COLORREF>(FrameSkinFixture::PixelAt(w, x, y)); }

struct SkinMenuTest : FrameSkinFixture {
  void AddToSkin(TSkinData& skin) override { AddMenuSkin(skin); }
  void TearDown() override {
    script = nullptr;
    FrameSkinFixture::TearDown();
    EXPECT_FALSE(MenuTracking().HookInstalled());
  }
  TMenuItem* Item(TComponent* owner, TMenuItem* parent, const char* caption) {
    auto* i = new TMenuItem(owner);
    i->SetCaption(caption);
    parent->Add(i);
    return i;
  }
  // A form with the bar "&File", "&Edit", "&Help", each with a pull-down.
  TForm* MenuForm() {
    auto* f = new TForm(Application);
    forms.push_back(f);
    f->SetBorderStyle(TFormBorderStyle::bsSingle);
    f->SetBounds(60, 60, 360, 240);
    f->SetCaption("Menus");
    auto* menu = new TMainMenu(f);
    file = Item(f, menu->Items(), "&File");
    open = Item(f, file, "&Open");
    open->SetDefault(true);
    save = Item(f, file, "&Save");
    save->SetShortCut(scCtrl | 'S');
    Item(f, file, "-");
    checked = Item(f, file, "&Checked");
    checked->SetChecked(true);
    disabled = Item(f, file, "&Disabled");
    disabled->SetEnabled(false);
    edit = Item(f, menu->Items(), "&Edit");
    Item(f, edit, "Cu&t");
    Item(f, edit, "&Copy");
    help = Item(f, menu->Items(), "&Help");
    Item(f, help, "&About");
    f->SetMenu(menu);
    mainMenu = menu;
    return f;
  }
  // The screen point at the middle of bar item `index` of a skinned form.
  static POINT BarItemCentre(TWinSkinForm* frame, HWND w, int index) {
    RECT wr{};
    GetWindowRect(w, &wr);
    const RECT& b = frame->MenuBar()->Button(index)->BoundsRect;
    return POINT{wr.left + (b.left + b.right) / 2, wr.top + (b.top + b.bottom) / 2};
  }
  // Draws an item through a fabricated WM_DRAWITEM into a memory bitmap.
  std::unique_ptr<TBitmap> DrawThroughWindow(HWND w, TMenuItem* item, int width, int height, bool selected) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(TPixelFormat::pf24bit);
    b->SetSize(width, height);
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_MENU;
    di.itemID = item->Command();
    di.itemState = selected ? ODS_SELECTED : 0;
    di.hwndItem = reinterpret_cast<HWND>(item->Parent()->Handle());
    di.hDC = b->CanvasDC();
    di.rcItem = RECT{0, 0, width, height};
    LRESULT handled = SendMessageW(w, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
    EXPECT_TRUE(handled);
    return b;
  }
  static int CountColour(TBitmap& b, const RECT& r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += static_cast<COLORREF>(b.GetPixel(x, y)) == colour;
    return n;
  }

  TMainMenu* mainMenu = nullptr;
  TMenuItem *file = nullptr, *open = nullptr, *save = nullptr, *checked = nullptr, *disabled = nullptr, *edit = nullptr,
            *help = nullptr;
};

TEST_F(SkinMenuTest, OwnerDrawKeepsTheTextAndIsGivenBack) {
  TPopupMenu popup(nullptr);
  auto* a = Item(&popup, popup.Items(), "&Alpha");
  auto* sub = Item(&popup, popup.Items(), "&More");
  Item(&popup, sub, "&Beta");
  HMENU menu = popup.Handle();
  SetMenuOwnerDraw(menu, true);
  auto typeOf = [](HMENU m, UINT pos) {
    MENUITEMINFOW mi{};
  mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(m, pos, TRUE, &mi);
    return mi.fType;
  };
  auto textOf = [](HMENU m, UINT id) {
    wchar_t t[64] = {};
    GetMenuStringW(m, id, t, 64, MF_BYCOMMAND);
    return std::wstring(t);
  };
  EXPECT_TRUE(typeOf(menu, 0) & MFT_OWNERDRAW);
  EXPECT_TRUE(typeOf(sub->Handle(), 0) & MFT_OWNERDRAW);
  EXPECT_EQ(textOf(menu, a->Command()), L"&Alpha");
  EXPECT_EQ(textOf(sub->Handle(), sub->Items(0)->Command()), L"&Beta");
  SetMenuOwnerDraw(menu, false);
  EXPECT_FALSE(typeOf(menu, 0) & MFT_OWNERDRAW);
  EXPECT_FALSE(typeOf(sub->Handle(), 0) & MFT_OWNERDRAW);
  EXPECT_EQ(textOf(menu, a->Command()), L"&Alpha");
}

TEST_F(SkinMenuTest, ItemsDrawnFromTheSkinIntoMemory) {
  TForm* f = MenuForm();
  TWinSkinForm* frame = frame_skin::ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  const int W = 150, H = 22;

  // Measured with the menu font, plus the skin's margin and glyph column.
  MEASUREITEMSTRUCT mi{};
  mi.CtlType = ODT_MENU;
  mi.itemID = open->Command();
  ASSERT_TRUE(SendMessageW(w, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi)));
  MEASUREITEMSTRUCT plain{};
  plain.CtlType = ODT_MENU;
  plain.itemID = open->Command();
  open->MeasureItem(plain);
  EXPECT_EQ(static_cast<int>(mi.itemWidth), static_cast<int>(plain.itemWidth) + kCap + 35);

  // Highlight: frame 4 selected, frame 1 otherwise (the corner holds no text).
  auto normal = DrawThroughWindow(w, open, W, H, false);
  auto selected = DrawThroughWindow(w, open, W, H, true);
  EXPECT_EQ(static_cast<COLORREF>(normal->GetPixel(W - 3, 1)), static_cast<COLORREF>(kItem[0]));
  EXPECT_EQ(static_cast<COLORREF>(selected->GetPixel(W - 3, 1)), static_cast<COLORREF>(kItem[3]));
  EXPECT_GT(CountColour(*selected, RECT{0, 0, W, H}, kHilightText), 0);
  EXPECT_EQ(CountColour(*normal, RECT{0, 0, W, H}, kHilightText), 0);

  // The check mark in the glyph box, in the button-text colour.
  const RECT box{1 + kCap, 0, 1 + kCap + 16, H};
  auto ticked = DrawThroughWindow(w, checked, W, H, false);
  auto unticked = DrawThroughWindow(w, save, W, H, false);
  EXPECT_GT(CountColour(*ticked, box, GetSysColor(COLOR_BTNTEXT)), 3);
  EXPECT_EQ(CountColour(*unticked, box, GetSysColor(COLOR_BTNTEXT)), 0);

  // The default item is bold: the same caption takes more text pixels.
  auto bold = DrawThroughWindow(w, open, W, H, false);
  open->SetDefault(false);
  auto regular = DrawThroughWindow(w, open, W, H, false);
  EXPECT_GT(CountColour(*bold, RECT{0, 0, W, H}, kMenuText), CountColour(*regular, RECT{0, 0, W, H}, kMenuText));

  // The shortcut ends 11 pixels before the right edge.
  auto shortcut = DrawThroughWindow(w, save, W, H, false);
  int rightmost = -1;
  for (int x = 0; x < W; ++x)
    if (CountColour(*shortcut, RECT{x, 0, x + 1, H}, kMenuText) > 0) rightmost = x;
  EXPECT_LE(rightmost, W - 12);
  EXPECT_GE(rightmost, W - 30);

  // A disabled caption in the button-shadow colour.
  auto grey = DrawThroughWindow(w, disabled, W, H, false);
  EXPECT_GT(CountColour(*grey, RECT{0, 0, W, H}, kShadow), 0);
  EXPECT_EQ(CountColour(*grey, RECT{0, 0, W, H}, kMenuText), 0);

  // The separator from frame 2 of the image: its caps at the ends, its middle between.
  TMenuItem* line = file->Items(2);
  auto separator = DrawThroughWindow(w, line, W, 8, false);
  EXPECT_EQ(static_cast<COLORREF>(separator->GetPixel(0, 4)), static_cast<COLORREF>(kCapLeft));
  EXPECT_EQ(static_cast<COLORREF>(separator->GetPixel(W / 2, 4)), static_cast<COLORREF>(kItem[1]));
  EXPECT_EQ(static_cast<COLORREF>(separator->GetPixel(W - 1, 4)), static_cast<COLORREF>(kCapRight));
  // Narrower than its two caps: still left cap left, right cap right.
  auto narrow = DrawThroughWindow(w, line, 2 * kCap - 2, 8, false);
  EXPECT_EQ(static_cast<COLORREF>(narrow->GetPixel(0, 4)), static_cast<COLORREF>(kCapLeft));
  EXPECT_EQ(static_cast<COLORREF>(narrow->GetPixel(2 * kCap - 3, 4)), static_cast<COLORREF>(kCapRight));
}

TEST_F(SkinMenuTest, DisabledTextGreyWhenShadowEqualsMenuText) {
  data->Colors[scButtonShadow] = kMenuText;
  TForm* f = MenuForm();
  ASSERT_NE(frame_skin::ShowSkinned(f), nullptr);
  auto grey = DrawThroughWindow(f->Handle(), disabled, 150, 22, false);
  EXPECT_GT(CountColour(*grey, RECT{0, 0, 150, 22}, GetSysColor(COLOR_GRAYTEXT)), 0);
  EXPECT_EQ(CountColour(*grey, RECT{0, 0, 150, 22}, kMenuText), 0);
}

TEST_F(SkinMenuTest, BarTakesTheMenuAndGivesItBack) {
  TForm* f = MenuForm();
  TWinSkinForm* frame = frame_skin::ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  HMENU bar = mainMenu->Handle();
  EXPECT_EQ(GetMenu(w), nullptr);
  ASSERT_NE(frame->MenuBar(), nullptr);
  const TWinSkinMenu& skinBar = *frame->MenuBar();
  ASSERT_EQ(skinBar.ButtonCount(), 3);
  const RECT& first = skinBar.Button(0)->BoundsRect;
  EXPECT_EQ(first.left, frame_skin::kSide + kBarCap + 4);
  EXPECT_EQ(first.top, frame_skin::kCaption);
  EXPECT_EQ(skinBar.Button(1)->BoundsRect.left, first.right);
  EXPECT_EQ(skinBar.Button(0)->SubMenu, file->Handle());
  // The strip shows the bar's active frame between and after the buttons.
  RECT wr{};
  GetWindowRect(w, &wr);
  EXPECT_EQ(PixelOf(w, (wr.right - wr.left) - frame_skin::kSide - 10, frame_skin::kCaption + 2),
            static_cast<COLORREF>(kBar[0]));
  EXPECT_EQ(skinBar.ItemAtPoint(POINT{first.left + 2, first.top + 2}), skinBar.Button(0));
  EXPECT_EQ(skinBar.ItemAtPoint(POINT{first.left - 2, first.top + 2}), nullptr);
  EXPECT_EQ(frame->FindMenuAccel('e'), skinBar.Button(1));
  EXPECT_EQ(frame->FindMenuAccel('x'), nullptr);
  SaveWindowShot(w, ArtefactFolder() + "skinned_menu_bar.bmp");

  // A changed menu is read again.
  Item(f, mainMenu->Items(), "&Window");
  PumpFor(20);
  EXPECT_EQ(GetMenu(w), nullptr);
  EXPECT_EQ(frame->MenuBar()->ButtonCount(), 4);

  // Given back plain: the system draws it again.
  SetMenuOwnerDraw(file->Handle(), true);
  data->SetActive(false);
  PumpUntil([&] { return !SkinManager()->FormOfWindow(w); }, 3000);
  EXPECT_EQ(GetMenu(w), bar);
  MENUITEMINFOW mi{};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(file->Handle(), 0, TRUE, &mi);
  EXPECT_FALSE(mi.fType & MFT_OWNERDRAW);
}

TEST_F(SkinMenuTest, PullDownsTrackedWithKeysWithoutNesting) {
  TForm* f = MenuForm();
  TWinSkinForm* frame = frame_skin::ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  std::vector<HMENU> seen;
  std::vector<int> tracked;
  size_t most = 0;
  bool skinned = false;
  COLORREF edge = 0;
  int step = 0;
  RunScript([&] {
    std::vector<HWND> popups = VisiblePopups();
    most = std::max(most, popups.size());
    if (popups.empty()) return step >= 4;
    HWND popup = popups.back();
    HMENU shown = MenuOfPopup(popup);
    if (!seen.empty() && seen.back() == shown && step > 0 && step < 4 &&
        tracked.back() == MenuTracking().TrackedIndex())
      return false;  // the switch has not happened yet
    seen.push_back(shown);
    tracked.push_back(MenuTracking().TrackedIndex());
    switch (step++) {
      case 0:
        skinned = SendMessageW(popup, SM_ISSKINNED, 0, 0) == 1;
        edge = PixelOf(popup, 0, 0);
        SaveWindowShot(popup, ArtefactFolder() + "skinned_menu_pulldown.bmp");
        PostKey(w, VK_RIGHT);  // the first item has no submenu: the next pull-down
        break;
      case 1: PostKey(w, VK_LEFT); break;   // back
      case 2: PostKey(w, VK_LEFT); break;   // wraps to the last
      case 3: PostKey(w, VK_ESCAPE); break;
      default: break;
    }
    return false;
  });
  PostMessageW(w, WM_SYSCOMMAND, SC_KEYMENU, 'f');
  PumpUntil([&] { return scriptDone; }, 12000);
  ASSERT_GE(seen.size(), 4u);
  EXPECT_TRUE(skinned);
  EXPECT_EQ(edge, static_cast<COLORREF>(kMenuEdge));
  EXPECT_EQ(seen[0], file->Handle());
  EXPECT_EQ(seen[1], edit->Handle());
  EXPECT_EQ(seen[2], file->Handle());
  EXPECT_EQ(seen[3], help->Handle());
  EXPECT_EQ(tracked[0], 0);
  EXPECT_EQ(tracked[1], 1);
  EXPECT_EQ(tracked[3], 2);
  EXPECT_EQ(most, 1u);  // one menu loop at a time
  EXPECT_TRUE(VisiblePopups().empty());
  EXPECT_FALSE(MenuTracking().InMenuLoop(frame));
  EXPECT_EQ(MenuTracking().NextPopupKind(), TMenuKind::Context);
  EXPECT_TRUE(SkinManager()->PopupMenus().empty());
}

TEST_F(SkinMenuTest, AltLetterOpensTheBarButCtrlAltDoesNot) {
  TForm* f = MenuForm();
  ASSERT_NE(frame_skin::ShowSkinned(f), nullptr);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_MENU] = keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_EQ(f->Perform(CM_DIALOGCHAR, 'e', 0), 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(f->Perform(CM_DIALOGCHAR, 'e', 0), 1);
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
  HMENU shown = nullptr;
  RunScript([&] {
    std::vector<HWND> popups = VisiblePopups();
    if (popups.empty()) return shown != nullptr;
    shown = MenuOfPopup(popups.back());
    PostKey(popups.back(), VK_ESCAPE);
    return false;
  });
  PumpUntil([&] { return scriptDone; }, 8000);
  EXPECT_EQ(shown, edit->Handle());
}

TEST_F(SkinMenuTest, MouseOverAnotherBarItemSwitchesThePullDown) {
  TForm* f = MenuForm();
  TWinSkinForm* frame = frame_skin::ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  auto centreOf = [&](int index) { return BarItemCentre(frame, w, index); };
  std::vector<HMENU> seen;
  int step = 0;
  RunScript([&] {
    std::vector<HWND> popups = VisiblePopups();
    if (popups.empty()) return step >= 3;
    HMENU shown = MenuOfPopup(popups.back());
    if (!seen.empty() && seen.back() == shown && step == 1) return false;
    seen.push_back(shown);
    POINT p{};
    switch (step++) {
      case 0:  // a move within the open item changes nothing; onto "Help" switches
        p = centreOf(0);
        SetCursorPos(p.x + 1, p.y);
        PostMessageW(w, WM_MOUSEMOVE, 0, 0);
        p = centreOf(2);
        SetCursorPos(p.x, p.y);
        PostMessageW(w, WM_MOUSEMOVE, 0, 0);
        break;
      case 1:
        PostKey(w, VK_ESCAPE);
        break;
      default:
        break;
    }
    return false;
  });
  // Pressed on "File" as the mouse does.
  POINT p = centreOf(0);
  SetCursorPos(p.x, p.y);
  PostMessageW(w, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(p.x, p.y));
  PumpUntil([&] { return scriptDone; }, 10000);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], file->Handle());
  EXPECT_EQ(seen[1], help->Handle());
  EXPECT_TRUE(VisiblePopups().empty());
}

TEST_F(SkinMenuTest, PressOnTheOpenItemClosesItsPullDown) {
  TForm* f = MenuForm();
  TWinSkinForm* frame = frame_skin::ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  const POINT at = BarItemCentre(frame, w, 0);
  bool opened = false, reopened = false;
  int quiet = 0;
  RunScript([&] {
    std::vector<HWND> popups = VisiblePopups();
    if (!opened) {
      if (popups.empty()) return false;
      opened = true;
      // The press the mouse makes on the open item's own button.
      SetCursorPos(at.x, at.y);
      PostMessageW(w, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
      PostMessageW(w, WM_NCLBUTTONUP, HTMENU, MAKELPARAM(at.x, at.y));
      return false;
    }
    if (!popups.empty()) {
      reopened = true;
      PostKey(w, VK_ESCAPE);
      return false;
    }
    return ++quiet > 3;
  });
  SetCursorPos(at.x, at.y);
  PostMessageW(w, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
  PumpUntil([&] { return scriptDone; }, 10000);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(reopened);
  EXPECT_TRUE(VisiblePopups().empty());
}

TEST_F(SkinMenuTest, ItemsOfARightToLeftWindowAreMirrored) {
  TForm* f = MenuForm();
  TWinSkinForm* frame = frame_skin::ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  SetWindowLongW(w, GWL_EXSTYLE, GetWindowLongW(w, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  ASSERT_TRUE(frame->Traits().RightToLeft);
  const int W = 150, H = 22;
  // The check mark in the glyph box at the right, the caption right-aligned left of it.
  const RECT rightBox{W - 1 - kCap - 16, 0, W - 1 - kCap, H}, leftBox{1 + kCap, 0, 1 + kCap + 16, H};
  auto ticked = DrawThroughWindow(w, checked, W, H, false);
  EXPECT_GT(CountColour(*ticked, rightBox, GetSysColor(COLOR_BTNTEXT)), 3);
  EXPECT_EQ(CountColour(*ticked, leftBox, GetSysColor(COLOR_BTNTEXT)), 0);
  auto item = DrawThroughWindow(w, open, W, H, false);
  EXPECT_GT(CountColour(*item, RECT{W / 2, 0, rightBox.left, H}, kMenuText), 0);
  EXPECT_EQ(CountColour(*item, RECT{0, 0, W / 4, H}, kMenuText), 0);
  // The shortcut at the left, 11 pixels in.
  auto shortcut = DrawThroughWindow(w, save, W, H, false);
  int leftmost = W;
  for (int x = W - 1; x >= 0; --x)
    if (CountColour(*shortcut, RECT{x, 0, x + 1, H}, kMenuText) > 0) leftmost = x;
  EXPECT_GE(leftmost, 11);
  EXPECT_LE(leftmost, 16);
}

TEST_F(SkinMenuTest, SystemPopupKeepsWhatTheApplicationGreyed) {
  TForm* f = MenuForm();
  TWinSkinForm* frame = frame_skin::ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  HMENU system = GetSystemMenu(w, FALSE);
  ASSERT_NE(system, nullptr);
  for (UINT command : {SC_MINIMIZE, SC_CLOSE, SC_RESTORE}) EnableMenuItem(system, command, MF_BYCOMMAND | MF_ENABLED);
  for (UINT command : {SC_MAXIMIZE, SC_MOVE}) EnableMenuItem(system, command, MF_BYCOMMAND | MF_GRAYED);
  TPopupMenu* popup = frame->BuildSysPopupMenu();
  ASSERT_NE(popup, nullptr);
  auto itemOf = [&](UINT command) -> TMenuItem* {
    TMenuItem* items = popup->Items();
    for (int i = 0; i < items->Count(); ++i)
      if (static_cast<UINT>(items->Items(i)->GetTag()) == command) return items->Items(i);
    return nullptr;
  };
  ASSERT_TRUE(itemOf(SC_MAXIMIZE) && itemOf(SC_MOVE) && itemOf(SC_MINIMIZE) && itemOf(SC_RESTORE));
  // Greyed by the application although the window's state would allow them.
  EXPECT_FALSE(itemOf(SC_MAXIMIZE)->GetEnabled());
  EXPECT_FALSE(itemOf(SC_MOVE)->GetEnabled());
  // Allowed by both; and enabled in the menu but not by the window's state (a normal window).
  EXPECT_TRUE(itemOf(SC_MINIMIZE)->GetEnabled());
  EXPECT_TRUE(itemOf(SC_CLOSE)->GetEnabled());
  EXPECT_FALSE(itemOf(SC_RESTORE)->GetEnabled());
  // Drawn greyed: the button-shadow colour and no menu text.
  auto drawn = [&](TMenuItem* item) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(TPixelFormat::pf24bit);
    b->SetSize(150, 22);
    TCanvas canvas(b->CanvasDC());
    item->OnDrawItem(item, canvas, RECT{0, 0, 150, 22}, false);
    return b;
  };
  auto maximize = drawn(itemOf(SC_MAXIMIZE)), minimize = drawn(itemOf(SC_MINIMIZE));
  EXPECT_GT(CountColour(*maximize, RECT{0, 0, 150, 22}, kShadow), 0);
  EXPECT_EQ(CountColour(*maximize, RECT{0, 0, 150, 22}, kMenuText), 0);
  EXPECT_GT(CountColour(*minimize, RECT{0, 0, 150, 22}, kMenuText), 0);
}

TEST_F(SkinMenuTest, PopupWindowPaintsItsWholeFrameButLeavesAPartToTheSystem) {
  // A bordered window of another module (never a frame of its own) wearing the popup skin.
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 100, 120, 90,
                           nullptr, nullptr, GetModuleHandleW(L"kernel32.dll"), nullptr);
  ASSERT_NE(w, nullptr);
  MessageSpy::Install(w);
  TWinSkinPopMenu popup;
  popup.Attach(w, data, nullptr);
  RECT r{};
  GetWindowRect(w, &r);
  HRGN part = CreateRectRgn(r.left, r.top, r.left + 20, r.top + 20);
  SendMessageW(w, WM_NCPAINT, reinterpret_cast<WPARAM>(part), 0);
  EXPECT_EQ(MessageSpy::WParamsOf(WM_NCPAINT), (std::vector<WPARAM>{reinterpret_cast<WPARAM>(part)}));
  EXPECT_NE(PixelOf(w, 0, 0), static_cast<COLORREF>(kMenuEdge));
  SendMessageW(w, WM_NCPAINT, 1, 0);
  EXPECT_EQ(MessageSpy::WParamsOf(WM_NCPAINT).size(), 1u);  // the skin's, not passed on
  EXPECT_EQ(PixelOf(w, 0, 0), static_cast<COLORREF>(kMenuEdge));
  DeleteObject(part);
  popup.Detach();
  DestroyWindow(w);
}

TEST_F(SkinMenuTest, BarComposesInOneKeptBitmapThatGrowsWithTheWindow) {
  TForm* f = MenuForm();
  TWinSkinForm* frame = frame_skin::ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  const TWinSkinMenu& bar = *frame->MenuBar();
  frame->PaintFrame(nullptr);
  const HBITMAP kept = bar.Strip()->Handle();
  RECT r = WindowRectOf(w);
  // Narrower and back: the same bitmap, and the strip right up to the border.
  for (int width : {r.right - r.left - 60, r.right - r.left}) {
    SetWindowPos(w, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(30);
    frame->PaintFrame(nullptr);
    EXPECT_EQ(bar.Strip()->Handle(), kept);
    EXPECT_EQ(PixelOf(w, width - frame_skin::kSide - 1, frame_skin::kCaption + 2), static_cast<COLORREF>(kBar[0]));
    EXPECT_EQ(PixelOf(w, width - 2, frame_skin::kCaption + 2), static_cast<COLORREF>(frame_skin::kRight[0]));
  }
  // A hot button is framed over the kept background, and left it is the bar again.
  const RECT& button = bar.Button(1)->BoundsRect;
  bar.Button(1)->MouseMove();
  EXPECT_EQ(PixelOf(w, button.left, button.top + 2), static_cast<COLORREF>(data->Colors[scButtonHilight]));
  bar.Button(1)->MouseLeave();
  EXPECT_EQ(PixelOf(w, button.left, button.top + 2), static_cast<COLORREF>(kBar[0]));
  EXPECT_EQ(PixelOf(w, button.left, button.bottom), static_cast<COLORREF>(kBar[0]));

  // Wider than the bitmaps and the room they keep: both grown, and the bar drawn
  // whole, its own frame from the last button to the border.
  const int wider = r.right - r.left + bar.Strip()->GetWidth();
  SetWindowPos(w, nullptr, 0, 0, wider, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(30);
  frame->PaintFrame(nullptr);
  const RECT& strip = bar.BarRect();
  ASSERT_EQ(strip.right, wider - frame_skin::kSide);
  EXPECT_GE(bar.Strip()->GetWidth(), strip.right - strip.left);
  EXPECT_GE(bar.Background()->GetWidth(), strip.right - strip.left);
  const int y = frame_skin::kCaption + 2;
  for (int x = bar.Button(bar.ButtonCount() - 1)->BoundsRect.right + 1; x < strip.right; x += 7)
    EXPECT_EQ(PixelOf(w, x, y), static_cast<COLORREF>(kBar[0])) << x;
  EXPECT_EQ(PixelOf(w, strip.right - 1, y), static_cast<COLORREF>(kBar[0]));
  EXPECT_EQ(PixelOf(w, wider - 2, y), static_cast<COLORREF>(frame_skin::kRight[0]));
}

// A bare window of the program with a menu, skinned through its own procedure.
HWND BareMenuWindow() {
  HMENU bar = CreateMenu(), sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING, 101, L"&New");
  AppendMenuW(sub, MF_STRING, 102, L"E&xit\tAlt+X");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"&File");
  return CreateWindowExW(0, L"STATIC", L"Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80, 300, 200, nullptr, bar,
                         GetModuleHandleW(nullptr), nullptr);
}

TEST_F(SkinMenuTest, ClosingAWindowWhileItsMenuIsOpenIsSafe) {
  for (int which = 0; which < 2; ++which) {
    HWND w = BareMenuWindow();
    ASSERT_NE(w, nullptr);
    SetForegroundWindow(w);
    SkinManager()->SkinWindow(w);
    ASSERT_NE(WaitForSkinnedFrame(w), nullptr);
    bool open = false;
    RunScript([&] {
      if (VisiblePopups().empty()) return open;
      open = true;
      DestroyWindow(w);
      return false;
    });
    // The bar's pull-down, then the skinned system popup.
    PostMessageW(w, WM_SYSCOMMAND, SC_KEYMENU, which == 0 ? 'f' : ' ');
    PumpUntil([&] { return scriptDone; }, 8000);
    PumpFor(50);
    EXPECT_TRUE(open) << which;
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(VisiblePopups().empty());
    SkinManager()->PurgeDeadForms();
    EXPECT_EQ(SkinManager()->FormOfWindow(w), nullptr);
    EXPECT_EQ(MenuTracking().BarFrame(), nullptr);
  }
}

}  // namespace
