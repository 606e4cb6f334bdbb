#pragma once
// The main window started from a scratch copy of the built program folder,
// driven by real clicks and keys.
#include <gtest/gtest.h>

#include <cctype>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "program_fixture.h"

class MainFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    FreshProgramStart(keepSettings);
    folder = CopyProgramFolder("mainform");
    // No history from an earlier test: each run now reaches the file at once.
    for (const char* name : {"svlScore.dat", "svlScore.bak", "svlScore2.bak"}) RemoveFile(folder + name);
    SetProgramFolderOverride(folder);
    form = CreateFormObject<TForm1>(Application);
    ASSERT_TRUE(Practice.StartedUp) << (boxes.Calls.empty() ? "" : boxes.Calls[0].Text);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    SetProgramFolderOverride("");
  }
  void Pump() {
    for (int i = 0; i < 5; ++i) {
      Application->ProcessMessages();
      Sleep(10);
    }
  }
  // A left click at the middle of a window, as the mouse delivers it.
  void Click(HWND w) {
    PostMiddleClick(w);
    Pump();
  }
  // Where the keyboard sends keys now: the focused window, else the form.
  HWND Focused() {
    HWND f = GetFocus();
    return f ? f : form->Handle();
  }
  // The key that types a letter, a digit or a space.
  static WORD KeyOf(char c) { return c == ' ' ? VK_SPACE : static_cast<WORD>(toupper(static_cast<unsigned char>(c))); }
  void Key(HWND w, WORD vk) {
    PostMessageW(w, WM_KEYDOWN, vk, 1);
    PostMessageW(w, WM_KEYUP, vk, 0xC0000001);
    Pump();
  }
  // Shift+Esc (pause or continue), or Ctrl+Shift+Esc.
  void ShiftEscape(bool withCtrl = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = 0x80;
    if (withCtrl) state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    Key(Focused(), VK_ESCAPE);
    state[VK_SHIFT] = 0;
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
  }
  static std::string WindowText(HWND w) {
    wchar_t buf[256] = {};
    GetWindowTextW(w, buf, 256);
    return WideToGbk(buf);
  }
  static int StoredSwitch(const char* name) {
    TRegistry reg;
    if (!reg.OpenKey("\\Software\\Sunvelo\\Tapmira", false)) return -1;
    return reg.ReadInteger(name);
  }

  TMessageBoxRecorder boxes{IDOK};
  TForm1* form = nullptr;
  std::string folder;         // the scratch program folder
  bool keepSettings = false;  // start with the settings stored before
};
