// Taking over a control's messages and giving them back: WindowProc layers,
// window subclassing, object-instance lifetimes, and what a form offers to
// code that draws it (menu, menu font, icon).
#include <memory>
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/object_instance.h"
#include "toolkit/win/window_subclass.h"

namespace {

constexpr UINT kProbe = WM_USER + 9;

struct HooksTest : ControlsFixture {
  std::vector<std::string> seen;
  // A layer that notes the probe message and hands everything on.
  void Put(TWindowProcLayer& layer, TControl* c, const std::string& name) {
    layer.Install(c, [this, &layer, name](TMessage& m) {
      if (m.Msg == kProbe) seen.push_back(name);
      layer.CallPrevious(m);
    });
  }
  std::vector<std::string> Probe(TControl* c) {
    seen.clear();
    c->Perform(kProbe);
    return seen;
  }
  using Names = std::vector<std::string>;
};

TEST_F(HooksTest, WindowProcLayersComeOffInAnyOrder) {
  TWndMethod base = form->WindowProc;
  form->WindowProc = [this, base](TMessage& m) {
    if (m.Msg == kProbe) seen.push_back("form");
    base(m);
  };
  TWindowProcLayer a, b, c, d;
  Put(a, form, "a");
  Put(b, form, "b");
  Put(c, form, "c");
  EXPECT_EQ(Probe(form), (Names{"c", "b", "a", "form"}));
  // In order.
  c.Remove();
  EXPECT_EQ(Probe(form), (Names{"b", "a", "form"}));
  b.Remove();
  a.Remove();
  EXPECT_EQ(Probe(form), (Names{"form"}));
  EXPECT_FALSE(a.Installed());
  // Out of order: the middle one, then the bottom one, then a new one on top.
  Put(a, form, "a");
  Put(b, form, "b");
  Put(c, form, "c");
  b.Remove();
  EXPECT_EQ(Probe(form), (Names{"c", "a", "form"}));
  a.Remove();
  EXPECT_EQ(Probe(form), (Names{"c", "form"}));
  Put(d, form, "d");
  c.Remove();
  EXPECT_EQ(Probe(form), (Names{"d", "form"}));
  // The window's own messages take the same road.
  seen.clear();
  SendMessageW(form->Handle(), kProbe, 0, 0);
  EXPECT_EQ(seen, (Names{"d", "form"}));
  d.Remove();
  d.Remove();
  EXPECT_EQ(Probe(form), (Names{"form"}));
  // The form still works underneath.
  SetWindowTextW(form->Handle(), kWubiWide.c_str());
  EXPECT_EQ(form->GetCaption(), "五笔打字");
}

TEST_F(HooksTest, ALayerTakenOffInItsHandlerFinishesTheMessage) {
  TWindowProcLayer a, self;
  Put(a, form, "a");
  self.Install(form, [&](TMessage& m) {
    if (m.Msg == kProbe) {
      seen.push_back("self");
      self.Remove();
    }
    self.CallPrevious(m);
  });
  EXPECT_EQ(Probe(form), (Names{"self", "a"}));
  EXPECT_EQ(Probe(form), (Names{"a"}));
  // Under a plain assignment of WindowProc a layer cannot be unlinked: it stays
  // in the chain and hands every message on.
  TWindowProcLayer b;
  Put(b, form, "b");
  TWndMethod below = form->WindowProc;
  form->WindowProc = [this, below](TMessage& m) {
    if (m.Msg == kProbe) seen.push_back("plain");
    below(m);
  };
  b.Remove();
  EXPECT_FALSE(b.Installed());
  EXPECT_EQ(Probe(form), (Names{"plain", "a"}));
}

TEST_F(HooksTest, ALayerOutlivingItsControlIsOff) {
  auto* edit = Make<TEdit>(10, 10, 100, 24);
  auto layer = std::make_unique<TWindowProcLayer>();
  Put(*layer, edit, "edit");
  EXPECT_EQ(Probe(edit), (Names{"edit"}));
  delete edit;
  EXPECT_FALSE(layer->Installed());
  EXPECT_EQ(layer->Control(), nullptr);
  layer.reset();
}

// A stand-in for a skin object: it changes its owner's colour and message
// method and gives both back when it goes. It notes which part of its owner is
// still there (the class a virtual call reaches) and whether the window is.
class TDecorator : public TComponent {
public:
  TDecorator(TWinControl* owner, std::vector<std::string>& log) : TComponent(owner), log_(log) {
    oldColor_ = owner->GetColor();
    owner->SetColor(clTeal);
    layer_.Install(owner, [this](TMessage& m) { layer_.CallPrevious(m); });
  }
  ~TDecorator() override {
    auto* c = dynamic_cast<TWinControl*>(Owner());
    if (!c) {
      log_.push_back("owner gone");
      return;
    }
    log_.push_back(c->GetName() + ":" + c->ClassName() + (IsWindow(c->HandleOrNull()) ? ":window" : ":no window"));
    c->SetColor(oldColor_);
    layer_.Remove();
  }

private:
  std::vector<std::string>& log_;
  TColor oldColor_;
  TWindowProcLayer layer_;
};

TEST_F(HooksTest, OwnedComponentsGoWhileTheirOwnerIsWhole) {
  form->SetName("Form");
  auto* edit = Make<TEdit>(10, 10, 100, 24);
  edit->SetName("Edit");
  std::vector<std::string> log;
  new TDecorator(form, log);
  new TDecorator(edit, log);
  form->Show();
  EXPECT_EQ(form->GetColor(), clTeal);
  delete form;
  form = nullptr;
  EXPECT_EQ(log, (Names{"Form:TCustomForm:window", "Edit:TWinControl:window"}));
}

TEST_F(HooksTest, RecreatingAWindowIsAnnouncedWhileTheOldOneExists) {
  auto* edit = Make<TEdit>(10, 10, 100, 24);
  edit->SetText("五笔");
  HWND old = edit->Handle();
  HWND during = nullptr, after = nullptr;
  TWindowProcLayer layer;
  layer.Install(edit, [&](TMessage& m) {
    if (m.Msg == CM_RECREATEWND) during = IsWindow(old) ? edit->HandleOrNull() : nullptr;
    layer.CallPrevious(m);
    if (m.Msg == CM_RECREATEWND) after = edit->HandleOrNull();
  });
  edit->RecreateWnd();
  EXPECT_EQ(during, old);
  EXPECT_FALSE(IsWindow(old));
  ASSERT_TRUE(IsWindow(after));
  EXPECT_EQ(after, edit->HandleOrNull());
  EXPECT_EQ(WindowText(after), L"\x4E94\x7B14");
  EXPECT_EQ(TWinControl::FindControl(after), edit);
}

// The toolkit's windows are Unicode; another subclass of one hands it wide
// text through the W forms and gets the program's GBK text back.
TEST_F(HooksTest, WindowsAreUnicodeAndTakeASubclass) {
  auto* edit = Make<TEdit>(10, 10, 100, 24);
  HWND w = edit->Handle();
  EXPECT_TRUE(IsWindowUnicode(form->Handle()));
  EXPECT_TRUE(IsWindowUnicode(w));
  WNDPROC toolkit = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC));
  TWindowSubclass sub;
  int texts = 0;
  ASSERT_TRUE(sub.Attach(w, [&](TMessage& m) {
    if (m.Msg == WM_SETTEXT) ++texts;
    sub.CallPrevious(m);
  }));
  EXPECT_FALSE(sub.Attach(w, [](TMessage&) {}));
  EXPECT_EQ(sub.Previous(), toolkit);
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(sub.Procedure()));
  SetWindowTextW(w, kWubiWide.c_str());
  EXPECT_EQ(texts, 1);
  EXPECT_EQ(edit->GetText(), "五笔打字");
  edit->SetText("字根");
  EXPECT_EQ(texts, 2);
  wchar_t buf[16] = {};
  SendMessageW(w, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(buf));
  EXPECT_EQ(std::wstring(buf), L"\x5B57\x6839");
  sub.Detach();
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(toolkit));
  SetWindowTextW(w, L"x");
  EXPECT_EQ(texts, 2);
}

