#include "toolkit/win/sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

bool SoundDeviceExists() { return waveOutGetNumDevs() > 0; }

bool PlaySoundFromMemory(const TResourceView& view) {
  // Only a RIFF WAVE image goes to the system.
  if (!view.Data || view.Size < 12) return false;
  const char* p = static_cast<const char*>(view.Data);
  if (std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0) return false;
  return sndPlaySoundA(static_cast<LPCSTR>(view.Data), SND_MEMORY | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void StopSound() { sndPlaySoundA(nullptr, 0); }
