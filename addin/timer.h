// The demonstration timer behind StartTimer and StopTimer: a Windows timer
// queue whose callback raises ExternalEvent("ComponentCOM", "Timer", <tick>)
// every second on a worker thread of the queue.
//
// Events go to one module-wide sink: the IAsyncEvent named by the most recent
// Start of any component, and Stop of any component clears it. The sink holds
// no reference; the component that named it keeps its own and calls Shutdown
// before releasing it, which clears the sink if that component set it.
// Callbacks use the sink under a shared lock and every change takes the lock
// exclusively, so once Start, Stop or Shutdown has returned no ExternalEvent
// through the old sink is still running or can still start.
#pragma once
#include <windows.h>

#include <atomic>

#include "host/host_services.h"

class DemoTimer {
 public:
  DemoTimer() = default;
  DemoTimer(const DemoTimer&) = delete;
  DemoTimer& operator=(const DemoTimer&) = delete;
  ~DemoTimer();

  // Replaces this object's running timer with a new one and directs the
  // module's events to `sink` (null: the timer runs and sends nothing). When
  // the queue or the timer cannot be created, this object is left idle.
  void Start(IAsyncEvent* sink);
  // Ends this object's timer and clears the module's sink, whoever set it.
  void Stop();
  // Ends this object's timer and clears the module's sink if this object set
  // it: after this, nothing reaches the IAsyncEvent given to Start.
  void Shutdown();

 private:
  // Deletes the queue with its timer, waiting for callbacks that are running.
  void DeleteQueue();

  HANDLE m_queue = nullptr;
  std::atomic<unsigned long> m_ticks{0};  // the running timer's tick count, sent as the event data
};

// Shortens the first delay and the period (normally 1000 ms). For tests only;
// the platform cannot reach it.
void SetTimerPeriodForTests(DWORD periodMs);
