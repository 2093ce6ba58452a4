// What the registry says about one COM class reached by its ProgID: where
// the ProgID and the class id are registered, which DLL serves the class and
// whether that file exists and fits this process, its threading model and
// type library. Read-only; used by the doctor and to explain a failed creation.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace registration {

enum class Architecture { Unknown, NotAProgram, X86, X64, Other };

struct ClassProbe {
  std::wstring progId;
  // ProgID -> class id, as this process's COM sees it (HKEY_CLASSES_ROOT), and
  // where the ProgID key is stored: machine-wide and per user.
  std::wstring clsid;
  bool progIdMachine = false;
  bool progIdUser = false;
  std::wstring userClsid;  // the class id of the per-user ProgID entry, if any
  // Other users (their SIDs, among the loaded user hives) who registered the ProgID for themselves.
  std::vector<std::wstring> otherUsers;
  // The class key as this process sees it, and in the other architecture's view.
  bool classKey = false;
  bool classKeyOtherView = false;
  bool classKeyUser = false;
  std::wstring dllPath;  // InprocServer32, environment variables expanded
  std::wstring otherViewDllPath;
  bool dllExists = false;
  Architecture dllArchitecture = Architecture::Unknown;
  std::wstring threadingModel;
  std::wstring typeLibId;    // the class key's TypeLib value
  std::wstring typeLibPath;  // the registered file of that library for this process's architecture
  bool typeLibExists = false;
};

ClassProbe Probe(const std::wstring& progId);

// The architecture of this process and of a DLL file (from its PE header).
Architecture ProcessArchitecture();
Architecture FileArchitecture(const std::wstring& path);
std::wstring ArchitectureName(Architecture architecture);

// Running under Wine: fix commands are then given as "wine regsvr32 ...".
bool UnderWine();

}  // namespace registration
