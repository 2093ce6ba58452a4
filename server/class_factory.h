// The class object of the component: a standard class factory.
#pragma once
#include <windows.h>
#include <unknwn.h>

class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

 private:
  volatile LONG m_refCount = 0;
};

// Creates a component instance and asks it for `riid`.
HRESULT CreateComponent(IUnknown* pUnkOuter, REFIID riid, void** ppv);
