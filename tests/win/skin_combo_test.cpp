// Combo boxes: face, button and arrow frames by state, hover and press, the
// edit child's watch, the drop-down, and skins lacking one object.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/boxes/sizer.h"
#include "skin/win/controls/input/combo.h"
#include "skin/win/controls/input/edit.h"
#include "skin/win/controls/input/progress.h"
#include "skin_fixture.h"
#include "skin_strips.h"
#include "skin_support.h"

namespace {

const std::vector<TColor> kButton = Distinct(4, 1);
const std::vector<TColor> kSunk = Distinct(4, 2);
const std::vector<TColor> kArrow = Distinct(4, 3);
const TColor kFace = StripRgb(230, 225, 200), kShadow = StripRgb(70, 60, 50), kMark = StripRgb(1, 2, 3);

struct SkinComboTest : SkinFixture {
  void SetUp() override {
    SkinFixture::SetUp();
    data->ComboButton = ColourObject<TDataSkinBorder>(kButton, 16, 20);
    data->SunkEdge = ColourObject<TDataSkinObject>(kSunk, 20, 20);
    data->SunkEdge->LeftWidth = data->SunkEdge->TopHeight = data->SunkEdge->RightWidth =
        data->SunkEdge->BottomHeight = 3;
    data->Colors[scButtonFace] = kFace;
    data->Colors[scButtonShadow] = kShadow;
  }
  TSkinComBox* Skin(TComboBox* combo) {
    auto* s = new TSkinComBox(combo);
    s->AttachControl(&list, data.get(), false, &canvas);
    return s;
  }
  // Paints into the window DC over a marked background; the colour at (x, y).
  TColor PaintAt(TSkinComBox* s, int x, int y) {
    HDC dc = GetWindowDC(s->Handle());
    FillRectColor(dc, RECT{0, 0, 400, 100}, kMark);
    ReleaseDC(s->Handle(), dc);
    return PaintedPixel(s, x, y);
  }
};

TEST_F(SkinComboTest, StateFramesInTheirOrder) {
  const BYTE hover = TSkinControl::msHover, pressed = TSkinControl::msPressed;
  EXPECT_EQ(ComboStateFrame(true, hover | pressed, true), cfDisabled) << "disabled even while focused";
  EXPECT_EQ(ComboStateFrame(false, hover | pressed, false), cfPressed);
  EXPECT_EQ(ComboStateFrame(false, hover, false), cfHot);
  EXPECT_EQ(ComboStateFrame(false, 0, true), cfHot);
  EXPECT_EQ(ComboStateFrame(false, 0, false), cfNormal);
  EXPECT_EQ(ComboFlatStateFrame(true, 0, true), cfHot) << "flat: a focused disabled combo shows frame 4";
  EXPECT_EQ(ComboFlatStateFrame(true, pressed, false), cfPressed);
  EXPECT_EQ(ComboFlatStateFrame(true, 0, false), cfDisabled);
  EXPECT_EQ(ComboFlatStateFrame(false, 0, false), cfNormal);
}

TEST_F(SkinComboTest, StandardFaceButtonAndHover) {
  data->ExtraImages = ColourObject<TDataSkinObject>(kArrow, 6, 6);
  auto* combo = Make<TComboBox>(10, 10, 150, 24);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  auto* other = Make<TButton>(10, 60, 80, 25);
  form->Show();
  TSkinComBox* s = Skin(combo);
  other->SetFocus();
  Pump();
  RECT wr;
  GetWindowRect(combo->Handle(), &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top, e = GetSystemMetrics(SM_CXHSCROLL);
  const int bx = w - e / 2 - 2;  // inside the button, off its arrow
  EXPECT_EQ(PaintAt(s, bx, 2), kButton[0]);
  EXPECT_EQ(PaintAt(s, 1, h / 2), kSunk[0]) << "the face's left edge";
  EXPECT_EQ(PaintAt(s, w / 3, h / 2), kMark) << "the text area is left to the control";
  EXPECT_EQ(PaintAt(s, w - 2 - e / 2 - 1, h / 2), kArrow[0]) << "the arrow centred in its area";
  EXPECT_EQ(s->FButtonRect.left, w - e - 2);

  // The caller's DC comes back as it was: no clipping left behind.
  HDC dc = GetWindowDC(combo->Handle());
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  s->PaintWindow(dc);
  EXPECT_EQ(GetClipRgn(dc, clip), 0);
  DeleteObject(clip);
  ReleaseDC(combo->Handle(), dc);

  // Hover over the button, and off it again.
  SendMessageW(combo->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(bx, h / 2));
  EXPECT_TRUE(s->FMouseState & TSkinControl::msHover);
  EXPECT_EQ(PixelAt(combo->Handle(), bx, 2), kButton[cfHot - 1]) << "painted at once";
  EXPECT_EQ(PaintAt(s, bx, 2), kButton[cfHot - 1]);
  SendMessageW(combo->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, h / 2));
  EXPECT_FALSE(s->FMouseState & TSkinControl::msHover);
  EXPECT_EQ(PaintAt(s, bx, 2), kButton[0]);
  SendMessageW(combo->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(bx, h / 2));
  SendMessageW(combo->Handle(), CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(s->FMouseState & TSkinControl::msHover);

  // Disabled: frame 3, and no hover.
  combo->SetEnabled(false);
  EXPECT_EQ(PaintAt(s, bx, 2), kButton[cfDisabled - 1]);
  SendMessageW(combo->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(bx, h / 2));
  EXPECT_FALSE(s->FMouseState & TSkinControl::msHover);
}

TEST_F(SkinComboTest, ALongCaptionStopsShortOfTheButton) {
  const TColor area = StripRgb(250, 250, 210);
  auto* combo = Make<TComboBox>(10, 10, 150, 24);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  combo->SetColor(area);
  combo->GetFont()->SetStyle(fsBold);
  combo->SetItemsList({std::string(40, 'W')});
  combo->SetItemIndex(0);
  auto* other = Make<TButton>(10, 60, 80, 25);
  form->Show();
  TSkinComBox* s = Skin(combo);
  RECT wr;
  GetWindowRect(combo->Handle(), &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top, e = GetSystemMetrics(SM_CXHSCROLL);
  // What the margin left of the text area's end shows, the control and its skin painted.
  auto margin = [&](int textEnd) {
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Pump();
    HDC dc = GetWindowDC(combo->Handle());
    int other = 0, ink = 0;
    for (int y = 5; y < h - 5; ++y) {
      for (int x = textEnd - ComboCaptionMargin; x < textEnd; ++x) other += GetPixel(dc, x, y) != area;
      for (int x = textEnd - 20; x < textEnd - ComboCaptionMargin; ++x) ink += GetPixel(dc, x, y) != area;
    }
    ReleaseDC(combo->Handle(), dc);
    EXPECT_GT(ink, 0) << "the caption runs on to the margin";
    return other;
  };
  other->SetFocus();
  EXPECT_EQ(margin(w - e - 4), 0) << "the standard face: the text area ends 2 pixels before the button";
  combo->SetFocus();
  EXPECT_EQ(margin(w - e - 4), 0) << "the focused item's highlight stops there too";

  // The composed face of the program's skin: the text area ends at its edge pixel.
  other->SetFocus();
  data = std::make_unique<TSkinData>(nullptr);
  data->ReadSkinStream(EmbeddedSkinStream());
  ASSERT_EQ(data->ComboButton->Style, 2);
  s->FSkinData = data.get();
  EXPECT_EQ(margin(w - e - 3), 0);
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "skin_combo_long_caption.bmp"));
}

TEST_F(SkinComboTest, DropDownPaintsPressedAndTheEditChildIsWatched) {
  auto* combo = Make<TComboBox>(10, 10, 150, 24);
  combo->SetItemsList({"one", "two", "three"});
  form->Show();
  HWND edit = GetTopWindow(combo->Handle());
  ASSERT_NE(edit, nullptr);
  const LONG_PTR editProc = GetWindowLongPtrW(edit, GWLP_WNDPROC);
  TSkinComBox* s = Skin(combo);
  EXPECT_EQ(s->FEditHandle, edit);
  EXPECT_NE(GetWindowLongPtrW(edit, GWLP_WNDPROC), editProc);
  EXPECT_NE(s->FListScrollBar, nullptr) << "the drop-down list's bar is skinned";

  // A press in the edit child shows the pressed frame; the release clears it.
  RECT wr;
  GetWindowRect(combo->Handle(), &wr);
  const int w = wr.right - wr.left, e = GetSystemMetrics(SM_CXHSCROLL);
  SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(PixelAt(combo->Handle(), w - e / 2 - 2, 2), kButton[cfPressed - 1]);
  SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_NE(PixelAt(combo->Handle(), w - e / 2 - 2, 2), kButton[cfPressed - 1]);

  // Dropped down by a press on the button: the face stays the skin's.
  PostMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w - e / 2 - 2, 5));
  Pump();
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_EQ(PixelAt(combo->Handle(), w - e / 2 - 2, 2), kButton[cfPressed - 1]);
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "skin_combo_dropped.bmp"));
  PostMessageW(combo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(w - e / 2 - 2, 5));
  Pump();
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);

  // Unskin gives the edit child its procedure back.
  s->Unskin();
  EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), editProc);
}

