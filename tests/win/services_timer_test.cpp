#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/win/app_errors.h"
#include "toolkit/win/timer.h"
#include "win/services_pump.h"

TEST(ServicesTimer, FiresInMessageLoopWithItselfAsSender) {
  TTimer t(nullptr);
  std::vector<TObject*> senders;
  t.OnTimer = [&](TObject* s) { senders.push_back(s); };
  t.SetInterval(15);
  ASSERT_TRUE(PumpUntil([&] { return senders.size() >= 3; }, 3000));
  for (TObject* s : senders) EXPECT_EQ(s, &t);
}

TEST(ServicesTimer, HandlerMayDisableOrDeleteItsOwnTimer) {
  TTimer t(nullptr);
  int calls = 0;
  t.SetInterval(10);
  t.OnTimer = [&](TObject*) { ++calls; t.SetEnabled(false); };
  TTimer* doomed = new TTimer(nullptr);
  int doomedCalls = 0;
  doomed->SetInterval(10);
  doomed->OnTimer = [&](TObject* sender) { ++doomedCalls; delete static_cast<TTimer*>(sender); };
  // A third timer keeps the loop honest: it must go on firing after the others stopped.
  TTimer other(nullptr);
  int others = 0;
  other.SetInterval(10);
  other.OnTimer = [&](TObject*) { ++others; };
  ASSERT_TRUE(PumpUntil([&] { return calls > 0 && doomedCalls > 0; }, 3000));
  int before = others;
  ASSERT_TRUE(PumpUntil([&] { return others >= before + 5; }, 3000));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(doomedCalls, 1);
  EXPECT_FALSE(t.IsRunning());
  t.SetEnabled(true);  // enabling again starts it anew
  EXPECT_TRUE(PumpUntil([&] { return calls == 2; }, 3000));
}

TEST(ServicesTimer, RunsOnlyWhenEnabledWithInterval) {
  struct Case { unsigned Interval; bool Enabled, Running; } cases[] = {
      {0, true, false}, {100, false, false}, {100, true, true}, {1, true, true}};
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

TEST(ServicesTimer, ExceptionFromHandlerIsReportedAndTimerGoesOn) {
  std::vector<std::string> reports;
  TExceptionReport previous = SetExceptionReport([&](const std::string& m) { reports.push_back(m); });
  TTimer t(nullptr);
  int calls = 0;
  t.SetInterval(10);
  t.OnTimer = [&](TObject*) { throw Exception("tick failed " + std::to_string(++calls)); };
  bool twice = PumpUntil([&] { return calls >= 2; }, 3000);
  t.SetEnabled(false);
  SetExceptionReport(std::move(previous));
  ASSERT_TRUE(twice);
  ASSERT_GE(reports.size(), 2u);
  EXPECT_EQ(reports[0], "tick failed 1");
  EXPECT_EQ(reports[1], "tick failed 2");
}

TEST(ServicesTimer, CreatedByClassNameWithPropertiesByNameAndFreedByOwner) {
  const TClassInfo* info = FindComponentClass("ttimer");
  ASSERT_TRUE(info && info->Create);
  int calls = 0;
  {
    TComponent owner(nullptr);
    TTimer* t = dyn<TTimer>(info->Create(&owner));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Owner(), &owner);
    EXPECT_EQ(GetOrdProp(*t, "Interval"), 1000);
    EXPECT_EQ(GetOrdProp(*t, "enabled"), 1);
    SetOrdProp(*t, "Enabled", 0);
    EXPECT_FALSE(t->GetEnabled());
    TPropValue handler;
    handler.Kind = TPropKind::Event;
    handler.Method = TNotifyEvent([&](TObject*) { ++calls; });
    SetPropValue(*t, "OnTimer", handler);
    SetOrdProp(*t, "INTERVAL", 5);
    SetOrdProp(*t, "Enabled", 1);
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }, 3000));
  }
  int after = calls;
  PumpFor(60);  // gone with its owner: no more ticks
  EXPECT_EQ(calls, after);
}
