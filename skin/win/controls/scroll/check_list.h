#pragma once
// Check list boxes: the list's scroll bars skinned as any list box's
// (TSkinScrollbar), and each item drawn by the skin, its check glyph from
// the skin's check-box strip, then its text.
#include "skin/win/controls/scroll/scrollbar.h"

class TCheckListBox;

// The frame (from 1) of the check strip for an item state: 0 unchecked,
// 1 checked, 2 greyed; a 12-frame strip keeps its checked and greyed glyphs further on.
int CheckListGlyphFrame(int state, int frameCount);

class TSkinCheckList : public TSkinScrollbar {
  TK_CLASS(TSkinCheckList)
public:
  explicit TSkinCheckList(TComponent* owner);

  bool BeforeMessage(TMessage& m) override;
  void DrawItem(const DRAWITEMSTRUCT& item);
  void DrawCheckItem(TCanvas& canvas, int index, UINT state, const RECT& r);
  // The skin has a check strip to draw the items with.
  bool CanDrawItems() const;
};
