// Owning wrapper for one BSTR.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <new>
#include <string_view>
#include <utility>

class Bstr {
 public:
  Bstr() = default;
  // Copies `text`; an empty text gives an allocated empty BSTR. Throws std::bad_alloc
  // when the system cannot allocate it.
  explicit Bstr(std::wstring_view text)
      : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!s_) throw std::bad_alloc();
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.s_, nullptr));
    return *this;
  }
  ~Bstr() { Reset(); }

  static Bstr Adopt(BSTR s) {
    Bstr result;
    result.s_ = s;
    return result;
  }

  BSTR Get() const { return s_; }
  BSTR* Put() {
    Reset();
    return &s_;
  }
  // Hands the string to a new owner (the platform, a VARIANT).
  BSTR Detach() { return std::exchange(s_, nullptr); }
  void Reset(BSTR s = nullptr) { SysFreeString(std::exchange(s_, s)); }

  // The text, embedded NULs included; a null BSTR reads as the empty text.
  std::wstring_view View() const { return View(s_); }
  static std::wstring_view View(BSTR s) { return s ? std::wstring_view(s, SysStringLen(s)) : std::wstring_view(); }

 private:
  BSTR s_ = nullptr;
};
