#include "tools/fiscal_register/fiscal_register.h"

#include <cwchar>

#include "addin/catalogue_table.h"
#include "addin/param_array.h"
#include "support/variant.h"

namespace {

using namespace catalogue;  // method numbers shared with the member catalogue

// Error codes reported by GetLastError.
enum ErrorCode : long {
  kNoError = 0,
  kDeviceNotOpen = 1,
  kDeviceAlreadyOpen = 2,
  kWrongDevice = 3,
  kShiftNotOpen = 4,
  kShiftAlreadyOpen = 5,
  kBadArgument = 6,
  kNotSupported = 7,
};

constexpr long kLineLength = 48;
constexpr wchar_t kVersion[] = L"1.0 (simulator)";
constexpr wchar_t kTaxSite[] = L"www.nalog.gov.ru";

void PutLong(SAFEARRAY** params, long index, long value) {
  params::PutParamElement(params, index, *Variant::Long(value).Get());
}

void PutBool(SAFEARRAY** params, long index, bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? 1 : 0;
  params::PutParamElement(params, index, v);
}

std::wstring Money(double amount) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%.2f", amount);
  return text;
}

// An amount given as a number or as numeric text; nothing for anything else.
bool ReadAmount(SAFEARRAY** params, long index, double& amount) {
  Variant value = params::GetParamElement(params, index);
  Variant number;
  if (value.Type() == VT_EMPTY || FAILED(VariantChangeTypeEx(number.Get(), value.Get(),
                                                               MAKELCID(LANG_ENGLISH, SORT_DEFAULT), 0, VT_R8)))
    return false;
  amount = number.Get()->dblVal;
  return true;
}

}  // namespace

void FiscalRegister::Call(long number, VARIANT* result, SAFEARRAY** params) {
  if (!result) return;
  VariantClear(result);
  result->vt = VT_BOOL;
  result->boolVal = 1;
  const bool ok = Run(number, result, params);
  if (number == kGetLastError || number == kGetVersion) return;
  if (ok) {
    lastErrorCode_ = kNoError;
    lastError_ = L"No error";
  }
  VariantClear(result);
  result->vt = VT_BOOL;
  result->boolVal = ok ? 1 : 0;
}

bool FiscalRegister::Fail(long code, std::wstring text) {
  lastErrorCode_ = code;
  lastError_ = std::move(text);
  return false;
}

bool FiscalRegister::RequireDevice(SAFEARRAY** params, long index) {
  if (!deviceOpen_) return Fail(kDeviceNotOpen, L"The device is not open: call Open first");
  const std::wstring id = params::TextOf(*params::GetParamElement(params, index).Get());
  if (!id.empty() && id != kDeviceId)
    return Fail(kWrongDevice, L"Unknown device ID \"" + id + L"\" (the open device is " + kDeviceId + L")");
  return true;
}

bool FiscalRegister::RequireShift() {
  if (!shiftOpen_) return Fail(kShiftNotOpen, L"No shift is open: call OpenShift first");
  return true;
}

bool FiscalRegister::Run(long number, VARIANT* result, SAFEARRAY** params) {
  switch (number) {
    case kGetLineLength:
      if (!RequireDevice(params)) return false;
      PutLong(params, 1, kLineLength);
      return true;
    case kGetDataKKT:
      if (!RequireDevice(params)) return false;
      params::PutParamString(1, params,
                             L"<TableParametersKKT KKTNumber=\"0000000000000001\" KKTSerialNumber=\"SIM-0001\" "
                             L"FNSerialNumber=\"9999000000000001\" OFDName=\"none (simulator)\"/>");
      return true;
    case kGetParameters: {
      std::wstring table = L"<Settings>";
      for (const auto& [name, value] : settings_) table += L"<Parameter Name=\"" + name + L"\" Value=\"" + value + L"\"/>";
      params::PutParamString(0, params, table + L"</Settings>");
      return true;
    }
    case kSetParameter: {
      const std::wstring name = params::TextOf(*params::GetParamElement(params, 0).Get());
      if (name.empty()) return Fail(kBadArgument, L"SetParameter needs a parameter name");
      settings_[name] = params::TextOf(*params::GetParamElement(params, 1).Get());
      return true;
    }
    case kDeviceTest: return DeviceTest(params);
    case kOpenShift: return OpenShift(params);
    case kCloseShift: return CloseShift(params);
    case kProcessCheck: return ProcessCheck(params, false);
    case kProcessCorrectionCheck: return ProcessCheck(params, true);
    case kReportCurrentStatusOfSettlements: return ReportSettlements(params);
    case kGetVersion:
      VariantClear(result);
      result->vt = VT_BSTR;
      result->bstrVal = SysAllocString(kVersion);
      return true;
    case kGetDescription:
      params::PutParamString(0, params, L"Brivex fiscal register simulator");
      params::PutParamString(1, params, L"A fiscal register kept in memory, for demonstrations and tests");
      params::PutParamString(2, params, L"ККТ");
      PutLong(params, 3, 2004);
      PutBool(params, 4, true);
      PutBool(params, 5, true);
      params::PutParamString(6, params, L"");
      return true;
    case kGetLastError: return GetLastError(result, params);
    case kOpen: return Open(params);
    case kClose: return Close(params);
    case kGetAdditionalActions: params::PutParamString(0, params, L""); return true;
    case kDoAdditionalAction: return Fail(kNotSupported, L"The simulator offers no additional actions");
    case kGetCurrentStatus: return GetCurrentStatus(params);
    case kOpenCashDrawer: return RequireDevice(params);
    case kPrintXReport:
      if (!RequireDevice(params) || !RequireShift()) return false;
      NextDocument();
      return true;
    case kCashInOutcome: return CashInOutcome(params);
    case kPrintTextDocument:
      if (!RequireDevice(params)) return false;
      NextDocument();
      return true;
    case kOperationFN:
      if (!RequireDevice(params)) return false;
      params::PutParamString(3, params, L"<OutputParameters FNState=\"fiscal\" Simulated=\"true\"/>");
      return true;
    case kExportData:
      params::PutParamString(0, params, L"shift=" + std::to_wstring(shiftNumber_) + L";document=" +
                                            std::to_wstring(documentNumber_));
      return true;
    case kImportData: return true;
    default:
      return Fail(kNotSupported, L"Method " + std::to_wstring(number) + L" is not supported by the simulator");
  }
}

