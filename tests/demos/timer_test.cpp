// StartTimer and StopTimer: the periodic external event, its timing, and a
// timer that never outlives the component or reaches a released sink.
#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "addin/timer.h"
#include "tests/demos/demo_platform.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr DWORD kShortPeriodMs = 10;
constexpr milliseconds kPatience{5000};
// Long enough for many short-period ticks.
constexpr DWORD kQuietMs = 150;

long Ms(Clock::duration span) { return static_cast<long>(std::chrono::duration_cast<milliseconds>(span).count()); }

bool IsDecimal(const std::wstring& text) {
  return !text.empty() && text.find_first_not_of(L"0123456789") == std::wstring::npos &&
         (text == L"0" || text[0] != L'0');
}

// Each event keeps the timer's thread busy for a while, so that a call still
// running when StopTimer or Done returns is seen.
struct AsyncPlatform : DemoPlatform {
  AsyncPlatform() {
    connection.Offer<IAsyncEvent>(events.As<IAsyncEvent>());
    events.SetBusy(3);
  }
};

TEST(TimerPace, FirstEventAfterAboutASecondThenOneEverySecond) {
  SetTimerPeriodForTests(1000);
  AsyncPlatform platform;
  DemoComponent addin(platform);
  const auto start = Clock::now();
  ASSERT_EQ(addin.Run(kStartTimer), S_OK);
  ASSERT_TRUE(platform.events.WaitFor(3, milliseconds(10000)));
  ASSERT_EQ(addin.Run(kStopTimer), S_OK);
  const auto events = platform.events.Events();
  EXPECT_GE(Ms(events[0].time - start), 700);
  EXPECT_LE(Ms(events[0].time - start), 2500);
  for (size_t i = 1; i < events.size(); ++i) {
    EXPECT_GE(Ms(events[i].time - events[i - 1].time), 500);
    EXPECT_LE(Ms(events[i].time - events[i - 1].time), 2000);
  }
  for (const auto& event : events) {
    EXPECT_EQ(event.source, L"ComponentCOM");
    EXPECT_EQ(event.event, L"Timer");
    EXPECT_TRUE(IsDecimal(event.data)) << "data: " << testing::PrintToString(event.data);
    EXPECT_NE(event.thread, GetCurrentThreadId()) << "events come from the timer's thread";
  }
  addin.Done();
  platform.ExpectBalanced();
}

class Timer : public testing::Test {
 protected:
  void SetUp() override { SetTimerPeriodForTests(kShortPeriodMs); }
  void TearDown() override { SetTimerPeriodForTests(1000); }

  // Events flow to `events` (a few of them arrive).
  static void ExpectFlowing(RecordingAsyncEvent& events) {
    const size_t seen = events.Count();
    EXPECT_TRUE(events.WaitFor(seen + 3, kPatience)) << "events flow";
  }
  // After the call that ended them, no further event arrives.
  static void ExpectSilent(RecordingAsyncEvent& events) {
    events.SetAccepting(false);
    const size_t seen = events.Count();
    Sleep(kQuietMs);
    EXPECT_EQ(events.Count(), seen);
  }
};

TEST_F(Timer, StopTimerEndsTheEventsAtOnce) {
  AsyncPlatform platform;
  DemoComponent addin(platform);
  ASSERT_EQ(addin.Run(kStartTimer), S_OK);
  ExpectFlowing(platform.events);
  ASSERT_EQ(addin.Run(kStopTimer), S_OK);
  ExpectSilent(platform.events);
  addin.Done();
  platform.ExpectBalanced();
}

TEST_F(Timer, StopWithoutTimerAndStartAfterStopResume) {
  AsyncPlatform platform;
  DemoComponent addin(platform);
  EXPECT_EQ(addin.Run(kStopTimer), S_OK);
  ExpectSilent(platform.events);
  platform.events.SetAccepting(true);
  ASSERT_EQ(addin.Run(kStartTimer), S_OK);
  ExpectFlowing(platform.events);
  ASSERT_EQ(addin.Run(kStopTimer), S_OK);
  platform.events.SetAccepting(true);
  ASSERT_EQ(addin.Run(kStartTimer), S_OK);
  ExpectFlowing(platform.events);
  ASSERT_EQ(addin.Run(kStopTimer), S_OK);
  ExpectSilent(platform.events);
  addin.Done();
  platform.ExpectBalanced();
}