TEST_F(SkinComboTest, FlatModeBorrowsTheDCsBrushAndLeftScrollBarMovesTheButton) {
  data->ComboButton->Style = 1;
  auto* combo = Make<TComboBox>(10, 10, 150, 24);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  form->Show();
  TSkinComBox* s = Skin(combo);
  HDC dc = GetWindowDC(combo->Handle());
  HBRUSH mine = CreateSolidBrush(StripRgb(9, 99, 199));
  HGDIOBJ old = SelectObject(dc, mine);
  s->PaintWindow(dc);
  EXPECT_NE(GetObjectType(mine), 0u) << "the DC's brush is not deleted";
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), mine);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 1, 10)), StripRgb(9, 99, 199)) << "the inner frame in its brush";
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 10)), kShadow);
  const RECT k = s->FButtonRect;
  EXPECT_EQ(k.right - k.left, 16);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, k.left + 8, k.top + 5)), kButton[0]);
  SelectObject(dc, old);
  DeleteObject(mine);
  ReleaseDC(combo->Handle(), dc);

  // A bare combo with its button on the left.
  data->ComboButton->Style = 0;
  data->ComboButton->Bitmap2 = ColourStrip(Distinct(4, 5), 16, 20);
  HWND bare = CreateWindowExW(WS_EX_LEFTSCROLLBAR, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10,
                              50, 150, 200, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  auto* b = new TSkinComBox(form);
  b->AttachHandle(bare, data.get(), &list, &canvas);
  RECT wr;
  GetWindowRect(bare, &wr);
  HDC bdc = GetWindowDC(bare);
  b->PaintWindow(bdc);
  EXPECT_EQ(static_cast<TColor>(GetPixel(bdc, 4, 3)), Distinct(4, 5)[0]) << "the mirrored button on the left";
  EXPECT_EQ(b->FButtonRect.left, 0);
  ReleaseDC(bare, bdc);
  DestroyWindow(bare);

  // A simple combo has no button: nothing is painted over it.
  HWND simple = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_SIMPLE, 200, 50, 150, 100,
                                form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  auto* sc = new TSkinComBox(form);
  sc->AttachHandle(simple, data.get(), &list, &canvas);
  EXPECT_EQ(sc->FEditHandle, nullptr);
  EXPECT_EQ(PaintAt(sc, 1, 5), kMark);
  DestroyWindow(simple);
  list.FreeDead();
}

