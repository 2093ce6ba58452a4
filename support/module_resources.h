// Access to the resources of the module (DLL or program) that holds this code.
#pragma once
#include <windows.h>
#include <string_view>

// The module that contains this code, whichever binary it was linked into.
HMODULE ThisModule();

// A string-table entry, read in place from the module's resources; the empty
// text when the entry does not exist.
std::wstring_view LoadResourceString(UINT id);
