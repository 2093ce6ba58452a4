// The few registry operations a registry script needs, on keys named by their
// path under one root (components joined by backslashes). Plain C++ so the
// script registrar runs against the system registry and against an in-memory one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// HRESULT values: 0 is success, negative values are failures.
using RegistryResult = std::int32_t;

inline constexpr RegistryResult kRegistryOk = 0;
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND): the key or value does not exist.
inline constexpr RegistryResult kRegistryNotFound = static_cast<RegistryResult>(0x80070002u);
// HRESULT_FROM_WIN32(ERROR_INVALID_DATA): the script text is malformed.
inline constexpr RegistryResult kScriptInvalid = static_cast<RegistryResult>(0x8007000Du);

inline bool Failed(RegistryResult result) { return result < 0; }

class RegistryAccess {
 public:
  virtual ~RegistryAccess() = default;
  // Opens the key, creating it (and any missing parent) when absent.
  virtual RegistryResult CreateKey(const std::wstring& path) = 0;
  // kRegistryOk when the key exists, kRegistryNotFound when it does not.
  virtual RegistryResult OpenKey(const std::wstring& path) = 0;
  // Sets a string value of an existing key; the empty name is the default value.
  virtual RegistryResult SetString(const std::wstring& path, const std::wstring& name, const std::wstring& data) = 0;
  virtual RegistryResult DeleteValue(const std::wstring& path, const std::wstring& name) = 0;
  // Deletes the key with everything beneath it.
  virtual RegistryResult DeleteTree(const std::wstring& path) = 0;
  // Deletes a key that has no subkeys, with its values.
  virtual RegistryResult DeleteKey(const std::wstring& path) = 0;
  virtual RegistryResult CountSubkeys(const std::wstring& path, std::size_t& count) = 0;
};
