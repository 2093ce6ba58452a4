// The DLL's self-registration entry points: the AppID script, the class script
// and the type library, machine-wide or for the current user.
#include <windows.h>

#include "server/script_resource.h"
#include "server/type_library.h"
#include "support/guard.h"

namespace {

// Set by DllInstall with the command line "user"; never reset while loaded.
bool g_perUser = false;

// The thread runs with the system default locale, so the scripts convert with
// the system's ANSI code page; the caller's locale comes back on every path.
class SystemLocaleScope {
 public:
  SystemLocaleScope() : saved_(GetThreadLocale()) { SetThreadLocale(LOCALE_SYSTEM_DEFAULT); }
  SystemLocaleScope(const SystemLocaleScope&) = delete;
  SystemLocaleScope& operator=(const SystemLocaleScope&) = delete;
  ~SystemLocaleScope() { SetThreadLocale(saved_); }

 private:
  LCID saved_;
};

HRESULT Register() {
  SystemLocaleScope locale;
  HRESULT result = RunRegistryScriptResource(kAppIdScriptId, kAppIdScriptLanguage, g_perUser, ScriptDirection::Forward);
  if (FAILED(result)) return result;
  result = RunRegistryScriptResource(kClassScriptId, kClassScriptLanguage, g_perUser, ScriptDirection::Forward);
  if (FAILED(result)) return result;
  return RegisterTypeLibrary(g_perUser);
}

HRESULT Unregister() {
  SystemLocaleScope locale;
  HRESULT result =
      RunRegistryScriptResource(kClassScriptId, kClassScriptLanguage, g_perUser, ScriptDirection::Backward);
  if (FAILED(result)) return result;
  result = UnregisterTypeLibrary(g_perUser);
  if (FAILED(result)) return result;
  return RunRegistryScriptResource(kAppIdScriptId, kAppIdScriptLanguage, g_perUser, ScriptDirection::Backward);
}

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return Guarded(Register); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return Guarded(Unregister); }

extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL bInstall, LPCWSTR pszCmdLine) {
  return Guarded([&] {
    // Five characters: the four letters and the terminating NUL, so "USER"
    // matches and "users" does not.
    if (pszCmdLine && _wcsnicmp(pszCmdLine, L"user", 5) == 0) g_perUser = true;
    if (!bInstall) return Unregister();
    const HRESULT result = Register();
    if (FAILED(result)) Guarded(Unregister);  // undoes the partial registration; its result is not wanted
    return result;
  });
}
