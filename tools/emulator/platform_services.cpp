#include "tools/emulator/platform_services.h"

#include <cwchar>

#include "support/bstr.h"
#include "support/variant.h"
#include "tools/emulator/console.h"

namespace {

std::wstring Text(BSTR text) { return std::wstring(Bstr::View(text)); }

}  // namespace

HRESULT EmulatedStatusLine::SetStatusLine(BSTR bstrStatusLine) {
  console::Line(L"  [status line] " + Text(bstrStatusLine));
  return S_OK;
}

HRESULT EmulatedStatusLine::ResetStatusLine() {
  console::Line(L"  [status line] (reset)");
  return S_OK;
}

HRESULT EmulatedErrorLog::AddError(LPCOLESTR pszPropName, EXCEPINFO* pExcepInfo) {
  std::wstring line = L"  [error log] property \"" + std::wstring(pszPropName ? pszPropName : L"") + L"\"";
  if (pExcepInfo) {
    line += L", code " + std::to_wstring(pExcepInfo->wCode) + L", source \"" + Text(pExcepInfo->bstrSource) +
            L"\": " + Text(pExcepInfo->bstrDescription);
  }
  console::Line(line);
  return S_OK;
}

HRESULT EmulatedAsyncEvent::SetEventBufferDepth(long lDepth) {
  depth_ = lDepth;
  return S_OK;
}

HRESULT EmulatedAsyncEvent::GetEventBufferDepth(long* plDepth) {
  if (!plDepth) return E_POINTER;
  *plDepth = depth_;
  return S_OK;
}

HRESULT EmulatedAsyncEvent::ExternalEvent(BSTR bstrSource, BSTR bstrMessage, BSTR bstrData) {
  ++events_;
  console::Line(L"  [" + console::Timestamp() + L"] external event: source \"" + Text(bstrSource) + L"\", event \"" +
                Text(bstrMessage) + L"\", data \"" + Text(bstrData) + L"\"");
  return S_OK;
}

HRESULT EmulatedAsyncEvent::CleanBuffer() { return S_OK; }

HRESULT EmulatedMessageBox::Confirm(BSTR bstrMessage, VARIANT* pvarAnswer) {
  console::Line(L"  [confirm] " + Text(bstrMessage) + L" -> yes");
  if (pvarAnswer) {
    VariantClear(pvarAnswer);
    pvarAnswer->vt = VT_BOOL;
    pvarAnswer->boolVal = VARIANT_TRUE;
  }
  return S_OK;
}

HRESULT EmulatedMessageBox::MsgBox(BSTR bstrMessage, VARIANT* pvarAnswer, long lStyle, long lTimeout) {
  console::Line(L"  [message box] \"" + Text(bstrMessage) + L"\" (style " + std::to_wstring(lStyle) + L", timeout " +
                std::to_wstring(lTimeout) + L") -> OK");
  if (pvarAnswer) {
    VariantClear(pvarAnswer);
    pvarAnswer->vt = VT_I4;
    pvarAnswer->lVal = IDOK;
  }
  return S_OK;
}

HRESULT EmulatedPlatformInfo::GetPlatformInfo(AppInfo** ppInfo) {
  if (!ppInfo) return E_POINTER;
  *ppInfo = &info_;
  return S_OK;
}

std::wstring FileProfile::EntryName(LPCOLESTR name) {
  std::wstring entry = name ? name : L"";
  const size_t colon = entry.rfind(L':');
  if (colon != std::wstring::npos && colon + 1 < entry.size() &&
      entry.find_first_not_of(L"0123456789", colon + 1) == std::wstring::npos)
    entry.erase(colon);
  return entry;
}

std::wstring FileProfile::Stored(const std::wstring& entry) const {
  wchar_t value[1024] = L"";
  GetPrivateProfileStringW(section_.c_str(), entry.c_str(), L"", value, 1024, path_.c_str());
  return value;
}

HRESULT FileProfile::Read(LPCOLESTR pszPropName, VARIANT* pVar, IErrorLog*) {
  if (!pVar) return E_POINTER;
  const std::wstring text = Stored(EntryName(pszPropName));
  if (text.empty()) return E_INVALIDARG;  // nothing stored under this name
  wchar_t* end = nullptr;
  const long number = std::wcstol(text.c_str(), &end, 10);
  VariantClear(pVar);
  if (end && *end == L'\0') {
    pVar->vt = VT_I4;
    pVar->lVal = number;
  } else {
    pVar->vt = VT_BSTR;
    pVar->bstrVal = SysAllocString(text.c_str());
  }
  return S_OK;
}

HRESULT FileProfile::Write(LPCOLESTR pszPropName, VARIANT* pVar) {
  if (!pVar) return E_POINTER;
  Variant text;
  if (FAILED(VariantChangeType(text.Get(), pVar, 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
  const std::wstring entry = EntryName(pszPropName);
  const std::wstring value(Bstr::View(text.Get()->bstrVal));
  if (!WritePrivateProfileStringW(section_.c_str(), entry.c_str(), value.c_str(), path_.c_str())) {
    console::Line(L"  [profile] cannot write " + path_);
    return E_FAIL;
  }
  console::Line(L"  [profile] " + section_ + L": " + entry + L" = " + value);
  return S_OK;
}

HRESULT FileProfile::RegisterProfileAs(BSTR bstrProfileName) {
  section_ = Text(bstrProfileName);
  if (section_.empty()) section_ = L"Default";
  console::Line(L"  [profile] registered as \"" + section_ + L"\" in " + path_);
  return S_OK;
}
