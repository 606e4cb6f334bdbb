// Speed buttons and menu buttons wearing the skin: their state frames read
// back as pixels from a skin of plain colours, driven by real mouse messages.
#include <windows.h>

#include <memory>

#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/buttons/menu_button.h"
#include "skin/win/controls/buttons/speed_button.h"
#include "skin/win/controls/control.h"
#include "skin/win/controls/dispatch.h"
#include "skin/win/controls/glyph.h"
#include "skin/win/data/skin_data.h"
#include "skin_family_fixture.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/menu_button.h"
#include "toolkit/win/speed_button.h"

namespace {

// Pictures of the test glyph strip: up, disabled, pressed, down.
const TColor kGlyph[4] = {Rgb(250, 0, 0), Rgb(0, 250, 0), Rgb(0, 0, 250), Rgb(250, 0, 250)};
const TColor kKey = Rgb(1, 1, 1);

void MakeGlyph(TBitmap& glyph, int pictures) {
  glyph.SetPixelFormat(TPixelFormat::pf24bit);
  glyph.SetSize(12 * pictures, 12);
  for (int i = 0; i < pictures; ++i) {
    FillBitmapRect(glyph, RECT{i * 12, 0, i * 12 + 12, 12}, kGlyph[i]);
    glyph.SetPixel(i * 12, 11, kKey);  // the bottom-left pixel names the transparent colour
  }
}

struct SkinSpeedTest : SkinFamilyFixture {
  void SetUp() override {
    SkinFamilyFixture::SetUp();
    GetCursorPos(&cursor);
    data->Skin3rd.push_back("TSpeedButton=speedbutton");
    data->Skin3rd.push_back("TMenuButton=menubtn");
  }
  // The pointer goes back where it was for the tests after these.
  void TearDown() override {
    SetCursorPos(cursor.x, cursor.y);
    SkinFamilyFixture::TearDown();
  }
  void Skin() {
    form->Show();
    dispatcher->SkinFormControls(form);
    Pump();
  }
  using SkinFamilyFixture::Shown;
  TColor Shown(int x, int y) { return Shown(form->Handle(), x, y); }
  // A mouse message where the pointer really is (the system checks it when
  // it tracks the leave).
  static void Mouse(HWND w, UINT msg, int x, int y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    SetCursorPos(p.x, p.y);
    SendMessageW(w, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  }
  POINT cursor{};
};

TEST_F(SkinSpeedTest, SpeedButtonFramesFollowMouseEnabledAndDown) {
  auto* sb = new TSpeedButton(form);
  sb->SetParent(form);
  sb->SetBounds(20, 20, 60, 30);
  int clicks = 0;
  sb->OnClick = [&](TObject*) { ++clicks; };
  Skin();
  auto* skin = dynamic_cast<TSkinSpeedButton*>(list.FindByControl(sb));
  ASSERT_NE(skin, nullptr);
  EXPECT_EQ(skin->FGraphicControl, sb);
  EXPECT_EQ(skin->FControl, nullptr);
  EXPECT_EQ(skin->Handle(), nullptr);
  dispatcher->SkinFormControls(form);  // a second pass adds nothing
  EXPECT_EQ(list.Count(), 1);

  HWND w = form->Handle();
  const int fx = 25, fy = 35;  // on the face, off the caption
  EXPECT_EQ(Shown(fx, fy), kFrame[0]);
  Mouse(w, WM_MOUSEMOVE, fx, fy);
  EXPECT_EQ(Now(w, fx, fy), kFrame[3]) << "hover paints at once";
  EXPECT_EQ(Shown(fx, fy), kFrame[3]);
  Mouse(w, WM_LBUTTONDOWN, fx, fy);
  EXPECT_TRUE(sb->Pressed()) << "the button's own press handling ran";
  EXPECT_EQ(Now(w, fx, fy), kFrame[1]);
  EXPECT_EQ(Shown(fx, fy), kFrame[1]);
  Mouse(w, WM_LBUTTONUP, fx, fy);
  EXPECT_EQ(clicks, 1) << "the button makes its own click";
  EXPECT_EQ(Shown(fx, fy), kFrame[3]);
  Mouse(w, WM_MOUSEMOVE, 300, 300);  // off the button, still on the form
  EXPECT_EQ(Shown(fx, fy), kFrame[0]);

  // Pressed, then left before the release: no click, back to normal.
  Mouse(w, WM_MOUSEMOVE, fx, fy);
  Mouse(w, WM_LBUTTONDOWN, fx, fy);
  SendMessageW(w, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Shown(fx, fy), kFrame[0]);
  Mouse(w, WM_LBUTTONUP, 300, 300);
  EXPECT_EQ(clicks, 1);

  sb->SetEnabled(false);
  EXPECT_EQ(Shown(fx, fy), kFrame[2]);
  sb->SetDown(true);
  EXPECT_EQ(Shown(fx, fy), kFrame[1]) << "down over disabled";
  sb->SetEnabled(true);
  EXPECT_EQ(Shown(fx, fy), kFrame[1]);

  // Space on the button shows it pressed while down.
  sb->SetDown(false);
  sb->Perform(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(Now(w, fx, fy), kFrame[1]);
  sb->Perform(WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(Now(w, fx, fy), kFrame[0]);
}

TEST_F(SkinSpeedTest, FlatSpeedButtonShowsItsFaceOnlyWhenHotOrDown) {
  auto* sb = new TSpeedButton(form);
  sb->SetParent(form);
  sb->SetBounds(20, 20, 60, 30);
  sb->SetFlat(true);
  Skin();
  HWND w = form->Handle();
  EXPECT_EQ(Shown(25, 35), kFace);
  Mouse(w, WM_MOUSEMOVE, 25, 35);
  EXPECT_EQ(Shown(25, 35), kFrame[3]);
  Mouse(w, WM_MOUSEMOVE, 300, 300);
  sb->SetEnabled(false);
  EXPECT_EQ(Shown(25, 35), kFace) << "a flat disabled button shows its background";
  sb->SetDown(true);
  EXPECT_EQ(Shown(25, 35), kFrame[1]);
}

TEST_F(SkinSpeedTest, GlyphPicturesFollowTheState) {
  auto* sb = new TSpeedButton(form);
  sb->SetParent(form);
  sb->SetBounds(20, 20, 60, 30);
  MakeGlyph(*sb->GetGlyph(), 4);
  sb->SetNumGlyphs(4);
  Skin();
  auto* skin = dynamic_cast<TSkinSpeedButton*>(list.FindByControl(sb));
  ASSERT_NE(skin, nullptr);
  HWND w = form->Handle();
  // No caption, Margin -1, Spacing 4: the glyph sits at ((60 - 12) / 2 + 1, (30 - 12 + 1) / 2).
  const int gx = 20 + 25 + 6, gy = 20 + 9 + 6;
  EXPECT_EQ(Shown(gx, gy), kGlyph[0]);
  EXPECT_EQ(Shown(20 + 25, 20 + 9 + 11), kFrame[0]) << "the key colour is left out";
  Mouse(w, WM_MOUSEMOVE, gx, gy);
  Mouse(w, WM_LBUTTONDOWN, gx, gy);
  EXPECT_EQ(Now(w, gx, gy), kGlyph[2]);
  Mouse(w, WM_LBUTTONUP, gx, gy);
  Mouse(w, WM_MOUSEMOVE, 300, 300);
  sb->SetEnabled(false);
  EXPECT_EQ(Shown(gx, gy), kGlyph[1]);
  sb->SetDown(true);
  EXPECT_EQ(Shown(gx, gy), kGlyph[3]) << "down and disabled: picture 4 on frame 2";
  EXPECT_EQ(Shown(25, 25), kFrame[1]);

  // One picture: disabled is its embossed look, drawn in the shadow colour.
  sb->SetDown(false);
  MakeGlyph(*sb->GetGlyph(), 1);
  sb->SetNumGlyphs(1);
  EXPECT_EQ(Shown(gx, gy), static_cast<TColor>(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(Shown(20 + 25, 20 + 9 + 11), kFrame[2]) << "the embossed glyph keeps its background out";
}

TEST_F(SkinSpeedTest, GlyphAndCaptionPlacement) {
  // Margin -1 and Spacing -1 split the rest in three; a given Spacing centres
  // the pair (the speed button's one pixel on); Margin given with Spacing -1
  // spreads the caption.
  const SIZE wide{100, 30}, square{60, 60}, glyph{16, 16}, text{40, 14};
  struct Case {
    SIZE client, glyph, text;
    int layout, margin, spacing, shift;
    POINT glyphAt, textAt;
    UINT align;
  };
  const Case cases[] = {
      {wide, glyph, text, glLeft, -1, -1, 1, {14, 7}, {14 + 16 + 14, 8}, 0},
      {wide, glyph, text, glLeft, -1, 4, 1, {21, 7}, {41, 8}, 0},
      {wide, glyph, text, glLeft, -1, 4, 0, {20, 7}, {40, 8}, 0},
      {wide, glyph, text, glLeft, 4, -1, 0, {4, 7}, {4 + 16 + (100 - 20 - 40) / 2, 8}, 0},
      {wide, glyph, text, glRight, 5, -1, 1, {100 - 5 - 16, 7}, {79 - 19 - 40, 8}, DT_RIGHT},
      {wide, glyph, text, glRight, 5, 2, 0, {79, 7}, {79 - 2 - 40, 8}, DT_RIGHT},
      {square, glyph, text, glTop, 3, 2, 0, {22, 3}, {10, 3 + 16 + 2}, DT_CENTER},
      {square, glyph, text, glBottom, 3, 2, 0, {22, 60 - 3 - 16}, {10, 41 - 2 - 14}, DT_CENTER},
      {SIZE{60, 80}, glyph, SIZE{30, 14}, glBottom, 4, 2, 1, {22, 80 - 4 - 16}, {15, 60 - 2 - 14}, DT_CENTER},
      // No caption: no spacing.
      {SIZE{60, 30}, SIZE{12, 12}, SIZE{0, 0}, glLeft, -1, 4, 1, {25, 9}, {25 + 12, 15}, 0},
      {wide, glyph, SIZE{0, 0}, glLeft, -1, 4, 0, {42, 7}, {58, 15}, 0},
  };
  for (const Case& c : cases) {
    const TGlyphPlacement p = PlaceGlyphAndText(c.client, c.glyph, c.text, c.layout, c.margin, c.spacing, c.shift);
    SCOPED_TRACE(testing::Message() << "layout " << c.layout << " margin " << c.margin << " spacing " << c.spacing
                                    << " shift " << c.shift);
    EXPECT_EQ(p.Glyph.x, c.glyphAt.x);
    EXPECT_EQ(p.Glyph.y, c.glyphAt.y);
    EXPECT_EQ(p.Text.x, c.textAt.x);
    EXPECT_EQ(p.Text.y, c.textAt.y);
    EXPECT_EQ(p.Flags, c.align | DT_WORDBREAK);
  }
  EXPECT_EQ(GlyphLayoutOf("BLGLYPHTOP"), glTop);
  EXPECT_EQ(GlyphLayoutOf("nonsense"), glLeft);
}

TEST_F(SkinSpeedTest, MenuButtonFramesArrowAndClick) {
  auto* mb = new TMenuButton(form);
  mb->SetParent(form);
  mb->SetBounds(20, 80, 100, 30);
  mb->SetCaption("");
  int clicks = 0;
  mb->OnClick = [&](TObject*) { ++clicks; };
  auto* other = new TButton(form);  // takes the focus away from the menu button
  other->SetParent(form);
  other->SetBounds(200, 80, 60, 30);
  Skin();
  auto* skin = dynamic_cast<TSkinMenuButton*>(list.FindByControl(mb));
  ASSERT_NE(skin, nullptr);
  HWND w = mb->Handle();
  other->SetFocus();
  Pump();
  EXPECT_EQ(Shown(w, 5, 5), kFrame[0]);
  // The drop-down arrow: Margin -1, Spacing 4, no glyph or caption in 100
  // pixels: Margin (100 - 16) / 2 = 42, caption at 46, arrow tip at (54, 15).
  const TColor ink = static_cast<TColor>(ColorToRGB(clWindowText));
  EXPECT_EQ(Shown(w, 54, 15), ink) << "the tip";
  EXPECT_EQ(Shown(w, 54, 16), kFrame[0]);
  EXPECT_EQ(Shown(w, 54, 14), ink);
  EXPECT_EQ(Shown(w, 51, 12), ink) << "7 pixels wide at its top";
  EXPECT_EQ(Shown(w, 50, 12), kFrame[0]);

  Mouse(w, WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(Now(w, 5, 5), kFrame[3]) << "hover paints at once";
  Mouse(w, WM_LBUTTONDOWN, 5, 5);
  EXPECT_EQ(Now(w, 5, 5), kFrame[1]);
  Mouse(w, WM_LBUTTONUP, 5, 5);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Shown(w, 5, 5), kFrame[3]) << "focused shows the hot frame; there is no frame 5";
  // Press, leave, release: no click.
  Mouse(w, WM_LBUTTONDOWN, 5, 5);
  SendMessageW(w, WM_MOUSELEAVE, 0, 0);
  Mouse(w, WM_LBUTTONUP, 5, 5);
  Pump();
  EXPECT_EQ(clicks, 1);

  mb->SetEnabled(false);
  EXPECT_EQ(Shown(w, 5, 5), kFrame[2]);
  EXPECT_EQ(Shown(w, 54, 14), static_cast<TColor>(ColorToRGB(clBtnShadow)));

  // A glyph moves caption and arrow on and is drawn with its normal picture.
  mb->SetEnabled(true);
  MakeGlyph(*mb->GetGlyph(), 1);
  EXPECT_EQ(Shown(w, 36 + 6, 9 + 6), kGlyph[0]);  // Margin (100 - 28) / 2 = 36
  const int tip = 36 + 12 + 4 + 8;
  const TColor face = Shown(w, 5, 5);
  EXPECT_EQ(Shown(w, tip, 15), ink) << "the arrow's tip after the glyph";
  EXPECT_EQ(Shown(w, tip, 16), face);
  EXPECT_EQ(Shown(w, 54, 14), face) << "nothing left where it was";
}

TEST_F(SkinSpeedTest, SkinsLackingTheButtonImage) {
  auto* sb = new TSpeedButton(form);
  sb->SetParent(form);
  sb->SetBounds(20, 20, 60, 30);
  auto* mb = new TMenuButton(form);
  mb->SetParent(form);
  mb->SetBounds(20, 80, 100, 30);
  Skin();
  ASSERT_NE(list.FindByControl(sb), nullptr);
  ASSERT_NE(list.FindByControl(mb), nullptr);
  data->Buttons->FrameCount = 0;
  // The speed button falls back to its own look; the menu button's face is left alone.
  EXPECT_EQ(Shown(25, 35), static_cast<TColor>(ColorToRGB(clBtnFace)));
  data->Buttons.reset();
  EXPECT_EQ(Shown(25, 35), static_cast<TColor>(ColorToRGB(clBtnFace)));
  HDC dc = GetWindowDC(mb->Handle());
  FillRectColor(dc, RECT{0, 0, 100, 30}, Rgb(1, 2, 3));
  list.FindByControl(mb)->PaintWindow(dc);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 5, 5)), Rgb(1, 2, 3));
  ReleaseDC(mb->Handle(), dc);
  // Without the Skin3rd lines no row of the chain takes a speed button, and
  // a menu button is a push button.
  delete list.FindByControl(sb);
  delete list.FindByControl(mb);
  data->Skin3rd.clear();
  dispatcher->SkinFormControls(form);
  EXPECT_EQ(list.FindByControl(sb), nullptr);
  TSkinControl* push = list.FindByControl(mb);
  EXPECT_TRUE(push && !dynamic_cast<TSkinMenuButton*>(push));
}

}  // namespace
