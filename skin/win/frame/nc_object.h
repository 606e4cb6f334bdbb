#pragma once
// Clickable objects of a skinned frame's non-client area: the caption buttons
// (and, with the menu bar, its buttons). One of them at most is the frame's
// HotObject, hot or pressed.
#include <windows.h>

class TWinSkinForm;
class TDataSkinSysButton;

class TNCObject {
public:
  explicit TNCObject(TWinSkinForm* owner) : OwnerForm(owner) {}
  virtual ~TNCObject() = default;
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  virtual void MouseDown();
  virtual void MouseUp();
  virtual void MouseMove();
  virtual void MouseLeave();
  virtual void Paint() {}
  virtual bool IsCaptionButton() const { return false; }

  TWinSkinForm* OwnerForm;
  RECT BoundsRect{0, 0, 0, 0};  // window coordinates
  bool Visible = false;
  int State = 1;  // 1 normal, 2 pressed, 3 hot
  bool Enabled = true;
};

// One caption button: the skin's caption button at Index of the skin data's list.
class TWinSysButton : public TNCObject {
public:
  TWinSysButton(TWinSkinForm* owner, int index) : TNCObject(owner), Index(index) {}
  void Paint() override;
  bool IsCaptionButton() const override { return true; }
  // The skin's button, or null once the skin no longer has it.
  TDataSkinSysButton* SkinButton() const;
  int Index;
};
