// Reading and writing the elements of the platform's parameter array: the
// one-dimensional SAFEARRAY of VARIANT passed to CallAsProc and CallAsFunc
// (and to GetInfo). Elements are read and written in place; the array is never
// created, resized or destroyed here.
//
// The platform (or a faulty script) may pass anything: a null pointer, a
// pointer to a null array, an array of other elements than VARIANT, or an
// array of more than one dimension. Such an array is never read or written:
// reads give VT_EMPTY and writes change nothing. An index outside the array is
// treated the same way.
#pragma once
#include <string>
#include <string_view>

#include "support/variant.h"

namespace params {

// True when `paParams` points to a one-dimensional array of VARIANT.
bool IsVariantVector(SAFEARRAY** paParams);

// A copy of element `index` (a string arrives as a new BSTR); VT_EMPTY when
// the element cannot be read.
Variant GetParamElement(SAFEARRAY** paParams, long index);

// Stores a copy of `value` into element `index`, releasing what the element
// held before. Returns false, changing nothing, when the element cannot be written.
bool PutParamElement(SAFEARRAY** paParams, long index, const VARIANT& value);

// Writes element `index` as VT_BSTR holding `text` (empty text: an empty, non-null BSTR).
void PutParamString(long index, SAFEARRAY** paParams, std::wstring text);

// The text of a VARIANT: the string of a VT_BSTR, the converted value where a
// conversion to text exists, else the empty text.
std::wstring TextOf(const VARIANT& value);

}  // namespace params
