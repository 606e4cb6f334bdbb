#pragma once
// Menu items drawn from the skin: the MenuItem strip (frame 1 normal, frame 4
// selected, frame 2 also the separator) over the popup window's background,
// with the check mark or image, the caption, the shortcut and the bold
// default item. Each item is composed off screen and drawn in one blit.
#include <windows.h>

#include <string>

#include "toolkit/win/menus.h"

class TBitmap;
class TCanvas;
class TImageList;
class TSkinData;

// What one menu entry shows.
struct TMenuItemFace {
  std::string Caption;       // GBK; "&" marks the access key, "-" a separator
  std::string ShortCutText;  // right-aligned after the caption; empty for none
  bool Enabled = true, Checked = false, Default = false, RightToLeft = false;
  int ImageIndex = -1;
  TImageList* Images = nullptr;
  bool IsLine() const { return Caption == "-"; }
};

// The face of a toolkit item (with its menu's images); rightToLeft: the menu
// belongs to a right-to-left window.
TMenuItemFace FaceOfItem(TMenuItem& item, bool rightToLeft);
// The face of an entry known only by its menu handle and command: text before
// a tab is the caption, after it the shortcut; an empty text is a separator.
TMenuItemFace FaceOfMenuEntry(HMENU menu, UINT command, bool rightToLeft);

// The background behind an item: a popup window's rendered background and
// where the window's client area lies in it.
struct TMenuBackground {
  TBitmap* Bitmap = nullptr;
  POINT ClientOffset{0, 0};
};

// An item at rect (client coordinates of its popup) onto dc. With
// frameSeparators the MenuItem frame is drawn under separators as well and
// their contents follow (items known only by handle).
void DrawSkinMenuItem(TSkinData& data, const TMenuItemFace& face, HDC dc, const RECT& rect, bool selected,
                      const TMenuBackground& background, bool frameSeparators = false);
// Without a MenuItem skin object: flat Hilight or Menu colour.
void DrawPlainMenuItem(TSkinData& data, const TMenuItemFace& face, HDC dc, const RECT& rect, bool selected);
// The separator from frame 2 of the MenuItem image, key colour transparent.
void DrawMenuSeparator(TSkinData& data, HDC dc, const RECT& rect);
// Check mark or image, caption and shortcut into rect of canvas.
void DrawMenuItemContents(TSkinData& data, const TMenuItemFace& face, TCanvas& canvas, bool selected,
                          const RECT& rect);
// One text of an item (measured with DT_CALCRECT), or the etched separator line.
int DrawMenuText(TSkinData& data, const TMenuItemFace& face, TCanvas& canvas, UINT flags, bool selected, RECT& rect,
                 const std::string& text);
// Width an owner-drawn popup item needs beyond its caption: the MenuItem's
// left margin, the glyph column and the shortcut.
int MenuItemExtraWidth(TSkinData& data, const TMenuItemFace& face, TCanvas& canvas, bool withImages);
