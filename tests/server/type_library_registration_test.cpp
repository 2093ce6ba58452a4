// Registration of the type library that this program carries (every binary
// linking the component does), machine-wide and for the current user, read
// back from the registry.
#include <gtest/gtest.h>

#include <string>

#include "addin_identity.h"
#include "server/type_library.h"

namespace {

const std::wstring kVersionKey = std::wstring(L"TypeLib\\") + kAddInLibIdText + L"\\1.0";
const std::wstring kUserClasses = L"Software\\Classes\\";

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The default value of a key; "<absent>" when the key or the value is missing.
std::wstring DefaultValue(HKEY root, const std::wstring& path) {
  wchar_t data[MAX_PATH * 2] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t);
  if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return L"<absent>";
  return data;
}

std::wstring ThisProgram() {
  wchar_t path[MAX_PATH];
  return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

const wchar_t* PlatformKey() { return sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32"; }

TEST(TypeLibraryRegistration, MachineWideWritesTheLibraryUnderClassesRootAndRemovesIt) {
  ASSERT_EQ(RegisterTypeLibrary(false), S_OK);
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, kVersionKey), L"AddIn 1.0 Type Library");
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, kVersionKey + PlatformKey()), ThisProgram())
      << "registered under the file it was loaded from";
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVersionKey + L"\\HELPDIR\\x")) << "no help folder beneath";
  // Interfaces that are neither dual nor automation-compatible get no interface entries.
  wchar_t iid[40];
  ASSERT_GT(StringFromGUID2(__uuidof(IAddInCOMIntegration), iid, 40), 0);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"Interface\\") + iid));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + kVersionKey));

  ASSERT_EQ(UnregisterTypeLibrary(false), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + kAddInLibIdText));
}

TEST(TypeLibraryRegistration, PerUserWritesTheLibraryUnderTheUsersClassesAndRemovesIt) {
  ASSERT_EQ(RegisterTypeLibrary(true), S_OK);
  EXPECT_EQ(DefaultValue(HKEY_CURRENT_USER, kUserClasses + kVersionKey), L"AddIn 1.0 Type Library");
  EXPECT_EQ(DefaultValue(HKEY_CURRENT_USER, kUserClasses + kVersionKey + PlatformKey()), ThisProgram());
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVersionKey)) << "nothing machine-wide";

  ASSERT_EQ(UnregisterTypeLibrary(true), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + L"TypeLib\\" + kAddInLibIdText));
}

TEST(TypeLibraryRegistration, UnregisteringWhatIsNotRegisteredSucceeds) {
  ASSERT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVersionKey));
  ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + kVersionKey));
  EXPECT_EQ(UnregisterTypeLibrary(false), S_OK);
  EXPECT_EQ(UnregisterTypeLibrary(true), S_OK);

  // Registered for the user only: the machine-wide unregistration leaves it.
  ASSERT_EQ(RegisterTypeLibrary(true), S_OK);
  EXPECT_EQ(UnregisterTypeLibrary(false), S_OK);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kUserClasses + kVersionKey));
  EXPECT_EQ(UnregisterTypeLibrary(true), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + kVersionKey));
}

}  // namespace
