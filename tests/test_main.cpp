// Test entry: the tests run in a single-threaded apartment, as the platform
// does, and a main driver is absent unless a test installs one.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "tests/doubles/main_driver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  CoInitialize(nullptr);
  int result;
  {
    MainDriverAbsence absence;
    result = RUN_ALL_TESTS();
  }
  CoUninitialize();
  return result;
}
