// Registration of the type library AddInLib. The library is read from this
// binary's own file (resource "TYPELIB" 1) or, failing that, from the .tlb
// file beside it, and registered under the path it was read from. Per-user
// registration uses the system's per-user functions where OLEAUT32 has them,
// with HKEY_CLASSES_ROOT standing for the user's classes meanwhile: a system
// whose per-user function registers machine-wide after all (Wine's does), or
// that lacks it, still writes nothing outside the user's classes.
#include "server/type_library.h"

#include <oleauto.h>

#include <cwchar>

#include "support/com_ptr.h"
#include "support/guard.h"
#include "support/module_path.h"
#include "support/module_resources.h"

namespace {

using RegisterForUserFn = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using UnregisterForUserFn = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

template <class Function>
Function OleAutomationFunction(const char* name) {
  const HMODULE oleAutomation = GetModuleHandleW(L"OLEAUT32.DLL");
  if (!oleAutomation) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(oleAutomation, name)));
}

// While it lives, HKEY_CLASSES_ROOT means HKEY_CURRENT_USER\Software\Classes
// for every thread of the process: registration is the one job of the
// process that runs it (regsvr32, an installer).
class ClassesRootForUser {
 public:
  ClassesRootForUser() {
    m_result = HRESULT_FROM_WIN32(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0,
                                                  KEY_ALL_ACCESS, nullptr, &m_userClasses, nullptr));
    if (SUCCEEDED(m_result)) m_result = HRESULT_FROM_WIN32(RegOverridePredefKey(HKEY_CLASSES_ROOT, m_userClasses));
  }
  ~ClassesRootForUser() {
    if (SUCCEEDED(m_result)) RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    if (m_userClasses) RegCloseKey(m_userClasses);
  }
  ClassesRootForUser(const ClassesRootForUser&) = delete;
  ClassesRootForUser& operator=(const ClassesRootForUser&) = delete;

  HRESULT Result() const { return m_result; }

 private:
  HKEY m_userClasses = nullptr;
  HRESULT m_result;
};

// Whether HKEY_CLASSES_ROOT (or the root standing for it) holds the
// registration of the library with this identity. Only a key found missing
// counts as not registered.
bool MayBeRegistered(const TLIBATTR& identity) {
  wchar_t guid[39];
  StringFromGUID2(identity.guid, guid, 39);
  wchar_t path[64];
  std::swprintf(path, 64, L"TypeLib\\%ls\\%x.%x", guid, identity.wMajorVerNum, identity.wMinorVerNum);
  HKEY key = nullptr;
  const LSTATUS status = RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &key);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  return status != ERROR_FILE_NOT_FOUND;
}

// Loads the library for registration, without registering it on the way.
HRESULT LoadForRegistration(ComPtr<ITypeLib>& library, std::wstring& loadedFrom) {
  std::wstring modulePath;
  const HRESULT hr = ModuleFilePath(ThisModule(), modulePath);
  if (FAILED(hr)) return hr;
  return LoadAddInTypeLibrary(modulePath, library, loadedFrom);
}

}  // namespace

std::wstring TypeLibraryFileBeside(const std::wstring& modulePath) {
  const size_t nameStart = modulePath.find_last_of(L"\\/") + 1;  // 0 when the path has no folder
  const size_t dot = modulePath.rfind(L'.');
  const size_t stemEnd = dot != std::wstring::npos && dot >= nameStart ? dot : modulePath.size();
  return modulePath.substr(0, stemEnd) + L".tlb";
}

HRESULT LoadAddInTypeLibrary(const std::wstring& modulePath, ComPtr<ITypeLib>& library, std::wstring& loadedFrom) {
  HRESULT hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.Put());
  if (SUCCEEDED(hr)) {
    loadedFrom = modulePath;
    return hr;
  }
  const std::wstring besideModule = TypeLibraryFileBeside(modulePath);
  hr = LoadTypeLibEx(besideModule.c_str(), REGKIND_NONE, library.Put());
  if (SUCCEEDED(hr)) loadedFrom = besideModule;
  return hr;
}

HRESULT RegisterTypeLibrary(bool perUser) {
  return Guarded([&] {
    ComPtr<ITypeLib> library;
    std::wstring path;
    const HRESULT hr = LoadForRegistration(library, path);
    if (FAILED(hr)) return hr;
    // The library names no help file: no help folder is registered.
    if (!perUser) return RegisterTypeLib(library.Get(), &path[0], nullptr);
    const ClassesRootForUser userClasses;
    if (FAILED(userClasses.Result())) return userClasses.Result();
    if (auto registerForUser = OleAutomationFunction<RegisterForUserFn>("RegisterTypeLibForUser"))
      return registerForUser(library.Get(), &path[0], nullptr);
    return RegisterTypeLib(library.Get(), &path[0], nullptr);
  });
}

HRESULT UnregisterTypeLibrary(bool perUser) {
  return Guarded([&] {
    ComPtr<ITypeLib> library;
    std::wstring path;
    HRESULT hr = LoadForRegistration(library, path);
    if (FAILED(hr)) return hr;
    TLIBATTR* attributes = nullptr;
    hr = library->GetLibAttr(&attributes);
    if (FAILED(hr)) return hr;
    const TLIBATTR identity = *attributes;
    library->ReleaseTLibAttr(attributes);
    // A library that is not registered leaves nothing to remove: that is no
    // failure, so an unregistration that undoes a partial registration goes on.
    if (!perUser) {
      if (!MayBeRegistered(identity)) return S_OK;
      return UnRegisterTypeLib(identity.guid, identity.wMajorVerNum, identity.wMinorVerNum, identity.lcid,
                               identity.syskind);
    }
    const ClassesRootForUser userClasses;
    if (FAILED(userClasses.Result())) return userClasses.Result();
    if (!MayBeRegistered(identity)) return S_OK;
    if (auto unregisterForUser = OleAutomationFunction<UnregisterForUserFn>("UnRegisterTypeLibForUser"))
      return unregisterForUser(identity.guid, identity.wMajorVerNum, identity.wMinorVerNum, identity.lcid,
                               identity.syskind);
    return UnRegisterTypeLib(identity.guid, identity.wMajorVerNum, identity.wMinorVerNum, identity.lcid,
                             identity.syskind);
  });
}
