// Window layout, the full-screen switch, the pop-up menus and the help files.
#include <algorithm>
#include <cmath>

#include "practice/main/Unit1.h"
#include "practice/main/Unit2.h"
#include "practice/main/practice_state.h"

namespace {
const char* const UpdatePageAddress = "https://tapmira.org/update/";

// The shell's "open"; what it cannot open is named to the learner.
void OpenOrTell(const std::string& target) {
  if (!ShellOpen(target)) ShowMessageBox("无法打开“" + target + "”。", "提示", MB_OK | MB_ICONINFORMATION);
}
}  // namespace

void TForm1::Button6Click(TObject* Sender) {
  BringToForeground();
  if (RadioGroup1->GetItemIndex() > 2) Edit1->SetFocus();
  else SetKeyPreview(true);
  if (Button6->GetCaption() == "全屏") {
    PostMessageW(Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Button6->SetCaption("窗口");
  } else if (Button6->GetCaption() == "窗口") {
    PostMessageW(Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Button6->SetCaption("全屏");
  }
}

void TForm1::SysCommandHandler(TMessage& Message) {
  if (Message.WParam == SC_MAXIMIZE && !IsZoomed(Handle())) GetWindowRect(Handle(), &windowPlace_);
  TForm::WndProc(Message);
  if (Message.WParam == SC_RESTORE) ApplyWindowLayout();
  else if (Message.WParam == SC_MAXIMIZE) ApplyFullScreenLayout();
}

void TForm1::ApplyWindowLayout() {
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBounds(GetLeft(), GetTop(), 977, 559);
  TLabel* big[] = {Label1, Label2, Label3, Label4};
  TLabel* hints[] = {Label11, Label12, Label13, Label14};
  const int bigLeft[] = {23, 258, 503, 741}, hintLeft[] = {43, 278, 523, 761};
  for (int i = 0; i < 4; ++i) {
    big[i]->SetBounds(bigLeft[i], 199, big[i]->GetWidth(), big[i]->GetHeight());
    big[i]->GetFont()->SetSize(150);
    hints[i]->SetBounds(hintLeft[i], 128, hints[i]->GetWidth(), hints[i]->GetHeight());
    hints[i]->GetFont()->SetSize(48);
  }
  auto place = [](TControl* c, int left, int top) { c->SetBounds(left, top, c->GetWidth(), c->GetHeight()); };
  place(Label5, 7, 475);
  place(Image1, 96, 457);
  place(Button1, 324, 471);
  place(Edit1, 411, 463);
  place(Button2, 551, 468);
  place(Button6, 635, 468);
  place(Button4, 718, 468);
  place(Button5, 800, 468);
  place(Label8, 136, 472);
  place(Label16, 315, 472);
  place(Label7, 10, 7);
  Label6->SetBounds(560, 4, 400, 59);
  place(Label9, 600, 99);
  place(Label15, 888, 192);
  if (Session) Session->SetGameStartLeft(GameStartLeftFor(Label15->GetLeft()));
  place(ComboBox1, 562, 41);
  TRichEdit* rows[] = {RichEdit1, RichEdit2, RichEdit3, RichEdit4, RichEdit5, RichEdit6};
  TEdit* inputs[] = {Edit2, Edit3, Edit4, Edit5, Edit6, Edit7};
  const int rowTop[] = {70, 128, 192, 257, 321, 384}, inputTop[] = {99, 158, 222, 286, 350, 414};
  for (int i = 0; i < 6; ++i) {
    rows[i]->SetBounds(0, rowTop[i], 961, rows[i]->GetHeight());
    rows[i]->SetMaxLength(100);
    inputs[i]->SetBounds(0, inputTop[i], 961, inputs[i]->GetHeight());
  }
  UpdateRowRoom();
  Button6->SetCaption("全屏");
  // Back from full screen the window returns exactly to its place and size (977 x 559
  // where the system's frame is the designed one); otherwise it is centred.
  if (windowPlace_.right > windowPlace_.left) {
    const RECT& r = windowPlace_;
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    windowPlace_ = RECT{};
  } else {
    Centre(nullptr);
  }
}

void TForm1::ApplyFullScreenLayout() {
  SetBorderStyle(TFormBorderStyle::bsNone);
  // Exactly the monitor the window is on, frame and all.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& m = monitor.rcMonitor;
    SetBounds(m.left, m.top, m.right - m.left, m.bottom - m.top);
  }
  const int W = ClientWidth(), H = ClientHeight();
  const int w = static_cast<int>(std::trunc(W / 4.75));
  const int c = static_cast<int>(Round(w * 0.75));
  const int d = c / 5;
  TLabel* big[] = {Label1, Label2, Label3, Label4};
  TLabel* hints[] = {Label11, Label12, Label13, Label14};
  for (int i = 0; i < 4; ++i) {
    big[i]->SetBounds(i * w + (i + 1) * d, (H - w) / 2, big[i]->GetWidth(), big[i]->GetHeight());
    big[i]->GetFont()->SetSize(c);
    hints[i]->SetBounds(big[i]->GetLeft() + 20, big[i]->GetTop() - (c / 132) * 100, hints[i]->GetWidth(),
                        hints[i]->GetHeight());
    hints[i]->GetFont()->SetSize(static_cast<int>(Round(c / 2.5)));
  }
  const int o = (W - 961) / 2;
  auto bottom = [&](TControl* ctl, int left, int gap) { ctl->SetBounds(o + left, H - ctl->GetHeight() - gap, ctl->GetWidth(), ctl->GetHeight()); };
  bottom(Label5, 7, 25);
  bottom(Label8, 136, 25);
  bottom(Label16, 315, 25);
  bottom(Image1, 96, 22);
  bottom(Button1, 324, 23);
  bottom(Button2, 551, 23);
  bottom(Button6, 635, 23);
  bottom(Button4, 718, 23);
  bottom(Button5, 800, 23);
  bottom(Edit1, 411, 14);
  Label6->SetBounds(W - 403, Label6->GetTop(), 400, 59);
  Label15->SetBounds(W - 73, Label15->GetTop(), Label15->GetWidth(), Label15->GetHeight());
  if (Session) Session->SetGameStartLeft(GameStartLeftFor(Label15->GetLeft()));
  TRichEdit* rows[] = {RichEdit1, RichEdit2, RichEdit3, RichEdit4, RichEdit5, RichEdit6};
  TEdit* inputs[] = {Edit2, Edit3, Edit4, Edit5, Edit6, Edit7};
  const int rowTop[] = {70, 128, 192, 257, 321, 384}, inputTop[] = {99, 158, 222, 286, 350, 414};
  const int maxChars = static_cast<int>(std::trunc(W / 961.0 * 100));
  for (int i = 0; i < 6; ++i) {
    rows[i]->SetBounds(0, rowTop[i], W, rows[i]->GetHeight());
    rows[i]->SetMaxLength(maxChars);
    inputs[i]->SetBounds(0, inputTop[i], W, inputs[i]->GetHeight());
  }
  UpdateRowRoom();
  Button6->SetCaption("窗口");
}

// The layout's place, or further left where the widest symbol of the games
// would pass the window's right edge there: every symbol starts whole.
int TForm1::GameStartLeftFor(int left) const {
  int widest = 0;
  for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"))
    widest = std::max(widest, Label15->AutoWidthOf(std::string(1, c)));
  return std::min(left, ClientWidth() - widest);
}

void TForm1::Button4Click(TObject* Sender) {
  POINT p;
  GetCursorPos(&p);
  PopupMenu2->Popup(p.x, p.y);
}

void TForm1::Button5Click(TObject* Sender) {
  POINT p;
  GetCursorPos(&p);
  PopupMenu1->Popup(p.x, p.y);
}

void TForm1::N1Click(TObject* Sender) { OpenOrTell(UpdatePageAddress); }

void TForm1::N2Click(TObject* Sender) { CreateFormObject<TForm2>(Application)->Show(); }

void TForm1::OpenHelpFile(const std::string& name) { OpenOrTell(ProgramFolder() + name); }
void TForm1::N3Click(TObject* Sender) { OpenHelpFile("标准键盘键位图.jpg"); }
void TForm1::N4Click(TObject* Sender) { OpenHelpFile("数字键盘指法图.jpg"); }
void TForm1::N861Click(TObject* Sender) { OpenHelpFile("五笔字根图86版.jpg"); }
void TForm1::N5Click(TObject* Sender) { OpenHelpFile("五笔打字教程.doc"); }
void TForm1::N6Click(TObject* Sender) { OpenHelpFile("Tapmira2020使用演示.mp4"); }

void TForm1::N9Click(TObject* Sender) { Close(); }
