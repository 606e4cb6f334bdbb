#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "program_fixture.h"
#include "program_process.h"
#include "read_only_mount.h"

namespace {

std::vector<std::string> Names(const std::string& folder) {
  std::vector<TSearchRec> entries;
  ListDirectory(folder, entries);
  std::vector<std::string> names;
  for (const TSearchRec& e : entries) names.push_back(e.Name);
  std::sort(names.begin(), names.end());
  return names;
}

struct Startup : ::testing::Test {
  void SetUp() override {
    FreshProgramStart();
  }
  void TearDown() override {
    delete form;
    SetProgramFolderOverride("");
  }
  void Start(const std::string& folder) {
    SetProgramFolderOverride(folder);
    form = CreateFormObject<TForm1>(Application);
  }
  // Shut-down as closing the window does it.
  void Close() {
    TCloseAction action = TCloseAction::caFree;
    form->FormClose(form, action);
  }
  TForm1* form = nullptr;
  TMessageBoxRecorder boxes{IDOK};
};

TEST_F(Startup, EachMissingModuleStopsWithTheSoundMessage) {
  for (const char* module : {"WavRes.dll", "wbrc1.dll", "wbrc2.dll"}) {
    SCOPED_TRACE(module);
    std::string folder = CopyProgramFolder(std::string("nomodule_") + module);
    RemoveFile(folder + module);
    FreshApplication();
    boxes.Calls.clear();
    Start(folder);
    ASSERT_EQ(boxes.Calls.size(), 1u);
    EXPECT_EQ(boxes.Calls[0].Text, "打开声音文件失败！");
    EXPECT_EQ(boxes.Calls[0].Caption, "失败");
    EXPECT_EQ(boxes.Calls[0].Flags, static_cast<unsigned>(MB_OK));
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Practice.StartedUp);
    delete form;
    form = nullptr;
  }
}

TEST_F(Startup, MissingShortCodesStopWithTheDictionaryMessage) {
  std::string folder = CopyProgramFolder("nowb1");
  RemoveFile(folder + "wb1.dat");
  Start(folder);
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_EQ(boxes.Calls[0].Text, "打开字库失败！");
  EXPECT_EQ(boxes.Calls[0].Caption, "失败");
  EXPECT_TRUE(Application->Terminated());
}

