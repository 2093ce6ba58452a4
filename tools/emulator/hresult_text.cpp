#include "tools/emulator/hresult_text.h"

#include <cwchar>

std::wstring HResultText(HRESULT hr) {
  static const struct {
    HRESULT hr;
    const wchar_t* name;
  } kNames[] = {
      {S_OK, L"S_OK"},
      {S_FALSE, L"S_FALSE"},
      {E_FAIL, L"E_FAIL"},
      {E_NOINTERFACE, L"E_NOINTERFACE"},
      {E_POINTER, L"E_POINTER"},
      {E_OUTOFMEMORY, L"E_OUTOFMEMORY"},
      {E_INVALIDARG, L"E_INVALIDARG"},
      {E_NOTIMPL, L"E_NOTIMPL"},
      {E_UNEXPECTED, L"E_UNEXPECTED"},
      {CO_E_CLASSSTRING, L"CO_E_CLASSSTRING (invalid class string)"},
      {REGDB_E_CLASSNOTREG, L"REGDB_E_CLASSNOTREG (class not registered)"},
      {CLASS_E_CLASSNOTAVAILABLE, L"CLASS_E_CLASSNOTAVAILABLE"},
      {CLASS_E_NOAGGREGATION, L"CLASS_E_NOAGGREGATION"},
      {CO_E_ERRORINDLL, L"CO_E_ERRORINDLL (error in the DLL)"},
      {CO_E_DLLNOTFOUND, L"CO_E_DLLNOTFOUND (DLL not found)"},
      {HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), L"ERROR_MOD_NOT_FOUND (DLL not found)"},
      {HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), L"ERROR_FILE_NOT_FOUND"},
      {HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT), L"ERROR_BAD_EXE_FORMAT (DLL of the other bitness)"},
      {HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND), L"ERROR_PROC_NOT_FOUND (entry point missing)"},
  };
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  std::wstring result = text;
  for (const auto& entry : kNames)
    if (entry.hr == hr) return result + L" " + entry.name;
  return result;
}
