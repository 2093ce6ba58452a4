// The platform's add-in interfaces that the component implements. Their IIDs
// are the platform's published identities; the operation order is the virtual
// table the platform calls through.
#pragma once
#include <windows.h>
#include <oaidl.h>

struct IInitDone : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Init(IDispatch* pConnection) = 0;
  virtual HRESULT STDMETHODCALLTYPE Done() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetInfo(SAFEARRAY** pInfo) = 0;
};
__CRT_UUID_DECL(IInitDone, 0xAB634001, 0xF13D, 0x11D0, 0xA4, 0x59, 0x00, 0x40, 0x95, 0xE1, 0xDA, 0xEA)

struct ILanguageExtender : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE RegisterExtensionAs(BSTR* bstrExtensionName) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNProps(long* plProps) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindProp(BSTR bstrPropName, long* plPropNum) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropName(long lPropNum, long lPropAlias, BSTR* pbstrPropName) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropVal(long lPropNum, VARIANT* pvarPropVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPropVal(long lPropNum, VARIANT* varPropVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsPropReadable(long lPropNum, long* pboolPropRead) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsPropWritable(long lPropNum, long* pboolPropWrite) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNMethods(long* plMethods) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindMethod(BSTR bstrMethodName, long* plMethodNum) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMethodName(long lMethodNum, long lMethodAlias, BSTR* pbstrMethodName) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNParams(long lMethodNum, long* plParams) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetParamDefValue(long lMethodNum, long lParamNum, VARIANT* pvarParamDefValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE HasRetVal(long lMethodNum, long* pboolRetValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CallAsProc(long lMethodNum, SAFEARRAY** paParams) = 0;
  virtual HRESULT STDMETHODCALLTYPE CallAsFunc(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams) = 0;
};
__CRT_UUID_DECL(ILanguageExtender, 0xAB634003, 0xF13D, 0x11D0, 0xA4, 0x59, 0x00, 0x40, 0x95, 0xE1, 0xDA, 0xEA)

struct ILocale : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetLocale(BSTR bstrLocale) = 0;
};
__CRT_UUID_DECL(ILocale, 0xE88A191E, 0x8F52, 0x4261, 0x9F, 0xAE, 0xFF, 0x7A, 0xA8, 0x4F, 0x5D, 0x7E)
