// The registration entry points called directly: DllInstall's "user" rule, the
// undo of a failed registration, and the caller's thread locale.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/registration/registry_entries.h"

namespace {

using InstallFn = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
using RegisterFn = HRESULT(STDAPICALLTYPE*)();

// HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE): the class script cannot
// write under a volatile ProgID key.
constexpr HRESULT kChildMustBeVolatile = HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE);

// Each test loads the DLL afresh, so its per-user flag starts false.
class DllInstallTest : public testing::Test {
 protected:
  void SetUp() override {
    RemoveRegistration();
    dll = LoadLibraryW(L"" ADDIN_DLL_PATH);
    ASSERT_NE(dll, nullptr);
    install = reinterpret_cast<InstallFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllInstall")));
    registerServer = reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    unregisterServer =
        reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
    ASSERT_TRUE(install && registerServer && unregisterServer);
  }
  void TearDown() override {
    if (dll) FreeLibrary(dll);
    RemoveRegistration();
  }
  // A volatile key where the ProgID key belongs: no ordinary key can be created beneath it.
  static void BlockTheClassScript() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, kProgIdKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  HMODULE dll = nullptr;
  InstallFn install = nullptr;
  RegisterFn registerServer = nullptr;
  RegisterFn unregisterServer = nullptr;
};

TEST_F(DllInstallTest, UserInCapitalsRegistersForTheUserFromThenOn) {
  ASSERT_EQ(install(TRUE, L"USER"), S_OK);
  EXPECT_TRUE(KeyExists(kUserClasses, kClassKey + L"\\InprocServer32"));
  ExpectNotRegistered(kMachineClasses);
  // The flag stays set: later calls without "user" are per user too.
  ASSERT_EQ(registerServer(), S_OK);
  ExpectNotRegistered(kMachineClasses);
  ASSERT_EQ(install(FALSE, nullptr), S_OK);
  ExpectNotRegistered(kUserClasses);
}

TEST_F(DllInstallTest, ALongerTextOrNoTextRegistersForTheMachine) {
  ASSERT_EQ(install(TRUE, L"users"), S_OK);
  EXPECT_TRUE(KeyExists(kMachineClasses, kClassKey + L"\\InprocServer32"));
  ExpectNotRegistered(kUserClasses);
  ASSERT_EQ(install(FALSE, L"use"), S_OK);
  ExpectNotRegistered(kMachineClasses);
  ASSERT_EQ(install(TRUE, nullptr), S_OK);
  EXPECT_TRUE(KeyExists(kMachineClasses, kProgIdKey));
  ExpectNotRegistered(kUserClasses);
}

TEST_F(DllInstallTest, AFailedRegistrationKeepsItsFirstScriptButInstallUndoesIt) {
  BlockTheClassScript();
  SetThreadLocale(0x0419);
  EXPECT_EQ(registerServer(), kChildMustBeVolatile);
  EXPECT_EQ(GetThreadLocale(), 0x0419u) << "the caller's locale comes back after a failure";
  EXPECT_TRUE(KeyExists(kMachineClasses, kAppIdKey)) << "the AppID script stays unless the caller unregisters";
  EXPECT_FALSE(KeyExists(kMachineClasses, kProgIdKey)) << "the class script undid itself";
  EXPECT_FALSE(KeyExists(kMachineClasses, kClassKey));

  RemoveRegistration();
  BlockTheClassScript();
  EXPECT_EQ(install(TRUE, nullptr), kChildMustBeVolatile);
  ExpectNotRegistered(kMachineClasses);
  SetThreadLocale(LOCALE_USER_DEFAULT);
}

TEST_F(DllInstallTest, TheCallersLocaleComesBackAfterSuccess) {
  SetThreadLocale(0x0419);
  EXPECT_EQ(registerServer(), S_OK);
  EXPECT_EQ(unregisterServer(), S_OK);
  EXPECT_EQ(GetThreadLocale(), 0x0419u);
  SetThreadLocale(LOCALE_USER_DEFAULT);
}

// A copy of the DLL whose full path is `length` characters long.
std::wstring CopyWithPathLength(size_t length) {
  wchar_t base[MAX_PATH];
  const DWORD baseLength = GetFullPathNameW(L"" ADDIN_TEST_DIR, MAX_PATH, base, nullptr);
  const std::wstring file = L"\\AddInCOMIntegration.DLL";
  const size_t padding = length - baseLength - 1 - file.size();
  const std::wstring folder = std::wstring(base) + L"\\" + std::wstring(padding, L'p');
  CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
  const std::wstring copy = folder + file;
  CopyFileW(L"" ADDIN_DLL_PATH, (L"\\\\?\\" + copy).c_str(), FALSE);
  return copy;
}

// The module path is read into a buffer of MAX_PATH characters: a path that
// fills it is refused rather than written cut short.
TEST(ModulePath, APathThatFillsTheBufferIsRefused) {
  for (const size_t length : {size_t{MAX_PATH - 1}, size_t{MAX_PATH}}) {
    const std::wstring copy = CopyWithPathLength(length);
    ASSERT_EQ(copy.size(), length);
    const HMODULE dll = LoadLibraryW(copy.c_str());
    ASSERT_NE(dll, nullptr) << length;
    const auto registerServer =
        reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    const auto unregisterServer =
        reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
    if (length < MAX_PATH) {
      EXPECT_EQ(registerServer(), S_OK);
      EXPECT_EQ(StringValue(kMachineClasses, kClassKey + L"\\InprocServer32", L""), copy);
      EXPECT_EQ(unregisterServer(), S_OK);
    } else {
      EXPECT_EQ(registerServer(), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
      EXPECT_EQ(unregisterServer(), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
      ExpectNotRegistered(kMachineClasses);
    }
    FreeLibrary(dll);
    RemoveRegistration();
  }
}

}  // namespace
