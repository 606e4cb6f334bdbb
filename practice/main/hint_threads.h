#pragma once
// The hint threads of the pinyin (TPYThread) and Wubi (TWBThread) articles.
// Each thread belongs to one run: it keeps its own hand-over state and
// results, waits for requests from the rows, looks the next characters up off
// the user-interface thread and shows the hints through a synchronised call
// (UpdateHintLabels), whose results count only while the run is its own.
// Deleting the thread stops it and waits for it, serving its synchronised call.
#include "practice/rules/hint_lookup.h"
#include "toolkit/win/thread.h"

class TForm1;

class THintThread : public TThread {
public:
  THintThread(TForm1* form, const TDictionaries& dicts, int run);
  THintHandOver HandOver;  // HintThreadState and the requests

protected:
  void Execute() override;
  // Fills the thread's results; false when the hand-over stopped the lookup.
  virtual bool LookUp(const THintRequest& request) = 0;
  // On the user-interface thread: hands the results to the window.
  virtual void UpdateHintLabels() = 0;
  // Stops the thread and waits for it; every derived destructor calls it
  // before its results go.
  void Shutdown();

  TForm1* form_;
  const TDictionaries& dicts_;
  const int run_;
};

class TPYThread : public THintThread {
public:
  using THintThread::THintThread;
  ~TPYThread() override { Shutdown(); }

protected:
  bool LookUp(const THintRequest& request) override;
  void UpdateHintLabels() override;

private:
  TPinyinHint result_;
};

class TWBThread : public THintThread {
public:
  using THintThread::THintThread;
  ~TWBThread() override { Shutdown(); }

protected:
  bool LookUp(const THintRequest& request) override;
  void UpdateHintLabels() override;

private:
  TWubiHint result_;
};
