#include "tests/storm/storm_doubles.h"

#include "addin/param_array.h"

HRESULT StormMainDriver::CallAsFunc(long, VARIANT* pvarRetValue, SAFEARRAY** paParams) {
  Touch();
  switch (forwarded++ % 4) {
    case 0:  // leaves everything as it came
      return S_OK;
    case 1:  // answers a text
      if (pvarRetValue) {
        VariantClear(pvarRetValue);
        pvarRetValue->vt = VT_BSTR;
        pvarRetValue->bstrVal = SysAllocString(L"driver answer");
      }
      return S_OK;
    case 2:  // fails without touching anything
      return E_FAIL;
    default:  // writes its text into parameter 0 where it can
      if (params::IsVariantVector(paParams)) params::PutParamString(0, paParams, L"driver text");
      if (pvarRetValue) {
        VariantClear(pvarRetValue);
        pvarRetValue->vt = VT_I4;
        pvarRetValue->lVal = 7;
      }
      return S_OK;
  }
}
