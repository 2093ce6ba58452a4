// Base of the test doubles: a COM object owned by the test, not by its
// references. AddRef and Release only count, so a test can check at the end
// that every reference the component took was given back, and a call that
// arrives after the last Release is recorded instead of touching freed memory.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <tuple>

template <class... Interfaces>
class TestObject : public Interfaces... {
 public:
  TestObject() = default;
  TestObject(const TestObject&) = delete;
  TestObject& operator=(const TestObject&) = delete;
  virtual ~TestObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown)
      *ppv = static_cast<IUnknown*>(static_cast<typename std::tuple_element<0, std::tuple<Interfaces...>>::type*>(this));
    else if (!(Answer<Interfaces>(riid, ppv) || ...))
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    ++addRefs_;
    return static_cast<ULONG>(++refs_);
  }
  ULONG STDMETHODCALLTYPE Release() override {
    ++releases_;
    const long left = --refs_;
    if (left < 0) ++lateCalls_;  // released more often than referenced
    return static_cast<ULONG>(left < 0 ? 0 : left);
  }

  // References held by others right now; 0 when everything taken was given back.
  long RefCount() const { return refs_; }
  long AddRefCount() const { return addRefs_; }
  long ReleaseCount() const { return releases_; }
  // Calls (and Releases) that came while nobody held a reference.
  long LateCalls() const { return lateCalls_; }
  // The object as an interface pointer, without taking a reference.
  template <class I>
  I* As() {
    return static_cast<I*>(this);
  }

 protected:
  // Every operation of a double calls this first.
  void Touch() {
    if (refs_ <= 0) ++lateCalls_;
  }

 private:
  template <class I>
  bool Answer(REFIID riid, void** ppv) {
    if (riid != __uuidof(I)) return false;
    *ppv = static_cast<I*>(this);
    return true;
  }

  std::atomic<long> refs_{0};
  std::atomic<long> addRefs_{0};
  std::atomic<long> releases_{0};
  std::atomic<long> lateCalls_{0};
};
