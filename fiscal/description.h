// The driver's description and version, answered by the component itself
// whether or not the main driver is installed.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace fiscal {

// Appends the seven description texts to `values`, in element order: name,
// description, kind of equipment, interface revision, integration library,
// main driver installed ("true"/"false"), download URL (empty). Returns true.
bool BuildDescriptionValues(std::vector<std::wstring>& values, bool mainDriverCreated);

// GetDescription: writes parameter elements 0 to 6 with their types (text,
// text, text, VT_I4, VT_BOOL, VT_BOOL, text). The return value is not touched.
bool GetDescription(SAFEARRAY** paParams, VARIANT* pvarRetValue, bool mainDriverCreated);

// GetVersion: the return value becomes VT_BSTR "1.1", owned by the caller.
// The parameters are not touched.
bool GetVersion(SAFEARRAY** paParams, VARIANT* pvarRetValue);

}  // namespace fiscal
