// Check boxes, radio buttons, group boxes and panels painted from a skin of
// plain, distinct colours per strip frame, read back as pixels; driven by
// real messages.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/boxes/box.h"
#include "skin/win/controls/boxes/group_box.h"
#include "skin/win/controls/buttons/check.h"
#include "skin/win/controls/control.h"
#include "skin/win/controls/dispatch.h"
#include "skin/win/data/object_image.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/text_arrow.h"
#include "skin/win/messages.h"
#include "skin_check_fixture.h"
#include "skin_strips.h"
#include "skin_support.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }
constexpr int kBox = 13;
const TColor kFace = Rgb(230, 225, 200), kShadow = Rgb(40, 80, 160), kText = Rgb(0, 0, 0);
// Frame f (from 1) of every strip is this colour.
TColor FrameColour(int f) { return Rgb(15 * f, 250 - 15 * f, 60 + 10 * f); }

void FillStrip(TBitmap& strip, int frames) {
  strip.SetPixelFormat(TPixelFormat::pf24bit);
  strip.SetSize(frames * kBox, kBox);
  for (int f = 1; f <= frames; ++f) FillRectColor(strip.CanvasDC(), RECT{(f - 1) * kBox, 0, f * kBox, kBox}, FrameColour(f));
}

void MakeToggleSkin(TSkinData& data, int checkFrames, int radioFrames) {
  data.Buttons = std::make_unique<TDataSkinButton>();
  FillStrip(*data.Buttons->Bitmap2, checkFrames);
  FillStrip(*data.Buttons->Bitmap3, radioFrames);
  data.Buttons->CheckFrameCount = checkFrames;
  data.Buttons->RadioFrameCount = radioFrames;
  data.Colors[scButtonFace] = kFace;
  data.Colors[scButtonShadow] = kShadow;
  if (data.FaceBrush) DeleteObject(data.FaceBrush);
  data.FaceBrush = CreateSolidBrush(kFace);
}

// A check box of another component set that draws its own glyphs.
class TGlyphCheck : public TCheckBox {
  TK_CLASS(TGlyphCheck)
public:
  explicit TGlyphCheck(TComponent* owner) : TCheckBox(owner), glyphs(std::make_unique<TBitmap>()) {}
  TBitmap* CustomGlyphs() const { return glyphs.get(); }
  int GetKey() const { return key; }
  void SetKey(int v) { key = v; }
  bool GetUse() const { return use; }
  void SetUse(bool v) {
    use = v;
    if (v) ++reloads;
  }
  std::unique_ptr<TBitmap> glyphs;
  int key = 0, reloads = 0;
  bool use = false;
};
const TClassInfo& TGlyphCheck::StaticClass() {
  static const TClassInfo info = TClassBuilder<TGlyphCheck>("TGlyphCheck", &TCheckBox::StaticClass())
                                     .Object("CustomGlyphs", &TGlyphCheck::CustomGlyphs)
                                     .Prop("TransparentColor", &TGlyphCheck::GetKey, &TGlyphCheck::SetKey)
                                     .Prop("UseCustomGlyphs", &TGlyphCheck::GetUse, &TGlyphCheck::SetUse)
                                     .Build();
  return info;
}

