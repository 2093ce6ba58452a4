// The registry scripts carried by the module, and the values filled into them.
#pragma once
#include <windows.h>

#include <string>

#include "server/registry_script.h"

inline constexpr UINT kAppIdScriptId = 101;
inline constexpr WORD kAppIdScriptLanguage = 1033;
inline constexpr UINT kClassScriptId = 102;
inline constexpr WORD kClassScriptLanguage = 1049;

// The script resource ("REGISTRY", id, language) of this module as UTF-16,
// converted from 8-bit text with the calling thread's ANSI code page.
HRESULT LoadRegistryScriptText(UINT id, WORD language, std::wstring& text);

// The full path of this module's file, read with a buffer of MAX_PATH characters:
// a path that fills the buffer is refused with ERROR_INSUFFICIENT_BUFFER.
HRESULT ThisModulePath(std::wstring& path);

// Runs one script resource of this module on the system registry, with the
// replacements MODULE and APPID, under HKEY_CLASSES_ROOT or, per user, under
// HKEY_CURRENT_USER\Software\Classes.
HRESULT RunRegistryScriptResource(UINT id, WORD language, bool perUser, ScriptDirection direction);
