#include "fiscal/device_test.h"

#include "addin/param_array.h"

namespace fiscal {

namespace {

// Both texts begin with a blank, the second also ends with one: joined, they
// read "... 23082019 Основная ... установлена ". 23082019 is the build date.
constexpr wchar_t kVersionText[] = L" Версия интеграционной DLL 23082019";
constexpr wchar_t kInstalledDriverText[] = L" Основная поставка драйвера установлена ";

}  // namespace

bool BuildDeviceTestValues(std::vector<std::wstring>& values, bool mainDriverCreated) {
  std::wstring text = kVersionText;
  if (mainDriverCreated) text += kInstalledDriverText;
  values.push_back(std::move(text));
  values.push_back(L"");
  return true;
}

bool DeviceTest(SAFEARRAY** paParams, VARIANT*, bool mainDriverCreated) {
  std::vector<std::wstring> values;
  const bool built = BuildDeviceTestValues(values, mainDriverCreated);
  if (built) {
    for (size_t i = 0; i < values.size(); ++i) params::PutParamString(static_cast<long>(i), paParams, values[i]);
  }
  return built;
}

bool GetAdditionalActions(SAFEARRAY** paParams, VARIANT*) {
  params::PutParamString(0, paParams, L"");
  return true;
}

bool DoAdditionalAction(SAFEARRAY**, VARIANT*) { return true; }

}  // namespace fiscal
