// Status bars in the skin, reached through the skin-control event: panel
// edges by bevel, the widened panels and the last one to the bar's end, the
// size grip, simple mode, right-to-left panels and OnDrawPanel; skins lacking
// the edge or grip image.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "skin/win/controls/boxes/status_bar.h"
#include "skin_family_support.h"
#include "toolkit/win/status_bar.h"

namespace {

const TColor kLow = Rgb(30, 60, 120), kRaised = Rgb(200, 100, 40), kNone = Rgb(120, 200, 120);
const TColor kText = Rgb(250, 250, 0), kGrip = Rgb(255, 0, 0), kOther = Rgb(0, 0, 255);

struct SkinStatusBarTest : SkinFamilyTest {
  void SetUp() override {
    SkinFamilyTest::SetUp();
    data->StatusBarEdges = PlainObject<TDataSkinObject>({kLow, kRaised, kNone}, 10, 10);
    data->StatusBarEdges->NormalColour2 = kText;
    data->ExtraImages = PlainObject<TDataSkinObject>({kOther, kOther, kOther, kOther, kGrip, kOther}, 8, 8, 0);
    data->OnSkinControl = [](TComponent*, TSkinData*, TControl*, TControl* control, const std::string& name,
                             TComponent*& skinned) {
      if (name == "TSTATUSBAR") skinned = new TSkinStatusBar(control);
    };
    bar = Make<TStatusBar>(0, 0, 400, 22);
    form->Show();
  }
  void Skin() {
    dispatcher->SkinControl(bar, form);
    ASSERT_NE(dynamic_cast<TSkinStatusBar*>(list.FindByControl(bar)), nullptr);
  }
  void ThreePanels() {
    const TStatusPanelBevel bevels[3] = {TStatusPanelBevel::pbLowered, TStatusPanelBevel::pbRaised,
                                         TStatusPanelBevel::pbNone};
    for (int i = 0; i < 3; ++i) {
      TStatusPanel* p = bar->AddPanel();
      p->SetWidth(100);
      p->SetBevel(bevels[i]);
    }
  }
  RECT PanelRect(int i) const {
    RECT p;
    SendMessageW(bar->Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&p));
    return p;
  }
  // Whether colour c shows between x0 and x1 on the bar's rows.
  bool Shows(TColor c, int x0, int x1) {
    PixelAt(bar->Handle(), 0, 0);
    HDC dc = GetDC(bar->Handle());
    bool found = false;
    for (int y = 0; y < bar->GetHeight() && !found; ++y)
      for (int x = x0; x < x1 && !found; ++x) found = static_cast<TColor>(GetPixel(dc, x, y)) == c;
    ReleaseDC(bar->Handle(), dc);
    return found;
  }
  TStatusBar* bar = nullptr;
};

TEST_F(SkinStatusBarTest, PanelEdgesByBevelWidthsAndGrip) {
  ThreePanels();
  bar->Panels(0)->SetText("Ready");
  Skin();
  HWND w = bar->Handle();
  const RECT p0 = PanelRect(0), p1 = PanelRect(1), p2 = PanelRect(2);
  EXPECT_EQ(PixelAt(w, p0.left + 1, p0.top + 1), kLow);
  EXPECT_EQ(PixelAt(w, p1.left + 1, p1.top + 1), kRaised);
  EXPECT_EQ(PixelAt(w, p2.left + 1, p2.top + 1), kNone);
  if (p1.left >= p0.right + 2) {
    EXPECT_EQ(PixelAt(w, p0.right + 1, p0.top + 1), kLow) << "2 pixels wider";
  }
  EXPECT_EQ(PixelAt(w, bar->GetWidth() - 1, p2.top + 1), kNone) << "the last panel reaches the end";
  EXPECT_EQ(PixelAt(w, bar->GetWidth() - 4, bar->GetHeight() - 4), kGrip);
  EXPECT_TRUE(Shows(kText, p0.left, p0.right)) << "the text in the edge image's colour";

  // No grip without the grip style, nor without the image.
  bar->SetSizeGrip(false);
  list.FreeDead();
  Skin();
  EXPECT_NE(PixelAt(bar->Handle(), bar->GetWidth() - 4, bar->GetHeight() - 4), kGrip);
}

TEST_F(SkinStatusBarTest, SimpleModeWithEmptyTextStillDrawsTheLoweredEdge) {
  ThreePanels();
  bar->SetSimplePanel(true);
  Skin();
  EXPECT_EQ(PixelAt(bar->Handle(), 200, 1), kLow);
  EXPECT_EQ(PixelAt(bar->Handle(), 5, 1), kLow);
  EXPECT_FALSE(Shows(kRaised, 0, 400));
}

TEST_F(SkinStatusBarTest, RightToLeftPanelsAndOnDrawPanel) {
  ThreePanels();
  bar->Panels(0)->SetText("Left");
  bar->Panels(1)->SetText("Right");
  bar->Panels(1)->SetBiDiMode(TBiDiMode::bdRightToLeft);
  bar->Panels(2)->SetStyle(TStatusPanelStyle::psOwnerDraw);
  std::vector<std::pair<int, RECT>> calls;
  bar->OnDrawPanel = [&](TStatusBar* b, TStatusPanel* panel, const RECT& r) {
    for (int i = 0; i < b->PanelCount(); ++i)
      if (b->Panels(i) == panel) calls.emplace_back(i, r);
  };
  Skin();
  const RECT p0 = PanelRect(0), p1 = PanelRect(1);
  const int m0 = (p0.left + p0.right) / 2, m1 = (p1.left + p1.right) / 2;
  EXPECT_TRUE(Shows(kText, p0.left, m0));
  EXPECT_FALSE(Shows(kText, m0, p0.right));
  EXPECT_FALSE(Shows(kText, p1.left, m1)) << "a right-to-left panel aligned left shows its text on the right";
  EXPECT_TRUE(Shows(kText, m1, p1.right + 2));
  // Every panel, text ones too, after the skin's paint; the rectangle inset by 2.
  ASSERT_GE(calls.size(), 3u);
  std::vector<std::pair<int, RECT>> last(calls.end() - 3, calls.end());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(last[static_cast<std::size_t>(i)].first, i);
    const RECT r = PanelRect(i);
    EXPECT_EQ(last[static_cast<std::size_t>(i)].second.left, r.left + 2);
    EXPECT_EQ(last[static_cast<std::size_t>(i)].second.bottom, r.bottom - 2);
  }
}

TEST_F(SkinStatusBarTest, WithoutEdgeImagesPlainFramesAndNoneForNoBevel) {
  ThreePanels();
  data->StatusBarEdges.reset();
  data->ExtraImages.reset();
  Skin();
  HWND w = bar->Handle();
  const RECT p0 = PanelRect(0), p1 = PanelRect(1), p2 = PanelRect(2);
  const TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
  const TColor light = static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(PixelAt(w, p0.left + 4, p0.top), shadow);
  EXPECT_EQ(PixelAt(w, p0.left + 4, p0.bottom - 1), light);
  EXPECT_EQ(PixelAt(w, p1.left + 4, p1.top), light);
  EXPECT_EQ(PixelAt(w, p1.left + 4, p1.bottom - 1), shadow);
  EXPECT_EQ(PixelAt(w, p2.left + 4, p2.top), kFace) << "no frame for no bevel";
  EXPECT_EQ(PixelAt(w, bar->GetWidth() - 4, bar->GetHeight() - 4), kFace) << "no grip image";
}

}  // namespace
