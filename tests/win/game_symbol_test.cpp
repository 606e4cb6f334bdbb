// The letter game's moving symbol holds all of its glyph's ink: a label sized
// to its text's advance alone cuts the slanted strokes of W, V, A, K.
#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "screen_pixels.h"

namespace {

using GameSymbol = MainFormTest;

TEST_F(GameSymbol, TheLabelHoldsTheInkOfTheWidestLetters) {
  for (TLabel* item : {form->Label1, form->Label2, form->Label3, form->Label4}) item->SetVisible(false);
  TLabel* symbol = form->Label15;
  symbol->SetVisible(true);
  symbol->SetLeft(300);
  for (const char* letter : {"W", "M", "V", "A", "K", "Y", "X", "4"}) {
    SCOPED_TRACE(letter);
    symbol->SetCaption(letter);
    Pump();
    const TScreenPixels sized = ReadControl(symbol, 40);
    const COLORREF background = MeasureTextContrast(sized).Background;
    const int shown = InkColumns(sized, background).Width();
    // The same glyph in a label far wider than it: nothing cut.
    const int left = symbol->GetLeft(), width = symbol->GetWidth();
    symbol->SetAutoSize(false);
    symbol->SetBounds(left - 30, symbol->GetTop(), width + 60, symbol->GetHeight());
    Pump();
    const int whole = InkColumns(ReadControl(symbol, 10), background).Width();
    symbol->SetBounds(left, symbol->GetTop(), width, symbol->GetHeight());
    symbol->SetAutoSize(true);
    EXPECT_GT(whole, 0);
    EXPECT_EQ(shown, whole) << "the label " << width << " px wide cuts its glyph";
  }
}

}  // namespace
