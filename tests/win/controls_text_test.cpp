// GBK text through edits, labels and rich edits: round trips, byte limits,
// byte selections and the colouring of byte ranges.
#include "controls_fixture.h"

#include <richedit.h>

namespace {

struct TextCase {
  std::string gbk;
  std::wstring wide;
};
const TextCase kTexts[] = {
    {"五笔打字", kWubiWide},
    {"Tapmira 五笔 86", L"Tapmira \x4E94\x7B14 86"},
    {"abc", L"abc"},
    {"", L""},
};

TEST_F(ControlsFixture, GbkTextRoundTripsThroughWindows) {
  auto* edit = Make<TEdit>(10, 10, 200, 24);
  auto* rich = Make<TRichEdit>(10, 40, 400, 29);
  auto* button = Make<TButton>(10, 80, 120, 25);
  auto* combo = Make<TComboBox>(10, 120, 150, 22);
  form->Show();
  for (const TextCase& t : kTexts) {
    SCOPED_TRACE(t.gbk);
    for (TWinControl* c : std::vector<TWinControl*>{edit, rich, button, combo}) {
      c->SetText(t.gbk);
      EXPECT_EQ(c->GetText(), t.gbk) << c->ClassName();
      if (c != rich) EXPECT_EQ(WindowText(c->Handle()), t.wide) << c->ClassName();
    }
    GETTEXTEX gt{512 * sizeof(wchar_t), GT_DEFAULT, 1200, nullptr, nullptr};
    wchar_t buf[512] = {};
    SendMessageW(rich->Handle(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(buf));
    EXPECT_EQ(std::wstring(buf), t.wide);
  }
}

TEST_F(ControlsFixture, TypedCharactersReadBackAsGbk) {
  auto* edit = Make<TEdit>(10, 10, 200, 24);
  std::vector<char> pressed;
  edit->OnKeyPress = [&](TObject*, char& k) { pressed.push_back(k); };
  form->Show();
  edit->SetFocus();
  TypeWide(edit->Handle(), kWubiWide + L"ok");
  EXPECT_EQ(edit->GetText(), "五笔打字ok");
  // Key presses report single-byte characters only.
  EXPECT_EQ(pressed, (std::vector<char>{'o', 'k'}));
}

TEST_F(ControlsFixture, LabelCaptionKeepsGbkAndPaintsIt) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetCaption("五笔打字");
  EXPECT_EQ(GetStrProp(*label, "Caption"), "五笔打字");
  EXPECT_EQ(label->GetText(), "五笔打字");
}

// Byte limits: a double-byte character that does not fit whole is refused.
struct LimitCase {
  int max;
  std::wstring typed;
  std::string expected;
};
const LimitCase kLimits[] = {
    {5, L"ab\x4E94\x7B14" L"c", "ab五c"},     // 笔 would need bytes 5-6
    {4, L"abc\x4E94" L"d", "abcd"},           // 五 at the limit, d still fits
    {4, L"\x4E94\x7B14\x6253", "五笔"},
    {3, L"abcdef", "abc"},
    {0, L"abcdef\x4E94", "abcdef五"},         // no limit
};

TEST_F(ControlsFixture, EditMaxLengthCountsGbkBytes) {
  auto* edit = Make<TEdit>(10, 10, 200, 24);
  form->Show();
  edit->SetFocus();
  for (const LimitCase& c : kLimits) {
    SCOPED_TRACE(c.expected);
    edit->SetMaxLength(c.max);
    edit->SetText("");
    TypeWide(edit->Handle(), c.typed);
    EXPECT_EQ(edit->GetText(), c.expected);
  }
}

TEST_F(ControlsFixture, EditLimitHoldsForPasteAndInputMethodCharacters) {
  auto* edit = Make<TEdit>(10, 10, 200, 24);
  form->Show();
  edit->SetFocus();
  edit->SetMaxLength(5);
  SetClipboardText(kWubiWide);
  SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit->GetText(), "五笔");
  // Characters an input method sends straight to the window.
  SendMessageW(edit->Handle(), WM_IME_CHAR, 0x6253, 1);
  Pump();
  EXPECT_EQ(edit->GetText(), "五笔");
  TypeWide(edit->Handle(), L"x");
  EXPECT_EQ(edit->GetText(), "五笔x");
  // Text set by code is not cut.
  edit->SetText("五笔打字");
  EXPECT_EQ(edit->GetText(), "五笔打字");
  TypeWide(edit->Handle(), L"y");
  EXPECT_EQ(edit->GetText(), "五笔打字");
}

