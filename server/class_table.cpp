#include "server/class_table.h"

#include <iterator>

#include "addin_identity.h"
#include "server/class_factory.h"

namespace {

ClassTableEntry g_classTable[] = {
    {CLSID_AddInCOMIntegration, &CreateComponent, {nullptr}},
};

}  // namespace

ClassTableRange ClassTable() { return {std::begin(g_classTable), std::end(g_classTable)}; }

ClassTableEntry* FindClass(REFCLSID clsid) {
  for (ClassTableEntry& entry : g_classTable)
    if (entry.clsid == clsid) return &entry;
  return nullptr;
}