// A damaged score file no longer stops the start (practice_run_test.cpp).
TEST_F(Startup, DamagedDictionaryStopsCleanlyAndKeepsTheScores) {
  struct Case {
    const char* file;
    const char* content;
    const char* named;
  };
  const Case cases[] = {
      {"PYs.dat", "\x01\x02\x03 not a dictionary", "PYs.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::string folder = CopyProgramFolder(std::string("damaged_") + c.file);
    const std::string score = "header one\r\nheader two\r\n";
    if (std::string(c.file) != "svlScore.dat") WriteFileBytes(folder + "svlScore.dat", score.data(), score.size());
    WriteFileBytes(folder + c.file, c.content, std::strlen(c.content));
    TBytes before;
    ASSERT_TRUE(ReadFileBytes(folder + "svlScore.dat", before));
    FreshApplication();
    boxes.Calls.clear();
    Start(folder);
    ASSERT_EQ(boxes.Calls.size(), 1u);
    EXPECT_EQ(boxes.Calls[0].Caption, "失败");
    EXPECT_NE(boxes.Calls[0].Text.find(c.named), std::string::npos) << boxes.Calls[0].Text;
    EXPECT_TRUE(Application->Terminated());
    // Shut-down after a failed start writes nothing.
    Close();
    delete form;
    form = nullptr;
    TBytes after;
    ASSERT_TRUE(ReadFileBytes(folder + "svlScore.dat", after));
    EXPECT_EQ(after, before);
    EXPECT_FALSE(FileExists(folder + "PYsTemp.dat"));
  }
}

// A program folder the user may only read, as "C:\Program Files\..." is: the
// start used to end with "wbOneTemp.dat: 无法写入临时文件". The deciphered
// dictionaries go through the user's temporary folder, and leave nothing
// there nor beside the program; the program itself starts to its window.
TEST_F(Startup, ReadOnlyProgramFolderStartsThroughTheUsersTemporaryFolder) {
  const std::string folder = CopyProgramFolder("readonly");
  const std::vector<std::string> programFiles = Names(folder);
  TReadOnlyMount readOnly(folder);
  if (!readOnly.Made()) GTEST_SKIP() << readOnly.Why();
  const std::string temp = UserTempFolder();
  ASSERT_FALSE(temp.empty());
  const std::vector<std::string> tempBefore = Names(temp);

  // Another copy of the program holds the first name there: this one takes the next.
  HANDLE held = CreateFileW(GbkToWide(temp + "wbOneTemp.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Start(readOnly.Path());
  CloseHandle(held);
  ASSERT_EQ(boxes.Calls.size(), 1u) << "where the scores are kept, and nothing else";
  EXPECT_NE(boxes.Calls[0].Text.find("成绩改为保存在"), std::string::npos) << boxes.Calls[0].Text;
  ASSERT_TRUE(Practice.StartedUp);
  EXPECT_GT(Practice.Dictionaries.WbOneTable.Count(), 0);
  EXPECT_GT(Practice.Dictionaries.PYMultiTable.Count(), 0);
  EXPECT_EQ(Names(temp), tempBefore);
  delete form;
  form = nullptr;
  {
    ProgramProcess program(readOnly.Path());
    ASSERT_TRUE(program.Started());
    EXPECT_NE(program.Window(L"TForm1"), nullptr) << "the program's own window";
  }
  EXPECT_EQ(Names(temp), tempBefore);
  EXPECT_EQ(Names(readOnly.Path()), programFiles);
}

TEST_F(Startup, FirstStartWritesDefaultsAndShowsTheUser) {
  Start(CopyProgramFolder("first"));
  ASSERT_TRUE(Practice.StartedUp) << (boxes.Calls.empty() ? "" : boxes.Calls[0].Text);
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_EQ(form->GetCaption(), "Tapmira     2020年8月15日版----abc");
  EXPECT_EQ(form->TrackBar1->GetPosition(), 5);
  EXPECT_EQ(form->Label9->GetCaption(), "500毫秒");
  EXPECT_EQ(form->Timer3->GetInterval(), 500u);
  EXPECT_FALSE(form->CheckBox1->GetChecked());
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", false));
  EXPECT_EQ(reg.ReadInteger("PlayMp3"), 1);
  EXPECT_EQ(reg.ReadInteger("Interval"), 5);
  EXPECT_EQ(reg.ReadString("Users"), "abc;");
  EXPECT_EQ(reg.ReadString("CurrentUser"), "abc");
}

TEST_F(Startup, StoredIntervalIsClampedByTheTrackBarAndWrittenBack) {
  for (int stored : {0, 25}) {
    SCOPED_TRACE(stored);
    const int expected = stored == 0 ? 1 : 10;
    {
      TRegistry reg;
      ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", true));
      reg.WriteInteger("Interval", stored);
      reg.WriteInteger("PlayMp3", 0);
      reg.WriteString("Users", "abc;bob;");
      reg.WriteString("CurrentUser", "bob");
    }
    FreshApplication();
    Practice = TPracticeState{};
    Start(CopyProgramFolder("interval"));
    ASSERT_TRUE(Practice.StartedUp);
    EXPECT_EQ(form->TrackBar1->GetPosition(), expected);
    EXPECT_EQ(form->Timer6->GetInterval(), static_cast<unsigned>(expected * 100));
    EXPECT_TRUE(form->CheckBox1->GetChecked());
    EXPECT_EQ(form->GetCaption(), "Tapmira     2020年8月15日版----bob");
    EXPECT_EQ(Practice.Users.UserCount, 2);
    Close();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", false));
    EXPECT_EQ(reg.ReadInteger("Interval"), expected);
    EXPECT_EQ(reg.ReadInteger("PlayMp3"), 0);
    delete form;
    form = nullptr;
  }
}

// Real registry values of kinds the settings do not use. "PlayMp3" stored as
// the text "0" used to play the music; the others took their defaults without
// a word and were overwritten at exit.
TEST_F(Startup, RegistryValuesOfAnotherKindAreReadOrToldOnce) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Sunvelo\\Tapmira", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  auto setText = [&](const wchar_t* name, const std::wstring& text) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  };
  const DWORD three = 3;
  const BYTE blob[] = {1, 2, 3};
  setText(L"PlayMp3", L"0");
  setText(L"Interval", L"seven");
  RegSetValueExW(key, L"PlayWav", 0, REG_BINARY, blob, sizeof blob);
  RegSetValueExW(key, L"Users", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&three), sizeof three);
  RegCloseKey(key);

  Start(CopyProgramFolder("wrongtype"));
  ASSERT_TRUE(Practice.StartedUp);
  EXPECT_TRUE(form->CheckBox1->GetChecked()) << "the text 0 is the number 0: no music";
  EXPECT_EQ(Practice.Settings.MusicOn, 0);
  EXPECT_EQ(form->TrackBar1->GetPosition(), 5);
  EXPECT_FALSE(form->CheckBox2->GetChecked());
  EXPECT_EQ(Practice.Users.UserListText, "abc;");
  ASSERT_EQ(boxes.Calls.size(), 1u) << "one message for every value";
  const std::string& text = boxes.Calls[0].Text;
  for (const char* named : {"“Interval”", "“PlayWav”", "“Users”", "“Users.bak”"})
    EXPECT_NE(text.find(named), std::string::npos) << named << " in " << text;
  EXPECT_EQ(text.find("PlayMp3"), std::string::npos);
  EXPECT_EQ(boxes.Calls[0].Caption, "提示");

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", false));
  EXPECT_EQ(reg.ReadString("Interval.bak"), "seven") << "kept, not lost";
  EXPECT_EQ(reg.ReadInteger("Users.bak"), 3);
  EXPECT_EQ(reg.GetDataType("PlayWav.bak"), TRegDataType::rdBinary);
  EXPECT_EQ(reg.ReadString("Users"), "abc;");
  EXPECT_EQ(reg.ReadInteger("Interval"), 5);
  EXPECT_EQ(reg.ReadInteger("PlayMp3"), 0) << "its box, checked, wrote it back as a number";

  // Told once: the next start finds every value understood.
  delete form;
  form = nullptr;
  boxes.Calls.clear();
  FreshApplication();
  Practice = TPracticeState{};
  Start(CopyProgramFolder("wrongtype"));
  ASSERT_TRUE(Practice.StartedUp);
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_TRUE(form->CheckBox1->GetChecked());
}

}  // namespace
