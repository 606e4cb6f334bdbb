// The program's exit code as a script that starts it sees it: 1 for every
// start-up that ends on a failure (told in a message box first), 0 for a
// start that the learner ends by closing the window.
#include <gtest/gtest.h>

#include <functional>

#include "program_fixture.h"
#include "program_process.h"
#include "screenshot.h"

namespace {

// The box the program shows before it ends: its text noted, its picture
// taken (when `shot` is given), then answered with OK.
std::string AnswerBox(const ProgramProcess& program, const std::string& shot = "") {
  HWND box = program.Window(L"#32770");
  if (!box) return "(no box)";
  wchar_t text[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  if (!shot.empty()) SaveWindowShot(box, ArtefactFolder() + shot);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return WideToGbk(text);
}

struct ProgramExit : ::testing::Test {
  void SetUp() override { FreshProgramStart(); }
};

// Each used to end with exit code 0, as if the program had run and been closed.
TEST_F(ProgramExit, EveryStartUpThatFailsEndsWithExitCodeOne) {
  // Each spoils a copy of the program's folder; what it returns is held
  // until the program has ended.
  struct Case {
    const char* name;
    std::function<HANDLE(const std::string& folder)> spoil;
    const char* told;
  };
  const Case cases[] = {
      {"module", [](const std::string& f) { return RemoveFile(f + "wbrc2.dll"), INVALID_HANDLE_VALUE; },
       "打开声音文件失败！"},
      {"wb1", [](const std::string& f) { return RemoveFile(f + "wb1.dat"), INVALID_HANDLE_VALUE; }, "打开字库失败！"},
      {"PYs",
       [](const std::string& f) {
         return WriteFileBytes(f + "PYs.dat", "\x01\x02\x03 not a dictionary", 23), INVALID_HANDLE_VALUE;
       },
       "PYs.dat: 文件已损坏"},
      {"score",  // a score file another program holds: it cannot be read
       [](const std::string& f) {
         return CreateFileW(GbkToWide(f + "svlScore.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
       },
       "svlScore.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = CopyProgramFolder(std::string("exit_") + c.name);
    HANDLE held = c.spoil(folder);
    ProgramProcess program(folder);
    ASSERT_TRUE(program.Started());
    const std::string told = AnswerBox(program);
    EXPECT_NE(told.find(c.told), std::string::npos) << told;
    EXPECT_EQ(program.ExitCode(), 1);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  }
}

TEST_F(ProgramExit, AStartEndedByClosingTheWindowEndsWithExitCodeZero) {
  ProgramProcess program(CopyProgramFolder("exit_closed"));
  ASSERT_TRUE(program.Started());
  HWND main = program.Window(L"TForm1");
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}

}  // namespace
