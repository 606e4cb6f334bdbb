// The article types in the window: the chooser, the shown rows and the input
// rows under them, their clipboard guards and the run's hint thread. The rules
// are the practice session's; this file mirrors them onto the controls.
#include <richedit.h>

#include "practice/main/Unit1.h"
#include "practice/main/hint_threads.h"
#include "practice/main/practice_state.h"

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

void TForm1::RadioGroup1Click(TObject* Sender) {
  const int type = RadioGroup1->GetItemIndex();
  const int kind = type == 19 ? 1 : type == 21 ? 3 : type == 22 ? 4 : 0;
  if (kind) ListArticleFiles(kind);
  ComboBox1->SetEnabled(kind != 0);
  ComboBox1->SetVisible(kind != 0);
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
    shown->SetSelStart(0);
    shown->SetSelLength(page.RowLengths[row]);
    shown->SelAttributes()->SetColor(clHighlight);
    shown->SetSelLength(0);
    InputRow(row)->SetMaxLength(page.RowLengths[row]);
    InputRow(row)->SetText("");
  }
}

// Straight to the control, by character: each selection or format change
// lays the row out again and draws what changed, so there are as few as can
// be. The selection stays unseen (the row never has the focus).
void TForm1::ColourRow(int row, const std::vector<TColourRun>& changes) {
  if (changes.empty()) return;
  HWND w = ShownRow(row)->Handle();
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_COLOR;
  for (const TColourRun& run : changes) {
    CHARRANGE range{run.FirstChar, run.FirstChar + run.Chars};
    SendMessageW(w, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    cf.crTextColor = ColorToRGB(run.Red ? clRed : clHighlight);
    SendMessageW(w, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  }
}

// Cut, copy and paste never reach an input row during an article run.
// A run that ends inside a row's message (Esc, the article's end) gives the
// procedures back once that message is done, not under the running guard.
void TForm1::ClipboardGuard(int row, TMessage& Message) {
  if (Message.Msg == WM_CUT || Message.Msg == WM_COPY || Message.Msg == WM_PASTE) return;
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

void TForm1::ArticleKeyUp(int row, WORD& Key) {
  Session->MaxRowLength = Practice.MaxRowLength;
  Apply(Session->ArticleKeyUp(row, InputRow(row)->GetText()));
}

void TForm1::ArticleKeyDown(int row, WORD& Key, TShiftState Shift) {
  unsigned short key = Key;
  TFeedback fb = Session->ArticleKeyDown(row, key, Shift);
  Key = key;
  Apply(fb);
}

void TForm1::Edit2KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(1, Key); }
void TForm1::Edit3KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(2, Key); }
void TForm1::Edit4KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(3, Key); }
void TForm1::Edit5KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(4, Key); }
void TForm1::Edit6KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(5, Key); }
void TForm1::Edit7KeyUp(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyUp(6, Key); }
void TForm1::Edit2KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(1, Key, Shift); }
void TForm1::Edit3KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(2, Key, Shift); }
void TForm1::Edit4KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(3, Key, Shift); }
void TForm1::Edit5KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(4, Key, Shift); }
void TForm1::Edit6KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(5, Key, Shift); }
void TForm1::Edit7KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) { ArticleKeyDown(6, Key, Shift); }
