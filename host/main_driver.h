// The main driver: a separate add-in component that does the fiscal register
// work. It is reached only through ILanguageExtender::CallAsFunc and numbers its
// methods exactly as the member catalogue does.
#pragma once
#include "host/addin_interfaces.h"
#include "support/com_ptr.h"

inline constexpr wchar_t kMainDriverProgId[] = L"AddIn.BrivexAddInCOM";
// In-process server, in-process handler, local server and remote server.
inline constexpr DWORD kMainDriverClassContext =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
static_assert(kMainDriverClassContext == 23);

// Resolves the ProgID through the registry and creates the main driver; an
// empty pointer when the ProgID is not registered or creation fails.
ComPtr<ILanguageExtender> CreateMainDriver();
