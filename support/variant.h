// Owning wrapper for one VARIANT: cleared when it goes away.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <utility>

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  Variant& operator=(Variant&& other) noexcept {
    if (this != &other) {
      VariantClear(&v_);
      v_ = other.v_;
      VariantInit(&other.v_);
    }
    return *this;
  }
  ~Variant() { VariantClear(&v_); }

  static Variant Long(LONG value) {
    Variant result;
    result.v_.vt = VT_I4;
    result.v_.lVal = value;
    return result;
  }

  VARIANT* Get() { return &v_; }
  const VARIANT* Get() const { return &v_; }
  VARTYPE Type() const { return v_.vt; }
  // Clears the content and returns the VARIANT for an out-parameter.
  VARIANT* Put() {
    VariantClear(&v_);
    return &v_;
  }
  // Hands the content to a new owner; this VARIANT is left empty.
  VARIANT Detach() {
    VARIANT out = v_;
    VariantInit(&v_);
    return out;
  }

 private:
  VARIANT v_;
};
