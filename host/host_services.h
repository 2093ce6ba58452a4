// The platform's services, obtained from the connection object given to Init.
// Only the operations the component calls are relied on; the others are
// declared so that the virtual tables have their published shape.
#pragma once
#include <windows.h>
#include <ocidl.h>  // IErrorLog: AddError(property name, EXCEPINFO*) is its first operation

struct IPropertyProfile : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Read(LPCOLESTR pszPropName, VARIANT* pVar, IErrorLog* pErrorLog) = 0;
  virtual HRESULT STDMETHODCALLTYPE Write(LPCOLESTR pszPropName, VARIANT* pVar) = 0;
  virtual HRESULT STDMETHODCALLTYPE RegisterProfileAs(BSTR bstrProfileName) = 0;
};
__CRT_UUID_DECL(IPropertyProfile, 0xAB634002, 0xF13D, 0x11D0, 0xA4, 0x59, 0x00, 0x40, 0x95, 0xE1, 0xDA, 0xEA)

struct IAsyncEvent : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetEventBufferDepth(long lDepth) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetEventBufferDepth(long* plDepth) = 0;
  // Called from a thread other than the platform's (the timer's).
  virtual HRESULT STDMETHODCALLTYPE ExternalEvent(BSTR bstrSource, BSTR bstrMessage, BSTR bstrData) = 0;
  virtual HRESULT STDMETHODCALLTYPE CleanBuffer() = 0;
};
__CRT_UUID_DECL(IAsyncEvent, 0xAB634004, 0xF13D, 0x11D0, 0xA4, 0x59, 0x00, 0x40, 0x95, 0xE1, 0xDA, 0xEA)

struct IStatusLine : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetStatusLine(BSTR bstrStatusLine) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResetStatusLine() = 0;
};
__CRT_UUID_DECL(IStatusLine, 0xAB634005, 0xF13D, 0x11D0, 0xA4, 0x59, 0x00, 0x40, 0x95, 0xE1, 0xDA, 0xEA)

// Message-box service: the component calls the second operation.
struct IMsgBox : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Confirm(BSTR bstrMessage, VARIANT* pvarAnswer) = 0;
  virtual HRESULT STDMETHODCALLTYPE MsgBox(BSTR bstrMessage, VARIANT* pvarAnswer, long lStyle, long lTimeout) = 0;
};
__CRT_UUID_DECL(IMsgBox, 0x3C2136B5, 0xB35A, 0x4FAC, 0x9A, 0xC3, 0xF7, 0x7F, 0x36, 0x1E, 0x94, 0x67)

// Record handed out by the platform-information service; only the first
// member, a NUL-terminated wide text, is relied on.
struct AppInfo {
  const wchar_t* AppVersion;
};

// Platform-information service: the component calls the first operation.
struct IPlatformInfo : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetPlatformInfo(AppInfo** ppInfo) = 0;
};
__CRT_UUID_DECL(IPlatformInfo, 0xAAABE126, 0x2230, 0x4A7D, 0x9D, 0xDA, 0x89, 0x87, 0xFD, 0x2A, 0x62, 0xBA)
