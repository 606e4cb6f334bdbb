// The program's own windows drawn with the program's skin: the main window,
// the about box, the user and score dialogs and a message box, each skinned
// by the hook as it is activated, and saved as screenshots.
#include <windows.h>

#include <string>

#include "main_form_fixture.h"
#include "practice/data/score.h"
#include "practice/data/user_list.h"
#include "practice/main/Unit2.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/scroll/scrollbar.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "skin_strips.h"
#include "skinned_frame.h"
#include "users/Unit3.h"
#include "users/Unit5.h"

namespace {

// The middle of the window's left border shows the skin's left border image
// there, in the frame of the window's state (active or not).
bool ShowsSkinBorder(HWND w) {
  TWinSkinForm* f = SkinnedFrame(w);
  if (!f || !f->SkinData() || !f->SkinData()->Borders[0]) return false;
  const TDataSkinBorder& left = *f->SkinData()->Borders[0];
  RECT r{};
  GetWindowRect(w, &r);
  HDC dc = GetWindowDC(w);
  const TColor shown = static_cast<TColor>(GetPixel(dc, 1, (r.bottom - r.top) / 2));
  ReleaseDC(w, dc);
  TBitmap& image = *left.Bitmap;
  return shown == StripFramePixel(image, left.FrameCount, f->Active() ? 1 : 2, 1, image.GetHeight() / 2);
}

class SkinnedProgram : public MainFormTest {
protected:
  // The window's client area sits inside the skin's frame, and the system
  // draws no caption buttons of its own.
  static void ExpectSkinFrame(HWND w) {
    TWinSkinForm* f = SkinnedFrame(w);
    ASSERT_NE(f, nullptr);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(origin.x - r.left, f->Metrics().Left);
    EXPECT_EQ(origin.y - r.top, f->Metrics().Top);
    EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_EQ(SendMessageW(w, SM_ISSKINNED, 0, 0), 1);
  }
  void Shot(HWND w, const char* name) {
    PumpFor(100);
    SaveWindowShot(w, ArtefactFolder() + name);
  }
};

TEST_F(SkinnedProgram, MainWindowAboutBoxAndDialogsWearTheSkin) {
  HWND main = form->Handle();
  ASSERT_NE(WaitForSkinnedFrame(main), nullptr);
  ExpectSkinFrame(main);
  EXPECT_EQ(form->ClientWidth(), 961);
  EXPECT_EQ(form->ClientHeight(), 521);
  Shot(main, "skinned_main.bmp");
  EXPECT_TRUE(ShowsSkinBorder(main));

  // Each dialog shown, skinned, photographed and closed.
  auto dialog = [&](TForm* created, const char* shot) {
    std::unique_ptr<TForm> d(created);
    d->Show();
    ASSERT_NE(WaitForSkinnedFrame(d->Handle()), nullptr);
    ExpectSkinFrame(d->Handle());
    Shot(d->Handle(), shot);
    EXPECT_TRUE(ShowsSkinBorder(d->Handle())) << shot;
  };
  dialog(CreateFormObject<TForm2>(Application), "skinned_about.bmp");
  dialog(CreateFormObject<TForm5>(Application), "skinned_users.bmp");
  dialog(CreateFormObject<TForm3>(Application), "skinned_scores.bmp");
}

// A learner's round: a letter drill, full screen and back; the skin's frame
// follows the window's border style each way, and no picture of the old
// frame is left inside the window.
TEST_F(SkinnedProgram, DrillFullScreenAndBackKeepTheSkin) {
  HWND main = form->Handle();
  ASSERT_NE(WaitForSkinnedFrame(main), nullptr);
  Click(form->RadioGroup1->Buttons(1)->Handle());
  Click(form->RadioGroup2->Buttons(0)->Handle());
  Click(form->Button1->Handle());
  for (int i = 0; i < 6; ++i) {
    const std::string symbol = form->Label1->GetCaption();
    ASSERT_EQ(symbol.size(), 1u);
    Key(main, KeyOf(symbol[0]));
    PumpFor(550);  // the hit's flash
  }
  Shot(main, "skinned_drill.bmp");
  Key(main, VK_ESCAPE);

  Click(form->Button6->Handle());
  ASSERT_EQ(form->GetBorderStyle(), TFormBorderStyle::bsNone);
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
  ExpectSkinFrame(main);
  Shot(main, "skinned_full_screen.bmp");
  // Full screen has no caption: the top row is the form's own face.
  const TColor face = ColorToRGB(form->GetColor());
  HDC dc = GetWindowDC(main);
  const int left = form->RadioGroup1->GetLeft();
  for (int x : {left / 2, 200, 400}) EXPECT_EQ(static_cast<TColor>(::GetPixel(dc, x, 2)), face) << x;
  ReleaseDC(main, dc);

  Click(form->Button6->Handle());
  ASSERT_EQ(form->GetBorderStyle(), TFormBorderStyle::bsSingle);
  ASSERT_NE(WaitForSkinnedFrame(main), nullptr);
  ExpectSkinFrame(main);
  EXPECT_GT(SkinnedFrame(main)->Metrics().Top, 0) << "the way back gets the skin's caption again";
  EXPECT_EQ(form->ClientWidth(), 961);
  EXPECT_EQ(form->ClientHeight(), 521);
  Shot(main, "skinned_after_full_screen.bmp");
  // Just under the caption lies the form's face, not a copy of the caption.
  dc = GetDC(main);
  for (int x : {200, 400}) EXPECT_EQ(static_cast<TColor>(::GetPixel(dc, x, 2)), face) << x;
  ReleaseDC(main, dc);
}

// The box is a system dialog of another module: skinned by the hook while
// its own modal loop runs; a timer of that loop looks at it and closes it.
HWND boxSeen = nullptr;
bool boxSkinned = false, boxBordered = false;
int boxTicks = 0;
void CALLBACK LookAtBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(L"#32770", L"提示");
  ++boxTicks;
  TWinSkinForm* f = SkinnedFrame(box);
  if (f) {
    boxSeen = box;
    boxSkinned = SendMessageW(box, SM_ISSKINNED, 0, 0) == 1 && !(GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU);
    // Looked at again at the next tick until its frame is painted.
    boxBordered = ShowsSkinBorder(box);
    if (boxBordered || boxTicks > 40) SaveWindowShot(box, ArtefactFolder() + "skinned_message_box.bmp");
  }
  if (boxBordered || boxTicks > 40) {
    KillTimer(nullptr, id);
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

TEST_F(SkinnedProgram, MessageBoxWearsTheSkin) {
  ASSERT_NE(WaitForSkinnedFrame(form->Handle()), nullptr);
  boxSeen = nullptr;
  boxBordered = false;
  boxTicks = 0;
  SetTimer(nullptr, 0, 100, LookAtBox);
  MessageBoxW(form->Handle(), L"请先选择练习类型。", L"提示", MB_OK | MB_ICONINFORMATION);
  EXPECT_NE(boxSeen, nullptr);
  EXPECT_TRUE(boxSkinned);
  EXPECT_TRUE(boxBordered);
}

// Long lists: their scroll bars are covered by skinned overlays.
TEST_F(SkinnedProgram, UserAndScoreDialogsWithSkinnedScrollBars) {
  std::string names = "abc;";
  for (int i = 1; i <= 40; ++i) names += "learner" + std::to_string(i) + ";";
  SplitUserList(Practice.Users, names);
  Practice.Users.CurrentUser = "abc";

  std::unique_ptr<TForm5> users(CreateFormObject<TForm5>(Application));
  users->Show();
  TWinSkinForm* frame = WaitForSkinnedFrame(users->Handle());
  ASSERT_NE(frame, nullptr);
  auto* boxSkin = dynamic_cast<TSkinScrollbar*>(frame->Controls().FindByControl(users->ListBox1));
  ASSERT_NE(boxSkin, nullptr) << "the list box's bars are skinned by the dispatcher";
  EXPECT_TRUE(boxSkin->FBars.Vert->FShown);
  Shot(users->Handle(), "skinned_users_scrollbar.bmp");
  // The list box re-creates its window: the frame gives it a new scroll-bar skin, once.
  users->ListBox1->RecreateWnd();
  PumpFor(100);
  int skins = 0;
  for (TSkinControl* c : frame->Controls().Snapshot()) skins += c->FControl == users->ListBox1;
  EXPECT_EQ(skins, 1);
  boxSkin = dynamic_cast<TSkinScrollbar*>(frame->Controls().FindByControl(users->ListBox1));
  ASSERT_NE(boxSkin, nullptr);
  EXPECT_EQ(boxSkin->Handle(), users->ListBox1->Handle());
  ASSERT_TRUE(boxSkin->FBars.Vert);
  EXPECT_TRUE(boxSkin->FBars.Vert->FShown);
  users.reset();

  Practice.Scores = TScoreTable{};
  for (int i = 0; i < 60; ++i) {
    svlScoreSet r;
    r.User = i % 2 ? "abc" : "learner1";
    r.PracticeType = "英文(大)";
    r.TimeUsed = "0:1:0";
    r.Total = std::to_string(100 + i) + "字";
    r.AccuracyText = "99%";
    r.Errors = "1";
    r.Speed = std::to_string(60 + i) + "字/分";
    r.DateText = "2026年1月2日3时4分 星期五";
    ASSERT_TRUE(AppendScoreRecord(Practice.Scores, r));
  }
  std::unique_ptr<TForm3> scores(CreateFormObject<TForm3>(Application));
  scores->Show();
  frame = WaitForSkinnedFrame(scores->Handle());
  ASSERT_NE(frame, nullptr);
  // The list view's own family builds on the scroll-bar skin.
  auto* bars = dynamic_cast<TSkinScrollbar*>(frame->Controls().FindByControl(scores->ListView1));
  ASSERT_NE(bars, nullptr);
  PumpFor(100);
  EXPECT_TRUE(bars->FBars.Vert->FShown);
  Shot(scores->Handle(), "skinned_scores_scrollbar.bmp");
}

}  // namespace
