#include <gtest/gtest.h>

#include <cstring>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "program_fixture.h"
#include "screenshot.h"

namespace {

// The main window as a learner first sees it, driven by real clicks and keys.
struct MainWindow : ::testing::Test {
  void SetUp() override {
    FreshApplication();
    Practice = TPracticeState{};
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Sunvelo\\Tapmira");
    SetProgramFolderOverride(CopyProgramFolder("mainwindow"));
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
    RECT r;
    GetClientRect(w, &r);
    LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(w, WM_LBUTTONUP, 0, at);
    Pump();
  }
  void Key(HWND w, WORD vk) {
    PostMessageW(w, WM_KEYDOWN, vk, 1);
    PostMessageW(w, WM_KEYUP, vk, 0xC0000001);
    Pump();
  }
  std::string WindowText(HWND w) {
    wchar_t buf[256] = {};
    GetWindowTextW(w, buf, 256);
    return WideToGbk(buf);
  }
  TMessageBoxRecorder boxes{IDOK};
  TForm1* form = nullptr;
};

TEST_F(MainWindow, IdleScreenShowsItsControlsWithChineseCaptions) {
  EXPECT_EQ(WindowText(form->Handle()), "Tapmira     2020年8月15日版----abc");
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 961);
  EXPECT_EQ(client.bottom, 521);
  EXPECT_EQ(form->Label1->GetCaption(), "打");
  EXPECT_EQ(form->Label4->GetCaption(), "习");
  EXPECT_EQ(WindowText(form->Button1->Handle()), "开始");
  EXPECT_EQ(WindowText(form->CheckBox1->Handle()), "关闭背景音乐");
  EXPECT_EQ(form->RadioGroup1->ButtonCount(), 23);
  EXPECT_EQ(WindowText(form->RadioGroup1->Buttons(22)->Handle()), "五笔文章");
  EXPECT_EQ(form->RadioGroup1->GetItemIndex(), 0);
  EXPECT_EQ(form->RadioGroup2->GetItemIndex(), 0);
  EXPECT_FALSE(IsWindowVisible(form->Button2->Handle()));
  EXPECT_FALSE(IsWindowVisible(form->RichEdit1->Handle()));
  EXPECT_FALSE(form->Label15->GetVisible());
  EXPECT_EQ(form->Label9->GetCaption(), "500毫秒");
  ASSERT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "main-window-idle.bmp"));
}

TEST_F(MainWindow, ClicksAndKeysReachTheControls) {
  // Choosing a practice type and a test length by clicking their buttons.
  Click(form->RadioGroup1->Buttons(10)->Handle());
  EXPECT_EQ(form->RadioGroup1->GetItemIndex(), 10);
  Click(form->RadioGroup2->Buttons(2)->Handle());
  EXPECT_EQ(form->RadioGroup2->GetItemIndex(), 2);

  // Switching the music off stores the switch at once.
  Click(form->CheckBox1->Handle());
  EXPECT_TRUE(form->CheckBox1->GetChecked());
  EXPECT_EQ(Practice.Settings.MusicOn, 0);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", false));
  EXPECT_EQ(reg.ReadInteger("PlayMp3"), 0);

  // The flash time follows the track bar, moved with the arrow keys.
  form->TrackBar1->SetFocus();
  Key(form->TrackBar1->Handle(), VK_RIGHT);
  EXPECT_EQ(form->TrackBar1->GetPosition(), 6);
  EXPECT_EQ(form->Label9->GetCaption(), "600毫秒");
  EXPECT_EQ(form->Timer4->GetInterval(), 600u);

  // Typing into the answer box.
  form->Edit1->SetFocus();
  Key(form->Edit1->Handle(), 'A');
  Key(form->Edit1->Handle(), 'B');
  EXPECT_EQ(form->Edit1->GetText(), "ab");
}

}  // namespace
