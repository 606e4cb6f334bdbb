#include "toolkit/win/application.h"
#include "toolkit/win/hidden_window.h"

#include <commctrl.h>

#include "toolkit/win/app_errors.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/system_error.h"
#include "toolkit/win/thread.h"

TApplication* Application = nullptr;

const TClassInfo& TApplication::StaticClass() {
  static const TClassInfo info = TClassBuilder<TApplication>("TApplication", &TComponent::StaticClass()).Build();
  return info;
}

namespace {
LRESULT CALLBACK AppWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, msg, wp, lp); }
}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  Application = this;
  if (!Screen) Screen = new TScreen;
}

TApplication::~TApplication() {
  // Forms are owned components; they go before the application window.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  if (handle_) DestroyWindow(handle_);
  if (Application == this) Application = nullptr;
  delete Screen;
  Screen = nullptr;
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                           ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  RegisterToolkitClasses();
  TThread::InitMainThread();
  if (handle_) return;
  handle_ = CreateHiddenWindow(L"TApplication", AppWndProc, THiddenKind::TopLevel, GbkToWide(title_).c_str());
  if (!handle_) throw ESystemError("cannot create the application window", GetLastError());
  SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(false)));
  SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(true)));
}

HICON ProgramIcon(bool small) {
  const int cx = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  const int cy = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
  if (HANDLE own = LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, cx, cy, LR_SHARED))
    return static_cast<HICON>(own);
  return static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32512), IMAGE_ICON, cx, cy, LR_SHARED));
}

void TApplication::Run() {
  // Without a main form (its creation failed) nothing could ever end the loop.
  if (terminated_ || !mainForm_) return;
  if (mainForm_) mainForm_->Show();
  while (!terminated_ && HandleMessage()) {
  }
}

void TApplication::Terminate(int exitCode) {
  if (terminated_) return;
  exitCode_ = exitCode;
  PostQuitMessage(exitCode);
  terminated_ = true;
}

void TApplication::FormDestroyed(TCustomForm* f) {
  if (mainForm_ == f) mainForm_ = nullptr;
}

bool TApplication::HandleMessage() {
  MSG msg;
  BOOL r = GetMessageW(&msg, nullptr, 0, 0);
  if (r == 0 || r == -1) {
    terminated_ = true;
    return false;
  }
  ProcessMessage(msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ProcessMessage(msg);
  }
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (IsKeyMsg(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR) return false;
  // The window of a control, or a system window inside one (a combo box's edit).
  TWinControl* c = nullptr;
  for (HWND w = msg.hwnd; w && !c; w = GetParent(w)) c = TWinControl::FindControl(w);
  if (!c) return false;
  TMessage m{CN_BASE + msg.message, msg.wParam, msg.lParam, 0};
  Guarded([&] { c->WindowProc(m); });
  bool eaten = m.Result != 0;
  msg.wParam = m.WParam;  // a handler may have replaced the key
  // The window's own WM_KEYDOWN skips the key events only when it will arrive.
  if (msg.message != WM_SYSCHAR && (eaten || c->HandleOrNull() != msg.hwnd)) c->keyDownSeen_ = false;
  return eaten;
}

std::string TApplication::ExeName() const {
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
  return WideToGbk(std::wstring(buf, n));
}