bool FiscalRegister::Open(SAFEARRAY** params) {
  if (deviceOpen_) return Fail(kDeviceAlreadyOpen, L"The device is already open");
  deviceOpen_ = true;
  params::PutParamString(0, params, kDeviceId);
  return true;
}

bool FiscalRegister::Close(SAFEARRAY** params) {
  if (!RequireDevice(params)) return false;
  deviceOpen_ = false;
  return true;
}

bool FiscalRegister::OpenShift(SAFEARRAY** params) {
  if (!RequireDevice(params)) return false;
  if (shiftOpen_) return Fail(kShiftAlreadyOpen, L"Shift " + std::to_wstring(shiftNumber_) + L" is already open");
  shiftOpen_ = true;
  ++shiftNumber_;
  checkNumber_ = 0;
  shiftTotal_ = 0;
  const long document = NextDocument();
  params::PutParamString(2, params, L"<OutputParameters ShiftNumber=\"" + std::to_wstring(shiftNumber_) + L"\"/>");
  PutLong(params, 3, shiftNumber_);
  PutLong(params, 4, document);
  return true;
}

bool FiscalRegister::CloseShift(SAFEARRAY** params) {
  if (!RequireDevice(params) || !RequireShift()) return false;
  shiftOpen_ = false;
  const long document = NextDocument();
  params::PutParamString(2, params, L"<OutputParameters ShiftNumber=\"" + std::to_wstring(shiftNumber_) +
                                        L"\" Checks=\"" + std::to_wstring(checkNumber_) + L"\" Total=\"" +
                                        Money(shiftTotal_) + L"\"/>");
  PutLong(params, 3, shiftNumber_);
  PutLong(params, 4, document);
  return true;
}

bool FiscalRegister::ProcessCheck(SAFEARRAY** params, bool correction) {
  if (!RequireDevice(params) || !RequireShift()) return false;
  // ProcessCheck(DeviceID, Electronically, CheckPackage, CheckNumber, SessionNumber, FiscalSign, AddressSiteInspections)
  // ProcessCorrectionCheck(DeviceID, CheckPackage, CheckNumber, SessionNumber, FiscalSign, AddressSiteInspections)
  const long package = correction ? 1 : 2;
  double amount = 0;
  if (ReadAmount(params, package, amount)) {
    if (amount < 0) return Fail(kBadArgument, L"A check amount cannot be negative");
    shiftTotal_ += amount;
    cashInDrawer_ += amount;
  }
  ++checkNumber_;
  const long document = NextDocument();
  PutLong(params, package + 1, checkNumber_);
  PutLong(params, package + 2, shiftNumber_);
  params::PutParamString(package + 3, params, std::to_wstring(3000000000UL + static_cast<unsigned long>(document) * 7919UL));
  params::PutParamString(package + 4, params, kTaxSite);
  return true;
}

bool FiscalRegister::GetCurrentStatus(SAFEARRAY** params) {
  // GetCurrentStatus(DeviceID, InputParameters, CheckNumber, SessionNumber, SessionState)
  if (!RequireDevice(params)) return false;
  PutLong(params, 2, checkNumber_);
  PutLong(params, 3, shiftNumber_);
  PutLong(params, 4, shiftOpen_ ? 2 : 1);  // 1 closed, 2 open
  return true;
}

bool FiscalRegister::ReportSettlements(SAFEARRAY** params) {
  if (!RequireDevice(params)) return false;
  NextDocument();
  params::PutParamString(2, params, L"<OutputParameters ShiftNumber=\"" + std::to_wstring(shiftNumber_) +
                                        L"\" ShiftOpen=\"" + (shiftOpen_ ? L"true" : L"false") + L"\" Checks=\"" +
                                        std::to_wstring(checkNumber_) + L"\" Total=\"" + Money(shiftTotal_) +
                                        L"\" Cash=\"" + Money(cashInDrawer_) + L"\"/>");
  return true;
}

bool FiscalRegister::CashInOutcome(SAFEARRAY** params) {
  // CashInOutcome(DeviceID, InputParameters, Amount): positive puts cash in, negative takes it out.
  if (!RequireDevice(params) || !RequireShift()) return false;
  double amount = 0;
  if (!ReadAmount(params, 2, amount)) return Fail(kBadArgument, L"CashInOutcome needs an amount");
  if (cashInDrawer_ + amount < 0)
    return Fail(kBadArgument, L"Not enough cash in the drawer (" + Money(cashInDrawer_) + L")");
  cashInDrawer_ += amount;
  NextDocument();
  return true;
}

bool FiscalRegister::GetLastError(VARIANT* result, SAFEARRAY** params) {
  params::PutParamString(0, params, lastError_);
  VariantClear(result);
  result->vt = VT_I4;
  result->lVal = lastErrorCode_;
  return true;
}

bool FiscalRegister::DeviceTest(SAFEARRAY** params) {
  params::PutParamString(0, params, L"Simulated fiscal register (no hardware), device " +
                                        std::wstring(deviceOpen_ ? L"open" : L"closed"));
  params::PutParamString(1, params, L"");
  return true;
}
