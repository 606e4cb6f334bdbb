#pragma once
// The dispatcher's tests: a form with the test skin whose dispatcher records
// every decision it makes, bare child windows under a parent of our own that
// records the WM_COMMAND it receives.
#include <windows.h>

#include <map>
#include <utility>
#include <vector>

#include "skin/win/controls/control.h"
#include "skin/win/controls/dispatch.h"
#include "skin_family_fixture.h"

// A window of our own that records the WM_COMMAND it receives.
struct CommandLog {
  static std::vector<std::pair<WPARAM, LPARAM>>& Items() {
    static std::vector<std::pair<WPARAM, LPARAM>> items;
    return items;
  }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) Items().emplace_back(wp, lp);
    return DefWindowProcW(w, msg, wp, lp);
  }
  static HWND Make() {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"SkinControlsTestParent";
      RegisterClassW(&wc);
      registered = true;
    }
    Items().clear();
    return CreateWindowExW(0, L"SkinControlsTestParent", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 300,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
};

inline WNDPROC ProcOf(HWND w) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)); }

struct SkinControlsTest : SkinFamilyFixture {
  void SetUp() override {
    SkinFamilyFixture::SetUp();
    dispatcher->OnAttach = [this](TSkinKind kind, TControl* control, HWND window) {
      decisions.push_back({kind, control, window});
    };
  }
  void TearDown() override {
    SkinFamilyFixture::TearDown();
    for (HWND w : windows) DestroyWindow(w);
  }
  // Decisions only: every family gets a plain object that paints nothing.
  void DecideOnly() {
    dispatcher->Factory = [](TSkinKind, TComponent* owner) { return new TSkinControl(owner); };
  }
  std::map<TControl*, std::vector<TSkinKind>> ByControl() const {
    std::map<TControl*, std::vector<TSkinKind>> out;
    for (const auto& d : decisions) out[d.control].push_back(d.kind);
    return out;
  }
  HWND Child(HWND parent, const wchar_t* cls, DWORD style, int id = 0) {
    HWND w = CreateWindowExW(0, cls, L"Ok", WS_CHILD | WS_VISIBLE | style, 10, 10, 90, 28, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    return w;
  }
  HWND Parent() {
    HWND p = CommandLog::Make();
    windows.push_back(p);
    return p;
  }

  struct Decision {
    TSkinKind kind;
    TControl* control;
    HWND window;
  };
  std::vector<Decision> decisions;
  std::vector<HWND> windows;
};

