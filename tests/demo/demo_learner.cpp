// A scripted learner for the demonstration video: starts the main window from
// a copy of the program folder and, at a human pace, plays a letter drill and
// a pinyin article (typed characters, a wrong one shown red, F1 readings),
// then closes. scripts/make-demo-video.sh records the display meanwhile.
#include <windows.h>

#include <cstdio>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "win/main_window_start.h"
#include "win/program_fixture.h"

namespace {
TForm1* form = nullptr;

// Serves the window for `ms` milliseconds.
void Wait(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (GetTickCount() < end) {
    Application->ProcessMessages();
    Sleep(10);
  }
}

void Click(HWND w) {
  PostMiddleClick(w);
  Wait(600);
}

HWND Focused() {
  HWND f = GetFocus();
  return f ? f : form->Handle();
}

void Key(WORD vk, int pause = 280) {
  PostMessageW(Focused(), WM_KEYDOWN, vk, 1);
  PostMessageW(Focused(), WM_KEYUP, vk, 0xC0000001);
  Wait(pause);
}

// One character as an input method delivers it.
void Character(const std::string& gbk, int pause = 450) {
  for (wchar_t c : GbkToWide(gbk)) {
    PostMessageW(Focused(), WM_CHAR, c, 1);
    PostMessageW(Focused(), WM_KEYUP, VK_PROCESSKEY, 0xC0000001);
    Wait(pause);
  }
}

void CopyFolder(const std::string& from, const std::string& to) {
  CreateDirectoryW(GbkToWide(to).c_str(), nullptr);
  std::vector<TSearchRec> entries;
  ListDirectory(from, entries);
  for (const TSearchRec& e : entries) {
    TBytes bytes;
    if (!e.IsDirectory() && ReadFileBytes(from + e.Name, bytes)) WriteFileBytes(to + e.Name, bytes.data(), bytes.size());
  }
}
}  // namespace

int main() {
  FreshApplication();
  const std::string folder = CopyProgramFolder("demo");
  for (const char* kind : {"English\\", "Chinese\\"}) CopyFolder(BuiltProgramFolder() + kind, folder + kind);
  form = ShowMainWindow(folder);
  if (!form) return 1;
  Wait(300);
  // The recording covers the display's top-left corner; the window centres itself when shown.
  SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Wait(2000);

  // A letter drill: the learner types what the big labels show.
  Click(form->RadioGroup1->Buttons(1)->Handle());
  Click(form->RadioGroup2->Buttons(0)->Handle());
  Click(form->Button1->Handle());
  // A hit flashes red for the flash time (500 ms) before its new symbol shows.
  for (int i = 0; i < 16; ++i) {
    const std::string symbol = form->Label1->GetCaption();
    if (symbol.size() == 1) Key(static_cast<WORD>(toupper(static_cast<unsigned char>(symbol[0]))), 650);
    if (i == 9) Key('Q', 500);  // a miss
  }
  Wait(800);
  Key(VK_ESCAPE, 1500);

  // A pinyin article: choose it, type the first characters, one of them
  // wrong, walk the readings with F1, correct and go on.
  Click(form->RadioGroup1->Buttons(21)->Handle());
  SendMessageW(form->ComboBox1->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Wait(1200);
  const TControlStrings* items = form->ComboBox1->Items();
  for (int k = 0; k < items->Count(); ++k)
    if (items->Strings(k).find("夜思") != std::string::npos) form->ComboBox1->SetItemIndex(k);
  SendMessageW(form->ComboBox1->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  Wait(800);
  Click(form->Button1->Handle());
  Wait(800);
  const std::string row = form->RichEdit1->GetText();
  PostMessageW(Focused(), WM_KEYUP, VK_SHIFT, 0xC0000001);  // the first hint
  Wait(900);
  for (std::size_t i = 0; i + 1 < row.size() && i < 20; i += 2) {
    if (i == 6) {
      Character("木", 900);  // a wrong character turns red
      Key(VK_BACK, 700);
      PostMessageW(Focused(), WM_KEYUP, VK_BACK, 0xC0000001);
      Wait(500);
    }
    if (i == 10) {
      Key(VK_F1, 900);
      Key(VK_F1, 900);
    }
    Character(row.substr(i, 2), 550);
  }
  Wait(1500);
  Key(VK_ESCAPE, 2500);
  delete form;
  std::printf("demo done\n");
  return 0;
}
