#include "toolkit/win/rich_edit.h"

#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include "toolkit/base/gbk_wide.h"

namespace {
// The newest rich text class the system has.
const wchar_t* RichEditClass() {
  static const wchar_t* name = [] {
    if (LoadLibraryW(L"Msftedit.dll")) return L"RICHEDIT50W";
    if (LoadLibraryW(L"riched20.dll")) return L"RichEdit20W";
    throw Exception("the rich edit control is not available");
  }();
  return name;
}

// The text object model's document interface (the system's uuid library lacks it).
const IID kTextDocumentIid = {0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string t;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) t += "\r\n";
    t += lines[i];
  }
  return t;
}
}  // namespace

const TClassInfo& TTextAttributes::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTextAttributes>("TTextAttributes", &TPersistent::StaticClass())
                                     .Prop("Color", &TTextAttributes::GetColor, &TTextAttributes::SetColor)
                                     .Build();
  return info;
}

TColor TTextAttributes::GetColor() const {
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_COLOR;
  SendMessageW(owner_->Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  if (cf.dwEffects & CFE_AUTOCOLOR) return owner_->GetFont()->GetColor();
  return static_cast<TColor>(cf.crTextColor);
}

void TTextAttributes::SetColor(TColor c) {
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_COLOR;
  cf.crTextColor = ColorToRGB(c);
  owner_->Writable([&] {
    SendMessageW(owner_->Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  });
}

const TClassInfo& TRichEdit::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TRichEdit>("TRichEdit", &TCustomEdit::StaticClass())
          .Creatable()
          .Strings("Lines", &TRichEdit::GetLinesList, &TRichEdit::SetLinesList)
          .Prop("PlainText", &TRichEdit::GetPlainText, &TRichEdit::SetPlainText)
          .Object("SelAttributes", &TRichEdit::SelAttributes)
          .Build();
  return info;
}

TRichEdit::TRichEdit(TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TControlStrings>()),
      selAttributes_(std::make_unique<TTextAttributes>(this)) {
  SetBounds(0, 0, 185, 89);
  lines_->OnChanged = [this](TControlStrings::TChange, int) {
    if (syncing_) return;
    std::string t = JoinLines(lines_->List());
    if (HandleAllocated()) PutWindowText(t, true);
    else text_ = t;
  };
}

TRichEdit::~TRichEdit() {
  BeginDestroy();
  ReleaseTextRange();
  DestroyComponents();
}

void TRichEdit::DestroyWnd() {
  ReleaseTextRange();
  TCustomEdit::DestroyWnd();
}

// A range kept past its window (another window may get the same handle)
// answers failure, and the colour goes through the selection.
void TRichEdit::ReleaseTextRange() {
  if (rangeFont_) rangeFont_->Release();
  if (textRange_) textRange_->Release();
  rangeFont_ = nullptr;
  textRange_ = nullptr;
  rangeWindow_ = nullptr;
}

template <class ViaFont>
void TRichEdit::FormatChars(int first, int count, ViaFont viaFont, CHARFORMAT2W& cf) {
  HWND w = Handle();
  if (rangeWindow_ != w) {
    ReleaseTextRange();
    rangeWindow_ = w;
    IRichEditOle* ole = nullptr;
    ITextDocument* document = nullptr;
    if (SendMessageW(w, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) && ole) {
      ole->QueryInterface(kTextDocumentIid, reinterpret_cast<void**>(&document));
      ole->Release();
    }
    if (document) {
      if (FAILED(document->Range(0, 0, &textRange_))) textRange_ = nullptr;
      document->Release();
    }
    if (textRange_ && FAILED(textRange_->GetFont(&rangeFont_))) rangeFont_ = nullptr;
  }
  // SetRange answers S_FALSE when the range is already there.
  if (rangeFont_ && SUCCEEDED(textRange_->SetRange(first, first + count)) && SUCCEEDED(viaFont(rangeFont_))) return;
  // Without the object model: through the selection, put back afterwards.
  CHARRANGE old{}, range{first, first + count};
  SendMessageW(w, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&old));
  SendMessageW(w, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  cf.cbSize = sizeof cf;
  Writable([&] { SendMessageW(w, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)); });
  SendMessageW(w, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&old));
}

void TRichEdit::SetCharsColor(int first, int count, TColor color) {
  const COLORREF rgb = ColorToRGB(color);
  CHARFORMAT2W cf{};
  cf.dwMask = CFM_COLOR;
  cf.crTextColor = rgb;
  FormatChars(first, count, [rgb](ITextFont* font) { return font->SetForeColor(static_cast<long>(rgb)); }, cf);
}

void TRichEdit::SetCharsBackColor(int first, int count, TColor color) {
  const bool own = color == clNone;
  const COLORREF rgb = own ? 0 : ColorToRGB(color);
  CHARFORMAT2W cf{};
  cf.dwMask = CFM_BACKCOLOR;
  cf.crBackColor = rgb;
  cf.dwEffects = own ? CFE_AUTOBACKCOLOR : 0;
  const long back = own ? static_cast<long>(tomAutoColor) : static_cast<long>(rgb);
  FormatChars(first, count, [back](ITextFont* font) { return font->SetBackColor(back); }, cf);
}

