#include "toolkit/win/thread.h"
#include "toolkit/win/hidden_window.h"

#include <windows.h>
#include <process.h>

#include <exception>

#include "toolkit/win/app_errors.h"
#include "toolkit/win/system_error.h"

namespace {
const wchar_t kSyncClass[] = L"TThreadSyncWindow";
const UINT kSyncMessage = WM_USER + 0x100;

HWND syncWindow = nullptr;
DWORD mainThreadId = 0;

// A call carried to the user-interface thread and its outcome.
struct TSyncCall {
  const std::function<void()>* Call;
  std::exception_ptr Error;
  bool Ran = false;
};

LRESULT CALLBACK SyncWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kSyncMessage) {
    TSyncCall* c = reinterpret_cast<TSyncCall*>(lp);
    c->Ran = true;
    try {
      (*c->Call)();
    } catch (...) {
      c->Error = std::current_exception();
    }
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

// Runs call on the user-interface thread and hands back what it raised.
void RunInMainThread(const std::function<void()>& call) {
  if (GetCurrentThreadId() == mainThreadId) {
    call();
    return;
  }
  TSyncCall c{&call, nullptr, false};
  SendMessageW(syncWindow, kSyncMessage, 0, reinterpret_cast<LPARAM>(&c));
  if (!c.Ran) throw EThread("The user-interface thread did not run the synchronized call");
  if (c.Error) std::rethrow_exception(c.Error);
}

}  // namespace

void TThread::InitMainThread() {
  if (syncWindow) return;
  syncWindow = CreateHiddenWindow(kSyncClass, SyncWndProc);
  mainThreadId = GetCurrentThreadId();
}

unsigned long TThread::MainThreadID() { return mainThreadId; }

TThread::TThread(bool createSuspended) : suspendCount_(createSuspended ? 1 : 0) {
  InitMainThread();
  startGate_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!startGate_) throw EThread("Thread creation error: " + SystemErrorText(GetLastError()));
  uintptr_t h = _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, 0, &threadId_);
  if (!h) {
    DWORD err = GetLastError();
    CloseHandle(startGate_);
    throw EThread("Thread creation error: " + SystemErrorText(err));
  }
  handle_ = reinterpret_cast<void*>(h);
}

TThread::~TThread() {
  TerminateAndWait();
  CloseHandle(handle_);
  CloseHandle(startGate_);
}

void TThread::TerminateAndWait() {
  if (GetCurrentThreadId() == threadId_) return;  // a thread freeing itself
  {
    std::lock_guard<std::mutex> g(lock_);
    if (!started_) cancelled_ = true;
    suspendCount_ = 0;
    releasing_ = true;  // no Suspend blocks from here on
  }
  terminated_ = true;
  wake_.notify_all();
  SetEvent(startGate_);
  WaitFor();
}

void TThread::AfterConstruction() {
  std::lock_guard<std::mutex> g(lock_);
  if (!started_ && suspendCount_ <= 0) Start();
}

void TThread::Start() {
  started_ = true;
  if (suspendCount_ < 0) suspendCount_ = 0;
  SetEvent(startGate_);
}

void TThread::Resume() {
  {
    std::lock_guard<std::mutex> g(lock_);
    if (suspendCount_ > -1) --suspendCount_;
    if (!started_) {
      if (suspendCount_ <= 0) Start();
      return;
    }
  }
  wake_.notify_all();
}

void TThread::Suspend() {
  std::unique_lock<std::mutex> g(lock_);
  ++suspendCount_;
  if (GetCurrentThreadId() == threadId_) wake_.wait(g, [this] { return suspendCount_ <= 0 || releasing_; });
}

bool TThread::Suspended() const {
  std::lock_guard<std::mutex> g(lock_);
  return !started_ || suspendCount_ > 0;
}

void TThread::CheckSuspended() {
  std::unique_lock<std::mutex> g(lock_);
  wake_.wait(g, [this] { return suspendCount_ <= 0 || releasing_; });
}

int TThread::WaitFor() {
  if (GetCurrentThreadId() == threadId_) throw EThread("A thread cannot wait for itself");
  {
    std::lock_guard<std::mutex> g(lock_);
    if (!started_ && !cancelled_) throw EThread("Cannot wait for a thread that has not started");
  }
  HANDLE h = handle_;
  for (;;) {
    DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0 + 1) {
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      continue;
    }
    break;
  }
  return ReturnValue;
}

void TThread::Synchronize(const std::function<void()>& call) {
  if (GetCurrentThreadId() == threadId_) CheckSuspended();
  RunInMainThread(call);
}

unsigned __stdcall TThread::ThreadProc(void* self) {
  TThread* t = static_cast<TThread*>(self);
  WaitForSingleObject(t->startGate_, INFINITE);
  bool run;
  {
    std::lock_guard<std::mutex> g(t->lock_);
    run = !t->cancelled_;
  }
  if (!run) return 0;
  std::string failure;
  bool failed = false;
  try {
    t->Execute();
  } catch (const std::exception& e) {
    failed = true;
    failure = e.what();
  } catch (...) {
    failed = true;
    failure = "unknown error";
  }
  if (failed)
    Guarded([&] { RunInMainThread([&] { ReportException(Exception(failure)); }); });
  unsigned rv = static_cast<unsigned>(t->ReturnValue);
  t->finished_ = true;
  if (t->FreeOnTerminate) delete t;
  return rv;
}
