// Lifecycle of the add-in object: its identity, Init, Done, GetInfo,
// RegisterExtensionAs, SetLocale and the persisted enabled flag.
#include "addin/component.h"

#include "addin/param_array.h"
#include "host/main_driver.h"
#include "support/bstr.h"
#include "support/guard.h"
#include "support/variant.h"

namespace {

constexpr wchar_t kProfileName[] = L"TestAddInProfName";
// The profile is read under "Enabled:0" and written under "Enabled": the
// platform's rule makes both names reach the same stored entry.
constexpr wchar_t kEnabledReadName[] = L"Enabled:0";
constexpr wchar_t kEnabledWriteName[] = L"Enabled";
constexpr wchar_t kExtensionName[] = L"BrivexAddInCOMIntegration";
constexpr LONG kAddInInfoVersion = 2040;

}  // namespace

void* CAddInCOMIntegration::FindInterface(REFIID riid) {
  if (riid == __uuidof(IAddInCOMIntegration) || riid == IID_IUnknown) return static_cast<IAddInCOMIntegration*>(this);
  if (riid == __uuidof(IInitDone)) return static_cast<IInitDone*>(this);
  if (riid == __uuidof(ILanguageExtender)) return static_cast<ILanguageExtender*>(this);
  if (riid == __uuidof(ILocale)) return static_cast<ILocale*>(this);
  return nullptr;
}

HRESULT CAddInCOMIntegration::Init(IDispatch* pConnection) {
  if (!pConnection) return E_FAIL;
  return Guarded([&] {
    m_timer.Shutdown();  // a repeated Init replaces the async event that a running timer may be using
    m_connection = ComPtr<IDispatch>::Share(pConnection);
    m_errorLog = m_connection.As<IErrorLog>();
    m_asyncEvent = m_connection.As<IAsyncEvent>();
    m_statusLine = m_connection.As<IStatusLine>();
    m_propertyProfile = m_connection.As<IPropertyProfile>();
    if (m_propertyProfile) {
      Bstr profileName(kProfileName);
      m_propertyProfile->RegisterProfileAs(profileName.Get());
      if (!LoadProperties()) m_enabled = 1;
    }
    if (!m_comInitialized) m_comInitialized = SUCCEEDED(CoInitialize(nullptr));
    if (!m_mainDriver) {
      m_mainDriver = CreateMainDriver();
      if (m_mainDriver) m_mainDriverCreated = true;
    }
    return S_OK;
  });
}

bool CAddInCOMIntegration::LoadProperties() {
  if (!m_propertyProfile) return false;
  Bstr name(kEnabledReadName);
  Variant value = Variant::Long(0);
  if (m_propertyProfile->Read(name.Get(), value.Get(), nullptr) != S_OK) return false;
  // The entry is read as it was stored: 1 enabled, 0 disabled.
  Variant stored;
  if (FAILED(VariantChangeType(stored.Get(), value.Get(), 0, VT_I4))) return false;
  m_enabled = stored.Get()->lVal != 0 ? 1 : 0;
  return true;
}

void CAddInCOMIntegration::SaveProperties() {
  if (!m_propertyProfile) return;
  Bstr name(kEnabledWriteName);
  Variant value = Variant::Long(m_enabled != 0 ? 1 : 0);
  m_propertyProfile->Write(name.Get(), value.Get());
}

HRESULT CAddInCOMIntegration::Done() {
  m_timer.Shutdown();  // no callback may reach the async event once it is released below
  Guarded([&] {
    SaveProperties();
    return S_OK;
  });
  // Each reference is released once: Reset empties the pointer first, so a
  // second Done (or one after a failed Init) finds nothing to release.
  m_statusLine.Reset();
  m_propertyProfile.Reset();
  m_asyncEvent.Reset();
  m_errorLog.Reset();
  m_connection.Reset();
  try {
    m_mainDriver.Reset();
  } catch (...) {
    // A main driver whose release throws must not stop the shutdown.
  }
  if (m_comInitialized) {
    CoUninitialize();
    m_comInitialized = false;
  }
  return S_OK;
}

HRESULT CAddInCOMIntegration::GetInfo(SAFEARRAY** pInfo) {
  if (!pInfo) return E_POINTER;
  params::PutParamElement(pInfo, 0, *Variant::Long(kAddInInfoVersion).Get());
  return S_OK;
}

HRESULT CAddInCOMIntegration::RegisterExtensionAs(BSTR* bstrExtensionName) {
  if (!bstrExtensionName) return E_POINTER;
  return Guarded([&] {
    *bstrExtensionName = Bstr(kExtensionName).Detach();  // the platform owns it now
    return S_OK;
  });
}

HRESULT CAddInCOMIntegration::SetLocale(BSTR) { return S_OK; }
