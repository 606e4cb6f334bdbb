#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "toolkit/win/media_player.h"
#include "toolkit/win/message_box.h"
#include "toolkit/win/resources.h"
#include "toolkit/win/shell.h"

TEST(ServicesMediaPlayer, NothingOpenIsNotReadyAndEveryCommandFailsQuietly) {
  TMediaPlayer p(nullptr);
  EXPECT_EQ(p.Mode(), mpNotReady);
  EXPECT_FALSE(p.IsOpen());
  using Cmd = unsigned (TMediaPlayer::*)();
  struct Case {
    const char* Name;
    Cmd Run;
  } cases[] = {{"Play", &TMediaPlayer::Play},     {"Pause", &TMediaPlayer::Pause},   {"Resume", &TMediaPlayer::Resume},
               {"Stop", &TMediaPlayer::Stop},     {"Rewind", &TMediaPlayer::Rewind}, {"Open", &TMediaPlayer::Open}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_NE((p.*c.Run)(), 0u);
    EXPECT_NE(p.Error(), 0u);
    EXPECT_EQ(p.Mode(), mpNotReady);
  }
  EXPECT_NE(p.SetPosition(10), 0u);
  EXPECT_EQ(p.Position(), 0u);
  EXPECT_EQ(p.Length(), 0u);
  EXPECT_EQ(p.Close(), 0u);
}

TEST(ServicesMediaPlayer, MissingFileLeavesPlayerNotReady) {
  TMediaPlayer p(nullptr);
  p.SetFileName(ProgramFolder() + "不存在的音乐.mp3");
  unsigned err = p.Open();
  EXPECT_NE(err, 0u);
  EXPECT_FALSE(p.IsOpen());
  EXPECT_EQ(p.Mode(), mpNotReady);
  EXPECT_FALSE(p.ErrorMessage().empty());
  // The loop that restarts stopped music must see "not ready", not "stopped".
  EXPECT_NE(p.Play(), 0u);
  EXPECT_EQ(p.Mode(), mpNotReady);
}

TEST(ServicesMediaPlayer, PublishedForFormDefinitions) {
  const TClassInfo* info = FindClass("TMediaPlayer");
  ASSERT_NE(info, nullptr);
  TComponent owner(nullptr);
  TComponent* c = info->Create(&owner);
  ASSERT_NE(dyn<TMediaPlayer>(c), nullptr);
  SetStrProp(*c, "filename", "C:\\music\\Test1.mp3");
  SetOrdProp(*c, "Visible", 0);
  EXPECT_EQ(dyn<TMediaPlayer>(c)->GetFileName(), "C:\\music\\Test1.mp3");
  EXPECT_EQ(GetOrdProp(*c, "visible"), 0);
}

TEST(ServicesMessageBox, RecorderAnswersAndRecordsAndNestsCleanly) {
  TMessageBoxRecorder outer(IDOK);
  EXPECT_EQ(ShowMessageBox("打开声音文件失败！", "失败", MB_OK), IDOK);
  {
    TMessageBoxRecorder inner(IDNO);
    EXPECT_EQ(ShowMessageBox("删除用户?", "提示", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(inner.Calls.size(), 1u);
    EXPECT_EQ(inner.Calls[0].Text, "删除用户?");
    EXPECT_EQ(inner.Calls[0].Caption, "提示");
    EXPECT_EQ(inner.Calls[0].Flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
  }
  // The outer recorder is back in place once the inner one is gone.
  outer.Answer = IDCANCEL;
  EXPECT_EQ(ShowMessageBox("second", "c", MB_OKCANCEL), IDCANCEL);
  ASSERT_EQ(outer.Calls.size(), 2u);
  EXPECT_EQ(outer.Calls[0].Text, "打开声音文件失败！");
  EXPECT_EQ(outer.Calls[0].Caption, "失败");
  EXPECT_EQ(outer.Calls[0].Flags, static_cast<unsigned>(MB_OK));
  EXPECT_EQ(outer.Calls[1].Text, "second");
}

TEST(ServicesShell, OpeningWhatDoesNotExistIsAFailure) {
  EXPECT_FALSE(ShellOpen(ProgramFolder() + "没有这个文件.jpg"));
}
