#include <gtest/gtest.h>

#include "app_support.h"
#include "toolkit/win/app_errors.h"
#include "toolkit/win/form.h"
#include "toolkit/win/message_box.h"
#include "toolkit/win/system_error.h"

namespace {

// A main form whose creation fails, as a start-up error would make it.
class TFailingForm : public TForm {
public:
  explicit TFailingForm(TComponent* owner) : TForm(owner) {
    OnCreate = [](TObject*) { throw Exception("start-up failed"); };
  }
};

bool g_loopWaited = false;

TEST(ApplicationRun, EndsWhenTheMainFormCannotBeCreated) {
  FreshApplication();
  std::vector<std::string> reports;
  TExceptionReport previous = SetExceptionReport([&](const std::string& text) { reports.push_back(text); });
  TFailingForm* main = nullptr;
  EXPECT_FALSE(Guarded([&] { Application->CreateForm(main); }));
  ASSERT_EQ(reports.size(), 1u) << "the error is shown";
  // A loop that waited for ever is ended from outside after two seconds.
  g_loopWaited = false;
  UINT_PTR watchdog = SetTimer(nullptr, 0, 2000, [](HWND, UINT, UINT_PTR, DWORD) {
    g_loopWaited = true;
    PostQuitMessage(0);
  });
  Application->Run();
  KillTimer(nullptr, watchdog);
  EXPECT_FALSE(g_loopWaited) << "the message loop ran without a window";
  SetExceptionReport(std::move(previous));
}

// A main form whose window the system refuses: its owner window does not exist.
class TUnmakeableForm : public TForm {
public:
  explicit TUnmakeableForm(TComponent* owner) : TForm(owner) { SetName("Unmakeable"); }
  void CreateParams(TCreateParams& p) override {
    TForm::CreateParams(p);
    p.WndParent = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0xBAD0));
  }
};

// The program's main block, as WinMain runs it, over a main form whose window
// cannot be made: the error is shown with the system's own text and the
// program ends, where it used to reach std::terminate without a word.
TEST(ApplicationRun, AWindowThatCannotBeMadeIsShownWithTheSystemsText) {
  delete Application;  // the main block makes its own
  TMessageBoxRecorder boxes{IDOK};
  const int exitCode = RunMainBlock([] {
    TApplication app;
    Application->Initialize();
    TUnmakeableForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    return 0;
  });
  EXPECT_EQ(exitCode, 1);
  ASSERT_EQ(boxes.Calls.size(), 1u);
  const std::string& text = boxes.Calls[0].Text;
  EXPECT_NE(text.find("cannot create the window of Unmakeable"), std::string::npos) << text;
  const std::string systemText = SystemErrorText(ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_NE(systemText, "system error 1400") << "the system has a text of its own";
  EXPECT_NE(text.find(systemText), std::string::npos) << text;
  EXPECT_NE(text.find("(code 1400)"), std::string::npos) << text;
  EXPECT_EQ(boxes.Calls[0].Caption, "错误");
  FreshApplication();
}

}  // namespace
