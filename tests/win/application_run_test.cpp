#include <gtest/gtest.h>

#include "app_support.h"
#include "toolkit/win/app_errors.h"
#include "toolkit/win/form.h"

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

}  // namespace
