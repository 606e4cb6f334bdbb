// Bit buttons: the glyph's place beside the caption, its state frames and its
// embossed disabled look, on the toolkit's TBitBtn reached through a Skin3rd line.
#include <windows.h>

#include <memory>
#include <vector>

#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/buttons/bit_button.h"
#include "skin/win/controls/dispatch.h"
#include "skin/win/data/skin_data.h"
#include "skin_check_fixture.h"
#include "skin_strips.h"
#include "skin_support.h"
#include "toolkit/win/bit_button.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/image_list.h"

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }
const TColor kFace = Rgb(230, 225, 200), kUp = Rgb(200, 20, 20), kOff = Rgb(20, 20, 200), kDown = Rgb(20, 160, 20);
const TColor kFrames[5] = {Rgb(250, 250, 250), Rgb(240, 240, 240), Rgb(220, 220, 220), Rgb(245, 245, 245),
                           Rgb(235, 235, 235)};

// A glyph strip of 16 x 16 frames in plain colours, magenta at each bottom-left corner.
void MakeGlyph(TBitmap& glyph, const std::vector<TColor>& frames) {
  glyph.SetPixelFormat(TPixelFormat::pf24bit);
  glyph.SetSize(16 * static_cast<int>(frames.size()), 16);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const int x = 16 * static_cast<int>(i);
    FillRectColor(glyph.CanvasDC(), RECT{x, 0, x + 16, 16}, frames[i]);
  }
  for (std::size_t i = 0; i < frames.size(); ++i) glyph.SetPixel(16 * static_cast<int>(i), 15, clFuchsia);
}

struct SkinBitButtonTest : SkinCheckFixture {
  void MakeSkin(TSkinData& skin) override {
    skin.Buttons = std::make_unique<TDataSkinButton>();
    TBitmap& strip = *skin.Buttons->Bitmap;
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    strip.SetSize(5 * 20, 20);
    for (int f = 0; f < 5; ++f) FillRectColor(strip.CanvasDC(), RECT{f * 20, 0, f * 20 + 20, 20}, kFrames[f]);
    skin.Buttons->FrameCount = 5;
    skin.Colors[scButtonFace] = kFace;
    skin.Skin3rd = {"TBitBtn=bitbtn"};
  }
};

TEST_F(SkinBitButtonTest, GlyphFramesFollowTheButtonsState) {
  auto* b = Make<TBitBtn>(10, 10, 100, 30);
  b->SetCaption("");
  b->SetMargin(4);
  MakeGlyph(*b->Glyph(), {kUp, kOff, kDown});
  b->SetNumGlyphs(3);
  form->Show();
  dispatcher->SkinFormControls(form);
  auto* s = dynamic_cast<TSkinBitButton*>(list.FindByControl(b));
  ASSERT_NE(s, nullptr) << "the Skin3rd line makes it a bit button";
  SetFocus(nullptr);
  auto face = Face(s);
  // Margin 4: the glyph's first column at x 4, centred in the height (rows 7 to 22).
  EXPECT_EQ(face->GetPixel(4, 7), kUp);
  EXPECT_EQ(face->GetPixel(3, 7), kFrames[0]);
  EXPECT_EQ(face->GetPixel(12, 15), kUp);
  EXPECT_EQ(face->GetPixel(4, 15 + 7), kFrames[0]) << "the glyph's transparent corner shows the face";
  EXPECT_EQ(face->GetPixel(60, 15), kFrames[0]);
  s->FMouseState = TSkinControl::msPressed;
  EXPECT_EQ(Face(s)->GetPixel(12, 15), kDown);
  s->FMouseState = 0;
  b->SetEnabled(false);
  EXPECT_EQ(Face(s)->GetPixel(12, 15), kOff);
  EXPECT_EQ(Face(s)->GetPixel(60, 15), kFrames[2]);

  // One glyph only: disabled shows it embossed in the system's greys.
  MakeGlyph(*b->Glyph(), {kUp});
  b->SetNumGlyphs(1);
  face = Face(s);
  const TColor c = face->GetPixel(12, 15);
  EXPECT_NE(c, kUp);
  EXPECT_TRUE(c == static_cast<TColor>(ColorToRGB(clBtnShadow)) || c == static_cast<TColor>(ColorToRGB(clBtnHighlight)))
      << std::hex << c;
}

// A bit button whose glyph comes from an image list, as other component sets have them.
class TImageBitBtn : public TBitBtn {
  TK_CLASS(TImageBitBtn)
public:
  explicit TImageBitBtn(TComponent* owner) : TBitBtn(owner) {}
  TImageList* GetImages() const { return images; }
  int GetImageIndex() const { return imageIndex; }
  void SetImageIndex(int i) { imageIndex = i; }
  int GetDisabledIndex() const { return disabledIndex; }
  void SetDisabledIndex(int i) { disabledIndex = i; }

  TImageList* images = nullptr;
  int imageIndex = -1, disabledIndex = -1;
};

