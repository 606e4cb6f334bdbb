#include "toolkit/win/media_player.h"

#include <windows.h>
#include <mmsystem.h>

#include <cwchar>
#include <vector>

#include "toolkit/base/gbk_wide.h"

namespace {
unsigned nextAlias = 1;

unsigned long ToNumber(const std::wstring& s) { return std::wcstoul(s.c_str(), nullptr, 10); }
}  // namespace

const TClassInfo& TMediaPlayer::StaticClass() {
  static const std::vector<std::string> buttons{"btPlay", "btPause", "btStop",   "btNext", "btPrev",
                                                "btStep", "btBack",  "btRecord", "btEject"};
  static const TClassInfo info =
      TClassBuilder<TMediaPlayer>("TMediaPlayer", &TWinControl::StaticClass())
          .Creatable()
          .Prop("FileName", &TMediaPlayer::GetFileName, &TMediaPlayer::SetFileName)
          .Set("VisibleButtons", &TMediaPlayer::GetVisibleButtons, &TMediaPlayer::SetVisibleButtons, buttons)
          .Set("EnabledButtons", &TMediaPlayer::GetEnabledButtons, &TMediaPlayer::SetEnabledButtons, buttons)
          .Set("ColoredButtons", &TMediaPlayer::GetColoredButtons, &TMediaPlayer::SetColoredButtons, buttons)
          .Build();
  return info;
}

TMediaPlayer::TMediaPlayer(TComponent* owner)
    : TWinControl(owner), alias_("tkmedia" + std::to_string(nextAlias++)) {
  SetBounds(0, 0, 253, 30);
}

TMediaPlayer::~TMediaPlayer() {
  BeginDestroy();
  DestroyComponents();
  Close();
}

unsigned TMediaPlayer::Command(const std::string& verb, const std::string& args) {
  std::string cmd = verb + " " + alias_ + (args.empty() ? std::string() : " " + args);
  error_ = static_cast<unsigned>(mciSendStringW(GbkToWide(cmd).c_str(), nullptr, 0, nullptr));
  return error_;
}

unsigned TMediaPlayer::Status(const std::string& item, std::wstring& answer) const {
  wchar_t buf[128] = {0};
  std::string cmd = "status " + alias_ + " " + item;
  MCIERROR r = mciSendStringW(GbkToWide(cmd).c_str(), buf, 128, nullptr);
  answer = r == 0 ? buf : L"";
  return static_cast<unsigned>(r);
}

unsigned TMediaPlayer::Open() {
  Close();
  if (fileName_.empty()) return error_ = MCIERR_FILENAME_REQUIRED;
  // The file name is quoted; the alias names the device from here on.
  std::string cmd = "open \"" + fileName_ + "\" alias " + alias_;
  error_ = static_cast<unsigned>(mciSendStringW(GbkToWide(cmd).c_str(), nullptr, 0, nullptr));
  if (error_ != 0) return error_;
  open_ = true;
  Command("set", "time format milliseconds");
  return error_ = 0;
}

unsigned TMediaPlayer::Play() {
  if (!open_) return error_ = MCIERR_DEVICE_NOT_READY;
  // Stopped after our own play: it ran out, so it starts over.
  if (playing_ && Mode() == mpStopped) Rewind();
  unsigned len = Length();
  if (len > 0 && Position() >= len) Rewind();
  playing_ = Command("play") == 0;
  return error_;
}

unsigned TMediaPlayer::Pause() {
  if (!open_) return error_ = MCIERR_DEVICE_NOT_READY;
  return Command("pause");
}

unsigned TMediaPlayer::Resume() {
  if (!open_) return error_ = MCIERR_DEVICE_NOT_READY;
  return Command("resume");
}

unsigned TMediaPlayer::Stop() {
  if (!open_) return error_ = MCIERR_DEVICE_NOT_READY;
  playing_ = false;
  return Command("stop");
}

unsigned TMediaPlayer::Rewind() {
  if (!open_) return error_ = MCIERR_DEVICE_NOT_READY;
  playing_ = false;
  return Command("seek", "to start");
}

unsigned TMediaPlayer::Close() {
  if (!open_) return error_ = 0;
  open_ = false;
  playing_ = false;
  return Command("close");
}

TMPModes TMediaPlayer::Mode() const {
  if (!open_) return mpNotReady;
  std::wstring mode;
  if (Status("mode", mode) != 0) return mpNotReady;
  if (mode == L"stopped") return mpStopped;
  if (mode == L"playing") return mpPlaying;
  if (mode == L"paused") return mpPaused;
  if (mode == L"seeking") return mpSeeking;
  if (mode == L"recording") return mpRecording;
  if (mode == L"open") return mpOpen;
  return mpNotReady;
}

unsigned TMediaPlayer::Position() const {
  std::wstring s;
  if (!open_ || Status("position", s) != 0) return 0;
  return static_cast<unsigned>(ToNumber(s));
}

unsigned TMediaPlayer::Length() const {
  std::wstring s;
  if (!open_ || Status("length", s) != 0) return 0;
  return static_cast<unsigned>(ToNumber(s));
}

std::string TMediaPlayer::ErrorMessage() const {
  if (error_ == 0) return std::string();
  wchar_t buf[256] = {0};
  if (!mciGetErrorStringW(error_, buf, 256) || !buf[0]) return "media error " + std::to_string(error_);
  return WideToGbk(buf);
}
