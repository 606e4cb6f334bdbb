// Skinned controls: the dispatcher's decisions for toolkit controls and bare
// windows, the message hook of a skinned control, and push buttons.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <algorithm>

#include "controls_fixture.h"
#include "message_spy.h"
#include "native/bmp_file.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/portable/bmp_entry.h"
#include "skin/win/controls/buttons/button.h"
#include "skin/win/controls/control.h"
#include "skin/win/controls/dispatch.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/messages.h"
#include "skin_controls_fixture.h"
#include "skin_strips.h"
#include "skin_support.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"

namespace {

using K = TSkinKind;

TEST_F(SkinControlsTest, ToolkitClassesGetTheirFamilies) {
  DecideOnly();
  auto* button = Make<TButton>(10, 10, 80, 25);
  auto* check = Make<TCheckBox>(10, 40, 80, 20);
  auto* radio = Make<TRadioButton>(10, 70, 80, 20);
  auto* group = Make<TGroupBox>(100, 10, 200, 100);
  auto* inGroup = Make<TButton>(10, 20, 60, 25, group);
  auto* radios = Make<TRadioGroup>(100, 120, 200, 100);
  radios->SetItemsList({"a", "b"});
  auto* panel = Make<TPanel>(320, 10, 200, 100);
  auto* inPanel = Make<TCheckBox>(10, 10, 80, 20, panel);
  auto* combo = Make<TComboBox>(10, 240, 100, 25);
  auto* listBox = Make<TListBox>(10, 280, 100, 60);
  auto* edit = Make<TEdit>(120, 240, 100, 25);
  auto* rich = Make<TRichEdit>(120, 280, 100, 60);
  auto* track = Make<TTrackBar>(240, 240, 100, 30);
  auto* label = Make<TLabel>(240, 280, 100, 20);
  form->Show();
  dispatcher->SkinFormControls(form);
  auto got = ByControl();
  EXPECT_EQ(got[button], std::vector<K>{K::Button});
  EXPECT_EQ(got[check], std::vector<K>{K::CheckBox});
  EXPECT_EQ(got[radio], std::vector<K>{K::RadioButton});
  EXPECT_EQ(got[group], std::vector<K>{K::GroupBox});
  EXPECT_EQ(got[inGroup], std::vector<K>{K::Button});
  EXPECT_EQ(got[radios], std::vector<K>{K::GroupBox});
  ASSERT_EQ(radios->ButtonCount(), 2);
  EXPECT_EQ(got[radios->Buttons(0)], std::vector<K>{K::RadioButton});
  EXPECT_EQ(got[panel], std::vector<K>{K::Box});
  EXPECT_EQ(got[inPanel], std::vector<K>{K::CheckBox});
  EXPECT_EQ(got[combo], std::vector<K>{K::ComboBox});
  EXPECT_EQ(got[listBox], std::vector<K>{K::Scrollbar});
  EXPECT_EQ(got[edit], std::vector<K>{K::Edit});
  EXPECT_EQ(got[rich], std::vector<K>{K::Scrollbar});
  EXPECT_EQ(got[track], std::vector<K>{K::TrackBar});
  EXPECT_EQ(got.count(label), 0u);

  // The group's children are visited before the group (they come first).
  std::size_t childAt = 0, groupAt = 0;
  for (std::size_t i = 0; i < decisions.size(); ++i) {
    if (decisions[i].control == inGroup && childAt == 0) childAt = i + 1;
    if (decisions[i].control == group) groupAt = i + 1;
  }
  EXPECT_LT(childAt, groupAt);

  // Switched-off families fall through: with xcPanel off a group box is not
  // skinned, its children still are (through the components and the tab order).
  for (TSkinControl* c : list.Snapshot()) delete c;
  EXPECT_EQ(list.Count(), 0);
  decisions.clear();
  data->SkinControls &= ~(SetOf(xcPanel) | SetOf(xcButton));
  dispatcher->SkinFormControls(form);
  got = ByControl();
  EXPECT_EQ(got.count(group), 0u);
  EXPECT_EQ(got.count(inGroup), 0u);
  EXPECT_EQ(got[inPanel], std::vector<K>{K::CheckBox});
}

TEST_F(SkinControlsTest, DisableTagAndSkin3rdLines) {
  DecideOnly();
  auto* radios = Make<TRadioGroup>(10, 10, 200, 100);
  radios->SetItemsList({"a", "b"});
  radios->SetTag(99);
  auto* group = Make<TGroupBox>(220, 10, 200, 100);
  group->SetTag(99);
  auto* inGroup = Make<TCheckBox>(10, 20, 80, 20, group);
  auto* edit = Make<TEdit>(10, 150, 100, 25);
  auto* combo = Make<TComboBox>(10, 190, 100, 25);
  auto* button = Make<TButton>(10, 230, 100, 25);
  form->Show();
  data->Skin3rd = {"TEditBox=button", "TEdit=nil", "TEdit=button", "TComboBox=", "TButton=" + std::string(60, 'x')};
  dispatcher->SkinFormControls(form);
  auto got = ByControl();
  EXPECT_EQ(got.count(radios), 0u);
  EXPECT_EQ(got.count(radios->Buttons(0)), 0u) << "the buttons of a disabled group are reached by the tab order";
  EXPECT_EQ(radios->Buttons(1)->GetTag(), 99);
  EXPECT_EQ(got.count(group), 0u);
  EXPECT_EQ(got[inGroup], std::vector<K>{K::CheckBox});
  EXPECT_EQ(got.count(edit), 0u) << "the first line for the class says nil";
  EXPECT_EQ(got[combo], std::vector<K>{K::ComboBox}) << "an empty value does not count";
  EXPECT_EQ(got.count(button), 0u) << "a value naming no kind stops the class tests";

  // The kinds by name, whatever their case; a value cut to 50 characters.
  decisions.clear();
  data->Skin3rd = {"TEdit=CheckBox", "TComboBox=RadioButton", "TButton=" + std::string(50, ' ') + "button"};
  auto* edit2 = Make<TEdit>(120, 150, 100, 25);
  auto* combo2 = Make<TComboBox>(120, 190, 100, 25);
  auto* button2 = Make<TButton>(120, 230, 100, 25);
  dispatcher->SkinFormControls(form);
  got = ByControl();
  EXPECT_EQ(got[edit2], std::vector<K>{K::CheckBox});
  EXPECT_EQ(got[combo2], std::vector<K>{K::RadioButton});
  EXPECT_EQ(got.count(button2), 0u);

  // "trackbar" needs xcButton only; the class row needs xcTrackBar.
  decisions.clear();
  data->SkinControls &= ~SetOf(xcTrackBar);
  auto* track = Make<TTrackBar>(240, 150, 100, 30);
  auto* track2 = Make<TTrackBar>(240, 190, 100, 30);
  dispatcher->SkinControl(track, form);
  data->Skin3rd = {"TTrackBar=trackbar"};
  dispatcher->SkinControl(track2, form);
  got = ByControl();
  EXPECT_EQ(got.count(track), 0u);
  EXPECT_EQ(got[track2], std::vector<K>{K::TrackBar});

  // A handler's answer that is no skinned control suppresses all skinning.
  decisions.clear();
  TComponent other(nullptr);
  data->OnSkinControl = [&](TComponent*, TSkinData*, TControl*, TControl*, const std::string&,
                            TComponent*& skinned) { skinned = &other; };
  auto* button3 = Make<TButton>(240, 230, 100, 25);
  dispatcher->SkinControl(button3, form);
  EXPECT_TRUE(decisions.empty());
}

TEST_F(SkinControlsTest, SkinningTwiceMakesNoDuplicates) {
  auto* a = Make<TButton>(10, 10, 80, 25);
  auto* group = Make<TGroupBox>(100, 10, 200, 100);
  auto* b = Make<TButton>(10, 20, 80, 25, group);
  form->Show();
  dispatcher->SkinFormControls(form);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_NE(list.FindByControl(a), nullptr);
  EXPECT_NE(list.FindByControl(b), nullptr);
  EXPECT_NE(list.FindByControl(group), nullptr);
  EXPECT_TRUE(IsWindowSkinned(a->Handle()));
  dispatcher->SkinFormControls(form);
  EXPECT_EQ(list.Count(), 3);
  // The object goes with its control and leaves the list.
  delete b;
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(SkinControlsTest, BareWindowsByClassAndStyle) {
  DecideOnly();
  HWND parent = Parent();
  struct Case {
    const wchar_t* cls;
    DWORD style;
    bool skinned;
    K kind;
  };
  const Case cases[] = {
      {L"BUTTON", BS_PUSHBUTTON, true, K::Button},          {L"BUTTON", BS_DEFPUSHBUTTON, true, K::Button},
      {L"BUTTON", BS_CHECKBOX, true, K::CheckBox},          {L"BUTTON", BS_AUTOCHECKBOX, true, K::CheckBox},
      {L"BUTTON", BS_3STATE, true, K::CheckBox},            {L"BUTTON", BS_AUTO3STATE, true, K::CheckBox},
      {L"BUTTON", BS_RADIOBUTTON, true, K::RadioButton},    {L"BUTTON", BS_AUTORADIOBUTTON, true, K::RadioButton},
      {L"BUTTON", BS_GROUPBOX, false, K::Button},           {L"BUTTON", BS_OWNERDRAW, false, K::Button},
      {L"BUTTON", BS_PUSHBUTTON | BS_BITMAP, false, K::Button},
      {L"BUTTON", BS_AUTOCHECKBOX | BS_BITMAP, false, K::CheckBox},
      {L"BUTTON", BS_USERBUTTON, true, K::Button},          {L"BUTTON", BS_PUSHBOX, true, K::Button},
      {L"COMBOBOX", CBS_DROPDOWN, true, K::ComboBox},       {L"COMBOBOX", CBS_DROPDOWNLIST, true, K::ComboBox},
      {L"COMBOBOX", CBS_SIMPLE, false, K::ComboBox},        {L"EDIT", 0, true, K::Edit},
      {L"SCROLLBAR", SBS_SIZEGRIP, true, K::Sizer},         {L"SCROLLBAR", WS_TABSTOP, false, K::Sizer},
      {L"STATIC", 0, false, K::Button},
  };
  for (const Case& c : cases) {
    decisions.clear();
    HWND w = Child(parent, c.cls, c.style);
    ASSERT_NE(w, nullptr);
    dispatcher->SkinChildWindow(w);
    std::wstring what = std::wstring(c.cls) + L" style " + std::to_wstring(c.style);
    if (!c.skinned) {
      EXPECT_TRUE(decisions.empty()) << WideToGbk(what);
      continue;
    }
    ASSERT_EQ(decisions.size(), 1u) << WideToGbk(what);
    EXPECT_EQ(decisions[0].kind, c.kind) << WideToGbk(what);
    EXPECT_EQ(decisions[0].window, w);
    DestroyWindow(w);
    list.FreeDead();
  }
  // A family switched off gives nothing, and no later row.
  decisions.clear();
  data->SkinControls &= ~SetOf(xcButton);
  dispatcher->SkinChildWindow(Child(parent, L"BUTTON", BS_PUSHBUTTON));
  EXPECT_TRUE(decisions.empty());
}

TEST_F(SkinControlsTest, BareButtonsOnceEachAndTheirClick) {
  HWND parent = Parent();
  HWND ok = Child(parent, L"BUTTON", BS_PUSHBUTTON, 1234);
  HWND check = Child(parent, L"BUTTON", BS_AUTOCHECKBOX, 5);
  dispatcher->SkinChildWindows(parent);
  dispatcher->SkinChildWindows(parent);
  EXPECT_EQ(list.Count(), 2) << "each skinned once";
  ASSERT_NE(list.FindByHandle(ok), nullptr);
  EXPECT_NE(list.FindByHandle(check), nullptr);

  // Press and release: the parent hears of the click with the button's id.
  SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  ASSERT_EQ(CommandLog::Items().size(), 1u);
  EXPECT_EQ(CommandLog::Items()[0].first, 1234u);
  EXPECT_EQ(CommandLog::Items()[0].second, reinterpret_cast<LPARAM>(ok));

  // Press, leave, release: no click.
  CommandLog::Items().clear();
  SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(ok, WM_MOUSELEAVE, 0, 0);
  SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  Pump();
  EXPECT_TRUE(CommandLog::Items().empty());
}

TEST_F(SkinControlsTest, ToolkitButtonClicksOnceAndNotAfterLeaving) {
  auto* button = Make<TButton>(10, 10, 100, 30);
  int clicks = 0, downs = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  form->Show();
  dispatcher->SkinControl(button, form);
  HWND w = button->Handle();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(downs, 1) << "the press the skin takes still reaches OnMouseDown";
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(w, WM_MOUSELEAVE, 0, 0);
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
  Pump();
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinControlsTest, HookLifecycleOfABareWindow) {
  HWND parent = Parent();
  HWND w = Child(parent, L"BUTTON", BS_PUSHBUTTON, 7);
  MessageSpy::Install(w);
  const WNDPROC original = ProcOf(w);

  auto* first = new TSkinButton(frameOwner.get());
  first->AttachHandle(w, data.get(), &list, &canvas);
  const WNDPROC firstProc = ProcOf(w);
  EXPECT_NE(firstProc, original);
  // A second attach of the same object changes nothing (it would call itself).
  first->AttachHandle(w, data.get(), &list, &canvas);
  EXPECT_EQ(ProcOf(w), firstProc);
  EXPECT_EQ(list.Count(), 1);

  MessageSpy::Log().clear();
  EXPECT_EQ(SendMessageW(w, SM_ISSKINNED, 0, 0), 1);
  SendMessageW(w, SM_SKINCONTROL, 0, 0);
  EXPECT_FALSE(first->Active());
  SendMessageW(w, SM_SKINCONTROL, 1, 0);
  EXPECT_TRUE(first->Active());
  EXPECT_FALSE(MessageSpy::Saw(SM_ISSKINNED));
  EXPECT_FALSE(MessageSpy::Saw(SM_SKINCONTROL));
  SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Go"));
  EXPECT_TRUE(MessageSpy::Saw(WM_SETTEXT)) << "other messages reach the saved procedure";

  // Switched off, the window behaves as unskinned: the press reaches its procedure.
  SendMessageW(w, SM_SKINCONTROL, 0, 0);
  MessageSpy::Log().clear();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(w, WM_LBUTTONUP, 0, 0);
  EXPECT_TRUE(MessageSpy::Saw(WM_LBUTTONDOWN));
  SendMessageW(w, SM_SKINCONTROL, 1, 0);

  // Two stacked objects unwind in reverse order to the original procedure.
  auto* second = new TSkinButton(frameOwner.get());
  second->AttachHandle(w, data.get(), &list, &canvas);
  EXPECT_NE(ProcOf(w), firstProc);
  delete second;
  EXPECT_EQ(ProcOf(w), firstProc);
  delete first;
  EXPECT_EQ(ProcOf(w), original);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_NE(SendMessageW(w, SM_ISSKINNED, 0, 0), 1);
}

TEST_F(SkinControlsTest, DestroyedWindowIsNotRestoredAndIsFreedByTheList) {
  HWND parent = Parent();
  HWND w = Child(parent, L"BUTTON", BS_PUSHBUTTON, 8);
  dispatcher->SkinChildWindow(w);
  TSkinControl* object = list.FindByHandle(w);
  ASSERT_NE(object, nullptr);
  DestroyWindow(w);
  EXPECT_TRUE(object->Destroyed());
  EXPECT_FALSE(object->Active());
  EXPECT_EQ(frameOwner->ComponentCount(), 1);
  list.FreeDead();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(frameOwner->ComponentCount(), 0);
}

TEST_F(SkinControlsTest, ButtonStateToFramePrecedence) {
  // disabled > pressed > hot > focused or default > normal
  const BYTE hover = TSkinControl::msHover, pressed = TSkinControl::msPressed;
  EXPECT_EQ(ButtonFaceFrame(true, hover | pressed, true), bfDisabled);
  EXPECT_EQ(ButtonFaceFrame(false, hover | pressed, true), bfPressed);
  EXPECT_EQ(ButtonFaceFrame(false, hover, true), bfHot);
  EXPECT_EQ(ButtonFaceFrame(false, 0, true), bfFocused);
  EXPECT_EQ(ButtonFaceFrame(false, 0, false), bfNormal);

  // Painted: a disabled default button shows the disabled frame.
  auto* button = Make<TButton>(10, 10, 100, 30);
  button->SetCaption("");
  auto* def = Make<TButton>(10, 50, 100, 30);
  def->SetCaption("");
  def->SetDefault(true);
  form->Show();
  dispatcher->SkinFormControls(form);
  auto* face = dynamic_cast<TSkinButton*>(list.FindByControl(button));
  auto* defFace = dynamic_cast<TSkinButton*>(list.FindByControl(def));
  ASSERT_TRUE(face && defFace);
  auto centre = [](TSkinButton* b) {
    HDC dc = GetWindowDC(b->Handle());
    b->PaintWindow(dc);
    COLORREF c = GetPixel(dc, 50, 15);
    ReleaseDC(b->Handle(), dc);
    return static_cast<TColor>(c);
  };
  SetFocus(nullptr);
  EXPECT_EQ(centre(face), kFrame[bfNormal - 1]);
  EXPECT_EQ(centre(defFace), kFrame[bfFocused - 1]);
  def->SetEnabled(false);
  EXPECT_EQ(centre(defFace), kFrame[bfDisabled - 1]);
  // Hover and press repaint at once: the window shows them before any other paint.
  SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Now(button->Handle(), 50, 15), kFrame[bfHot - 1]);
  SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Now(button->Handle(), 50, 15), kFrame[bfPressed - 1]);
  EXPECT_EQ(centre(face), kFrame[bfPressed - 1]);
  SendMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(centre(face), kFrame[bfFocused - 1]) << "it took the focus with the press";
}

TEST_F(SkinControlsTest, SkinsLackingTheButtonObjectDrawNothing) {
  auto* button = Make<TButton>(10, 10, 100, 30);
  form->Show();
  dispatcher->SkinFormControls(form);
  auto* face = dynamic_cast<TSkinButton*>(list.FindByControl(button));
  ASSERT_NE(face, nullptr);
  HDC dc = GetWindowDC(face->Handle());
  RECT all{0, 0, 100, 30};
  FillRectColor(dc, all, Rgb(1, 2, 3));
  // No frames, an empty strip, no object at all: nothing is drawn.
  data->Buttons->FrameCount = 0;
  face->PaintWindow(dc);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 50, 15)), Rgb(1, 2, 3));
  data->Buttons->FrameCount = 5;
  data->Buttons->Bitmap->SetSize(0, 0);
  face->PaintWindow(dc);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 50, 15)), Rgb(1, 2, 3));
  data->Buttons.reset();
  face->PaintWindow(dc);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 50, 15)), Rgb(1, 2, 3));
  // An inverted rectangle draws nothing either.
  MakeButtonSkin(*data);
  DrawSkinFrame(dc, RECT{50, 20, 10, 5}, 5, 1, data->Buttons.get());
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 30, 10)), Rgb(1, 2, 3));
  ReleaseDC(face->Handle(), dc);
}

TEST_F(SkinControlsTest, SecondApplyKeepsTheOriginalColour) {
  auto* panel = Make<TPanel>(10, 10, 100, 60);
  panel->SetColor(Rgb(5, 6, 7));
  auto* object = new TSkinButton(panel);  // any family: the colour rule is the base's
  object->AttachControl(&list, data.get(), true, &canvas);
  EXPECT_EQ(panel->GetColor(), kFace);
  object->SkinChanged();
  object->Unskin();
  EXPECT_EQ(panel->GetColor(), Rgb(5, 6, 7));
}

TEST_F(SkinControlsTest, PropertiesByName) {
  auto* button = Make<TButton>(10, 10, 100, 30);
  button->SetCaption("Go");
  EXPECT_EQ(GetTextPropByName(button, "Caption"), L"Go");
  EXPECT_EQ(GetEnumPropByName(button, "Default"), "False");
  SetPropByName(button, "Default", "True");
  EXPECT_TRUE(button->GetDefault());
  SetPropByName(button, "Width", "120");
  EXPECT_EQ(button->GetWidth(), 120);
  SetPropByName(button, "Width", "wide");  // a text the property cannot take
  EXPECT_EQ(button->GetWidth(), 120);
  EXPECT_EQ(GetOrdPropByName(button, "Width"), 120);
  EXPECT_EQ(GetOrdPropByName(button, "NoSuch"), -1);
  EXPECT_EQ(GetOrdPropByName(nullptr, "Width"), -1);
  EXPECT_EQ(GetEnumPropByName(button, "NoSuch"), "");
  EXPECT_EQ(GetTextPropByName(button, "NoSuch"), L"");
  SetPropByName(button, "NoSuch", "1");
  EXPECT_EQ(ReplaceBarsWithNewLine(L"a||b||c", L"||", L"\r\n"), L"a\r\nb||c");
  EXPECT_EQ(ReplaceBarsWithNewLine(L"abc", L"||", L"\r\n"), L"abc");
}

// A bitmap again as RLE8 over its own colours (at most 256 of them): a lossless copy.
std::vector<std::uint8_t> AsRle8(const std::vector<std::uint8_t>& bmp) {
  TImage24 image;
  std::string why;
  if (!DecodeBmpEntry(bmp.data(), bmp.size(), image, why)) return {};
  std::vector<TRgb> colours;
  std::vector<std::vector<std::uint8_t>> rows;
  for (int y = image.Height() - 1; y >= 0; --y) {
    rows.emplace_back();
    for (int x = 0; x < image.Width(); ++x) {
      const TRgb c = image.Pixel(x, y);
      auto at = std::find(colours.begin(), colours.end(), c);
      if (at == colours.end()) at = colours.insert(colours.end(), c);
      rows.back().push_back(static_cast<std::uint8_t>(at - colours.begin()));
    }
  }
  if (colours.size() > 256) return {};
  std::vector<std::uint8_t> table;
  for (TRgb c : colours)
    table.insert(table.end(), {static_cast<std::uint8_t>(RgbBlue(c)), static_cast<std::uint8_t>(RgbGreen(c)),
                               static_cast<std::uint8_t>(RgbRed(c)), 0});
  return RawBmp(image.Width(), image.Height(), 8, 1, static_cast<std::uint32_t>(colours.size()), table,
                RleCode(rows, false));
}

TEST_F(SkinControlsTest, ButtonsOfAnRleImageLookAsTheProgramsOwn) {
  // The program's skin with its button image stored as RLE8, as another tool may write it.
  std::vector<TSkinEntry> entries = EmbeddedSkinEntries();
  TSkinEntry* entry = FindSkinEntry(entries, "button.bmp");
  ASSERT_NE(entry, nullptr);
  entry->bytes = AsRle8(entry->bytes);
  ASSERT_FALSE(entry->bytes.empty());
  TSkinData original(nullptr);
  original.ReadSkinStream(EmbeddedSkinStream());
  data = std::make_unique<TSkinData>(nullptr);
  data->ReadSkinStream(AsSkinStream(PackContainer(entries)));
  ASSERT_TRUE(data->BadImages.empty());
  TBitmap& rle = *data->Buttons->Bitmap;
  TBitmap& own = *original.Buttons->Bitmap;
  ASSERT_EQ(rle.GetWidth(), own.GetWidth());
  ASSERT_EQ(rle.GetHeight(), own.GetHeight());
  for (int y = 0; y < own.GetHeight(); ++y)
    for (int x = 0; x < own.GetWidth(); ++x) ASSERT_EQ(rle.GetPixel(x, y), own.GetPixel(x, y)) << x << "," << y;
  dispatcher = std::make_unique<TSkinDispatcher>(data.get(), &list, &canvas, frameOwner.get());
  form->SetColor(data->Colors[scButtonFace]);
  auto* button = Make<TButton>(20, 20, 110, 32);
  button->SetCaption("RLE8");
  SetCursorPos(0, 0);  // not hot
  form->Show();
  dispatcher->SkinFormControls(form);
  EXPECT_TRUE(ShootForm("skin_buttons_rle.bmp"));
  // The face of the frame its state takes, its rounded corners see-through to the skin's face colour.
  const int frame = button->Focused() ? bfFocused : bfNormal;
  EXPECT_EQ(PixelAt(button->Handle(), 55, 0), StripTopEdge(own, original.Buttons->FrameCount, frame));
  EXPECT_EQ(PixelAt(button->Handle(), 0, 0), data->Colors[scButtonFace]);
}

TEST_F(SkinControlsTest, ScreenshotOfSkinnedButtonsWithTheProgramsSkin) {
  auto stream = EmbeddedSkinStream();
  ASSERT_FALSE(stream.empty());
  data = std::make_unique<TSkinData>(nullptr);
  data->ReadSkinStream(stream);
  ASSERT_TRUE(data->Buttons && data->Buttons->HasImage());
  dispatcher = std::make_unique<TSkinDispatcher>(data.get(), &list, &canvas, frameOwner.get());
  form->SetColor(data->Colors[scButtonFace]);
  auto* a = Make<TButton>(20, 20, 110, 32);
  a->SetCaption("Start");
  auto* b = Make<TButton>(150, 20, 110, 32);
  b->SetCaption("Disabled");
  b->SetEnabled(false);
  auto* c = Make<TButton>(280, 20, 110, 40);
  c->SetCaption("Two||lines");
  c->SetDefault(true);
  form->Show();
  dispatcher->SkinFormControls(form);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_TRUE(ShootForm("skin_buttons.bmp"));
  // The disabled one wears the strip's disabled frame; corners see-through to the skin's face colour.
  TBitmap& strip = *data->Buttons->Bitmap;
  EXPECT_EQ(PixelAt(b->Handle(), 55, 0), StripTopEdge(strip, data->Buttons->FrameCount, bfDisabled));
  EXPECT_EQ(PixelAt(b->Handle(), 0, 0), data->Colors[scButtonFace]);
  EXPECT_EQ(PixelAt(b->Handle(), 109, 31), data->Colors[scButtonFace]);
}

}  // namespace
