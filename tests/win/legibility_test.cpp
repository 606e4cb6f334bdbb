// Screenshots of every window, both pop-up menus and a message box as the
// learner sees them (build artefacts, to be looked at), and the fonts the
// system gives the captions.
#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "practice/main/Unit2.h"
#include "screenshot.h"
#include "users/Unit3.h"
#include "users/Unit5.h"

namespace {

// A shot of the first shown window of `className` taken from inside a modal
// loop (menu or message box), which is then closed.
struct TModalShot {
  const wchar_t* ClassName;
  std::string Path;
  bool Taken = false;
};
TModalShot* g_shot = nullptr;

HWND ShownWindowOfClass(const wchar_t* className) {
  for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w; w = FindWindowExW(nullptr, w, className, nullptr))
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

void CALLBACK ShootModal(HWND, UINT, UINT_PTR id, DWORD) {
  HWND w = ShownWindowOfClass(g_shot->ClassName);
  if (!w) return;
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  g_shot->Taken = SaveWindowShot(w, g_shot->Path);
  KillTimer(nullptr, id);
  if (wcscmp(g_shot->ClassName, L"#32768") == 0) EndMenu();
  else PostMessageW(w, WM_COMMAND, IDOK, 0);
}

class Legibility : public MainFormTest {
protected:
  void Shoot(HWND w, const std::string& name) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    EXPECT_TRUE(SaveWindowShot(w, ArtefactFolder() + name)) << name;
  }
  template <class F>
  void ShootModal(const wchar_t* className, const std::string& name, F open) {
    TModalShot shot{className, ArtefactFolder() + name};
    g_shot = &shot;
    UINT_PTR timer = SetTimer(nullptr, 0, 300, ::ShootModal);
    open();
    KillTimer(nullptr, timer);
    g_shot = nullptr;
    EXPECT_TRUE(shot.Taken) << name;
  }
};

TEST_F(Legibility, EveryWindowMenuAndMessageBox) {
  Form1 = form;
  Shoot(form->Handle(), "legible-main.bmp");
  POINT at{form->Button4->GetLeft() + 10, form->Button4->GetTop() + 10};
  ClientToScreen(form->Handle(), &at);
  ShootModal(L"#32768", "legible-menu-exit.bmp", [&] { form->PopupMenu2->Popup(at.x, at.y); });
  ShootModal(L"#32768", "legible-menu-help.bmp", [&] { form->PopupMenu1->Popup(at.x - 200, at.y - 200); });
  ShootModal(L"#32770", "legible-message-box.bmp", [&] {
    MessageBoxW(form->Handle(), GbkToWide("用户已满200个，不能再新建用户！").c_str(), GbkToWide("提示").c_str(),
                MB_OK | MB_ICONINFORMATION);
  });

  std::unique_ptr<TForm2> about(CreateFormObject<TForm2>(Application));
  about->Show();
  Shoot(about->Handle(), "legible-about.bmp");
  about.reset();

  SplitUserList(Practice.Users, "abc;张三;李四;");
  std::unique_ptr<TForm5> users(CreateFormObject<TForm5>(Application));
  users->Show();
  Shoot(users->Handle(), "legible-users.bmp");
  users.reset();

  svlScoreSet r{"张三", "五笔单练", "0:5:0", "320字", "97.5%", "8", "64字/分", "2026年12月9日10时5分 星期三", ""};
  AppendScoreRecord(Practice.Scores, r);
  std::unique_ptr<TForm3> scores(CreateFormObject<TForm3>(Application));
  scores->Show();
  Shoot(scores->Handle(), "legible-scores.bmp");
  scores.reset();
  Form1 = nullptr;
}

}  // namespace
