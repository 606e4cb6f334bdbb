// A page control that takes its tab pictures through two published bitmap
// properties: frames 1 and 2 of the skin's Tabs strip handed over in the
// tab-pictures mode only, cleared by Unskin, a missing property skipped, a
// skin without Tabs changing nothing; its scroll arrows skinned at the first
// paint.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "skin/win/controls/input/updown.h"
#include "skin/win/controls/tabs/adv_page.h"
#include "skin_family_support.h"
#include "toolkit/win/panel.h"

namespace {

// The least page control of that kind: it shows nothing of the pictures,
// it only holds them.
class TPicturePages : public TCustomPanel {
  TK_CLASS(TPicturePages)
public:
  explicit TPicturePages(TComponent* owner)
      : TCustomPanel(owner), normal(std::make_unique<TBitmap>()), active(std::make_unique<TBitmap>()) {}
  TBitmap* TabBackGround() const { return normal.get(); }
  TBitmap* TabBackGroundActive() const { return active.get(); }
  std::unique_ptr<TBitmap> normal, active;
};
const TClassInfo& TPicturePages::StaticClass() {
  static const TClassInfo info = TClassBuilder<TPicturePages>("TPicturePages", &TCustomPanel::StaticClass())
                                     .Object("TabBackGround", &TPicturePages::TabBackGround)
                                     .Object("TabBackGroundActive", &TPicturePages::TabBackGroundActive)
                                     .Build();
  return info;
}

// One of the two properties only.
class TNormalPicturePages : public TCustomPanel {
  TK_CLASS(TNormalPicturePages)
public:
  explicit TNormalPicturePages(TComponent* owner) : TCustomPanel(owner), normal(std::make_unique<TBitmap>()) {}
  TBitmap* TabBackGround() const { return normal.get(); }
  std::unique_ptr<TBitmap> normal;
};
const TClassInfo& TNormalPicturePages::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TNormalPicturePages>("TNormalPicturePages", &TCustomPanel::StaticClass())
          .Object("TabBackGround", &TNormalPicturePages::TabBackGround)
          .Build();
  return info;
}

const TColor kTab[3] = {Rgb(200, 40, 40), Rgb(40, 200, 40), Rgb(40, 40, 200)};
const TColor kMarker = Rgb(9, 8, 7);

TColor Centre(TBitmap& b) {
  return static_cast<TColor>(GetPixel(b.CanvasDC(), b.GetWidth() / 2, b.GetHeight() / 2));
}

// A 5 x 5 picture of the marker colour, to see whether anything replaced it.
void Mark(TBitmap& b) {
  b.SetPixelFormat(TPixelFormat::pf24bit);
  b.SetSize(5, 5);
  FillRectColor(b.CanvasDC(), RECT{0, 0, 5, 5}, kMarker);
}

bool Marked(TBitmap& b) { return b.GetWidth() == 5 && b.GetHeight() == 5 && Centre(b) == kMarker; }

struct SkinAdvPageTest : SkinFamilyTest {
  void SetUp() override {
    SkinFamilyTest::SetUp();
    data->Tabs = PlainObject<TDataSkinBorder>({kTab[0], kTab[1], kTab[2]}, 20, 20, 3);
    data->SkinControls |= SetOf(xcTab);
    data->Skin3rd = {"TPicturePages=advpagecontrol", "TNormalPicturePages=advpagecontrol"};
  }
  TPicturePages* Pages() {
    auto* pages = Make<TPicturePages>(10, 10, 240, 120);
    Mark(*pages->normal);
    Mark(*pages->active);
    form->Show();
    return pages;
  }
  // A skin object for pages in the given mode, attached as the dispatcher would.
  TSkinAdvPage* Attach(TControl* pages, int mode) {
    auto* s = new TSkinAdvPage(pages);
    s->FPageMode = mode;
    s->AttachControl(&list, data.get(), true, &canvas);
    return s;
  }
};

