#pragma once
// TMediaPlayer: a player of media files (MP3, WAV...) over the system's media
// control interface, one device alias per player. It is a windowed control so
// that code drawing the program's windows can attach to it; the program keeps
// it invisible, and it draws no buttons of its own.
//
// Nothing here raises: each command returns the system's error code (0 on
// success), also kept in Error(). Mode() is mpNotReady while nothing is open.
#include <string>

#include "toolkit/win/controls.h"

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };
// The player's buttons, in order; the button sets are bit sets of them.
enum TMPBtnType : unsigned { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
using TButtonSet = unsigned;
constexpr TButtonSet kAllMPButtons = 0x1FF;

class TMediaPlayer : public TWinControl {
  TK_CLASS(TMediaPlayer)
public:
  explicit TMediaPlayer(TComponent* owner);
  ~TMediaPlayer() override;

  const std::string& GetFileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }
  // Which buttons a face drawn for the player shows, enables and colours.
  TButtonSet GetVisibleButtons() const { return visibleButtons_; }
  void SetVisibleButtons(TButtonSet s) { visibleButtons_ = s & kAllMPButtons; Invalidate(); }
  TButtonSet GetEnabledButtons() const { return enabledButtons_; }
  void SetEnabledButtons(TButtonSet s) { enabledButtons_ = s & kAllMPButtons; Invalidate(); }
  TButtonSet GetColoredButtons() const { return coloredButtons_; }
  void SetColoredButtons(TButtonSet s) { coloredButtons_ = s & kAllMPButtons; Invalidate(); }

  unsigned Open();    // closes what was open, then opens FileName
  unsigned Play();    // from the current position; from the start when at the end
  unsigned Pause();
  unsigned Resume();
  unsigned Stop();
  unsigned Rewind();  // back to the start
  unsigned Close();

  bool IsOpen() const { return open_; }
  TMPModes Mode() const;
  // Position and length in milliseconds; 0 while nothing is open.
  unsigned Position() const;
  unsigned Length() const;

  unsigned Error() const { return error_; }
  std::string ErrorMessage() const;

private:
  unsigned Command(const std::string& verb, const std::string& args = std::string());
  unsigned Status(const std::string& item, std::wstring& answer) const;

  std::string alias_;
  std::string fileName_;
  TButtonSet visibleButtons_ = kAllMPButtons, enabledButtons_ = kAllMPButtons, coloredButtons_ = kAllMPButtons;
  bool open_ = false;
  bool playing_ = false;  // the last of play/stop was a play that succeeded
  unsigned error_ = 0;
};