const TClassInfo& TImageBitBtn::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TImageBitBtn>("TImageBitBtn", &TBitBtn::StaticClass())
          .Object("Images", &TImageBitBtn::GetImages)
          .Prop("ImageIndex", &TImageBitBtn::GetImageIndex, &TImageBitBtn::SetImageIndex)
          .Prop("DisabledIndex", &TImageBitBtn::GetDisabledIndex, &TImageBitBtn::SetDisabledIndex)
          .Build();
  return info;
}

TEST_F(SkinBitButtonTest, ADisabledImageListGlyphIsEmbossed) {
  // Image 0 plain red; image 1 blue on its right half, see-through on its left.
  TImageList images(nullptr);
  TBitmap pictures;
  MakeGlyph(pictures, {kUp, kOff});
  FillRectColor(pictures.CanvasDC(), RECT{16, 0, 24, 16}, clFuchsia);
  images.AddMasked(pictures, clFuchsia);
  ASSERT_EQ(images.Count(), 2);
  data->Skin3rd = {"TImageBitBtn=bitbtn"};
  NewDispatcher();
  auto* b = Make<TImageBitBtn>(10, 10, 100, 30);
  b->images = &images;
  b->imageIndex = 0;
  b->SetCaption("");
  b->SetMargin(4);
  form->Show();
  dispatcher->SkinFormControls(form);
  auto* s = dynamic_cast<TSkinBitButton*>(list.FindByControl(b));
  ASSERT_NE(s, nullptr);
  SetFocus(nullptr);
  const TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
  const TColor highlight = static_cast<TColor>(ColorToRGB(clBtnHighlight));
  auto face = Face(s);
  const POINT g{4, 7};  // Margin 4, the image centred in the height
  EXPECT_EQ(face->GetPixel(g.x, g.y), kUp) << "the image's top-left pixel";
  EXPECT_EQ(face->GetPixel(g.x - 1, g.y), kFrames[0]);
  EXPECT_EQ(face->GetPixel(g.x, g.y - 1), kFrames[0]);
  EXPECT_EQ(face->GetPixel(g.x + 8, g.y + 8), kUp) << "enabled: the image as it is";

  b->SetEnabled(false);
  face = Face(s);
  EXPECT_EQ(face->GetPixel(g.x + 8, g.y + 8), shadow) << "disabled: the image's shape in the shadow colour";
  EXPECT_EQ(face->GetPixel(g.x + 16, g.y + 8), highlight) << "and the highlight a pixel to the right";
  EXPECT_EQ(face->GetPixel(g.x + 8, g.y + 16), highlight) << "and a pixel below";
  EXPECT_EQ(face->GetPixel(g.x + 17, g.y + 8), kFrames[2]) << "the disabled face around it";

  // The disabled image: only its drawn half is embossed.
  b->disabledIndex = 1;
  face = Face(s);
  EXPECT_EQ(face->GetPixel(g.x + 4, g.y + 8), kFrames[2]);
  EXPECT_EQ(face->GetPixel(g.x + 12, g.y + 8), shadow);
}

TEST_F(SkinBitButtonTest, ClickAndSkinWithoutButtons) {
  auto* b = Make<TBitBtn>(10, 10, 100, 30);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  dispatcher->SkinFormControls(form);
  auto* s = dynamic_cast<TSkinBitButton*>(list.FindByControl(b));
  ASSERT_NE(s, nullptr);
  PostClick(b->Handle(), 5, 5);
  EXPECT_EQ(clicks, 1);
  // No Buttons object: nothing drawn, no failure.
  data->Buttons.reset();
  EXPECT_EQ(Face(s)->GetPixel(50, 15), kUnpainted);
  s->Redraw();
  Pump();
}

TEST_F(SkinBitButtonTest, ScreenshotWithTheProgramsSkin) {
  auto stream = EmbeddedSkinStream();
  auto skin = std::make_unique<TSkinData>(nullptr);
  skin->ReadSkinStream(stream);
  skin->Skin3rd = {"TBitBtn=bitbtn"};
  UseSkin(std::move(skin));
  ASSERT_TRUE(data->Buttons && data->Buttons->HasImage());
  form->SetColor(data->Colors[scButtonFace]);
  const char* captions[] = {"Left", "Right", "Top", "Bottom"};
  TBitBtn* b = nullptr;
  for (int i = 0; i < 4; ++i) {
    b = Make<TBitBtn>(20 + i * 120, 20, 110, i >= 2 ? 60 : 32);
    b->SetCaption(captions[i]);
    b->SetLayout(static_cast<TButtonLayout>(i));
    MakeGlyph(*b->Glyph(), {Rgb(70, 120, 170), Rgb(150, 150, 150)});
    b->SetNumGlyphs(2);
    if (i == 3) b->SetEnabled(false);
  }
  form->Show();
  dispatcher->SkinFormControls(form);
  EXPECT_TRUE(ShootForm("skin_bit_buttons.bmp"));
  // The last, disabled, wears the strip's disabled frame; its corner is see-through to the skin's face colour.
  const TDataSkinButton& strip = *data->Buttons;
  EXPECT_EQ(PixelAt(b->Handle(), 55, 0), StripTopEdge(*strip.Bitmap, strip.FrameCount, bfDisabled));
  EXPECT_EQ(PixelAt(b->Handle(), 0, 0), data->Colors[scButtonFace]);
}

}  // namespace
