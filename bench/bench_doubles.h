// The platform and the main driver as the benchmark needs them: objects that
// answer at once and record nothing, so that the figures are the component's.
#pragma once
#include <windows.h>

#include "host/addin_interfaces.h"
#include "host/host_services.h"
#include "host/connection_object.h"

// A COM object that lives for the whole run: references are counted only to
// keep the contract, never to free it.
template <class I>
class Resident : public I {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = (riid == IID_IUnknown || riid == __uuidof(I)) ? static_cast<I*>(this) : nullptr;
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }

 private:
  long refs_ = 1;
};

class QuietErrorLog final : public Resident<IErrorLog> {
 public:
  HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR, EXCEPINFO*) override { return S_OK; }
};

class QuietStatusLine final : public Resident<IStatusLine> {
 public:
  HRESULT STDMETHODCALLTYPE SetStatusLine(BSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResetStatusLine() override { return S_OK; }
};

class QuietAsyncEvent final : public Resident<IAsyncEvent> {
 public:
  HRESULT STDMETHODCALLTYPE SetEventBufferDepth(long) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetEventBufferDepth(long* depth) override {
    if (depth) *depth = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ExternalEvent(BSTR, BSTR, BSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE CleanBuffer() override { return S_OK; }
};

// Keeps the one entry the component stores.
class SingleEntryProfile final : public Resident<IPropertyProfile> {
 public:
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR, VARIANT* value, IErrorLog*) override {
    value->vt = VT_I4;
    value->lVal = stored_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT* value) override {
    if (value->vt == VT_I4) stored_ = value->lVal;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RegisterProfileAs(BSTR) override { return S_OK; }

 private:
  LONG stored_ = 1;
};

// The connection object: offers the four services that Init asks for, or
// none (`bare`), as a platform without them would.
class BenchConnection final : public NoDispatch<Resident<IDispatch>> {
 public:
  explicit BenchConnection(bool bare = false) : bare_(bare) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (!bare_) {
      if (riid == __uuidof(IErrorLog)) return errorLog_.QueryInterface(riid, ppv);
      if (riid == __uuidof(IStatusLine)) return statusLine_.QueryInterface(riid, ppv);
      if (riid == __uuidof(IAsyncEvent)) return asyncEvent_.QueryInterface(riid, ppv);
      if (riid == __uuidof(IPropertyProfile)) return profile_.QueryInterface(riid, ppv);
    }
    return NoDispatch::QueryInterface(riid, ppv);
  }

 private:
  bool bare_;
  QuietErrorLog errorLog_;
  QuietStatusLine statusLine_;
  QuietAsyncEvent asyncEvent_;
  SingleEntryProfile profile_;
};

// The main driver: every call puts a short text into the return value; the
// device test also answers its text in parameter 0, as a driver does.
class BenchMainDriver final : public Resident<ILanguageExtender> {
 public:
  HRESULT STDMETHODCALLTYPE CallAsFunc(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams) override;

  HRESULT STDMETHODCALLTYPE RegisterExtensionAs(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNProps(long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindProp(BSTR, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPropName(long, long, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPropVal(long, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetPropVal(long, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsPropReadable(long, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsPropWritable(long, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNMethods(long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindMethod(BSTR, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMethodName(long, long, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNParams(long, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetParamDefValue(long, long, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE HasRetVal(long, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CallAsProc(long, SAFEARRAY**) override { return E_NOTIMPL; }
};

// Serves `driver` under `clsid` in this process while it exists; with no
// driver, refuses to create one, as a main driver that cannot start does.
// (A class left unregistered fails too, but only after the system has waited
// for a local server to come up.)
class MainDriverClass final : public Resident<IClassFactory> {
 public:
  MainDriverClass(const CLSID& clsid, BenchMainDriver* driver);
  ~MainDriverClass();
  MainDriverClass(const MainDriverClass&) = delete;
  MainDriverClass& operator=(const MainDriverClass&) = delete;
  bool Registered() const { return cookie_ != 0; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  BenchMainDriver* driver_;
  DWORD cookie_ = 0;
};
