// Caption colours of push and speed buttons: the control's font colour or the
// skin's button text, the skin's colours per state where it gives them, the
// shadow colour when disabled. Read back as the colour of the caption's ink.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "skin/win/controls/buttons/button.h"
#include "skin/win/controls/buttons/speed_button.h"
#include "skin_family_fixture.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/speed_button.h"

namespace {

const TColor kFont = Rgb(0, 90, 0), kButtonText = Rgb(90, 0, 90);
const TColor kNormal = Rgb(200, 0, 0), kHot = Rgb(0, 0, 210), kPressed = Rgb(160, 100, 0);

struct SkinCaptionColourTest : SkinFamilyFixture {
  void SetUp() override {
    SkinFamilyFixture::SetUp();
    data->Colors[scButtonText] = kButtonText;
    data->Skin3rd = {"TSpeedButton=speedbutton"};
    NewDispatcher();
    UseCaptionFont(*form);
  }
  // Large and bold: the caption's ink has pixels of its colour unblended.
  static void UseCaptionFont(TControl& c) {
    c.GetFont()->SetHeight(-22);
    c.GetFont()->SetStyle(fsBold);
    c.GetFont()->SetColor(kFont);
  }
  void Give(bool normal, bool hot, bool pressed) {
    TDataSkinButton& b = *data->Buttons;
    b.NormalColour2 = kNormal;
    b.MouseOverColour2 = kHot;
    b.PressedColour2 = kPressed;
    b.NormalColour2Given = normal;
    b.MouseOverColour2Given = hot;
    b.PressedColour2Given = pressed;
  }
  // The face painted off screen.
  template <class Paint>
  static std::unique_ptr<TBitmap> Painted(int width, int height, Paint paint) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(TPixelFormat::pf24bit);
    b->SetSize(width, height);
    paint(b->CanvasDC(), RECT{0, 0, width, height});
    return b;
  }
  // The colour of the caption's ink: the one colour, other than the face's, found most.
  template <class Paint>
  static TColor Ink(int width, int height, Paint paint) {
    std::unique_ptr<TBitmap> b = Painted(width, height, paint);
    std::vector<std::pair<TColor, int>> counts;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const TColor c = b->GetPixel(x, y);
        bool frame = false;
        for (TColor f : kFrame) frame = frame || f == c;
        if (frame || c == kFace) continue;
        auto it = std::find_if(counts.begin(), counts.end(), [c](const auto& p) { return p.first == c; });
        if (it == counts.end()) counts.push_back({c, 1});
        else ++it->second;
      }
    auto most = std::max_element(counts.begin(), counts.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? clNone : most->first;
  }
  // The caption's ink of the face the skin's `paint` draws in the mouse state `mouse`.
  template <class Skin>
  static TColor InkOf(Skin* s, void (Skin::*paint)(HDC, const RECT&), BYTE mouse) {
    s->FMouseState = mouse;
    return Ink(kW, kH, [&](HDC dc, const RECT& r) { (s->*paint)(dc, r); });
  }
  static constexpr int kW = 120, kH = 36;
};

TColor Shadow() { return static_cast<TColor>(ColorToRGB(clBtnShadow)); }

