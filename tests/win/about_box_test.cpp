// The about box's note sits inside its group box, below the caption "说明" and
// off the frame, and its wrapped text fits.
#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "practice/main/Unit2.h"
#include "screen_pixels.h"
#include "screenshot.h"

namespace {

using AboutBox = MainFormTest;

int TextHeight(TControl* c, const std::string& text, int width, UINT flags) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, c->GetFont()->Handle());
  RECT r{0, 0, width, 0};
  std::wstring wide = GbkToWide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, flags | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r.bottom;
}

TEST_F(AboutBox, TheNoteSitsInsideTheFrameBelowItsCaption) {
  std::unique_ptr<TForm2> about(CreateFormObject<TForm2>(Application));
  about->Show();
  Pump();
  auto* box = dynamic_cast<TWinControl*>(about->FindComponent("GroupBox1"));
  auto* note = dynamic_cast<TLabel*>(about->FindComponent("Label6"));
  ASSERT_TRUE(box && note);
  const int caption = TextHeight(box, "说明", 0, DT_SINGLELINE);
  EXPECT_GE(note->GetTop(), caption) << "below the caption";
  EXPECT_GE(note->GetLeft(), 4) << "off the frame's left line";
  EXPECT_LE(note->GetLeft() + note->GetWidth(), box->GetWidth() - 4) << "off the frame's right line";
  EXPECT_LE(note->GetTop() + note->GetHeight(), box->GetHeight() - 4) << "above the frame's bottom line";
  EXPECT_LE(TextHeight(note, note->GetCaption(), note->GetWidth(), DT_WORDBREAK), note->GetHeight())
      << "the wrapped note fits";

  // The caption and the frame's left line show on the screen.
  const TScreenPixels shown = ReadControl(box);
  const COLORREF face = MeasureTextContrast(shown).Background;
  int captionInk = 0, frameInk = 0;
  for (int y = 0; y < caption; ++y)
    for (int x = 8; x < 8 + 2 * caption; ++x) captionInk += IsInk(shown.At(x, y), face);
  for (int y = caption + 4; y < shown.Height - 4; ++y)
    for (int x = 0; x < 3; ++x) frameInk += IsInk(shown.At(x, y), face);
  EXPECT_GT(captionInk, 20) << "说明";
  EXPECT_GE(frameInk, shown.Height - caption - 8) << "the frame's left line";
  EXPECT_TRUE(SaveWindowShot(about->Handle(), ArtefactFolder() + "about-box.bmp"));
}

}  // namespace