// A subclass taken off while another sits on top of it stays in the chain and
// passes messages on, so the upper one never calls a freed procedure.
TEST_F(HooksTest, ASubclassUnderAnotherStaysAsAPassThrough) {
  auto* edit = Make<TEdit>(10, 10, 100, 24);
  HWND w = edit->Handle();
  TWindowSubclass lower, upper;
  int lowerSeen = 0, upperSeen = 0;
  lower.Attach(w, [&](TMessage& m) {
    if (m.Msg == kProbe) ++lowerSeen;
    lower.CallPrevious(m);
  });
  upper.Attach(w, [&](TMessage& m) {
    if (m.Msg == kProbe) ++upperSeen;
    upper.CallPrevious(m);
  });
  EXPECT_EQ(upper.Previous(), lower.Procedure());
  lower.Detach();
  EXPECT_FALSE(lower.Attached());
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(upper.Procedure()));
  SendMessageW(w, kProbe, 0, 0);
  EXPECT_EQ(upperSeen, 1);
  EXPECT_EQ(lowerSeen, 0);
  upper.Detach();
  SendMessageW(w, kProbe, 0, 0);
  SetWindowTextW(w, kWubiWide.c_str());
  EXPECT_EQ(edit->GetText(), "五笔打字");
  EXPECT_EQ(upperSeen + lowerSeen, 1);
  delete edit;  // the pass-through goes with the window
  EXPECT_FALSE(IsWindow(w));
}

