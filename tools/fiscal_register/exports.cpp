// The simulated register's DLL entry points: its class object, and its own
// registration under the main driver's ProgID "AddIn.BrivexAddInCOM".
#include <windows.h>

#include <atomic>
#include <string>

#include "host/main_driver.h"
#include "support/guard.h"
#include "support/module_path.h"
#include "tools/fiscal_register/register_component.h"

// The simulator's class id, chosen once.
static constexpr GUID kSimulatorClsid = {0xD6DE84B7, 0xED69, 0x4BCE, {0xA2, 0x49, 0x97, 0x58, 0x26, 0x33, 0x08, 0xC7}};
static constexpr wchar_t kSimulatorClsidText[] = L"{D6DE84B7-ED69-4BCE-A249-9758263308C7}";
static constexpr wchar_t kDescription[] = L"Brivex fiscal register simulator";

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

std::atomic<long> g_locks{0};

class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  // One static object: its references lock the module instead of owning it.
  ULONG STDMETHODCALLTYPE AddRef() override {
    LockModule();
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    UnlockModule();
    return 1;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return Guarded([&] {
      auto* component = new RegisterComponent;
      const HRESULT hr = component->QueryInterface(riid, ppv);
      component->Release();
      return hr;
    });
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? LockModule() : UnlockModule();
    return S_OK;
  }
};

ClassFactory g_factory;

LSTATUS SetString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// The ProgID key is removed only while it still names this class: a real
// main driver registered since then keeps its registration.
bool ProgIdNamesSimulator() {
  wchar_t clsid[64] = L"";
  DWORD size = sizeof clsid;
  const std::wstring key = std::wstring(kMainDriverProgId) + L"\\CLSID";
  return RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, clsid, &size) ==
             ERROR_SUCCESS &&
         CompareStringOrdinal(clsid, -1, kSimulatorClsidText, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

void LockModule() { ++g_locks; }
void UnlockModule() { --g_locks; }

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (rclsid != kSimulatorClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return g_locks == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  return Guarded([] {
    std::wstring path;
    const HRESULT found = ModuleFilePath(reinterpret_cast<HMODULE>(&__ImageBase), path);
    if (FAILED(found)) return found;
    const std::wstring progId = kMainDriverProgId;
    const std::wstring classKey = std::wstring(L"CLSID\\") + kSimulatorClsidText;
    RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey.c_str());  // nothing of an earlier registration survives
    const LSTATUS failures[] = {
        SetString(progId, nullptr, kDescription),
        SetString(progId + L"\\CLSID", nullptr, kSimulatorClsidText),
        SetString(classKey, nullptr, kDescription),
        SetString(classKey + L"\\ProgID", nullptr, progId),
        SetString(classKey + L"\\InprocServer32", nullptr, path),
        SetString(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"),
    };
    for (const LSTATUS status : failures)
      if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    return S_OK;
  });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return Guarded([] {
    if (ProgIdNamesSimulator()) RegDeleteTreeW(HKEY_CLASSES_ROOT, kMainDriverProgId);
    const std::wstring classKey = std::wstring(L"CLSID\\") + kSimulatorClsidText;
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
  });
}
