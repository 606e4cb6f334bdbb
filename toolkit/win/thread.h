#pragma once
// TThread: a worker thread with a body of its own (Execute).
//
// - Created suspended, it starts on its first Resume; created running, it starts
//   from AfterConstruction (NewThread<T> calls it once the object is complete).
// - Suspend and Resume count: a thread runs while the count is at most zero. A
//   Resume that comes before the thread suspends itself is kept (the count goes
//   below zero by one), so the next Suspend returns at once and no wake-up is lost.
//   Suspend from another thread takes effect at the worker's next CheckSuspended
//   or Synchronize.
// - Synchronize runs a call on the user-interface thread and blocks until it has
//   run; any message loop of that thread serves it (modal loops and message
//   boxes too). What the call raises is raised again in the worker.
// - What escapes Execute is reported on the user-interface thread.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <utility>

#include "toolkit/base/exception.h"

class EThread : public Exception {
public:
  using Exception::Exception;
};

class TThread {
public:
  // Raises EThread when the system cannot create the thread.
  explicit TThread(bool createSuspended);
  // Stops the thread with TerminateAndWait; do not delete a FreeOnTerminate
  // thread that has started. A derived class whose Execute uses its own members
  // calls TerminateAndWait in its destructor, before those members go.
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts a thread created running. Called once the most derived object exists.
  void AfterConstruction();

  void Resume();
  void Suspend();
  bool Suspended() const;

  // Asks the body to stop; Execute reads Terminated().
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  bool FreeOnTerminate = false;
  bool Finished() const { return finished_; }
  int ReturnValue = 0;

  // Terminates, wakes the thread whatever its suspend count (a body that has not
  // started is skipped) and waits for it to end. Suspend no longer blocks after it.
  void TerminateAndWait();

  // Blocks until the body has ended, serving calls sent to this thread
  // meanwhile (so a Synchronize in flight cannot deadlock). Returns ReturnValue.
  int WaitFor();

  // Runs call on the user-interface thread; from that thread it runs at once.
  // The worker first waits out a Suspend asked for by another thread.
  void Synchronize(const std::function<void()>& call);

  // Marks the calling thread as the user-interface thread and makes the hidden
  // window that serves Synchronize. The first TThread made does it if no one did.
  static void InitMainThread();
  static unsigned long MainThreadID();

protected:
  virtual void Execute() = 0;
  // Waits while a Suspend from another thread is pending.
  void CheckSuspended();

private:
  static unsigned __stdcall ThreadProc(void* self);
  void Start();

  void* handle_ = nullptr;
  unsigned threadId_ = 0;
  mutable std::mutex lock_;
  std::condition_variable wake_;
  int suspendCount_;
  bool started_ = false;
  bool cancelled_ = false;  // destroyed before it started: the body is skipped
  bool releasing_ = false;  // being destroyed: suspending no longer waits
  void* startGate_ = nullptr;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
};

// Creates a thread object and starts it if it was made running.
template <class T, class... Args>
T* NewThread(Args&&... args) {
  T* t = new T(std::forward<Args>(args)...);
  t->AfterConstruction();
  return t;
}
