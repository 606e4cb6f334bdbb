// Feedback: background music, short sounds and decomposition pictures.
#include <new>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"


bool TForm1::MusicWanted() const {
  return Practice.Settings.MusicOn != 0 && Session && Session->MusicAllowed != 0;
}

void TForm1::PlayBackgroundMusic(const std::string& FileName) {
  const bool device = SoundDeviceExists();
  if (!MusicWanted() && device && MediaPlayer1->Mode() == mpPlaying) {
    MediaPlayer1->Pause();
    MediaPlayer1->Stop();
  }
  if (!MusicWanted() || !device) return;
  if (MediaPlayer1->Mode() == mpPlaying) MediaPlayer1->Stop();
  MediaPlayer1->SetFileName(ProgramFolder() + FileName);
  // A file that cannot be opened leaves the player not ready, so the music
  // loop does not retry it every second.
  if (MediaPlayer1->Open() == 0) MediaPlayer1->Play();
}

void TForm1::Timer2Timer(TObject* Sender) {
  if (MusicWanted() && SoundDeviceExists() && MediaPlayer1->Mode() == mpStopped) {
    MediaPlayer1->Rewind();
    MediaPlayer1->Play();
  }
}

// The sound resource's own memory is handed over; it lives as long as the module.
// Without a sound device there is nothing to hand it to (asking the system to
// play anyway costs a millisecond or more a key on some systems).
bool TForm1::PlayWav(const std::string& name) {
  TResourceView view;
  if (!Practice.SoundDevice || !Practice.SoundModule || !FindResourceView(Practice.SoundModule, name, "WAV", view)) return false;
  return PlaySoundFromMemory(view);
}

bool TForm1::PlayHitSound() { return Practice.Settings.KeySoundsOn != 0 && PlayWav("MyWAVabc"); }
bool TForm1::PlayErrorSound() { return Practice.Settings.KeySoundsOn != 0 && PlayWav("MyWAVywerror"); }
bool TForm1::PlayPronunciation(const std::string& SoundName) {
  return Practice.Settings.PronunciationOn != 0 && PlayWav(SoundName);
}

// A number without a picture leaves Image1 as it is and returns false.
bool TForm1::ShowWubiPicture(int Number) {
  if (Number == 0) return false;
  TModule module = Number >= 3500 ? Practice.PictureModule2 : Practice.PictureModule1;
  TResourceView view;
  if (!module || !FindResourceView(module, "MywbGIF" + IntToStr(Number), "GIF", view)) return false;
  TPicture picture;
  try {
    LoadGifPicture(view.Data, view.Size, picture);
  } catch (const Exception&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;  // refused like a missing picture
  }
  Image1->SetHeight(picture.Height());
  Image1->SetWidth(picture.Width());
  Image1->Picture()->Assign(picture);
  return true;
}
