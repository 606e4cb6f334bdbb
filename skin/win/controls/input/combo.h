#pragma once
// Combo boxes (toolkit combos, bare "combobox" windows, the inner combo of a
// "comboboxex32") painted from the skin's ComboButton and SunkEdge after the
// control's own painting: frame, drop-down button and arrow, hover and press
// on the button. The combo's edit child is watched so that its repaints
// bring the face back. The list's scroll bar is skinned too: a drop-down
// list's by TComboxScrollBar, a simple combo's always visible list by
// TSkinScrollbarH, both owned here.
#include "skin/win/controls/control.h"

// State frames of the combo strips.
enum TComboFrame { cfNormal = 1, cfPressed = 2, cfDisabled = 3, cfHot = 4 };
// Standard and whole-image modes: disabled over pressed over hot-or-focused.
int ComboStateFrame(bool disabled, BYTE mouseState, bool focused);
// Flat mode: pressed over hot-or-focused over disabled.
int ComboFlatStateFrame(bool disabled, BYTE mouseState, bool focused);
// Pixels of the text area's own background kept between the caption and the
// button (standard and whole-image modes).
constexpr int ComboCaptionMargin = 3;

class TComboxScrollBar;
class TSkinScrollbarH;

class TSkinComBox : public TSkinControl {
  TK_CLASS(TSkinComBox)
public:
  explicit TSkinComBox(TComponent* owner);
  ~TSkinComBox() override;

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) override;
  void Unskin() override;
  void AfterMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& window) override;
  void Notification(TComponent* component, TOperation operation) override;

  LONG FStyle = 0;
  LONG FExStyle = 0;
  HWND FEditHandle = nullptr;
  // The skin of the list's scroll bars, owned as components of this object
  // (null again when freed, also by the frame's sweep of dead windows).
  TSkinScrollbarH* FListScrollbars = nullptr;  // a simple combo's list
  TComboxScrollBar* FListScrollBar = nullptr;  // the drop-down list
  COMBOBOXINFO FComboInfo{};
  RECT FButtonRect{};
  bool FExtended = false;  // the inner combo of a "comboboxex": border and arrow only

protected:
  void WindowCreated() override;

private:
  void HookEdit();
  void EditWndProc(TMessage& m);
  // A left-button press or release sets or clears the pressed bit and repaints.
  bool TrackPress(UINT msg);
  void SkinList(TSkinControlList* list);
  // The height of the closed face (edit and button), 0 when unknown.
  int FaceHeight(const COMBOBOXINFO& info) const;
  bool TallerThanFace();
  void PaintStandard(HDC dc, const RECT& r, int frame);
  // The ComboCaptionMargin pixels before textEnd (after it, button on the
  // left) in the text area's own background.
  void PaintCaptionMargin(HDC dc, const RECT& r, int textEnd, bool left);
  void PaintFlat(HDC dc, const RECT& r);
  void PaintExtended(HDC dc, const RECT& r, int frame);

  TWindowSubclass edit_;
};
