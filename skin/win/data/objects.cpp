#include "skin/win/data/objects.h"

TDataSkinObject::TDataSkinObject() : Bitmap(std::make_unique<TBitmap>()) {}
TDataSkinObject::~TDataSkinObject() = default;

int TDataSkinObject::FrameWidth() const { return Bitmap ? Bitmap->GetWidth() / (FrameCount > 0 ? FrameCount : 1) : 0; }

TDataSkinBorder::TDataSkinBorder() : Bitmap2(std::make_unique<TBitmap>()) {}

TDataSkinButton::TDataSkinButton()
    : Bitmap2(std::make_unique<TBitmap>()), Bitmap3(std::make_unique<TBitmap>()) {}
