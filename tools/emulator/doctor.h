// The registration doctor: explains how this machine registers the add-in and
// its main driver, and gives each problem with the command that fixes it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace doctor {

// The class context the platform creates components with: in-process server,
// in-process handler, local server and remote server.
inline constexpr DWORD kCreationContext =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

struct Component {
  std::wstring title;     // "the add-in"
  std::wstring progId;    // "AddIn.BrivexAddInCOMIntegration"
  std::wstring dllName;   // "AddInCOMIntegration.DLL"
  bool expectsTypeLib;    // the class names a type library
};

struct Finding {
  std::wstring problem;
  std::wstring fix;
};

// The two components this product registers.
std::vector<Component> ProductComponents();
// The product's component with this ProgID, or a generic description of it.
Component ComponentFor(const std::wstring& progId);

// Creates the class the way the platform does (CLSIDFromProgID, then
// CoCreateInstance with class context 23) and releases it at once.
HRESULT TryCreate(const std::wstring& progId);

// The problems of one component's registration, given the result of TryCreate.
std::vector<Finding> Diagnose(const Component& component, HRESULT creation);

// Prints the full report for every component; returns 0 when nothing is wrong, 1 otherwise.
int Run(const std::vector<Component>& components);

}  // namespace doctor
