// The demonstration timer: its queue, its callback and the module-wide event sink.
#include "addin/timer.h"

#include "support/bstr.h"

namespace {

constexpr wchar_t kEventSource[] = L"ComponentCOM";
constexpr wchar_t kEventName[] = L"Timer";
constexpr DWORD kPeriodMs = 1000;

std::atomic<DWORD> g_periodMs{kPeriodMs};

// The module's event sink and the timer object that set it.
SRWLOCK g_sinkLock = SRWLOCK_INIT;
IAsyncEvent* g_sink = nullptr;
const DemoTimer* g_sinkOwner = nullptr;

class SharedSinkLock {
 public:
  SharedSinkLock() { AcquireSRWLockShared(&g_sinkLock); }
  ~SharedSinkLock() { ReleaseSRWLockShared(&g_sinkLock); }
  SharedSinkLock(const SharedSinkLock&) = delete;
  SharedSinkLock& operator=(const SharedSinkLock&) = delete;
};

class ExclusiveSinkLock {
 public:
  ExclusiveSinkLock() { AcquireSRWLockExclusive(&g_sinkLock); }
  ~ExclusiveSinkLock() { ReleaseSRWLockExclusive(&g_sinkLock); }
  ExclusiveSinkLock(const ExclusiveSinkLock&) = delete;
  ExclusiveSinkLock& operator=(const ExclusiveSinkLock&) = delete;
};

// Waits for every ExternalEvent running through the old sink.
void SetSink(IAsyncEvent* sink, const DemoTimer* owner) {
  ExclusiveSinkLock lock;
  g_sink = sink;
  g_sinkOwner = sink ? owner : nullptr;
}

void ClearSinkOwnedBy(const DemoTimer* owner) {
  ExclusiveSinkLock lock;
  if (g_sinkOwner != owner) return;
  g_sink = nullptr;
  g_sinkOwner = nullptr;
}

// The decimal digits of `value`, without sign or leading zeros.
Bstr DecimalText(unsigned long value) {
  wchar_t digits[16];
  wchar_t* first = digits + 16;
  do {
    *--first = static_cast<wchar_t>(L'0' + value % 10);
    value /= 10;
  } while (value != 0);
  return Bstr(std::wstring_view(first, static_cast<size_t>(digits + 16 - first)));
}

// Runs on a worker thread of the timer queue, never on the platform's thread.
// It must not wait for the platform's thread: Stop waits for it to return.
void CALLBACK TimerCallback(PVOID context, BOOLEAN) {
  try {
    const unsigned long tick = ++*static_cast<std::atomic<unsigned long>*>(context);
    Bstr source(kEventSource);
    Bstr event(kEventName);
    Bstr data = DecimalText(tick);
    SharedSinkLock lock;
    if (g_sink) g_sink->ExternalEvent(source.Get(), event.Get(), data.Get());
  } catch (...) {
    // No text could be allocated: this tick sends nothing.
  }
}

}  // namespace

DemoTimer::~DemoTimer() { Shutdown(); }

void DemoTimer::Start(IAsyncEvent* sink) {
  DeleteQueue();
  m_queue = CreateTimerQueue();
  HANDLE timer = nullptr;
  const DWORD period = g_periodMs.load();
  if (!m_queue || !CreateTimerQueueTimer(&timer, m_queue, TimerCallback, &m_ticks, period, period, WT_EXECUTEDEFAULT)) {
    DeleteQueue();
    ClearSinkOwnedBy(this);
    return;
  }
  SetSink(sink, this);
}

void DemoTimer::Stop() {
  DeleteQueue();
  SetSink(nullptr, nullptr);
}

void DemoTimer::Shutdown() {
  DeleteQueue();
  ClearSinkOwnedBy(this);
}

void DemoTimer::DeleteQueue() {
  if (m_queue) {
    // INVALID_HANDLE_VALUE: returns once the timer is gone and its last
    // callback has returned.
    DeleteTimerQueueEx(m_queue, INVALID_HANDLE_VALUE);
    m_queue = nullptr;
  }
  m_ticks = 0;
}

void SetTimerPeriodForTests(DWORD periodMs) { g_periodMs = periodMs; }
