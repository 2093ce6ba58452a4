// The device test and the additional actions, answered by the component
// itself. The dispatcher joins the main driver's device test to the local one.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace fiscal {

// Appends the two device-test texts to `values`: the library's version text,
// followed by the installed-driver text when the main driver was created; and
// an empty text. Returns true.
bool BuildDeviceTestValues(std::vector<std::wstring>& values, bool mainDriverCreated);

// DeviceTest, local half: writes elements 0 and 1 as text. The return value is not touched.
bool DeviceTest(SAFEARRAY** paParams, VARIANT* pvarRetValue, bool mainDriverCreated);

// GetAdditionalActions: there are none; element 0 becomes the empty text.
bool GetAdditionalActions(SAFEARRAY** paParams, VARIANT* pvarRetValue);

// DoAdditionalAction: any action is accepted; nothing is read or written.
bool DoAdditionalAction(SAFEARRAY** paParams, VARIANT* pvarRetValue);

}  // namespace fiscal
