#include "tools/fiscal_register/register_component.h"

#include "addin/catalogue_table.h"
#include "support/bstr.h"
#include "support/guard.h"
#include "support/variant.h"

namespace {

constexpr wchar_t kExtensionName[] = L"BrivexFiscalRegisterSim";

const catalogue::MethodRow* Row(long number) {
  return number >= 0 && number < catalogue::kMethodCount ? &catalogue::kMethods[number] : nullptr;
}

bool SameName(const wchar_t* known, std::wstring_view name) {
  return known && CompareStringOrdinal(known, -1, name.data(), static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

HRESULT PutName(BSTR* out, const wchar_t* name) {
  if (!out) return E_POINTER;
  return Guarded([&] {
    *out = Bstr(name ? name : L"").Detach();
    return name ? S_OK : S_FALSE;
  });
}

}  // namespace

RegisterComponent::RegisterComponent() { LockModule(); }
RegisterComponent::~RegisterComponent() { UnlockModule(); }

HRESULT RegisterComponent::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IUnknown || riid == __uuidof(IInitDone)) *ppv = static_cast<IInitDone*>(this);
  else if (riid == __uuidof(ILanguageExtender)) *ppv = static_cast<ILanguageExtender*>(this);
  else return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG RegisterComponent::AddRef() { return ++refs_; }

ULONG RegisterComponent::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

// The register needs nothing of the platform: it is driven by CallAsFunc alone.
HRESULT RegisterComponent::Init(IDispatch*) { return S_OK; }
HRESULT RegisterComponent::Done() { return S_OK; }

HRESULT RegisterComponent::GetInfo(SAFEARRAY** pInfo) {
  if (!pInfo || !*pInfo) return E_POINTER;
  LONG index = 0;
  return SafeArrayPutElement(*pInfo, &index, Variant::Long(2000).Get());
}

HRESULT RegisterComponent::RegisterExtensionAs(BSTR* bstrExtensionName) { return PutName(bstrExtensionName, kExtensionName); }

HRESULT RegisterComponent::GetNProps(long* plProps) {
  if (!plProps) return E_POINTER;
  *plProps = 0;
  return S_OK;
}

HRESULT RegisterComponent::FindProp(BSTR, long* plPropNum) {
  if (!plPropNum) return E_POINTER;
  *plPropNum = -1;
  return S_FALSE;
}

HRESULT RegisterComponent::GetPropName(long, long, BSTR* pbstrPropName) { return PutName(pbstrPropName, nullptr); }

HRESULT RegisterComponent::GetPropVal(long, VARIANT* pvarPropVal) {
  if (pvarPropVal) VariantInit(pvarPropVal);
  return S_FALSE;
}

HRESULT RegisterComponent::SetPropVal(long, VARIANT*) { return S_FALSE; }
HRESULT RegisterComponent::IsPropReadable(long, long*) { return S_FALSE; }
HRESULT RegisterComponent::IsPropWritable(long, long*) { return S_FALSE; }

HRESULT RegisterComponent::GetNMethods(long* plMethods) {
  if (!plMethods) return E_POINTER;
  *plMethods = catalogue::kMethodCount;
  return S_OK;
}

// Fiscal members (7 to 31) by English or Russian name in any case, or by the
// catalogue's finder literals; the demonstration procedures are not the register's.
HRESULT RegisterComponent::FindMethod(BSTR bstrMethodName, long* plMethodNum) {
  if (!plMethodNum) return E_POINTER;
  *plMethodNum = -1;
  const std::wstring_view name = Bstr::View(bstrMethodName);
  for (const catalogue::MethodRow& row : catalogue::kMethods) {
    if (row.kind == catalogue::MemberKind::Procedure) continue;
    if (SameName(row.english, name) || SameName(row.russian, name) || SameName(row.finderEnglish, name) ||
        SameName(row.finderRussian, name) || SameName(row.finderAlias, name)) {
      *plMethodNum = row.number;
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT RegisterComponent::GetMethodName(long lMethodNum, long lMethodAlias, BSTR* pbstrMethodName) {
  const catalogue::MethodRow* row = Row(lMethodNum);
  if (!row || row->kind == catalogue::MemberKind::Procedure || !row->english) return PutName(pbstrMethodName, nullptr);
  const HRESULT hr = PutName(pbstrMethodName, lMethodAlias == 0 ? row->english : lMethodAlias == 1 ? row->russian : L"");
  return FAILED(hr) ? hr : S_OK;
}

HRESULT RegisterComponent::GetNParams(long lMethodNum, long* plParams) {
  if (!plParams) return E_POINTER;
  const catalogue::MethodRow* row = Row(lMethodNum);
  *plParams = row ? row->paramCount : 0;
  return row ? S_OK : S_FALSE;
}

HRESULT RegisterComponent::GetParamDefValue(long lMethodNum, long, VARIANT* pvarParamDefValue) {
  if (pvarParamDefValue) VariantInit(pvarParamDefValue);
  return Row(lMethodNum) ? S_OK : S_FALSE;
}

HRESULT RegisterComponent::HasRetVal(long lMethodNum, long* pboolRetValue) {
  if (!pboolRetValue) return E_POINTER;
  const catalogue::MethodRow* row = Row(lMethodNum);
  if (!row || row->kind == catalogue::MemberKind::Procedure) return S_FALSE;
  *pboolRetValue = 1;
  return S_OK;
}

HRESULT RegisterComponent::CallAsProc(long, SAFEARRAY**) { return S_FALSE; }

HRESULT RegisterComponent::CallAsFunc(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams) {
  if (!pvarRetValue) return E_POINTER;
  return Guarded([&] {
    register_.Call(lMethodNum, pvarRetValue, paParams);
    return S_OK;
  });
}
