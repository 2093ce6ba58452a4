// Helpers of the component tests: a fresh component, a platform-style
// parameter array, and readable VARIANT and BSTR values.
#pragma once
#include <string>

#include "host/addin_interfaces.h"
#include "server/class_factory.h"
#include "support/bstr.h"
#include "support/com_ptr.h"
#include "support/variant.h"

// A new component instance, created as the class object creates it.
inline ComPtr<ILanguageExtender> NewAddIn() {
  ComPtr<ILanguageExtender> addin;
  CreateComponent(nullptr, __uuidof(ILanguageExtender), addin.PutVoid());
  return addin;
}

template <class I>
ComPtr<I> AsIf(const ComPtr<ILanguageExtender>& addin) {
  return addin.As<I>();
}

// A one-dimensional SAFEARRAY of `count` VARIANTs, destroyed with the object.
class ParamArray {
 public:
  explicit ParamArray(long count, VARTYPE elementType = VT_VARIANT)
      : array_(SafeArrayCreateVector(elementType, 0, static_cast<ULONG>(count))) {}
  ~ParamArray() {
    if (array_) SafeArrayDestroy(array_);
  }
  ParamArray(const ParamArray&) = delete;
  ParamArray& operator=(const ParamArray&) = delete;

  SAFEARRAY** Get() { return &array_; }
  void Set(long index, const VARIANT& value) { SafeArrayPutElement(array_, &index, const_cast<VARIANT*>(&value)); }
  Variant At(long index) {
    Variant copy;
    SafeArrayGetElement(array_, &index, copy.Get());
    return copy;
  }

 private:
  SAFEARRAY* array_;
};

inline Variant Text(const std::wstring& text) {
  Variant value;
  value.Get()->vt = VT_BSTR;
  value.Get()->bstrVal = Bstr(text).Detach();
  return value;
}

inline std::wstring TextIn(const Variant& value) {
  return value.Type() == VT_BSTR ? std::wstring(Bstr::View(value.Get()->bstrVal)) : L"<not a string>";
}

inline Bstr NewBstr(const std::wstring& text) { return Bstr(text); }
