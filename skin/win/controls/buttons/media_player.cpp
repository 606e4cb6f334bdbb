#include "skin/win/controls/buttons/media_player.h"

#include <windowsx.h>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "toolkit/base/typeinfo.h"
#include "toolkit/win/bitmap.h"

namespace {

const char* const kButtonNames[TWMediaPlayer::kButtons] = {"MPPLAY", "MPPAUSE", "MPSTOP",   "MPNEXT", "MPPREV",
                                                           "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};
const char* const kButtonTypes[TWMediaPlayer::kButtons] = {"btPlay", "btPause", "btStop",   "btNext", "btPrev",
                                                           "btStep", "btBack",  "btRecord", "btEject"};
const char* const kPrefixes[3] = {"EN", "DI", "CL"};
constexpr TColor kOlive = 0x008080;

// The element named `element` is in the published set `name`; false when
// there is no such set.
bool SetHas(const TObject* instance, const char* name, const std::string& element) {
  const TPropInfo* p = instance ? GetPropInfo(instance, name) : nullptr;
  if (!p || p->Kind != TPropKind::Set) return false;
  const std::int64_t bits = GetOrdProp(*instance, name);
  for (std::size_t i = 0; i < p->EnumNames.size() && i < 64; ++i)
    if (p->EnumNames[i] == element) return (bits >> i) & 1;
  return false;
}

}  // namespace

// --- The panel -------------------------------------------------------------------

const TClassInfo& TWMediaPlayer::StaticClass() {
  static const TClassInfo info = TClassBuilder<TWMediaPlayer>("TWMediaPlayer", &TCustomPanel::StaticClass()).Build();
  return info;
}

std::function<void(TBitmap&, const std::string&)>& TWMediaPlayer::PictureLoader() {
  static std::function<void(TBitmap&, const std::string&)> loader = [](TBitmap& into, const std::string& name) {
    into.LoadFromResourceName(GetModuleHandleW(nullptr), name);
  };
  return loader;
}

TWMediaPlayer::TWMediaPlayer(TComponent* owner) : TCustomPanel(owner) {
  SetBevelOuter(TPanelBevel::bvNone);
  // A missing picture leaves its button without one; skinning goes on.
  for (int i = 0; i < kButtons; ++i)
    for (int k = 0; k < 3; ++k) {
      auto picture = std::make_unique<TBitmap>();
      try {
        PictureLoader()(*picture, std::string(kPrefixes[k]) + "_" + kButtonNames[i]);
        FButtons[i].Pictures[k] = std::move(picture);
      } catch (const std::exception&) {
      }
    }
}

TWMediaPlayer::~TWMediaPlayer() {
  BeginDestroy();
  if (FSkinMP) FSkinMP->FPlayerPanel = nullptr;
}

void TWMediaPlayer::Setup(TSkinMP* skinMP, TControl* mediaPlayer) {
  FMediaPlayer = mediaPlayer;
  FSkinMP = skinMP;
  FSkinData = skinMP->FSkinData;
  if (FSkinData) SetTag(FSkinData->DisableTag);  // the dispatcher leaves the panel alone
  FollowControl(mediaPlayer);
  SetParent(mediaPlayer->Parent());
  BringToFront();
}

void TWMediaPlayer::FollowControl(TControl* mediaPlayer) {
  if (!mediaPlayer) return;
  SetBounds(mediaPlayer->GetLeft(), mediaPlayer->GetTop(), mediaPlayer->GetWidth(), mediaPlayer->GetHeight());
}

void TWMediaPlayer::ReadButtonSets() {
  FVisibleCount = 0;
  for (int i = 0; i < kButtons; ++i) {
    TPlayerButton& b = FButtons[i];
    b.Visible = SetHas(FMediaPlayer, "VisibleButtons", kButtonTypes[i]);
    b.Enabled = SetHas(FMediaPlayer, "EnabledButtons", kButtonTypes[i]);
    b.Colored = SetHas(FMediaPlayer, "ColoredButtons", kButtonTypes[i]);
    if (b.Visible) ++FVisibleCount;
  }
}

int TWMediaPlayer::ButtonAt(int x) const {
  int left = 0;
  for (int i = 0; i < kButtons; ++i) {
    if (!FButtons[i].Visible) continue;
    if (left <= x && x <= left + FButtonWidth) return i;
    left += FButtonWidth;
  }
  return kNoButton;
}

void TWMediaPlayer::PaintWindow(HDC dc) {
  ReadButtonSets();
  const TColor face = FSkinData ? FSkinData->Colors[scButtonFace] : clBtnFace;
  RECT client = ClientRect();
  if (FVisibleCount == 0) {
    FillRectColor(dc, client, face);
    return;
  }
  FButtonWidth = client.right / FVisibleCount;
  TBitmap off;
  off.SetPixelFormat(TPixelFormat::pf24bit);
  off.SetSize(client.right, client.bottom);
  HDC mem = off.CanvasDC();
  FillRectColor(mem, client, face);
  int x = 0;
  for (int i = 0; i < kButtons; ++i) {
    if (!FButtons[i].Visible) continue;
    DrawButton(mem, RECT{x, 0, x + FButtonWidth, client.bottom}, i);
    x += FButtonWidth;
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
}

void TWMediaPlayer::DrawButton(HDC dc, const RECT& r, int index) {
  const TPlayerButton& b = FButtons[index];
  const int picture = !b.Enabled ? ppDisabled : b.Colored ? ppColored : ppEnabled;
  int frame = FMouseDown && index == FPressedButton ? 2 : 1;
  if (!b.Enabled) frame = 3;
  const TDataSkinButton* buttons = FSkinData ? FSkinData->Buttons.get() : nullptr;
  if (buttons && buttons->HasImage() && buttons->FrameCount > 0)
    SkinDrawPart(dc, r, *buttons->Bitmap, buttons->Margins(), frame, buttons->FrameCount, buttons->Trans == 1,
                 buttons->Tile == 1, false);
  TBitmap* p = b.Pictures[picture].get();
  if (!p || p->Empty()) return;
  const int shift = frame == 2 ? 1 : 0;
  const int x = r.left + (r.right - r.left - p->GetWidth()) / 2 + shift;
  const int y = r.top + (r.bottom - r.top - p->GetHeight()) / 2 + shift;
  TransparentBlit(dc, RECT{x, y, x + p->GetWidth(), y + p->GetHeight()}, *p, kOlive);
}

void TWMediaPlayer::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN: {
      FMouseDown = true;
      TCustomPanel::WndProc(m);
      if (FMediaPlayer) FMediaPlayer->Perform(m.Msg, m.WParam, m.LParam);
      ReleaseCapture();
      FHitButton = ButtonAt(LOWORD(m.LParam));
      FPressedButton = FHitButton;
      Invalidate();
      return;
    }
    case WM_LBUTTONUP: {
      FMouseDown = false;
      TCustomPanel::WndProc(m);
      FHitButton = ButtonAt(LOWORD(m.LParam));
      if (FHitButton == FPressedButton && FMediaPlayer) FMediaPlayer->Perform(m.Msg, m.WParam, m.LParam);
      FPressedButton = FHitButton;
      Invalidate();
      return;
    }
    default:
      TCustomPanel::WndProc(m);
  }
}

// --- The skin object ----------------------------------------------------------------

const TClassInfo& TSkinMP::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinMP>("TSkinMP", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinMP::~TSkinMP() { FreePanel(); }

void TSkinMP::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachControl(list, skinData, setColor, canvas);
  if (!FControl || FPlayerPanel) return;
  FPlayerPanel = new TWMediaPlayer(nullptr);
  // Hidden before it gets its parent: an invisible player never shows it.
  FPlayerPanel->SetVisible(FControl->GetVisible());
  FPlayerPanel->Setup(this, FControl);
}

void TSkinMP::Unskin() {
  TSkinControl::Unskin();
  if (!Destroyed()) FreePanel();
}

void TSkinMP::FreePanel() {
  TWMediaPlayer* panel = FPlayerPanel;
  FPlayerPanel = nullptr;
  if (!panel) return;
  panel->FSkinMP = nullptr;
  delete panel;
}

void TSkinMP::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
      if (FPlayerPanel) FPlayerPanel->FollowControl(FControl);
      break;
    case CM_VISIBLECHANGED:
      if (FPlayerPanel && FControl) FPlayerPanel->SetVisible(FControl->GetVisible());
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}
