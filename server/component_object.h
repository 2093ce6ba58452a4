// The component as a COM object, created alone or inside an aggregate. Either
// form locks the module for as long as it exists. Reference counts are plain
// counters: the object lives in one single-threaded apartment.
#pragma once
#include "addin/component.h"
#include "server/module.h"

// Created alone: the component's interfaces share the object's own IUnknown.
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

// Created inside an aggregate: this object is the inner, non-delegating
// IUnknown that only the outer object holds; it has its own identity and
// reference count. The component's interfaces belong to the aggregate: their
// QueryInterface, AddRef and Release go to the outer object.
class AggregatedComponent final : public IUnknown {
 public:
  explicit AggregatedComponent(IUnknown* outer) : m_contained(outer) { Module().Lock(); }
  ~AggregatedComponent() { Module().Unlock(); }
  AggregatedComponent(const AggregatedComponent&) = delete;
  AggregatedComponent& operator=(const AggregatedComponent&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown) {
      *ppv = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = m_contained.FindInterface(riid);
    if (!*ppv) return E_NOINTERFACE;
    m_contained.AddRef();  // a reference to the aggregate
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refCount; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --m_refCount;
    if (left == 0) delete this;
    return left;
  }

 private:
  class Contained final : public CAddInCOMIntegration {
   public:
    // The outer object owns the aggregate and outlives this one: no reference is taken.
    explicit Contained(IUnknown* outer) : m_outer(outer) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
      return m_outer->QueryInterface(riid, ppv);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_outer->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_outer->Release(); }

   private:
    IUnknown* const m_outer;
  };

  ULONG m_refCount = 0;
  Contained m_contained;
};
