// Up-down, progress bar and edit: frames by state read back as pixels, the
// edit's border and its spin child, and skins lacking one object. The
// toolkit has no up-down or progress class: they are bare system windows.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/input/edit.h"
#include "skin/win/controls/input/progress.h"
#include "skin/win/controls/input/updown.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/messages.h"
#include "skin_fixture.h"
#include "skin_strips.h"

namespace {

const std::vector<TColor> kSpin = Distinct(8, 1);
const TColor kFace = StripRgb(230, 225, 200), kShadow = StripRgb(70, 60, 50), kDark = StripRgb(20, 20, 90);
const TColor kTrough = StripRgb(10, 150, 10), kBar = StripRgb(150, 10, 150);

struct SkinUpDownTest : SkinFixture {
  void SetUp() override {
    SkinFixture::SetUp();
    data->UpDownVert = ColourObject<TDataSkinBorder>(kSpin, 10, 10);
    data->Progress = ColourObject<TDataSkinBorder>({kTrough, kBar}, 10, 10);
    data->Colors[scButtonFace] = kFace;
    data->Colors[scButtonShadow] = kShadow;
    data->Colors[scButtonDkShadow] = kDark;
    form->Show();
  }
  HWND Bare(const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent = nullptr) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent ? parent : form->Handle(),
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  template <class T>
  T* SkinWindow(HWND w) {
    auto* s = new T(form);
    s->AttachHandle(w, data.get(), &list, &canvas);
    return s;
  }
  // A bare progress bar of the range 0 to 100, at `position`.
  HWND Progress(DWORD style, int x, int y, int w, int h, int position) {
    HWND bar = Bare(PROGRESS_CLASSW, style, x, y, w, h);
    SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    SendMessageW(bar, PBM_SETPOS, position, 0);
    return bar;
  }
  static TColor Paint(TSkinControl* s, int x, int y) { return PaintedPixel(s, x, y); }
};

TEST_F(SkinUpDownTest, UpDownFramesByStateAndHalf) {
  HWND spin = Bare(UPDOWN_CLASSW, 0, 300, 10, 20, 40);
  auto* s = SkinWindow<TSkinUpDown>(spin);
  EXPECT_EQ(Paint(s, 10, 5), kSpin[0]);
  EXPECT_EQ(Paint(s, 10, 35), kSpin[4]);
  // Pressed with the cursor in the lower half: frame 6 below, 1 above.
  POINT lower{10, 30};
  ClientToScreen(spin, &lower);
  SetCursorPos(lower.x, lower.y);
  s->FMouseState |= TSkinControl::msPressed;
  EXPECT_EQ(Paint(s, 10, 35), kSpin[5]);
  EXPECT_EQ(Paint(s, 10, 5), kSpin[0]);
  s->FMouseState = 0;
  // Disabled: frames 3 and 7.
  EnableWindow(spin, FALSE);
  EXPECT_EQ(Paint(s, 10, 5), kSpin[2]);
  EXPECT_EQ(Paint(s, 10, 35), kSpin[6]);
  // Without UpDownVert: flat buttons with a dark border.
  EnableWindow(spin, TRUE);
  data->UpDownVert.reset();
  EXPECT_EQ(Paint(s, 2, 2), kFace);
  EXPECT_EQ(Paint(s, 0, 2), kDark);
  EXPECT_EQ(UpDownFrame(2, true), 6);
}

TEST_F(SkinUpDownTest, ProgressTroughBarAndVertical) {
  HWND bar = Progress(0, 10, 200, 200, 20, 50);
  auto* s = SkinWindow<TSkinProgress>(bar);
  EXPECT_EQ(Paint(s, 50, 10), kBar);
  EXPECT_EQ(Paint(s, 150, 10), kTrough);
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  EXPECT_EQ(Paint(s, 50, 10), kTrough) << "position 0 shows only the trough";
  SendMessageW(bar, PBM_SETRANGE32, 0, 0);
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  EXPECT_EQ(Paint(s, 50, 10), kTrough) << "maximum 0 shows only the trough";

  HWND up = Progress(PBS_VERTICAL, 250, 200, 20, 200, 25);
  auto* v = SkinWindow<TSkinProgress>(up);
  EXPECT_EQ(Paint(v, 10, 190), kBar) << "a vertical bar grows from the bottom";
  EXPECT_EQ(Paint(v, 10, 20), kTrough);
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "skin_progress_plain.bmp"));

  // Chunk mode without ProgressChunk draws nothing; without Progress the control paints itself.
  HDC dc = GetWindowDC(bar);
  RECT all{0, 0, 200, 20};
  FillRectColor(dc, all, StripRgb(1, 2, 3));
  data->Progress->Style = 1;
  s->PaintWindow(dc);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 50, 10)), StripRgb(1, 2, 3));
  data->Progress.reset();
  s->PaintWindow(dc);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 50, 10)), StripRgb(1, 2, 3));
  ReleaseDC(bar, dc);
  TMessage paint{WM_PAINT, 0, 0, 0};
  EXPECT_TRUE(s->BeforeMessage(paint)) << "the control paints itself";
}

