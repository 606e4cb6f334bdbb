#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app_support.h"
#include "toolkit/base/form_reader.h"
#include "toolkit/win/media_player.h"
#include "toolkit/win/message_box.h"
#include "toolkit/win/resources.h"
#include "toolkit/win/shell.h"
#include "toolkit/win/sound.h"

TEST(ServicesMediaPlayer, NothingOpenOrMissingFileIsNotReadyAndCommandsFailQuietly) {
  TMediaPlayer p(nullptr);
  using Cmd = unsigned (TMediaPlayer::*)();
  const Cmd commands[] = {&TMediaPlayer::Play, &TMediaPlayer::Pause, &TMediaPlayer::Resume,
                          &TMediaPlayer::Stop, &TMediaPlayer::Rewind, &TMediaPlayer::Open};
  for (const char* file : {"", "不存在的音乐.mp3"}) {
    SCOPED_TRACE(file);
    p.SetFileName(*file ? ProgramFolder() + file : std::string());
    EXPECT_NE(p.Open(), 0u);
    EXPECT_FALSE(p.IsOpen());
    EXPECT_FALSE(p.ErrorMessage().empty());
    // The loop that restarts stopped music must see "not ready", not "stopped".
    for (Cmd c : commands) {
      EXPECT_NE((p.*c)(), 0u);
      EXPECT_NE(p.Error(), 0u);
      EXPECT_EQ(p.Mode(), mpNotReady);
    }
    EXPECT_EQ(p.Position(), 0u);
    EXPECT_EQ(p.Length(), 0u);
    EXPECT_EQ(p.Close(), 0u);
  }
}

TEST(ServicesMediaPlayer, PublishedForFormDefinitions) {
  const TClassInfo* info = FindComponentClass("TMediaPlayer");
  ASSERT_TRUE(info && info->Create);
  TComponent owner(nullptr);
  TComponent* c = info->Create(&owner);
  ASSERT_NE(dyn<TMediaPlayer>(c), nullptr);
  SetStrProp(*c, "filename", "C:\\music\\Test1.mp3");
  SetOrdProp(*c, "Visible", 0);
  EXPECT_EQ(dyn<TMediaPlayer>(c)->GetFileName(), "C:\\music\\Test1.mp3");
  EXPECT_EQ(GetOrdProp(*c, "visible"), 0);
}

// The player is a windowed control (code that draws the program's windows
// attaches to its window) that stays hidden where the form says so.
TEST(ServicesMediaPlayer, AWindowedControlThatStaysHiddenOnItsForm) {
  FreshApplication();
  auto* form = new TForm(Application);
  ReadFormDefinition(*form,
                     "object Form: TForm\n"
                     "  object MediaPlayer1: TMediaPlayer\n"
                     "    Visible = False\n"
                     "    VisibleButtons = [btPlay, btStop]\n"
                     "  end\n"
                     "end\n",
                     "Form.form");
  auto* player = dyn<TMediaPlayer>(form->FindComponent("MediaPlayer1"));
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(player->Parent(), form);
  EXPECT_EQ(player->GetVisibleButtons(), (1u << btPlay) | (1u << btStop));
  EXPECT_EQ(player->GetEnabledButtons(), kAllMPButtons);
  EXPECT_EQ(GetPropInfo(player, "ColoredButtons")->EnumNames.back(), "btEject");
  form->Show();
  EXPECT_FALSE(player->HandleAllocated());  // hidden: its window comes when first used
  HWND w = player->Handle();
  ASSERT_TRUE(IsWindow(w));
  EXPECT_EQ(GetParent(w), form->Handle());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_EQ(TWinControl::FindControl(w), player);
  EXPECT_EQ(player->Mode(), mpNotReady);
  delete form;
  EXPECT_FALSE(IsWindow(w));
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
  EXPECT_EQ(outer.Calls[0].Text + outer.Calls[0].Caption + outer.Calls[1].Text, "打开声音文件失败！失败second");
}

TEST(ServicesShell, OpeningWhatDoesNotExistIsAFailure) {
  EXPECT_FALSE(ShellOpen(ProgramFolder() + "没有这个文件.jpg"));
}

// With a wave output device (ALSA's null device in the win_tests_audio run).
namespace {
bool WaitForMode(TMediaPlayer& p, TMPModes mode, DWORD ms) {
  DWORD start = GetTickCount();
  while (p.Mode() != mode) {
    if (GetTickCount() - start > ms) return false;
    Sleep(10);
  }
  return true;
}
}  // namespace

TEST(ServicesAudio, Mp3PlaysPausesResumesRunsOutAndPlaysAgainFromTheStart) {
  if (!SoundDeviceExists()) GTEST_SKIP() << "no wave output device";
  TMediaPlayer p(nullptr);
  p.SetFileName(ProgramFolder() + "svctest.mp3");
  ASSERT_EQ(p.Open(), 0u) << p.ErrorMessage();
  EXPECT_EQ(p.Mode(), mpStopped);
  unsigned len = p.Length();
  EXPECT_GT(len, 600u);
  EXPECT_LT(len, 1200u);
  EXPECT_EQ(p.Play(), 0u);
  EXPECT_EQ(p.Mode(), mpPlaying);
  Sleep(200);
  EXPECT_EQ(p.Pause(), 0u);
  EXPECT_EQ(p.Mode(), mpPaused);
  unsigned at = p.Position();
  EXPECT_GT(at, 0u);
  Sleep(150);
  EXPECT_LE(p.Position(), at + 30);  // holds while paused
  EXPECT_EQ(p.Resume(), 0u);
  EXPECT_EQ(p.Mode(), mpPlaying);
  ASSERT_TRUE(WaitForMode(p, mpStopped, 3000));
  // A stopped player at the end starts over (the music loop relies on it).
  EXPECT_EQ(p.Play(), 0u);
  EXPECT_EQ(p.Mode(), mpPlaying);
  EXPECT_LT(p.Position(), 400u);
  EXPECT_EQ(p.Stop(), 0u);
  EXPECT_EQ(p.Mode(), mpStopped);
  EXPECT_EQ(p.Rewind(), 0u);
  EXPECT_EQ(p.Position(), 0u);
  EXPECT_EQ(p.Close(), 0u);
  EXPECT_EQ(p.Mode(), mpNotReady);
}

TEST(ServicesAudio, EachPlayerHasItsOwnDeviceAndReopeningClosesTheOld) {
  if (!SoundDeviceExists()) GTEST_SKIP() << "no wave output device";
  TMediaPlayer a(nullptr), b(nullptr);
  a.SetFileName(ProgramFolder() + "svctest.mp3");
  b.SetFileName(ProgramFolder() + "svctest.mp3");
  ASSERT_EQ(a.Open(), 0u);
  ASSERT_EQ(b.Open(), 0u);
  EXPECT_EQ(a.Play(), 0u);
  EXPECT_EQ(a.Mode(), mpPlaying);
  EXPECT_EQ(b.Mode(), mpStopped);
  // Opening again while playing: the old device goes, the new one is stopped.
  EXPECT_EQ(a.Open(), 0u);
  EXPECT_EQ(a.Mode(), mpStopped);
  // A missing file after a good one leaves nothing open.
  b.SetFileName(ProgramFolder() + "missing.mp3");
  EXPECT_NE(b.Open(), 0u);
  EXPECT_EQ(b.Mode(), mpNotReady);
}
