// The media player wearing the skin: the panel laid over the player paints
// the visible buttons in their enabled, disabled and coloured looks, hands
// the player the presses and matching releases, follows it, and a missing
// button picture does not stop the rest of the form being skinned.
#include <windows.h>

#include <memory>
#include <string>

#include "main_form_fixture.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/buttons/button.h"
#include "skin/win/controls/buttons/media_player.h"
#include "skin/win/controls/control.h"
#include "skin/win/controls/dispatch.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "skin_family_fixture.h"
#include "skin_strips.h"
#include "skin_support.h"
#include "skinned_frame.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/media_player.h"
#include "toolkit/win/menu_button.h"
#include "toolkit/win/speed_button.h"

namespace {

// Test pictures: one plain colour per look, olive in the corners.
const TColor kEnabled = Rgb(250, 40, 40), kDisabled = Rgb(40, 250, 40), kColored = Rgb(40, 40, 250);
const TColor kOlive = Rgb(128, 128, 0);

void TestPicture(TBitmap& into, const std::string& name) {
  const TColor c = name.rfind("EN_", 0) == 0 ? kEnabled : name.rfind("DI_", 0) == 0 ? kDisabled : kColored;
  into.SetPixelFormat(TPixelFormat::pf24bit);
  into.SetSize(10, 10);
  FillBitmapRect(into, RECT{0, 0, 10, 10}, c);
  into.SetPixel(0, 0, kOlive);
  into.SetPixel(9, 9, kOlive);
}

constexpr TButtonSet Bit(TMPBtnType b) { return 1u << b; }

struct SkinMediaPlayerTest : SkinFamilyFixture {
  void SetUp() override {
    SkinFamilyFixture::SetUp();
    savedLoader = TWMediaPlayer::PictureLoader();
    TWMediaPlayer::PictureLoader() = TestPicture;
  }
  void TearDown() override {
    SkinFamilyFixture::TearDown();
    TWMediaPlayer::PictureLoader() = savedLoader;
  }
  TMediaPlayer* MakePlayer(int left, int top, int width, int height) {
    auto* mp = new TMediaPlayer(form);
    mp->SetParent(form);
    mp->SetBounds(left, top, width, height);
    return mp;
  }
  TWMediaPlayer* PanelOf(TMediaPlayer* mp) {
    auto* skin = dynamic_cast<TSkinMP*>(list.FindByControl(mp));
    return skin ? skin->FPlayerPanel : nullptr;
  }
  using SkinFamilyFixture::Shown;
  TColor Shown(TWinControl* c, int x, int y) { return Shown(c->Handle(), x, y); }

  std::function<void(TBitmap&, const std::string&)> savedLoader;
};

TEST_F(SkinMediaPlayerTest, ButtonsInTheirThreeLooks) {
  auto* mp = MakePlayer(20, 20, 150, 30);
  mp->SetVisibleButtons(Bit(btPlay) | Bit(btStop) | Bit(btEject));
  mp->SetEnabledButtons(Bit(btPlay) | Bit(btEject));
  mp->SetColoredButtons(Bit(btEject) | Bit(btStop));
  form->Show();
  dispatcher->SkinFormControls(form);
  TWMediaPlayer* panel = PanelOf(mp);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->BoundsRect().left, 20);
  EXPECT_EQ(panel->GetWidth(), 150);
  EXPECT_EQ(panel->Parent(), form);
  EXPECT_EQ(panel->GetTag(), data->DisableTag) << "the dispatcher leaves the panel alone";

  // Three visible buttons of 50 pixels: Play enabled, Stop disabled (over
  // coloured), Eject coloured; faces frame 1, 3, 1.
  EXPECT_EQ(Shown(panel, 25, 15), kEnabled);
  EXPECT_EQ(Shown(panel, 75, 15), kDisabled);
  EXPECT_EQ(Shown(panel, 125, 15), kColored);
  EXPECT_EQ(Shown(panel, 5, 15), kFrame[0]);
  EXPECT_EQ(Shown(panel, 55, 15), kFrame[2]);
  EXPECT_EQ(Shown(panel, 105, 15), kFrame[0]);
  // The olive corners are left out.
  EXPECT_EQ(Shown(panel, 20, 10), kFrame[0]);
  EXPECT_EQ(panel->FVisibleCount, 3);
  EXPECT_EQ(panel->FButtonWidth, 50);

  // No visible button: plain button face.
  mp->SetVisibleButtons(0);
  EXPECT_EQ(Shown(panel, 25, 15), kFace);
  EXPECT_EQ(Shown(panel, 125, 15), kFace);
}

