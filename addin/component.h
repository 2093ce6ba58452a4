// CAddInCOMIntegration: the add-in object that the platform creates and talks
// to through IInitDone, ILanguageExtender and ILocale.
#pragma once
#include "addin/timer.h"
#include "addin_identity.h"
#include "host/addin_interfaces.h"
#include "host/host_services.h"
#include "support/com_ptr.h"

// ILanguageExtender comes first among the bases: the platform makes nearly
// every call through it, and at offset 0 its calls need no pointer adjustment.
class CAddInCOMIntegration : public ILanguageExtender,
                             public IAddInCOMIntegration,
                             public IInitDone,
                             public ILocale {
 public:
  CAddInCOMIntegration() = default;
  CAddInCOMIntegration(const CAddInCOMIntegration&) = delete;
  CAddInCOMIntegration& operator=(const CAddInCOMIntegration&) = delete;
  virtual ~CAddInCOMIntegration() = default;

  // The identity the object answers: its four interfaces, searched in the
  // order IAddInCOMIntegration, IInitDone, ILanguageExtender, ILocale, and
  // IUnknown as the IAddInCOMIntegration pointer. Does not AddRef.
  void* FindInterface(REFIID riid);
  // IUnknown itself is supplied by the object that holds the component:
  // standalone or inside an aggregate.

  // IInitDone
  HRESULT STDMETHODCALLTYPE Init(IDispatch* pConnection) override;
  HRESULT STDMETHODCALLTYPE Done() override;
  HRESULT STDMETHODCALLTYPE GetInfo(SAFEARRAY** pInfo) override;

  // ILanguageExtender
  HRESULT STDMETHODCALLTYPE RegisterExtensionAs(BSTR* bstrExtensionName) override;
  HRESULT STDMETHODCALLTYPE GetNProps(long* plProps) override;
  HRESULT STDMETHODCALLTYPE FindProp(BSTR bstrPropName, long* plPropNum) override;
  HRESULT STDMETHODCALLTYPE GetPropName(long lPropNum, long lPropAlias, BSTR* pbstrPropName) override;
  HRESULT STDMETHODCALLTYPE GetPropVal(long lPropNum, VARIANT* pvarPropVal) override;
  HRESULT STDMETHODCALLTYPE SetPropVal(long lPropNum, VARIANT* varPropVal) override;
  HRESULT STDMETHODCALLTYPE IsPropReadable(long lPropNum, long* pboolPropRead) override;
  HRESULT STDMETHODCALLTYPE IsPropWritable(long lPropNum, long* pboolPropWrite) override;
  HRESULT STDMETHODCALLTYPE GetNMethods(long* plMethods) override;
  HRESULT STDMETHODCALLTYPE FindMethod(BSTR bstrMethodName, long* plMethodNum) override;
  HRESULT STDMETHODCALLTYPE GetMethodName(long lMethodNum, long lMethodAlias, BSTR* pbstrMethodName) override;
  HRESULT STDMETHODCALLTYPE GetNParams(long lMethodNum, long* plParams) override;
  HRESULT STDMETHODCALLTYPE GetParamDefValue(long lMethodNum, long lParamNum, VARIANT* pvarParamDefValue) override;
  HRESULT STDMETHODCALLTYPE HasRetVal(long lMethodNum, long* pboolRetValue) override;
  HRESULT STDMETHODCALLTYPE CallAsProc(long lMethodNum, SAFEARRAY** paParams) override;
  HRESULT STDMETHODCALLTYPE CallAsFunc(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams) override;

  // ILocale
  HRESULT STDMETHODCALLTYPE SetLocale(BSTR bstrLocale) override;

 private:
  // Reads the enabled flag from the property profile; true when it set the flag.
  bool LoadProperties();
  // Writes the enabled flag to the property profile.
  void SaveProperties();
  // Runs demonstration procedure 0 to 6 (the caller has checked the number).
  void RunProcedure(long lMethodNum, SAFEARRAY** paParams);

  ComPtr<IDispatch> m_connection;
  ComPtr<IErrorLog> m_errorLog;
  ComPtr<IPropertyProfile> m_propertyProfile;
  ComPtr<IStatusLine> m_statusLine;
  ComPtr<IAsyncEvent> m_asyncEvent;
  ComPtr<ILanguageExtender> m_mainDriver;
  bool m_mainDriverCreated = false;  // set when the main driver was created at Init; never cleared
  long m_enabled = 0;                // the IsEnabled property, 0 or 1
  bool m_comInitialized = false;     // Init's CoInitialize succeeded and awaits its CoUninitialize
  DemoTimer m_timer;                 // StartTimer/StopTimer; shut down before the async event is released
};
