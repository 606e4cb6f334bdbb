#pragma once
// The main window with articles of the test's own in its program folder, and
// a learner who chooses, starts and types into the article rows.
#include "main_form_fixture.h"
#include "screenshot.h"

class ArticleWindow : public MainFormTest {
protected:
  // Writes an article into "English\" or "Chinese\" of the program folder.
  void WriteArticle(const char* kind, const std::string& name, const std::string& bytes) {
    const std::string folder = ProgramFolder() + kind + "\\";
    CreateDirectoryW(GbkToWide(folder).c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(folder + name, bytes.data(), bytes.size()));
  }
  // Copies the shipped articles of one kind from the built program folder.
  void CopyShippedArticles(const char* kind) {
    std::vector<TSearchRec> entries;
    ListDirectory(BuiltProgramFolder() + kind + "\\", entries);
    for (const TSearchRec& e : entries) {
      TBytes bytes;
      if (ReadFileBytes(BuiltProgramFolder() + kind + "\\" + e.Name, bytes))
        WriteArticle(kind, e.Name, std::string(bytes.begin(), bytes.end()));
    }
  }
  // Picks the type, the test length and the article named `name` (types 19, 21, 22).
  void Choose(int type, int lengthItem = 1, const std::string& name = "") {
    Click(form->RadioGroup1->Buttons(type)->Handle());
    Click(form->RadioGroup2->Buttons(lengthItem)->Handle());
    if (name.empty()) return;
    const TControlStrings* items = form->ComboBox1->Items();
    for (int k = 0; k < items->Count(); ++k)
      if (items->Strings(k).substr(items->Strings(k).find('.') + 1) == name) form->ComboBox1->SetItemIndex(k);
    ASSERT_GE(form->ComboBox1->GetItemIndex(), 0) << name;
  }
  void Start() { Click(form->Button1->Handle()); }
  // Writes the article `name` ("English\" for type 19, else "Chinese\") and
  // starts it at the first test length.
  void StartArticle(int type, const std::string& name, const std::string& bytes) {
    WriteArticle(type == 19 ? "English" : "Chinese", name + ".txt", bytes);
    Choose(type, 1, name);
    Start();
  }
  void Serve() {
    for (int i = 0; i < 3; ++i) Application->ProcessMessages();
  }
  // Letters, digits and space as the keyboard types them: the key goes down
  // (and makes its character), then comes up.
  void TypeKeys(const std::string& keys) {
    for (char c : keys) {
      const WORD vk = KeyOf(c);
      HWND w = Focused();
      PostMessageW(w, WM_KEYDOWN, vk, 1);
      Serve();
      PostMessageW(w, WM_KEYUP, vk, 0xC0000001);
      Serve();
    }
  }
  // Any GBK text one character at a time as an input method delivers it: the
  // character, then the release of the key that made it.
  void TypeText(const std::string& gbk) {
    std::wstring wide = GbkToWide(gbk);
    for (wchar_t c : wide) {
      HWND w = Focused();
      PostMessageW(w, WM_CHAR, c, 1);
      PostMessageW(w, WM_KEYUP, VK_PROCESSKEY, 0xC0000001);
      Serve();
    }
  }
  // A whole text put into the focused row at once, then one key release.
  void PutText(const std::string& gbk) {
    HWND w = Focused();
    SendMessageW(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(GbkToWide(gbk).c_str()));
    PostMessageW(w, WM_KEYUP, VK_PROCESSKEY, 0xC0000001);
    Serve();
  }
  void KeyDown(WORD vk, LPARAM flags = 1) {
    PostMessageW(Focused(), WM_KEYDOWN, vk, flags);
    Serve();
  }
  // The colour of `count` bytes of a shown row from byte `pos`, as RGB.
  static TColor ColourAt(TRichEdit* row, int pos, int count = 1) {
    row->SetSelStart(pos);
    row->SetSelLength(count);
    TColor c = row->SelAttributes()->GetColor();
    row->SetSelLength(0);
    return c;
  }
  static TColor Red() { return ColorToRGB(clRed); }
  static TColor Normal() { return ColorToRGB(clHighlight); }
  TRichEdit* Shown(int row) {
    TRichEdit* rows[] = {nullptr, form->RichEdit1, form->RichEdit2, form->RichEdit3,
                         form->RichEdit4, form->RichEdit5, form->RichEdit6};
    return rows[row];
  }
  TEdit* Input(int row) {
    TEdit* rows[] = {nullptr, form->Edit2, form->Edit3, form->Edit4, form->Edit5, form->Edit6, form->Edit7};
    return rows[row];
  }
  // Serves the window until the hint thread is idle again (its update shown).
  bool HintsSettled() {
    for (int i = 0; i < 20000; ++i) {
      Application->ProcessMessages();
      if (form->HintThreadState() == kHintIdle) return true;
      Sleep(1);
    }
    return false;
  }
  void Seconds(int n) {
    for (int i = 0; i < n; ++i) form->Timer1Timer(form);
  }
  bool Running() { return form->Button1->GetCaption() != "开始"; }
  // Where the rich edit lays out the end of a shown row's text (before its
  // line end), and the right edge of the room it has for text.
  static int RowTextEnd(TRichEdit* row) {
    std::string text = row->GetText();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    POINTL p{};
    SendMessageW(row->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), static_cast<LPARAM>(GbkToWide(text).size()));
    return p.x;
  }
  static int RowRoomRight(TRichEdit* row) {
    RECT r{};
    SendMessageW(row->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.right;
  }
  // The keyboard's modifier keys held (VK_SHIFT, VK_CONTROL) while `vk` goes down and up.
  void ChordKey(std::initializer_list<WORD> held, WORD vk) {
    BYTE state[256];
    GetKeyboardState(state);
    for (WORD m : held) state[m] = 0x80;
    SetKeyboardState(state);
    KeyDown(vk);
    PostMessageW(Focused(), WM_KEYUP, vk, 0xC0000001);
    Serve();
    for (WORD m : held) state[m] = 0;
    SetKeyboardState(state);
  }
  const TArticleCounters& Counts() { return form->Session->ArticleCounters(); }
};