// Check boxes of data-aware component sets: one bound through "DataField"
// shows what it was last told by BM_SETCHECK, one with a "DataBinding" always
// shows the unchecked frame first.
class TFieldCheck : public TCheckBox {
  TK_CLASS(TFieldCheck)
public:
  explicit TFieldCheck(TComponent* owner) : TCheckBox(owner) {}
  std::string GetDataField() const { return field; }
  void SetDataField(const std::string& v) { field = v; }
  std::string field = "Loud";
};
const TClassInfo& TFieldCheck::StaticClass() {
  static const TClassInfo info = TClassBuilder<TFieldCheck>("TFieldCheck", &TCheckBox::StaticClass())
                                     .Prop("DataField", &TFieldCheck::GetDataField, &TFieldCheck::SetDataField)
                                     .Build();
  return info;
}
class TBoundCheck : public TCheckBox {
  TK_CLASS(TBoundCheck)
public:
  explicit TBoundCheck(TComponent* owner) : TCheckBox(owner) {}
  std::string GetDataBinding() const { return "Loud"; }
};
const TClassInfo& TBoundCheck::StaticClass() {
  static const TClassInfo info = TClassBuilder<TBoundCheck>("TBoundCheck", &TCheckBox::StaticClass())
                                     .Prop("DataBinding", &TBoundCheck::GetDataBinding)
                                     .Build();
  return info;
}

