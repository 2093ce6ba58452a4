// The file path of a loaded module, read into a buffer of MAX_PATH (260)
// characters as registration expects.
#pragma once
#include <windows.h>

#include <string>

// The calling thread's last system error as an HRESULT; E_FAIL when the
// system recorded none, so that a failure never reads as success.
inline HRESULT LastErrorResult() {
  const DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

// The full path of `module` (null: the program's own file). A path that
// fills the buffer fails with HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER).
inline HRESULT ModuleFilePath(HMODULE module, std::wstring& path) {
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, buffer, MAX_PATH);
  if (length == 0) return LastErrorResult();
  if (length >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
  path.assign(buffer, length);
  return S_OK;
}

// The folder of `module`'s file with its trailing separator; empty when unknown.
inline std::wstring ModuleDirectory(HMODULE module) {
  std::wstring path;
  if (FAILED(ModuleFilePath(module, path))) return std::wstring();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}
