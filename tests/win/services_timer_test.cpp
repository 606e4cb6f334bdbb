#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/win/app_errors.h"
#include "toolkit/win/timer.h"
#include "win/services_pump.h"

namespace {
struct ReportRecorder {
  std::vector<std::string> Messages;
  TExceptionReport Previous;
  ReportRecorder() {
    Previous = SetExceptionReport([this](const std::string& m) { Messages.push_back(m); });
  }
  ~ReportRecorder() { SetExceptionReport(std::move(Previous)); }
};
}  // namespace

TEST(ServicesTimer, FiresRepeatedlyInMessageLoopWithItselfAsSender) {
  TTimer t(nullptr);
  std::vector<TObject*> senders;
  t.OnTimer = [&](TObject* s) { senders.push_back(s); };
  t.SetInterval(15);
  ASSERT_TRUE(t.IsRunning());
  ASSERT_TRUE(PumpUntil([&] { return senders.size() >= 3; }, 3000));
  for (TObject* s : senders) EXPECT_EQ(s, &t);
}

TEST(ServicesTimer, HandlerThatDisablesItsTimerRunsOnce) {
  TTimer t(nullptr);
  int calls = 0;
  t.SetInterval(10);
  t.OnTimer = [&](TObject*) {
    ++calls;
    t.SetEnabled(false);
  };
  ASSERT_TRUE(PumpUntil([&] { return calls > 0; }, 3000));
  PumpFor(150);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(t.IsRunning());
  // Enabling again starts it anew.
  t.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return calls == 2; }, 3000));
}

TEST(ServicesTimer, HandlerMayDeleteItsOwnTimer) {
  TTimer* doomed = new TTimer(nullptr);
  int calls = 0;
  doomed->SetInterval(10);
  doomed->OnTimer = [&](TObject* sender) {
    ++calls;
    delete static_cast<TTimer*>(sender);
  };
  // A second timer keeps the loop honest: it must go on firing after the first went.
  TTimer other(nullptr);
  int others = 0;
  other.SetInterval(10);
  other.OnTimer = [&](TObject*) { ++others; };
  ASSERT_TRUE(PumpUntil([&] { return calls > 0; }, 3000));
  int before = others;
  ASSERT_TRUE(PumpUntil([&] { return others >= before + 3; }, 3000));
  EXPECT_EQ(calls, 1);
}

TEST(ServicesTimer, IntervalAndEnabledDecideWhetherItRuns) {
  struct Case {
    unsigned Interval;
    bool Enabled;
    bool Running;
  } cases[] = {{0, true, false}, {100, false, false}, {100, true, true}, {1, true, true}};
  for (const Case& c : cases) {
    TTimer t(nullptr);
    t.SetEnabled(c.Enabled);
    t.SetInterval(c.Interval);
    EXPECT_EQ(t.IsRunning(), c.Running) << c.Interval << " " << c.Enabled;
  }
}

TEST(ServicesTimer, ChangingIntervalRestartsWithTheNewPeriod) {
  TTimer t(nullptr);
  int calls = 0;
  t.OnTimer = [&](TObject*) { ++calls; };
  t.SetInterval(60000);
  PumpFor(50);
  EXPECT_EQ(calls, 0);
  t.SetInterval(20);
  EXPECT_TRUE(PumpUntil([&] { return calls >= 2; }, 3000));
}

TEST(ServicesTimer, DirectCallRunsHandlerOnlyWhileEnabled) {
  TTimer t(nullptr);
  t.SetInterval(60000);
  int calls = 0;
  t.OnTimer = [&](TObject*) { ++calls; };
  t.Timer();
  EXPECT_EQ(calls, 1);
  t.SetEnabled(false);
  t.Timer();
  EXPECT_EQ(calls, 1);
  t.SetEnabled(true);
  t.OnTimer = nullptr;
  t.Timer();  // no handler: nothing happens
  EXPECT_EQ(calls, 1);
}

TEST(ServicesTimer, ExceptionFromHandlerIsReportedAndTimerGoesOn) {
  ReportRecorder reports;
  TTimer t(nullptr);
  int calls = 0;
  t.SetInterval(10);
  t.OnTimer = [&](TObject*) {
    ++calls;
    throw Exception("tick failed " + std::to_string(calls));
  };
  ASSERT_TRUE(PumpUntil([&] { return calls >= 2; }, 3000));
  t.SetEnabled(false);
  ASSERT_GE(reports.Messages.size(), 2u);
  EXPECT_EQ(reports.Messages[0], "tick failed 1");
  EXPECT_EQ(reports.Messages[1], "tick failed 2");
}

TEST(ServicesTimer, PropertiesByNameAndCreationByClassName) {
  const TClassInfo* info = FindClass("ttimer");
  ASSERT_NE(info, nullptr);
  ASSERT_NE(info->Create, nullptr);
  TComponent owner(nullptr);
  TComponent* c = info->Create(&owner);
  TTimer* t = dyn<TTimer>(c);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Owner(), &owner);
  EXPECT_EQ(GetOrdProp(*t, "Interval"), 1000);
  EXPECT_EQ(GetOrdProp(*t, "enabled"), 1);
  SetOrdProp(*t, "INTERVAL", 250);
  SetOrdProp(*t, "Enabled", 0);
  EXPECT_EQ(t->GetInterval(), 250u);
  EXPECT_FALSE(t->GetEnabled());
  int calls = 0;
  TPropValue handler;
  handler.Kind = TPropKind::Event;
  handler.Method = TNotifyEvent([&](TObject*) { ++calls; });
  SetPropValue(*t, "OnTimer", handler);
  SetOrdProp(*t, "Interval", 10);
  SetOrdProp(*t, "Enabled", 1);
  EXPECT_TRUE(PumpUntil([&] { return calls > 0; }, 3000));
}

TEST(ServicesTimer, OwnerTakesRunningTimerAlong) {
  int calls = 0;
  {
    TComponent owner(nullptr);
    TTimer* t = new TTimer(&owner);
    t->SetInterval(5);
    t->OnTimer = [&](TObject*) { ++calls; };
  }
  PumpFor(100);
  EXPECT_EQ(calls, 0);
}
