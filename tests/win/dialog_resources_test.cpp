// The user dialog and the score query opened from the main window's menu and
// closed again, 100 times each with the skin active: GDI objects, user objects
// and the process's private memory stay within a small bound after a warm-up.
//
// Wine's GetGuiResources is a stub that answers 0, so the objects are counted
// by other means when it does: GDI objects by asking every slot of the
// process's GDI handle table for its type (a handle whose high word is 0 names
// its slot whatever the slot's generation), user objects as this process's
// windows and menus. Private memory is the committed private pages of the
// address space (VirtualQuery): Wine leaves PrivateUsage to the swap in use.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "gdi_count.h"
#include "main_form_fixture.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "skinned_frame.h"
#include "users/Unit3.h"
#include "users/Unit5.h"

namespace {

struct TResourceCount {
  long Gdi = 0, User = 0;
  double PrivateMb = 0;
  bool FromSystem = false;  // GetGuiResources answered
};

// This process's windows, top-level and child.
BOOL CALLBACK AddChild(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

BOOL CALLBACK AddTopLevel(HWND w, LPARAM list) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != GetCurrentProcessId()) return TRUE;
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  EnumChildWindows(w, AddChild, list);  // every descendant, once
  return TRUE;
}

long CountUserObjects() {
  std::vector<HWND> windows;
  EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&windows));
  long menus = 0;
  for (ULONG_PTR slot = 0x20; slot < 0x10000; slot += 2)
    if (IsMenu(reinterpret_cast<HMENU>(slot))) ++menus;
  return static_cast<long>(windows.size()) + menus;
}

double PrivateMegabytes() {
  double bytes = 0;
  MEMORY_BASIC_INFORMATION info{};
  const char* at = nullptr;
  while (VirtualQuery(at, &info, sizeof info) == sizeof info) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) bytes += static_cast<double>(info.RegionSize);
    const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return bytes / (1024.0 * 1024.0);
}

TResourceCount CountResources() {
  TResourceCount c;
  DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  c.FromSystem = gdi != 0 && user != 0;
  c.Gdi = c.FromSystem ? static_cast<long>(gdi) : CountGdiSlots();
  c.User = c.FromSystem ? static_cast<long>(user) : CountUserObjects();
  c.PrivateMb = PrivateMegabytes();
  return c;
}

// Closes the modal dialog in front once the skin has finished with it.
HWND mainWindow = nullptr;
int closed = 0;
void CALLBACK CloseSkinnedDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND active = GetActiveWindow();
  if (!active || active == mainWindow) return;
  if (!SkinnedFrame(active)) return;
  PostMessageW(active, WM_CLOSE, 0, 0);
  ++closed;
}

class DialogResources : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Form1 = form;
    mainWindow = form->Handle();
    closed = 0;
  }
  void TearDown() override {
    Form1 = nullptr;
    mainWindow = nullptr;
    MainFormTest::TearDown();
  }
  // Opens and closes the dialog through the menu's handler `times` times.
  template <class Open>
  void Cycle(int times, Open open) {
    UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseSkinnedDialog);
    for (int i = 0; i < times; ++i) open();
    KillTimer(nullptr, timer);
    Pump();
  }
  template <class Open>
  void ExpectNoGrowth(const char* name, Open open) {
    Cycle(10, open);  // warm-up: caches, fonts, first-use allocations
    TResourceCount before = CountResources();
    const int before_closed = closed;
    Cycle(100, open);
    TResourceCount after = CountResources();
    EXPECT_EQ(closed - before_closed, 100) << name << ": not every dialog was skinned and closed";
    std::printf("%s, 100 times (%s): GDI objects %ld -> %ld, user objects %ld -> %ld, private memory %.1f -> %.1f MB\n",
                name, before.FromSystem ? "GetGuiResources" : "counted", before.Gdi, after.Gdi, before.User, after.User,
                before.PrivateMb, after.PrivateMb);
    EXPECT_LE(after.Gdi - before.Gdi, 10) << name;
    EXPECT_LE(after.User - before.User, 3) << name;
    EXPECT_LE(after.PrivateMb - before.PrivateMb, 4.0) << name;
  }
};

TEST_F(DialogResources, CountsSeeObjectsComeAndGo) {
  TResourceCount before = CountResources();
  HBRUSH brushes[20];
  for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
  HMENU menu = CreatePopupMenu();
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  void* block = VirtualAlloc(nullptr, 8 << 20, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  TResourceCount during = CountResources();
  EXPECT_EQ(during.Gdi - before.Gdi, 20);
  EXPECT_EQ(during.User - before.User, 2);
  EXPECT_GE(during.PrivateMb - before.PrivateMb, 8.0);
  for (HBRUSH b : brushes) DeleteObject(b);
  DestroyMenu(menu);
  DestroyWindow(w);
  VirtualFree(block, 0, MEM_RELEASE);
  TResourceCount after = CountResources();
  EXPECT_EQ(after.Gdi, before.Gdi);
  EXPECT_EQ(after.User, before.User);
}

TEST_F(DialogResources, UserDialogOpenedAndClosed100TimesLeavesNothingBehind) {
  ASSERT_NE(SkinManager(), nullptr);
  ASSERT_NE(SkinManager()->FormOfWindow(form->Handle()), nullptr) << "the main window is not skinned";
  ExpectNoGrowth("user dialog", [&] { form->N7Click(form); });
}

TEST_F(DialogResources, ScoreQueryOpenedAndClosed100TimesLeavesNothingBehind) {
  ASSERT_NE(SkinManager(), nullptr);
  ExpectNoGrowth("score query", [&] { form->N8Click(form); });
}

}  // namespace
