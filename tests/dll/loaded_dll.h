// The built DLL loaded by path, as a program loads it, with its two class
// entry points; unloaded again after each test.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <gtest/gtest.h>

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

class LoadedDll : public testing::Test {
 protected:
  void SetUp() override {
    freshLoad = GetModuleHandleW(L"" ADDIN_DLL_PATH) == nullptr;
    dll = LoadLibraryW(L"" ADDIN_DLL_PATH);
    ASSERT_NE(dll, nullptr) << "cannot load " << ADDIN_DLL_PATH;
    getClassObject = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
    canUnloadNow = reinterpret_cast<CanUnloadNowFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnloadNow, nullptr);
  }
  void TearDown() override {
    if (dll) FreeLibrary(dll);
  }

  HMODULE dll = nullptr;
  bool freshLoad = false;  // the DLL was not loaded before this test
  GetClassObjectFn getClassObject = nullptr;
  CanUnloadNowFn canUnloadNow = nullptr;
};