TEST_F(SkinCaptionColourTest, PushButtonsByState) {
  auto* button = Make<TButton>(10, 10, kW, kH);
  button->SetCaption("WWW");
  UseCaptionFont(*button);
  form->Show();
  dispatcher->SkinFormControls(form);
  auto* s = dynamic_cast<TSkinButton*>(list.FindByControl(button));
  ASSERT_NE(s, nullptr);
  SetFocus(nullptr);
  auto ink = [&](BYTE mouse) { return InkOf(s, &TSkinButton::PaintSkin, mouse); };
  const BYTE hover = TSkinControl::msHover, pressed = TSkinControl::msPressed;
  // Nothing given: the control's font colour in every state but disabled.
  Give(false, false, false);
  EXPECT_EQ(ink(0), kFont);
  EXPECT_EQ(ink(hover), kFont);
  EXPECT_EQ(ink(pressed), kFont);
  // The normal colour stands for every state the skin gives no colour of.
  Give(true, false, false);
  EXPECT_EQ(ink(0), kNormal);
  EXPECT_EQ(ink(hover), kNormal);
  EXPECT_EQ(ink(pressed), kNormal);
  button->SetDefault(true);
  EXPECT_EQ(ink(0), kNormal) << "focused or default";
  EXPECT_EQ(Painted(kW, kH, [&](HDC dc, const RECT& r) { s->PaintSkin(dc, r); })->GetPixel(kW / 2, 2),
            kFrame[bfFocused - 1]);
  Give(true, true, true);
  EXPECT_EQ(ink(hover), kHot);
  EXPECT_EQ(ink(pressed), kPressed);
  EXPECT_EQ(ink(hover | pressed), kPressed);
  button->SetEnabled(false);
  EXPECT_EQ(ink(0), Shadow()) << "disabled: the shadow colour, whatever the skin gives";

  // A bare button window starts from the skin's button text.
  HWND bare = CreateWindowExW(0, L"BUTTON", L"WWW", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 60, kW, kH,
                              form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(bare, WM_SETFONT, reinterpret_cast<WPARAM>(form->GetFont()->Handle()), 0);
  dispatcher->SkinChildWindow(bare);
  auto* b = dynamic_cast<TSkinButton*>(list.FindByHandle(bare));
  ASSERT_NE(b, nullptr);
  Give(false, false, false);
  EXPECT_EQ(Ink(kW, kH, [&](HDC dc, const RECT& r) { b->PaintSkin(dc, r); }), kButtonText);
  Give(false, true, false);
  b->FMouseState = hover;
  EXPECT_EQ(Ink(kW, kH, [&](HDC dc, const RECT& r) { b->PaintSkin(dc, r); }), kHot);
  DestroyWindow(bare);
}

TEST_F(SkinCaptionColourTest, SpeedButtonsWithAndWithoutAGlyph) {
  auto* sb = new TSpeedButton(form);
  sb->SetParent(form);
  sb->SetBounds(10, 10, kW, kH);
  sb->SetCaption("WWW");
  UseCaptionFont(*sb);
  form->Show();
  dispatcher->SkinFormControls(form);
  auto* s = dynamic_cast<TSkinSpeedButton*>(list.FindByControl(sb));
  ASSERT_NE(s, nullptr);
  auto ink = [&](BYTE mouse) { return InkOf(s, &TSkinSpeedButton::PaintSpeedFace, mouse); };
  const BYTE hover = TSkinControl::msHover, pressed = TSkinControl::msPressed;
  // Without a glyph the normal colour stands for the states given none.
  Give(true, false, false);
  EXPECT_EQ(ink(0), kNormal);
  EXPECT_EQ(ink(hover), kNormal);
  Give(true, true, true);
  EXPECT_EQ(ink(hover), kHot);
  EXPECT_EQ(ink(pressed), kPressed);

  // With a glyph it is the normal state's only: the others fall back to the font.
  TBitmap& glyph = *sb->GetGlyph();
  glyph.SetPixelFormat(TPixelFormat::pf24bit);
  glyph.SetSize(8, 8);
  FillRectColor(glyph.CanvasDC(), RECT{0, 0, 8, 8}, Rgb(1, 1, 1));  // all its transparent colour
  sb->SetMargin(2);
  Give(true, false, false);
  EXPECT_EQ(ink(0), kNormal);
  EXPECT_EQ(ink(hover), kFont);
  EXPECT_EQ(ink(pressed), kFont);
  Give(true, true, true);
  EXPECT_EQ(ink(hover), kHot);
  EXPECT_EQ(ink(pressed), kPressed);
  sb->SetEnabled(false);
  EXPECT_EQ(ink(0), Shadow());
}

}  // namespace