TEST_F(Timer, SecondStartReplacesTheRunningTimer) {
  AsyncPlatform platform;
  DemoComponent addin(platform);
  ASSERT_EQ(addin.Run(kStartTimer), S_OK);
  ASSERT_TRUE(platform.events.WaitFor(5, kPatience));
  ASSERT_EQ(addin.Run(kStartTimer), S_OK);
  const auto restarted = Clock::now();
  platform.events.Clear();
  Sleep(30 * kShortPeriodMs);
  // One timer cannot run ahead of its schedule (a late one only catches up),
  // so more than half as many again as one timer sends means two are running.
  long inWindow = 0;
  std::set<std::wstring> data;
  for (const auto& event : platform.events.Events()) {
    if (Ms(event.time - restarted) <= 30 * static_cast<long>(kShortPeriodMs)) ++inWindow;
    // The new timer numbers its ticks from 1, so an old one left running
    // beside it repeats numbers that it sends.
    EXPECT_TRUE(data.insert(event.data).second) << "repeated tick";
  }
  EXPECT_GT(inWindow, 0);
  EXPECT_LE(inWindow, 45);
  ASSERT_EQ(addin.Run(kStopTimer), S_OK);
  ExpectSilent(platform.events);
  addin.Done();
  platform.ExpectBalanced();
}

TEST_F(Timer, DoneEndsTheTimerBeforeReleasingTheSink) {
  AsyncPlatform platform;
  DemoComponent addin(platform);
  ASSERT_EQ(addin.Run(kStartTimer), S_OK);
  ExpectFlowing(platform.events);
  addin.Done();
  ExpectSilent(platform.events);
  platform.ExpectBalanced();
}

TEST_F(Timer, ComponentDroppedWithoutDoneTakesItsTimerAlong) {
  AsyncPlatform platform;
  DemoComponent addin(platform);
  ASSERT_EQ(addin.Run(kStartTimer), S_OK);
  ExpectFlowing(platform.events);
  addin.Drop();
  ExpectSilent(platform.events);
}

TEST_F(Timer, RepeatedInitEndsTheTimerBeforeReplacingTheSink) {
  AsyncPlatform first, second;
  auto addin = NewAddIn();
  ASSERT_EQ(AsIf<IInitDone>(addin)->Init(first.connection.As<IDispatch>()), S_OK);
  ASSERT_EQ(addin->CallAsProc(kStartTimer, nullptr), S_OK);
  ExpectFlowing(first.events);
  ASSERT_EQ(AsIf<IInitDone>(addin)->Init(second.connection.As<IDispatch>()), S_OK);
  ExpectSilent(first.events);
  first.ExpectBalanced();
  ASSERT_EQ(AsIf<IInitDone>(addin)->Done(), S_OK);
  second.ExpectBalanced();
}

// The most recent StartTimer of any component decides where the events go;
// StopTimer of any component ends them.
TEST_F(Timer, LatestStartDecidesWhereEventsGo) {
  AsyncPlatform first, second;
  DemoComponent a(first), b(second);
  ASSERT_EQ(a.Run(kStartTimer), S_OK);
  ExpectFlowing(first.events);
  ASSERT_EQ(b.Run(kStartTimer), S_OK);
  ExpectSilent(first.events);
  ExpectFlowing(second.events);
  ASSERT_EQ(a.Run(kStopTimer), S_OK);
  ExpectSilent(second.events);
  second.events.SetAccepting(true);
  ASSERT_EQ(b.Run(kStartTimer), S_OK);
  ExpectFlowing(second.events);
  b.Done();
  a.Done();
  first.ExpectBalanced();
  second.ExpectBalanced();
}

// A component without IAsyncEvent runs its timer and sends nothing; being the
// latest to start, it silences the others.
TEST_F(Timer, StartWithoutAsyncEventSilencesTheOthers) {
  AsyncPlatform first;
  DemoPlatform silent;
  DemoComponent a(first), c(silent);
  ASSERT_EQ(a.Run(kStartTimer), S_OK);
  ExpectFlowing(first.events);
  ASSERT_EQ(c.Run(kStartTimer), S_OK);
  ExpectSilent(first.events);
  ASSERT_EQ(c.Run(kStopTimer), S_OK);
  c.Done();
  a.Done();
  first.ExpectBalanced();
  silent.ExpectBalanced();
}

// Done of the component whose sink is in use leaves no pointer to it behind,
// though another component's timer still runs.
TEST_F(Timer, DoneOfTheSinksOwnerClearsIt) {
  AsyncPlatform first, second;
  DemoComponent a(first), b(second);
  ASSERT_EQ(a.Run(kStartTimer), S_OK);
  ASSERT_EQ(b.Run(kStartTimer), S_OK);
  first.events.SetAccepting(false);
  ExpectFlowing(second.events);
  b.Done();
  ExpectSilent(second.events);
  EXPECT_EQ(second.events.RefCount(), 0);
  Sleep(kQuietMs);  // a's timer keeps running, and reaches neither sink
  a.Done();
  first.ExpectBalanced();
  second.ExpectBalanced();
}

TEST_F(Timer, DoneOfAnotherComponentLeavesTheSinkInUse) {
  AsyncPlatform first, second;
  DemoComponent a(first), b(second);
  ASSERT_EQ(b.Run(kStartTimer), S_OK);
  ASSERT_EQ(a.Run(kStartTimer), S_OK);
  second.events.SetAccepting(false);
  b.Done();
  ExpectFlowing(first.events);
  second.ExpectBalanced();
  a.Done();
  ExpectSilent(first.events);
  first.ExpectBalanced();
}

}  // namespace
