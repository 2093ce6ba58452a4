// Owning wrapper for one SAFEARRAY of VARIANT indexed from 0: the parameter
// array that a caller of CallAsProc and CallAsFunc (or GetInfo) provides.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <new>
#include <utility>

#include "support/variant.h"

class VariantArray {
 public:
  // `count` empty elements; a zero count gives an array with no elements.
  // Throws std::bad_alloc when the system cannot allocate it.
  explicit VariantArray(ULONG count) {
    SAFEARRAYBOUND bound{count, 0};
    a_ = SafeArrayCreate(VT_VARIANT, 1, &bound);
    if (!a_) throw std::bad_alloc();
  }
  VariantArray(const VariantArray&) = delete;
  VariantArray& operator=(const VariantArray&) = delete;
  ~VariantArray() {
    if (a_) SafeArrayDestroy(a_);
  }

  // The slot the callee receives as its SAFEARRAY** parameter.
  SAFEARRAY** Address() { return &a_; }
  long Size() const {
    LONG lower = 0, upper = -1;
    if (!a_ || FAILED(SafeArrayGetLBound(a_, 1, &lower)) || FAILED(SafeArrayGetUBound(a_, 1, &upper))) return 0;
    return upper - lower + 1;
  }
  // A copy of element `index`; VT_EMPTY when it cannot be read.
  Variant Element(long index) const {
    Variant copy;
    if (!a_ || FAILED(SafeArrayGetElement(a_, &index, copy.Get()))) copy.Put();
    return copy;
  }
  // Stores a copy of `value` into element `index`.
  bool Set(long index, const VARIANT& value) {
    return a_ && SUCCEEDED(SafeArrayPutElement(a_, &index, const_cast<VARIANT*>(&value)));
  }

 private:
  SAFEARRAY* a_ = nullptr;
};
