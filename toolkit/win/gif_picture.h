#pragma once
// GIF pictures for the image control: decoded with giflib, every frame composed.
#include <cstddef>

#include "toolkit/win/image.h"

// Decodes GIF data into `picture` (all frames, delays and loop count). Raises
// EGifError on damaged data and leaves `picture` as it was.
void LoadGifPicture(const void* data, std::size_t size, TPicture& picture);
