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
  TLambdaThread(bool suspended, std::function<void(TLambdaThread&)> body)
      : TThread(suspended), body_(std::move(body)) {}
  using TThread::CheckSuspended;
  std::atomic<bool>* DestroyedFlag = nullptr;
  ~TLambdaThread() override {
    if (DestroyedFlag) *DestroyedFlag = true;
  }

protected:
  void Execute() override { body_(*this); }

private:
  std::function<void(TLambdaThread&)> body_;
};

struct ReportRecorder {
  std::vector<std::string> Messages;
  std::vector<DWORD> Threads;
  TExceptionReport Previous;
  ReportRecorder() {
    Previous = SetExceptionReport([this](const std::string& m) {
      Messages.push_back(m);
      Threads.push_back(GetCurrentThreadId());
    });
  }
  ~ReportRecorder() { SetExceptionReport(std::move(Previous)); }
};
}  // namespace

TEST(ServicesThread, CreatedSuspendedRunsOnlyAfterResume) {
  std::atomic<int> runs{0};
  TLambdaThread t(true, [&](TLambdaThread& self) {
    ++runs;
    self.ReturnValue = 42;
  });
  Sleep(100);
  EXPECT_EQ(runs, 0);
  EXPECT_TRUE(t.Suspended());
  EXPECT_THROW(t.WaitFor(), EThread);  // would wait forever
  t.Resume();
  EXPECT_EQ(t.WaitFor(), 42);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(t.Finished());
}

TEST(ServicesThread, CreatedRunningStartsAfterConstruction) {
  std::atomic<DWORD> worker{0};
  TLambdaThread* t = NewThread<TLambdaThread>(false, [&](TLambdaThread&) { worker = GetCurrentThreadId(); });
  t->WaitFor();
  EXPECT_NE(worker, 0u);
  EXPECT_NE(worker, GetCurrentThreadId());
  delete t;
}

TEST(ServicesThread, PauseBeforeFirstResumeKeepsItSuspendedUntilBalanced) {
  std::atomic<int> runs{0};
  TLambdaThread t(true, [&](TLambdaThread&) { ++runs; });
  t.Suspend();  // count 2
  t.Resume();   // count 1: still not started
  Sleep(50);
  EXPECT_EQ(runs, 0);
  EXPECT_TRUE(t.Suspended());
  t.Resume();
  t.WaitFor();
  EXPECT_EQ(runs, 1);
}

TEST(ServicesThread, SynchronizeRunsOnUserInterfaceThreadAndBlocksWorker) {
  const DWORD ui = GetCurrentThreadId();
  std::vector<std::string> order;  // written only on the user-interface thread
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> sawResult{false};
  TLambdaThread t(true, [&](TLambdaThread& self) {
    int value = 0;
    self.Synchronize([&] {
      ranOn = GetCurrentThreadId();
      order.push_back("call");
      Sleep(30);
      value = 7;
    });
    sawResult = (value == 7);  // the call finished before Synchronize returned
  });
  t.Resume();
  t.WaitFor();  // serves the call
  EXPECT_EQ(ranOn, ui);
  EXPECT_TRUE(sawResult);
  EXPECT_EQ(order.size(), 1u);
}

TEST(ServicesThread, SynchronizeIsServedInsideModalMessageBox) {
  HANDLE boxUp = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> callRan{false};
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> workerDone{false};
  TLambdaThread t(false, [&](TLambdaThread& self) {
    WaitForSingleObject(boxUp, 5000);
    self.Synchronize([&] {
      ranOn = GetCurrentThreadId();
      callRan = true;
    });
    workerDone = true;
  });
  t.AfterConstruction();

  // A timer of the user-interface thread watches the box: once it is up it lets
  // the worker go, and once the call has run (or time is up) it closes the box.
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
  EXPECT_TRUE(workerDone);
  CloseHandle(boxUp);
}

TEST(ServicesThread, ExceptionInSynchronizedCallIsRaisedInWorker) {
  std::string caught;
  TLambdaThread t(true, [&](TLambdaThread& self) {
    try {
      self.Synchronize([] { throw EConvertError("bad number"); });
    } catch (const EConvertError& e) {
      caught = e.Message();
    }
  });
  t.Resume();
  t.WaitFor();
  EXPECT_EQ(caught, "bad number");
}

TEST(ServicesThread, ExceptionEscapingExecuteIsReportedOnUserInterfaceThread) {
  ReportRecorder reports;
  TLambdaThread t(true, [](TLambdaThread&) { throw Exception("lookup failed"); });
  t.Resume();
  t.WaitFor();
  ASSERT_EQ(reports.Messages.size(), 1u);
  EXPECT_EQ(reports.Messages[0], "lookup failed");
  EXPECT_EQ(reports.Threads[0], GetCurrentThreadId());
}

// The hand-over of the hint threads: the worker marks itself idle and then
// suspends; the resume may come in between. Each round must still go on.
TEST(ServicesThread, ResumeBeforeSuspendIsNotLost) {
  const int rounds = 20;
  std::atomic<int> idle{0};  // round the worker has announced itself idle in
  std::atomic<int> done{0};
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

TEST(ServicesThread, SuspendFromOutsideHoldsWorkerAtItsNextCheck) {
  std::atomic<int> steps{0};
  TLambdaThread t(false, [&](TLambdaThread& self) {
    while (!self.Terminated()) {
      ++steps;
      Sleep(1);
      self.CheckSuspended();
    }
  });
  t.AfterConstruction();
  ASSERT_TRUE(PumpUntil([&] { return steps > 5; }, 3000));
  t.Suspend();
  EXPECT_TRUE(t.Suspended());
  Sleep(50);
  int held = steps;
  Sleep(100);
  EXPECT_EQ(steps, held);
  t.Resume();
  EXPECT_TRUE(PumpUntil([&] { return steps > held + 5; }, 3000));
  t.Terminate();
  t.WaitFor();
}

TEST(ServicesThread, SynchronizeWaitsOutPendingSuspend) {
  std::atomic<bool> go{false};
  std::atomic<bool> called{false};
  TLambdaThread t(false, [&](TLambdaThread& self) {
    while (!go) Sleep(1);
    self.Synchronize([&] { called = true; });
  });
  t.AfterConstruction();
  t.Suspend();
  go = true;
  PumpFor(100);
  EXPECT_FALSE(called);
  t.Resume();
  t.WaitFor();
  EXPECT_TRUE(called);
}

TEST(ServicesThread, FreeOnTerminateDeletesItselfAfterExecute) {
  std::atomic<bool> destroyed{false};
  TLambdaThread* t = new TLambdaThread(true, [](TLambdaThread&) {});
  t->FreeOnTerminate = true;
  t->DestroyedFlag = &destroyed;
  t->Resume();
  EXPECT_TRUE(PumpUntil([&] { return destroyed.load(); }, 3000));
}

TEST(ServicesThread, DestroyingNeverStartedThreadSkipsExecute) {
  std::atomic<int> runs{0};
  { TLambdaThread t(true, [&](TLambdaThread&) { ++runs; }); }
  EXPECT_EQ(runs, 0);
}

TEST(ServicesThread, DestroyingParkedThreadTerminatesAndWakesIt) {
  std::atomic<bool> parked{false};
  std::atomic<bool> sawTerminated{false};
  {
    TLambdaThread t(true, [&](TLambdaThread& self) {
      parked = true;
      self.Suspend();
      sawTerminated = self.Terminated();
    });
    t.Resume();
    ASSERT_TRUE(PumpUntil([&] { return parked.load(); }, 3000));
    Sleep(20);
  }
  EXPECT_TRUE(sawTerminated);
}
