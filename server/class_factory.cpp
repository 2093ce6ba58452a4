#include "server/class_factory.h"

#include <new>

#include "server/component_object.h"
#include "server/module.h"
#include "support/guard.h"

HRESULT ClassFactory::Create(InstanceCreator createInstance, IUnknown** classObject) {
  auto* created = new (std::nothrow) ClassFactory(createInstance);
  if (!created) return E_OUTOFMEMORY;
  created->AddRef();
  *classObject = created;
  return S_OK;
}

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

ULONG STDMETHODCALLTYPE ClassFactory::AddRef() {
  const LONG count = InterlockedIncrement(&m_refCount);
  if (count == 2) Module().Lock();
  return static_cast<ULONG>(count);
}

ULONG STDMETHODCALLTYPE ClassFactory::Release() {
  const LONG count = InterlockedDecrement(&m_refCount);
  if (count == 1)
    Module().Unlock();
  else if (count == 0)
    delete this;
  return static_cast<ULONG>(count);
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
  return m_createInstance(pUnkOuter, riid, ppv);
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL fLock) {
  if (fLock)
    Module().Lock();
  else
    Module().Unlock();
  return S_OK;
}

namespace {

// Allocates an object, asks it for `riid` and drops the creation reference:
// a failed query destroys the new object again.
template <class Object, class... Args>
HRESULT CreateAndQuery(REFIID riid, void** ppv, Args... args) {
  auto* object = new (std::nothrow) Object(args...);
  if (!object) return E_OUTOFMEMORY;
  object->AddRef();
  const HRESULT hr = object->QueryInterface(riid, ppv);
  object->Release();
  return hr;
}

}  // namespace

HRESULT CreateComponent(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (pUnkOuter && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
  return Guarded([&] {
    return pUnkOuter ? CreateAndQuery<AggregatedComponent>(riid, ppv, pUnkOuter)
                     : CreateAndQuery<StandaloneComponent>(riid, ppv);
  });
}
