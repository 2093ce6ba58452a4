// Owning smart pointer for one COM interface reference.
#pragma once
#include <windows.h>
#include <unknwn.h>
#include <utility>

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Takes an extra reference to `p` (which the caller keeps).
  static ComPtr Share(T* p) {
    if (p) p->AddRef();
    return Adopt(p);
  }
  // Takes over a reference that the caller owned.
  static ComPtr Adopt(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // Releases the held reference and returns the slot for an out-parameter.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  T* Detach() { return std::exchange(p_, nullptr); }
  void Reset(T* p = nullptr) {
    if (T* old = std::exchange(p_, p)) old->Release();
  }

  // QueryInterface for U; an empty pointer when the object does not offer it.
  template <class U>
  ComPtr<U> As() const {
    ComPtr<U> result;
    if (p_ && FAILED(p_->QueryInterface(__uuidof(U), result.PutVoid()))) result.Put();
    return result;
  }

 private:
  T* p_ = nullptr;
};
