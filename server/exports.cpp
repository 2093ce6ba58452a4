// The DLL's entry points.
#include <windows.h>

#include "addin_identity.h"
#include "server/class_factory.h"
#include "server/module.h"
#include "support/guard.h"

namespace {

ClassFactory* g_classObject = nullptr;  // created on first request, kept until unload
CRITICAL_SECTION g_classTableLock;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      InitializeCriticalSection(&g_classTableLock);
      break;
    case DLL_PROCESS_DETACH:
      if (g_classObject) g_classObject->Release();
      DeleteCriticalSection(&g_classTableLock);
      break;
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (rclsid != CLSID_AddInCOMIntegration) return CLASS_E_CLASSNOTAVAILABLE;
  return Guarded([&] {
    if (!g_classObject) {
      EnterCriticalSection(&g_classTableLock);
      if (!g_classObject) {
        auto* created = new (std::nothrow) ClassFactory;
        if (created) created->AddRef();
        g_classObject = created;
      }
      LeaveCriticalSection(&g_classTableLock);
      if (!g_classObject) return E_OUTOFMEMORY;
    }
    return g_classObject->QueryInterface(riid, ppv);
  });
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return Module().GetLockCount() == 0 ? S_OK : S_FALSE; }
