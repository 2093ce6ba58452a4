// CAddInModule: the process-wide module object, constructed when the binary
// is loaded and destroyed when it is unloaded. Its lock count says whether the
// DLL may be unloaded: live instances, class-object references beyond the
// class table's own, and outstanding LockServer(TRUE) calls.
#pragma once
#include <windows.h>

#include "support/critical_section.h"

class CAddInModule {
 public:
  CAddInModule();
  // Releases the class objects the class table caches.
  ~CAddInModule();
  CAddInModule(const CAddInModule&) = delete;
  CAddInModule& operator=(const CAddInModule&) = delete;

  LONG Lock() { return InterlockedIncrement(&m_lockCount); }
  LONG Unlock() { return InterlockedDecrement(&m_lockCount); }
  LONG GetLockCount() const { return m_lockCount; }

  // Set when a lock of the module could not be initialised: the DLL refuses to load.
  bool InitFailed() const { return m_initFailed; }

  // The class object of `rclsid`, asked for `riid`. The first request creates
  // it under the class-table lock; every later one gets the same object until
  // unload. E_UNEXPECTED when the class table did not initialise,
  // CLASS_E_CLASSNOTAVAILABLE for a class the module does not serve.
  HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);

 private:
  volatile LONG m_lockCount = 0;
  CriticalSection m_classTableLock;
  bool m_initFailed;
};

CAddInModule& Module();
