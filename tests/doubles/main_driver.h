// The main driver as the tests install it: a real COM class found through the
// registry under the main driver's ProgID (the test prefix maps that ProgID to
// kMainDriverDoubleClsid), served by a class object this process registers.
#pragma once
#include <vector>

#include "host/addin_interfaces.h"
#include "support/variant.h"
#include "tests/doubles/test_object.h"

// {03288FC8-259A-445E-B3A2-B623F4758F7C}
inline constexpr CLSID kMainDriverDoubleClsid = {
    0x03288FC8, 0x259A, 0x445E, {0xB3, 0xA2, 0xB6, 0x23, 0xF4, 0x75, 0x8F, 0x7C}};

// Records the calls forwarded to it; every operation but CallAsFunc answers E_NOTIMPL.
class MainDriverDouble : public TestObject<ILanguageExtender> {
 public:
  struct Call {
    long method;
    VARIANT* returnValue;    // the pointer the driver was handed
    SAFEARRAY** parameters;  // the pointer the driver was handed
  };

  HRESULT STDMETHODCALLTYPE CallAsFunc(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams) override {
    Touch();
    calls.push_back({lMethodNum, pvarRetValue, paParams});
    return OnCall(lMethodNum, pvarRetValue, paParams);
  }
  // What a call does beyond being recorded; the default answers S_OK and changes nothing.
  virtual HRESULT OnCall(long, VARIANT*, SAFEARRAY**) { return S_OK; }

  std::vector<Call> calls;

  HRESULT STDMETHODCALLTYPE RegisterExtensionAs(BSTR*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE GetNProps(long*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE FindProp(BSTR, long*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE GetPropName(long, long, BSTR*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE GetPropVal(long, VARIANT*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE SetPropVal(long, VARIANT*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE IsPropReadable(long, long*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE IsPropWritable(long, long*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE GetNMethods(long*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE FindMethod(BSTR, long*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE GetMethodName(long, long, BSTR*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE GetNParams(long, long*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE GetParamDefValue(long, long, VARIANT*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE HasRetVal(long, long*) override { return Unexpected(); }
  HRESULT STDMETHODCALLTYPE CallAsProc(long, SAFEARRAY**) override { return Unexpected(); }

  // Operations other than CallAsFunc that the component called.
  int unexpectedCalls = 0;

 private:
  HRESULT Unexpected() {
    ++unexpectedCalls;
    return E_NOTIMPL;
  }
};

// While it exists, creating kMainDriverDoubleClsid in this process yields `driver`.
class InstalledMainDriver {
 public:
  explicit InstalledMainDriver(MainDriverDouble& driver);
  ~InstalledMainDriver();
  InstalledMainDriver(const InstalledMainDriver&) = delete;
  InstalledMainDriver& operator=(const InstalledMainDriver&) = delete;

 private:
  class Factory;
  Factory* factory_;
  DWORD cookie_ = 0;
};
