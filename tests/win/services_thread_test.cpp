#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "toolkit/win/app_errors.h"
#include "toolkit/win/thread.h"
#include "toolkit/win/timer.h"
#include "win/services_pump.h"

namespace {
// A thread whose body is a lambda given by the test.
class TLambdaThread : public TThread {
public:
  TLambdaThread(bool suspended, std::function<void(TLambdaThread&)> body) : TThread(suspended), body_(std::move(body)) {}
  ~TLambdaThread() override {
    TerminateAndWait();  // body_ is used until the body ends
    if (DestroyedFlag) *DestroyedFlag = true;
  }
  using TThread::CheckSuspended;
  std::atomic<bool>* DestroyedFlag = nullptr;

protected:
  void Execute() override { body_(*this); }

private:
  std::function<void(TLambdaThread&)> body_;
};
}  // namespace

TEST(ServicesThread, CreatedSuspendedRunsOnlyWhenResumesBalanceSuspends) {
  std::atomic<int> runs{0};
  TLambdaThread t(true, [&](TLambdaThread& self) {
    ++runs;
    self.ReturnValue = 42;
  });
  EXPECT_THROW(t.WaitFor(), EThread);  // would wait forever
  t.Suspend();  // a pause before the first hand-over
  t.Resume();
  Sleep(50);
  EXPECT_EQ(runs, 0);
  EXPECT_TRUE(t.Suspended());
  t.Resume();
  EXPECT_EQ(t.WaitFor(), 42);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(t.Finished());
  // Created running: starts once constructed.
  std::atomic<DWORD> worker{0};
  TLambdaThread* r = NewThread<TLambdaThread>(false, [&](TLambdaThread&) { worker = GetCurrentThreadId(); });
  r->WaitFor();
  EXPECT_NE(worker, 0u);
  EXPECT_NE(worker, GetCurrentThreadId());
  delete r;
}

TEST(ServicesThread, SynchronizeRunsOnUserInterfaceThreadAndBlocksWorker) {
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> sawResult{false};
  std::string caught;
  TLambdaThread t(true, [&](TLambdaThread& self) {
    int value = 0;
    self.Synchronize([&] {
      ranOn = GetCurrentThreadId();
      Sleep(30);
      value = 7;
    });
    sawResult = (value == 7);  // the call finished before Synchronize returned
    try {
      self.Synchronize([] { throw EConvertError("bad number"); });
    } catch (const EConvertError& e) {
      caught = e.Message();
    }
  });
  t.Resume();
  t.WaitFor();  // serves the calls
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  EXPECT_TRUE(sawResult);
  EXPECT_EQ(caught, "bad number");  // raised again in the worker
}

TEST(ServicesThread, SynchronizeIsServedInsideModalMessageBox) {
  HANDLE boxUp = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> callRan{false}, workerDone{false};
  std::atomic<DWORD> ranOn{0};
  TLambdaThread t(true, [&](TLambdaThread& self) {
    WaitForSingleObject(boxUp, 5000);
    self.Synchronize([&] {
      ranOn = GetCurrentThreadId();
      callRan = true;
    });
    workerDone = true;
  });
  t.Resume();
  // A timer of this thread lets the worker go once the box is up, and closes
  // the box once the call has run (or time is up).
  DWORD started = GetTickCount();
  TTimer closer(nullptr);
  closer.SetInterval(20);
  closer.OnTimer = [&](TObject*) {
    HWND box = FindWindowW(L"#32770", L"services sync test");
    if (!box) return;
    SetEvent(boxUp);
    if ((callRan && workerDone) || GetTickCount() - started > 8000) PostMessageW(box, WM_COMMAND, IDOK, 0);
  };
  MessageBoxW(nullptr, L"waiting for the worker", L"services sync test", MB_OK);
  closer.SetEnabled(false);
  EXPECT_TRUE(callRan) << "the call did not run while the box was up";
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  t.WaitFor();
  CloseHandle(boxUp);
}

