// The article types in the window: the chooser, the shown rows and the input
// rows under them, their clipboard guards and the run's hint thread. The rules
// are the practice session's; this file mirrors them onto the controls.
#include <richedit.h>

#include <algorithm>
#include <cmath>

#include "practice/main/Unit1.h"
#include "practice/main/hint_threads.h"
#include "practice/main/practice_state.h"
#include "toolkit/base/gbk_wide.h"

TForm1::~TForm1() {
  StopHintThread();
  guardDepth_ = 0;
  RemoveClipboardGuards();  // while the rows and their other layers are whole
}

TEdit* TForm1::InputRow(int row) const {
  TEdit* const rows[] = {nullptr, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7};
  return row >= 1 && row <= kArticleRows ? rows[row] : nullptr;
}

TRichEdit* TForm1::ShownRow(int row) const {
  TRichEdit* const rows[] = {nullptr, RichEdit1, RichEdit2, RichEdit3, RichEdit4, RichEdit5, RichEdit6};
  return row >= 1 && row <= kArticleRows ? rows[row] : nullptr;
}

namespace {
// The chooser's list for practice type `type`: 1 English, 3 pinyin, 4 Wubi, 0 none.
int ArticleKind(int type) { return type == 19 ? 1 : type == 21 ? 3 : type == 22 ? 4 : 0; }
}  // namespace

void TForm1::RadioGroup1Click(TObject* Sender) {
  const int kind = ArticleKind(RadioGroup1->GetItemIndex());
  if (kind) ListArticleFiles(kind);
  ShowArticleChooser(true);
}

// The chooser belongs to the idle screen of a type with article files.
void TForm1::ShowArticleChooser(bool idle) {
  const bool shown = idle && ArticleKind(RadioGroup1->GetItemIndex()) != 0;
  ComboBox1->SetEnabled(shown);
  ComboBox1->SetVisible(shown);
}

void TForm1::ListArticleFiles(int Kind) {
  TArticleList list = ::ListArticleFiles(ProgramFolder(), Kind);
  ComboBox1->Items()->Clear();
  ComboBox1->SetItemIndex(-1);
  if (!list.Prompt.empty()) ComboBox1->SetText(list.Prompt);
  for (const std::string& item : list.Items) ComboBox1->Items()->Add(item);
  Session->SetArticleList(std::move(list));
}

void TForm1::MirrorArticleScreen() {
  const TArticleScreen& a = Session->Screen().Article;
  for (int row = 1; row <= kArticleRows; ++row) {
    ShownRow(row)->SetVisible(a.RowsShown);
    ShownRow(row)->SetEnabled(a.RowsShown);
    TEdit* input = InputRow(row);
    input->SetVisible(a.RowsShown);
    input->SetEnabled(a.RowsShown && row == a.ActiveRow);
    if (input->GetReadOnly() != a.InputsReadOnly) input->SetReadOnly(a.InputsReadOnly);
    input->SetImeMode(a.InputImeOpen ? TImeMode::imOpen : TImeMode::imClose);
  }
  Label16->SetCaption(a.Label16);
  Label16->SetVisible(a.Label16Visible);
  Label16->SetEnabled(a.Label16Visible);
  Label17->SetCaption(a.Label17);
  Label17->SetVisible(a.Label17Visible);
  Label17->SetEnabled(a.Label17Visible);
}

void TForm1::ApplyArticle(const TFeedback& fb) {
  const TArticleEffects& e = fb.Article;
  if (e.InstallGuards) InstallClipboardGuards();
  if (e.ShowPage) ShowArticlePage();
  if (e.ColourRow) ColourRow(e.ColourRow, e.ColourChanges);
  if (e.ErrorSound) PlayErrorSound();
  if (e.FocusRow) InputRow(e.FocusRow)->SetFocus();
  if (!e.ErrorBox.empty()) ShowMessageBox(e.ErrorBox, "错误", MB_OK | MB_ICONERROR);
  switch (e.Hints) {
    case THintCommand::Start: StartHintThread(); break;
    case THintCommand::Pause: if (hintThread_) hintThread_->HandOver.Pause(); break;
    case THintCommand::Continue: if (hintThread_) hintThread_->HandOver.Continue(); break;
    case THintCommand::Stop: StopHintThread(); break;
    case THintCommand::None: break;
  }
  if (e.Offer && hintThread_) hintThread_->HandOver.Offer(e.Request);
  if (e.RemoveGuards) RemoveClipboardGuards();
}