struct SkinCheckTest : SkinCheckFixture {
  void MakeSkin(TSkinData& skin) override { MakeToggleSkin(skin, 4, 4); }
  void TearDown() override {
    SkinCheckFixture::TearDown();
    for (HWND w : windows) DestroyWindow(w);
  }
  template <class T>
  T* Skinned(TControl* c) {
    dispatcher->SkinControl(c, form);
    return dynamic_cast<T*>(list.FindByControl(c));
  }
  // The strip frame of colour c (0: none of them).
  static int FrameOf(TColor c) {
    for (int f = 1; f <= 12; ++f)
      if (c == FrameColour(f)) return f;
    return 0;
  }
  // The strip frame at the box's centre of the face painted now.
  int ShownFrame(TSkinControl* o, bool right = false) {
    auto bmp = Face(o);
    const int x = right ? bmp->GetWidth() - kBox / 2 - 1 : kBox / 2;
    return FrameOf(bmp->GetPixel(x, bmp->GetHeight() / 2));
  }
  // The strip frame the window shows at its box's centre (box on the left), as last painted.
  static int OnScreenFrame(HWND w) {
    RECT c;
    GetClientRect(w, &c);
    HDC dc = GetDC(w);
    const TColor colour = static_cast<TColor>(GetPixel(dc, kBox / 2, c.bottom / 2));
    ReleaseDC(w, dc);
    return FrameOf(colour);
  }
  HWND BareChild(const wchar_t* cls, DWORD style, const wchar_t* text = L"Bare") {
    HWND w = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 300, 120, 24, form->Handle(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    windows.push_back(w);
    return w;
  }

  std::vector<HWND> windows;
};

TEST_F(SkinCheckTest, FrameMappingFor4_8And12Frames) {
  struct Row {
    int first;
    bool disabled, indeterminate;
    int four, twelve;
  };
  // first: 1 unchecked, 2 checked, 4 grayed (from the control's State).
  const Row rows[] = {
      {1, false, false, 1, 1}, {2, false, false, 2, 5}, {1, true, false, 3, 4},  {2, true, false, 4, 8},
      {4, false, true, 4, 9},  {4, true, true, 4, 12},  {1, false, true, 4, 9},
      {4, true, false, 4, 6},  // grayed and disabled, window not indeterminate: past a 4-frame strip
  };
  for (const Row& r : rows) {
    EXPECT_EQ(CheckBoxFrame(r.first, r.disabled, r.indeterminate, 4), r.four) << r.first << r.disabled;
    EXPECT_EQ(CheckBoxFrame(r.first, r.disabled, r.indeterminate, 12), r.twelve) << r.first << r.disabled;
  }
  EXPECT_EQ(CheckBoxFrame(2, false, false, 1), 1) << "never past the strip";
  EXPECT_EQ(RadioButtonFrame(false, false, 4), 1);
  EXPECT_EQ(RadioButtonFrame(true, false, 4), 2);
  EXPECT_EQ(RadioButtonFrame(false, true, 4), 3);
  EXPECT_EQ(RadioButtonFrame(true, true, 4), 4);
  EXPECT_EQ(RadioButtonFrame(false, false, 8), 1);
  EXPECT_EQ(RadioButtonFrame(true, false, 8), 5);
  EXPECT_EQ(RadioButtonFrame(false, true, 8), 4);
  EXPECT_EQ(RadioButtonFrame(true, true, 8), 8);
}

TEST_F(SkinCheckTest, PaintedFramesFollowTheControlsState) {
  auto* check = Make<TCheckBox>(10, 10, 120, 20);
  check->SetAllowGrayed(true);
  auto* radio = Make<TRadioButton>(10, 40, 120, 20);
  form->Show();
  auto* c = Skinned<TSkinCheckBox>(check);
  auto* r = Skinned<TSkinRadioButton>(radio);
  ASSERT_TRUE(c && r);
  EXPECT_EQ(c->FMode, 1);
  EXPECT_EQ(ShownFrame(c), 1);
  check->SetState(TCheckBoxState::cbChecked);
  EXPECT_EQ(ShownFrame(c), 2);
  check->SetEnabled(false);
  EXPECT_EQ(ShownFrame(c), 4);
  check->SetState(TCheckBoxState::cbUnchecked);
  EXPECT_EQ(ShownFrame(c), 3);
  check->SetState(TCheckBoxState::cbGrayed);
  EXPECT_EQ(ShownFrame(c), 4);

  MakeToggleSkin(*data, 12, 8);
  EXPECT_EQ(ShownFrame(c), 12) << "grayed and disabled";
  check->SetEnabled(true);
  EXPECT_EQ(ShownFrame(c), 9);
  check->SetState(TCheckBoxState::cbChecked);
  EXPECT_EQ(ShownFrame(c), 5);

  EXPECT_EQ(ShownFrame(r), 1);
  radio->SetChecked(true);
  EXPECT_EQ(ShownFrame(r), 5);
  radio->SetEnabled(false);
  EXPECT_EQ(ShownFrame(r), 8);
  radio->SetChecked(false);
  EXPECT_EQ(ShownFrame(r), 4);
}

TEST_F(SkinCheckTest, DataAwareCheckBoxesTakeTheirStateFromTheirBinding) {
  auto* field = Make<TFieldCheck>(10, 10, 120, 20);
  auto* bound = Make<TBoundCheck>(10, 40, 120, 20);
  form->Show();
  auto* f = Skinned<TSkinCheckBox>(field);
  auto* b = Skinned<TSkinCheckBox>(bound);
  ASSERT_TRUE(f && b);
  EXPECT_EQ(f->FPendingCheck, 0);
  EXPECT_EQ(ShownFrame(f), 1) << "nothing told yet: the control's own state";
  field->SetChecked(true);
  EXPECT_EQ(f->FPendingCheck, 2);
  EXPECT_EQ(ShownFrame(f), 2);
  // What it was told last counts over the window's state (checked here).
  f->FPendingCheck = 1;
  EXPECT_EQ(ShownFrame(f), 1);
  f->FPendingCheck = 3;
  EXPECT_EQ(ShownFrame(f), 4) << "told indeterminate: frame 4";
  field->SetEnabled(false);
  EXPECT_EQ(f->FPendingCheck, 3);
  EXPECT_EQ(ShownFrame(f), 4) << "and disabled";
  f->FPendingCheck = 2;
  EXPECT_EQ(ShownFrame(f), 4) << "checked and disabled";
  f->FPendingCheck = 1;
  EXPECT_EQ(ShownFrame(f), 3);
  // A DataBinding shows the unchecked frame whatever the box says.
  bound->SetChecked(true);
  EXPECT_EQ(ShownFrame(b), 1);
  bound->SetEnabled(false);
  EXPECT_EQ(ShownFrame(b), 3);
}

TEST_F(SkinCheckTest, ClicksToggleAndTheSkinPaintsAfterThem) {
  auto* check = Make<TCheckBox>(10, 10, 120, 20);
  int clicks = 0;
  check->OnClick = [&](TObject*) { ++clicks; };
  auto* group = Make<TRadioGroup>(10, 60, 200, 100);
  group->SetItemsList({"one", "two", "three"});
  group->SetItemIndex(0);
  form->Show();
  dispatcher->SkinFormControls(form);
  auto* c = dynamic_cast<TSkinCheckBox*>(list.FindByControl(check));
  ASSERT_NE(c, nullptr);
  ASSERT_NE(dynamic_cast<TSkinGroupBox*>(list.FindByControl(group)), nullptr);
  std::vector<TSkinRadioButton*> buttons;
  for (int i = 0; i < group->ButtonCount(); ++i) {
    buttons.push_back(dynamic_cast<TSkinRadioButton*>(list.FindByControl(group->Buttons(i))));
    ASSERT_NE(buttons.back(), nullptr);
  }
  Pump();

  // A click as the mouse makes it: the box toggles and the skin paints last.
  HWND w = check->Handle();
  PostClick(w, 5, 5);
  EXPECT_TRUE(check->GetChecked());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(OnScreenFrame(w), 2);
  EXPECT_EQ(c->FPendingCheck, 2) << "the last BM_SETCHECK was BST_CHECKED";

  // Press, leave, release: no click, and the box shows the skin again.
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 5));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(400, 5));
  Pump();
  EXPECT_TRUE(check->GetChecked());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(OnScreenFrame(w), 2);

  HWND second = group->Buttons(1)->Handle();
  PostClick(second, 5, 5);
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_EQ(OnScreenFrame(second), 2);
  EXPECT_EQ(OnScreenFrame(group->Buttons(0)->Handle()), 1) << "the button that lost its check repainted";
  EXPECT_EQ(ShownFrame(buttons[0]), 1);
  EXPECT_EQ(ShownFrame(buttons[1]), 2);
}

