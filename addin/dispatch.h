// Handing a call to the main driver.
#pragma once
#include "host/addin_interfaces.h"

// Calls the main driver's CallAsFunc with the method number, return value and
// parameter array exactly as received, and yields true; without a main driver
// it does nothing and yields false. The driver's HRESULT is not looked at (what
// counts is what it leaves in the return value and the parameters), and a C++
// exception that escapes the driver is taken as the driver having returned.
// Always inline: it is the whole of a forwarded call, which should cost next
// to nothing beyond the main driver's own work.
[[gnu::always_inline]] inline bool ForwardToMainDriver(ILanguageExtender* mainDriver, long lMethodNum,
                                                      SAFEARRAY** paParams, VARIANT* pvarRetValue) {
  if (!mainDriver) return false;
  try {
    mainDriver->CallAsFunc(lMethodNum, pvarRetValue, paParams);
  } catch (...) {
    // Nothing may leave the component; the driver's answer is whatever it left behind.
  }
  return true;
}
