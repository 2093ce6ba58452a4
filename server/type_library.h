// Registration of the component's type library (resource "TYPELIB" 1 of the
// DLL, or the .tlb beside it), machine-wide or for the current user.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "support/com_ptr.h"

HRESULT RegisterTypeLibrary(bool perUser);
HRESULT UnregisterTypeLibrary(bool perUser);

// The .tlb file that may stand beside `modulePath`: its extension replaced.
std::wstring TypeLibraryFileBeside(const std::wstring& modulePath);

// Loads the type library from the file `modulePath` or, failing that, from
// the .tlb beside it; `loadedFrom` names the file it came from.
HRESULT LoadAddInTypeLibrary(const std::wstring& modulePath, ComPtr<ITypeLib>& library, std::wstring& loadedFrom);
