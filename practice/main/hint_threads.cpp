#include "practice/main/hint_threads.h"

#include "practice/main/Unit1.h"

THintThread::THintThread(TForm1* form, const TDictionaries& dicts, int run)
    : TThread(false), form_(form), dicts_(dicts), run_(run) {}

void THintThread::Shutdown() {
  HandOver.Stop();
  TerminateAndWait();
}

void THintThread::Execute() {
  THintRequest request;
  while (HandOver.Take(request)) {
    try {
      if (!LookUp(request) || !HandOver.Gate()) break;
      Synchronize([this] {
        if (!HandOver.Stopped()) UpdateHintLabels();
      });
    } catch (...) {
      // A failed update loses this hint, not the thread: the next release
      // hands over again.
    }
    HandOver.Done();
  }
}

bool TPYThread::LookUp(const THintRequest& request) {
  return LookUpPinyinHint(dicts_, request, [this] { return HandOver.Gate(); }, result_);
}

void TPYThread::UpdateHintLabels() { form_->ShowPinyinHint(run_, result_); }

bool TWBThread::LookUp(const THintRequest& request) {
  return LookUpWubiHint(dicts_, request, [this] { return HandOver.Gate(); }, result_);
}

void TWBThread::UpdateHintLabels() { form_->ShowWubiHint(run_, result_); }
