// Track bars: the custom-draw answers, thumb and channel frames, the skinned
// notice that shares CN_NOTIFY's number, a skin change, skins lacking one object.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "services_pump.h"
#include "skin/win/controls/input/trackbar.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/messages.h"
#include "skin_fixture.h"
#include "skin_strips.h"

namespace {

const std::vector<TColor> kThumb = Distinct(5, 1);
const TColor kTrack = StripRgb(200, 30, 30), kShadow = StripRgb(70, 60, 50);

struct SkinTrackBarTest : SkinFixture {
  void SetUp() override {
    SkinFixture::SetUp();
    data->TrackbarThumbHorz = ColourObject<TDataSkinObject>(kThumb, 10, 20);
    data->TrackbarThumbVert = ColourObject<TDataSkinObject>(Distinct(5, 4), 20, 10);
    data->Track = ColourObject<TDataSkinObject>({kTrack}, 12, 4);
    data->Track->LeftWidth = data->Track->RightWidth = 2;
    data->Colors[scButtonShadow] = kShadow;
    track = Make<TTrackBar>(10, 10, 200, 40);
    track->SetTickStyle(TTickStyle::tsNone);
    other = Make<TButton>(10, 100, 80, 25);
    form->Show();
    skin = new TSkinTrackBar(track);
    skin->AttachControl(&list, data.get(), false, &canvas);
  }
  NMCUSTOMDRAW Draw(DWORD stage, DWORD_PTR item, HDC dc = nullptr) {
    NMCUSTOMDRAW cd{};
    cd.hdr.hwndFrom = track->Handle();
    cd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    cd.dwDrawStage = stage;
    cd.dwItemSpec = item;
    cd.hdc = dc;
    return cd;
  }
  RECT ThumbRect() {
    RECT t{};
    SendMessageW(track->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
    return t;
  }
  TTrackBar* track = nullptr;
  TButton* other = nullptr;
  TSkinTrackBar* skin = nullptr;
};

TEST_F(SkinTrackBarTest, CustomDrawAnswersThroughTheReflectedNotification) {
  HDC dc = GetDC(track->Handle());
  struct Case {
    DWORD stage;
    DWORD_PTR item;
    LRESULT answer;
  };
  const Case cases[] = {{CDDS_PREPAINT, 0, CDRF_NOTIFYITEMDRAW},  {CDDS_ITEMPREPAINT, TBCD_TICS, CDRF_DODEFAULT},
                        {CDDS_ITEMPREPAINT, TBCD_THUMB, CDRF_SKIPDEFAULT},
                        {CDDS_ITEMPREPAINT, TBCD_CHANNEL, CDRF_SKIPDEFAULT},
                        {CDDS_POSTPAINT, 0, CDRF_DODEFAULT},      {CDDS_ITEMPREPAINT, 9, CDRF_DODEFAULT}};
  for (const Case& c : cases) {
    NMCUSTOMDRAW cd = Draw(c.stage, c.item, dc);
    EXPECT_EQ(track->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&cd)), c.answer) << c.stage << " " << c.item;
  }
  ReleaseDC(track->Handle(), dc);
  // Other notifications go to the control.
  NMHDR other{track->Handle(), 0, static_cast<UINT>(NM_RELEASEDCAPTURE)};
  EXPECT_EQ(track->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&other)), 0);
  // The skinned notice (tag in LParam) is no notification record.
  EXPECT_NE(track->Perform(SM_SKINNED, 0, SKIN_MESSAGE_TAG), CDRF_NOTIFYITEMDRAW);
}

