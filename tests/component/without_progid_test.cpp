// Init when the main driver's ProgID is not registered at all.
#include <gtest/gtest.h>

#include "host/main_driver.h"
#include "tests/doubles/connection.h"
#include "tests/support/addin.h"

namespace {

// Removes the ProgID key while it exists and puts it back afterwards.
class ProgIdRemoved {
 public:
  ProgIdRemoved() {
    RegGetValueW(HKEY_CLASSES_ROOT, L"AddIn.BrivexAddInCOM\\CLSID", nullptr, RRF_RT_REG_SZ, nullptr, clsid_, &size_);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"AddIn.BrivexAddInCOM");
  }
  ~ProgIdRemoved() {
    HKEY key;
    if (RegCreateKeyW(HKEY_CLASSES_ROOT, L"AddIn.BrivexAddInCOM\\CLSID", &key) == ERROR_SUCCESS) {
      RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid_), size_);
      RegCloseKey(key);
    }
  }

 private:
  wchar_t clsid_[64] = {};
  DWORD size_ = sizeof(clsid_);
};

TEST(MainDriver, UnregisteredProgIdLeavesInitSuccessful) {
  ProgIdRemoved removed;
  CLSID clsid;
  ASSERT_FALSE(SUCCEEDED(CLSIDFromProgID(kMainDriverProgId, &clsid)));
  EXPECT_FALSE(CreateMainDriver());
  FakeConnection connection;
  auto addin = NewAddIn();
  EXPECT_EQ(AsIf<IInitDone>(addin)->Init(connection.As<IDispatch>()), S_OK);
  EXPECT_EQ(AsIf<IInitDone>(addin)->Done(), S_OK);
  EXPECT_EQ(connection.RefCount(), 0);
}

}  // namespace
