// The drop-down list's thumb drag: positions sent, and its ends (release,
// capture lost, window destroyed, WM_QUIT handed on).
#include <windows.h>

#include <vector>

#include "controls_fixture.h"
#include "message_spy.h"
#include "services_pump.h"
#include "skin/win/controls/scroll/list_thumb_drag.h"
#include "skin/win/user32.h"

namespace {

struct ListThumbDragTest : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
    list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10, 10,
                           150, 200, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    const int row = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    RECT r{};
    GetClientRect(list, &r);
    SetWindowPos(list, nullptr, 0, 0, 150, row * 10 + (200 - r.bottom), SWP_NOMOVE | SWP_NOZORDER);
    for (int i = 0; i < 100; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    MessageSpy::Install(list);
    Pump();
    ASSERT_TRUE(GetScrollBarInfoSafe(list, OBJID_VSCROLL, bar));
  }
  void TearDown() override {
    if (IsWindow(list)) DestroyWindow(list);
    ControlsFixture::TearDown();
  }
  POINT OnThumb() const {
    return POINT{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                 bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
  }
  LPARAM ClientAt(int screenY) const {
    POINT p{OnThumb().x, screenY};
    ScreenToClient(list, &p);
    return MAKELPARAM(p.x, p.y);
  }
  HWND list = nullptr;
  SCROLLBARINFO bar{};
  const int arrow = GetSystemMetrics(SM_CYVSCROLL);
};

TEST_F(ListThumbDragTest, DraggedToTheBottomSendsTheLastPage) {
  const POINT at = OnThumb();
  PostMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, ClientAt(at.y + 40));
  PostMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, ClientAt(bar.rcScrollBar.bottom + 300));
  PostMessageW(list, WM_LBUTTONUP, 0, ClientAt(bar.rcScrollBar.bottom + 300));
  EXPECT_TRUE(DragListThumb(list, at, arrow));
  Pump();
  const std::vector<WPARAM> seen = MessageSpy::WParamsOf(WM_VSCROLL);
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(LOWORD(seen[seen.size() - 3]), SB_THUMBTRACK);
  EXPECT_EQ(HIWORD(seen[seen.size() - 3]), 90);
  EXPECT_EQ(LOWORD(seen[seen.size() - 2]), SB_THUMBPOSITION);
  EXPECT_EQ(HIWORD(seen[seen.size() - 2]), 90);
  EXPECT_EQ(LOWORD(seen.back()), SB_ENDSCROLL);
  EXPECT_NE(GetCapture(), list);

  // A press off the thumb is not the drag's.
  EXPECT_FALSE(DragListThumb(list, POINT{at.x, bar.rcScrollBar.top + 1}, arrow));
}

TEST_F(ListThumbDragTest, PressAndReleaseWithoutMovingSendsTheCurrentPosition) {
  PostMessageW(list, WM_LBUTTONUP, 0, ClientAt(OnThumb().y));
  EXPECT_TRUE(DragListThumb(list, OnThumb(), arrow));
  const std::vector<WPARAM> seen = MessageSpy::WParamsOf(WM_VSCROLL);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], static_cast<WPARAM>(MAKEWPARAM(SB_THUMBPOSITION, 0)));
}

TEST_F(ListThumbDragTest, EndsWhenCaptureIsLostOrTheListDiesAndHandsOnQuit) {
  // Another window takes the capture: the drag ends without a release.
  HWND other = form->Handle();
  SetTimer(other, 77, 10, [](HWND w, UINT, UINT_PTR id, DWORD) {
    KillTimer(w, id);
    SetCapture(w);
  });
  EXPECT_TRUE(DragListThumb(list, OnThumb(), arrow));
  EXPECT_EQ(GetCapture(), other);
  ReleaseCapture();
  for (WPARAM w : MessageSpy::WParamsOf(WM_VSCROLL)) EXPECT_NE(LOWORD(w), SB_THUMBPOSITION);

  // WM_QUIT met in the loop ends it and is posted again.
  PostQuitMessage(3);
  EXPECT_TRUE(DragListThumb(list, OnThumb(), arrow));
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);

  // The list destroyed while dragging.
  static HWND doomed;
  doomed = list;
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    DestroyWindow(doomed);
  });
  EXPECT_TRUE(DragListThumb(list, OnThumb(), arrow));
  EXPECT_FALSE(IsWindow(list));
}

}  // namespace
