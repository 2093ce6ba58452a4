// Double of the platform's IAsyncEvent: records every external event with the
// time and thread it arrived on, and fails the test when an event arrives
// after the last reference was released or while the test expects silence.
// Events arrive on timer threads, so everything it records is locked.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "host/host_services.h"
#include "support/bstr.h"
#include "tests/doubles/test_object.h"

struct ExternalEventCall {
  std::wstring source;
  std::wstring event;
  std::wstring data;
  std::chrono::steady_clock::time_point time;
  DWORD thread;
};

class RecordingAsyncEvent final : public TestObject<IAsyncEvent> {
 public:
  HRESULT STDMETHODCALLTYPE ExternalEvent(BSTR source, BSTR event, BSTR data) override {
    ExpectMayArrive("ExternalEvent");
    Touch();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      events_.push_back({std::wstring(Bstr::View(source)), std::wstring(Bstr::View(event)),
                         std::wstring(Bstr::View(data)), std::chrono::steady_clock::now(), GetCurrentThreadId()});
      arrived_.notify_all();
    }
    if (const DWORD busy = busyMs_) {
      // A call still running when the component said it was done is as wrong as a late one.
      Sleep(busy);
      ExpectMayArrive("ExternalEvent still running");
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetEventBufferDepth(long) override { return Other(); }
  HRESULT STDMETHODCALLTYPE GetEventBufferDepth(long*) override { return Other(); }
  HRESULT STDMETHODCALLTYPE CleanBuffer() override { return Other(); }

  // Each event keeps the calling thread busy for this long.
  void SetBusy(DWORD ms) { busyMs_ = ms; }
  // While false, every event fails the test.
  void SetAccepting(bool accepting) { accepting_ = accepting; }
  // Events that came late or while none might.
  long Unexpected() const { return unexpected_; }
  long OtherCalls() const { return otherCalls_; }

  std::vector<ExternalEventCall> Events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }
  size_t Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_.size();
  }
  void Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.clear();
  }
  // Waits until `count` events have been recorded; false on timeout.
  bool WaitFor(size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return arrived_.wait_for(lock, timeout, [&] { return events_.size() >= count; });
  }

 private:
  void ExpectMayArrive(const char* what) {
    if (RefCount() <= 0) {
      ++unexpected_;
      ADD_FAILURE() << what << " after the last reference was released";
    }
    if (!accepting_) {
      ++unexpected_;
      ADD_FAILURE() << what << " while none may arrive";
    }
  }
  HRESULT Other() {
    Touch();
    ++otherCalls_;
    return S_OK;
  }

  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<ExternalEventCall> events_;
  std::atomic<bool> accepting_{true};
  std::atomic<DWORD> busyMs_{0};
  std::atomic<long> unexpected_{0};
  std::atomic<long> otherCalls_{0};
};
