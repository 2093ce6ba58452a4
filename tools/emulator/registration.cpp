#include "tools/emulator/registration.h"

#include <sddl.h>

#include <vector>

namespace registration {
namespace {

// The default view of the registry for this process, and the other one.
constexpr REGSAM kOtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

bool KeyExists(HKEY root, const std::wstring& path, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// A string value (REG_SZ or REG_EXPAND_SZ, expanded); empty when missing.
std::wstring ReadString(HKEY root, const std::wstring& path, const wchar_t* name, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return {};
  DWORD type = 0, size = 0;
  std::wstring value;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS)
      value = buffer.data();
    if (type == REG_EXPAND_SZ) {
      wchar_t expanded[MAX_PATH * 2];
      if (ExpandEnvironmentStringsW(value.c_str(), expanded, MAX_PATH * 2)) value = expanded;
    }
  }
  RegCloseKey(key);
  return value;
}

std::wstring Unquoted(std::wstring path) {
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
  return path;
}

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The registered file of a type library: TypeLib\{id}\<version>\0\win32|win64.
std::wstring TypeLibFile(const std::wstring& libId) {
  HKEY key = nullptr;
  const std::wstring base = L"TypeLib\\" + libId;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, base.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  std::wstring file;
  wchar_t version[64];
  for (DWORD i = 0; file.empty(); ++i) {
    DWORD length = 64;
    if (RegEnumKeyExW(key, i, version, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    file = ReadString(HKEY_CLASSES_ROOT, base + L"\\" + version + (sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32"),
                      nullptr);
  }
  RegCloseKey(key);
  return Unquoted(file);
}

// The string SID of this process's user; empty when it cannot be read.
std::wstring CurrentUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  std::wstring sid;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  wchar_t* text = nullptr;
  if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
    sid = text;
    LocalFree(text);
  }
  CloseHandle(token);
  return sid;
}

// Users other than this one whose loaded hive registers `progId` for themselves.
std::vector<std::wstring> OtherUsersWith(const std::wstring& progId) {
  std::vector<std::wstring> users;
  const std::wstring self = CurrentUserSid();
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(HKEY_USERS, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    std::wstring user = name;
    const bool classesHive = user.size() > 8 && user.compare(user.size() - 8, 8, L"_Classes") == 0;
    const std::wstring path = classesHive ? progId : L"Software\\Classes\\" + progId;
    if (classesHive) user.resize(user.size() - 8);
    if (user == self || !KeyExists(HKEY_USERS, std::wstring(name) + L"\\" + path)) continue;
    bool known = false;
    for (const std::wstring& other : users) known = known || other == user;
    if (!known) users.push_back(user);
  }
  return users;
}

}  // namespace

ClassProbe Probe(const std::wstring& progId) {
  ClassProbe probe;
  probe.progId = progId;
  probe.clsid = ReadString(HKEY_CLASSES_ROOT, progId + L"\\CLSID", nullptr);
  probe.progIdMachine = KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + progId);
  probe.progIdUser = KeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\" + progId);
  probe.userClsid = ReadString(HKEY_CURRENT_USER, L"Software\\Classes\\" + progId + L"\\CLSID", nullptr);
  probe.otherUsers = OtherUsersWith(progId);
  const std::wstring clsid = probe.clsid.empty() ? probe.userClsid : probe.clsid;
  if (clsid.empty()) return probe;

  const std::wstring classPath = L"CLSID\\" + clsid;
  probe.classKey = KeyExists(HKEY_CLASSES_ROOT, classPath);
  probe.classKeyOtherView = KeyExists(HKEY_CLASSES_ROOT, classPath, kOtherView);
  probe.classKeyUser = KeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\" + classPath);
  probe.otherViewDllPath = Unquoted(ReadString(HKEY_CLASSES_ROOT, classPath + L"\\InprocServer32", nullptr, kOtherView));

  // The class as this process sees it; failing that, the per-user entry.
  HKEY root = HKEY_CLASSES_ROOT;
  std::wstring path = classPath;
  if (!probe.classKey && probe.classKeyUser) {
    root = HKEY_CURRENT_USER;
    path = L"Software\\Classes\\" + classPath;
  }
  probe.dllPath = Unquoted(ReadString(root, path + L"\\InprocServer32", nullptr));
  probe.threadingModel = ReadString(root, path + L"\\InprocServer32", L"ThreadingModel");
  probe.typeLibId = ReadString(root, path + L"\\TypeLib", nullptr);
  probe.dllExists = FileExists(probe.dllPath);
  if (probe.dllExists) probe.dllArchitecture = FileArchitecture(probe.dllPath);
  if (!probe.typeLibId.empty()) {
    probe.typeLibPath = TypeLibFile(probe.typeLibId);
    probe.typeLibExists = FileExists(probe.typeLibPath);
  }
  return probe;
}

Architecture ProcessArchitecture() { return sizeof(void*) == 8 ? Architecture::X64 : Architecture::X86; }

Architecture FileArchitecture(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Architecture::Unknown;
  auto readAt = [file](LONG offset, void* buffer, DWORD size) {
    DWORD read = 0;
    return SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ReadFile(file, buffer, size, &read, nullptr) && read == size;
  };
  Architecture result = Architecture::NotAProgram;
  IMAGE_DOS_HEADER dos{};
  DWORD signature = 0;
  WORD machine = 0;
  if (readAt(0, &dos, sizeof dos) && dos.e_magic == IMAGE_DOS_SIGNATURE &&
      readAt(dos.e_lfanew, &signature, sizeof signature) && signature == IMAGE_NT_SIGNATURE &&
      readAt(dos.e_lfanew + static_cast<LONG>(sizeof signature), &machine, sizeof machine)) {
    result = machine == IMAGE_FILE_MACHINE_I386    ? Architecture::X86
             : machine == IMAGE_FILE_MACHINE_AMD64 ? Architecture::X64
                                                   : Architecture::Other;
  }
  CloseHandle(file);
  return result;
}

std::wstring ArchitectureName(Architecture architecture) {
  switch (architecture) {
    case Architecture::X86: return L"32-bit (x86)";
    case Architecture::X64: return L"64-bit (x64)";
    case Architecture::Other: return L"another processor's";
    case Architecture::NotAProgram: return L"not a Windows program";
    case Architecture::Unknown: break;
  }
  return L"unreadable";
}

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace registration
