// Running members by number: CallAsProc and CallAsFunc.
#include "addin/catalogue_table.h"
#include "addin/component.h"

HRESULT CAddInCOMIntegration::CallAsProc(long lMethodNum, SAFEARRAY** paParams) {
  // Unsigned range test: negative numbers are not procedures either.
  if (static_cast<unsigned long>(lMethodNum) >= static_cast<unsigned long>(catalogue::kProcedureCount)) return S_FALSE;
  RunProcedure(lMethodNum, paParams);
  return S_OK;
}

HRESULT CAddInCOMIntegration::CallAsFunc(long, VARIANT* pvarRetValue, SAFEARRAY**) {
  if (pvarRetValue) {
    VariantInit(pvarRetValue);
    pvarRetValue->vt = VT_BOOL;
    pvarRetValue->lVal = 0;
  }
  return S_OK;
}