TEST_F(SkinCheckTest, FaceCaptionAndLeftText) {
  auto* check = Make<TCheckBox>(10, 10, 140, 24);
  check->SetCaption("Loud");
  check->GetFont()->SetColor(kText);
  auto* left = Make<TCheckBox>(10, 40, 140, 24);
  left->SetCaption("");
  left->SetAlignment(TAlignment::taLeftJustify);
  form->Show();
  auto* c = Skinned<TSkinCheckBox>(check);
  auto* l = Skinned<TSkinCheckBox>(left);
  ASSERT_TRUE(c && l);
  auto face = Face(c);
  // The face is ButtonFace, the box at the left, the caption in the Font colour right of it.
  EXPECT_EQ(face->GetPixel(face->GetWidth() - 2, 2), kFace);
  EXPECT_EQ(face->GetPixel(kBox / 2, 12), FrameColour(1));
  bool ink = false;
  for (int x = kBox + 2; x < 60; ++x)
    for (int y = 0; y < 24; ++y) ink = ink || face->GetPixel(x, y) == kText;
  EXPECT_TRUE(ink);
  EXPECT_EQ(ShownFrame(l, true), 1) << "BS_LEFTTEXT puts the box flush right";
  EXPECT_EQ(Face(l)->GetPixel(kBox / 2, 12), kFace);

  // Transparent (Tag 5555): the face is not filled over.
  check->SetTag(5555);
  delete c;
  auto* see = new TSkinCheckBox(check);
  see->AttachControl(&list, data.get(), false, &canvas);
  EXPECT_TRUE(see->FTransparent);
  EXPECT_EQ(Face(see)->GetPixel(face->GetWidth() - 2, 2), kUnpainted);
}

