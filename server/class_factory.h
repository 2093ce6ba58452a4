// The class object of a class: a standard class factory. Its first reference
// belongs to the class table's cache and does not lock the module; every
// further reference does (the count rising from 1 to 2 locks, falling from 2
// to 1 unlocks).
#pragma once
#include <windows.h>
#include <unknwn.h>

#include "server/class_table.h"

class ClassFactory final : public IClassFactory {
 public:
  // A new class object making instances with `createInstance`, holding the
  // one reference returned in `*classObject`.
  static HRESULT Create(InstanceCreator createInstance, IUnknown** classObject);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

 private:
  explicit ClassFactory(InstanceCreator createInstance) : m_createInstance(createInstance) {}
  ~ClassFactory() = default;

  volatile LONG m_refCount = 0;
  const InstanceCreator m_createInstance;
};

// Creates a component instance and asks it for `riid`: plain without
// `pUnkOuter`, aggregated with it (then only IUnknown may be asked for, else
// CLASS_E_NOAGGREGATION and nothing is created).
HRESULT CreateComponent(IUnknown* pUnkOuter, REFIID riid, void** ppv);