TEST_F(ControlsFixture, EditChangeFiresForUserAndCode) {
  auto* edit = Make<TEdit>(10, 10, 200, 24);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  form->Show();
  edit->SetFocus();
  edit->SetText("ab");
  EXPECT_EQ(changes, 1);
  TypeWide(edit->Handle(), L"c");
  EXPECT_EQ(changes, 2);
  edit->SetMaxLength(3);
  TypeWide(edit->Handle(), L"d");
  EXPECT_EQ(changes, 2);
}

struct SelCase {
  int start, length;   // bytes asked for
  int charStart, charEnd;  // what the window selects
  int readStart, readLength;  // bytes read back
  std::string selText;
};
// "ab五笔c": a=0 b=1 五=2-3 笔=4-5 c=6
const SelCase kSelections[] = {
    {2, 2, 2, 3, 2, 2, "五"},
    {2, 4, 2, 4, 2, 4, "五笔"},
    {3, 1, 2, 3, 2, 2, "五"},   // from a trail byte: the whole character
    {1, 2, 1, 3, 1, 3, "b五"},  // ends inside 五: it is covered
    {6, 5, 4, 5, 6, 1, "c"},    // past the end: clamped
    {0, 0, 0, 0, 0, 0, ""},
};

TEST_F(ControlsFixture, EditSelectionIsInGbkBytes) {
  auto* edit = Make<TEdit>(10, 10, 200, 24);
  edit->SetText("ab五笔c");
  form->Show();
  for (const SelCase& c : kSelections) {
    SCOPED_TRACE(c.selText);
    edit->SetSelStart(c.start);
    edit->SetSelLength(c.length);
    DWORD s = 0, e = 0;
    SendMessageW(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(static_cast<int>(s), c.charStart);
    EXPECT_EQ(static_cast<int>(e), c.charEnd);
    EXPECT_EQ(edit->GetSelStart(), c.readStart);
    EXPECT_EQ(edit->GetSelLength(), c.readLength);
    EXPECT_EQ(edit->GetSelText(), c.selText);
  }
  edit->SetSelStart(2);
  edit->SetSelLength(2);
  edit->SetSelText("字");
  EXPECT_EQ(edit->GetText(), "ab字笔c");
}

TEST_F(ControlsFixture, EditBorderAndReadOnlyReachTheWindow) {
  auto* edit = Make<TEdit>(10, 10, 200, 24);
  SetOrdProp(*edit, "BorderStyle", GetEnumValue(*GetPropInfo(edit, "BorderStyle"), "bsNone"));
  edit->SetReadOnly(true);
  HWND w = edit->Handle();
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & ES_READONLY);
  edit->SetBorderStyle(TBorderStyle::bsSingle);
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  form->Show();
  edit->SetFocus();
  TypeWide(w, L"x");
  EXPECT_EQ(edit->GetText(), "");
  // Arrows stay with the edit instead of going to the form.
  EXPECT_EQ(edit->Perform(CM_WANTSPECIALKEY, VK_LEFT), 1);
  EXPECT_EQ(edit->Perform(CM_WANTSPECIALKEY, VK_RETURN), 0);
}

