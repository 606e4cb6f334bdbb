// The help menu's files open as the learner opens them, in the prefix the
// scripts prepare: each shows a window (the viewer's, on the display), and
// the update page opens in the desktop's browser or the learner is told.
#include <gtest/gtest.h>

#include "host_windows.h"
#include "main_form_fixture.h"
#include "screenshot.h"

#include <shlwapi.h>

namespace {

class HelpFiles : public MainFormTest {
protected:
  // The scratch folder outlives the test: no video is left for the next one.
  void TearDown() override {
    RemoveFile(folder + "Tapmira2020使用演示.mp4");
    MainFormTest::TearDown();
  }
  // What the menu item shows: the new window, or nothing (false).
  bool Opens(void (TForm1::*item)(TObject*), THostWindow& shown) {
    const std::vector<THostWindow> before = HostWindows();
    (form->*item)(form);
    return boxes.Calls.empty() && NewHostWindow(before, shown, [this] { Pump(); });
  }
  // The short video the build makes beside the tests, as the program's.
  void PutVideo() {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::string tests = WideToGbk(exe);
    tests.resize(tests.rfind('\\') + 1);
    TBytes video;
    ASSERT_TRUE(ReadFileBytes(tests + "help_video.mp4", video));
    ASSERT_TRUE(WriteFileBytes(folder + "Tapmira2020使用演示.mp4", video.data(), video.size()));
  }
};

TEST_F(HelpFiles, EachFileShowsAViewerWindow) {
  PutVideo();
  // The viewer each file is for, where the set-up names it ("" the desktop's).
  const struct {
    const char* name;
    void (TForm1::*item)(TObject*);
    const char* viewer;
    const char* shot;
  } items[] = {{"标准键盘键位图", &TForm1::N3Click, "", "help_keyboard"},
               {"数字键盘指法图", &TForm1::N4Click, "", "help_numpad"},
               {"五笔字根图86版", &TForm1::N861Click, "", "help_roots"},
               {"五笔打字教程", &TForm1::N5Click, "wordpad.exe", "help_tutorial"},
               {"演示视频", &TForm1::N6Click, "ffplay", "help_video"}};
  for (const auto& item : items) {
    THostWindow shown;
    EXPECT_TRUE(Opens(item.item, shown)) << item.name << " shows no window";
    EXPECT_TRUE(boxes.Calls.empty()) << item.name << ": " << boxes.Calls[0].Text;
    if (shown.Id.empty()) continue;
    if (*item.viewer) {
      EXPECT_EQ(shown.Class, item.viewer) << item.name;
    }
    Sleep(1000);  // the viewer draws what it opened
    SaveWindowShot(GetDesktopWindow(), ArtefactFolder() + item.shot + ".bmp");
    CloseHostWindow(shown);
  }
}

TEST_F(HelpFiles, TheUpdatePageOpensInTheBrowserOrTheLearnerIsTold) {
  wchar_t command[MAX_PATH];
  DWORD size = MAX_PATH;
  const bool browser =
      AssocQueryStringW(ASSOCF_NONE, ASSOCSTR_COMMAND, L"https", L"open", command, &size) == S_OK;
  THostWindow shown;
  const bool opened = Opens(&TForm1::N1Click, shown);
  if (browser) {
    EXPECT_TRUE(opened) << "the prefix names a browser, yet nothing shows";
    EXPECT_TRUE(boxes.Calls.empty());
    if (opened) CloseHostWindow(shown);
  } else {
    EXPECT_FALSE(opened);
    ASSERT_EQ(boxes.Calls.size(), 1u);
    EXPECT_EQ(boxes.Calls[0].Text, "无法打开“https://tapmira.org/update/”。");
  }
}

}  // namespace