TEST_F(SkinMediaPlayerTest, PressAndReleaseReachThePlayerOnlyOnOneButton) {
  auto* mp = MakePlayer(20, 20, 101, 30);
  mp->SetVisibleButtons(Bit(btPlay) | Bit(btStop));
  mp->SetColoredButtons(0);
  int downs = 0, ups = 0;
  mp->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  mp->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  form->Show();
  dispatcher->SkinFormControls(form);
  TWMediaPlayer* panel = PanelOf(mp);
  ASSERT_NE(panel, nullptr);
  HWND w = panel->Handle();
  Shown(panel, 0, 0);
  // Two buttons, each half the width (integer division); nothing right of them.
  EXPECT_EQ(panel->FButtonWidth, 50);
  EXPECT_EQ(panel->ButtonAt(10), btPlay);
  EXPECT_EQ(panel->ButtonAt(60), btStop) << "the second visible button";
  EXPECT_EQ(panel->ButtonAt(101), TWMediaPlayer::kNoButton);

  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(panel->FPressedButton, 0);
  EXPECT_EQ(Shown(panel, 3, 15), kFrame[1]) << "the pressed button shows frame 2";
  EXPECT_EQ(Shown(panel, 53, 15), kFrame[0]);
  EXPECT_EQ(Shown(panel, 26, 16), kEnabled) << "its picture moved one pixel";
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(12, 10));
  EXPECT_EQ(ups, 1) << "released over the pressed button";
  EXPECT_EQ(Shown(panel, 3, 15), kFrame[0]);

  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(70, 10));
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(ups, 1) << "released over another button";
}

TEST_F(SkinMediaPlayerTest, PanelFollowsThePlayerAndGoesWithUnskin) {
  auto* mp = MakePlayer(20, 20, 150, 30);
  form->Show();
  dispatcher->SkinFormControls(form);
  TWMediaPlayer* panel = PanelOf(mp);
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(IsWindowVisible(panel->Handle()));
  mp->SetBounds(40, 60, 120, 24);
  EXPECT_EQ(panel->GetLeft(), 40);
  EXPECT_EQ(panel->GetTop(), 60);
  EXPECT_EQ(panel->GetWidth(), 120);
  EXPECT_EQ(panel->GetHeight(), 24);
  mp->SetVisible(false);
  EXPECT_FALSE(panel->GetVisible());
  EXPECT_FALSE(IsWindowVisible(panel->Handle()));
  mp->SetVisible(true);
  EXPECT_TRUE(panel->GetVisible());

  auto* skin = dynamic_cast<TSkinMP*>(list.FindByControl(mp));
  skin->Unskin();
  EXPECT_EQ(skin->FPlayerPanel, nullptr);
  for (int i = 0; i < form->ControlCount(); ++i) EXPECT_EQ(dynamic_cast<TWMediaPlayer*>(form->Controls(i)), nullptr);
  // The object's end takes a panel that is still there with it.
  delete skin;
  dispatcher->SkinFormControls(form);
  ASSERT_NE(PanelOf(mp), nullptr);
  delete list.FindByControl(mp);
  for (int i = 0; i < form->ControlCount(); ++i) EXPECT_EQ(dynamic_cast<TWMediaPlayer*>(form->Controls(i)), nullptr);
}

TEST_F(SkinMediaPlayerTest, SkinsLackingAnObjectOrAPicture) {
  // No picture can be loaded: the player is still skinned, and so is the
  // button after it on the form.
  TWMediaPlayer::PictureLoader() = [](TBitmap&, const std::string& name) {
    throw EInvalidGraphic("bitmap resource " + name + " not found");
  };
  auto* mp = MakePlayer(20, 20, 150, 30);
  mp->SetVisibleButtons(Bit(btPlay) | Bit(btStop) | Bit(btEject));
  mp->SetColoredButtons(0);
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(20, 80, 100, 30);
  form->Show();
  dispatcher->SkinFormControls(form);
  TWMediaPlayer* panel = PanelOf(mp);
  ASSERT_NE(panel, nullptr);
  EXPECT_NE(list.FindByControl(button), nullptr);
  EXPECT_EQ(Shown(panel, 25, 15), kFrame[0]) << "faces without pictures";

  // One picture missing: only that look goes without it.
  delete list.FindByControl(mp);
  TWMediaPlayer::PictureLoader() = [](TBitmap& into, const std::string& name) {
    if (name == "EN_MPSTOP") throw EInvalidGraphic("bitmap resource " + name + " not found");
    TestPicture(into, name);
  };
  dispatcher->SkinFormControls(form);
  panel = PanelOf(mp);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(Shown(panel, 25, 15), kEnabled);
  EXPECT_EQ(Shown(panel, 75, 15), kFrame[0]);

  // No button image in the skin: the pictures on plain button face.
  data->Buttons.reset();
  EXPECT_EQ(Shown(panel, 25, 15), kEnabled);
  EXPECT_EQ(Shown(panel, 5, 15), kFace);

  // A control without the button sets shows no buttons.
  auto* other = new TPanel(form);
  other->SetParent(form);
  other->SetBounds(300, 20, 100, 30);
  auto* skin = new TSkinMP(other);
  skin->AttachControl(&list, data.get(), false, &canvas);
  ASSERT_NE(skin->FPlayerPanel, nullptr);
  EXPECT_EQ(Shown(skin->FPlayerPanel, 50, 15), kFace);
  EXPECT_EQ(skin->FPlayerPanel->FVisibleCount, 0);
}

