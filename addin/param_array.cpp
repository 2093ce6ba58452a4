#include "addin/param_array.h"

#include "support/bstr.h"

namespace params {

bool IsVariantVector(SAFEARRAY** paParams) {
  if (!paParams || !*paParams || SafeArrayGetDim(*paParams) != 1) return false;
  VARTYPE type = VT_EMPTY;
  // The element size is checked too: a descriptor that claims VARIANTs in
  // smaller slots would be overrun by a VARIANT write.
  return SUCCEEDED(SafeArrayGetVartype(*paParams, &type)) && type == VT_VARIANT &&
         SafeArrayGetElemsize(*paParams) == sizeof(VARIANT);
}

Variant GetParamElement(SAFEARRAY** paParams, long index) {
  Variant copy;
  if (IsVariantVector(paParams) && FAILED(SafeArrayGetElement(*paParams, &index, copy.Get()))) copy.Put();
  return copy;
}

bool PutParamElement(SAFEARRAY** paParams, long index, const VARIANT& value) {
  return IsVariantVector(paParams) &&
         SUCCEEDED(SafeArrayPutElement(*paParams, &index, const_cast<VARIANT*>(&value)));
}

void PutParamString(long index, SAFEARRAY** paParams, std::wstring text) {
  Bstr string(text);
  VARIANT element;
  element.vt = VT_BSTR;
  element.bstrVal = string.Get();
  PutParamElement(paParams, index, element);  // the array keeps its own copy
}

std::wstring TextOf(const VARIANT& value) {
  if (value.vt == VT_BSTR) return std::wstring(Bstr::View(value.bstrVal));
  Variant text;
  if (FAILED(VariantChangeType(text.Get(), const_cast<VARIANT*>(&value), VARIANT_ALPHABOOL, VT_BSTR)))
    return std::wstring();
  return std::wstring(Bstr::View(text.Get()->bstrVal));
}

}  // namespace params
