// The DLL's entry points. None of them lets an exception out.
#include <windows.h>

#include "server/module.h"
#include "support/guard.h"

// The module object is constructed by the C runtime before the process attach
// arrives here and destroyed after the detach has: what is left to decide is
// whether its locks could be initialised.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH && Module().InitFailed()) return FALSE;
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  return Guarded([&] { return Module().GetClassObject(rclsid, riid, ppv); });
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return Module().GetLockCount() == 0 ? S_OK : S_FALSE; }
