#pragma once
// A popup-menu window ("#32768") wearing the skin: its background and frame
// come from the skin's MenuBackground; its items (owner-drawn) are drawn over
// the same background, found through the menu handle it is tagged with.
#include <windows.h>

#include <memory>

#include "toolkit/win/messages.h"
#include "toolkit/win/window_subclass.h"

class TBitmap;
class TSkinData;

class TWinSkinPopMenu {
public:
  TWinSkinPopMenu();
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  void Attach(HWND window, TSkinData* data, HMENU menu);
  // Gives the window its procedure back; safe to call twice.
  void Detach();
  bool Attached() const { return subclass_.Attached(); }

  // The rendered background of the whole window (rendered when missing or
  // when the window's size changed), and where its client area lies in it.
  TBitmap* Background();
  POINT ClientOffset() const;

  HWND Window() const { return window_; }
  // The menu the window shows, once an item was drawn; null until then.
  HMENU Menu() const { return menu_; }
  void TagMenu(HMENU menu) { menu_ = menu; }

private:
  void WndProc(TMessage& m);
  bool CanPaint() const;
  void RenderFrame();
  void EraseBackground(TMessage& m);
  void PaintFrame(TMessage& m);
  void PrintFrame(TMessage& m);
  void PaintBorder(TMessage& m);

  HWND window_ = nullptr;
  TSkinData* data_ = nullptr;
  HMENU menu_ = nullptr;
  std::unique_ptr<TBitmap> frame_;
  TWindowSubclass subclass_;
};