TEST_F(SkinComboTest, SkinsLackingOneObject) {
  auto* combo = Make<TComboBox>(10, 10, 150, 24);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  form->Show();
  TSkinComBox* s = Skin(combo);
  RECT wr;
  GetWindowRect(combo->Handle(), &wr);
  const int h = wr.bottom - wr.top;
  // No SunkEdge: the face from the colour table.
  data->SunkEdge.reset();
  EXPECT_EQ(PaintAt(s, 1, h / 2), kFace);
  EXPECT_EQ(PaintAt(s, 0, h / 2), kShadow);
  // No ExtraImages: the button frame stays whole.
  EXPECT_EQ(PaintAt(s, wr.right - wr.left - 2 - GetSystemMetrics(SM_CXHSCROLL) / 2, h / 2), kButton[0]);
  // No ComboButton (or an empty one): the control keeps its own painting.
  data->ComboButton->Bitmap->SetSize(0, 0);
  EXPECT_EQ(PaintAt(s, 1, h / 2), kMark);
  data->ComboButton.reset();
  EXPECT_EQ(PaintAt(s, 1, h / 2), kMark);
  // Whole-image mode on the left without SunkEdge draws nothing either.
  data->ComboButton = ColourObject<TDataSkinBorder>(kButton, 16, 20);
  data->ComboButton->Style = 2;
  EXPECT_EQ(PaintAt(s, 1, h / 2), kButton[0]);
  SetWindowLongW(combo->Handle(), GWL_EXSTYLE, GetWindowLongW(combo->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  EXPECT_EQ(PaintAt(s, 1, h / 2), kMark);
}

TEST_F(SkinComboTest, SizerFillsWithButtonFace) {
  form->Show();
  HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 100, 100, 20, 20,
                              form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  auto* s = new TSkinSizer(form);
  s->AttachHandle(grip, data.get(), &list, &canvas);
  HDC dc = GetWindowDC(grip);
  s->PaintWindow(dc);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 10, 10)), kFace);
  ReleaseDC(grip, dc);
  DestroyWindow(grip);
  list.FreeDead();
}

