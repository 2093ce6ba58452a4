#include "support/module_resources.h"

HMODULE ThisModule() {
  static const HMODULE module = [] {
    HMODULE found = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &found);
    return found;
  }();
  return module;
}

std::wstring_view LoadResourceString(UINT id) {
  const wchar_t* text = nullptr;
  // A zero buffer size asks for a read-only pointer to the resource itself.
  const int length = LoadStringW(ThisModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring_view(text, static_cast<size_t>(length)) : std::wstring_view();
}
