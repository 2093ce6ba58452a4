// The module's creatable classes, each with the class object it hands out.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <atomic>

// Creates an instance, plain without `pUnkOuter` or aggregated with it, and
// asks it for `riid`.
using InstanceCreator = HRESULT (*)(IUnknown* pUnkOuter, REFIID riid, void** ppv);

struct ClassTableEntry {
  const CLSID& clsid;
  InstanceCreator createInstance;
  // The class object once created; holds one reference until the module goes.
  std::atomic<IUnknown*> classObject;
};

// Every entry of the class table.
struct ClassTableRange {
  ClassTableEntry* first;
  ClassTableEntry* last;
  ClassTableEntry* begin() const { return first; }
  ClassTableEntry* end() const { return last; }
};
ClassTableRange ClassTable();

// The entry of `clsid`, or null.
ClassTableEntry* FindClass(REFCLSID clsid);
