#pragma once
// A page control of another component set that takes its tab pictures
// through two published bitmap properties, "TabBackGround" and
// "TabBackGroundActive": frames 1 and 2 of the skin's Tabs strip are rendered
// and handed over; the control paints its tabs itself. Unskin clears them
// (only when they were handed over here).
// Its scroll arrows (an up-down child) get their skin at the first paint.
#include <string>

#include "skin/win/controls/control.h"

class TSkinAdvPage : public TSkinControl {
  TK_CLASS(TSkinAdvPage)
public:
  // The page mode that takes the tab pictures.
  static constexpr int kTabPicturesMode = 4;
  // The size the tab pictures are rendered at.
  static constexpr int kPictureWidth = 100, kPictureHeight = 21;

  explicit TSkinAdvPage(TComponent* owner);

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void Unskin() override;
  void PaintSkin(HDC dc, const RECT& r) override;
  void SkinChanged() override;

  void ApplyTabImages();

  int FPageMode = 0;

private:
  // The control's bitmap property of that name gets frame frameIndex of the
  // Tabs strip; skipped when the control has no such property.
  void AssignTabPicture(const std::string& property, int frameIndex);
  void ClearTabPicture(const std::string& property);

  bool picturesGiven_ = false;  // the control holds pictures made here
};
