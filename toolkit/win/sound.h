#pragma once
// Short sounds: WAV data played asynchronously from memory.
#include "toolkit/win/resources.h"

// True when the system has at least one wave output device.
bool SoundDeviceExists();
// Starts the WAV in view and returns at once; a new sound cuts off the one
// playing. The view must stay valid while it plays: give it a resource view,
// which lives as long as its module. False when the system refused it.
bool PlaySoundFromMemory(const TResourceView& view);
// Stops any sound playing.
void StopSound();
