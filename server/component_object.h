// The component as a standalone COM object: its own reference count (a plain
// counter: the object lives in one single-threaded apartment) and a module
// lock for as long as it exists.
#pragma once
#include "addin/component.h"
#include "server/module.h"

class StandaloneComponent final : public CAddInCOMIntegration {
 public:
  StandaloneComponent() { Module().Lock(); }
  ~StandaloneComponent() override { Module().Unlock(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = FindInterface(riid);
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refCount; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --m_refCount;
    if (left == 0) delete this;
    return left;
  }

 private:
  ULONG m_refCount = 0;
};
