#pragma once
// Message boxes with GBK text. The box itself can be replaced (tests install a
// recorder) so nothing blocks where no one can answer.
#include <functional>
#include <string>
#include <vector>

// flags are the MB_* values of the system; the result is the IDOK... value chosen.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

using TMessageBoxHandler = std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;
// Installs a replacement (empty: the system's box again); returns the previous one.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);

// Records every box shown while it lives and answers each with Answer.
class TMessageBoxRecorder {
public:
  struct TCall {
    std::string Text;
    std::string Caption;
    unsigned Flags;
  };
  explicit TMessageBoxRecorder(int answer);
  ~TMessageBoxRecorder();
  TMessageBoxRecorder(const TMessageBoxRecorder&) = delete;
  TMessageBoxRecorder& operator=(const TMessageBoxRecorder&) = delete;

  int Answer;
  std::vector<TCall> Calls;

private:
  TMessageBoxHandler previous_;
};
