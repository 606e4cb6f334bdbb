#pragma once
// The media player's skin: a panel laid over the player's window paints the
// nine player buttons from the skin and the program's button pictures, and
// hands the player the presses and the releases that end on the pressed button.
#include <functional>
#include <memory>
#include <string>

#include "skin/win/controls/control.h"
#include "toolkit/win/panel.h"

class TSkinMP;

class TWMediaPlayer : public TCustomPanel {
  TK_CLASS(TWMediaPlayer)
public:
  enum : int { kButtons = 9, kNoButton = 9 };
  enum TPicture { ppEnabled, ppDisabled, ppColored };
  struct TPlayerButton {
    bool Visible = false, Enabled = false, Colored = false;
    std::unique_ptr<TBitmap> Pictures[3];  // empty when the picture could not be loaded
  };
  // Loads a picture by name ("EN_MPPLAY"); raises when there is none. By
  // default from the program's bitmap resources.
  static std::function<void(TBitmap& into, const std::string& name)>& PictureLoader();

  explicit TWMediaPlayer(TComponent* owner);
  ~TWMediaPlayer() override;

  void Setup(TSkinMP* skinMP, TControl* mediaPlayer);
  void FollowControl(TControl* mediaPlayer);
  // The visible button under x at the last paint, or kNoButton.
  int ButtonAt(int x) const;

  TPlayerButton FButtons[kButtons];
  int FVisibleCount = 0;
  TSkinData* FSkinData = nullptr;
  bool FMouseDown = false;
  int FPressedButton = kNoButton;
  int FHitButton = kNoButton;
  int FButtonWidth = 0;
  TControl* FMediaPlayer = nullptr;
  TSkinMP* FSkinMP = nullptr;

protected:
  void PaintWindow(HDC dc) override;
  void WndProc(TMessage& m) override;

private:
  void ReadButtonSets();
  void DrawButton(HDC dc, const RECT& r, int index);
};

class TSkinMP : public TSkinControl {
  TK_CLASS(TSkinMP)
public:
  explicit TSkinMP(TComponent* owner) : TSkinControl(owner) {}
  ~TSkinMP() override;

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void Unskin() override;
  void AfterMessage(TMessage& m) override;

  // Made at attach; freed by Unskin, by this object's end, or with its parent window.
  TWMediaPlayer* FPlayerPanel = nullptr;

private:
  void FreePanel();
};
