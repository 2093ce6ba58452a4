// The connection object handed to IInitDone::Init: an IDispatch that offers
// every platform service through QueryInterface.
#pragma once
#include <string>

#include "tools/emulator/platform_services.h"

class Connection final : public HostObject<IDispatch> {
 public:
  explicit Connection(std::wstring profilePath) : profile(std::move(profilePath)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  EmulatedStatusLine statusLine;
  EmulatedErrorLog errorLog;
  EmulatedAsyncEvent asyncEvent;
  EmulatedMessageBox messageBox;
  EmulatedPlatformInfo platformInfo;
  FileProfile profile;
};