TEST_F(SkinTrackBarTest, ThumbShowsFrameTwoAndTheChannelIsCentred) {
  track->Repaint();
  Pump();
  RECT t = ThumbRect();
  const int cx = (t.left + t.right) / 2, cy = (t.top + t.bottom) / 2;
  HDC dc = GetDC(track->Handle());
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, cx, cy)), kThumb[1]);
  RECT c{};
  SendMessageW(track->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
  const int y = c.top + ((c.bottom - c.top) - 4) / 2;
  const int x = t.right + 20;
  if (c.bottom - c.top > 4) EXPECT_EQ(static_cast<TColor>(GetPixel(dc, x, y)), kTrack) << "a shorter image centred";
  else EXPECT_EQ(static_cast<TColor>(GetPixel(dc, x, c.top)), kTrack) << "a taller image from the top";
  ReleaseDC(track->Handle(), dc);

  // Dragging shows frame 2 too.
  const LPARAM at = MAKELPARAM(cx, cy);
  PostMessageW(track->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(track->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(cx + 30, cy));
  Pump();
  t = ThumbRect();
  EXPECT_EQ(PixelAt(track->Handle(), (t.left + t.right) / 2, (t.top + t.bottom) / 2), kThumb[1]);
  PostMessageW(track->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(cx + 30, cy));
  Pump();
}

TEST_F(SkinTrackBarTest, SkinChangeRepaintsWithoutMovingTheFocus) {
  other->SetFocus();
  Pump();
  int focusChanges = 0;
  track->OnEnter = [&](TObject*) { ++focusChanges; };
  data->TrackbarThumbHorz = ColourObject<TDataSkinObject>(Distinct(5, 6), 10, 20);
  list.SkinChanged();
  Pump();
  EXPECT_EQ(GetFocus(), other->Handle());
  EXPECT_EQ(focusChanges, 0);
  RECT t = ThumbRect();
  EXPECT_EQ(PixelAt(track->Handle(), (t.left + t.right) / 2, (t.top + t.bottom) / 2), Distinct(5, 6)[1]);
}

TEST_F(SkinTrackBarTest, SkinsLackingOneObject) {
  // No thumb strip: a plain rectangle, white inside, shadow-coloured edge.
  data->TrackbarThumbHorz.reset();
  track->Repaint();
  Pump();
  RECT t = ThumbRect();
  EXPECT_EQ(PixelAt(track->Handle(), (t.left + t.right) / 2, (t.top + t.bottom) / 2), clWhite);
  EXPECT_EQ(PixelAt(track->Handle(), t.left, (t.top + t.bottom) / 2), kShadow);
  // No channel image: nothing drawn, the default still skipped.
  data->Track.reset();
  NMCUSTOMDRAW cd = Draw(CDDS_ITEMPREPAINT, TBCD_CHANNEL, GetDC(track->Handle()));
  EXPECT_EQ(track->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&cd)), CDRF_SKIPDEFAULT);
  ReleaseDC(track->Handle(), cd.hdc);
  // A vertical bar without TrackVert but with its own thumb strip.
  track->SetOrientation(TTrackBarOrientation::trVertical);
  track->SetBounds(250, 10, 40, 200);
  auto* vskin = new TSkinTrackBar(track);
  delete skin;
  vskin->AttachControl(&list, data.get(), false, &canvas);
  track->Repaint();
  Pump();
  t = ThumbRect();
  EXPECT_EQ(PixelAt(track->Handle(), (t.left + t.right) / 2, (t.top + t.bottom) / 2), Distinct(5, 4)[1]);
}

TEST_F(SkinTrackBarTest, VerticalChannelFromTrackVert) {
  const TColor vertical = StripRgb(30, 30, 200);
  data->TrackVert = ColourObject<TDataSkinObject>({vertical}, 4, 12);
  data->TrackVert->TopHeight = data->TrackVert->BottomHeight = 2;
  delete skin;
  track->SetOrientation(TTrackBarOrientation::trVertical);
  track->SetBounds(250, 10, 40, 200);
  skin = new TSkinTrackBar(track);
  skin->AttachControl(&list, data.get(), false, &canvas);
  track->Repaint();
  Pump();
  RECT c{};
  SendMessageW(track->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
  if (c.right - c.left > c.bottom - c.top) c = RECT{c.top, c.left, c.bottom, c.right};
  const RECT t = ThumbRect();
  const int x = (c.left + c.right) / 2, y = t.bottom + 30;
  EXPECT_EQ(PixelAt(track->Handle(), x, y), vertical);
}

TEST_F(SkinTrackBarTest, ThumbNotificationAfterTheWindowIsGoneDrawsNothing) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(GetDC(nullptr), 50, 50);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all{0, 0, 50, 50};
  FillRectColor(mem, all, StripRgb(1, 2, 3));
  NMCUSTOMDRAW cd = Draw(CDDS_ITEMPREPAINT, TBCD_THUMB, mem);
  DestroyWindow(track->Handle());
  EXPECT_EQ(skin->CustomDraw(cd), CDRF_SKIPDEFAULT);
  EXPECT_EQ(static_cast<TColor>(GetPixel(mem, 5, 5)), StripRgb(1, 2, 3));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
}

}  // namespace
