#pragma once
// The system's own "提示" message boxes, answered by a test as the learner
// would: a click on a button or a key, from a timer that runs inside the
// box's modal loop. The box's text is noted and its picture taken.
#include <windows.h>

#include <string>

#include "screenshot.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/message_box.h"

// The system's boxes instead of the test's recorder while it lives.
class RealMessageBoxes {
public:
  RealMessageBoxes() : previous_(SetMessageBoxHandler(nullptr)) {}
  ~RealMessageBoxes() { SetMessageBoxHandler(std::move(previous_)); }

private:
  TMessageBoxHandler previous_;
};

struct TPromptAnswer {
  int Button = 0;    // a click on this button, or
  WORD Key = 0;      // this key
  std::string Shot;  // the box's picture in the artefact folder (empty: none)
  std::string Text;  // what the box said
  bool Answered = false;
};

// Answers the next "提示" box of this thread while it lives.
class TAnswerPrompt {
public:
  explicit TAnswerPrompt(TPromptAnswer& answer) {
    Pending() = &answer;
    seen_ = nullptr;
    timer_ = SetTimer(nullptr, 0, 50, Tick);
  }
  ~TAnswerPrompt() {
    KillTimer(nullptr, timer_);
    Pending() = nullptr;
  }
  TAnswerPrompt(const TAnswerPrompt&) = delete;
  TAnswerPrompt& operator=(const TAnswerPrompt&) = delete;

private:
  static TPromptAnswer*& Pending() {
    static TPromptAnswer* pending = nullptr;
    return pending;
  }
  static BOOL CALLBACK FindBox(HWND w, LPARAM found) {
    wchar_t cls[16] = {}, caption[16] = {};
    GetClassNameW(w, cls, 16);
    GetWindowTextW(w, caption, 16);
    if (!IsWindowVisible(w) || wcscmp(cls, L"#32770") != 0 || wcscmp(caption, L"提示") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TPromptAnswer* answer = Pending();
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box || !answer || answer->Answered) return;
    // Seen first: let it paint; answered at the next tick.
    if (box != seen_) {
      seen_ = box;
      return;
    }
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);  // the box's message
    answer->Text = WideToGbk(text);
    answer->Answered = true;
    if (!answer->Shot.empty()) SaveWindowShot(box, ArtefactFolder() + answer->Shot);
    if (answer->Button) {
      HWND button = GetDlgItem(box, answer->Button);
      RECT r;
      GetClientRect(button, &r);
      const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
      PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(button, WM_LBUTTONUP, 0, at);
    } else {
      PostMessageW(box, WM_KEYDOWN, answer->Key, 1);
      PostMessageW(box, WM_KEYUP, answer->Key, 0xC0000001);
    }
  }
  static inline HWND seen_ = nullptr;
  UINT_PTR timer_;
};
