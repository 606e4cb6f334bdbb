#pragma once
// A form on screen for the control tests, with helpers that deliver input the
// way the system does (posted to the window, pumped through the application).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_fixture.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/std_controls.h"

struct ControlsFixture : FormFixture {
  void TearDown() override {
    FormFixture::TearDown();
    EXPECT_TRUE(reports.empty()) << reports.front();
  }
  template <class T>
  T* Make(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    T* c = new T(form);
    c->SetParent(parent ? parent : form);
    c->SetBounds(left, top, width, height);
    return c;
  }
  // A left click at client point (x, y) as the mouse posts it, then pumped.
  void PostClick(HWND w, int x, int y) {
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
  }
  // Characters as the keyboard or an input method hands them to a window.
  void TypeWide(HWND w, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(w, WM_CHAR, c, 1);
    Pump();
  }
  static std::wstring WindowText(HWND w) {
    wchar_t buf[512] = {};
    GetWindowTextW(w, buf, 512);
    return buf;
  }
  void SetClipboardText(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(form->Handle()));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(h), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(h);
    SetClipboardData(CF_UNICODETEXT, h);
    CloseClipboard();
  }
};

// "五笔打字" as UTF-16, independent of the compiler's execution character set.
inline const std::wstring kWubiWide = L"\x4E94\x7B14\x6253\x5B57";
