#include "fiscal/description.h"

#include <iterator>

#include "addin/param_array.h"
#include "fiscal/param_writers.h"
#include "support/bstr.h"

namespace fiscal {

namespace {

constexpr wchar_t kVersion[] = L"1.1";

// How each description element is written, by element index.
using Writer = void (*)(long, SAFEARRAY**, std::wstring);
constexpr Writer kDescriptionWriters[] = {
    params::PutParamString,   // 0 name
    params::PutParamString,   // 1 description
    params::PutParamString,   // 2 kind of equipment
    params::PutParamInteger,  // 3 interface revision
    params::PutParamBool,     // 4 integration library
    params::PutParamBool,     // 5 main driver installed
    params::PutParamString,   // 6 download URL
};

}  // namespace

bool BuildDescriptionValues(std::vector<std::wstring>& values, bool mainDriverCreated) {
  values.push_back(L"KOLNA HTTP Driver");
  // The doubled letter in "кассамми" is the driver's published text.
  values.push_back(L"Драйвер работает с кассамми БРИВЕКС по HTTP протоколу КОЛНА (интеграционная библиотека)");
  values.push_back(L"ККТ");
  values.push_back(L"2004");
  values.push_back(L"true");
  values.push_back(mainDriverCreated ? L"true" : L"false");
  values.push_back(L"");
  return true;
}

bool GetDescription(SAFEARRAY** paParams, VARIANT*, bool mainDriverCreated) {
  std::vector<std::wstring> values;
  const bool built = BuildDescriptionValues(values, mainDriverCreated);
  if (built) {
    for (size_t i = 0; i < values.size() && i < std::size(kDescriptionWriters); ++i)
      kDescriptionWriters[i](static_cast<long>(i), paParams, values[i]);
  }
  return built;
}

bool GetVersion(SAFEARRAY**, VARIANT* pvarRetValue) {
  Bstr version(kVersion);  // allocated before the return value changes
  VariantClear(pvarRetValue);
  pvarRetValue->vt = VT_BSTR;
  pvarRetValue->bstrVal = version.Detach();  // the caller owns it with the return value
  return true;
}

}  // namespace fiscal
