#include "fiscal/param_writers.h"

#include <climits>
#include <cmath>
#include <cwchar>

#include "addin/param_array.h"

namespace params {

namespace {

LONG ToLong(const std::wstring& text) {
  const double number = std::wcstod(text.c_str(), nullptr);  // 0 when no number starts the text
  if (std::isnan(number)) return 0;
  if (number >= static_cast<double>(LONG_MAX)) return LONG_MAX;
  if (number <= static_cast<double>(LONG_MIN)) return LONG_MIN;
  return static_cast<LONG>(number);  // truncates toward zero
}

}  // namespace

void PutParamInteger(long index, SAFEARRAY** paParams, std::wstring text) {
  PutParamElement(paParams, index, *Variant::Long(ToLong(text)).Get());
}

void PutParamBool(long index, SAFEARRAY** paParams, std::wstring text) {
  VARIANT element;
  element.vt = VT_BOOL;
  element.lVal = text == L"true" ? 1 : 0;  // boolVal reads 1 or 0
  PutParamElement(paParams, index, element);
}

}  // namespace params