void TForm1::ShowArticlePage() {
  const TArticlePage& page = Session->Page();
  for (int row = 1; row <= kArticleRows; ++row) {
    TRichEdit* shown = ShownRow(row);
    shown->SetLinesList({page.Rows[row]});
    // Never fewer characters than bytes; nothing of the old page's colours.
    shown->SetCharsColor(0, page.RowLengths[row], clHighlight);
    shown->SetCharsBackColor(0, page.RowLengths[row], clNone);
    InputRow(row)->SetMaxLength(TypableLength(page.Rows[row]));
    InputRow(row)->SetText("");
  }
}

// Only the characters whose colour changed: each change lays the row out
// again and draws it. A wrong blank shows on red.
void TForm1::ColourRow(int row, const std::vector<TColourRun>& changes) {
  for (const TColourRun& run : changes) {
    ShownRow(row)->SetCharsColor(run.FirstChar, run.Chars, run.Red ? clRed : clHighlight);
    if (run.Blank) ShownRow(row)->SetCharsBackColor(run.FirstChar, run.Chars, run.Red ? clRed : clNone);
  }
}

namespace {
// Cut, copy and paste as messages, as the edit's context menu, and as the keys
// the edit acts on without those messages (Shift+Insert, Ctrl+Insert,
// Shift+Delete; Ctrl+V, C, X and their control characters).
bool IsClipboardRequest(const TMessage& m) {
  switch (m.Msg) {
    case WM_CUT: case WM_COPY: case WM_PASTE: case WM_CONTEXTMENU:
      return true;
    case WM_KEYDOWN: {
      const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
      switch (m.WParam) {
        case VK_INSERT: return shift || ctrl;
        case VK_DELETE: return shift;
        case 'V': case 'C': case 'X': return ctrl;
        default: return false;
      }
    }
    case WM_CHAR:
      return m.WParam == 0x16 || m.WParam == 0x03 || m.WParam == 0x18;
    default:
      return false;
  }
}
}  // namespace

// Cut, copy and paste never reach an input row during an article run.
// A run that ends inside a row's message (Esc, the article's end) gives the
// procedures back once that message is done, not under the running guard.
void TForm1::ClipboardGuard(int row, TMessage& Message) {
  if (IsClipboardRequest(Message)) return;
  ++guardDepth_;
  try {
    guardLayers_[row].CallPrevious(Message);
  } catch (...) {
    --guardDepth_;
    throw;
  }
  if (--guardDepth_ == 0 && removeGuardsPending_) RemoveClipboardGuards();
}
void TForm1::Edit2ClipboardGuard(TMessage& Message) { ClipboardGuard(1, Message); }
void TForm1::Edit3ClipboardGuard(TMessage& Message) { ClipboardGuard(2, Message); }
void TForm1::Edit4ClipboardGuard(TMessage& Message) { ClipboardGuard(3, Message); }
void TForm1::Edit5ClipboardGuard(TMessage& Message) { ClipboardGuard(4, Message); }
void TForm1::Edit6ClipboardGuard(TMessage& Message) { ClipboardGuard(5, Message); }
void TForm1::Edit7ClipboardGuard(TMessage& Message) { ClipboardGuard(6, Message); }

// Once per run: a second install would save a guard as the row's own procedure.
void TForm1::InstallClipboardGuards() {
  removeGuardsPending_ = false;
  if (guardsInstalled_) return;
  void (TForm1::*const guards[])(TMessage&) = {nullptr, &TForm1::Edit2ClipboardGuard, &TForm1::Edit3ClipboardGuard,
                                               &TForm1::Edit4ClipboardGuard, &TForm1::Edit5ClipboardGuard,
                                               &TForm1::Edit6ClipboardGuard, &TForm1::Edit7ClipboardGuard};
  for (int row = 1; row <= kArticleRows; ++row)
    guardLayers_[row].Install(InputRow(row), [this, guard = guards[row]](TMessage& m) { (this->*guard)(m); });
  guardsInstalled_ = true;
}

void TForm1::RemoveClipboardGuards() {
  if (!guardsInstalled_) return;
  if (guardDepth_ > 0) {
    removeGuardsPending_ = true;
    return;
  }
  removeGuardsPending_ = false;
  for (int row = 1; row <= kArticleRows; ++row) guardLayers_[row].Remove();
  guardsInstalled_ = false;
}

