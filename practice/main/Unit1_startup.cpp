// Start-up and shut-down of the main window.
#include <future>
#include <system_error>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"

namespace {
const char* const kStartupFailed = "失败";
TSystemRandom g_random;

// A start-up step that failed: the message, then the program ends with exit code 1.
void StopStartup(const std::string& text) {
  ShowMessageBox(text, kStartupFailed, MB_OK);
  Application->Terminate(1);
}
}  // namespace

void TForm1::FormCreate(TObject* Sender) {
  SetImeMode(TImeMode::imClose);
  SetImeName("");
  Randomize();
  const std::string folder = ProgramFolder();

  HINSTANCE__** modules[] = {&Practice.SoundModule, &Practice.PictureModule1, &Practice.PictureModule2};
  const char* moduleNames[] = {"WavRes.dll", "wbrc1.dll", "wbrc2.dll"};
  for (int i = 0; i < 3; ++i) {
    *modules[i] = LoadDataModule(folder + moduleNames[i]);
    if (!*modules[i]) return StopStartup("打开声音文件失败！");
  }

  // The sound system's first answer takes Wine tens of milliseconds (it loads
  // and probes its audio drivers): it is asked while the dictionaries load.
  std::future<bool> soundDevice;
  try {
    soundDevice = std::async(std::launch::async, SoundDeviceExists);
  } catch (const std::system_error&) {
    // No thread to spare: asked below instead.
  }
  // A program folder the user may only read takes no temporary file: the user's own folder does.
  TDictLoadResult loaded = LoadDictionaries(folder, Practice.Dictionaries, UserTempFolder());
  if (loaded.Status == TDictLoadStatus::ShortCodesNotOpened) return StopStartup("打开字库失败！");
  if (loaded.Status != TDictLoadStatus::Ok) return StopStartup(loaded.Message());

  try {
    OpenScoreHistory();
  } catch (const EScoreFileError& e) {
    return StopStartup(e.Message());
  }

  // Settings: the key stays open until shut-down; every change is written
  // when it is made. Where no key can be written the stored settings are
  // still read; a key that cannot be opened at all leaves the defaults.
  settingsKey_ = OpenSettingsKey();
  TSettings& settings = Practice.Settings;
  ReadSettings(*settingsKey_, settings, Practice.Users);
  if (!settingsKey_->Writable()) ShowMessageBox(SettingsNotKeptMessage(), "提示", MB_OK | MB_ICONWARNING);
  if (const std::string text = NotUnderstoodMessage(settings, settingsKey_->Name()); !text.empty())
    ShowMessageBox(text, "提示", MB_OK | MB_ICONWARNING);

  Practice.DesignCaption = GetCaption();
  SetCaption(UserCaption(Practice.DesignCaption, Practice.Users.CurrentUser));

  Session = std::make_unique<TPracticeSession>(Practice.Dictionaries, g_random, GameStartLeftFor(Label15->GetLeft()));
  Session->Users = &Practice.Users;
  Session->Scores = &Practice.Scores;
  Session->OldPinyinHint = Practice.Settings.OldPinyinHint;
  Session->MusicAllowed = 1;
  Practice.SoundDevice = soundDevice.valid() ? soundDevice.get() : SoundDeviceExists();
  ApplySettingsToControls();
  PlayBackgroundMusic("Test1.mp3");
  Practice.StartedUp = true;
}

void TForm1::ApplySettingsToControls() {
  const TSettings& settings = Practice.Settings;
  // The position the track bar gives (it clamps to 1..10) shows everywhere and is stored.
  TrackBar1->SetPosition(settings.Interval);
  TrackBar1Change(TrackBar1);
  // Each box is worded as a switch that turns its feature off.
  if (settings.MusicOn == 0) CheckBox1->SetChecked(true);
  if (settings.KeySoundsOn == 0) CheckBox2->SetChecked(true);
  if (settings.PronunciationOn == 0) CheckBox3->SetChecked(true);
  if (settings.OldPinyinHint == 0) CheckBox4->SetChecked(true);
}

void TForm1::FormClose(TObject* Sender, TCloseAction& Action) {
  StopHintThread();
  Practice.Dictionaries.FreeBuffers();

  settingsKey_.reset();  // every setting was written when it changed

  if (Practice.SoundModule) {
    StopSound();
    FreeDataModule(Practice.SoundModule);
    Practice.SoundModule = nullptr;
  }

  SaveScoreHistory();
}

void TForm1::FormDestroy(TObject* Sender) {}
