// Creation of the main driver: resolved by its ProgID at every initialisation.
#include "host/main_driver.h"

ComPtr<ILanguageExtender> CreateMainDriver() {
  CLSID clsid;
  ComPtr<ILanguageExtender> driver;
  if (FAILED(CLSIDFromProgID(kMainDriverProgId, &clsid))) return driver;
  if (FAILED(CoCreateInstance(clsid, nullptr, kMainDriverClassContext, __uuidof(ILanguageExtender),
                              driver.PutVoid())))
    driver.Put();  // a failed creation leaves no pointer behind
  return driver;
}