// A thread that cannot be made is told; the run goes on without hints.
void TForm1::StartHintThread() {
  StopHintThread();
  const int type = Session->RunType();
  if (type == 21) {
    TFontStyles style = Label8->GetFont()->GetStyle();
    Label8->GetFont()->SetStyle(style & ~static_cast<TFontStyles>(fsBold));
  }
  try {
    if (type == 21)
      hintThread_.reset(NewThread<TPYThread>(this, Practice.Dictionaries, Session->RunNumber()));
    else
      hintThread_.reset(NewThread<TWBThread>(this, Practice.Dictionaries, Session->RunNumber()));
  } catch (const Exception& e) {
    ShowMessageBox(std::string("创建线程发生错误:") + "\r" + e.Message(), "错误", MB_OK);
  }
}

// Stops the run's thread and waits for it; its synchronised call is served
// meanwhile and drops what it brings.
void TForm1::StopHintThread() { hintThread_.reset(); }

int TForm1::HintThreadState() const { return hintThread_ ? hintThread_->HandOver.State() : kHintNone; }

void TForm1::ShowPinyinHint(int run, const TPinyinHint& hint) { Apply(Session->ShowPinyinHint(run, hint)); }
void TForm1::ShowWubiHint(int run, const TWubiHint& hint) { Apply(Session->ShowWubiHint(run, hint)); }

void TForm1::ArticleKeyUp(int row) { Apply(Session->ArticleKeyUp(row, InputRow(row)->GetText())); }

// The room of a shown row in the layout now: MaxRowLength (86 bytes in a row
// 961 wide, in proportion to a wider one) and the width the rich edit lays
// text out in, measured in the row's own font. A page shown during a run is
// cut again when its rows no longer fit.
void TForm1::UpdateRowRoom() {
  if (!Session) return;
  TRichEdit* shown = ShownRow(1);
  TRowRoom& room = Session->RowRoom;
  room.MaxBytes = static_cast<int>(std::trunc(shown->GetWidth() / 961.0 * 86));
  RECT text{};
  SendMessageW(shown->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  room.Pixels = std::max<int>(1, text.right - text.left);
  if (measuredFont_ != shown->GetFont()->Handle()) {
    measuredFont_ = shown->GetFont()->Handle();
    room.SetMeasure([this](unsigned code) { return RowCharacterWidth(code); });
  }
  if (Session->Screen().Phase != TRunPhase::Idle) Apply(Session->RowRoomChanged());
}

// A character's advance in the shown rows' font; a tab's at most one default
// tab stop (half an inch).
int TForm1::RowCharacterWidth(unsigned code) const {
  TRichEdit* shown = ShownRow(1);
  HDC dc = GetDC(shown->Handle());
  if (!dc) return 0;
  int width = 0;
  if (code == '\t') {
    width = MulDiv(720, GetDeviceCaps(dc, LOGPIXELSX), 1440);
  } else {
    const char bytes[2] = {static_cast<char>(code > 0xFF ? code >> 8 : code), static_cast<char>(code & 0xFF)};
    const std::wstring wide = GbkToWide(std::string(bytes, code > 0xFF ? 2 : 1));
    HGDIOBJ old = SelectObject(dc, shown->GetFont()->Handle());
    SIZE size{};
    if (GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size)) width = size.cx;
    SelectObject(dc, old);
  }
  ReleaseDC(shown->Handle(), dc);
  return width;
}

void TForm1::ArticleKeyDown(int row, WORD& Key, TShiftState Shift) {
  unsigned short key = Key;
  TFeedback fb = Session->ArticleKeyDown(row, key, Shift);
  Key = key;
  Apply(fb);
}

void TForm1::Edit2KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(1); }
void TForm1::Edit3KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(2); }
void TForm1::Edit4KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(3); }
void TForm1::Edit5KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(4); }
void TForm1::Edit6KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(5); }
void TForm1::Edit7KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(6); }
void TForm1::Edit2KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(1, Key, Shift); }
void TForm1::Edit3KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(2, Key, Shift); }
void TForm1::Edit4KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(3, Key, Shift); }
void TForm1::Edit5KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(4, Key, Shift); }
void TForm1::Edit6KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(5, Key, Shift); }
void TForm1::Edit7KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(6, Key, Shift); }
