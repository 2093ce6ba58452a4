#include "server/module.h"

#include "server/class_factory.h"
#include "server/class_table.h"

namespace {

// A namespace-scope object: the C runtime constructs it before DllMain sees
// the process attach and destroys it after DllMain has seen the detach.
CAddInModule g_module;

}  // namespace

CAddInModule& Module() { return g_module; }

CAddInModule::CAddInModule() : m_initFailed(!m_classTableLock.Initialized()) {}

CAddInModule::~CAddInModule() {
  for (ClassTableEntry& entry : ClassTable())
    if (IUnknown* classObject = entry.classObject.exchange(nullptr)) classObject->Release();
}

HRESULT CAddInModule::GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  if (m_initFailed) return E_UNEXPECTED;
  ClassTableEntry* entry = FindClass(rclsid);
  if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
  IUnknown* classObject = entry->classObject.load(std::memory_order_acquire);
  if (!classObject) {
    CriticalSectionScope scope(m_classTableLock);
    classObject = entry->classObject.load(std::memory_order_acquire);
    if (!classObject) {
      const HRESULT hr = ClassFactory::Create(entry->createInstance, &classObject);
      if (FAILED(hr)) return hr;
      entry->classObject.store(classObject, std::memory_order_release);
    }
  }
  return classObject->QueryInterface(riid, ppv);
}
