#include "toolkit/win/edit.h"

#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/text_positions.h"

const TClassInfo& TCustomEdit::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomEdit>("TCustomEdit", &TWinControl::StaticClass())
          .Prop("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength)
          .Enum("BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle, {"bsNone", "bsSingle"})
          .Prop("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly)
          .Prop("SelStart", &TCustomEdit::GetSelStart, &TCustomEdit::SetSelStart)
          .Prop("SelLength", &TCustomEdit::GetSelLength, &TCustomEdit::SetSelLength)
          .Prop("SelText", &TCustomEdit::GetSelText, &TCustomEdit::SetSelText)
          .Event("OnChange", &TCustomEdit::OnChange)
          .Build();
  return info;
}

const TClassInfo& TEdit::StaticClass() {
  static const TClassInfo info = TClassBuilder<TEdit>("TEdit", &TCustomEdit::StaticClass()).Creatable().Build();
  return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"EDIT";
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (readOnly_) p.Style |= ES_READONLY;
  if (borderStyle_ == TBorderStyle::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::InitializeWindow() {
  lastGood_ = GbkToWide(text_);
  int s = selStart_, l = selLength_;
  selStartChar_ = -1;
  SetSelStart(s);
  SetSelLength(l);
}

void TCustomEdit::SetText(const std::string& text) {
  codeChange_ = true;
  struct Reset { bool& f; ~Reset() { f = false; } } reset{codeChange_};
  TWinControl::SetText(text);
  if (HandleAllocated()) lastGood_ = GbkToWide(GetText());
}

void TCustomEdit::SetMaxLength(int v) {
  maxLength_ = v < 0 ? 0 : v;
  MaxLengthChanged();
}

void TCustomEdit::ApplyBorder() {
  HWND w = HandleOrNull();
  if (!w) return;
  LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
  if (borderStyle_ == TBorderStyle::bsSingle) ex |= WS_EX_CLIENTEDGE;
  else ex &= ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
  SetWindowLongPtrW(w, GWL_EXSTYLE, ex);
  SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomEdit::SetBorderStyle(TBorderStyle s) {
  if (s == borderStyle_) return;
  borderStyle_ = s;
  ApplyBorder();
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (HWND w = HandleOrNull()) SendMessageW(w, EM_SETREADONLY, v, 0);
}

std::wstring TCustomEdit::PositionText() const { return GbkToWide(GetText()); }

void TCustomEdit::GetSelChars(int& start, int& end) const {
  DWORD s = 0, e = 0;
  SendMessageW(HandleOrNull(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<int>(s);
  end = static_cast<int>(e);
}

void TCustomEdit::SetSelChars(int start, int end) { SendMessageW(Handle(), EM_SETSEL, start, end); }

int TCustomEdit::GetSelStart() const {
  if (!HandleAllocated()) return selStart_;
  int s, e;
  GetSelChars(s, e);
  return BytesAtChar(GbkOffsets(PositionText(), IsParagraphCrLf()), s);
}

int TCustomEdit::GetSelLength() const {
  if (!HandleAllocated()) return selLength_;
  int s, e;
  GetSelChars(s, e);
  auto offsets = GbkOffsets(PositionText(), IsParagraphCrLf());
  return BytesAtChar(offsets, e) - BytesAtChar(offsets, s);
}

// A byte inside a double-byte character selects from that character's start.
void TCustomEdit::SetSelStart(int bytes) {
  if (!HandleAllocated()) {
    selStart_ = bytes;
    selLength_ = 0;
    return;
  }
  int s = CharAtByte(GbkOffsets(PositionText(), IsParagraphCrLf()), bytes, false);
  SetSelChars(s, s);
  selStart_ = bytes;
  selStartChar_ = s;
}

// The selection covers every character that has a byte in the range.
void TCustomEdit::SetSelLength(int bytes) {
  if (!HandleAllocated()) {
    selLength_ = bytes;
    return;
  }
  int s, e;
  GetSelChars(s, e);
  auto offsets = GbkOffsets(PositionText(), IsParagraphCrLf());
  // The length counts from the byte SelStart asked for, even inside a character.
  int startByte = s == selStartChar_ ? selStart_ : BytesAtChar(offsets, s);
  SetSelChars(s, CharAtByte(offsets, startByte + (bytes < 0 ? 0 : bytes), true));
}

std::string TCustomEdit::GetSelText() const {
  if (!HandleAllocated()) return std::string();
  int s, e;
  GetSelChars(s, e);
  std::wstring t = PositionText();
  if (s > static_cast<int>(t.size())) s = static_cast<int>(t.size());
  if (e > static_cast<int>(t.size())) e = static_cast<int>(t.size());
  return e > s ? WideToGbk(t.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s))) : std::string();
}

void TCustomEdit::SetSelText(const std::string& text) {
  codeChange_ = true;
  struct Reset { bool& f; ~Reset() { f = false; } } reset{codeChange_};
  SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(GbkToWide(text).c_str()));
}

void TCustomEdit::SelectAll() { SetSelChars(0, -1); }

int TCustomEdit::GbkLengthOfWindow() const { return static_cast<int>(GetText().size()); }

// Whether `addedBytes` more fit in MaxLength, the selection being replaced.
bool TCustomEdit::Fits(int addedBytes, bool selectionGoes) {
  if (maxLength_ <= 0) return true;
  int length = GbkLengthOfWindow();
  if (selectionGoes) length -= GetSelLength();
  return length + addedBytes <= maxLength_;
}

void TCustomEdit::Paste() {
  if (!OpenClipboard(HandleOrNull())) return;
  std::wstring w;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      w = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  // A single-line edit keeps the first line only.
  std::size_t eol = w.find_first_of(L"\r\n");
  if (eol != std::wstring::npos) w.resize(eol);
  int room = maxLength_ - (GbkLengthOfWindow() - GetSelLength());
  auto offsets = GbkOffsets(w);
  int chars = CharAtByte(offsets, room, false);  // never half a character
  if (offsets[static_cast<std::size_t>(chars)] > room) chars = 0;
  w.resize(static_cast<std::size_t>(chars));
  if (!w.empty()) SendMessageW(HandleOrNull(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(w.c_str()));
}

void TCustomEdit::WndProc(TMessage& m) {
  if (!KeepArrowKeys(m)) TWinControl::WndProc(m);
}

// The byte limit, after the key events and any replaced WindowProc had their say.
void TCustomEdit::DefaultHandler(TMessage& m) {
  if (maxLength_ > 0 && !readOnly_ && LimitsBytes()) {
    if (m.Msg == WM_CHAR && m.WParam >= 0x20 && m.WParam != 0x7F && !(m.WParam >= 0xD800 && m.WParam < 0xE000)) {
      wchar_t c = static_cast<wchar_t>(m.WParam);
      int bytes = static_cast<int>(WideToGbk(std::wstring(1, c)).size());
      if (!Fits(bytes, true)) {
        m.Result = 0;
        return;
      }
    } else if (m.Msg == WM_PASTE) {
      Paste();
      m.Result = 0;
      return;
    }
  }
  TWinControl::DefaultHandler(m);
}

void TCustomEdit::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    if (restoring_) return;
    std::wstring now = GbkToWide(GetText());
    // Input that came past the key check (an input method, a drop) is undone whole.
    std::size_t bytes = WideToGbk(now).size();
    if (!codeChange_ && LimitsBytes() && maxLength_ > 0 && bytes > static_cast<std::size_t>(maxLength_) &&
        bytes > WideToGbk(lastGood_).size()) {
      int s, e;
      GetSelChars(s, e);
      int back = s - static_cast<int>(now.size() - lastGood_.size());
      restoring_ = true;
      SetWindowTextW(HandleOrNull(), lastGood_.c_str());
      restoring_ = false;
      SetSelChars(back < 0 ? 0 : back, back < 0 ? 0 : back);
      return;
    }
    lastGood_ = now;
    Change();
    return;
  }
  TWinControl::ReflectedMessage(m);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}