template <class F>
void TRichEdit::Writable(F f) {
  HWND w = Handle();
  bool ro = (GetWindowLongW(w, GWL_STYLE) & ES_READONLY) != 0;
  if (ro) SendMessageW(w, EM_SETREADONLY, FALSE, 0);
  f();
  if (ro) SendMessageW(w, EM_SETREADONLY, TRUE, 0);
}

void TRichEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.BaseClassName = RichEditClass();
  p.Caption.clear();  // the text goes in after the formats are set
  p.Style |= ES_MULTILINE | ES_AUTOHSCROLL;
  p.Style &= ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL | ES_AUTOVSCROLL);
}

void TRichEdit::InitializeWindow() {
  HWND w = HandleOrNull();
  SendMessageW(w, EM_SETTARGETDEVICE, 0, 1);  // no word wrap
  SendMessageW(w, EM_SETEVENTMASK, 0, ENM_CHANGE);
  SendMessageW(w, EM_SETBKGNDCOLOR, 0, ColorToRGB(GetColor()));
  MaxLengthChanged();
  ApplyFont();
  PutWindowText(text_, true);
  TCustomEdit::InitializeWindow();
}

void TRichEdit::MaxLengthChanged() {
  if (HWND w = HandleOrNull()) SendMessageW(w, EM_EXLIMITTEXT, 0, GetMaxLength() > 0 ? GetMaxLength() : 0x7FFFFFFE);
}

void TRichEdit::ApplyFont() {
  HWND w = HandleOrNull();
  if (!w) return;
  const TFont* f = GetFont();
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET;
  int px = f->GetHeight() < 0 ? -f->GetHeight() : f->GetHeight();
  cf.yHeight = px * 1440 / 96;  // twips
  cf.crTextColor = ColorToRGB(f->GetColor());
  if (f->GetStyle() & fsBold) cf.dwEffects |= CFE_BOLD;
  if (f->GetStyle() & fsItalic) cf.dwEffects |= CFE_ITALIC;
  if (f->GetStyle() & fsUnderline) cf.dwEffects |= CFE_UNDERLINE;
  if (f->GetStyle() & fsStrikeOut) cf.dwEffects |= CFE_STRIKEOUT;
  cf.bCharSet = static_cast<BYTE>(f->GetCharset());
  lstrcpynW(cf.szFaceName, GbkToWide(f->GetName()).c_str(), LF_FACESIZE);
  Writable([&] {
    SendMessageW(w, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    SendMessageW(w, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  });
}

void TRichEdit::FontChanged() {
  TCustomEdit::FontChanged();
  ApplyFont();
}

void TRichEdit::ColorChanged() {
  TCustomEdit::ColorChanged();
  if (HWND w = HandleOrNull()) SendMessageW(w, EM_SETBKGNDCOLOR, 0, ColorToRGB(GetColor()));
}

// Plain insertion never reads the text as rich text; WM_SETTEXT may.
void TRichEdit::PutWindowText(const std::string& text, bool plain) {
  HWND w = HandleOrNull();
  std::wstring wide = GbkToWide(text);
  codeChange_ = true;
  Writable([&] {
    if (plain) {
      CHARRANGE all{0, -1};
      SendMessageW(w, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
      SendMessageW(w, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
      CHARRANGE home{0, 0};
      SendMessageW(w, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&home));
    } else {
      SetWindowTextW(w, wide.c_str());
    }
  });
  codeChange_ = false;
  syncing_ = true;
  lines_->Load(SplitLines(GetText()));
  syncing_ = false;
}

namespace {
// The editor's whole text as UTF-16: with CR LF line ends, or with the bare CR
// ends that character positions count.
std::wstring EditorText(HWND w, bool crlf) {
  GETTEXTLENGTHEX gl{static_cast<DWORD>((crlf ? GTL_USECRLF : 0) | GTL_PRECISE | GTL_NUMCHARS), 1200};
  LRESULT n = SendMessageW(w, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0);
  std::wstring buf(static_cast<std::size_t>(n) + 1, L'\0');
  GETTEXTEX gt{};
  gt.cb = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
  gt.flags = crlf ? GT_USECRLF : GT_DEFAULT;
  gt.codepage = 1200;
  LRESULT got = SendMessageW(w, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(&buf[0]));
  buf.resize(static_cast<std::size_t>(got));
  return buf;
}
}  // namespace

std::string TRichEdit::GetText() const {
  HWND w = HandleOrNull();
  if (!w) return text_;
  return WideToGbk(EditorText(w, true));
}

void TRichEdit::SetText(const std::string& text) {
  if (!HandleAllocated()) {
    TControl::SetText(text);
    syncing_ = true;
    lines_->Load(SplitLines(text));
    syncing_ = false;
    return;
  }
  PutWindowText(text, plainText_);
  Change();
}

std::wstring TRichEdit::PositionText() const { return EditorText(HandleOrNull(), false); }

void TRichEdit::GetSelChars(int& start, int& end) const {
  CHARRANGE r{0, 0};
  SendMessageW(HandleOrNull(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  start = r.cpMin;
  end = r.cpMax;
}

void TRichEdit::SetSelChars(int start, int end) {
  CHARRANGE r{start, end};
  SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

void TRichEdit::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    if (codeChange_) return;  // PutWindowText reports once it is done
    syncing_ = true;
    lines_->Load(SplitLines(GetText()));
    syncing_ = false;
    Change();
    return;
  }
  TCustomEdit::ReflectedMessage(m);
}
