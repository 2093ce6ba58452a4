// Running members by number: CallAsProc and CallAsFunc.
#include "addin/component.h"

HRESULT CAddInCOMIntegration::CallAsProc(long, SAFEARRAY**) { return S_FALSE; }

HRESULT CAddInCOMIntegration::CallAsFunc(long, VARIANT* pvarRetValue, SAFEARRAY**) {
  if (pvarRetValue) {
    VariantInit(pvarRetValue);
    pvarRetValue->vt = VT_BOOL;
    pvarRetValue->lVal = 0;
  }
  return S_OK;
}