TEST_F(SkinMediaPlayerTest, TheProgramCarriesAllTwentySevenPictures) {
  TWMediaPlayer::PictureLoader() = savedLoader;
  TWMediaPlayer panel(nullptr);
  for (const auto& b : panel.FButtons)
    for (const auto& p : b.Pictures) {
      ASSERT_NE(p, nullptr);
      EXPECT_FALSE(p->Empty());
    }
}

// Speed buttons, a menu button and a media player with the program's skin.
TEST_F(SkinMediaPlayerTest, ScreenshotOfTheFamiliesWithTheProgramsSkin) {
  TWMediaPlayer::PictureLoader() = savedLoader;
  auto stream = EmbeddedSkinStream();
  ASSERT_FALSE(stream.empty());
  data = std::make_unique<TSkinData>(nullptr);
  data->ReadSkinStream(stream);
  data->Skin3rd.push_back("TSpeedButton=speedbutton");
  data->Skin3rd.push_back("TMenuButton=menubtn");
  NewDispatcher();
  form->SetColor(data->Colors[scButtonFace]);
  const char* captions[] = {"Up", "Down", "Flat", "Off"};
  TSpeedButton* speed[4];
  for (int i = 0; i < 4; ++i) {
    speed[i] = new TSpeedButton(form);
    speed[i]->SetParent(form);
    speed[i]->SetBounds(20 + i * 90, 20, 80, 30);
    speed[i]->SetCaption(captions[i]);
  }
  // A glyph beside the first caption: a square on a transparent olive ground.
  TBitmap* glyph = speed[0]->GetGlyph();
  glyph->SetSize(14, 14);
  FillBitmapRect(*glyph, RECT{0, 0, 14, 14}, kOlive);
  FillBitmapRect(*glyph, RECT{3, 3, 11, 11}, Rgb(200, 60, 30));
  speed[1]->SetDown(true);
  speed[2]->SetFlat(true);
  speed[3]->SetEnabled(false);
  auto* menu = new TMenuButton(form);
  menu->SetParent(form);
  menu->SetBounds(20, 70, 120, 30);
  menu->SetCaption("Options");
  auto* mp = MakePlayer(20, 120, 300, 30);
  mp->SetEnabledButtons(kAllMPButtons & ~Bit(btRecord));
  mp->SetColoredButtons(Bit(btPlay) | Bit(btStop));
  form->Show();
  dispatcher->SkinFormControls(form);
  EXPECT_EQ(list.Count(), 6);
  EXPECT_TRUE(ShootForm("skin_speed_menu_player.bmp"));
  // The down and the disabled speed buttons wear the strip's pressed and disabled frames.
  const TDataSkinButton& strip = *data->Buttons;
  EXPECT_EQ(Now(form->Handle(), 150, 20), StripTopEdge(*strip.Bitmap, strip.FrameCount, bfPressed));
  EXPECT_EQ(Now(form->Handle(), 330, 20), StripTopEdge(*strip.Bitmap, strip.FrameCount, bfDisabled));
}

// The main window's media player is skinned, and its panel stays hidden.
TEST_F(MainFormTest, MediaPlayerPanelStaysInvisible) {
  ASSERT_NE(WaitForSkinnedFrame(form->Handle()), nullptr);
  ASSERT_FALSE(form->MediaPlayer1->GetVisible());
  EXPECT_EQ(SendMessageW(form->MediaPlayer1->Handle(), SM_ISSKINNED, 0, 0), 1);
  TWMediaPlayer* panel = nullptr;
  for (int i = 0; i < form->ControlCount(); ++i)
    if (auto* p = dynamic_cast<TWMediaPlayer*>(form->Controls(i))) panel = p;
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->GetVisible());
  EXPECT_FALSE(IsWindowVisible(panel->HandleOrNull()));
}

}  // namespace
