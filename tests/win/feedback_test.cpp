#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "screenshot.h"

namespace {

using Feedback = MainFormTest;

// The picture a module holds under a number, decoded as the image would show it.
void PictureFrom(const char* module, int number, TPicture& picture) {
  TModule m = LoadDataModule(BuiltProgramFolder() + module);
  TResourceView view;
  if (m && FindResourceView(m, "MywbGIF" + IntToStr(number), "GIF", view)) LoadGifPicture(view.Data, view.Size, picture);
  if (m) FreeDataModule(m);
}

bool SameFirstFrame(TPicture& a, TPicture& b) {
  if (a.Empty() || b.Empty() || a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Frame(0).GetPixel(x, y) != b.Frame(0).GetPixel(x, y)) return false;
  return true;
}

TEST_F(Feedback, SwitchBoxesStoreTheNegationOfTheirCheck) {
  struct Box {
    TCheckBox* box;
    const char* value;
    int* switchValue;
  };
  const Box boxes[] = {{form->CheckBox1, "PlayMp3", &Practice.Settings.MusicOn},
                       {form->CheckBox2, "PlayWav", &Practice.Settings.KeySoundsOn},
                       {form->CheckBox3, "PlayPYWav", &Practice.Settings.PronunciationOn},
                       {form->CheckBox4, "PYOldTip", &Practice.Settings.OldPinyinHint}};
  for (const Box& b : boxes) {
    SCOPED_TRACE(b.value);
    Click(b.box->Handle());
    EXPECT_EQ(StoredSwitch(b.value), 0);
    EXPECT_EQ(*b.switchValue, 0);
    Click(b.box->Handle());
    EXPECT_EQ(StoredSwitch(b.value), 1);
    EXPECT_EQ(*b.switchValue, 1);
  }
}

TEST_F(Feedback, PicturesComeFromTheModuleOfTheirNumber) {
  const int designWidth = form->Image1->GetWidth();
  EXPECT_FALSE(form->ShowWubiPicture(0));
  EXPECT_TRUE(form->Image1->Picture()->Empty());
  EXPECT_EQ(form->Image1->GetWidth(), designWidth);

  for (int number : {3499, 3500}) {
    SCOPED_TRACE(number);
    ASSERT_TRUE(form->ShowWubiPicture(number));
    TPicture expected, other;
    PictureFrom(number < 3500 ? "wbrc1.dll" : "wbrc2.dll", number, expected);
    PictureFrom(number < 3500 ? "wbrc2.dll" : "wbrc1.dll", number, other);
    EXPECT_TRUE(other.Empty()) << "each number lies in one module only";
    EXPECT_TRUE(SameFirstFrame(*form->Image1->Picture(), expected));
    EXPECT_EQ(form->Image1->GetWidth(), expected.Width());
    EXPECT_EQ(form->Image1->GetHeight(), expected.Height());
  }
  Pump();
  ASSERT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "main-window-picture.bmp"));
}

TEST_F(Feedback, NumberWithoutPictureKeepsTheImageSilently) {
  ASSERT_TRUE(form->ShowWubiPicture(1));
  TPicture before;
  before.Assign(*form->Image1->Picture());
  for (int number : {-3, 99999}) {
    EXPECT_FALSE(form->ShowWubiPicture(number));
    EXPECT_TRUE(SameFirstFrame(*form->Image1->Picture(), before));
  }
  EXPECT_TRUE(boxes.Calls.empty());
}

TEST_F(Feedback, SoundsSwitchedOffOrMissingAreNotPlayed) {
  Practice.Settings.KeySoundsOn = 0;
  EXPECT_FALSE(form->PlayHitSound());
  EXPECT_FALSE(form->PlayErrorSound());
  Practice.Settings.PronunciationOn = 1;
  EXPECT_FALSE(form->PlayPronunciation("MyPyWAVnosuch9"));
  Practice.Settings.PronunciationOn = 0;
  EXPECT_FALSE(form->PlayPronunciation("MyPyWAVhao3"));
  EXPECT_TRUE(boxes.Calls.empty());
}

TEST_F(Feedback, WithoutSoundDeviceTheMusicStaysSilent) {
  if (SoundDeviceExists()) GTEST_SKIP() << "a wave output device exists";
  EXPECT_NE(form->MediaPlayer1->Mode(), mpPlaying);
  form->Timer2Timer(form);
  EXPECT_EQ(form->MediaPlayer1->Mode(), mpNotReady);
}

// With a wave output device (ALSA's null device in the audio run).
using FeedbackAudio = MainFormTest;

TEST_F(FeedbackAudio, MusicFollowsItsSwitchAndLoopsOnlyWhenAllowed) {
  if (!SoundDeviceExists()) GTEST_SKIP() << "no wave output device";
  EXPECT_EQ(form->MediaPlayer1->Mode(), mpPlaying) << "idle music starts with the program";
  EXPECT_NE(form->MediaPlayer1->GetFileName().find("Test1.mp3"), std::string::npos);

  Click(form->CheckBox1->Handle());
  EXPECT_NE(form->MediaPlayer1->Mode(), mpPlaying);
  Click(form->CheckBox1->Handle());
  EXPECT_EQ(form->MediaPlayer1->Mode(), mpPlaying);
  EXPECT_LT(form->MediaPlayer1->Position(), 2000u) << "switched on again, the music starts from its beginning";

  // A game or article run: the loop leaves the music off.
  form->MediaPlayer1->Stop();
  form->Session->MusicAllowed = 0;
  form->Timer2Timer(form);
  EXPECT_EQ(form->MediaPlayer1->Mode(), mpStopped);
  form->Session->MusicAllowed = 1;
  form->Timer2Timer(form);
  EXPECT_EQ(form->MediaPlayer1->Mode(), mpPlaying);
}

TEST_F(FeedbackAudio, MissingMusicLeavesThePlayerNotReadyAndTheLoopIdle) {
  if (!SoundDeviceExists()) GTEST_SKIP() << "no wave output device";
  form->PlayBackgroundMusic("NoSuchMusic.mp3");
  EXPECT_EQ(form->MediaPlayer1->Mode(), mpNotReady);
  for (int second = 0; second < 3; ++second) form->Timer2Timer(form);
  EXPECT_EQ(form->MediaPlayer1->Mode(), mpNotReady);
  EXPECT_TRUE(boxes.Calls.empty());
}

TEST_F(FeedbackAudio, ShortSoundsAreHandedToTheSystem) {
  if (!SoundDeviceExists()) GTEST_SKIP() << "no wave output device";
  EXPECT_TRUE(form->PlayHitSound());
  EXPECT_TRUE(form->PlayErrorSound());
  EXPECT_TRUE(form->PlayPronunciation("MyPyWAVhao3"));
}

}  // namespace
