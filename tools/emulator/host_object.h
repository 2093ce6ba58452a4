// Base of the emulator's platform objects: COM objects that live as long as the
// emulator does. References are counted atomically (the timer thread calls in
// too) but never delete the object.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <atomic>

template <class... Interfaces>
class HostObject : public Interfaces... {
 public:
  HostObject() = default;
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;
  virtual ~HostObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown)
      *ppv = static_cast<IUnknown*>(static_cast<First<Interfaces...>*>(this));
    else if (!(Answer<Interfaces>(riid, ppv) || ...))
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }

  template <class I>
  I* As() {
    return static_cast<I*>(this);
  }

 private:
  template <class F, class...>
  struct FirstOf {
    using type = F;
  };
  template <class... I>
  using First = typename FirstOf<I...>::type;

  template <class I>
  bool Answer(REFIID riid, void** ppv) {
    if (riid != __uuidof(I)) return false;
    *ppv = static_cast<I*>(this);
    return true;
  }

  std::atomic<ULONG> refs_{1};
};