TEST_F(SkinCheckTest, BareCheckBoxDrawsTheBoxOverItsOwnPainting) {
  HWND w = BareChild(L"BUTTON", BS_AUTOCHECKBOX);
  form->Show();
  dispatcher->SkinChildWindow(w);
  auto* c = dynamic_cast<TSkinCheckBox*>(list.FindByHandle(w));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->FMode, 0);
  EXPECT_EQ(ShownFrame(c), 1);
  auto face = Face(c);
  EXPECT_EQ(face->GetPixel(100, 12), kUnpainted) << "mode 0 leaves face and caption to the window";
  SendMessageW(w, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(ShownFrame(c), 2);
  EXPECT_EQ(OnScreenFrame(w), 2) << "BM_SETCHECK repainted the box";
  EXPECT_EQ(SendMessageW(w, SM_ISSKINNED, 0, 0), 1);

  HWND r = BareChild(L"BUTTON", BS_AUTORADIOBUTTON);
  dispatcher->SkinChildWindow(r);
  auto* rb = dynamic_cast<TSkinRadioButton*>(list.FindByHandle(r));
  ASSERT_NE(rb, nullptr);
  PostClick(r, 5, 5);
  EXPECT_EQ(SendMessageW(r, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(OnScreenFrame(r), 2);
}

TEST_F(SkinCheckTest, SkinsLackingTheirObjectsKeepTheControlsLook) {
  auto* check = Make<TCheckBox>(10, 10, 120, 20);
  auto* radio = Make<TRadioButton>(10, 40, 120, 20);
  auto* group = Make<TGroupBox>(10, 80, 200, 100);
  auto* panel = Make<TPanel>(220, 80, 200, 100);
  form->Show();
  // No check strip (frame count 0), an empty radio strip.
  data->Buttons->CheckFrameCount = 0;
  data->Buttons->Bitmap3->SetSize(0, 0);
  auto* c = Skinned<TSkinCheckBox>(check);
  auto* r = Skinned<TSkinRadioButton>(radio);
  ASSERT_TRUE(c && r);
  EXPECT_EQ(c->FMode, 0) << "the toolkit check box keeps its own painting";
  EXPECT_EQ(r->FMode, 0);
  EXPECT_EQ(Face(c)->GetPixel(kBox / 2, 10), kUnpainted);
  EXPECT_EQ(Face(r)->GetPixel(kBox / 2, 10), kUnpainted);
  // No Buttons object at all; the window still paints and takes clicks.
  data->Buttons.reset();
  EXPECT_EQ(Face(c)->GetPixel(kBox / 2, 10), kUnpainted);
  c->Redraw();
  PostClick(check->Handle(), 5, 5);
  EXPECT_TRUE(check->GetChecked());
  // Group boxes and panels need no image: a frame and a colour.
  auto* g = Skinned<TSkinGroupBox>(group);
  ASSERT_NE(g, nullptr);
  auto gface = Face(g);
  EXPECT_EQ(gface->GetPixel(100, 60), kFace);
  EXPECT_EQ(gface->GetPixel(1, 60), kShadow);
  EXPECT_EQ(gface->GetPixel(100, 100 - 2), kShadow);
  ASSERT_NE(Skinned<TSkinBox>(panel), nullptr);
  EXPECT_EQ(panel->GetColor(), kFace);
}

TEST_F(SkinCheckTest, GroupBoxCaptionSitsOnTheFrame) {
  auto* group = Make<TGroupBox>(10, 10, 200, 100);
  group->SetCaption("Mode");
  group->GetFont()->SetColor(kText);
  group->SetColor(Rgb(9, 9, 9));
  form->Show();
  auto* radios = Make<TRadioGroup>(220, 10, 200, 100);
  radios->SetColor(Rgb(9, 9, 9));
  auto* g = Skinned<TSkinGroupBox>(group);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(group->GetColor(), Rgb(9, 9, 9)) << "a group box keeps its colour, the face is painted over";
  EXPECT_EQ(g->FMode, 1);
  auto face = Face(g);
  int top = -1;
  for (int y = 0; y < 30 && top < 0; ++y)
    if (face->GetPixel(100, y) == kShadow) top = y;
  ASSERT_GT(top, 0);
  // Left of the caption the frame line runs; the caption (from x 8) hides it.
  EXPECT_EQ(face->GetPixel(5, top), kShadow);
  bool ink = false;
  for (int x = 8; x < 40; ++x)
    for (int y = 0; y < 20; ++y) ink = ink || face->GetPixel(x, y) == kText;
  EXPECT_TRUE(ink);
  // A radio group is attached with the skin's colour, given back at Unskin.
  auto* rg = Skinned<TSkinGroupBox>(radios);
  ASSERT_NE(rg, nullptr);
  EXPECT_EQ(radios->GetColor(), kFace);
  rg->Unskin();
  EXPECT_EQ(radios->GetColor(), Rgb(9, 9, 9));
}

TEST_F(SkinCheckTest, ARightAlignedGroupBoxCaptionEnds8PixelsFromTheRight) {
  auto* group = Make<TGroupBox>(10, 10, 200, 100);
  group->SetCaption("Mode");
  group->GetFont()->SetColor(kText);
  form->Show();
  HWND w = group->Handle();
  SetWindowLongW(w, GWL_EXSTYLE, GetWindowLongW(w, GWL_EXSTYLE) | WS_EX_RIGHT);
  auto* g = Skinned<TSkinGroupBox>(group);
  ASSERT_NE(g, nullptr);
  auto face = Face(g);
  int top = -1;
  for (int y = 0; y < 30 && top < 0; ++y)
    if (face->GetPixel(20, y) == kShadow) top = y;
  // The caption's ink: its right end 8 pixels in from the right edge.
  int first = -1, last = -1;
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 20; ++y)
      if (face->GetPixel(x, y) == kText) {
        if (first < 0) first = x;
        last = x;
      }
  ASSERT_GE(first, 0);
  EXPECT_GT(first, 100) << "the caption is at the right";
  EXPECT_LE(last, 200 - 8 - 1);
  EXPECT_GE(last, 200 - 8 - 6);
  // The frame line runs left of the caption and in the 8 pixels right of it.
  ASSERT_GT(top, 0);
  EXPECT_EQ(face->GetPixel(20, top), kShadow);
  EXPECT_EQ(face->GetPixel(200 - 5, top), kShadow);
}

TEST_F(SkinCheckTest, PanelsAndBareDialogsTakeButtonFace) {
  auto* panel = Make<TPanel>(10, 10, 200, 100);
  panel->SetColor(Rgb(9, 9, 9));
  form->Show();
  auto* box = Skinned<TSkinBox>(panel);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(panel->GetColor(), kFace);
  EXPECT_NE(SendMessageW(panel->Handle(), SM_ISSKINNED, 0, 0), 1) << "a panel's messages are not taken over";
  box->SkinChanged();
  box->Unskin();
  EXPECT_EQ(panel->GetColor(), Rgb(9, 9, 9));

  HWND dialog = BareChild(L"#32770", 0, L"");
  HWND label = CreateWindowExW(0, L"STATIC", L"Text", WS_CHILD | WS_VISIBLE, 4, 4, 60, 16, dialog, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  dispatcher->SkinChildWindow(dialog);
  ASSERT_NE(dynamic_cast<TSkinBoxH*>(list.FindByHandle(dialog)), nullptr);
  TBitmap bmp;
  bmp.SetPixelFormat(TPixelFormat::pf24bit);
  bmp.SetSize(120, 24);
  SendMessageW(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(bmp.CanvasDC()), 0);
  EXPECT_EQ(bmp.GetPixel(60, 12), kFace);
  LRESULT brush = SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(bmp.CanvasDC()),
                               reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(data->FaceBrush));
  EXPECT_EQ(static_cast<TColor>(GetBkColor(bmp.CanvasDC())), kFace);
}

TEST_F(SkinCheckTest, OtherSetsGetTheStripsRearrangedIntoTheirGlyphs) {
  MakeToggleSkin(*data, 5, 4);
  // Cells of kind 1 from a 5-frame check strip: 1 2 5 1 2 5 3 4 5.
  auto cells = ArrangeGlyphCells(*data->Buttons->Bitmap2, 5, TSkinObjImage::ikCustomCheck);
  ASSERT_NE(cells, nullptr);
  ASSERT_EQ(cells->GetWidth(), 9 * kBox);
  const int kind1[] = {1, 2, 5, 1, 2, 5, 3, 4, 5};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(cells->GetPixel(i * kBox + 6, 6), FrameColour(kind1[i])) << i;
  cells = ArrangeGlyphCells(*data->Buttons->Bitmap3, 4, TSkinObjImage::ikCustomRadio);
  const int kind2[] = {1, 2, 1, 2, 3, 4};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(cells->GetPixel(i * kBox + 6, 6), FrameColour(kind2[i])) << i;
  EXPECT_EQ(ArrangeGlyphCells(*data->Buttons->Bitmap2, 0, TSkinObjImage::ikCustomCheck), nullptr);

  auto* check = Make<TGlyphCheck>(10, 10, 120, 20);
  form->Show();
  auto* o = new TSkinObjImage(check);
  o->FImageKind = TSkinObjImage::ikCustomCheck;
  o->AttachControl(&list, data.get(), true, &canvas);
  EXPECT_EQ(check->glyphs->GetWidth(), 9 * kBox);
  EXPECT_EQ(check->key, 0xFF00FF);
  EXPECT_TRUE(check->use);
  EXPECT_EQ(check->reloads, 1);
  EXPECT_NE(SendMessageW(check->Handle(), SM_ISSKINNED, 0, 0), 1) << "no hook of its own";
  o->SkinChanged();
  EXPECT_EQ(check->reloads, 2);
  o->Unskin();
  EXPECT_FALSE(check->use);
}

TEST_F(SkinCheckTest, ArrowGlyphsAndCentredText) {
  TBitmap bmp;
  bmp.SetPixelFormat(TPixelFormat::pf24bit);
  bmp.SetSize(40, 40);
  auto clear = [&] { FillRectColor(bmp.CanvasDC(), RECT{0, 0, 40, 40}, Rgb(255, 255, 255)); };
  auto inked = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int x = x0; x < x1; ++x)
      for (int y = y0; y < y1; ++y) n += bmp.GetPixel(x, y) == Rgb(0, 0, 0);
    return n;
  };
  TCanvas& c = bmp.Canvas();
  c.Pen().SetColor(Rgb(0, 0, 0));
  clear();
  DrawArrowGlyph(c, 20, 20, 7);
  EXPECT_EQ(inked(0, 0, 40, 40), 0) << "no such direction";
  // Up: the tip at (20, 19), the chevron opening downwards to y 23.
  DrawArrowGlyph(c, 20, 20, adUp);
  EXPECT_EQ(bmp.GetPixel(20, 20), Rgb(0, 0, 0));
  EXPECT_EQ(inked(0, 0, 40, 19), 0);
  EXPECT_GT(inked(16, 23, 25, 24), 4);
  clear();
  DrawArrowGlyph(c, 20, 20, adDown);
  EXPECT_EQ(inked(0, 25, 40, 40), 0);
  EXPECT_GE(inked(16, 20, 25, 21), 4) << "wide at the top";
  clear();
  DrawArrowGlyph(c, 20, 20, adLeft);
  EXPECT_GT(inked(19, 17, 22, 23), 3);
  EXPECT_EQ(inked(0, 0, 18, 40) + inked(23, 0, 40, 40), 0);

  // Centred both ways, whatever the alignment; disabled in the shadow colour
  // (smoothed text: no pixel darker than it).
  auto darkest = [&](int x0, int y0, int x1, int y1) {
    int d = 255;
    for (int x = x0; x < x1; ++x)
      for (int y = y0; y < y1; ++y) d = std::min(d, static_cast<int>(GetRValue(bmp.GetPixel(x, y))));
    return d;
  };
  clear();
  c.Font().SetColor(Rgb(0, 0, 0));
  DrawCenteredText(c, RECT{0, 0, 40, 40}, L"II", taLeftText, true);
  EXPECT_EQ(darkest(0, 0, 10, 40), 255);
  EXPECT_EQ(darkest(30, 0, 40, 40), 255);
  EXPECT_LT(darkest(10, 10, 30, 30), 100);
  clear();
  DrawCenteredText(c, RECT{0, 0, 40, 40}, L"II", taCentreText, false);
  const int shadow = GetRValue(ColorToRGB(clBtnShadow));
  EXPECT_LT(darkest(10, 10, 30, 30), 255);
  EXPECT_GE(darkest(0, 0, 40, 40), shadow - 2);
}