// Nothing is restored on a window past WM_NCDESTROY, also when the subclass
// comes off from inside that message.
TEST_F(HooksTest, ASubclassSeesTheWindowGoAndRestoresNothing) {
  auto* edit = Make<TEdit>(10, 10, 100, 24);
  HWND w = edit->Handle();
  TWindowSubclass inner, outer;
  bool innerAfter = false;
  inner.Attach(w, [&](TMessage& m) { inner.CallPrevious(m); });
  outer.Attach(w, [&](TMessage& m) {
    if (m.Msg == WM_NCDESTROY) {
      outer.Detach();
      outer.CallPrevious(m);
      innerAfter = inner.WindowDestroyed();
      return;
    }
    outer.CallPrevious(m);
  });
  delete edit;
  EXPECT_TRUE(innerAfter);
  EXPECT_TRUE(outer.WindowDestroyed());
  EXPECT_FALSE(outer.Attached());
  EXPECT_TRUE(inner.Attached());
  inner.Detach();
  EXPECT_FALSE(inner.Attach(w, [](TMessage&) {}));
}

TEST_F(HooksTest, AnInstanceFreedWhileItRunsLastsUntilTheCallReturns) {
  auto sentinel = std::make_shared<int>(0);
  long during = 0;
  WNDPROC proc = nullptr;
  proc = MakeObjectInstance([sentinel, &proc, &during](TMessage& m) {
    FreeObjectInstance(proc);
    during = sentinel.use_count();  // the method and what it holds are still here
    m.Result = 42;
  });
  EXPECT_EQ(sentinel.use_count(), 2);
  EXPECT_EQ(proc(nullptr, kProbe, 0, 0), 42);
  EXPECT_EQ(during, 2);
  EXPECT_EQ(sentinel.use_count(), 1);
}

TEST_F(HooksTest, FormTellsItsMainMenuAndTheScreenItsMenuFont) {
  EXPECT_EQ(form->Menu(), nullptr);
  auto* menu = new TMainMenu(form);
  auto* item = new TMenuItem(form);
  item->SetCaption("文件(&F)");
  item->SetParentComponent(menu);
  HWND w = form->Handle();
  menu->AttachTo(form);
  EXPECT_EQ(form->Menu(), menu);
  form->SetMenu(nullptr);
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(w), nullptr);
  form->SetMenu(menu);
  EXPECT_EQ(GetMenu(w), menu->Handle());
  auto* other = new TMainMenu(form);
  form->SetMenu(other);
  EXPECT_EQ(form->Menu(), other);
  EXPECT_EQ(menu->Form(), nullptr);
  delete other;
  EXPECT_EQ(form->Menu(), nullptr);

  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
  TFont* f = Screen->MenuFont();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(Screen->MenuFont(), f);
  EXPECT_EQ(GbkToWide(f->GetName()), std::wstring(ncm.lfMenuFont.lfFaceName));
  EXPECT_EQ(f->GetHeight(), ncm.lfMenuFont.lfHeight);
  EXPECT_EQ((f->GetStyle() & fsBold) != 0, ncm.lfMenuFont.lfWeight >= FW_BOLD);
  LOGFONTW made{};
  ASSERT_TRUE(GetObjectW(f->Handle(), sizeof made, &made));
  EXPECT_EQ(std::wstring(made.lfFaceName), std::wstring(ncm.lfMenuFont.lfFaceName));
  EXPECT_EQ(made.lfHeight, ncm.lfMenuFont.lfHeight);
}

TEST_F(HooksTest, TheApplicationWindowCarriesTheProgramIcon) {
  HWND app = Application->Handle();
  ASSERT_TRUE(IsWindow(app));
  HICON big = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
  HICON small = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
  EXPECT_NE(big, nullptr);
  EXPECT_EQ(big, ProgramIcon(false));
  EXPECT_EQ(small, ProgramIcon(true));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(small, &info));
  BITMAP bm{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXSMICON));
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

}  // namespace
