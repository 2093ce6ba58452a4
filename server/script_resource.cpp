#include "server/script_resource.h"

#include "addin_identity.h"
#include "server/windows_registry.h"
#include "support/module_path.h"
#include "support/module_resources.h"

namespace {

// The system error of the call that just failed; never a success code.
}  // namespace

HRESULT LoadRegistryScriptText(UINT id, WORD language, std::wstring& text) {
  const HMODULE module = ThisModule();
  const HRSRC found = FindResourceExW(module, L"REGISTRY", MAKEINTRESOURCEW(id), language);
  if (!found) return LastErrorResult();
  const HGLOBAL loaded = LoadResource(module, found);
  const auto* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!bytes) return LastErrorResult();
  const int size = static_cast<int>(SizeofResource(module, found));
  text.clear();
  if (size == 0) return S_OK;
  const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, size, nullptr, 0);
  if (length <= 0) return LastErrorResult();
  text.resize(static_cast<size_t>(length));
  if (MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, size, text.data(), length) != length) return LastErrorResult();
  return S_OK;
}

HRESULT RunRegistryScriptResource(UINT id, WORD language, bool perUser, ScriptDirection direction) {
  std::wstring script;
  HRESULT result = LoadRegistryScriptText(id, language, script);
  if (FAILED(result)) return result;
  std::wstring modulePath;
  result = ModuleFilePath(ThisModule(), modulePath);
  if (FAILED(result)) return result;
  WindowsRegistry registry;
  result = registry.Open(perUser);
  if (FAILED(result)) return result;
  const std::vector<ScriptReplacement> replacements{{L"MODULE", modulePath}, {L"APPID", kAddInAppIdText}};
  return RunRegistryScript(script, replacements, registry, direction);
}
