// The skin manager with real windows: the filter's refusals, the skin data
// that serves a window, the queued actions (skin all, unskin all, refresh) and
// a size grip made under a skinned frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/control.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "skin_support_frame.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/form.h"
#include "toolkit/win/timer.h"

using namespace frame_skin;

namespace {

struct SkinManagerTest : FrameSkinFixture {
  void TearDown() override {
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) DestroyWindow(*it);
    PumpFor(20);
    if (SkinManager()) SkinManager()->PurgeDeadForms();
    FrameSkinFixture::TearDown();
  }
  // A window of a class of the program's own, not shown; destroyed after the test.
  HWND OwnWindow(const wchar_t* className, DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU, HWND parent = nullptr) {
    WNDCLASSW wc{};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), className, &wc)) {
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = className;
      RegisterClassW(&wc);
    }
    HWND w = CreateWindowExW(0, className, L"", style, 20, 20, 200, 120, parent, nullptr, GetModuleHandleW(nullptr),
                             nullptr);
    if (w) windows.push_back(w);
    return w;
  }
  static bool Skinned(HWND w) { return SendMessageW(w, SM_ISSKINNED, 0, 0) == 1; }
  // Waits for the queued action's timer and its OnSkinChanged.
  bool RunAction(int& changes) {
    const int before = changes;
    return PumpUntil([&] { return changes > before; }, 3000);
  }

  std::vector<HWND> windows;
};

TEST_F(SkinManagerTest, FilterRefusesTheWindowsTheSkinLeavesAlone) {
  TSkinManage& m = *SkinManager();
  // Classes the skin never takes, whatever the options.
  for (const wchar_t* name : {L"TApplication", L"TTERenderWindowX", L"XTcxPopupEditPopupWindow"})
    EXPECT_FALSE(m.SkinWindow(OwnWindow(name)));
  // "preview" windows only with xoPreview.
  data->Options &= ~SetOf(xoPreview);
  HWND preview = OwnWindow(L"PrintPreviewForm");
  EXPECT_FALSE(m.SkinWindow(preview));
  data->Options |= SetOf(xoPreview);
  EXPECT_TRUE(m.SkinWindow(preview));
  // A system dialog box with style bit 0x200 stays the system's.
  HWND box = CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_CAPTION | 0x200, 10, 10, 200, 100, nullptr, nullptr,
                             GetModuleHandleW(L"kernel32.dll"), nullptr);
  windows.push_back(box);
  EXPECT_FALSE(m.SkinWindow(box));
  // The application's filter decides last.
  std::vector<std::string> asked;
  data->OnFormSkin = [&](TObject*, const std::string& name, bool& doSkin) {
    asked.push_back(name);
    doSkin = name != "RefusedByTheApplication";
  };
  EXPECT_FALSE(m.SkinWindow(OwnWindow(L"RefusedByTheApplication")));
  EXPECT_TRUE(m.SkinWindow(OwnWindow(L"TakenByTheApplication")));
  EXPECT_EQ(asked, (std::vector<std::string>{"RefusedByTheApplication", "TakenByTheApplication"}));
  data->OnFormSkin = nullptr;
  // Switched off, nothing is skinned.
  m.SetEnabled(false);
  EXPECT_FALSE(m.SkinWindow(OwnWindow(L"WhileDisabled")));
  m.SetEnabled(true);
}

TEST_F(SkinManagerTest, PlainChildOfAnMdiClientOnlyWhileSkinningAll) {
  TSkinManage& m = *SkinManager();
  HWND frame = OwnWindow(L"MdiFrameWindow", WS_OVERLAPPEDWINDOW);
  CLIENTCREATESTRUCT ccs{nullptr, 1000};
  HWND client = CreateWindowExW(0, L"MDICLIENT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 180, 100, frame, nullptr,
                                GetModuleHandleW(nullptr), &ccs);
  ASSERT_NE(client, nullptr);
  HWND plain = OwnWindow(L"PlainMdiClientChild", WS_CHILD | WS_VISIBLE | WS_CAPTION, client);
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(m.SkinWindow(plain));
  EXPECT_TRUE(m.SkinWindow(plain, true));  // while skinning all
}

TEST_F(SkinManagerTest, DialogBoxesServedByTheDialogDataOthersByTheMainOne) {
  auto dialogs = std::make_unique<TSkinData>(nullptr);
  MakeFrameSkin(*dialogs);
  dialogs->SetSkinFormtype(TSkinFormType::sfDialog);
  dialogs->Loaded();
  TSkinManage& m = *SkinManager();
  EXPECT_EQ(m.MainSkinData(), data);
  HWND box = CreateWindowExW(0, L"#32770", L"Box", WS_POPUP | WS_CAPTION, 10, 10, 200, 100, nullptr, nullptr,
                             GetModuleHandleW(L"kernel32.dll"), nullptr);
  windows.push_back(box);
  HWND own = OwnWindow(L"OrdinaryWindow");
  ASSERT_TRUE(m.SkinWindow(box));
  ASSERT_TRUE(m.SkinWindow(own));
  EXPECT_EQ(m.FormOfWindow(box)->SkinData(), dialogs.get());
  EXPECT_EQ(m.FormOfWindow(own)->SkinData(), data);
  // The dialog data goes: its frame goes with it, the other stays.
  dialogs.reset();
  EXPECT_EQ(m.FormOfWindow(box), nullptr);
  EXPECT_FALSE(Skinned(box));
  EXPECT_NE(m.FormOfWindow(own), nullptr);
}

