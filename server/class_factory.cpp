#include "server/class_factory.h"

#include "server/component_object.h"
#include "server/module.h"
#include "support/guard.h"

HRESULT STDMETHODCALLTYPE ClassFactory::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid != IID_IUnknown && riid != IID_IClassFactory) {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  *ppv = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE ClassFactory::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refCount)); }

ULONG STDMETHODCALLTYPE ClassFactory::Release() {
  const LONG left = InterlockedDecrement(&m_refCount);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
  return CreateComponent(pUnkOuter, riid, ppv);
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL fLock) {
  if (fLock)
    Module().Lock();
  else
    Module().Unlock();
  return S_OK;
}

HRESULT CreateComponent(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  return Guarded([&] {
    auto* component = new StandaloneComponent;
    component->AddRef();
    const HRESULT hr = component->QueryInterface(riid, ppv);
    component->Release();  // a failed query destroys the new instance
    return hr;
  });
}
