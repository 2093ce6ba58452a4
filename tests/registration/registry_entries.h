// The entries both registry scripts write, and reading them back from the
// system registry under HKEY_CLASSES_ROOT or HKEY_CURRENT_USER\Software\Classes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "addin_identity.h"

struct RegistryEntry {
  std::wstring key, name, data;  // the empty name is the default value
};

inline const std::wstring kClassKey = std::wstring(L"CLSID\\") + kAddInClsidText;
inline const std::wstring kAppIdKey = std::wstring(L"AppID\\") + kAddInAppIdText;
inline const std::wstring kProgIdKey = L"AddIn.BrivexAddInCOMIntegration";
inline const std::wstring kModuleAppIdKey = L"AppID\\AddInCOMIntegration.DLL";

inline std::vector<RegistryEntry> ExpectedEntries(const std::wstring& modulePath) {
  return {
      {kAppIdKey, L"", L"AddIn"},
      {kModuleAppIdKey, L"AppID", kAddInAppIdText},
      {kProgIdKey, L"", L"BrivexAddInCOMIntegration Class"},
      {kProgIdKey + L"\\CLSID", L"", kAddInClsidText},
      {kProgIdKey + L"\\CurVer", L"", L"AddIn.BrivexAddInCOMIntegration"},
      {kClassKey, L"", L"BrivexAddInCOMIntegration Class"},
      {kClassKey + L"\\ProgID", L"", L"AddIn.BrivexAddInCOMIntegration"},
      {kClassKey + L"\\VersionIndependentProgID", L"", L"AddIn.BrivexAddInCOMIntegration"},
      {kClassKey + L"\\InprocServer32", L"", modulePath},
      {kClassKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {kClassKey + L"\\TypeLib", L"", kAddInLibIdText},
  };
}

inline std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// A root of the scripts: the machine's classes, or the current user's.
struct ClassesRoot {
  HKEY key;
  const wchar_t* prefix;
  std::wstring Path(const std::wstring& path) const { return prefix + path; }
};
inline const ClassesRoot kMachineClasses{HKEY_CLASSES_ROOT, L""};
inline const ClassesRoot kUserClasses{HKEY_CURRENT_USER, L"Software\\Classes\\"};

inline bool KeyExists(const ClassesRoot& root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root.key, root.Path(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

inline std::wstring StringValue(const ClassesRoot& root, const std::wstring& path, const std::wstring& name) {
  wchar_t data[1024] = {};
  DWORD bytes = sizeof(data) - sizeof(wchar_t);
  DWORD type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root.key, root.Path(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<no key>";
  const LONG error = RegQueryValueExW(key, name.empty() ? nullptr : name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &bytes);
  RegCloseKey(key);
  if (error != ERROR_SUCCESS) return L"<no value>";
  if (type != REG_SZ) return L"<not REG_SZ>";
  return data;
}

inline void ExpectRegistered(const ClassesRoot& root, const std::wstring& modulePath) {
  for (const RegistryEntry& entry : ExpectedEntries(modulePath))
    EXPECT_EQ(StringValue(root, entry.key, entry.name), entry.data) << Narrow(entry.key) << " | " << Narrow(entry.name);
}

// The keys a registration adds (the shared parents AppID and CLSID aside).
inline void ExpectNotRegistered(const ClassesRoot& root) {
  for (const std::wstring& key : {kProgIdKey, kClassKey, kAppIdKey, kModuleAppIdKey})
    EXPECT_FALSE(KeyExists(root, key)) << Narrow(root.Path(key));
}

// Removes whatever a registration left, machine-wide and per user.
inline void RemoveRegistration() {
  for (const ClassesRoot& root : {kMachineClasses, kUserClasses})
    for (const std::wstring& key : {kProgIdKey, kClassKey, kAppIdKey, kModuleAppIdKey})
      RegDeleteTreeW(root.key, root.Path(key).c_str());
}

inline void AddStraySubkey(const ClassesRoot& root) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root.key, root.Path(kClassKey + L"\\Stray").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}
