// Registration of the component's type library (resource "TYPELIB" 1 of the
// DLL, or the .tlb beside it), machine-wide or for the current user.
#pragma once
#include <windows.h>

HRESULT RegisterTypeLibrary(bool perUser);
HRESULT UnregisterTypeLibrary(bool perUser);
