#include "tools/emulator/doctor.h"

#include "host/main_driver.h"
#include "support/com_ptr.h"
#include "support/module_path.h"
#include "tools/emulator/console.h"
#include "tools/emulator/hresult_text.h"
#include "tools/emulator/registration.h"

namespace doctor {
namespace {

using registration::Architecture;
using registration::ClassProbe;

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The DLL to register: the registered one if it is there, else the one beside
// this program, else just its name.
std::wstring DllToRegister(const Component& component, const ClassProbe& probe) {
  if (probe.dllExists && registration::FileArchitecture(probe.dllPath) == registration::ProcessArchitecture())
    return probe.dllPath;
  const std::wstring beside = ModuleDirectory(nullptr) + component.dllName;
  return FileExists(beside) ? beside : component.dllName;
}

std::wstring Tool(const wchar_t* name) { return (registration::UnderWine() ? L"wine " : L"") + std::wstring(name); }

std::wstring Register(const std::wstring& dll) { return Tool(L"regsvr32") + L" \"" + dll + L"\""; }

std::wstring YesNo(bool flag) { return flag ? L"yes" : L"no"; }

bool SameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::vector<Finding> DiagnoseProbe(const Component& component, const ClassProbe& probe, HRESULT creation) {
  std::vector<Finding> findings;
  const std::wstring dll = DllToRegister(component, probe);
  if (probe.clsid.empty()) {
    if (probe.progIdUser) {
      findings.push_back({L"ProgID \"" + probe.progId +
                              L"\" is registered for this user only (HKCU\\Software\\Classes). COM in this process "
                              L"reads HKEY_CLASSES_ROOT and does not find it (Wine never merges per-user classes; "
                              L"on Windows a platform run by another user, or as a service, does not see them either)",
                          L"register it for the machine, as administrator: " + Register(dll) +
                              L"; then remove the per-user entry: " + Tool(L"regsvr32") + L" /u /n /i:user \"" + dll +
                              L"\""});
    } else if (!probe.otherUsers.empty()) {
      findings.push_back({L"ProgID \"" + probe.progId + L"\" is registered only for another user (" +
                              probe.otherUsers.front() + L"), not for this one nor for the machine",
                          L"register it for the machine, as administrator: " + Register(dll)});
      return findings;
    } else {
      findings.push_back({L"ProgID \"" + probe.progId + L"\" is not registered (\"invalid class string\")",
                          Register(dll)});
      return findings;
    }
  }
  const std::wstring clsid = probe.clsid.empty() ? probe.userClsid : probe.clsid;
  if (!probe.classKey && !probe.classKeyUser) {
    if (probe.classKeyOtherView) {
      findings.push_back({L"class " + clsid + L" is registered only for " +
                              (sizeof(void*) == 8 ? L"32-bit" : L"64-bit") + L" processes (" +
                              probe.otherViewDllPath + L"); this process is " +
                              registration::ArchitectureName(registration::ProcessArchitecture()),
                          L"register the " + registration::ArchitectureName(registration::ProcessArchitecture()) +
                              L" build of the DLL: " + Register(dll)});
    } else {
      findings.push_back({L"the ProgID names class " + clsid + L", which is not registered (\"class not registered\")",
                          Register(dll)});
    }
    return findings;
  }
  if (probe.dllPath.empty()) {
    findings.push_back({L"class " + clsid + L" names no in-process server DLL (InprocServer32)", Register(dll)});
    return findings;
  }
  if (!probe.dllExists) {
    findings.push_back({L"the registered DLL \"" + probe.dllPath + L"\" does not exist",
                        L"put the file back there, or register the DLL where it is now: " + Register(dll) +
                            L"; to remove the stale entries instead: " + Tool(L"reg") + L" delete \"HKCR\\CLSID\\" +
                            clsid + L"\" /f and " + Tool(L"reg") + L" delete \"HKCR\\" + probe.progId + L"\" /f"});
  } else if (probe.dllArchitecture != registration::ProcessArchitecture()) {
    findings.push_back({L"the DLL is " + registration::ArchitectureName(probe.dllArchitecture) + L", this process is " +
                            registration::ArchitectureName(registration::ProcessArchitecture()) +
                            L": it cannot be loaded here (wrong bitness)",
                        L"register the DLL built for " +
                            registration::ArchitectureName(registration::ProcessArchitecture()) +
                            L" processes: " + Register(ModuleDirectory(nullptr) + component.dllName)});
  }
  if (!SameText(probe.threadingModel, L"Apartment")) {
    findings.push_back({probe.threadingModel.empty()
                            ? L"no ThreadingModel: COM runs the class in the main apartment only"
                            : L"threading model \"" + probe.threadingModel + L"\" (the component needs \"Apartment\")",
                        Register(dll)});
  }
  if (component.expectsTypeLib) {
    if (probe.typeLibId.empty())
      findings.push_back({L"the class names no type library", Register(dll)});
    else if (probe.typeLibPath.empty())
      findings.push_back({L"type library " + probe.typeLibId + L" is not registered", Register(dll)});
    else if (!probe.typeLibExists)
      findings.push_back({L"the type library's file \"" + probe.typeLibPath + L"\" does not exist", Register(dll)});
  }
  if (FAILED(creation) && findings.empty()) {
    findings.push_back({L"creation fails with " + HResultText(creation) +
                            L" although the registration looks sound (the DLL refuses to load or to create "
                            L"the class)",
                        L"re-register the DLL and check that it loads: " + Register(dll)});
  }
  return findings;
}

void PrintProbe(const ClassProbe& probe, HRESULT creation) {
  console::Line(L"  ProgID, machine-wide   " + YesNo(probe.progIdMachine) + L"  (HKLM\\Software\\Classes\\" +
                probe.progId + L")");
  console::Line(L"  ProgID, per user       " + YesNo(probe.progIdUser) + L"  (HKCU\\Software\\Classes\\" +
                probe.progId + L")");
  std::wstring others;
  for (const std::wstring& user : probe.otherUsers) others += (others.empty() ? L"" : L", ") + user;
  console::Line(L"  ProgID, other users    " + (others.empty() ? std::wstring(L"none") : others));
  console::Line(L"  class id               " +
                (probe.clsid.empty() ? (probe.userClsid.empty() ? L"-" : probe.userClsid + L" (per user)")
                                     : probe.clsid));
  if (probe.clsid.empty() && probe.userClsid.empty()) {
    console::Line(L"  creation               " + HResultText(creation));
    return;
  }
  console::Line(L"  class key              this process's view: " + YesNo(probe.classKey) + L", other view: " +
                YesNo(probe.classKeyOtherView) + L", per user: " + YesNo(probe.classKeyUser));
  console::Line(L"  DLL                    " + (probe.dllPath.empty() ? L"-" : probe.dllPath));
  console::Line(L"  file                   " +
                (probe.dllPath.empty() ? L"-"
                 : probe.dllExists     ? L"exists, " + registration::ArchitectureName(probe.dllArchitecture)
                                     : std::wstring(L"MISSING")) +
                L"; this process is " + registration::ArchitectureName(registration::ProcessArchitecture()));
  console::Line(L"  threading model        " + (probe.threadingModel.empty() ? L"-" : probe.threadingModel));
  console::Line(L"  type library           " +
                (probe.typeLibId.empty()
                     ? std::wstring(L"-")
                     : probe.typeLibId + L" -> " +
                           (probe.typeLibPath.empty()
                                ? std::wstring(L"not registered")
                                : probe.typeLibPath + (probe.typeLibExists ? L"" : L" (MISSING)"))));
  console::Line(L"  creation               " + HResultText(creation));
}

}  // namespace

std::vector<Component> ProductComponents() {
  return {{L"the add-in", L"AddIn.BrivexAddInCOMIntegration", L"AddInCOMIntegration.DLL", true},
          {L"the main driver, here the simulated register", kMainDriverProgId, L"BrivexFiscalRegisterSim.DLL", false}};
}

Component ComponentFor(const std::wstring& progId) {
  for (const Component& component : ProductComponents())
    if (SameText(component.progId, progId)) return component;
  return {L"component", progId, L"<its DLL>", false};
}

HRESULT TryCreate(const std::wstring& progId) {
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
  if (FAILED(hr)) return hr;
  ComPtr<IUnknown> instance;
  hr = CoCreateInstance(clsid, nullptr, kCreationContext, IID_IUnknown, instance.PutVoid());
  return hr;
}

std::vector<Finding> Diagnose(const Component& component, HRESULT creation) {
  return DiagnoseProbe(component, registration::Probe(component.progId), creation);
}

int Run(const std::vector<Component>& components) {
  console::Line(L"Registration doctor: this process is " +
                registration::ArchitectureName(registration::ProcessArchitecture()) +
                (registration::UnderWine() ? L", running under Wine" : L""));
  size_t problems = 0;
  for (const Component& component : components) {
    console::Line(L"");
    console::Line(component.progId + L" (" + component.title + L")");
    const ClassProbe probe = registration::Probe(component.progId);
    const HRESULT creation = TryCreate(component.progId);
    PrintProbe(probe, creation);
    const std::vector<Finding> findings = DiagnoseProbe(component, probe, creation);
    if (findings.empty()) console::Line(L"  OK: registered and creatable");
    for (const Finding& finding : findings) {
      console::Line(L"  PROBLEM: " + finding.problem);
      console::Line(L"  FIX:     " + finding.fix);
    }
    problems += findings.size();
  }
  console::Line(L"");
  console::Line(problems == 0 ? L"No problems found." : std::to_wstring(problems) + L" problem(s) found.");
  return problems == 0 ? 0 : 1;
}

}  // namespace doctor
