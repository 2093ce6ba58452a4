// The system registry under the root of the registry scripts: HKEY_CLASSES_ROOT,
// or HKEY_CURRENT_USER\Software\Classes for a per-user registration.
#pragma once
#include <windows.h>

#include "server/registry_access.h"

class WindowsRegistry final : public RegistryAccess {
 public:
  WindowsRegistry() = default;
  WindowsRegistry(const WindowsRegistry&) = delete;
  WindowsRegistry& operator=(const WindowsRegistry&) = delete;
  ~WindowsRegistry() override;

  // Opens (per user: creates when absent) the root. Must succeed before any other call.
  HRESULT Open(bool perUser);

  RegistryResult CreateKey(const std::wstring& path) override;
  RegistryResult OpenKey(const std::wstring& path) override;
  RegistryResult SetString(const std::wstring& path, const std::wstring& name, const std::wstring& data) override;
  RegistryResult DeleteValue(const std::wstring& path, const std::wstring& name) override;
  RegistryResult DeleteTree(const std::wstring& path) override;
  RegistryResult DeleteKey(const std::wstring& path) override;
  RegistryResult CountSubkeys(const std::wstring& path, std::size_t& count) override;

 private:
  HKEY root_ = nullptr;
  bool ownsRoot_ = false;
};
