// Running members by number: CallAsProc runs the demonstration procedures,
// CallAsFunc answers five fiscal members itself and forwards every other
// number, unchanged, to the main driver.
#include "addin/dispatch.h"

#include <string>

#include "addin/catalogue_table.h"
#include "addin/component.h"
#include "addin/param_array.h"
#include "fiscal/description.h"
#include "fiscal/device_test.h"

namespace {

// One CallAsFunc as a handler sees it (`result` is then never null).
struct FuncCall {
  ILanguageExtender* mainDriver;
  bool mainDriverCreated;
  long method;
  SAFEARRAY** params;
  VARIANT* result;
};

// A handler yields the member's success; false turns the result into VT_BOOL 0.
using Handler = bool (*)(const FuncCall&);

// The main driver tests first, into the same return value and parameters;
// then the local test overwrites the elements it writes; element 0 ends as
// the local text immediately followed by the driver's. An element 0 that the
// driver leaves as another type than text gives its converted text, or the
// empty text where no conversion exists.
bool JoinedDeviceTest(const FuncCall& call) {
  std::wstring driverText;
  if (call.mainDriverCreated) {
    ForwardToMainDriver(call.mainDriver, call.method, call.params, call.result);
    driverText = params::TextOf(*params::GetParamElement(call.params, 0).Get());
  }
  const bool succeeded = fiscal::DeviceTest(call.params, call.result, call.mainDriverCreated);
  if (call.mainDriverCreated) {
    std::wstring joined = params::TextOf(*params::GetParamElement(call.params, 0).Get());
    joined += driverText;
    params::PutParamString(0, call.params, std::move(joined));
  }
  return succeeded;
}

struct LocalMember {
  long method;
  Handler answer;
};

// The members the component answers itself; every other number is forwarded,
// negative numbers and numbers beyond the catalogue included.
constexpr LocalMember kLocalMembers[] = {
    {catalogue::kDeviceTest, JoinedDeviceTest},
    {catalogue::kGetVersion, [](const FuncCall& call) { return fiscal::GetVersion(call.params, call.result); }},
    {catalogue::kGetDescription,
     [](const FuncCall& call) { return fiscal::GetDescription(call.params, call.result, call.mainDriverCreated); }},
    {catalogue::kGetAdditionalActions,
     [](const FuncCall& call) { return fiscal::GetAdditionalActions(call.params, call.result); }},
    {catalogue::kDoAdditionalAction,
     [](const FuncCall& call) { return fiscal::DoAdditionalAction(call.params, call.result); }},
};

// The local members as bits from method 11 up: most calls are forwarded, and
// this one test tells them apart from the local ones.
constexpr long kFirstLocalMember = 11;
constexpr unsigned long kLocalMemberBits = [] {
  unsigned long bits = 0;
  for (const LocalMember& member : kLocalMembers) bits |= 1UL << (member.method - kFirstLocalMember);
  return bits;
}();

// The local answer to `method`, or null when the call goes to the main driver.
Handler LocalHandlerFor(long method) {
  const unsigned long bit = static_cast<unsigned long>(method - kFirstLocalMember);
  if (bit >= 32 || !(kLocalMemberBits & (1UL << bit))) return nullptr;
  for (const LocalMember& member : kLocalMembers) {
    if (member.method == method) return member.answer;
  }
  return nullptr;
}


// What VariantInit does, and the prepared true: boolVal reads 1, the
// component's true, not VARIANT_TRUE. Written in place: a forwarded call
// should cost next to nothing beyond the main driver's own work.
void PrepareTrue(VARIANT* pvarRetValue) {
  pvarRetValue->vt = VT_BOOL;
  pvarRetValue->lVal = 1;
}

// The general way through CallAsFunc: local members, calls without a main
// driver, and a platform that passes no return value.
HRESULT CallAsFuncInGeneral(const FuncCall& call) {
  // Without a return value from the platform the member still runs, into a
  // scratch value that is dropped afterwards: the main driver is always handed
  // a return value it can write.
  if (!call.result) {
    Variant scratch;
    FuncCall withResult = call;
    withResult.result = scratch.Get();
    return CallAsFuncInGeneral(withResult);
  }
  PrepareTrue(call.result);
  bool succeeded = false;
  try {
    const Handler local = LocalHandlerFor(call.method);
    succeeded = local ? local(call) : ForwardToMainDriver(call.mainDriver, call.method, call.params, call.result);
  } catch (...) {
    // A text that cannot be allocated: the member failed; what it wrote so far stays.
  }
  if (!succeeded) {
    // A failure reads as VT_BOOL 0, never as a text or object that a handler
    // may have left in the return value (that is released first).
    VariantClear(call.result);
    call.result->vt = VT_BOOL;
    call.result->lVal = 0;
  }
  return S_OK;
}

}  // namespace

HRESULT CAddInCOMIntegration::CallAsProc(long lMethodNum, SAFEARRAY** paParams) {
  // Unsigned range test: negative numbers are not procedures either.
  if (static_cast<unsigned long>(lMethodNum) >= static_cast<unsigned long>(catalogue::kProcedureCount)) return S_FALSE;
  try {
    RunProcedure(lMethodNum, paParams);
  } catch (...) {
    // A procedure answers S_OK whatever happened inside it.
  }
  return S_OK;
}

HRESULT CAddInCOMIntegration::CallAsFunc(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams) {
  // Most calls go to the main driver; they take the shortest way there.
  if (pvarRetValue && m_mainDriver && !LocalHandlerFor(lMethodNum)) {
    PrepareTrue(pvarRetValue);
    ForwardToMainDriver(m_mainDriver.Get(), lMethodNum, paParams, pvarRetValue);
    return S_OK;
  }
  return CallAsFuncInGeneral({m_mainDriver.Get(), m_mainDriverCreated, lMethodNum, paParams, pvarRetValue});
}
