// The main driver as the tests install it: a real COM class found through the
// registry under the main driver's ProgID (the test prefix maps that ProgID to
// kMainDriverDoubleClsid), served by a class object this process registers.
#pragma once
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/addin_interfaces.h"
#include "support/variant.h"
#include "tests/doubles/test_object.h"

// {03288FC8-259A-445E-B3A2-B623F4758F7C}
inline constexpr CLSID kMainDriverDoubleClsid = {
    0x03288FC8, 0x259A, 0x445E, {0xB3, 0xA2, 0xB6, 0x23, 0xF4, 0x75, 0x8F, 0x7C}};

// What the double does on one forwarded call, beyond recording it. Built
// with chained setters, e.g. Reply().Fail(E_FAIL).Element(0, Text(L"T")).
class Reply {
 public:
  // Returns `result` (any HRESULT, garbage included) instead of S_OK.
  Reply& Fail(HRESULT result) {
    result_ = result;
    return *this;
  }
  // Replaces the return value with VT_BSTR `text`.
  Reply& ReturnText(const std::wstring& text);
  // Leaves exactly `value` in element `index` (of a VARIANT array only),
  // whatever type it is: a text, a number, a null BSTR, VT_EMPTY.
  Reply& Element(long index, Variant value) {
    elements_.emplace_back(index, std::make_shared<Variant>(std::move(value)));
    return *this;
  }
  // Throws a C++ exception out of CallAsFunc after doing the rest.
  Reply& Throw() {
    throws_ = true;
    return *this;
  }

  HRESULT Play(VARIANT* pvarRetValue, SAFEARRAY** paParams);

 private:
  HRESULT result_ = S_OK;
  bool returnsText_ = false;
  std::wstring returnText_;
  std::vector<std::pair<long, std::shared_ptr<Variant>>> elements_;  // shared: a Reply is copied into the queue
  bool throws_ = false;
};

// Records the calls forwarded to it and answers each with the next queued
// Reply (S_OK, changing nothing, once the queue is empty); every operation
// but CallAsFunc answers E_NOTIMPL.
class MainDriverDouble : public TestObject<ILanguageExtender> {
 public:
  struct Call {
    long method;
    VARIANT* returnValue;    // the pointer the driver was handed
    SAFEARRAY** parameters;  // the pointer the driver was handed
    SAFEARRAY* array;        // *parameters at the time of the call (null when there was none)
    VARTYPE returnType;      // the return value as the driver found it
    LONG returnLong;
    std::vector<std::wstring> texts;  // the elements it saw: text, or "<vt N>" for other types
  };

  HRESULT STDMETHODCALLTYPE CallAsFunc(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams) override {
    Touch();
    calls.push_back(Record(lMethodNum, pvarRetValue, paParams));
    return OnCall(lMethodNum, pvarRetValue, paParams);
  }
  // What a call does beyond being recorded: plays the next queued reply.
  virtual HRESULT OnCall(long, VARIANT* pvarRetValue, SAFEARRAY** paParams);

  // Queues the answer to the next call not yet answered.
  void Then(Reply reply) { replies_.push_back(std::move(reply)); }

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
  static Call Record(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams);

  std::deque<Reply> replies_;
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

// While it exists and no InstalledMainDriver does, creating
// kMainDriverDoubleClsid in this process fails at once, as for a main driver
// that is not installed. Left unserved, the class would make COM look for a
// local server, which in a Wine prefix can take ten seconds per Init.
class MainDriverAbsence {
 public:
  MainDriverAbsence();
  ~MainDriverAbsence();
  MainDriverAbsence(const MainDriverAbsence&) = delete;
  MainDriverAbsence& operator=(const MainDriverAbsence&) = delete;
};