TEST_F(SkinUpDownTest, ProgressChunkModeStretchedAndTiled) {
  // An 8 x 10 chunk: c1 left and c2 right in its top half, c3 below.
  const TColor c1 = StripRgb(200, 30, 30), c2 = StripRgb(30, 30, 200), c3 = StripRgb(230, 200, 30);
  auto chunk = std::make_unique<TDataSkinObject>();
  chunk->Bitmap = ColourStrip({c1, c2}, 4, 10);
  FillRectColor(chunk->Bitmap->CanvasDC(), RECT{0, 5, 8, 10}, c3);
  chunk->FrameCount = 1;
  data->ProgressChunk = std::move(chunk);
  data->Progress = ColourObject<TDataSkinBorder>({kTrough}, 10, 10);
  data->Progress->Style = 1;
  HWND bar = Progress(0, 10, 240, 200, 20, 50);
  auto* s = SkinWindow<TSkinProgress>(bar);

  // Stretched over the bar's 100 x 20, moved by (2, 2), its last 4 rows cut off.
  EXPECT_EQ(Paint(s, 20, 1), kTrough);
  EXPECT_EQ(Paint(s, 20, 2), c1);
  EXPECT_EQ(Paint(s, 20, 11), c1) << "row 9 of the stretched chunk: its top half reaches 10 rows";
  EXPECT_EQ(Paint(s, 20, 12), c3);
  EXPECT_EQ(Paint(s, 20, 17), c3);
  EXPECT_EQ(Paint(s, 20, 18), kTrough) << "the cropped bottom";
  EXPECT_EQ(Paint(s, 80, 5), c2);
  EXPECT_EQ(Paint(s, 101, 5), c2);
  EXPECT_EQ(Paint(s, 102, 5), kTrough);

  // Tiled: chunks side by side at their own size, centred in height, from x = 2.
  data->ProgressChunk->Tile = 1;
  EXPECT_EQ(Paint(s, 3, 4), kTrough);
  EXPECT_EQ(Paint(s, 3, 6), c1);
  EXPECT_EQ(Paint(s, 7, 6), c2);
  EXPECT_EQ(Paint(s, 11, 6), c1);
  EXPECT_EQ(Paint(s, 11, 13), c3);
  EXPECT_EQ(Paint(s, 11, 15), kTrough);
  EXPECT_EQ(Paint(s, 150, 10), kTrough);
  // The bar's own paint shows the same on the screen.
  RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpFor(50);
  EXPECT_EQ(PixelAt(bar, 11, 6), c1);
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "skin_progress_chunks.bmp"));
}

TEST_F(SkinUpDownTest, EditBorderPrintBorderAndItsSpinChild) {
  data->SkinControls |= SetOf(xcSpin);
  auto* edit = Make<TEdit>(10, 10, 150, 26);
  auto* s = new TSkinEdit(edit);
  s->AttachControl(&list, data.get(), false, &canvas);
  HWND spin = Bare(UPDOWN_CLASSW, 0, 120, 0, 18, 20, edit->Handle());
  EXPECT_EQ(Paint(s, 0, 10), kShadow);
  EXPECT_EQ(Paint(s, 1, 10), clWhite);
  ASSERT_NE(s->FUpDown, nullptr) << "the spin child was found at the first paint";
  EXPECT_EQ(s->FUpDown->Handle(), spin);
  EXPECT_TRUE(s->FUpDown->FEmbedded);
  EXPECT_TRUE(IsWindowSkinned(spin));
  // The spin window gone, the frame's sweep frees its skin and the edit forgets it.
  DestroyWindow(spin);
  list.FreeDead();
  EXPECT_EQ(s->FUpDown, nullptr);
  EXPECT_TRUE(IsSpinClassName("TSpinEdit") && IsSpinClassName("MSCTLS_UPDOWN32") && !IsSpinClassName("edit"));
  // A double-byte character's second byte is never taken for a letter.
  EXPECT_FALSE(IsSpinClassName("\x81SPIN")) << "S is the trail byte of a character";
  EXPECT_TRUE(IsSpinClassName("\x81\x41SPIN"));

  // The paint-into-DC request: with no DC nothing is painted, the tag comes back.
  EXPECT_EQ(SendMessageW(edit->Handle(), SM_PAINTEDIT, 0, SKIN_MESSAGE_TAG), SKIN_MESSAGE_TAG);
  EXPECT_NE(SendMessageW(edit->Handle(), SM_PAINTEDIT, 0, 5), SKIN_MESSAGE_TAG);

  // WM_PRINT: the DC's brush inside, the shadow outside; the DC's brush survives.
  HDC dc = GetWindowDC(edit->Handle());
  HBRUSH mine = CreateSolidBrush(StripRgb(9, 99, 199));
  HGDIOBJ old = SelectObject(dc, mine);
  SendMessageW(edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 10)), kShadow);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 1, 10)), StripRgb(9, 99, 199));
  EXPECT_NE(GetObjectType(mine), 0u);
  SelectObject(dc, old);
  DeleteObject(mine);
  ReleaseDC(edit->Handle(), dc);

  // A borderless edit gets no border.
  HWND plain = Bare(L"EDIT", 0, 10, 60, 100, 20);
  auto* p = SkinWindow<TSkinEdit>(plain);
  HDC pdc = GetWindowDC(plain);
  RECT all{0, 0, 100, 20};
  FillRectColor(pdc, all, StripRgb(1, 2, 3));
  p->PaintWindow(pdc);
  EXPECT_EQ(static_cast<TColor>(GetPixel(pdc, 0, 10)), StripRgb(1, 2, 3));
  ReleaseDC(plain, pdc);

  // An edit and its spin gone together: the sweep frees each skin once.
  Bare(UPDOWN_CLASSW, 0, 80, 0, 18, 18, plain);
  p->PaintWindow(nullptr);
  ASSERT_NE(p->FUpDown, nullptr);
  EXPECT_EQ(list.Count(), 3);
  DestroyWindow(plain);
  list.FreeDead();
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace
