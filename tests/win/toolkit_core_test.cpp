#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_fixture.h"

namespace {

// A windowed control over the system edit class, as the real edit builds on it.
class TTestEdit : public TWinControl {
  TK_CLASS(TTestEdit)
public:
  explicit TTestEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 100, 24);
  }

protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"EDIT";
    p.Style |= ES_AUTOHSCROLL;
  }
};

const TClassInfo& TTestEdit::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTestEdit>("TTestEdit", &TWinControl::StaticClass()).Creatable().Build();
  return info;
}

class TestLabel : public TGraphicControl {
public:
  explicit TestLabel(TComponent* owner) : TGraphicControl(owner) {}
  int paints = 0;
  void Paint() override {
    ++paints;
    RECT r{0, 0, GetWidth(), GetHeight()};
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect(r);
  }
};

struct AppFixture : FormFixture {
  void SetUp() override {
    FormFixture::SetUp();
    form->SetBounds(10, 10, 400, 300);
    edit = new TTestEdit(form);
    edit->SetName("Edit1");
    edit->SetParent(form);
  }
  TTestEdit* edit = nullptr;
};

TEST_F(AppFixture, WindowProcReplacedAndRestoredInReverseOrder) {
  std::vector<std::string> seen;
  TWndMethod original = edit->WindowProc;
  TWndMethod first = [&, original](TMessage& m) {
    if (m.Msg == WM_USER + 7) seen.push_back("first");
    original(m);
  };
  edit->WindowProc = first;
  TWndMethod second = [&, first](TMessage& m) {
    if (m.Msg == WM_USER + 7) seen.push_back("second");
    first(m);
  };
  edit->WindowProc = second;
  SendMessageW(edit->Handle(), WM_USER + 7, 0, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"second", "first"}));
  edit->WindowProc = first;
  edit->WindowProc = original;
  seen.clear();
  SendMessageW(edit->Handle(), WM_USER + 7, 0, 0);
  EXPECT_TRUE(seen.empty());
}

TEST_F(AppFixture, KeyPreviewSeesKeysFirstAndMaySwallowOrReplace) {
  std::vector<std::string> order;
  form->SetKeyPreview(true);
  form->OnKeyPress = [&](TObject*, char& k) {
    order.push_back(std::string("form:") + k);
    if (k == 'x') k = 0;       // swallowed
    if (k == 'a') k = 'b';     // replaced
  };
  edit->OnKeyPress = [&](TObject*, char& k) { order.push_back(std::string("edit:") + k); };
  form->Show();
  edit->SetFocus();
  ASSERT_EQ(GetFocus(), edit->Handle());
  PressKey(edit->Handle(), 'A');
  PressKey(edit->Handle(), 'X');
  EXPECT_EQ(order, (std::vector<std::string>{"form:a", "edit:b", "form:x"}));
  EXPECT_EQ(edit->GetText(), "b");
}

TEST_F(AppFixture, KeyDownSwallowedByFormNeverReachesControl) {
  int editDowns = 0;
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, WORD& k, TShiftState) {
    if (k == VK_F1) k = 0;
  };
  edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++editDowns; };
  form->Show();
  edit->SetFocus();
  PressKey(edit->Handle(), VK_F1);
  EXPECT_EQ(editDowns, 0);
  PressKey(edit->Handle(), VK_F2);
  EXPECT_EQ(editDowns, 1);
  // Sent straight to the window (not through the loop), the events still run once.
  SendMessageW(edit->Handle(), WM_KEYDOWN, VK_F3, 1);
  EXPECT_EQ(editDowns, 2);
}

TEST_F(AppFixture, SetFocusIsQuietOnHiddenOrDisabledControls) {
  form->Show();
  edit->SetVisible(false);
  EXPECT_NO_THROW(edit->SetFocus());
  EXPECT_NE(GetFocus(), edit->HandleOrNull());
  edit->SetVisible(true);
  edit->SetEnabled(false);
  EXPECT_NO_THROW(edit->SetFocus());
  EXPECT_NE(GetFocus(), edit->HandleOrNull());
  EXPECT_TRUE(reports.empty());
}

// Windows are made when they are needed: the form's when it is first shown,
// with those of its shown children; a hidden child's when it is first shown
// (in its tab-order place) or first used.
TEST_F(AppFixture, HiddenControlsGetTheirWindowsWhenShownOrUsed) {
  auto* hidden = new TTestEdit(form);
  hidden->SetParent(form);
  hidden->SetVisible(false);
  auto* last = new TTestEdit(form);
  last->SetParent(form);
  auto* used = new TTestEdit(form);
  used->SetParent(form);
  used->SetVisible(false);
  EXPECT_FALSE(form->HandleAllocated());

  form->Show();
  EXPECT_TRUE(edit->HandleAllocated());
  EXPECT_TRUE(last->HandleAllocated());
  EXPECT_FALSE(hidden->HandleAllocated());
  EXPECT_FALSE(used->HandleAllocated());

  hidden->SetText("later");
  hidden->SetVisible(true);
  ASSERT_TRUE(hidden->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(hidden->HandleOrNull()));
  EXPECT_EQ(GetParent(hidden->HandleOrNull()), form->HandleOrNull());
  EXPECT_EQ(hidden->GetText(), "later");
  // Between the controls before and after it in the tab order.
  EXPECT_EQ(GetWindow(edit->HandleOrNull(), GW_HWNDNEXT), hidden->HandleOrNull());
  EXPECT_EQ(GetWindow(hidden->HandleOrNull(), GW_HWNDNEXT), last->HandleOrNull());

  HWND w = used->Handle();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_EQ(GetWindow(last->HandleOrNull(), GW_HWNDNEXT), w);
  EXPECT_TRUE(reports.empty());
}

// The client size set before the window exists is the one it gets, whatever
// border the form has by then.
TEST_F(AppFixture, ClientSizeBeforeTheWindowExists) {
  form->SetClientWidth(300);
  form->SetClientHeight(200);
  form->SetBorderStyle(TFormBorderStyle::bsSingle);
  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(form->ClientHeight(), 200);
  ASSERT_FALSE(form->HandleAllocated());
  form->Show();
  RECT r;
  GetClientRect(form->Handle(), &r);
  EXPECT_EQ(r.right, 300);
  EXPECT_EQ(r.bottom, 200);
}

TEST_F(AppFixture, PropertiesByNameReachToolkitControls) {
  EXPECT_TRUE(IsPublishedProp(edit, "caption"));
  EXPECT_FALSE(IsPublishedProp(edit, "Glyph"));
  SetStrProp(*edit, "Text", "你好");
  EXPECT_EQ(edit->GetText(), "你好");
  edit->Handle();
  EXPECT_EQ(GetStrProp(*edit, "Caption"), "你好");
  wchar_t w[16] = {};
  GetWindowTextW(edit->Handle(), w, 16);
  EXPECT_EQ(std::wstring(w), L"\x4F60\x597D");
  SetOrdProp(*edit, "Left", 33);
  EXPECT_EQ(edit->GetLeft(), 33);
  auto* font = dynamic_cast<TFont*>(GetObjectProp(*edit, "Font"));
  ASSERT_NE(font, nullptr);
  SetOrdProp(*font, "Style", fsBold);
  EXPECT_EQ(edit->GetFont()->GetStyle(), static_cast<unsigned>(fsBold));
  EXPECT_FALSE(edit->GetParentFont());
  EXPECT_THROW(SetOrdProp(*edit, "NoSuch", 1), EPropertyError);
}

TEST_F(AppFixture, ControlObjectFoundFromItsWindowOnly) {
  HWND w = edit->Handle();
  EXPECT_EQ(TWinControl::FindControl(w), edit);
  EXPECT_EQ(TWinControl::FindControl(GetDesktopWindow()), nullptr);
  delete edit;
  edit = nullptr;
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(AppFixture, WindowlessChildrenPaintIntoTheParentsDc) {
  auto* label = new TestLabel(form);
  label->SetParent(form);
  label->SetBounds(50, 60, 20, 10);
  form->Show();
  UpdateWindow(form->Handle());
  EXPECT_GE(label->paints, 1);
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateBitmap(400, 300, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(mem, bmp);
  form->PaintControls(mem);
  EXPECT_EQ(GetPixel(mem, 55, 65), RGB(255, 0, 0));
  EXPECT_NE(GetPixel(mem, 45, 65), RGB(255, 0, 0));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
}

TEST_F(AppFixture, OwnerDeletesChildrenAndComponentsSafely) {
  auto* inner = new TTestEdit(form);
  inner->SetParent(form);
  auto* label = new TestLabel(Application);  // owned elsewhere, parented here
  label->SetParent(form);
  form->Show();
  delete form;
  form = nullptr;
  // The label went with its parent and left its owner's list.
  for (int i = 0; i < Application->ComponentCount(); ++i) EXPECT_NE(Application->Components(i), label);
}

TEST_F(AppFixture, ExceptionsInHandlersGoToTheErrorReport) {
  form->Show();
  edit->OnKeyPress = [](TObject*, char&) { throw Exception("boom"); };
  edit->SetFocus();
  PressKey(edit->Handle(), 'Q');
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], "boom");
}

}  // namespace
