#pragma once
// GIF pictures for the image control: decoded with giflib, every frame composed.
#include <cstddef>
#include <cstdint>

#include "toolkit/win/image.h"

// The most the composed frames of one picture may take (frames x canvas x 4 bytes).
constexpr std::uint64_t MaxGifPictureBytes = 64u << 20;

// Decodes GIF data into `picture` (all frames, delays and loop count). Raises
// EGifError on damaged data or a picture whose frames would take more than
// MaxGifPictureBytes, and leaves `picture` as it was.
void LoadGifPicture(const void* data, std::size_t size, TPicture& picture);
