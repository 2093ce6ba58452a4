// Typed writers of parameter-array elements used by the fiscal answers:
// whole numbers and yes/no values. Like PutParamString, they write one element
// in place (the array keeps its own copy) and never read the array; an
// element that cannot be written stays as it was.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace params {

// Writes element `index` as VT_I4: the decimal number at the start of `text`
// (its longest valid prefix), truncated toward zero. A text without a number
// gives 0; a number beyond the 32-bit range gives the nearest 32-bit value.
void PutParamInteger(long index, SAFEARRAY** paParams, std::wstring text);

// Writes element `index` as VT_BOOL: 1 when `text` is exactly "true"
// (case and blanks count), else 0. True is 1, not VARIANT_TRUE.
void PutParamBool(long index, SAFEARRAY** paParams, std::wstring text);

}  // namespace params
