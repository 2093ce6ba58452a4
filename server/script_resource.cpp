#include "server/script_resource.h"

#include "addin_identity.h"
#include "server/windows_registry.h"
#include "support/module_resources.h"

namespace {

// The system error of the call that just failed; never a success code.
HRESULT LastError() {
  const DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

}  // namespace

HRESULT LoadRegistryScriptText(UINT id, WORD language, std::wstring& text) {
  const HMODULE module = ThisModule();
  const HRSRC found = FindResourceExW(module, L"REGISTRY", MAKEINTRESOURCEW(id), language);
  if (!found) return LastError();
  const HGLOBAL loaded = LoadResource(module, found);
  const auto* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!bytes) return LastError();
  const int size = static_cast<int>(SizeofResource(module, found));
  text.clear();
  if (size == 0) return S_OK;
  const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, size, nullptr, 0);
  if (length <= 0) return LastError();
  text.resize(static_cast<size_t>(length));
  if (MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, size, text.data(), length) != length) return LastError();
  return S_OK;
}

HRESULT ThisModulePath(std::wstring& path) {
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameW(ThisModule(), buffer, MAX_PATH);
  if (length == 0) return LastError();
  if (length >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
  path.assign(buffer, length);
  return S_OK;
}

HRESULT RunRegistryScriptResource(UINT id, WORD language, bool perUser, ScriptDirection direction) {
  std::wstring script;
  HRESULT result = LoadRegistryScriptText(id, language, script);
  if (FAILED(result)) return result;
  std::wstring modulePath;
  result = ThisModulePath(modulePath);
  if (FAILED(result)) return result;
  WindowsRegistry registry;
  result = registry.Open(perUser);
  if (FAILED(result)) return result;
  const std::vector<ScriptReplacement> replacements{{L"MODULE", modulePath}, {L"APPID", kAddInAppIdText}};
  return RunRegistryScript(script, replacements, registry, direction);
}