TEST_F(SkinManagerTest, BeforeAnyWindowTheActionOnlySwitchesSkinningOnOrOff) {
  TSkinManage& m = *SkinManager();
  ASSERT_EQ(m.Started(), 0);
  data->SetActive(false);
  EXPECT_FALSE(m.Enabled());
  EXPECT_FALSE(m.ActionQueued());
  TForm* f = NewForm(40, 40, 300, 200);
  f->Show();
  PumpFor(400);
  EXPECT_EQ(m.FormOfWindow(f->Handle()), nullptr);
  // Once a window was activated the action runs from the timer: skin all.
  int changes = 0;
  data->OnSkinChanged = [&](TObject*) { ++changes; };
  data->SetActive(true);
  EXPECT_EQ(m.FormOfWindow(f->Handle()), nullptr);  // queued, not done yet
  ASSERT_TRUE(RunAction(changes));
  EXPECT_NE(m.FormOfWindow(f->Handle()), nullptr);
}

TEST_F(SkinManagerTest, QueuedActionsSkinAllUnskinAllAndRefresh) {
  TSkinManage& m = *SkinManager();
  TForm* one = NewForm(40, 40, 400, 260);
  TForm* two = NewForm(520, 40, 200, 120);
  ASSERT_NE(ShowSkinned(one), nullptr);
  ASSERT_NE(ShowSkinned(two), nullptr);
  TForm* hidden = NewForm(300, 300, 100, 80);
  HWND hiddenWindow = hidden->Handle();
  int changes = 0;
  data->OnSkinChanged = [&](TObject*) { ++changes; };

  // Unskin all: every frame detached, the windows have their own procedures again.
  data->SetActive(false);
  EXPECT_TRUE(Skinned(one->Handle()));  // queued
  ASSERT_TRUE(RunAction(changes));
  EXPECT_TRUE(m.Forms().empty());
  EXPECT_FALSE(Skinned(one->Handle()));
  EXPECT_FALSE(Skinned(two->Handle()));
  RECT system{0, 0, 0, 0};
  AdjustWindowRectEx(&system, static_cast<DWORD>(GetWindowLongW(one->Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(one->Handle(), GWL_EXSTYLE)));
  EXPECT_EQ(ClientOrigin(one->Handle()).y, -system.top);
  EXPECT_FALSE(m.SkinWindow(one->Handle()));  // switched off

  // Skin all: the visible forms again, not the hidden one.
  data->SetActive(true);
  ASSERT_TRUE(RunAction(changes));
  EXPECT_TRUE(Skinned(one->Handle()));
  EXPECT_TRUE(Skinned(two->Handle()));
  EXPECT_FALSE(Skinned(hiddenWindow));
  EXPECT_EQ(m.Forms().size(), 2u);
  TWinSkinForm* frame = m.FormOfWindow(one->Handle());
  ASSERT_NE(frame, nullptr);
  PumpUntil([&] { return frame->Skinned(); }, 3000);
  EXPECT_EQ(ClientOrigin(one->Handle()).x, kSide);
  // The client area moved within the window: all of it painted again, in the skin's colour.
  PumpFor(100);
  RECT client{};
  GetClientRect(one->Handle(), &client);
  int unpainted = 0;
  for (int y = 0; y < client.bottom; ++y) unpainted += PixelAt(one->Handle(), kSide + 100, kCaption + y) != kFace;
  EXPECT_EQ(unpainted, 0);

  // Refresh after the skin changed: a wider left border, the client area as it was.
  const int wide = 8;
  TDataSkinBorder& left = *data->Borders[0];
  const int sideH = left.Bitmap->GetHeight();
  Strip(*left.Bitmap, wide, sideH, 2, false);
  for (int f = 0; f < 2; ++f) Fill(*left.Bitmap, f * wide, 0, wide, sideH, kLeft[f]);
  data->Refresh();
  EXPECT_TRUE(frame->CaptionButtons().empty());  // the caption buttons go at once, the rest is queued
  ASSERT_TRUE(RunAction(changes));
  EXPECT_EQ(frame->Metrics().Left, wide);
  EXPECT_EQ(m.FormOfWindow(two->Handle())->Metrics().Left, wide);
  EXPECT_EQ(frame->CaptionButtons().size(), data->CaptionButtons.size());
  EXPECT_EQ(ClientOrigin(one->Handle()).x, wide);
  RECT after{};
  GetClientRect(one->Handle(), &after);
  EXPECT_EQ(after.right, client.right);
  EXPECT_EQ(after.bottom, client.bottom);
  PumpFor(50);
  RECT r = WindowRectOf(one->Handle());
  EXPECT_EQ(PixelAt(one->Handle(), wide - 2, (r.bottom - r.top) / 2), kLeft[frame->Active() ? 0 : 1]);
  SaveWindowShot(one->Handle(), ArtefactFolder() + "skin_manager_refreshed.bmp");
  EXPECT_EQ(changes, 3);
}

TEST_F(SkinManagerTest, SizeGripMadeUnderASkinnedFrameIsSkinnedAtOnce) {
  TForm* f = NewForm(40, 40, 300, 200);
  TWinSkinForm* frame = ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 100, 100, 20, 20,
                              f->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(grip, nullptr);
  windows.push_back(grip);
  EXPECT_TRUE(Skinned(grip));
  EXPECT_NE(frame->Controls().FindByHandle(grip), nullptr);
  UpdateWindow(grip);
  PumpFor(50);
  EXPECT_EQ(PixelAt(grip, 10, 10), kFace);
  // Under a window the skin leaves alone, a grip stays the system's.
  TForm* plain = NewForm(400, 40, 200, 120);
  plain->SetTag(99);
  plain->Show();
  PumpFor(50);
  HWND plainGrip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 10, 10, 20, 20,
                                   plain->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  windows.push_back(plainGrip);
  EXPECT_FALSE(Skinned(plainGrip));
}

}  // namespace