TEST_F(SkinComboTest, ScreenshotOfTheFamiliesWithTheProgramsSkin) {
  data = std::make_unique<TSkinData>(nullptr);
  data->ReadSkinStream(EmbeddedSkinStream());
  ASSERT_TRUE(data->ComboButton && data->ComboButton->HasImage());
  data->SkinControls |= SetOf(xcSpin);
  NewDispatcher();
  form->SetColor(data->Colors[scButtonFace]);
  auto* combo = Make<TComboBox>(20, 20, 160, 24);
  combo->SetItemsList({"Pinyin", "Wubi 86", "English"});
  combo->SetItemIndex(1);
  auto* list2 = Make<TComboBox>(200, 20, 160, 24);
  list2->SetStyle(TComboBoxStyle::csDropDownList);
  list2->SetItemsList({"A caption far longer than its box", "Two"});
  list2->SetItemIndex(0);
  auto* track = Make<TTrackBar>(20, 70, 200, 30);
  track->SetMax(10);
  track->SetPosition(4);
  auto* vtrack = Make<TTrackBar>(400, 20, 40, 160);
  vtrack->SetOrientation(TTrackBarOrientation::trVertical);
  auto* edit = Make<TEdit>(20, 120, 160, 24);
  edit->SetText("Edit");
  form->Show();
  CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 140, 0, 16, 20, edit->Handle(), nullptr,
                  GetModuleHandleW(nullptr), nullptr);
  HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 20, 170, 200, 18, form->Handle(),
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(bar, PBM_SETPOS, 60, 0);
  HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 240, 120, 18, 30, form->Handle(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  dispatcher->SkinFormControls(form);
  (new TSkinEdit(edit))->AttachControl(&list, data.get(), false, &canvas);  // edits are not dispatched yet
  (new TSkinProgress(frameOwner.get()))->AttachHandle(bar, data.get(), &list, &canvas);
  dispatcher->Factory(TSkinKind::UpDown, frameOwner.get())->AttachHandle(spin, data.get(), &list, &canvas);
  EXPECT_NE(list.FindByControl(combo), nullptr);
  EXPECT_NE(list.FindByControl(track), nullptr);
  EXPECT_NE(list.FindByControl(edit), nullptr);
  EXPECT_TRUE(ShootForm("skin_combo_track_edit.bmp"));
  // The edit's border in the skin's shadow colour; the progress bar's trough and bar from its strip.
  EXPECT_EQ(PixelAt(edit->Handle(), 0, 12), data->Colors[scButtonShadow]);
  TBitmap& progress = *data->Progress->Bitmap;
  EXPECT_EQ(PixelAt(bar, 60, 0), StripTopEdge(progress, 2, 2)) << "the bar, 60 of 100";
  EXPECT_EQ(PixelAt(bar, 160, 0), StripTopEdge(progress, 2, 1)) << "the trough";
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Pump();
  PumpFor(100);
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "skin_combo_track_edit_dropped.bmp"));
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  for (TSkinControl* c : list.Snapshot())
    if (list.Contains(c)) delete c;  // an edit frees its spin skin itself
}

}  // namespace