TEST(ServicesThread, ExceptionEscapingExecuteIsReportedOnUserInterfaceThread) {
  std::vector<std::string> messages;
  std::vector<DWORD> threads;
  TExceptionReport previous = SetExceptionReport([&](const std::string& m) {
    messages.push_back(m);
    threads.push_back(GetCurrentThreadId());
  });
  TLambdaThread t(true, [](TLambdaThread&) { throw Exception("lookup failed"); });
  t.Resume();
  t.WaitFor();
  SetExceptionReport(std::move(previous));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "lookup failed");
  EXPECT_EQ(threads[0], GetCurrentThreadId());
}

// The hand-over of the hint threads: the worker marks itself idle and then
// suspends; the resume may come in between. Each round must still go on.
TEST(ServicesThread, ResumeBeforeSuspendIsNotLost) {
  const int rounds = 20;
  std::atomic<int> idle{0}, done{0};
  TLambdaThread t(true, [&](TLambdaThread& self) {
    for (int r = 1; r <= rounds; ++r) {
      idle = r;
      if (r % 2) Sleep(20);  // odd rounds: the resume surely comes first
      self.Suspend();
      done = r;
    }
  });
  t.Resume();
  for (int r = 1; r <= rounds; ++r) {
    ASSERT_TRUE(PumpUntil([&] { return idle >= r; }, 5000)) << "round " << r;
    t.Resume();
    ASSERT_TRUE(PumpUntil([&] { return done >= r; }, 5000)) << "wake-up lost in round " << r;
  }
  t.WaitFor();
}

TEST(ServicesThread, SuspendFromOutsideHoldsWorkerAtItsNextCheckAndSynchronize) {
  std::atomic<int> steps{0};
  std::atomic<bool> looped{false}, go{false}, synced{false};
  TLambdaThread t(true, [&](TLambdaThread& self) {
    while (!self.Terminated()) {
      ++steps;
      Sleep(1);
      self.CheckSuspended();
    }
    looped = true;
    while (!go) Sleep(1);
    self.Synchronize([&] { synced = true; });
  });
  t.Resume();
  ASSERT_TRUE(PumpUntil([&] { return steps > 5; }, 3000));
  t.Suspend();
  Sleep(50);
  int held = steps;
  PumpFor(100);
  EXPECT_EQ(steps, held);
  t.Resume();
  EXPECT_TRUE(PumpUntil([&] { return steps > held + 5; }, 3000));
  // Past its loop, suspended from here: the synchronized call waits for Resume.
  t.Terminate();
  ASSERT_TRUE(PumpUntil([&] { return looped.load(); }, 3000));
  t.Suspend();
  go = true;
  PumpFor(100);
  EXPECT_FALSE(synced);
  t.Resume();
  t.WaitFor();
  EXPECT_TRUE(synced);
}

TEST(ServicesThread, FreeOnTerminateDeletesItselfAfterExecute) {
  std::atomic<bool> destroyed{false};
  TLambdaThread* t = new TLambdaThread(true, [](TLambdaThread&) {});
  t->FreeOnTerminate = true;
  t->DestroyedFlag = &destroyed;
  t->Resume();
  EXPECT_TRUE(PumpUntil([&] { return destroyed.load(); }, 3000));
}

TEST(ServicesThread, DestroyingSkipsUnstartedBodyAndWakesParkedOne) {
  std::atomic<int> runs{0};
  { TLambdaThread never(true, [&](TLambdaThread&) { ++runs; }); }
  EXPECT_EQ(runs, 0);
  std::atomic<bool> parked{false}, sawTerminated{false};
  {
    TLambdaThread t(true, [&](TLambdaThread& self) {
      parked = true;
      self.Suspend();
      sawTerminated = self.Terminated();
    });
    t.Resume();
    ASSERT_TRUE(PumpUntil([&] { return parked.load(); }, 3000));
  }
  EXPECT_TRUE(sawTerminated);
}
