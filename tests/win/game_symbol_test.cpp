// The letter game's moving symbol holds all of its glyph's ink: a label sized
// to its text's advance alone cuts the slanted strokes of W, V, A, K; and
// every symbol starts its pass where the window shows it whole.
#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "screen_pixels.h"
#include "screenshot.h"

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

// The symbols of both games, each at the place where a pass starts: what the
// window shows of it is the whole glyph, in either layout.
TEST_F(GameSymbol, EverySymbolStartsItsPassWhole) {
  for (TLabel* item : {form->Label1, form->Label2, form->Label3, form->Label4}) item->SetVisible(false);
  TLabel* symbol = form->Label15;
  auto expectWholeAtStart = [&](const std::string& layout) {
    symbol->SetVisible(true);
    const int start = form->Session->GameStartLeft();
    for (const char* c = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"; *c; ++c) {
      SCOPED_TRACE(layout + " " + *c);
      symbol->SetCaption(std::string(1, *c));
      symbol->SetLeft(300);
      Pump();
      const TScreenPixels away = ReadControl(symbol, 20);
      const COLORREF background = MeasureTextContrast(away).Background;
      const int whole = InkColumns(away, background).Width();
      symbol->SetLeft(start);
      Pump();
      RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      const RECT right{start - 20, symbol->GetTop(), form->ClientWidth(), symbol->GetTop() + symbol->GetHeight()};
      const int shown = InkColumns(ReadScreen(ScreenRectOf(form->Handle(), right)), background).Width();
      EXPECT_GT(whole, 0);
      EXPECT_EQ(shown, whole) << "starting at " << start << " of " << form->ClientWidth();
    }
    symbol->SetVisible(false);
  };
  expectWholeAtStart("window");
  Click(form->Button6->Handle());  // 全屏
  ASSERT_EQ(form->Button6->GetCaption(), "窗口");
  expectWholeAtStart("full screen");
  Click(form->Button6->Handle());
  ASSERT_EQ(form->Button6->GetCaption(), "全屏");

  // The game's screen, paused, with Q where a hit puts the next symbol.
  Click(form->RadioGroup1->Buttons(17)->Handle());
  Click(form->Button1->Handle());
  ASSERT_EQ(form->Button1->GetCaption(), "暂停");
  ShiftEscape();
  ASSERT_EQ(form->Button1->GetCaption(), "继续");
  symbol->SetCaption("Q");
  symbol->SetLeft(form->Session->GameStartLeft());
  Pump();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "game-q-at-start.bmp"));
}

}  // namespace
