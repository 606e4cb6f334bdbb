#include "toolkit/win/message_box.h"

#include <windows.h>

#include "toolkit/base/gbk_wide.h"

namespace {
TMessageBoxHandler& Handler() {
  static TMessageBoxHandler handler;
  return handler;
}
}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  if (Handler()) return Handler()(text, caption, flags);
  return MessageBoxW(GetActiveWindow(), GbkToWide(text).c_str(), GbkToWide(caption).c_str(), flags);
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  TMessageBoxHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

TMessageBoxRecorder::TMessageBoxRecorder(int answer) : Answer(answer) {
  previous_ = SetMessageBoxHandler([this](const std::string& text, const std::string& caption, unsigned flags) {
    Calls.push_back({text, caption, flags});
    return Answer;
  });
}

TMessageBoxRecorder::~TMessageBoxRecorder() { SetMessageBoxHandler(std::move(previous_)); }
