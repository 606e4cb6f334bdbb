// Settings where HKEY_LOCAL_MACHINE refuses changes, as it does for a
// standard user on Windows: they used to be lost without a word.
#include <gtest/gtest.h>

#include "practice/main/Unit1.h"
#include "program_fixture.h"
#include "refused_key.h"

namespace {

const wchar_t kKey[] = L"Software\\Sunvelo\\Tapmira";

class RefusedRegistry : public ::testing::Test {
protected:
  void SetUp() override { FreshProgramStart(); }
  void TearDown() override {
    Stop();
    SetProgramFolderOverride("");
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  }
  void Start() {
    Stop();
    FreshApplication();
    Practice = TPracticeState{};
    SetProgramFolderOverride(CopyProgramFolder("refused"));
    form = CreateFormObject<TForm1>(Application);
    ASSERT_TRUE(Practice.StartedUp) << (boxes.Calls.empty() ? "" : boxes.Calls[0].Text);
  }
  void Stop() {
    delete form;
    form = nullptr;
  }
  static TRegistry& Open(TRegistry& reg, HKEY root) {
    reg.SetRootKey(root);
    reg.OpenKeyReadOnly("\\Software\\Sunvelo\\Tapmira");
    return reg;
  }
  TForm1* form = nullptr;
  TMessageBoxRecorder boxes{IDOK};
};

TEST_F(RefusedRegistry, TheMachinesValuesStartTheUsersOwnWhichKeepEveryChange) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", true));
    reg.WriteInteger("PlayMp3", 0);
    reg.WriteInteger("Interval", 8);
    reg.WriteString("Users", "abc;bob;");
    reg.WriteString("CurrentUser", "bob");
  }
  TRefusedKey machine(HKEY_LOCAL_MACHINE, kKey);
  ASSERT_TRUE(machine.Refused());
  Start();
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_TRUE(form->CheckBox1->GetChecked()) << "read from HKEY_LOCAL_MACHINE";
  EXPECT_EQ(form->TrackBar1->GetPosition(), 8);
  EXPECT_EQ(form->GetCaption(), UserCaption(Practice.DesignCaption, "bob"));

  form->CheckBox2->SetChecked(true);
  Form1 = form;
  ASSERT_EQ(AddUser(Practice.Users, "小红"), TAddUserResult::Added);
  form->UsersChanged();
  Form1 = nullptr;

  Start();
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_TRUE(form->CheckBox1->GetChecked());
  EXPECT_TRUE(form->CheckBox2->GetChecked());
  EXPECT_EQ(form->TrackBar1->GetPosition(), 8);
  EXPECT_EQ(Practice.Users.UserListText, "abc;bob;小红;");
  EXPECT_EQ(form->GetCaption(), UserCaption(Practice.DesignCaption, "小红"));

  TRegistry user, shared;
  EXPECT_EQ(Open(user, HKEY_CURRENT_USER).ReadInteger("PlayWav"), 0);
  EXPECT_EQ(user.ReadString("CurrentUser"), "小红");
  EXPECT_FALSE(user.ValueExists("Interval")) << "a value never changed stays the machine's";
  EXPECT_EQ(Open(shared, HKEY_LOCAL_MACHINE).ReadInteger("Interval"), 8);
  EXPECT_EQ(shared.ReadString("Users"), "abc;bob;");
  EXPECT_FALSE(shared.ValueExists("PlayWav"));
}

TEST_F(RefusedRegistry, NeitherKeyWritableIsToldOnceAtStartUp) {
  TRefusedKey machine(HKEY_LOCAL_MACHINE, kKey);
  TRefusedKey user(HKEY_CURRENT_USER, kKey);
  ASSERT_TRUE(machine.Refused() && user.Refused());
  Start();
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_NE(boxes.Calls[0].Text.find("HKEY_CURRENT_USER\\Software\\Sunvelo\\Tapmira”都不允许写入"), std::string::npos)
      << boxes.Calls[0].Text;
  EXPECT_EQ(boxes.Calls[0].Caption, "提示");
  EXPECT_EQ(form->GetCaption(), UserCaption(Practice.DesignCaption, "abc"));
  form->CheckBox2->SetChecked(true);  // for this run only, and no further word
  EXPECT_EQ(Practice.Settings.KeySoundsOn, 0);
  EXPECT_EQ(boxes.Calls.size(), 1u);
  TRegistry stored;
  EXPECT_FALSE(Open(stored, HKEY_CURRENT_USER).ValueExists("PlayWav"));
  EXPECT_FALSE(Open(stored, HKEY_LOCAL_MACHINE).ValueExists("PlayWav"));
}

}  // namespace
