// Changes made in the window survive a kill: a second copy of this test
// program starts the main window, creates a user through the user dialog,
// moves the track bar and ticks a check box by real input, says it is ready
// and waits; it is killed without any shut-down, and the main window started
// again here shows every change.
#include <windows.h>

#include <string>

#include "main_form_fixture.h"
#include "refused_key.h"
#include "users/Unit5.h"

namespace {

const wchar_t kReadyEvent[] = L"TAPMIRA_KILL_TEST_READY";  // the variable naming the event

// The child: everything it changes must be stored when changed. It starts
// with the settings its parent prepared.
struct DISABLED_KilledProgram : MainFormTest {
  void SetUp() override {
    keepSettings = true;
    MainFormTest::SetUp();
  }
};

TEST_F(DISABLED_KilledProgram, ChangesSettingsAndWaitsToBeKilled) {
  wchar_t eventName[64] = {};
  ASSERT_GT(GetEnvironmentVariableW(kReadyEvent, eventName, 64), 0u) << "started by KilledProgram only";
  Form1 = form;
  Click(form->CheckBox2->Handle());
  for (int i = 0; i < 3; ++i) Key(form->TrackBar1->Handle(), VK_RIGHT);
  std::unique_ptr<TForm5> users(CreateFormObject<TForm5>(Application));
  users->Show();
  Pump();
  Click(users->Button2->Handle());
  users->Edit1->SetText("小红");
  Click(users->Button6->Handle());
  ASSERT_EQ(Practice.Users.CurrentUser, "小红");
  ASSERT_TRUE(form->CheckBox2->GetChecked());
  ASSERT_EQ(form->TrackBar1->GetPosition(), 8);
  SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName));
  for (int i = 0; i < 600; ++i) Pump();  // killed long before this ends
  ADD_FAILURE() << "not killed";
}

struct KilledProgram : ::testing::Test {
  void TearDown() override {
    delete form;
    SetProgramFolderOverride("");
  }
  // Runs the child until it has made its changes, then kills it.
  void ChangeAndKill() {
    const std::wstring eventName = L"TapmiraKillTest" + std::to_wstring(GetCurrentProcessId());
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    SetEnvironmentVariableW(kReadyEvent, eventName.c_str());
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) +
                           L"\" --gtest_also_run_disabled_tests --gtest_filter=DISABLED_KilledProgram.*";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;  // the child's report would only confuse this one's
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    si.hStdOutput = si.hStdError = nul;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
    SetEnvironmentVariableW(kReadyEvent, nullptr);
    HANDLE waits[] = {ready, pi.hProcess};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 120000);
    TerminateProcess(pi.hProcess, 9);
    WaitForSingleObject(pi.hProcess, 10000);
    for (HANDLE h : {pi.hProcess, pi.hThread, ready, nul}) CloseHandle(h);
    ASSERT_EQ(woke, WAIT_OBJECT_0) << "the child made its changes";
  }
  void Restart() {
    FreshApplication();
    Practice = TPracticeState{};
    SetProgramFolderOverride(CopyProgramFolder("killed"));
    form = CreateFormObject<TForm1>(Application);
    ASSERT_TRUE(Practice.StartedUp);
  }
  TMessageBoxRecorder boxes{IDOK};
  TForm1* form = nullptr;
};

TEST_F(KilledProgram, KeepsTheUserAndSettingsItChanged) {
  FreshProgramStart();
  ChangeAndKill();
  Restart();
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_EQ(form->GetCaption(), UserCaption(Practice.DesignCaption, "小红"));
  EXPECT_EQ(Practice.Users.UserListText, "abc;小红;");
  EXPECT_EQ(form->TrackBar1->GetPosition(), 8);
  EXPECT_TRUE(form->CheckBox2->GetChecked());
  EXPECT_EQ(Practice.Settings.KeySoundsOn, 0);
}

// Where HKEY_LOCAL_MACHINE refuses changes, as it does for a standard user
// on Windows, every change was lost: they are kept under HKEY_CURRENT_USER,
// over the values HKEY_LOCAL_MACHINE holds.
TEST_F(KilledProgram, KeepsThemForTheUserWhereTheMachinesKeyRefusesChanges) {
  FreshProgramStart();
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", true));
    reg.WriteInteger("PlayMp3", 0);
    reg.WriteString("Users", "abc;bob;");
    reg.WriteString("CurrentUser", "bob");
  }
  {
    TRefusedKey machine(HKEY_LOCAL_MACHINE, L"Software\\Sunvelo\\Tapmira");
    ASSERT_TRUE(machine.Refused());
    ChangeAndKill();
    Restart();
    EXPECT_TRUE(boxes.Calls.empty());
    EXPECT_EQ(form->GetCaption(), UserCaption(Practice.DesignCaption, "小红"));
    EXPECT_EQ(Practice.Users.UserListText, "abc;bob;小红;");
    EXPECT_EQ(form->TrackBar1->GetPosition(), 8);
    EXPECT_TRUE(form->CheckBox2->GetChecked());
    EXPECT_TRUE(form->CheckBox1->GetChecked()) << "HKEY_LOCAL_MACHINE's value";
  }
  TRegistry machine;
  ASSERT_TRUE(machine.OpenKeyReadOnly("\\Software\\Sunvelo\\Tapmira"));
  EXPECT_EQ(machine.ReadString("Users"), "abc;bob;") << "left as it was";
  EXPECT_FALSE(machine.ValueExists("Interval"));
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Sunvelo\\Tapmira");
}

}  // namespace
