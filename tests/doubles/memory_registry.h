// An in-memory registry for the script registrar: keys and string values with
// case-insensitive names, and an injectable failure of the n-th change. Plain
// C++, shared by the Wine unit tests and the native fuzzer.
#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "server/registry_access.h"

class MemoryRegistry final : public RegistryAccess {
 public:
  struct Key {
    std::wstring name;
    std::map<std::wstring, std::wstring> values;           // folded name -> data
    std::map<std::wstring, std::unique_ptr<Key>> subkeys;  // folded name -> key
  };

  // The n-th change from now (1 = the next one) fails with `result`; 0 disarms.
  void FailChange(std::size_t n, RegistryResult result) {
    failCountdown_ = n;
    failure_ = result;
  }
  std::size_t Changes() const { return changes_; }

  RegistryResult CreateKey(const std::wstring& path) override {
    if (const RegistryResult failed = Change(); Failed(failed)) return failed;
    Key* key = &root_;
    for (const std::wstring& part : Split(path)) {
      auto& slot = key->subkeys[Fold(part)];
      if (!slot) {
        slot = std::make_unique<Key>();
        slot->name = part;
      }
      key = slot.get();
    }
    return kRegistryOk;
  }
  RegistryResult OpenKey(const std::wstring& path) override { return Find(path) ? kRegistryOk : kRegistryNotFound; }
  RegistryResult SetString(const std::wstring& path, const std::wstring& name, const std::wstring& data) override {
    Key* key = Find(path);
    if (!key) return kRegistryNotFound;
    if (const RegistryResult failed = Change(); Failed(failed)) return failed;
    key->values[Fold(name)] = data;
    return kRegistryOk;
  }
  RegistryResult DeleteValue(const std::wstring& path, const std::wstring& name) override {
    Key* key = Find(path);
    if (!key || !key->values.count(Fold(name))) return kRegistryNotFound;
    if (const RegistryResult failed = Change(); Failed(failed)) return failed;
    key->values.erase(Fold(name));
    return kRegistryOk;
  }
  RegistryResult DeleteTree(const std::wstring& path) override { return Remove(path, true); }
  RegistryResult DeleteKey(const std::wstring& path) override { return Remove(path, false); }
  RegistryResult CountSubkeys(const std::wstring& path, std::size_t& count) override {
    const Key* key = Find(path);
    if (!key) return kRegistryNotFound;
    count = key->subkeys.size();
    return kRegistryOk;
  }

  // Reading back, for the checks.
  bool HasKey(const std::wstring& path) const { return Find(path) != nullptr; }
  // The value's data, or nullptr when the key or the value does not exist.
  const std::wstring* Value(const std::wstring& path, const std::wstring& name) const {
    const Key* key = Find(path);
    if (!key) return nullptr;
    const auto found = key->values.find(Fold(name));
    return found == key->values.end() ? nullptr : &found->second;
  }
  const Key& Root() const { return root_; }

  // Every key path and value as lines "path" and "path|name=data", for comparing states.
  std::vector<std::wstring> Dump() const {
    std::vector<std::wstring> lines;
    DumpKey(root_, std::wstring(), lines);
    return lines;
  }

  static std::wstring Fold(const std::wstring& text) {
    std::wstring folded(text);
    for (wchar_t& c : folded)
      if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return folded;
  }

 private:
  static std::vector<std::wstring> Split(const std::wstring& path) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (start <= path.size() && !path.empty()) {
      const std::size_t end = path.find(L'\\', start);
      parts.push_back(path.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
      if (end == std::wstring::npos) break;
      start = end + 1;
    }
    return parts;
  }

  Key* Find(const std::wstring& path) const {
    const Key* key = &root_;
    for (const std::wstring& part : Split(path)) {
      const auto found = key->subkeys.find(Fold(part));
      if (found == key->subkeys.end()) return nullptr;
      key = found->second.get();
    }
    return const_cast<Key*>(key);
  }

  RegistryResult Remove(const std::wstring& path, bool withSubkeys) {
    std::vector<std::wstring> parts = Split(path);
    if (parts.empty()) return kRegistryNotFound;
    const std::wstring last = Fold(parts.back());
    parts.pop_back();
    Key* parent = &root_;
    for (const std::wstring& part : parts) {
      const auto found = parent->subkeys.find(Fold(part));
      if (found == parent->subkeys.end()) return kRegistryNotFound;
      parent = found->second.get();
    }
    const auto found = parent->subkeys.find(last);
    if (found == parent->subkeys.end()) return kRegistryNotFound;
    // HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), as the system answers for a key with subkeys.
    if (!withSubkeys && !found->second->subkeys.empty()) return static_cast<RegistryResult>(0x80070005u);
    if (const RegistryResult failed = Change(); Failed(failed)) return failed;
    parent->subkeys.erase(found);
    return kRegistryOk;
  }

  RegistryResult Change() {
    ++changes_;
    if (failCountdown_ == 0 || --failCountdown_ != 0) return kRegistryOk;
    return failure_;
  }

  static void DumpKey(const Key& key, const std::wstring& path, std::vector<std::wstring>& lines) {
    for (const auto& value : key.values) lines.push_back(path + L'|' + value.first + L'=' + value.second);
    for (const auto& subkey : key.subkeys) {
      const std::wstring subpath = path.empty() ? subkey.first : path + L'\\' + subkey.first;
      lines.push_back(subpath);
      DumpKey(*subkey.second, subpath, lines);
    }
  }

  Key root_;
  std::size_t changes_ = 0;
  std::size_t failCountdown_ = 0;
  RegistryResult failure_ = kRegistryOk;
};
