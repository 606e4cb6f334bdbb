#include "skin/win/controls/tabs/adv_page.h"

#include "skin/win/controls/tabs/tab.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/controls.h"

namespace {

const char* const kNormalPicture = "TabBackGround";
const char* const kActivePicture = "TabBackGroundActive";

TBitmap* BitmapProp(TObject* control, const std::string& property) {
  return static_cast<TBitmap*>(GetObjectPropByName(control, property, TBitmap::StaticClass()));
}

}  // namespace

const TClassInfo& TSkinAdvPage::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinAdvPage>("TSkinAdvPage", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinAdvPage::TSkinAdvPage(TComponent* owner) : TSkinControl(owner) {}

void TSkinAdvPage::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachControl(list, skinData, setColor, canvas);
  if (!Attached()) return;
  ApplyTabImages();
}

void TSkinAdvPage::SkinChanged() { ApplyTabImages(); }

void TSkinAdvPage::ApplyTabImages() {
  if (FPageMode != kTabPicturesMode || !FControl || !FSkinData) return;
  const TDataSkinBorder* tabs = FSkinData->Tabs.get();
  if (!tabs || !tabs->HasImage()) return;
  AssignTabPicture(kNormalPicture, 1);
  AssignTabPicture(kActivePicture, 2);
}

void TSkinAdvPage::AssignTabPicture(const std::string& property, int frameIndex) {
  TBitmap* target = BitmapProp(FControl, property);
  if (!target) return;
  const TDataSkinBorder& tabs = *FSkinData->Tabs;
  std::unique_ptr<TBitmap> picture = SkinRenderPart(RECT{0, 0, kPictureWidth, kPictureHeight}, *tabs.Bitmap,
                                                    tabs.Margins(), frameIndex, tabs.FrameCount, tabs.Tile != 0, false);
  if (!picture) return;
  target->Assign(*picture);
  picturesGiven_ = true;
}

void TSkinAdvPage::ClearTabPicture(const std::string& property) {
  if (TBitmap* target = BitmapProp(FControl, property)) target->Clear();
}

void TSkinAdvPage::Unskin() {
  // Only pictures handed over here are taken back: the control's own stay.
  if (picturesGiven_ && FControl && !Destroyed()) {
    ClearTabPicture(kNormalPicture);
    ClearTabPicture(kActivePicture);
  }
  picturesGiven_ = false;
  TSkinControl::Unskin();
}

void TSkinAdvPage::PaintSkin(HDC, const RECT&) { SkinScrollArrowsChild(*this); }
