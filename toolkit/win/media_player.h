#pragma once
// TMediaPlayer: an invisible player of media files (MP3, WAV...) over the
// system's media control interface, one device alias per player.
//
// Nothing here raises: each command returns the system's error code (0 on
// success), also kept in Error(). Mode() is mpNotReady while nothing is open.
#include <string>

#include "toolkit/base/component.h"

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

class TMediaPlayer : public TComponent {
  TK_CLASS(TMediaPlayer)
public:
  explicit TMediaPlayer(TComponent* owner);
  ~TMediaPlayer() override;

  const std::string& GetFileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }
  // Kept for form definitions; the player never shows anything.
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }

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
  bool visible_ = false;
  bool open_ = false;
  bool playing_ = false;  // the last of play/stop was a play that succeeded
  unsigned error_ = 0;
};
