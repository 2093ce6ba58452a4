#include "server/windows_registry.h"

#include <utility>

namespace {

RegistryResult FromWin32(LONG error) { return error == ERROR_SUCCESS ? kRegistryOk : HRESULT_FROM_WIN32(error); }

// One open key, closed when it goes out of scope.
class OpenedKey {
 public:
  OpenedKey() = default;
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  ~OpenedKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* Put() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

WindowsRegistry::~WindowsRegistry() {
  if (ownsRoot_) RegCloseKey(root_);
}

HRESULT WindowsRegistry::Open(bool perUser) {
  if (!perUser) {
    root_ = HKEY_CLASSES_ROOT;
    return S_OK;
  }
  const LONG error =
      RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr);
  ownsRoot_ = error == ERROR_SUCCESS;
  return FromWin32(error);
}

RegistryResult WindowsRegistry::CreateKey(const std::wstring& path) {
  OpenedKey key;
  return FromWin32(
      RegCreateKeyExW(root_, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, key.Put(), nullptr));
}

RegistryResult WindowsRegistry::OpenKey(const std::wstring& path) {
  OpenedKey key;
  return FromWin32(RegOpenKeyExW(root_, path.c_str(), 0, KEY_READ, key.Put()));
}

RegistryResult WindowsRegistry::SetString(const std::wstring& path, const std::wstring& name,
                                          const std::wstring& data) {
  OpenedKey key;
  const LONG error = RegOpenKeyExW(root_, path.c_str(), 0, KEY_SET_VALUE, key.Put());
  if (error != ERROR_SUCCESS) return FromWin32(error);
  const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return FromWin32(RegSetValueExW(key.Get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(data.c_str()), bytes));
}

RegistryResult WindowsRegistry::DeleteValue(const std::wstring& path, const std::wstring& name) {
  OpenedKey key;
  const LONG error = RegOpenKeyExW(root_, path.c_str(), 0, KEY_SET_VALUE, key.Put());
  if (error != ERROR_SUCCESS) return FromWin32(error);
  return FromWin32(RegDeleteValueW(key.Get(), name.c_str()));
}

RegistryResult WindowsRegistry::DeleteTree(const std::wstring& path) {
  return FromWin32(RegDeleteTreeW(root_, path.c_str()));
}

RegistryResult WindowsRegistry::DeleteKey(const std::wstring& path) {
  return FromWin32(RegDeleteKeyW(root_, path.c_str()));
}

RegistryResult WindowsRegistry::CountSubkeys(const std::wstring& path, std::size_t& count) {
  OpenedKey key;
  const LONG error = RegOpenKeyExW(root_, path.c_str(), 0, KEY_READ, key.Put());
  if (error != ERROR_SUCCESS) return FromWin32(error);
  DWORD subkeys = 0;
  const LONG queried = RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr);
  count = subkeys;
  return FromWin32(queried);
}
