#include "server/module.h"

CAddInModule& Module() {
  static CAddInModule module;
  return module;
}
