// The member catalogue as the platform asks for it through ILanguageExtender.
#include "addin/catalogue.h"
#include "addin/component.h"
#include "support/bstr.h"
#include "support/guard.h"

namespace {

HRESULT Answered(bool found) { return found ? S_OK : S_FALSE; }

// Hands the platform a new BSTR (an empty one when `name` is missing).
HRESULT ReturnName(const std::optional<std::wstring>& name, BSTR* out) {
  *out = Bstr(name ? *name : std::wstring()).Detach();
  return Answered(name.has_value());
}

void SetLong(VARIANT* value, LONG number) {
  value->vt = VT_I4;
  value->lVal = number;
}

constexpr long kIsEnabled = 0;
constexpr long kIsTimerPresent = 1;

}  // namespace

HRESULT CAddInCOMIntegration::GetNProps(long* plProps) {
  if (!plProps) return E_POINTER;
  *plProps = catalogue::kPropertyCount;
  return S_OK;
}

HRESULT CAddInCOMIntegration::FindProp(BSTR bstrPropName, long* plPropNum) {
  if (!plPropNum) return E_POINTER;
  *plPropNum = catalogue::FindProp(Bstr::View(bstrPropName));
  return Answered(*plPropNum != -1);
}

HRESULT CAddInCOMIntegration::GetPropName(long lPropNum, long lPropAlias, BSTR* pbstrPropName) {
  if (!pbstrPropName) return E_POINTER;
  return Guarded([&] { return ReturnName(catalogue::PropertyName(lPropNum, lPropAlias), pbstrPropName); });
}

HRESULT CAddInCOMIntegration::GetPropVal(long lPropNum, VARIANT* pvarPropVal) {
  if (!pvarPropVal) return E_POINTER;
  VariantInit(pvarPropVal);
  switch (lPropNum) {
    case kIsEnabled:
      SetLong(pvarPropVal, m_enabled != 0 ? 1 : 0);
      return S_OK;
    case kIsTimerPresent:
      SetLong(pvarPropVal, 1);
      return S_OK;
    default:
      return S_FALSE;
  }
}

HRESULT CAddInCOMIntegration::SetPropVal(long lPropNum, VARIANT* varPropVal) {
  if (!varPropVal) return E_POINTER;
  if (lPropNum != kIsEnabled || varPropVal->vt != VT_I4) return S_FALSE;
  m_enabled = varPropVal->lVal != 0 ? 1 : 0;
  return S_OK;
}

HRESULT CAddInCOMIntegration::IsPropReadable(long lPropNum, long* pboolPropRead) {
  if (!pboolPropRead) return E_POINTER;
  if (lPropNum != kIsEnabled && lPropNum != kIsTimerPresent) return S_FALSE;
  *pboolPropRead = 1;
  return S_OK;
}

HRESULT CAddInCOMIntegration::IsPropWritable(long lPropNum, long* pboolPropWrite) {
  if (!pboolPropWrite) return E_POINTER;
  if (lPropNum != kIsEnabled && lPropNum != kIsTimerPresent) return S_FALSE;
  *pboolPropWrite = catalogue::kProperties[lPropNum].writable ? 1 : 0;
  return S_OK;
}

HRESULT CAddInCOMIntegration::GetNMethods(long* plMethods) {
  if (!plMethods) return E_POINTER;
  *plMethods = catalogue::kMethodCount;
  if (m_statusLine) {
    return Guarded([&] {
      Bstr text(L"Query NMethods");
      m_statusLine->SetStatusLine(text.Get());
      return S_OK;
    });
  }
  return S_OK;
}

HRESULT CAddInCOMIntegration::FindMethod(BSTR bstrMethodName, long* plMethodNum) {
  if (!plMethodNum) return E_POINTER;
  *plMethodNum = -1;
  return Guarded([&] {
    *plMethodNum = catalogue::FindMethod(Bstr::View(bstrMethodName));
    return Answered(*plMethodNum != -1);
  });
}

HRESULT CAddInCOMIntegration::GetMethodName(long lMethodNum, long lMethodAlias, BSTR* pbstrMethodName) {
  if (!pbstrMethodName) return E_POINTER;
  return Guarded([&] { return ReturnName(catalogue::MethodName(lMethodNum, lMethodAlias), pbstrMethodName); });
}

HRESULT CAddInCOMIntegration::GetNParams(long lMethodNum, long* plParams) {
  if (!plParams) return E_POINTER;
  const std::optional<long> count = catalogue::ParamCount(lMethodNum);
  *plParams = count.value_or(0);
  return Answered(count.has_value());
}

HRESULT CAddInCOMIntegration::GetParamDefValue(long lMethodNum, long, VARIANT* pvarParamDefValue) {
  if (!pvarParamDefValue) return E_POINTER;
  VariantInit(pvarParamDefValue);  // no parameter has a default value
  return Answered(lMethodNum >= 0 && lMethodNum < catalogue::kNamedMethodCount);
}

HRESULT CAddInCOMIntegration::HasRetVal(long lMethodNum, long* pboolRetValue) {
  if (!pboolRetValue) return E_POINTER;
  const std::optional<bool> function = catalogue::HasReturnValue(lMethodNum);
  if (function) *pboolRetValue = *function ? 1 : 0;
  return Answered(function.has_value());
}
