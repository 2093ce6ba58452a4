#include "bench/bench_doubles.h"

#include <oleauto.h>

HRESULT BenchMainDriver::CallAsFunc(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams) {
  constexpr long kDeviceTest = 11;
  if (lMethodNum == kDeviceTest && paParams && *paParams) {
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L" driver OK");
    LONG first = 0;
    SafeArrayPutElement(*paParams, &first, &text);
    SysFreeString(text.bstrVal);
  }
  // The return value arrives prepared by the caller; the driver replaces it.
  pvarRetValue->vt = VT_BSTR;
  pvarRetValue->bstrVal = SysAllocString(L"OK");
  return S_OK;
}

MainDriverClass::MainDriverClass(const CLSID& clsid, BenchMainDriver* driver) : driver_(driver) {
  if (FAILED(CoRegisterClassObject(clsid, static_cast<IClassFactory*>(this), CLSCTX_INPROC_SERVER,
                                   REGCLS_MULTIPLEUSE, &cookie_)))
    cookie_ = 0;
}

MainDriverClass::~MainDriverClass() {
  if (cookie_) CoRevokeClassObject(cookie_);
}

HRESULT MainDriverClass::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  if (!driver_) return CLASS_E_CLASSNOTAVAILABLE;
  return driver_->QueryInterface(riid, ppv);
}
