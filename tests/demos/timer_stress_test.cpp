// Many StartTimer, StopTimer and Done calls over several components with a
// very short period: no event may arrive where none is expected, and every
// reference taken must be given back.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "addin/timer.h"
#include "tests/demos/demo_platform.h"

namespace {

constexpr int kSlots = 3;
constexpr int kOperations = 900;

struct Slot {
  DemoPlatform platform;
  std::unique_ptr<DemoComponent> component;

  Slot() {
    platform.connection.Offer<IAsyncEvent>(platform.events.As<IAsyncEvent>());
    platform.events.SetBusy(2);  // widens the window in which a stop could overtake a running event
  }
};

TEST(TimerStress, NoEventAfterStopOrDoneAndBalancedReferences) {
  SetTimerPeriodForTests(1);
  Slot slots[kSlots];
  for (Slot& slot : slots) slot.component = std::make_unique<DemoComponent>(slot.platform);
  // Events may arrive only at the sink of the most recent StartTimer, until a
  // StopTimer, or the Done of the component that started it.
  auto refuseAllBut = [&](int accepted) {
    for (int i = 0; i < kSlots; ++i)
      if (i != accepted) slots[i].platform.events.SetAccepting(false);
  };
  refuseAllBut(-1);

  std::mt19937 random(20261208);
  int starts = 0, stops = 0, dones = 0;
  for (int operation = 0; operation < kOperations; ++operation) {
    const int i = static_cast<int>(random() % kSlots);
    Slot& slot = slots[i];
    switch (random() % 4) {
      case 0:
      case 1:
        slot.platform.events.SetAccepting(true);
        ASSERT_EQ(slot.component->Run(kStartTimer), S_OK);
        refuseAllBut(i);
        ++starts;
        break;
      case 2:
        ASSERT_EQ(slot.component->Run(kStopTimer), S_OK);
        refuseAllBut(-1);
        ++stops;
        break;
      case 3:
        slot.component->Done();
        slot.platform.events.SetAccepting(false);
        EXPECT_EQ(slot.platform.events.RefCount(), 0);
        slot.component = std::make_unique<DemoComponent>(slot.platform);
        ++dones;
        break;
    }
    Sleep(random() % 3);
  }
  for (Slot& slot : slots) slot.component->Done();
  SetTimerPeriodForTests(1000);

  size_t events = 0;
  for (Slot& slot : slots) {
    EXPECT_EQ(slot.platform.events.Unexpected(), 0);
    slot.platform.ExpectBalanced();
    events += slot.platform.events.Count();
  }
  EXPECT_GT(events, 0u) << "the timers ran";
  printf("%d StartTimer, %d StopTimer, %d Done; %u events\n", starts, stops, dones, static_cast<unsigned>(events));
}

}  // namespace
