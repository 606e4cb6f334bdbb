#include <gtest/gtest.h>

#include <cstring>

#include "main_form_fixture.h"
#include "screenshot.h"

namespace {

using MainWindow = MainFormTest;

TEST_F(MainWindow, IdleScreenShowsItsControlsWithChineseCaptions) {
  EXPECT_EQ(WindowText(form->Handle()), "Tapmira     2020年8月15日版----abc");
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 961);
  EXPECT_EQ(client.bottom, 521);
  EXPECT_EQ(form->Label1->GetCaption(), "打");
  EXPECT_EQ(form->Label4->GetCaption(), "习");
  EXPECT_EQ(WindowText(form->Button1->Handle()), "开始");
  EXPECT_EQ(WindowText(form->CheckBox1->Handle()), "关闭背景音乐");
  EXPECT_EQ(form->RadioGroup1->ButtonCount(), 23);
  EXPECT_EQ(WindowText(form->RadioGroup1->Buttons(22)->Handle()), "五笔文章");
  EXPECT_EQ(form->RadioGroup1->GetItemIndex(), 0);
  EXPECT_EQ(form->RadioGroup2->GetItemIndex(), 0);
  EXPECT_FALSE(IsWindowVisible(form->Button2->Handle()));
  EXPECT_FALSE(IsWindowVisible(form->RichEdit1->Handle()));
  EXPECT_FALSE(form->Label15->GetVisible());
  EXPECT_EQ(form->Label9->GetCaption(), "500毫秒");
  ASSERT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "main-window-idle.bmp"));
}

TEST_F(MainWindow, ClicksAndKeysReachTheControls) {
  // Choosing a practice type and a test length by clicking their buttons.
  Click(form->RadioGroup1->Buttons(10)->Handle());
  EXPECT_EQ(form->RadioGroup1->GetItemIndex(), 10);
  Click(form->RadioGroup2->Buttons(2)->Handle());
  EXPECT_EQ(form->RadioGroup2->GetItemIndex(), 2);

  // Switching the music off stores the switch at once.
  Click(form->CheckBox1->Handle());
  EXPECT_TRUE(form->CheckBox1->GetChecked());
  EXPECT_EQ(Practice.Settings.MusicOn, 0);
  EXPECT_EQ(StoredSwitch("PlayMp3"), 0);

  // The flash time follows the track bar, moved with the arrow keys.
  form->TrackBar1->SetFocus();
  Key(form->TrackBar1->Handle(), VK_RIGHT);
  EXPECT_EQ(form->TrackBar1->GetPosition(), 6);
  EXPECT_EQ(form->Label9->GetCaption(), "600毫秒");
  EXPECT_EQ(form->Timer4->GetInterval(), 600u);

  // Typing into the answer box.
  form->Edit1->SetFocus();
  Key(form->Edit1->Handle(), 'A');
  Key(form->Edit1->Handle(), 'B');
  EXPECT_EQ(form->Edit1->GetText(), "ab");
}

// Grants everyone `access` to the settings key, and nothing more.
bool SetSettingsKeyAccess(DWORD access) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Sunvelo\\Tapmira", 0, WRITE_DAC | READ_CONTROL, &key) != ERROR_SUCCESS)
    return false;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  alignas(8) BYTE aclBytes[256];
  ACL* acl = reinterpret_cast<ACL*>(aclBytes);
  InitializeAcl(acl, sizeof aclBytes, ACL_REVISION);
  AddAccessAllowedAce(acl, ACL_REVISION, access, everyone);
  SECURITY_DESCRIPTOR sd;
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
  LONG r = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
  FreeSid(everyone);
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

TEST_F(MainWindow, SettingsAreReadWhereWriteAccessIsRefused) {
  delete form;
  form = nullptr;
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", true));
    reg.WriteString("Users", "abc;bob;");
    reg.WriteString("CurrentUser", "bob");
    reg.WriteInteger("PlayMp3", 0);
    reg.WriteInteger("Interval", 7);
  }
  ASSERT_TRUE(SetSettingsKeyAccess(KEY_READ | WRITE_DAC | READ_CONTROL));
  struct Restore {
    ~Restore() { SetSettingsKeyAccess(KEY_ALL_ACCESS); }
  } restore;
  HKEY probe;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Sunvelo\\Tapmira", 0, KEY_ALL_ACCESS, &probe) == ERROR_SUCCESS) {
    RegCloseKey(probe);
    GTEST_SKIP() << "this system grants write access to the key regardless";
  }
  Practice = TPracticeState{};
  form = CreateFormObject<TForm1>(Application);
  EXPECT_TRUE(Practice.StartedUp);
  EXPECT_EQ(Practice.Users.CurrentUser, "bob");
  EXPECT_EQ(Practice.Users.UserCount, 2);
  EXPECT_TRUE(form->CheckBox1->GetChecked()) << "music stored as off";
  EXPECT_EQ(WindowText(form->Handle()), "Tapmira     2020年8月15日版----bob");
  EXPECT_EQ(form->TrackBar1->GetPosition(), 7);
  form->TrackBar1->SetPosition(3);
  form->Close();
  Pump();
  EXPECT_TRUE(boxes.Calls.empty()) << (boxes.Calls.empty() ? "" : boxes.Calls[0].Text);
  ASSERT_TRUE(SetSettingsKeyAccess(KEY_ALL_ACCESS));
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", false));
  EXPECT_EQ(reg.ReadString("CurrentUser"), "bob");
  EXPECT_EQ(reg.ReadInteger("Interval"), 7) << "nothing written back";
}

}  // namespace
