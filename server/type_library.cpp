// The DLL carries no type library yet: there is nothing to register.
#include "server/type_library.h"

HRESULT RegisterTypeLibrary(bool) { return S_OK; }
HRESULT UnregisterTypeLibrary(bool) { return S_OK; }
