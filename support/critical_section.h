// Owning wrapper for one critical section, and a scope that holds it.
#pragma once
#include <windows.h>

class CriticalSection {
 public:
  // Initialisation can fail (no memory for its event); Initialized() tells.
  CriticalSection() noexcept : initialized_(InitializeCriticalSectionEx(&section_, 0, 0) != FALSE) {}
  ~CriticalSection() {
    if (initialized_) DeleteCriticalSection(&section_);
  }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  bool Initialized() const { return initialized_; }
  void Enter() { EnterCriticalSection(&section_); }
  void Leave() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
  bool initialized_;
};

class CriticalSectionScope {
 public:
  explicit CriticalSectionScope(CriticalSection& section) : section_(section) { section_.Enter(); }
  ~CriticalSectionScope() { section_.Leave(); }
  CriticalSectionScope(const CriticalSectionScope&) = delete;
  CriticalSectionScope& operator=(const CriticalSectionScope&) = delete;

 private:
  CriticalSection& section_;
};
