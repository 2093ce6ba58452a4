// The DLL registered and unregistered by the system's regsvr32, as an installer
// does it, with the registry read back entry by entry afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "host/addin_interfaces.h"
#include "support/bstr.h"
#include "support/com_ptr.h"
#include "tests/registration/registry_entries.h"

namespace {

std::wstring FullPath(const wchar_t* path) {
  wchar_t full[MAX_PATH];
  const DWORD length = GetFullPathNameW(path, MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::wstring(full, length) : std::wstring(path);
}

const std::wstring kDllPath = FullPath(L"" ADDIN_DLL_PATH);

// regsvr32's exit code; ~0 when it could not be started or did not end.
DWORD Regsvr32(const std::wstring& options, const std::wstring& dll = kDllPath) {
  std::wstring commandLine = L"regsvr32.exe " + options + L" \"" + dll + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return ~0u;
  DWORD exitCode = ~0u;
  if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

class Regsvr32Test : public testing::Test {
 protected:
  void SetUp() override { RemoveRegistration(); }
  void TearDown() override { RemoveRegistration(); }
};

TEST_F(Regsvr32Test, RegistersEveryEntryForTheMachineAndRemovesThemAgain) {
  ASSERT_EQ(Regsvr32(L"/s"), 0u);
  ExpectRegistered(kMachineClasses, kDllPath);
  ExpectNotRegistered(kUserClasses);

  ASSERT_EQ(Regsvr32(L"/u /s"), 0u);
  ExpectNotRegistered(kMachineClasses);
  EXPECT_TRUE(KeyExists(kMachineClasses, L"AppID"));
  EXPECT_TRUE(KeyExists(kMachineClasses, L"CLSID"));
}

TEST_F(Regsvr32Test, RegistersForTheUserOnlyUnderTheUsersClasses) {
  ASSERT_EQ(Regsvr32(L"/s /n /i:user"), 0u);
  ExpectRegistered(kUserClasses, kDllPath);
  ExpectNotRegistered(kMachineClasses);

  ASSERT_EQ(Regsvr32(L"/s /u /n /i:user"), 0u);
  ExpectNotRegistered(kUserClasses);
  EXPECT_TRUE(KeyExists(kUserClasses, L"AppID"));
  EXPECT_TRUE(KeyExists(kUserClasses, L"CLSID"));
}

TEST_F(Regsvr32Test, RegisteringAgainRemovesAStraySubkeyOfTheClass) {
  ASSERT_EQ(Regsvr32(L"/s"), 0u);
  AddStraySubkey(kMachineClasses);
  ASSERT_EQ(Regsvr32(L"/s"), 0u);
  EXPECT_FALSE(KeyExists(kMachineClasses, kClassKey + L"\\Stray"));
  ExpectRegistered(kMachineClasses, kDllPath);
}

TEST_F(Regsvr32Test, UnregisteringKeepsAClassKeyThatHoldsAStraySubkey) {
  ASSERT_EQ(Regsvr32(L"/s"), 0u);
  AddStraySubkey(kMachineClasses);
  ASSERT_EQ(Regsvr32(L"/u /s"), 0u);
  EXPECT_EQ(StringValue(kMachineClasses, kClassKey, L""), L"BrivexAddInCOMIntegration Class");
  EXPECT_TRUE(KeyExists(kMachineClasses, kClassKey + L"\\Stray"));
  for (const wchar_t* named : {L"\\ProgID", L"\\VersionIndependentProgID", L"\\InprocServer32", L"\\TypeLib"})
    EXPECT_FALSE(KeyExists(kMachineClasses, kClassKey + named)) << Narrow(named);
  EXPECT_FALSE(KeyExists(kMachineClasses, kProgIdKey));
  EXPECT_FALSE(KeyExists(kMachineClasses, kAppIdKey));
}

TEST_F(Regsvr32Test, UnregisteringWhatIsNotRegisteredSucceeds) {
  EXPECT_EQ(Regsvr32(L"/u /s"), 0u);
  EXPECT_EQ(Regsvr32(L"/s /u /n /i:user"), 0u);
}

TEST_F(Regsvr32Test, APathWithASingleQuoteIsRegisteredUnchanged) {
  const std::wstring folder = FullPath(L"" ADDIN_TEST_DIR L"\\it's here");
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring copy = folder + L"\\AddInCOMIntegration.DLL";
  ASSERT_TRUE(CopyFileW(kDllPath.c_str(), copy.c_str(), FALSE));
  ASSERT_EQ(Regsvr32(L"/s", copy), 0u);
  EXPECT_EQ(StringValue(kMachineClasses, kClassKey + L"\\InprocServer32", L""), copy);
}

TEST_F(Regsvr32Test, ThePlatformCreatesTheRegisteredComponentByItsProgId) {
  ASSERT_EQ(Regsvr32(L"/s"), 0u);
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(L"AddIn.BrivexAddInCOMIntegration", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_AddInCOMIntegration);
  ComPtr<ILanguageExtender> addin;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ILanguageExtender), addin.PutVoid()), S_OK);
  Bstr name;
  ASSERT_EQ(addin->RegisterExtensionAs(name.Put()), S_OK);
  EXPECT_EQ(name.View(), L"BrivexAddInCOMIntegration");
  addin.Reset();
  CoFreeUnusedLibraries();
}

}  // namespace