TEST_F(SkinAdvPageTest, TabPicturesModeHandsOverFramesOneAndTwo) {
  TPicturePages* pages = Pages();
  const TColor own = pages->GetColor();
  dispatcher->SkinControl(pages, form);
  auto* s = dynamic_cast<TSkinAdvPage*>(list.FindByControl(pages));
  ASSERT_NE(s, nullptr) << "the Skin3rd line makes it a page control of that kind";
  EXPECT_EQ(s->FPageMode, TSkinAdvPage::kTabPicturesMode);
  for (TBitmap* b : {pages->normal.get(), pages->active.get()}) {
    EXPECT_EQ(b->GetWidth(), TSkinAdvPage::kPictureWidth);
    EXPECT_EQ(b->GetHeight(), TSkinAdvPage::kPictureHeight);
  }
  EXPECT_EQ(Centre(*pages->normal), kTab[0]);
  EXPECT_EQ(Centre(*pages->active), kTab[1]);
  EXPECT_EQ(pages->GetColor(), kFace);

  // A new skin: new pictures.
  data->Tabs = PlainObject<TDataSkinBorder>({kTab[2], kTab[0]}, 20, 20, 3);
  list.SkinChanged();
  EXPECT_EQ(Centre(*pages->normal), kTab[2]);
  EXPECT_EQ(Centre(*pages->active), kTab[0]);

  // Unskin takes both pictures back and the control its colour.
  s->Unskin();
  EXPECT_TRUE(pages->normal->Empty());
  EXPECT_TRUE(pages->active->Empty());
  EXPECT_EQ(pages->GetColor(), own);
}

TEST_F(SkinAdvPageTest, OtherModesChangeNothing) {
  TPicturePages* pages = Pages();
  for (int mode : {0, 1, 2, 3, 5}) {
    SCOPED_TRACE(mode);
    TSkinAdvPage* s = Attach(pages, mode);
    s->SkinChanged();
    s->Unskin();
    EXPECT_TRUE(Marked(*pages->normal)) << "the control's own pictures stay, also through Unskin";
    EXPECT_TRUE(Marked(*pages->active));
    delete s;
  }
}

TEST_F(SkinAdvPageTest, MissingPropertyOrTabsObject) {
  // A control with one of the two properties gets that one.
  auto* one = Make<TNormalPicturePages>(10, 140, 240, 60);
  Mark(*one->normal);
  form->Show();
  dispatcher->SkinControl(one, form);
  ASSERT_NE(dynamic_cast<TSkinAdvPage*>(list.FindByControl(one)), nullptr);
  EXPECT_EQ(Centre(*one->normal), kTab[0]);
  // A control with neither is left alone.
  auto* panel = Make<TPanel>(260, 10, 100, 60);
  TSkinAdvPage* bare = Attach(panel, TSkinAdvPage::kTabPicturesMode);
  EXPECT_TRUE(bare->Attached());
  bare->Unskin();

  // Without a Tabs object, or with an empty one, nothing is assigned.
  TPicturePages* pages = Pages();
  data->Tabs.reset();
  TSkinAdvPage* s = Attach(pages, TSkinAdvPage::kTabPicturesMode);
  EXPECT_TRUE(Marked(*pages->normal));
  EXPECT_TRUE(Marked(*pages->active));
  data->Tabs = PlainObject<TDataSkinBorder>({kTab[0], kTab[1]}, 20, 20, 3);
  data->Tabs->Bitmap->SetSize(0, 0);
  s->SkinChanged();
  s->Unskin();
  EXPECT_TRUE(Marked(*pages->normal));
  EXPECT_TRUE(Marked(*pages->active));
}

TEST_F(SkinAdvPageTest, ScrollArrowsGetTheirSkinAtTheFirstPaint) {
  TPicturePages* pages = Pages();
  TSkinAdvPage* s = Attach(pages, TSkinAdvPage::kTabPicturesMode);
  EXPECT_EQ(s->FUpDown, nullptr);
  HWND arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_HORZ, 200, 0, 36, 18,
                                pages->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(arrows, nullptr);
  RedrawWindow(pages->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  ASSERT_NE(s->FUpDown, nullptr);
  EXPECT_EQ(s->FUpDown->Handle(), arrows);
  EXPECT_EQ(list.FindByHandle(arrows), s->FUpDown);
  TSkinControl* first = s->FUpDown;
  RedrawWindow(pages->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  EXPECT_EQ(s->FUpDown, first) << "made once";
}

}  // namespace
