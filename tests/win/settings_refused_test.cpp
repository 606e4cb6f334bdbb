// Settings where neither HKEY_LOCAL_MACHINE nor HKEY_CURRENT_USER takes
// changes: they used to be lost without a word. (Where only
// HKEY_LOCAL_MACHINE refuses them: settings_kill_test.cpp.)
#include <gtest/gtest.h>

#include "practice/main/Unit1.h"
#include "program_fixture.h"
#include "refused_key.h"

namespace {

const wchar_t kKey[] = L"Software\\Sunvelo\\Tapmira";

struct RefusedRegistry : ::testing::Test {
  void SetUp() override { FreshProgramStart(); }
  void TearDown() override {
    delete form;
    SetProgramFolderOverride("");
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  }
  TForm1* form = nullptr;
  TMessageBoxRecorder boxes{IDOK};
};

TEST_F(RefusedRegistry, NeitherKeyWritableIsToldOnceAtStartUp) {
  TRefusedKey machine(HKEY_LOCAL_MACHINE, kKey);
  TRefusedKey user(HKEY_CURRENT_USER, kKey);
  ASSERT_TRUE(machine.Refused() && user.Refused());
  SetProgramFolderOverride(CopyProgramFolder("refused"));
  form = CreateFormObject<TForm1>(Application);
  ASSERT_TRUE(Practice.StartedUp);
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_NE(boxes.Calls[0].Text.find("HKEY_CURRENT_USER\\Software\\Sunvelo\\Tapmira”都不允许写入"), std::string::npos)
      << boxes.Calls[0].Text;
  EXPECT_EQ(boxes.Calls[0].Caption, "提示");
  form->CheckBox2->SetChecked(true);  // for this run only, and no further word
  EXPECT_EQ(Practice.Settings.KeySoundsOn, 0);
  EXPECT_EQ(boxes.Calls.size(), 1u);
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    TRegistry stored;
    stored.SetRootKey(root);
    ASSERT_TRUE(stored.OpenKeyReadOnly("\\Software\\Sunvelo\\Tapmira"));
    EXPECT_FALSE(stored.ValueExists("PlayWav"));
  }
}

}  // namespace
