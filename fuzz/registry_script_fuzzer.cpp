// Fuzzes the registry-script registrar on the in-memory registry. The first
// input byte picks a change of the forward run to fail (0: none), the rest is
// the script as 8-bit text. Every input must either be refused as malformed,
// changing nothing, or apply; and forward then backward (or a forward run that
// failed and undid itself) must leave only the never-removed keys and their
// parents, without any named value.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "server/registry_script.h"
#include "tests/doubles/memory_registry.h"

namespace {

constexpr RegistryResult kInjected = static_cast<RegistryResult>(0x80070005u);

// A broken rule stops the run with the rule's text, for the crash report.
#define CHECK(condition)                                                    \
  do {                                                                      \
    if (!(condition)) {                                                     \
      std::fprintf(stderr, "broken: %s (line %d)\n", #condition, __LINE__); \
      std::abort();                                                         \
    }                                                                       \
  } while (false)

void CollectNeverRemoved(const std::vector<ScriptEntry>& entries, const std::wstring& parent,
                         std::vector<std::wstring>& paths) {
  for (const ScriptEntry& entry : entries) {
    if (entry.isValue) continue;
    const std::wstring path = MemoryRegistry::Fold(parent.empty() ? entry.name : parent + L'\\' + entry.name);
    if (entry.marking == KeyMarking::NoRemove) paths.push_back(path);
    CollectNeverRemoved(entry.children, path, paths);
  }
}

// Whether `key` is one of the never-removed paths or a parent of one.
bool MayRemain(const std::wstring& key, const std::vector<std::wstring>& neverRemoved) {
  for (const std::wstring& path : neverRemoved)
    if (path == key || (path.size() > key.size() && path.compare(0, key.size(), key) == 0 && path[key.size()] == L'\\'))
      return true;
  return false;
}

// Walks the keys left in the registry (names may hold any character, so the
// tree is read directly rather than through its text dump).
void CheckLeftovers(const MemoryRegistry::Key& key, const std::wstring& path,
                    const std::vector<std::wstring>& neverRemoved) {
  for (const auto& value : key.values) CHECK(value.first.empty());  // only default values of keys that stay
  for (const auto& subkey : key.subkeys) {
    const std::wstring subpath = path.empty() ? subkey.first : path + L'\\' + subkey.first;
    CHECK(MayRemain(subpath, neverRemoved));
    CheckLeftovers(*subkey.second, subpath, neverRemoved);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t failingChange = data[0];
  std::wstring script;
  for (std::size_t i = 1; i < size; ++i) script += static_cast<wchar_t>(data[i]);  // 8-bit text as Latin-1
  const std::vector<ScriptReplacement> replacements{{L"MODULE", L"C:\\it's here\\AddInCOMIntegration.DLL"},
                                                    {L"APPID", L"{7B8F1BC8-1032-4140-B8E7-6EA1427EAF5F}"}};

  MemoryRegistry registry;
  registry.FailChange(failingChange, kInjected);
  const RegistryResult forward = RunRegistryScript(script, replacements, registry, ScriptDirection::Forward);
  if (forward == kScriptInvalid) {
    CHECK(registry.Changes() == 0 && registry.Dump().empty());
    std::vector<ScriptEntry> keys;
    CHECK(ParseRegistryScript(script, replacements, keys) == kScriptInvalid);
    return 0;
  }
  std::vector<ScriptEntry> keys;
  CHECK(ParseRegistryScript(script, replacements, keys) == kRegistryOk);
  std::vector<std::wstring> neverRemoved;
  CollectNeverRemoved(keys, std::wstring(), neverRemoved);
  if (forward == kRegistryOk) {
    registry.FailChange(0, kRegistryOk);
    CHECK(ApplyRegistryScript(keys, registry, ScriptDirection::Backward) == kRegistryOk);
  } else {
    CHECK(forward == kInjected);  // and the forward run has already undone itself
  }
  CheckLeftovers(registry.Root(), std::wstring(), neverRemoved);
  // Backward again over what is left succeeds and keeps to the same rule.
  CHECK(ApplyRegistryScript(keys, registry, ScriptDirection::Backward) == kRegistryOk);
  CheckLeftovers(registry.Root(), std::wstring(), neverRemoved);
  return 0;
}