TEST_F(SkinCheckTest, ScreenshotWithTheProgramsSkin) {
  auto stream = EmbeddedSkinStream();
  ASSERT_FALSE(stream.empty());
  auto skin = std::make_unique<TSkinData>(nullptr);
  skin->ReadSkinStream(stream);
  UseSkin(std::move(skin));
  ASSERT_TRUE(data->Buttons && !data->Buttons->Bitmap2->Empty() && !data->Buttons->Bitmap3->Empty());
  form->SetColor(data->Colors[scButtonFace]);
  form->GetFont()->SetHeight(-14);
  const char* captions[] = {"Music off", "Checked", "Disabled", "Grayed"};
  TCheckBox* checks[4];
  for (int i = 0; i < 4; ++i) {
    auto* c = checks[i] = Make<TCheckBox>(20, 20 + i * 24, 130, 20);
    c->SetAllowGrayed(true);
    c->SetCaption(captions[i]);
    c->GetFont()->SetColor(clTeal);
    if (i == 1 || i == 2) c->SetChecked(true);
    if (i == 2) c->SetEnabled(false);
    if (i == 3) c->SetState(TCheckBoxState::cbGrayed);
  }
  auto* group = Make<TRadioGroup>(170, 12, 300, 110);
  group->SetCaption("Practice type:");
  group->GetFont()->SetColor(clTeal);
  group->SetColumns(2);
  group->SetItemsList({"Letters", "Digits", "Pinyin", "Wubi", "Games", "Articles"});
  group->SetItemIndex(2);
  auto* box = Make<TGroupBox>(20, 140, 450, 80);
  box->SetCaption("Options");
  auto* radio = Make<TRadioButton>(12, 30, 120, 20, box);
  radio->SetCaption("Radio");
  auto* off = Make<TRadioButton>(150, 30, 120, 20, box);
  off->SetCaption("Disabled");
  off->SetChecked(true);
  off->SetEnabled(false);
  form->Show();
  dispatcher->SkinFormControls(form);
  EXPECT_TRUE(ShootForm("skin_checks.bmp"));
  // The boxes are frames of the skin's strips: unchecked, checked, checked and disabled.
  const TDataSkinButton& b = *data->Buttons;
  EXPECT_TRUE(ShowsBoxFrame(checks[0]->Handle(), *b.Bitmap2, b.CheckFrameCount, 1));
  EXPECT_TRUE(ShowsBoxFrame(checks[1]->Handle(), *b.Bitmap2, b.CheckFrameCount, 2));
  EXPECT_TRUE(ShowsBoxFrame(checks[2]->Handle(), *b.Bitmap2, b.CheckFrameCount, 4));
  EXPECT_TRUE(ShowsBoxFrame(group->Buttons(2)->Handle(), *b.Bitmap3, b.RadioFrameCount, 2));
  EXPECT_TRUE(ShowsBoxFrame(off->Handle(), *b.Bitmap3, b.RadioFrameCount, 4));
}

}  // namespace
