// The program's menu tracking: while a bar pull-down is open a message-filter
// hook of the thread turns the arrow keys and the mouse over other bar buttons
// into a switch. Switching never nests menu loops: the hook records the button
// to open and ends the open pull-down; the frame opens the next one once
// TrackPopupMenu has returned.
#include "skin/win/menu/tracking.h"

#include "skin/win/frame/form.h"
#include "skin/win/menu/bar.h"
#include "toolkit/win/app_errors.h"

namespace {
bool IsKeyMessage(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }
}  // namespace

TMenuTracking& MenuTracking() {
  static TMenuTracking tracking;
  return tracking;
}

// --- A bar pull-down ----------------------------------------------------------------

void TMenuTracking::BarPullDownOpened(TWinSkinForm* frame, int index, HMENU menu) {
  barFrame_ = frame;
  barMenu_ = menu;
  trackedIndex_ = index;
  nextIndex_ = -1;
  inLoop_ = true;
  kind_ = TMenuKind::BarPullDown;
  InstallHook();
}

int TMenuTracking::BarPullDownClosed() {
  const int next = nextIndex_;
  RemoveHook();
  barFrame_ = nullptr;
  barMenu_ = nullptr;
  nextIndex_ = -1;
  inLoop_ = false;
  kind_ = TMenuKind::Context;
  return next;
}

void TMenuTracking::CancelBarPullDown(const TWinSkinForm* frame) {
  if (!frame || frame != barFrame_) return;
  nextIndex_ = -1;
  EndMenu();
}

void TMenuTracking::MenuSelected(const TWinSkinForm* frame, UINT flags, HMENU menu) {
  if (!frame || frame != barFrame_) return;
  if (flags == 0xFFFF && !menu) {
    if (!switchingMenu_) inLoop_ = false;  // the menu closes without a switch
    return;
  }
  switchingMenu_ = false;
  selected_ = true;
  selectedMenu_ = menu;
  selectedHasPopup_ = (flags & MF_POPUP) != 0;
}

// --- The skinned system popup ---------------------------------------------------------

void TMenuTracking::SystemPopupOpened(TWinSkinForm* frame) {
  kind_ = TMenuKind::SystemMenu;
  systemFrame_ = frame;
}

void TMenuTracking::SystemPopupClosed() {
  systemFrame_ = nullptr;
  kind_ = TMenuKind::Context;
}

void TMenuTracking::FrameGone(const TWinSkinForm* frame) {
  if (systemFrame_ == frame) systemFrame_ = nullptr;
  if (barFrame_ == frame) barFrame_ = nullptr;
}

// --- The hook -------------------------------------------------------------------------

void TMenuTracking::InstallHook() {
  switchingMenu_ = false;
  firstKeyPosted_ = false;
  selected_ = false;
  selectedMenu_ = nullptr;
  selectedHasPopup_ = false;
  GetCursorPos(&lastMousePos_);
  if (!hook_) hook_ = SetWindowsHookExW(WH_MSGFILTER, &TMenuTracking::HookProc, nullptr, GetCurrentThreadId());
}

void TMenuTracking::RemoveHook() {
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  trackedIndex_ = -1;
  selected_ = false;
  firstKeyPosted_ = false;
}

TMenuBtn* TMenuTracking::Neighbour(bool next) const {
  const TWinSkinMenu* bar = barFrame_ ? barFrame_->MenuBar() : nullptr;
  if (!bar || bar->ButtonCount() == 0) return nullptr;
  const int n = bar->ButtonCount();
  int i = next ? trackedIndex_ + 1 : trackedIndex_ - 1;
  if (i >= n) i = 0;
  if (i < 0) i = n - 1;
  return bar->Button(i);
}

LRESULT CALLBACK TMenuTracking::HookProc(int code, WPARAM wp, LPARAM lp) {
  TMenuTracking& t = MenuTracking();
  auto* msg = reinterpret_cast<MSG*>(lp);
  const TWinSkinMenu* bar = t.barFrame_ ? t.barFrame_->MenuBar() : nullptr;
  // A right-to-left bar runs the other way: only the arrow keys change sides.
  if (code >= 0 && msg && bar && bar->RightToLeft() && IsKeyMessage(msg->message)) {
    if (msg->wParam == VK_LEFT) msg->wParam = VK_RIGHT;
    else if (msg->wParam == VK_RIGHT) msg->wParam = VK_LEFT;
  }
  LRESULT result = CallNextHookEx(t.hook_, code, wp, lp);
  if (result || code != MSGF_MENU || !msg || !t.barFrame_) return result;
  bool eaten = false;
  Guarded([&] { eaten = t.FilterMenuMessage(*msg); });
  return eaten ? 1 : 0;
}

bool TMenuTracking::FilterMenuMessage(MSG& msg) {
  if (!firstKeyPosted_) {
    firstKeyPosted_ = true;
    PostMessageW(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  const TWinSkinForm& frame = *barFrame_;
  const TWinSkinMenu* bar = frame.MenuBar();
  TMenuBtn* chosen = nullptr;
  bool eaten = false;
  switch (msg.message) {
    case WM_KEYDOWN:
      if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) switchingMenu_ = false;
      if (msg.wParam == VK_LEFT && (!selected_ || selectedMenu_ == barMenu_)) chosen = Neighbour(false);
      else if (msg.wParam == VK_RIGHT && (!selected_ || !selectedHasPopup_)) chosen = Neighbour(true);
      break;
    case WM_SYSKEYDOWN:
      if (msg.wParam == VK_MENU) inLoop_ = false;  // Alt ends the loop
      return false;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (bar && (msg.pt.x != lastMousePos_.x || msg.pt.y != lastMousePos_.y)) {
        chosen = bar->ItemAtPoint(frame.ScreenToFrame(msg.pt.x, msg.pt.y));
        lastMousePos_ = msg.pt;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
      // A press on the open pull-down's own bar button closes it, and only that.
      if (bar) {
        TMenuBtn* at = bar->ItemAtPoint(frame.ScreenToFrame(msg.pt.x, msg.pt.y));
        if (at && at->ButtonIndex == trackedIndex_) {
          EndMenu();
          eaten = true;
        }
      }
      break;
    default:
      break;
  }
  if (chosen && chosen->ButtonIndex != trackedIndex_) {
    switchingMenu_ = true;
    nextIndex_ = chosen->ButtonIndex;
    EndMenu();
    eaten = true;
  }
  return eaten;
}
