// The simulated register as an add-in component: IInitDone and
// ILanguageExtender over the member catalogue's numbering, with its calls
// answered by one FiscalRegister per instance.
#pragma once
#include <atomic>

#include "host/addin_interfaces.h"
#include "tools/fiscal_register/fiscal_register.h"

class RegisterComponent final : public IInitDone, public ILanguageExtender {
 public:
  RegisterComponent();
  ~RegisterComponent();
  RegisterComponent(const RegisterComponent&) = delete;
  RegisterComponent& operator=(const RegisterComponent&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE Init(IDispatch* pConnection) override;
  HRESULT STDMETHODCALLTYPE Done() override;
  HRESULT STDMETHODCALLTYPE GetInfo(SAFEARRAY** pInfo) override;

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

 private:
  std::atomic<ULONG> refs_{1};
  FiscalRegister register_;
};

// Module lock count: live instances and LockServer calls.
void LockModule();
void UnlockModule();
