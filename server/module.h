// CAddInModule: the process-wide module object. Its lock count says whether
// the DLL may be unloaded: live instances, class-object references beyond the
// cache's own, and outstanding LockServer(TRUE) calls.
#pragma once
#include <windows.h>

class CAddInModule {
 public:
  LONG Lock() { return InterlockedIncrement(&m_lockCount); }
  LONG Unlock() { return InterlockedDecrement(&m_lockCount); }
  LONG GetLockCount() const { return m_lockCount; }

 private:
  volatile LONG m_lockCount = 0;
};

CAddInModule& Module();
