// The simulated fiscal register's state and its answers, by method number of
// the member catalogue: a device opened and closed, shifts with their numbers,
// numbered checks and documents, and the last error. Everything lives in
// memory for the life of one instance; nothing talks to hardware.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <map>
#include <string>

class FiscalRegister {
 public:
  // Runs method `number` with the caller's parameter array. The return value
  // becomes VT_BOOL 1 on success and 0 on failure, except for GetLastError
  // (the error code, VT_I4) and GetVersion (the version text).
  void Call(long number, VARIANT* result, SAFEARRAY** params);

  static constexpr wchar_t kDeviceId[] = L"SIM-1";

 private:
  // Each handler returns success; a failure has set the last error.
  bool Run(long number, VARIANT* result, SAFEARRAY** params);
  bool Fail(long code, std::wstring text);
  // The device must be open and element `index` must name it (or be empty).
  bool RequireDevice(SAFEARRAY** params, long index = 0);
  bool RequireShift();
  long NextDocument() { return ++documentNumber_; }

  bool Open(SAFEARRAY** params);
  bool Close(SAFEARRAY** params);
  bool OpenShift(SAFEARRAY** params);
  bool CloseShift(SAFEARRAY** params);
  bool ProcessCheck(SAFEARRAY** params, bool correction);
  bool GetCurrentStatus(SAFEARRAY** params);
  bool ReportSettlements(SAFEARRAY** params);
  bool CashInOutcome(SAFEARRAY** params);
  bool GetLastError(VARIANT* result, SAFEARRAY** params);
  bool DeviceTest(SAFEARRAY** params);

  bool deviceOpen_ = false;
  bool shiftOpen_ = false;
  long shiftNumber_ = 0;     // the last shift opened
  long checkNumber_ = 0;     // checks in the current shift
  long documentNumber_ = 0;  // every document printed since the device was made
  double shiftTotal_ = 0;    // sales of the current shift
  double cashInDrawer_ = 0;
  long lastErrorCode_ = 0;
  std::wstring lastError_ = L"No error";
  std::map<std::wstring, std::wstring> settings_;
};