// The colour of the character at a window position.
COLORREF CharColor(TRichEdit* r, int pos) {
  CHARRANGE one{pos, pos + 1};
  SendMessageW(r->Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_COLOR;
  SendMessageW(r->Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return cf.crTextColor;
}

struct ColourCase {
  int start, length;
  std::vector<int> redChars;  // window positions of "五笔打字ab"
};
const ColourCase kColourings[] = {
    {0, 2, {0}},
    {2, 4, {1, 2}},
    {3, 1, {1}},       // a trail byte colours its character
    {8, 2, {4, 5}},    // the ASCII after four double-byte characters
    {7, 2, {3, 4}},
};

TEST_F(ControlsFixture, RichEditColoursByteRangesOverChineseText) {
  auto* rich = Make<TRichEdit>(0, 70, 600, 29);
  rich->SetReadOnly(true);
  rich->SetBorderStyle(TBorderStyle::bsNone);
  rich->GetFont()->SetColor(clBlue);
  form->Show();
  for (const ColourCase& c : kColourings) {
    SCOPED_TRACE(c.start);
    rich->GetLines()->Clear();
    rich->GetLines()->Add("五笔打字ab");
    rich->SetSelStart(c.start);
    rich->SetSelLength(c.length);
    SetOrdProp(*GetObjectProp(*rich, "SelAttributes"), "Color", clRed);
    EXPECT_EQ(rich->SelAttributes()->GetColor(), clRed);
    for (int pos = 0; pos < 6; ++pos) {
      bool red = std::find(c.redChars.begin(), c.redChars.end(), pos) != c.redChars.end();
      EXPECT_EQ(CharColor(rich, pos), red ? RGB(255, 0, 0) : RGB(0, 0, 255)) << pos;
    }
  }
  EXPECT_EQ(rich->GetText(), "五笔打字ab");
}

TEST_F(ControlsFixture, RichEditColoursCharactersWithoutMovingTheSelection) {
  auto* rich = Make<TRichEdit>(0, 70, 600, 29);
  rich->SetReadOnly(true);
  rich->GetFont()->SetColor(clBlue);
  form->Show();
  for (int round = 0; round < 2; ++round) {  // the second time on a window made anew
    SCOPED_TRACE(round);
    rich->SetLinesList({"五笔打字ab"});
    rich->SetSelStart(2);
    rich->SetSelLength(0);
    rich->SetCharsColor(1, 2, clRed);  // 笔打
    rich->SetCharsColor(5, 1, clRed);  // b
    rich->SetCharsColor(2, 1, clBlue);
    EXPECT_EQ(rich->GetSelStart(), 2);
    EXPECT_EQ(rich->GetSelLength(), 0);
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    const COLORREF expected[] = {blue, red, blue, blue, blue, red};
    for (int pos = 0; pos < 6; ++pos) EXPECT_EQ(CharColor(rich, pos), expected[pos]) << pos;
    rich->RecreateWnd();
    rich->HandleNeeded();
  }
}

TEST_F(ControlsFixture, RichEditLinesTextAndParagraphBytes) {
  auto* rich = Make<TRichEdit>(0, 70, 600, 29);
  rich->GetLines()->Add("五笔");
  rich->GetLines()->Add("ab");
  EXPECT_EQ(rich->GetText(), "五笔\r\nab");  // before the window exists
  form->Show();
  EXPECT_EQ(rich->GetText(), "五笔\r\nab");
  EXPECT_EQ(rich->GetLines()->Count(), 2);
  // The paragraph break counts as CR LF: "ab" starts at byte 6.
  rich->SetSelStart(6);
  rich->SetSelLength(1);
  CHARRANGE r{};
  SendMessageW(rich->Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.cpMin, 3);
  EXPECT_EQ(r.cpMax, 4);
  EXPECT_EQ(rich->GetSelStart(), 6);
  rich->SetText("xyz");
  ASSERT_EQ(rich->GetLines()->Count(), 1);
  EXPECT_EQ(rich->GetLines()->Strings(0), "xyz");
}

TEST_F(ControlsFixture, RichEditWindowState) {
  auto* rich = Make<TRichEdit>(0, 70, 600, 29);
  rich->SetMaxLength(100);
  rich->SetColor(clYellow);
  rich->SetReadOnly(true);
  rich->SetPlainText(true);
  HWND w = rich->Handle();
  EXPECT_EQ(SendMessageW(w, EM_GETLIMITTEXT, 0, 0), 100);
  // EM_SETBKGNDCOLOR answers the colour it replaces.
  EXPECT_EQ(static_cast<COLORREF>(SendMessageW(w, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3))), RGB(255, 255, 0));
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & ES_READONLY);
  // Plain text is never read as rich text, read-only or not.
  rich->SetText("{\\rtf1 abc}");
  EXPECT_EQ(rich->GetText(), "{\\rtf1 abc}");
}

}  // namespace
